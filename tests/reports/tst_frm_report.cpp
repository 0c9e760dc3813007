// The report window on a copy of the seeded program folder: the declaration
// report 10001 of the shipped definition file, the refusals of a missing row,
// file or query, sub-reports, the caption, the header fields, the exports to
// HTML and PDF with their file names and the viewer, Excel, zoom, printing,
// and the window opened from the declaration window's print button.

#include "Deschizator_Test.h"
#include "Raport_Test.h"
#include "common/Pdf_Test.h"
#include "declaration/Frm_INTRASTAT.h"
#include "platform/report/Html_Test.h"
#include "platform/report/preview.h"
#include "platform/sys/clock.h"
#include "platform/ui/imprimanta.h"
#include "reports/Frm_Report.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString kTest =
    u"<?xml version=\"1.0\"?>\n<Reports>\n"
    u"<Report Name=\"Principal\" PageSize=\"9\" Orientation=\"1\">\n"
    u"<Sort><Column Name=\"Cod\"/></Sort>\n"
    u"<Section Name=\"Header\" Height=\"300\"><Field Name=\"Rep_ID\" Left=\"0\" Top=\"0\" "
    u"Width=\"2000\" Height=\"300\"/></Section>\n"
    u"<Section Name=\"Detail\" Height=\"300\">"
    u"<Field Name=\"Cod\" Source=\"Cod\" Left=\"0\" Top=\"0\" Width=\"2000\" Height=\"300\"/>"
    u"<Field Name=\"SubA\" Left=\"500\" Top=\"0\" Width=\"100\" Height=\"300\" Visible=\"0\"/>"
    u"</Section>\n"
    u"<Section Name=\"Footer\" Height=\"300\"><Field Name=\"SubB\" Left=\"0\" Top=\"0\" "
    u"Width=\"100\" Height=\"300\" Visible=\"0\"/></Section>\n"
    u"</Report>\n"
    u"<Report Name=\"Detalii_A\"><Section Name=\"Detail\" Height=\"250\">"
    u"<Field Template=\"A:{Denumire}\" Left=\"0\" Top=\"0\" Width=\"4000\" Height=\"250\"/>"
    u"</Section></Report>\n"
    u"<Report Name=\"Detalii_B\"><Section Name=\"Detail\" Height=\"250\">"
    u"<Field Template=\"B:{Cod}\" Left=\"0\" Top=\"0\" Width=\"4000\" Height=\"250\"/>"
    u"</Section></Report>\n"
    u"</Reports>\n"_s;

const QString kSqlTari = u"SELECT Tara_COD AS Cod, Tara_DESC AS Denumire FROM Tari "
                         u"WHERE Tara_COD IN ('RO', 'DE', 'FR')"_s;

bool scrie(const QString& cale, const QString& text)
{
    QDir().mkpath(QFileInfo(cale).absolutePath());
    QFile f(cale);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) > 0;
}

QString citeste(const QString& cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A Return_Report row of the common database.
bool randRaport(qint32 numar, const QString& fisier, const QString& nume, bool comun, const QString& sql,
                bool subrapoarte = false, const QString& captiune = u"Test"_s)
{
    return Raport_Test::executa(
        Conexiune_Comun,
        u"INSERT INTO Return_Report (REP_ID, XML_DEF, XML_FILE, REP_NAME, ComunDataBase, SQL_STR, "
        u"Exista_SUB_Reports, PageSize, PageOrientation, ReportCaption) VALUES ("_s +
            QString::number(numar) + u", 1, "_s + db::quoted(fisier) + u", "_s + db::quoted(nume) + u", "_s +
            (comun ? u"-1"_s : u"0"_s) + u", "_s + db::quoted(sql) + u", "_s +
            (subrapoarte ? u"-1"_s : u"0"_s) + u", 9, 1, "_s + db::quoted(captiune) + u")"_s);
}

bool randSub(qint32 numar, int ordine, const QString& nume, const QString& sectiune, const QString& camp,
             const QString& legatura)
{
    return Raport_Test::executa(Conexiune_Comun,
                                u"INSERT INTO Return_Report_SUB (REP_ID, SUB_ORDER, REP_NAME, SUB_LOCATIE, "
                                u"SUB_NAME, Link_TEXT) VALUES ("_s +
                                    QString::number(numar) + u", "_s + QString::number(ordine) + u", "_s +
                                    db::quoted(nume) + u", "_s + db::quoted(sectiune) + u", "_s +
                                    db::quoted(camp) + u", "_s + db::quoted(legatura) + u")"_s);
}

Frm_Report* deschide(qint32 numar, const QString& mod = u"0"_s, const QVariantList& parametri = {})
{
    Numar_Raport = numar;
    Mod_Raport = mod;
    Parametri_Raport = parametri;
    auto* f = ui::Forms::load<Frm_Report>(u"Frm_Report"_s);
    if (f)
        ui::Forms::show(u"Frm_Report"_s);
    return f;
}

const QVariantList kMartie{u"O"_s, u"RO123"_s, u"2015"_s, u"3"_s, u"N"_s};

QAction* comanda(QWidget* f, const QString& nume)
{
    return f->findChild<QAction*>(nume);
}

} // namespace

