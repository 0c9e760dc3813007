// The grid's print-out written to PDF and read back with the poppler tools:
// pages under the header and over the footer with its page numbers, the
// visible columns in their order, the margins, and the preview window.
#include "pdf_pages.h"
#include "platform/grid/grid.h"
#include "platform/grid/print.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/mesaj.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestGridPrint : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pagesCarryHeaderFooterAndRows();
    void visibleColumnsInTheirOrder();
    void wideColumnsAreScaledToThePage();
    void emptyGridPrintsItsHeadings();
    void marginsAndPaper_data();
    void marginsAndPaper();
    void previewWindow();
    void previewPrintAsksForThePrinter_data();
    void previewPrintAsksForThePrinter();

private:
    // Prints the grid to a PDF file; gives the number of pages.
    int print(const grid::PrintSettings& settings);
    QString pdfPath() const { return m_dir.filePath(u"grid.pdf"_s); }

    QTemporaryDir m_dir;
    std::unique_ptr<grid::Grid> m_grid;
    grid::MemorySource* m_source = nullptr;
    grid::PrintSettings m_settings;
};

void TestGridPrint::init()
{
    // The texts below are the C locale's forms, whatever locale runs the test.
    QLocale::setDefault(QLocale::c());
    ui::testing::setEnabled(true);
    m_grid = std::make_unique<grid::Grid>();
    m_source =
        new grid::MemorySource({{u"Cod"_s, 202}, {u"Descriere"_s, 202}, {u"Valoare"_s, 5}}, m_grid.get());
    for (int i = 0; i < 150; ++i)
        m_source->appendRow({db::Variant(u"R%1"_s.arg(i, 3, 10, QChar(u'0'))),
                             db::Variant(u"D%1"_s.arg(i, 3, 10, QChar(u'0'))), db::Variant(i * 10.5)});
    m_grid->setDataSource(m_source);
    for (int c = 0; c < 3; ++c)
        m_grid->column(c).widthTwips = 2000;
    m_grid->refreshColumns();

    m_settings = grid::PrintSettings();
    m_settings.pageHeader = u"Lista de test"_s;
    m_settings.pageHeaderFont = QFont(u"DejaVu Serif"_s, 12);
    m_settings.pageHeaderFont.setBold(true);
    m_settings.pageFooter = u"Pagina \\p din \\P\tsfarsit"_s;
    m_settings.pageFooterFont = QFont(u"DejaVu Serif"_s, 7);
    m_settings.previewCaption = u"LISTA DE TEST"_s;
}

void TestGridPrint::cleanup()
{
    m_grid.reset();
    QFile::remove(pdfPath());
}

int TestGridPrint::print(const grid::PrintSettings& settings)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath());
    printer.setPageLayout(grid::pageLayout(settings));
    return grid::printGrid(*m_grid, settings, printer);
}

void TestGridPrint::pagesCarryHeaderFooterAndRows()
{
    const int pages = print(m_settings);
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    const QString first = pdf::pageText(pdfPath(), 1);
    QVERIFY2(!first.isEmpty(), "pdftotext gave nothing: is poppler-utils installed?");
    QVERIFY(first.contains(u"Lista de test"_s));
    QVERIFY(first.contains(u"Descriere"_s));
    QVERIFY(first.contains(u"R000"_s));
    QVERIFY(!first.contains(u"R149"_s));
    // The text after the tab is the centred part.
    QVERIFY(first.contains(QRegularExpression(u"Pagina 1 din %1\\s+sfarsit"_s.arg(pages))));

    const QString last = pdf::pageText(pdfPath(), pages);
    QVERIFY(last.contains(u"Lista de test"_s));
    QVERIFY(last.contains(u"R149"_s));
    QVERIFY(last.contains(u"Pagina %1 din %1"_s.arg(pages)));
    // Every row is printed once.
    int printed = 0;
    for (int p = 1; p <= pages; ++p)
        printed += int(pdf::pageText(pdfPath(), p).count(QRegularExpression(u"R\\d\\d\\d"_s)));
    QCOMPARE(printed, 150);
}

