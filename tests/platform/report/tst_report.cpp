// The report layer: definitions read from our XML format, the pages laid
// out from the data (sorted rows, page headers and footers, totals, page
// numbers, sub-reports), written to PDF (read back with the poppler tools)
// and HTML, and shown in the preview with its zoom modes and printing.
#include "Html_Test.h"
#include "common/Pdf_Test.h"
#include "platform/report/preview.h"
#include "platform/report/report.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/mesaj.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A list of codes with a type and a value; and a sub-report of articles.
const QByteArray kDefinitie = R"(<?xml version="1.0" encoding="UTF-8"?>
<Reports>
  <Report Name="Altul"><Section Name="Detail" Height="300"/></Report>
  <Report Name="Lista" PageSize="9" Orientation="1" MarginLeft="720" MarginTop="720" MarginRight="720"
          MarginBottom="720" FontName="Arial" FontSize="10">
    <Sort><Column Name="Cod"/></Sort>
    <Section Name="Header" Height="600">
      <Field Name="Titlu" Text="LISTA &lt;A&amp;B&gt;" Left="0" Top="0" Width="8000" Height="500" Bold="1"/>
    </Section>
    <Section Name="Page Header" Height="300">
      <Field Text="COLCOD" Left="0" Top="0" Width="2000" Height="300" Bold="1"/>
      <Field Text="COLVALOARE" Left="5000" Top="0" Width="2500" Height="300" Bold="1" Align="Right"/>
    </Section>
    <Section Name="Detail" Height="300">
      <Field Name="Cod" Source="Cod" Left="0" Top="0" Width="2000" Height="300"/>
      <Field Name="Tip" Source="Tip" Values="I=Sosiri;o=Expedieri" Left="2000" Top="0" Width="3000" Height="300"/>
      <Field Name="Valoare" Source="Valoare" Format="##,##0.00" Left="5000" Top="0" Width="2500" Height="300"
             Align="Right"/>
      <Field Name="Articole" Left="0" Top="0" Width="100" Height="300" Visible="0"/>
    </Section>
    <Section Name="Footer" Height="300">
      <Field Name="Numar" Aggregate="Count" Left="0" Top="0" Width="2000" Height="300"/>
      <Field Name="Total" Source="Valoare" Aggregate="Sum" Format="##,##0.00" Left="5000" Top="0" Width="2500"
             Height="300" Align="Right"/>
      <Field Name="Utilizator" Left="8000" Top="0" Width="2000" Height="300"/>
    </Section>
    <Section Name="Page Footer" Height="300">
      <Field Template="Pagina {Page} din {Pages} / {Cod}" Left="0" Top="0" Width="8000" Height="300"/>
    </Section>
  </Report>
  <Report Name="Articole" FontSize="9">
    <Section Name="Detail" Height="250">
      <Field Source="Articol" Left="0" Top="0" Width="3000" Height="250"/>
    </Section>
    <Section Name="Footer" Height="250">
      <Field Template="Cantitate" Left="0" Top="0" Width="1500" Height="250"/>
      <Field Source="Cantitate" Aggregate="Sum" Left="1500" Top="0" Width="1500" Height="250"/>
    </Section>
  </Report>
</Reports>
)";