class TestFrmReport : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void declaratiaTiparita();
    void doarLiniileDeclaratiei_data();
    void doarLiniileDeclaratiei();
    void modAltulNuAtingeBazele();
    void numarFaraRand();
    void fisierDefinitie_data();
    void fisierDefinitie();
    void subrapoarte();
    void subrapoarteOprite();
    void titluCuDocument();
    void antetFirmaImplicita();
    void exporturi_data();
    void exporturi();
    void exportFaraVizualizator();
    void exportNedeschis_data();
    void exportNedeschis();
    void exportEsuatNuIntreaba();
    void numeFisierExport_data();
    void numeFisierExport();
    void formatSecunde_data();
    void formatSecunde();
    void conditieDeclaratie_data();
    void conditieDeclaratie();
    void zoom();
    void excel();
    void descarcare();
    void dinFereastraDeclaratiei();
};

void TestFrmReport::cleanup()
{
    sys::Clock::reset();
    ui::testing::clearPrinters();
}

// The declaration of March 2015, dispatches: the seeded definition with the
// working company in its header, printed through the printer dialog.
void TestFrmReport::declaratiaTiparita()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(f->windowState() & Qt::WindowMaximized);
    QCOMPARE(f->Raport.Date.recordCount(), 15);
    f->Raport.Date.moveFirst();
    QCOMPARE(f->windowTitle(), u"Declaratie Intrastat : "_s +
                                   f->Raport.Date.value(u"Document_Numar"_s).toText() + u" / "_s +
                                   f->Raport.Date.value(u"Document_Data"_s).toText());
    QVERIFY(f->windowTitle().contains(u" : F10"_s));
    QVERIFY2(QRegularExpression(u"^Raport generat in: \\d*\\.\\d{0,2} secunde$"_s)
                 .match(f->Report->navBarText())
                 .hasMatch(),
             qPrintable(f->Report->navBarText()));
    QCOMPARE(f->Report->zoomMode(), int(report::Preview::PageWidth));
    QCOMPARE(f->Report->navBar(), 3);
    QVERIFY(f->Report->pageCount() >= 1);

    const QString pdf = t.cale(u"tiparit.pdf"_s);
    ui::testing::pushPrinter(pdf);
    comanda(f, u"Print"_s)->trigger();
    QCOMPARE(ui::testing::printerDialogs(), 1);
    const int pagini = pdf::pagini(pdf);
    QCOMPARE(pagini, f->Report->pageCount());
    const QString prima = pdf::text(pdf, 1);
    for (const QString& s :
         {u"FIRMA TEST SRL"_s, u"Adresa: Str. Lunga 1"_s, u"Brasov - 500001"_s, u"Cod TVA: RO123"_s,
          u"Nr.Reg.Com: J08/1/2000"_s, u"Telefon: 0268111222"_s, u"10001"_s, u"ion / birou1"_s,
          u"DECLARATIE INTRASTAT"_s, u"EXPEDIERI"_s, u"Luna 3 / Anul 2015"_s, u"declarant: RO123"_s,
          u"VELMORANT SRL Telefon : 0700000000"_s, u"Pagina 1 din "_s})
        QVERIFY2(prima.simplified().contains(s), qPrintable(s + u"\n"_s + prima));
    const QString ultima = pdf::text(pdf, pagini).simplified();
    QVERIFY2(ultima.contains(u"TOTAL DECLARATIE"_s), qPrintable(ultima));
    QVERIFY(ultima.contains(u"Intocmit: ion"_s));
    QVERIFY(ultima.contains(u"Numar linii: 15"_s));
    // The total of the fiscal values of the fifteen lines.
    const double total =
        Raport_Test::valoare(Conexiune_Firma, u"SELECT SUM(Val_Fiscala) FROM Intrastat WHERE TIP='O' AND "
                                              u"Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3"_s)
            .toDouble();
    QVERIFY2(ultima.contains(QLocale().toString(total, 'f', 2)), qPrintable(ultima));
}

