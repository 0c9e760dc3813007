// The whole road of one declaration, as a user walks it: a template, a
// workbook imported through the import window with the fiscal code typed
// with its "RO", the lines opened through the declaration chooser, verified,
// and written as the declaration file; a month of amounts in the billions,
// rounded once, half to even, from the workbook to the file, and a refused
// file that names the line the grid shows; and the demonstration company's
// first road, to its declaration file and its printout.

#include "Mediu_Preluare.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Frm_Intrastat_Selectie.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Machete.h"
#include "platform/grid/cut_cells.h"
#include "platform/grid/grid.h"
#include "platform/grid/typing.h"
#include "platform/ui/forms.h"
#include "reports/Ferestre_Rapoarte.h"
#include "reports/Frm_Report.h"
#include "shell/Selectie_Firma.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

QString citeste(const QString& cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The text of every element of that name, in document order; empty when the
// document is not well-formed.
QStringList elemente(const QString& xml, const QString& nume)
{
    QStringList gasite;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == nume)
            gasite << r.readElementText();
    }
    return r.hasError() ? QStringList() : gasite;
}

// The import window as the menu opens it, with a template chosen as the
// user does (typed, then the focus leaves the list).
Frm_Preluare_Excel* deschidePreluarea(const QString& macheta)
{
    ui::Forms::resetForTests();
    Inregistreaza_Ferestre_Declaratie();
    ui::Forms::registerWindow(u"Frm_Preluare_Excel"_s, [] { return new Frm_Preluare_Excel; });
    if (!ui::Forms::show(u"Frm_Preluare_Excel"_s))
        return nullptr;
    auto* preluare = ui::Forms::get<Frm_Preluare_Excel>(u"Frm_Preluare_Excel"_s);
    if (!preluare)
        return nullptr;
    preluare->Combo_NumeMacheta->setEditText(macheta);
    QFocusEvent iesire(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(preluare->Combo_NumeMacheta, &iesire);
    return preluare;
}

// The import of the workbook for March 2026 of the demonstration company,
// through the window of deschidePreluarea, as far as the finished copy.
Frm_Preluare_Excel* preia(const QString& macheta, const QString& cale)
{
    auto* preluare = deschidePreluarea(macheta);
    if (!preluare)
        return nullptr;
    preluare->TXT_Anul->setText(u"2026"_s);
    preluare->TXT_Luna->setText(u"3"_s);
    preluare->TXT_CodFiscal->setText(u"RO0000001"_s);
    preluare->Txt_ExcelFile->setText(cale);
    preluare->Txt_SheetName->setEditText(u"Sheet1"_s);
    ui::testing::clear();
    QTest::mouseClick(preluare->CmdReadFile, Qt::LeftButton);
    return preluare;
}

// "2. Vizualizare date": the declaration window on the imported lines, once active.
Frm_INTRASTAT* vizualizeaza(Frm_Preluare_Excel* preluare)
{
    QTest::mouseClick(preluare->CmdExit, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
    return declaratie && QTest::qWaitForWindowActive(declaratie) ? declaratie : nullptr;
}

// "Verifica Date" on March 2026: "" when it says "NU SUNT PROBLEME", else its problem log.
QString problemeVerificare(Frm_INTRASTAT* declaratie)
{
    ui::testing::clear();
    QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Verifica"_s), Qt::LeftButton);
    if (!ui::testing::messages().isEmpty() && ui::testing::messages().last().text == u"NU SUNT PROBLEME"_s)
        return QString();
    const QString jurnal = citeste(Folder_Sistem + u"Verificare/RO0000001_O_3_2026.txt"_s);
    return jurnal.isEmpty() ? u"(no problem log)"_s : jurnal;
}

// A dispatch template of large amounts: code, country, the two values, mass,
// quantity, the partner's VAT number, currency value and rate from the
// sheet, the transaction's codes from defaults.
bool machetaSumeMari()
{
    return Mediu::macheta(u"Livrari mari"_s, u"LIVRARE"_s,
                          {{u"Cod_NC"_s, 1, {}, {}},
                           {u"Tara_Dest"_s, 2, {}, 2},
                           {u"Val_Fiscala"_s, 3, {}, {}},
                           {u"Val_Stat"_s, 4, {}, {}},
                           {u"Net"_s, 5, {}, {}},
                           {u"Cantitate"_s, 6, {}, {}},
                           {u"VAT_ID"_s, 7, {}, {}},
                           {u"Valoare_Valuta"_s, 8, {}, {}},
                           {u"Curs_Schimb"_s, 9, {}, {}},
                           {u"Nat_Tranz"_s, 0, u"11"_s, 2},
                           {u"Incoterms"_s, 0, u"EXW"_s, 3},
                           {u"Mod_Transp"_s, 0, u"3"_s, 2}});
}

// "Generare Fisier Intrastat (XML)" of March 2026 with the statistical
// value declared: the file written, or what was said instead.
QString declaraValoareaStatistica(Frm_INTRASTAT* declaratie)
{
    declaratie->findChild<QCheckBox*>(u"Check_ValStatistica"_s)->setChecked(true);
    ui::testing::clear();
    QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Fisier"_s), Qt::LeftButton);
    const QString spus = ui::testing::messages().isEmpty() ? QString() : ui::testing::messages().last().text;
    if (!spus.startsWith(u"A fost generat fisierul "_s))
        return u"no file, said: "_s + spus;
    return citeste(Folder_Sistem + u"IntrastatSave/0000000001_D_20263.xml"_s);
}

} // namespace

class TestDrumDeclaratie : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { ui::Forms::resetForTests(); }

    void importVerificareFisier()
    {
        Mediu m;
        QVERIFY(m.gata());

        // A dispatch template: code, country, value (fiscal and statistical),
        // mass, quantity and the partner's VAT number from the sheet; the
        // rest from defaults.
        QVERIFY(Mediu::macheta(u"Vanzari UE"_s, u"LIVRARE"_s,
                               {{u"Cod_NC"_s, 1, {}, {}},
                                {u"Tara_Dest"_s, 2, {}, 2},
                                {u"Val_Fiscala"_s, 3, {}, {}},
                                {u"Val_Stat"_s, 3, {}, {}},
                                {u"Net"_s, 4, u"0"_s, {}},
                                {u"Cantitate"_s, 5, {}, {}},
                                {u"VAT_ID"_s, 6, {}, {}},
                                {u"Nat_Tranz"_s, 0, u"11"_s, 2},
                                {u"Incoterms"_s, 0, u"EXW"_s, 3},
                                {u"Mod_Transp"_s, 0, u"3"_s, 2}}));
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"martie.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(
            cale, {{u"Cod"_s, u"Tara"_s, u"Valoare"_s, u"Net"_s, u"Cantitate"_s, u"TVA"_s},
                   {u"0101 21 00"_s, u"de"_s, 1000.4, 12.5, 3, u"DE123456789"_s},
                   {u"01012910"_s, u"FR"_s, 2000, 40, 2, u"FR12345678901"_s}}));

        // The import, through its window.
        auto* preluare = preia(u"Vanzari UE"_s, cale);
        QVERIFY(preluare);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE TIP='O' AND Cod_Fiscal='RO0000001' "
                                "AND Anul=2026 AND Luna=3 AND Cod_NC='01012100' AND Tara_Dest='DE' "
                                "AND Tara_Exp='RO' AND Cod_UMS='p/st' AND Val_UMS=3 AND Val_Fiscala=1000"_s)
                     .toInt(),
                 1);
        QTest::mouseClick(preluare->CmdExit, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // The chooser lists the period and opens it, for the company as the
        // company chooser loads it.
        FirmaCurenta_Nume = u"FIRMA DEMONSTRATIVA SRL"_s;
        QVERIFY(ui::Forms::unload(u"Frm_INTRASTAT"_s));
        QVERIFY(ui::Forms::show(u"Frm_Intrastat_Selectie"_s));
        auto* alegere = ui::Forms::get<Frm_Intrastat_Selectie>(u"Frm_Intrastat_Selectie"_s);
        QVERIFY(alegere);
        auto* perioade = alegere->findChild<QComboBox*>(u"Combo_Anul"_s);
        const int perioada = perioade->findText(u"O - 2026 - 3"_s);
        QVERIFY(perioada >= 0);
        perioade->setCurrentIndex(perioada);
        alegere->Combo_Anul_Click();
        QTest::mouseClick(alegere->findChild<QPushButton*>(u"Cmd_Open_Date"_s), Qt::LeftButton);
        auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        QVERIFY(declaratie);
        QVERIFY(QTest::qWaitForWindowActive(declaratie));
        QCOMPARE(declaratie->windowTitle(), u"INTRASTAT -  ANUL: 2026   LUNA: 3  INREGISTRARI : 2"_s);
        QCOMPARE(declaratie->GridIntrastat->dataRowCount(), 2);

        // A clean month verifies without problems.
        QCOMPARE(problemeVerificare(declaratie), QString());
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Probleme<>0"_s).toInt(), 0);

        // The declaration file holds the two items.
        ui::testing::clear();
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Fisier"_s), Qt::LeftButton);
        const QString xml = citeste(Folder_Sistem + u"IntrastatSave/0000000001_D_20263.xml"_s);
        QCOMPARE(elemente(xml, u"Cn8Code"_s), (QStringList{u"01012100"_s, u"01012910"_s}));
        QCOMPARE(elemente(xml, u"InvoiceValue"_s), (QStringList{u"1000"_s, u"2000"_s}));
        QCOMPARE(elemente(xml, u"PartnerVatNr"_s).size(), 2);
        QCOMPARE(elemente(xml, u"RefPeriod"_s), QStringList{u"2026-03"_s});
        QCOMPARE(elemente(xml, u"FirmName"_s), QStringList{u"FIRMA DEMONSTRATIVA SRL"_s});
        QVERIFY(ui::testing::messages().last().text.startsWith(u"A fost generat fisierul "_s));
    }

    // Amounts of 10 million to 3 billion lei, x.49 and x.51 among them, in
    // number cells and in a text cell of Romanian form, with a blank row:
    // stored as whole lei and kilograms rounded once, half to even; the
    // journal counts the lines saved; the grid shows them whole and totals
    // them; the file declares the same sums. A value the file refuses then
    // names the line by the grid's "Poz".
    void largeAmountsRoundOnce()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(machetaSumeMari());
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"mari.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(
            cale,
            {{u"Cod"_s, u"Tara"_s, u"Fiscala"_s, u"Statistica"_s, u"Net"_s, u"Cantitate"_s, u"TVA"_s,
              u"Valuta"_s, u"Curs"_s},
             {u"01012100"_s, u"DE"_s, 987654321.49, 987654321.51, 8765432.49, 12345678.25, u"DE123456789"_s,
              198443401.25, 4.977},
             {u"01012910"_s, u"FR"_s, u"2.500.000.000,5"_s, 123456789.5, 10000000.5, 2, u"FR12345678901"_s,
              502311831.4, 4.977},
             {},
             {u"01012100"_s, u"IT"_s, 2999999999.51, 2999999999.49, 12345678.51, 1, u"IT12345678901"_s,
              602772700.75, 4.977},
             {u"01012100"_s, u"DE"_s, 10000000.5, 10000001.5, 1.5, 1, u"DE123456789"_s, 2009242.5, 4.977}}));

        auto* preluare = preia(u"Livrari mari"_s, cale);
        QVERIFY(preluare);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        QCOMPARE(preluare->LblBar->text(),
                 u"Au fost preluate : 4 inregistrari din totalul de : 4\nSalvate complet : 4"
                 u"   Cu valori refuzate : 0   Randuri goale sarite : 1"_s);
        const QString jurnal = preluare->TxtMesaj->toPlainText();
        QVERIFY2(jurnal.endsWith(u"TOTAL INREGISTRARI CITITE: 4\nSE RETIN DATELE - Inregistrarea : 4\n\n"
                                 u"OPERATIE TERMINATA . . ."_s),
                 qPrintable(jurnal));
        // Record by record, as the sheet holds them (the blank row gives none).
        QCOMPARE(
            Mediu::valoare(u"SELECT GROUP_CONCAT(Pozitia || ':' || CAST(Val_Fiscala AS INTEGER) || '/' || "
                           u"CAST(Val_Stat AS INTEGER) || '/' || CAST(Net AS INTEGER), ' ') FROM "
                           u"(SELECT * FROM Intrastat ORDER BY Record_ID)"_s)
                .toText(),
            u"1:987654321/987654322/8765432 2:2500000000/123456790/10000000 "
            u"4:3000000000/2999999999/12345679 5:10000000/10000002/2"_s);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Val_Fiscala <> ROUND(Val_Fiscala) OR "
                                u"Val_Stat <> ROUND(Val_Stat) OR Net <> ROUND(Net)"_s)
                     .toInt(),
                 0);

        // The declaration window on the imported lines: shown whole, totalled.
        FirmaCurenta_Nume = u"FIRMA DEMONSTRATIVA SRL"_s;
        Frm_INTRASTAT* declaratie = vizualizeaza(preluare);
        QVERIFY(declaratie);
        grid::Grid* g = declaratie->GridIntrastat;
        QCOMPARE(g->dataRowCount(), 4);
        // Every amount column: the values, the mass, the quantities, the
        // currency value and the rate; the texts of a column, by line.
        const QList<int> sume{10, 11, 12, 14, 21, 23, 25};
        const auto texte = [&](int c) {
            QStringList t;
            for (int r = 0; r < g->dataRowCount(); ++r)
                t << g->cellText(r, c);
            return t;
        };
        const auto taiate = [&] { return grid_test::cutTexts(*g, sume); };
        QCOMPARE(texte(10),
                 (QStringList{u"987,654,321"_s, u"2,500,000,000"_s, u"3,000,000,000"_s, u"10,000,000"_s}));
        QCOMPARE(texte(11),
                 (QStringList{u"987,654,322"_s, u"123,456,790"_s, u"2,999,999,999"_s, u"10,000,002"_s}));
        QCOMPARE(texte(12),
                 (QStringList{u"8,765,432.00"_s, u"10,000,000.00"_s, u"12,345,679.00"_s, u"2.00"_s}));
        QCOMPARE(texte(14), (QStringList{u"12,345,678.00"_s, u"2.00"_s, u"1.00"_s, u"1.00"_s}));
        QCOMPARE(texte(21), (QStringList{u"12,345,678.25"_s, u"2.00"_s, u"1.00"_s, u"1.00"_s}));
        QCOMPARE(texte(23), (QStringList{u"198,443,401.25"_s, u"502,311,831.40"_s, u"602,772,700.75"_s,
                                         u"2,009,242.50"_s}));
        QCOMPARE(texte(25), (QStringList{u"4.9770"_s, u"4.9770"_s, u"4.9770"_s, u"4.9770"_s}));
        QCOMPARE(taiate(), QStringList());
        QCOMPARE(g->column(10).footerText, u"6,497,654,321"_s);
        QCOMPARE(g->column(11).footerText, u"4,121,111,113"_s);
        QCOMPARE(g->column(12).footerText, u"31,111,113"_s);
        // Sorted by a header, or after Refresh, the lines and totals still show whole.
        declaratie->GridIntrastat_HeadClick(23);
        QCOMPARE(texte(23).first(), u"2,009,242.50"_s);
        QCOMPARE(taiate(), QStringList());
        QCOMPARE(g->column(10).footerText, u"6,497,654,321"_s);
        declaratie->CmdRefresh_Click();
        QCOMPARE(taiate(), QStringList());

        // Verified, then declared with the statistical value: the same sums.
        QCOMPARE(problemeVerificare(declaratie), QString());
        const QString xml = declaraValoareaStatistica(declaratie);
        QVERIFY2(xml.startsWith(u"<?xml"_s), qPrintable(xml));
        const QString fisier = Folder_Sistem + u"IntrastatSave/0000000001_D_20263.xml"_s;
        QCOMPARE(elemente(xml, u"Cn8Code"_s), (QStringList{u"01012100"_s, u"01012100"_s, u"01012910"_s}));
        QCOMPARE(elemente(xml, u"CountryOfDestination"_s), (QStringList{u"DE"_s, u"IT"_s, u"FR"_s}));
        QCOMPARE(elemente(xml, u"InvoiceValue"_s),
                 (QStringList{u"997654321"_s, u"3000000000"_s, u"2500000000"_s}));
        QCOMPARE(elemente(xml, u"StatisticalValue"_s),
                 (QStringList{u"997654324"_s, u"2999999999"_s, u"123456790"_s}));
        QCOMPARE(elemente(xml, u"NetMass"_s), (QStringList{u"8765434"_s, u"12345679"_s, u"10000000"_s}));

        // A value the file refuses names the line by the grid's "Poz": the
        // Italian line, the 4th record of the workbook, whatever its Pozitia.
        const int poz =
            Mediu::valoare(
                u"SELECT Record_ID FROM Intrastat WHERE Tara_Dest = 'IT' AND SourceFile = 'mari.xlsx'"_s)
                .toInt();
        QVERIFY(Conexiune_Firma.execute(
            u"UPDATE Intrastat SET Incoterms = 'EX' WHERE Tara_Dest = 'IT' AND SourceFile = 'mari.xlsx'"_s));
        ui::testing::clear();
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Fisier"_s), Qt::LeftButton);
        QCOMPARE(
            Arbore_Test::mesaje(),
            QStringList{u"FISIERUL DECLARATIEI NU A FOST GENERAT\r\nValori pe care declaratia nu le poate "
                        u"cuprinde:\r\nPozitia: "_s +
                        QString::number(poz) +
                        u" (inregistrarea 4 din fisierul mari.xlsx, articolul 2, cod NC 01012100) - "
                        u"DeliveryTermsCode (Incoterms) = EX ===> TREBUIE SA AIBA 3 CARACTERE"_s});
        QCOMPARE(elemente(citeste(fisier), u"InvoiceValue"_s).size(), 3); // the earlier file stays
        declaratie->CmdRefresh_Click();
        int gasite = 0;
        for (int r = 0; r < g->dataRowCount(); ++r) {
            if (g->cellText(r, 4) == QString::number(poz)) {
                ++gasite;
                QCOMPARE(g->cellText(r, 16), u"EX"_s);
            }
        }
        QCOMPARE(gasite, 1);
    }

    // Formula cells of a billion lei a few millionths off a half, then
    // corrections typed into the grid in the forms it shows under Romanian
    // forms: every amount stored whole, rounded once as the import rounds
    // it; the footers total what the cells show, and the declaration file
    // declares the same totals to the leu.
    void typedCorrectionsMatchTheFile()
    {
        Mediu m;
        QVERIFY(m.gata());
        QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
        QVERIFY(machetaSumeMari());
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"formule.xlsx"_s);
        const auto formula = [](double rezultat) {
            return QVariant::fromValue(preluare_test::Formula{u"=1+1"_s, rezultat});
        };
        QVERIFY(preluare_test::scrieXlsx(
            cale, {{u"Cod"_s, u"Tara"_s, u"Fiscala"_s, u"Statistica"_s, u"Net"_s, u"Cantitate"_s, u"TVA"_s,
                    u"Valuta"_s, u"Curs"_s},
                   {u"01012100"_s, u"DE"_s, formula(1298829805.499999), formula(1244096322.500003),
                    formula(1000.4), 3, u"DE123456789"_s},
                   {u"01012910"_s, u"FR"_s, 2000, 2000, 40, 2, u"FR12345678901"_s}}));
        auto* preluare = preia(u"Livrari mari"_s, cale);
        QVERIFY(preluare);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        FirmaCurenta_Nume = u"FIRMA DEMONSTRATIVA SRL"_s;
        Frm_INTRASTAT* declaratie = vizualizeaza(preluare);
        QVERIFY(declaratie);
        grid::Grid* g = declaratie->GridIntrastat;
        QCOMPARE(g->cellText(0, 10), u"1.298.829.805"_s);
        QCOMPARE(g->cellText(0, 11), u"1.244.096.323"_s);

        // The second line corrected as the user types: a half, the form
        // shown, grouped with decimals; each cell confirmed, the line left.
        ui::testing::clear();
        grid_test::typeIntoCell(g, 1, 10, u"1382175472,5"_s);
        grid_test::typeIntoCell(g, 1, 11, u"10.000.000"_s);
        grid_test::typeIntoCell(g, 1, 12, u"1.234,50"_s);
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Up);
        QCoreApplication::processEvents();
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(Mediu::valoare(u"SELECT GROUP_CONCAT(CAST(Val_Fiscala AS INTEGER) || '/' || CAST(Val_Stat AS "
                                u"INTEGER) || '/' || CAST(Net AS INTEGER), ' ') FROM (SELECT * FROM Intrastat "
                                u"ORDER BY Record_ID)"_s)
                     .toText(),
                 u"1298829805/1244096323/1000 1382175472/10000000/1234"_s);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE Val_Fiscala <> ROUND(Val_Fiscala) OR "
                                u"Val_Stat <> ROUND(Val_Stat) OR Net <> ROUND(Net)"_s)
                     .toInt(),
                 0);
        QCOMPARE(g->cellText(1, 10), u"1.382.175.472"_s);
        QCOMPARE(g->column(10).footerText, u"2.681.005.277"_s);
        QCOMPARE(g->column(11).footerText, u"1.254.096.323"_s);
        QCOMPARE(g->column(12).footerText, u"2.234"_s);

        // The file declares what the footers total.
        QCOMPARE(problemeVerificare(declaratie), QString());
        const QString xml = declaraValoareaStatistica(declaratie);
        QVERIFY2(xml.startsWith(u"<?xml"_s), qPrintable(xml));
        const auto total = [&](const QString& element) {
            qlonglong suma = 0;
            for (const QString& v : elemente(xml, element))
                suma += v.toLongLong();
            return QLocale().toString(suma);
        };
        QCOMPARE(total(u"InvoiceValue"_s), g->column(10).footerText);
        QCOMPARE(total(u"StatisticalValue"_s), g->column(11).footerText);
        QCOMPARE(total(u"NetMass"_s), g->column(12).footerText);
    }

    // A new user's first road: the demonstration company, chosen as the
    // chooser opens it, imports its sample workbook through its own
    // template, verifies without problems, and its declaration file and its
    // printout carry its own data, no "x" for what a company has.
    void demonstrationVerifies()
    {
        Mediu m;
        QVERIFY(m.gata());
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        auto* preluare = deschidePreluarea(u"Exemplu Livrari"_s);
        QVERIFY(preluare);
        preluare->Txt_ExcelFile->setText(Cale_Fisier_Macheta(
            Mediu::valoare(u"SELECT SampleExcelFile FROM StructuraFisiereAntet"_s).toText()));
        ui::testing::clear();
        QTest::mouseClick(preluare->CmdReadFile, Qt::LeftButton);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        Frm_INTRASTAT* declaratie = vizualizeaza(preluare);
        QVERIFY(declaratie);
        QCOMPARE(declaratie->GridIntrastat->dataRowCount(), 8);
        QCOMPARE(problemeVerificare(declaratie), QString());
        ui::testing::clear();
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Fisier"_s), Qt::LeftButton);
        const QString xml = citeste(Folder_Sistem + u"IntrastatSave/0000000001_D_20263.xml"_s);
        QCOMPARE(elemente(xml, u"FirmName"_s), QStringList{u"FIRMA DEMONSTRATIVA SRL"_s});
        QCOMPARE(elemente(xml, u"Email"_s), QStringList{u"office@firma-demo.example"_s});
        QCOMPARE(elemente(xml, u"Phone"_s), QStringList{u"0264123456"_s});
        QCOMPARE(elemente(xml, u"Fax"_s), QStringList{u"0264123457"_s});
        QVERIFY(!xml.contains(u">x<"_s));

        // The printout's company block.
        Inregistreaza_Ferestre_Rapoarte();
        QString antet;
        QTimer::singleShot(0, this, [&antet] {
            if (auto* raport = ui::Forms::get<Frm_Report>(u"Frm_Report"_s)) {
                if (const auto* camp = raport->Raport.SursaReport.field(u"Header"_s, u"Antet"_s))
                    antet = camp->text;
                ui::Forms::unload(raport);
            }
        });
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Print"_s), Qt::LeftButton);
        QCOMPARE(antet,
                 u"FIRMA DEMONSTRATIVA SRL\r\nAdresa: Str. Republicii nr. 12\r\nCluj-Napoca - 400015\r\n"
                 "Cod TVA: RO0000001\r\nNr.Reg.Com: J12/1234/2020\r\nTelefon: 0264123456"_s);
    }
};

QTEST_MAIN(TestDrumDeclaratie)
#include "tst_drum_declaratie.moc"