db::Recordset recordset(const QList<QPair<QString, int>>& fields, const QList<QList<db::Variant>>& rows)
{
    db::Recordset rs = db::Recordset::createInMemory();
    for (const auto& f : fields)
        rs.appendField(f.first, f.second, f.second == db::Type::VarWChar ? 50 : 0);
    rs.open();
    for (const auto& row : rows) {
        rs.addNew();
        for (int c = 0; c < row.size(); ++c)
            rs.setValue(c, row[c]);
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

// n codes C000 .. C(n-1), added in reverse order, every third an arrival.
db::Recordset codes(int n)
{
    QList<QList<db::Variant>> rows;
    for (int i = n - 1; i >= 0; --i)
        rows.append({db::Variant(u"C%1"_s.arg(i, 3, 10, QChar(u'0'))),
                     db::Variant(i % 3 == 0 ? u"I"_s : u"O"_s), db::Variant(i + 0.25)});
    return recordset(
        {{u"Cod"_s, db::Type::VarWChar}, {u"Tip"_s, db::Type::VarWChar}, {u"Valoare"_s, db::Type::Double}},
        rows);
}

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void loadErrors_data();
    void loadErrors();
    void sectionsAndFieldsByName();
    void pagesOfAListInPdf();
    void htmlHoldsTheTextsEscaped();
    void noRowsStillPrintsHeaderAndFooter();
    void subreportRowsFollowTheirParent();
    void paperAndOrientation();
    void failedFileLeavesNothing();
    void previewZoomAndPages();
    void previewZoomList_data();
    void previewZoomList();
    void previewPrintsEveryPage();

private:
    QString definition() const { return m_dir.filePath(u"def.xml"_s); }
    QTemporaryDir m_dir;
};

void TestReport::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QFile f(definition());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kDefinitie);
}

void TestReport::init()
{
    ui::testing::setEnabled(true);
    ui::testing::clear();
    ui::testing::clearPrinters();
}

void TestReport::loadErrors_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing file") << QByteArray() << u"Lista"_s << 53 << u"does not exist"_s;
    QTest::newRow("not xml") << QByteArray("plain text") << u"Lista"_s << 5 << u"line"_s;
    QTest::newRow("other root") << QByteArray("<Other/>") << u"Lista"_s << 5 << u"not a report definition"_s;
    QTest::newRow("no such report") << kDefinitie << u"Lipsa"_s << 5 << u"\"Lipsa\" is not in"_s;
    QTest::newRow("unknown section")
        << QByteArray("<Reports><Report Name=\"R\"><Section Name=\"Antet\"/></Report></Reports>") << u"R"_s
        << 5 << u"unknown section \"Antet\""_s;
    QTest::newRow("bad number")
        << QByteArray(
               "<Reports><Report Name=\"R\"><Section Name=\"Detail\" Height=\"x\"/></Report></Reports>")
        << u"R"_s << 5 << u"Height is not a whole number"_s;
    QTest::newRow("unknown paper") << QByteArray("<Reports><Report Name=\"R\" PageSize=\"77\"/></Reports>")
                                   << u"R"_s << 5 << u"unknown paper code 77"_s;
}

void TestReport::loadErrors()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, says);
    QString path = m_dir.filePath(u"missing.xml"_s);
    if (content == kDefinitie) {
        path = definition();
    } else if (!content.isEmpty()) {
        path = m_dir.filePath(u"bad.xml"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    const db::Error e = r.load(path, name);
    QVERIFY(e);
    QCOMPARE(e.number, number);
    QVERIFY2(e.description.contains(says), qPrintable(e.description));
    // A failed load leaves nothing loaded, not half of the report.
    QVERIFY(!r.isLoaded());
    QVERIFY(!r.field(u"Titlu"_s));
}

void TestReport::sectionsAndFieldsByName()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"lista"_s));
    QCOMPARE(r.name(), u"Lista"_s);
    for (const char16_t* s :
         {report::kHeader, report::kPageHeader, report::kDetail, report::kFooter, report::kPageFooter})
        QVERIFY(r.section(QString::fromUtf16(s)));
    QVERIFY(r.section(u"page header"_s));
    QVERIFY(!r.section(u"Antet"_s));
    QVERIFY(r.field(u"Header"_s, u"titlu"_s));
    QVERIFY(!r.field(u"Footer"_s, u"Titlu"_s));
    QCOMPARE(r.field(u"Total"_s), r.field(u"Footer"_s, u"Total"_s));
    // A report the file leaves without some sections has them, empty.
    report::Report altul;
    QVERIFY(!altul.load(definition(), u"Altul"_s));
    QCOMPARE(altul.section(u"Header"_s)->height, 0);
    QCOMPARE(altul.section(u"Detail"_s)->height, 300);
}