// The report prints the lines of the declaration handed over, and no other
// declaration's, whatever the data query holds.
void TestFrmReport::doarLiniileDeclaratiei_data()
{
    QTest::addColumn<QVariantList>("parametri");
    QTest::addColumn<int>("linii");
    QTest::addColumn<QString>("flux");
    QTest::newRow("dispatches March") << kMartie << 15 << u"EXPEDIERI"_s;
    QTest::newRow("arrivals March") << QVariantList{u"I"_s, u"RO123"_s, u"2015"_s, u"3"_s, u"C"_s} << 4
                                    << u"SOSIRI"_s;
    QTest::newRow("January 2016") << QVariantList{u"O"_s, u"RO123"_s, u"2016"_s, u"1"_s, u"N"_s} << 5
                                  << u"EXPEDIERI"_s;
    QTest::newRow("another company") << QVariantList{u"O"_s, u"RO999"_s, u"2015"_s, u"3"_s, u"N"_s} << 2
                                     << u"EXPEDIERI"_s;
    QTest::newRow("empty window") << QVariantList{QString(), u"RO123"_s, QString(), QString(), u"N"_s} << 0
                                  << QString();
}

void TestFrmReport::doarLiniileDeclaratiei()
{
    QFETCH(QVariantList, parametri);
    QFETCH(int, linii);
    QFETCH(QString, flux);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, parametri);
    QVERIFY(f);
    QCOMPARE(f->Raport.Date.recordCount(), linii);
    const QString html = t.cale(u"d.htm"_s);
    QVERIFY(!f->Raport.SursaReport.renderToFile(html, report::FileFormat::Html));
    const QStringList texte = html::texte(citeste(html));
    if (!flux.isEmpty())
        QVERIFY(texte.contains(flux));
    QVERIFY(texte.contains(QString::number(linii)));
}

void TestFrmReport::modAltulNuAtingeBazele()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Conexiune_Comun.close();
    Conexiune_Firma.close();
    Frm_Report* f = deschide(10001, u"1"_s, kMartie);
    QVERIFY(f);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(f->windowState() & Qt::WindowMaximized);
    QCOMPARE(f->windowTitle(), u"Tipariri"_s);
    QCOMPARE(f->Report->pageCount(), 0);
    QVERIFY(f->Report->navBarText().isEmpty());
    comanda(f, u"Excel"_s)->trigger();
    QVERIFY(Raport_Test::exportate().isEmpty());
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmReport::numarFaraRand()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(999, u"0"_s, kMartie);
    QVERIFY(f);
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m.at(0).text, u"Eroare la determinare numar Report "_s);
    QCOMPARE(m.at(0).title, std::optional<QString>(u"EROARE TIPARIRE"_s));
    QCOMPARE(m.at(0).icon, ui::Icon::Critical);
    QCOMPARE(f->windowTitle(), u"Tipariri"_s);
    QCOMPARE(f->Report->pageCount(), 0);
    QVERIFY(f->Report->navBarText().startsWith(u"Raport generat in: "_s));
}