void TestGridPrint::visibleColumnsInTheirOrder()
{
    m_grid->column(2).visible = false;
    m_grid->refreshColumns();
    m_grid->horizontalHeader()->moveSection(1, 0); // Descriere first
    print(m_settings);
    const QString first = pdf::pageText(pdfPath(), 1);
    const QStringList lines = first.split(u'\n');
    const auto row =
        std::find_if(lines.cbegin(), lines.cend(), [](const QString& l) { return l.contains(u"R001"_s); });
    QVERIFY(row != lines.cend());
    QVERIFY(row->indexOf(u"D001"_s) < row->indexOf(u"R001"_s));
    QVERIFY(!first.contains(u"Valoare"_s));
    QVERIFY(!row->contains(u"10.5"_s));
}

void TestGridPrint::wideColumnsAreScaledToThePage()
{
    for (int c = 0; c < 3; ++c)
        m_grid->column(c).widthTwips = 9000; // three times the width of the page together
    m_grid->refreshColumns();
    print(m_settings);
    const QString first = pdf::pageText(pdfPath(), 1);
    for (const QString& t : {u"Cod"_s, u"Descriere"_s, u"Valoare"_s, u"D000"_s, u"10.5"_s})
        QVERIFY2(first.contains(t), qPrintable(t));
}

void TestGridPrint::emptyGridPrintsItsHeadings()
{
    m_source->clear();
    QCOMPARE(print(m_settings), 1);
    const QString first = pdf::pageText(pdfPath(), 1);
    QVERIFY(first.contains(u"Lista de test"_s));
    QVERIFY(first.contains(u"Descriere"_s));
    QVERIFY(first.contains(u"Pagina 1 din 1"_s));
}

void TestGridPrint::marginsAndPaper_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("500, 200") << 500 << 200;
    QTest::newRow("1000, 567") << 1000 << 567;
}

void TestGridPrint::marginsAndPaper()
{
    QFETCH(int, top);
    QFETCH(int, bottom);
    m_settings.pageFooter = u"Pagina \\p din \\P\t\t\t\tdreapta"_s;
    m_settings.marginTop = top;
    m_settings.marginBottom = bottom;
    print(m_settings);
    // At 72 dots per inch a pixel is a point, and a twip a twentieth of it.
    const QImage page = pdf::pageImage(pdfPath(), 1, 72);
    QVERIFY2(!page.isNull(), "pdftoppm gave nothing: is poppler-utils installed?");
    QCOMPARE(page.size(), QSize(595, 842)); // A4, portrait
    const int t = top / 20, b = 842 - bottom / 20, l = 567 / 20;
    QVERIFY(!pdf::hasInk(page, QRect(0, 0, 595, t - 1)));
    QVERIFY(!pdf::hasInk(page, QRect(0, b + 1, 595, 842 - b)));
    QVERIFY(!pdf::hasInk(page, QRect(0, 0, l - 1, 842)));
    QVERIFY(pdf::hasInk(page, QRect(l, t, 200, 20)));      // the header
    QVERIFY(pdf::hasInk(page, QRect(l, b - 12, 200, 12))); // the footer's left part
    // After the second tab the footer is right-aligned at the margin.
    QVERIFY(pdf::hasInk(page, QRect(595 - l - 10, b - 12, 10, 12)));
    QVERIFY(!pdf::hasInk(page, QRect(595 - l + 1, 0, l - 1, 842)));
}