void TestReport::pagesOfAListInPdf()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(100));
    r.field(u"Utilizator"_s)->text = u"ion"_s;
    const QString pdfPath = m_dir.filePath(u"lista.pdf"_s);
    QVERIFY(!r.renderToFile(pdfPath, report::FileFormat::Pdf));
    // A4 portrait with 0.5 inch margins: 47 rows under the report and page
    // headers, 49 on the next page, the last 4 and the footer on the third.
    QCOMPARE(r.pageCount(), 3);
    QCOMPARE(pdf::pagini(pdfPath), 3);
    QStringList seen;
    for (int p = 1; p <= 3; ++p) {
        const QString text = pdf::text(pdfPath, p);
        QVERIFY2(text.contains(u"COLCOD"_s), qPrintable(text));
        // The page footer shows the page, the page count and the first row's code.
        QVERIFY2(text.contains(u"Pagina %1 din 3 / C000"_s.arg(p)), qPrintable(text));
        QCOMPARE(text.contains(u"LISTA <A&B>"_s), p == 1);
        QCOMPARE(text.contains(u"4,975.00"_s), p == 3); // the total, once, at the end
        static const QRegularExpression code(u"\\bC\\d{3}\\b"_s);
        for (auto it = code.globalMatch(text); it.hasNext();)
            seen << it.next().captured(0);
    }
    // Every row once, in the order of the sort, not in the order of the data.
    seen.removeAll(u"C000"_s);
    QCOMPARE(seen.size(), 99);
    for (int i = 1; i < 100; ++i)
        QCOMPARE(seen.at(i - 1), u"C%1"_s.arg(i, 3, 10, QChar(u'0')));
    QVERIFY(pdf::text(pdfPath, 1).contains(u"Sosiri"_s));
    QVERIFY(pdf::text(pdfPath, 1).contains(u"Expedieri"_s));
    QVERIFY(pdf::text(pdfPath, 3).contains(u"ion"_s));
}

void TestReport::htmlHoldsTheTextsEscaped()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(recordset(
        {{u"Cod"_s, db::Type::VarWChar}, {u"Tip"_s, db::Type::VarWChar}, {u"Valoare"_s, db::Type::Double}},
        {{db::Variant(u"<b>"_s), db::Variant(u"x"_s), db::Variant(1234.5)},
         {db::Variant(u"A&B"_s), db::Variant(u"o"_s), db::Variant::null()}}));
    const QString path = m_dir.filePath(u"lista.htm"_s);
    QVERIFY(!r.renderToFile(path, report::FileFormat::Html));
    const QString html = readText(path);
    QVERIFY(html.startsWith(u"<!DOCTYPE html>"_s));
    QCOMPARE(html.count(u"<div class=\"p\""_s), r.pageCount());
    QVERIFY(!html.contains(u"<b>"_s));
    const QStringList texts = html::texte(html);
    // "<b>" sorts before "A&B"; a value the list does not name shows as it is.
    QCOMPARE(texts, (QStringList{u"LISTA &lt;A&amp;B&gt;"_s, u"COLCOD"_s, u"COLVALOARE"_s, u"&lt;b&gt;"_s,
                                 u"x"_s, u"1,234.50"_s, u"A&amp;B"_s, u"Expedieri"_s, u"2"_s, u"1,234.50"_s,
                                 u"Pagina 1 din 1 / &lt;b&gt;"_s}));
}

void TestReport::noRowsStillPrintsHeaderAndFooter()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(0));
    const QString path = m_dir.filePath(u"gol.htm"_s);
    QVERIFY(!r.renderToFile(path, report::FileFormat::Html));
    QCOMPARE(r.pageCount(), 1);
    QCOMPARE(html::texte(readText(path)),
             (QStringList{u"LISTA &lt;A&amp;B&gt;"_s, u"COLCOD"_s, u"COLVALOARE"_s, u"0"_s, u"0.00"_s,
                          u"Pagina 1 din 1 / "_s}));
}