// Where the definition comes from, and what the window says when it cannot
// be loaded: it opens with an empty preview either way.
void TestFrmReport::fisierDefinitie_data()
{
    QTest::addColumn<QString>("fisier");  // XML_FILE; "<root>" stands for the tree's folder
    QTest::addColumn<QString>("scrisLa"); // where the test writes the definition ("" nowhere)
    QTest::addColumn<QString>("nume");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("mesaj"); // "" when the report shows
    QTest::addColumn<QString>("titlu");
    QTest::newRow("name in ReportDefinition") << u"Test.xml"_s << u"System/ReportDefinition/Test.xml"_s
                                              << u"Principal"_s << kSqlTari << QString() << QString();
    QTest::newRow("full path") << u"<root>/Alte/Test.xml"_s << u"Alte/Test.xml"_s << u"Principal"_s
                               << kSqlTari << QString() << QString();
    QTest::newRow("missing in both places")
        << u"Lipsa.xml"_s << QString() << u"Principal"_s << kSqlTari
        << u"NU EXISTA FISIERUL : <root>/System/ReportDefinition/Lipsa.xml"_s << u"EROARE MAJORA"_s;
    QTest::newRow("no such report in the file")
        << u"Test.xml"_s << u"System/ReportDefinition/Test.xml"_s << u"Absent"_s << kSqlTari
        << u"EROARE : 5\r\nThe report \"Absent\" is not in <root>/System/ReportDefinition/Test.xml"_s
        << u"EROARE TIPARIRE"_s;
    QTest::newRow("query that fails")
        << u"Test.xml"_s << u"System/ReportDefinition/Test.xml"_s << u"Principal"_s
        << u"SELECT * FROM Nu_Exista"_s << u"EROARE : "_s << u"EROARE TIPARIRE"_s;
}

void TestFrmReport::fisierDefinitie()
{
    QFETCH(QString, fisier);
    QFETCH(QString, scrisLa);
    QFETCH(QString, nume);
    QFETCH(QString, sql);
    QFETCH(QString, mesaj);
    QFETCH(QString, titlu);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    const QString radacina = t.arbore().radacina();
    if (!scrisLa.isEmpty())
        QVERIFY(scrie(t.cale(scrisLa), kTest));
    QVERIFY(randRaport(20001, fisier.replace(u"<root>"_s, radacina), nume, true, sql));
    Frm_Report* f = deschide(20001);
    QVERIFY(f);
    const QList<ui::testing::Call> m = ui::testing::messages();
    if (mesaj.isEmpty()) {
        QVERIFY(m.isEmpty());
        QCOMPARE(f->Raport.SursaReport.name(), u"Principal"_s);
        QCOMPARE(f->Report->pageCount(), 1);
        QCOMPARE(f->windowTitle(), u"Test"_s); // the query has no document columns
        return;
    }
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.at(0).text.startsWith(mesaj.replace(u"<root>"_s, radacina)), qPrintable(m.at(0).text));
    QCOMPARE(m.at(0).title, std::optional<QString>(titlu));
    QCOMPARE(m.at(0).icon, ui::Icon::Critical);
    QCOMPARE(f->Report->pageCount(), 0);
    QVERIFY(f->Report->navBarText().isEmpty());
}

// Two sub-report rows: members 0 and 1 print, in the rows' order, under the
// fields they name; member 2 stays unused.
void TestFrmReport::subrapoarte()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(scrie(t.cale(u"System/ReportDefinition/Test.xml"_s), kTest));
    QVERIFY(randRaport(20001, u"Test.xml"_s, u"Principal"_s, true, kSqlTari, true));
    QVERIFY(randSub(20001, 2, u"Detalii_B"_s, u"Footer"_s, u"SubB"_s, QString()));
    QVERIFY(randSub(20001, 1, u"Detalii_A"_s, u"Detail"_s, u"SubA"_s, u"Cod=Cod"_s));
    Frm_Report* f = deschide(20001);
    QVERIFY(f);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QCOMPARE(f->Raport.SUB_SursaReport[0].name(), u"Detalii_A"_s);
    QCOMPARE(f->Raport.SUB_SursaReport[1].name(), u"Detalii_B"_s);
    QVERIFY(!f->Raport.SUB_SursaReport[2].isLoaded());
    const report::Field* a = f->Raport.SursaReport.field(u"Detail"_s, u"SubA"_s);
    QCOMPARE(a->subreport, &f->Raport.SUB_SursaReport[0]);
    QVERIFY(a->visible);
    QCOMPARE(a->text, u"Cod=Cod"_s);
    const QString html = t.cale(u"sub.htm"_s);
    QVERIFY(!f->Raport.SursaReport.renderToFile(html, report::FileFormat::Html));
    QCOMPARE(html::texte(citeste(html)),
             (QStringList{u"20001"_s, u"DE"_s, u"A:Germania"_s, u"FR"_s, u"A:Franța"_s, u"RO"_s,
                          u"A:România"_s, u"B:DE"_s, u"B:FR"_s, u"B:RO"_s}));
}