void TestGridPrint::previewWindow()
{
    m_settings.zoomPercent = 80;
    m_settings.marginTop = 1000;
    m_settings.captions = {{grid::PreviewItem::PageSetup, u"Setare Pagina"_s},
                           {grid::PreviewItem::Print, u"Tipareste"_s},
                           {grid::PreviewItem::Exit, u"Iesire"_s},
                           {grid::PreviewItem::ZoomIn, u"Marire"_s},
                           {grid::PreviewItem::ZoomOut, u"Micsorare"_s},
                           {grid::PreviewItem::View, u"Vizualizari"_s}};
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<grid::PrintPreview*>(QApplication::activeModalWidget());
        QVERIFY(preview);
        seen = true;
        // A failed check must not leave the window open.
        const auto closer = qScopeGuard([preview] { preview->reject(); });
        QCOMPARE(preview->windowTitle(), u"LISTA DE TEST"_s);
        // Whole within the screen's work area (the tests' screen is lower
        // than the preview's own size).
        const QRect area = preview->screen()->availableGeometry();
        QVERIFY2(area.contains(preview->frameGeometry()),
                 qPrintable(u"%1,%2 %3x%4"_s.arg(preview->frameGeometry().x())
                                .arg(preview->frameGeometry().y())
                                .arg(preview->frameGeometry().width())
                                .arg(preview->frameGeometry().height())));
        const QList<QPair<const char*, QString>> captions{{"PageSetup", u"Setare Pagina"_s},
                                                          {"Print", u"Tipareste"_s},
                                                          {"Exit", u"Iesire"_s},
                                                          {"ZoomIn", u"Marire"_s},
                                                          {"ZoomOut", u"Micsorare"_s}};
        for (const auto& [name, caption] : captions) {
            auto* a = preview->findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY2(a, name);
            QCOMPARE(a->text(), caption);
        }
        QCOMPARE(preview->findChild<QMenu*>(u"View"_s)->title(), u"Vizualizari"_s);
        QCOMPARE(preview->previewWidget()->zoomFactor(), 0.8);
        const QPageLayout layout = preview->printer().pageLayout();
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.orientation(), QPageLayout::Portrait);
        QCOMPARE(layout.margins(QPageLayout::Point), QMarginsF(28.35, 50, 28.35, 28.35));
        // What the preview shows goes to the printer as it is.
        preview->printer().setOutputFormat(QPrinter::PdfFormat);
        preview->printer().setOutputFileName(pdfPath());
        preview->previewWidget()->print();
        preview->findChild<QAction*>(u"Exit"_s)->trigger();
        QVERIFY(!preview->isVisible());
    });
    grid::printPreview(*m_grid, m_settings);
    QVERIFY(seen);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(pdf::pageText(pdfPath(), 1).contains(u"Lista de test"_s));
    QVERIFY(!pdf::hasInk(pdf::pageImage(pdfPath(), 1, 72), QRect(0, 0, 595, 49)));
}

void TestGridPrint::previewPrintAsksForThePrinter_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("printer chosen") << true;
    QTest::newRow("dialog cancelled") << false;
}

// The preview's Print asks for the printer through the program's printer
// dialog, as every print command does; a cancelled dialog prints nothing.
void TestGridPrint::previewPrintAsksForThePrinter()
{
    QFETCH(bool, confirmed);
    ui::testing::clearPrinters();
    ui::testing::pushPrinter(confirmed ? pdfPath() : QString());
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* preview = qobject_cast<grid::PrintPreview*>(QApplication::activeModalWidget());
        QVERIFY(preview);
        seen = true;
        const auto closer = qScopeGuard([preview] { preview->reject(); });
        preview->findChild<QAction*>(u"Print"_s)->trigger();
    });
    grid::printPreview(*m_grid, m_settings);
    QVERIFY(seen);
    QCOMPARE(ui::testing::printerDialogs(), 1);
    QCOMPARE(QFile::exists(pdfPath()), confirmed);
    if (confirmed)
        QVERIFY(pdf::pageText(pdfPath(), 1).contains(u"Pagina 1 din"_s));
}

QTEST_MAIN(TestGridPrint)
#include "tst_grid_print.moc"