void TestReport::subreportRowsFollowTheirParent()
{
    report::Report r;
    report::Report articole;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    QVERIFY(!articole.load(definition(), u"Articole"_s));
    r.setDataSource(codes(3));
    articole.setDataSource(recordset({{u"Cod_Doc"_s, db::Type::VarWChar},
                                      {u"Articol"_s, db::Type::VarWChar},
                                      {u"Cantitate"_s, db::Type::Integer}},
                                     {{db::Variant(u"c001"_s), db::Variant(u"Surub"_s), db::Variant(2)},
                                      {db::Variant(u"C000"_s), db::Variant(u"Piulita"_s), db::Variant(5)},
                                      {db::Variant(u"C001"_s), db::Variant(u"Saiba"_s), db::Variant(3)}}));
    // Without the switch the field stays silent.
    report::Field* camp = r.field(u"Detail"_s, u"Articole"_s);
    camp->subreport = &articole;
    camp->text = u"Cod_Doc=Cod"_s;
    const QString path = m_dir.filePath(u"sub.htm"_s);
    QVERIFY(!r.renderToFile(path, report::FileFormat::Html));
    QVERIFY(!readText(path).contains(u"Piulita"_s));

    camp->visible = true;
    r.render();
    QVERIFY(!r.renderToFile(path, report::FileFormat::Html));
    QStringList texts = html::texte(readText(path));
    texts = texts.mid(3, texts.size() - 3 - 3); // without the headers and the report's footer
    QCOMPARE(texts, (QStringList{u"C000"_s, u"Sosiri"_s, u"0.25"_s, u"Piulita"_s, u"Cantitate"_s, u"5"_s,
                                 u"C001"_s, u"Expedieri"_s, u"1.25"_s, u"Surub"_s, u"Saiba"_s, u"Cantitate"_s,
                                 u"5"_s, u"C002"_s, u"Expedieri"_s, u"2.25"_s, u"Cantitate"_s, u"0"_s}));
}

void TestReport::paperAndOrientation()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(5));
    QVERIFY(r.setPaperSize(8));
    QVERIFY(r.setOrientation(2));
    QVERIFY(!r.setPaperSize(999));
    QVERIFY(!r.setOrientation(0));
    QCOMPARE(r.paperSize(), 8);
    QCOMPARE(r.orientation(), 2);
    const QString path = m_dir.filePath(u"a3.pdf"_s);
    QVERIFY(!r.renderToFile(path, report::FileFormat::Pdf));
    const pdf::Pagina page = pdf::cuvinte(path, 1);
    QCOMPARE(qRound(page.latime), 1191); // A3 landscape, in points
    QCOMPARE(qRound(page.inaltime), 842);
    // The margins hold: the first word starts half an inch in.
    QVERIFY(!page.cuvinte.isEmpty());
    QVERIFY(qAbs(page.cuvinte.first().stanga - 36) < 3);
}

void TestReport::failedFileLeavesNothing()
{
    report::Report r;
    const QString missingFolder = m_dir.filePath(u"nu_exista/lista.pdf"_s);
    // Nothing loaded: no pages, nothing to write.
    r.render();
    QCOMPARE(r.pageCount(), 0);
    QCOMPARE(r.renderToFile(m_dir.filePath(u"gol.pdf"_s), report::FileFormat::Pdf).number, 5);
    QVERIFY(!QFile::exists(m_dir.filePath(u"gol.pdf"_s)));
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(3));
    for (report::FileFormat f : {report::FileFormat::Pdf, report::FileFormat::Html}) {
        const db::Error e = r.renderToFile(missingFolder, f);
        QCOMPARE(e.number, 75);
        QVERIFY(e.description.contains(missingFolder));
        QVERIFY(!QFile::exists(missingFolder));
        QVERIFY(!r.busy());
    }
}