// Without the flag the sub-report rows are never read, even when they could
// not be loaded.
void TestFrmReport::subrapoarteOprite()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(scrie(t.cale(u"System/ReportDefinition/Test.xml"_s), kTest));
    QVERIFY(randRaport(20001, u"Test.xml"_s, u"Principal"_s, true, kSqlTari, false));
    QVERIFY(randSub(20001, 1, u"Nu_Exista"_s, u"Detail"_s, u"Nu_Exista"_s, QString()));
    Frm_Report* f = deschide(20001);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(!f->Raport.SUB_SursaReport[0].isLoaded());
    QCOMPARE(f->Report->pageCount(), 1);

    // With the flag, the same row is refused with its reason.
    QVERIFY(Raport_Test::executa(Conexiune_Comun, u"UPDATE Return_Report SET Exista_SUB_Reports = -1"_s));
    QVERIFY(ui::Forms::unload(u"Frm_Report"_s));
    ui::testing::clear();
    f = deschide(20001);
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.at(0).text.contains(u"\"Nu_Exista\""_s), qPrintable(m.at(0).text));
    QCOMPARE(f->Report->pageCount(), 0);
}

void TestFrmReport::titluCuDocument()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    QVERIFY(scrie(t.cale(u"System/ReportDefinition/Test.xml"_s), kTest));
    QVERIFY(randRaport(20002, u"Test.xml"_s, u"Principal"_s, true,
                       u"SELECT 17 AS Document_Numar, #02/01/2026# AS Document_Data, 'RO' AS Cod"_s, false,
                       u"Document"_s));
    Frm_Report* f = deschide(20002);
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), u"Document : 17 / "_s + f->Raport.Date.value(u"Document_Data"_s).toText());
    QVERIFY(f->windowTitle().startsWith(u"Document : 17 / 2026-02-01"_s));

    // An empty data record set leaves the caption as the row gives it.
    QVERIFY(randRaport(
        20003, u"Test.xml"_s, u"Principal"_s, true,
        u"SELECT Tara_COD AS Cod, Tara_COD AS Document_Numar, Tara_DESC AS Document_Data FROM Tari "
        u"WHERE Tara_COD = 'XX'"_s,
        false, u"Gol"_s));
    QVERIFY(ui::Forms::unload(u"Frm_Report"_s));
    f = deschide(20003);
    QCOMPARE(f->windowTitle(), u"Gol"_s);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmReport::antetFirmaImplicita()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    FirmaCurenta_Nume = u"FIRMA"_s;
    for (QString* v : {&FirmaCurenta_Adresa, &FirmaCurenta_Oras, &FirmaCurenta_CodPostal,
                       &FirmaCurenta_CodFiscal, &FirmaCurenta_RegCom, &FirmaCurenta_Tel})
        *v = u"x"_s;
    Utilizator_Windows = u"N/A"_s;
    Nume_Calculator = u"?"_s;
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    report::Report& r = f->Raport.SursaReport;
    QCOMPARE(r.field(u"Header"_s, u"Antet"_s)->text,
             u"FIRMA\r\nAdresa: x\r\nx - x\r\nCod TVA: x\r\nNr.Reg.Com: x\r\nTelefon: x"_s);
    QCOMPARE(r.field(u"Header"_s, u"USER"_s)->text, u"N/A / ?"_s);
    QCOMPARE(r.field(u"Header"_s, u"Rep_ID"_s)->text, u"10001"_s);
    QCOMPARE(r.field(u"Footer"_s, u"UserName"_s)->text, u"N/A"_s);
    QCOMPARE(r.field(u"Page Footer"_s, u"Producator"_s)->text, u"VELMORANT SRL  Telefon : 0700000000"_s);
}

