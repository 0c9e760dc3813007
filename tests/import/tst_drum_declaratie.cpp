// The whole road of one declaration, as a user walks it: a template, a
// workbook imported through the import window with the fiscal code typed
// with its "RO", the lines opened through the declaration chooser, verified,
// and written as the declaration file; and the demonstration company's
// first road, to its declaration file and its printout.

#include "Mediu_Preluare.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Frm_Intrastat_Selectie.h"
#include "import/Frm_Preluare_Excel.h"
#include "import/Machete.h"
#include "platform/grid/grid.h"
#include "platform/ui/forms.h"
#include "reports/Ferestre_Rapoarte.h"
#include "reports/Frm_Report.h"
#include "shell/Selectie_Firma.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
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

} // namespace

class TestDrumDeclaratie : public QObject
{
    Q_OBJECT

private slots:
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
        auto* preluare = deschidePreluarea(u"Vanzari UE"_s);
        QVERIFY(preluare);
        preluare->TXT_Anul->setText(u"2026"_s);
        preluare->TXT_Luna->setText(u"3"_s);
        preluare->TXT_CodFiscal->setText(u"RO0000001"_s);
        preluare->Txt_ExcelFile->setText(cale);
        preluare->Txt_SheetName->setEditText(u"Sheet1"_s);
        ui::testing::clear();
        QTest::mouseClick(preluare->CmdReadFile, Qt::LeftButton);
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
        ui::testing::clear();
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Verifica"_s), Qt::LeftButton);
        QVERIFY2(ui::testing::messages().last().text == u"NU SUNT PROBLEME"_s,
                 qPrintable(citeste(Folder_Sistem + u"Verificare/RO0000001_O_3_2026.txt"_s)));
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
        QTest::mouseClick(preluare->CmdExit, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* declaratie = ui::Forms::get<Frm_INTRASTAT>(u"Frm_INTRASTAT"_s);
        QVERIFY(declaratie);
        QVERIFY(QTest::qWaitForWindowActive(declaratie));
        QCOMPARE(declaratie->GridIntrastat->dataRowCount(), 8);
        ui::testing::clear();
        QTest::mouseClick(declaratie->findChild<QPushButton*>(u"Cmd_Verifica"_s), Qt::LeftButton);
        QVERIFY2(ui::testing::messages().last().text == u"NU SUNT PROBLEME"_s,
                 qPrintable(citeste(Folder_Sistem + u"Verificare/RO0000001_O_3_2026.txt"_s)));

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