void TestReport::previewZoomAndPages()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(250));
    report::Preview preview;
    preview.resize(900, 700);
    preview.setReport(&r);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.pageCount(), 6);
    QCOMPARE(preview.currentPage(), 1);

    preview.setZoom(100);
    QCOMPARE(preview.zoomMode(), int(report::Preview::Percent));
    QCOMPARE(preview.zoom(), 100.0);
    preview.setZoomMode(report::Preview::PageWidth);
    const double width = preview.zoom();
    preview.setZoomMode(report::Preview::WholePage);
    const double whole = preview.zoom();
    preview.setZoomMode(report::Preview::TwoPages);
    const double two = preview.zoom();
    preview.setZoomMode(report::Preview::AllPages);
    const double all = preview.zoom();
    // A portrait page in a landscape view: each mode shows it smaller.
    QVERIFY(width > whole);
    QVERIFY(whole >= two);
    QVERIFY(two > all);
    // The zoom percentages leave the mode for Percent, whatever mode was on.
    preview.setZoom(50);
    QCOMPARE(preview.zoom(), 50.0);
    QCOMPARE(preview.zoomMode(), int(report::Preview::Percent));

    preview.setZoomMode(report::Preview::WholePage);
    preview.setCurrentPage(4);
    QCOMPARE(preview.currentPage(), 4);
    preview.setCurrentPage(99);
    QCOMPARE(preview.currentPage(), 6);
    auto* page = preview.findChild<QLabel*>(u"Pagina"_s);
    QVERIFY(page);
    QCOMPARE(page->text(), u"6 / 6"_s);

    // The view draws the pages it shows: dark ink on the white page.
    preview.setZoomMode(report::Preview::PageWidth);
    preview.setCurrentPage(1);
    const QImage shot = preview.pagesView()->grab().toImage();
    bool ink = false;
    for (int y = 0; y < shot.height() && !ink; y += 2)
        for (int x = 0; x < shot.width() && !ink; x += 2)
            ink = qGray(shot.pixel(x, y)) < 60;
    QVERIFY(ink);

    preview.setNavBarText(u"Raport generat in: .5 secunde"_s);
    QCOMPARE(preview.navBarText(), u"Raport generat in: .5 secunde"_s);
    preview.setNavBar(0);
    QVERIFY(!preview.findChild<QWidget*>(u"BaraNavigare"_s)->isVisible());
}

void TestReport::previewZoomList_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("item");
    QTest::newRow("whole page") << int(report::Preview::WholePage) << 0;
    QTest::newRow("page width") << int(report::Preview::PageWidth) << 1;
    QTest::newRow("two pages") << int(report::Preview::TwoPages) << 2;
    QTest::newRow("all pages") << int(report::Preview::AllPages) << 3;
}

// The bar's zoom list shows the mode in force (no item for a percentage),
// and the item chosen there sets its mode.
void TestReport::previewZoomList()
{
    QFETCH(int, mode);
    QFETCH(int, item);
    report::Preview preview;
    auto* list = preview.findChild<QComboBox*>(u"ListaZoom"_s);
    QVERIFY(list);
    preview.setZoomMode(mode);
    QCOMPARE(list->currentIndex(), item);
    preview.setZoom(50);
    QCOMPARE(list->currentIndex(), -1);
    emit list->activated(item);
    QCOMPARE(preview.zoomMode(), mode);
    QCOMPARE(list->currentIndex(), item);
}

void TestReport::previewPrintsEveryPage()
{
    report::Report r;
    QVERIFY(!r.load(definition(), u"Lista"_s));
    r.setDataSource(codes(120));
    report::Preview preview;
    preview.setReport(&r);
    bool cancelled = false;
    // Cancelling the printer dialog prints nothing.
    QVERIFY(!preview.print(&cancelled));
    QVERIFY(cancelled);
    const QString path = m_dir.filePath(u"tiparit.pdf"_s);
    ui::testing::pushPrinter(path);
    QVERIFY(!preview.print(&cancelled));
    QVERIFY(!cancelled);
    QCOMPARE(ui::testing::printerDialogs(), 2);
    QCOMPARE(pdf::pagini(path), r.pageCount());
    QVERIFY(pdf::text(path, r.pageCount()).contains(u"C119"_s));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