void TestFrmReport::exporturi_data()
{
    QTest::addColumn<QString>("meniu");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("extensie");
    QTest::addColumn<QString>("timp");
    QTest::newRow("HTML") << u"ExportaHTML"_s << u"Rapoarte/HTML/"_s << u".Htm"_s
                          << u"HTML - Raport generat in: "_s;
    QTest::newRow("PDF") << u"ExportaPDF"_s << u"Rapoarte/PDF/"_s << u".pdf"_s
                         << u"PDF - Raport generat in: "_s;
}

// The export is named after the document in the caption, offered to the
// viewer, and replaces the file of an earlier export of the same report.
void TestFrmReport::exporturi()
{
    QFETCH(QString, meniu);
    QFETCH(QString, folder);
    QFETCH(QString, extensie);
    QFETCH(QString, timp);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Cale_IExplore = u"/usr/bin/browser"_s;
    Exista_IExplore = true;
    Cale_AcroRd32 = u"/usr/bin/cititor pdf"_s;
    Exista_AcroRd32 = true;
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    f->setWindowTitle(u"Declaratie Intrastat : 12/A-7 / 31.01.2026"_s);
    const QString cale = Folder_Sistem + folder + u"12_A7_31_01_2026"_s + extensie;
    QVERIFY(scrie(cale, u"vechi"_s));

    ui::testing::pushAnswer(ui::Answer::Yes);
    comanda(f, meniu)->trigger();
    QVERIFY(!QApplication::overrideCursor());
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m.at(0).text, u"A FOST GENERAT FISIERUL: \r\n"_s + cale + u"\r\nDESCHID FISIERUL ?"_s);
    QCOMPARE(m.at(0).title, std::optional<QString>(u"MESAJ"_s));
    QCOMPARE(m.at(0).icon, ui::Icon::None);
    QCOMPARE(m.at(0).buttons, ui::Buttons::YesNoCancel);
    QCOMPARE(Raport_Test::pornite().size(), 1);
    QCOMPARE(Raport_Test::pornite().at(0).program, extensie == u".pdf"_s ? Cale_AcroRd32 : Cale_IExplore);
    QCOMPARE(Raport_Test::pornite().at(0).argumente, QStringList{cale});
    QVERIFY2(f->Report->navBarText().startsWith(timp), qPrintable(f->Report->navBarText()));
    // The earlier file is replaced by the report.
    if (extensie == u".pdf"_s)
        QVERIFY(pdf::text(cale, 1).contains(u"DECLARATIE INTRASTAT"_s));
    else
        QVERIFY(citeste(cale).contains(u"DECLARATIE INTRASTAT"_s));

    // No: nothing is opened.
    ui::testing::pushAnswer(ui::Answer::No);
    comanda(f, meniu)->trigger();
    QCOMPARE(Raport_Test::pornite().size(), 1);
    QCOMPARE(ui::testing::messages().size(), 2);
}

void TestFrmReport::exportFaraVizualizator()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Cale_AcroRd32 = u"/nu/exista"_s;
    Exista_AcroRd32 = false;
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    ui::testing::pushAnswer(ui::Answer::Yes);
    comanda(f, u"ExportaPDF"_s)->trigger();
    // The file was made, and no viewer can show it: said, with its path.
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.size(), 2);
    const QString text = mesaje.at(1).text;
    QVERIFY2(text.contains(u"Fisierul nu a putut fi deschis"_s) && text.contains(u"/nu/exista"_s), qPrintable(text));
    const QString cale = text.section(u"\r\n"_s, 2, 2);
    QVERIFY2(cale.endsWith(u".pdf"_s, Qt::CaseInsensitive) && QFile::exists(cale), qPrintable(text));
    QVERIFY(Raport_Test::pornite().isEmpty());
}

void TestFrmReport::exportNedeschis_data()
{
    exporturi_data();
}

// "Da" to "DESCHID FISIERUL ?" where nothing can open the file (the opener
// finds no program for it): the error names the file's full path.
void TestFrmReport::exportNedeschis()
{
    QFETCH(QString, meniu);
    QFETCH(QString, folder);
    QFETCH(QString, extensie);
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Seteaza_Pornire_Vizualizator({}); // the viewer itself, its answer waited for
    const Deschizator_Test deschizator(t.cale(u"bin"_s), 3);
    QVERIFY(deschizator.ok());
    Cale_IExplore = deschizator.cale();
    Exista_IExplore = true;
    Cale_AcroRd32 = deschizator.cale();
    Exista_AcroRd32 = true;
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    f->setWindowTitle(u"Declaratie Intrastat : 12/A-7 / 31.01.2026"_s);
    const QString cale = Folder_Sistem + folder + u"12_A7_31_01_2026"_s + extensie;

    ui::testing::pushAnswer(ui::Answer::Yes);
    comanda(f, meniu)->trigger();
    QCOMPARE(deschizator.fisiere(), QStringList{cale});
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 2);
    QCOMPARE(m.at(1).text, u"Error -2147467259\r\nFisierul nu a putut fi deschis:\r\n"_s + cale +
                               u"\r\nNu este instalat niciun program care sa deschida acest fel de fisier "
                               u"(xdg-open, codul 3)."_s);
    QCOMPARE(m.at(1).icon, ui::Icon::None);
    QCOMPARE(m.at(1).title, std::nullopt);
    QVERIFY(QFile::exists(cale));
    QVERIFY(!QApplication::overrideCursor());
}

// A file that cannot be written is reported as such: no offer to open a file
// that was never written.
void TestFrmReport::exportEsuatNuIntreaba()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(QDir(Folder_Sistem + u"Rapoarte/HTML"_s).removeRecursively());
    comanda(f, u"ExportaHTML"_s)->trigger();
    const QList<ui::testing::Call> m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.at(0).text.startsWith(u"Error 75\r\n"_s), qPrintable(m.at(0).text));
    QCOMPARE(m.at(0).icon, ui::Icon::None);
    QCOMPARE(m.at(0).title, std::optional<QString>());
    QVERIFY(Raport_Test::pornite().isEmpty());
    // The bar keeps the report's own time: no file was made.
    QVERIFY2(f->Report->navBarText().startsWith(u"Raport generat in: "_s),
             qPrintable(f->Report->navBarText()));
}

void TestFrmReport::numeFisierExport_data()
{
    QTest::addColumn<QString>("titlu");
    QTest::addColumn<QString>("captiune");
    QTest::addColumn<QString>("nume");
    QTest::newRow("number and date") << u"Declaratie Intrastat : 12/A / 31.01.2026"_s
                                     << u"Declaratie Intrastat"_s << u"12_A_31_01_2026"_s;
    QTest::newRow("no colon") << u"Declaratie Intrastat"_s << u"Declaratie Intrastat"_s
                              << u"eclaratieIntrastat"_s;
    QTest::newRow("blank after the colon")
        << u"Declaratie:"_s << u"Declaratie:"_s << u"Declaratie_09_12_2026"_s;
    QTest::newRow("empty number and date")
        << u"Declaratie Intrastat :  / "_s << u"Declaratie Intrastat"_s << u"_"_s;
    QTest::newRow("signs and slashes") << u"R : A-1+2\\B / 1,5!@%$*&;"_s << u"R"_s << u"A12_B_15"_s;
}

void TestFrmReport::numeFisierExport()
{
    QFETCH(QString, titlu);
    QFETCH(QString, captiune);
    QFETCH(QString, nume);
    QCOMPARE(Nume_Fisier_Export(titlu, captiune, QDate(2026, 12, 9)), nume);
}

void TestFrmReport::formatSecunde_data()
{
    QTest::addColumn<double>("secunde");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 0.5 << u".5"_s;
    QTest::newRow("whole") << 2.0 << u"2."_s;
    QTest::newRow("zero") << 0.0 << u"."_s;
    QTest::newRow("two decimals") << 1.234 << u"1.23"_s;
    QTest::newRow("rounded") << 12.346 << u"12.35"_s;
}

void TestFrmReport::formatSecunde()
{
    QFETCH(double, secunde);
    QFETCH(QString, text);
    QCOMPARE(Format_Secunde(secunde), text);
}

void TestFrmReport::conditieDeclaratie_data()
{
    QTest::addColumn<QVariantList>("parametri");
    QTest::addColumn<QString>("conditie");
    QTest::newRow("key") << kMartie
                         << u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
    QTest::newRow("quote") << QVariantList{u"I"_s, u"RO'1"_s, 2016, 12}
                           << u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO''1' AND [Anul]=2016 AND [Luna]=12"_s;
    QTest::newRow("year not a number")
        << QVariantList{u"O"_s, u"RO1"_s, u"2015 OR 1=1"_s, u"3"_s} << u" WHERE 0 = 1"_s;
    QTest::newRow("empty boxes") << QVariantList{QString(), QString(), QString(), QString(), u"N"_s}
                                 << u" WHERE 0 = 1"_s;
    QTest::newRow("nothing handed over") << QVariantList{} << QString();
}

void TestFrmReport::conditieDeclaratie()
{
    QFETCH(QVariantList, parametri);
    QFETCH(QString, conditie);
    QCOMPARE(Conditie_Raport_Declaratie(parametri), conditie);
}

void TestFrmReport::zoom()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    const struct
    {
        const char16_t* comanda;
        int mod;
        double procent; // 0: set by the mode
    } pasi[] = {
        {u"ThumbnailPage", report::Preview::AllPages, 0}, {u"Zoom_100", report::Preview::Percent, 100},
        {u"WholePage", report::Preview::WholePage, 0},    {u"Zoom_25", report::Preview::Percent, 25},
        {u"TwoPage", report::Preview::TwoPages, 0},       {u"Zoom_150", report::Preview::Percent, 150},
        {u"PageWith", report::Preview::PageWidth, 0},     {u"Zoom_75", report::Preview::Percent, 75},
        {u"Zoom_50", report::Preview::Percent, 50}};
    for (const auto& p : pasi) {
        comanda(f, QString::fromUtf16(p.comanda))->trigger();
        QCOMPARE(f->Report->zoomMode(), p.mod);
        if (p.procent > 0)
            QCOMPARE(f->Report->zoom(), p.procent);
    }
    // The menu's own texts.
    QCOMPARE(comanda(f, u"ThumbnailPage"_s)->text(), u"Toate Paginile"_s);
    QCOMPARE(f->findChild<QMenu*>(u"Zoom"_s)->title(), u"Marire-Micsorare"_s);
}

// Excel gets a copy of the data; the window keeps its own rows open.
void TestFrmReport::excel()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    comanda(f, u"Excel"_s)->trigger();
    QCOMPARE(Raport_Test::exportate().size(), 1);
    QVERIFY(QFile::exists(Raport_Test::exportate().at(0)));
    QVERIFY(f->Raport.Date.isOpen());
    QCOMPARE(f->Raport.Date.recordCount(), 15);
    comanda(f, u"Excel"_s)->trigger();
    QCOMPARE(Raport_Test::exportate().size(), 2);
}

void TestFrmReport::descarcare()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Frm_Report* f = deschide(10001, u"0"_s, kMartie);
    QVERIFY(f);
    db::Recordset date = f->Raport.Date;
    QVERIFY(ui::Forms::unload(u"Frm_Report"_s));
    QVERIFY(!date.isOpen());
    QCOMPARE(f->Report->pageCount(), 0);
}

// The declaration window's print button opens the report of its declaration,
// modal; the pointer is back to normal once the report is shown.
void TestFrmReport::dinFereastraDeclaratiei()
{
    Raport_Test t;
    VERIFICA_RAPORT(t);
    Filtru_Intrastat = u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
    auto* d = ui::Forms::load<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
    QVERIFY(d);
    ui::Forms::show(u"Frm_INTRASTAT"_s);
    int linii = -1;
    bool modal = false;
    QString titlu;
    Qt::CursorShape cursor = Qt::WaitCursor;
    QTimer::singleShot(0, [&] {
        auto* r = ui::Forms::get<Frm_Report>(u"Frm_Report"_s);
        if (!r)
            return;
        linii = r->Raport.Date.recordCount();
        modal = r->isModal() || r->windowModality() != Qt::NonModal;
        titlu = r->windowTitle();
        QApplication::setActiveWindow(r);
        r->Form_Activate();
        cursor = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        ui::Forms::unload(r);
    });
    d->findChild<QPushButton*>(u"Cmd_Print"_s)->click();
    QCOMPARE(linii, 4);
    QVERIFY(modal);
    QVERIFY(titlu.startsWith(u"Declaratie Intrastat : "_s));
    QCOMPARE(cursor, Qt::ArrowCursor);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestFrmReport)
#include "tst_frm_report.moc"
