// The problem report window and the progress window on screen (offscreen):
// the report shows the log of the declaration window's key line for line,
// reads it again when a new verification brings it forward, and prints
// every page of it; the progress window follows each pass.

#include "Fixtura_Declaratie.h"
#include "common/Pdf_Test.h"
#include "declaration/Ecran_Verificare_Ferestre.h"
#include "declaration/Frm_Intrastat_Probleme.h"
#include "declaration/Frm_bara_progres.h"
#include "platform/ui/fereastra.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QWindow>

using namespace Qt::StringLiterals;

// The declaration window as the report sees it: its four key boxes.
class Declaratie_Test : public ui::Fereastra
{
    Q_OBJECT
public:
    Declaratie_Test() : ui::Fereastra(u"Frm_INTRASTAT"_s, u"Declaratie"_s)
    {
        for (const QString& nume : {u"TXT_Tip"_s, u"TXT_CodFiscal"_s, u"TXT_Anul"_s, u"TXT_Luna"_s})
            (new QLineEdit(this))->setObjectName(nume);
    }
    void seteaza(const Cheie_Declaratie& c)
    {
        findChild<QLineEdit*>(u"TXT_Tip"_s)->setText(c.tip);
        findChild<QLineEdit*>(u"TXT_CodFiscal"_s)->setText(c.codFiscal);
        findChild<QLineEdit*>(u"TXT_Anul"_s)->setText(c.anul);
        findChild<QLineEdit*>(u"TXT_Luna"_s)->setText(c.luna);
    }
};

namespace {

const Cheie_Declaratie kCheie{u"O"_s, u"RO123"_s, u"2015"_s, u"5"_s};

// The log text as the box shows it: one log line per line.
QString Ca_In_Fereastra(const QByteArray& jurnal)
{
    return QString::fromUtf8(jurnal).replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

class TestIntrastatProbleme : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ui::Forms::resetForTests();
        ui::testing::clearPrinters();
        ui::Forms::registerWindow(u"Frm_INTRASTAT"_s, [] { return new Declaratie_Test; });
        FirmaCurenta_CodFiscal = u"RO123"_s;
    }
    void cleanup()
    {
        ui::Forms::resetForTests();
        ui::testing::clearPrinters();
    }

    void verificationShowsTheLog();
    // Esc does what "Inchide fereastra" does.
    void escClosesTheReport();
    void missingLogFolderGivesAnEmptyWindow();
    void newVerificationReloadsAnOpenReport();
    void printsEveryPageOfTheLog();
    void cancelledPrinterDialogPrintsNothing();
    void progressWindowOfEachPass();

private:
    // The report window of the key, loaded and shown.
    Frm_Intrastat_Probleme* Deschide_Raport()
    {
        ui::Forms::load<Declaratie_Test>(u"Frm_INTRASTAT"_s)->seteaza(kCheie);
        Inregistreaza_Ferestre_Verificare();
        ui::Forms::show(u"Frm_Intrastat_Probleme"_s);
        return ui::Forms::get<Frm_Intrastat_Probleme>(u"Frm_Intrastat_Probleme"_s);
    }

    // Prints the text as the log through the report's button; its page count.
    int Tipareste(Frm_Intrastat_Probleme* w, const QString& jurnal, const QString& text,
                  const QString& pdfFisier)
    {
        if (!Fixtura_Declaratie::scrie(jurnal, text.toUtf8()))
            return -1;
        w->Incarca_Jurnal();
        QFile::remove(pdfFisier);
        ui::testing::pushPrinter(pdfFisier);
        QTest::mouseClick(w->CmdPrint, Qt::LeftButton);
        return pdf::pagini(pdfFisier);
    }
};

void TestIntrastatProbleme::verificationShowsTheLog()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"Val_Fiscala"_s, 0.0}});
    f.linie({{u"Net"_s, -2.0}, {u"VAT_ID"_s, u"xx1"_s}});
    QVERIFY(f.deschideTarif());
    ui::Forms::load<Declaratie_Test>(u"Frm_INTRASTAT"_s)->seteaza(kCheie);

    int reimprospatari = 0;
    Ecran_Verificare_Ferestre ecran([&] { ++reimprospatari; });
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QCOMPARE(r.probleme, 2);
    QCOMPARE(reimprospatari, 2);
    QVERIFY(!ui::Forms::isLoaded(u"Frm_bara_progres"_s));

    auto* w = ui::Forms::get<Frm_Intrastat_Probleme>(u"Frm_Intrastat_Probleme"_s);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), u"Verificare Probleme"_s);
    // Its design size, within the screen's work area (the tests' screen is
    // narrower than the design).
    const QRect zona = w->screen()->availableGeometry();
    QVERIFY(zona.contains(w->frameGeometry()));
    QCOMPARE(w->size(),
             ui::twipsToSize(11205, 7635).boundedTo(zona.marginsRemoved(w->windowHandle()->frameMargins()).size()));
    QCOMPARE(w->Label1->text(), u"LISTA ERORILOR"_s);
    QCOMPARE(w->CmdClose->text(), u"Inchide fereastra"_s);
    QCOMPARE(w->CmdPrint->text(), u"Tipareste"_s);
    QVERIFY(w->RichTextBox1->isReadOnly());
    const QByteArray jurnal = Fixtura_Declaratie::citeste(r.jurnal);
    QVERIFY(jurnal.contains("Pozitia: 2 - VAT_ID = XX ===> PREFIX TARA - COD TVA INCORECT \r\n"));
    QCOMPARE(w->RichTextBox1->toPlainText(), Ca_In_Fereastra(jurnal));

    QTest::mouseClick(w->CmdClose, Qt::LeftButton);
    QVERIFY(!ui::Forms::isLoaded(u"Frm_Intrastat_Probleme"_s));
}

void TestIntrastatProbleme::escClosesTheReport()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"Val_Fiscala"_s, 0.0}});
    QVERIFY(f.deschideTarif());
    ui::Forms::load<Declaratie_Test>(u"Frm_INTRASTAT"_s)->seteaza(kCheie);
    Ecran_Verificare_Ferestre ecran([] {});
    QCOMPARE(Verifica_Declaratie(kCheie, ecran).probleme, 1);
    auto* w = ui::Forms::get<Frm_Intrastat_Probleme>(u"Frm_Intrastat_Probleme"_s);
    QVERIFY(w && w->isVisible());
    // From the log being read, as from the window itself.
    w->RichTextBox1->setFocus();
    QTest::keyClick(w->RichTextBox1, Qt::Key_Escape);
    QVERIFY(!ui::Forms::isLoaded(u"Frm_Intrastat_Probleme"_s));
}

void TestIntrastatProbleme::missingLogFolderGivesAnEmptyWindow()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(QDir(f.cale(u"System/Verificare"_s)).removeRecursively());
    Frm_Intrastat_Probleme* w = Deschide_Raport();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->RichTextBox1->toPlainText(), QString());
    QVERIFY(ui::testing::messages().isEmpty());
}

void TestIntrastatProbleme::newVerificationReloadsAnOpenReport()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    const QString jurnal = Cale_Jurnal_Verificare(u"RO123"_s, u"O"_s, u"5"_s, u"2015"_s);
    QVERIFY(Fixtura_Declaratie::scrie(jurnal, "prima verificare\r\nPozitia: 1 - Net ESTE GOL\r\n"));
    Frm_Intrastat_Probleme* w = Deschide_Raport();
    QCOMPARE(w->RichTextBox1->toPlainText(), u"prima verificare\nPozitia: 1 - Net ESTE GOL\n"_s);

    // The next verification wrote another log and brings the window forward.
    QVERIFY(Fixtura_Declaratie::scrie(jurnal, "a doua verificare\r\nPozitia: 2 - TIP ESTE GOL\r\n"));
    Ecran_Verificare_Ferestre().Arata_Probleme();
    QCOMPARE(ui::Forms::get<Frm_Intrastat_Probleme>(u"Frm_Intrastat_Probleme"_s), w);
    QCOMPARE(w->RichTextBox1->toPlainText(), u"a doua verificare\nPozitia: 2 - TIP ESTE GOL\n"_s);
}

void TestIntrastatProbleme::printsEveryPageOfTheLog()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    Frm_Intrastat_Probleme* w = Deschide_Raport();
    const QString jurnal = Cale_Jurnal_Verificare(u"RO123"_s, u"O"_s, u"5"_s, u"2015"_s);
    const QString pdfFisier = f.cale(u"raport.pdf"_s);
    const auto linii = [](int numar) {
        QString text;
        for (int i = 1; i <= numar; ++i)
            text += u"Pozitia: %1 - Val_Fiscala = 0 ===> ESTE NULL - ZERO SAU VALOARE NEGATIVA\r\n"_s.arg(i);
        return text;
    };
    // The most log lines a page holds with the empty line after the last
    // CR LF: doubling, then halving.
    int pePagina = 1;
    int prea = 2;
    while (Tipareste(w, jurnal, linii(prea), pdfFisier) == 1)
        prea *= 2;
    QVERIFY(prea <= 512);
    while (prea - pePagina > 1) {
        const int mijloc = (pePagina + prea) / 2;
        (Tipareste(w, jurnal, linii(mijloc), pdfFisier) == 1 ? pePagina : prea) = mijloc;
    }
    QVERIFY(pePagina > 20);

    // Two full pages and a last line of less than 100 characters.
    const QString ultima = u"Pozitia: 999 - Net = -1 ===> VALOARE NEGATIVA"_s;
    QCOMPARE(Tipareste(w, jurnal, linii(2 * (pePagina + 1)) + ultima + u"\r\n"_s, pdfFisier), 3);
    QVERIFY(pdf::text(pdfFisier, 3).contains(ultima));
    QVERIFY(!pdf::text(pdfFisier, 2).contains(ultima));
    for (int pagina = 1; pagina <= 3; ++pagina) {
        const pdf::Pagina p = pdf::cuvinte(pdfFisier, pagina);
        double stanga = p.latime;
        double sus = p.inaltime;
        for (const pdf::Cuvant& c : p.cuvinte) {
            stanga = std::min(stanga, c.stanga);
            sus = std::min(sus, c.sus);
        }
        QVERIFY2(std::abs(stanga - 72) < 2, qPrintable(QString::number(stanga)));
        QVERIFY2(sus >= 71 && sus < 78, qPrintable(QString::number(sus)));
    }
    QCOMPARE(ui::testing::printerDialogs() > 0, true);
    QVERIFY(ui::testing::messages().isEmpty());
}

void TestIntrastatProbleme::cancelledPrinterDialogPrintsNothing()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(Fixtura_Declaratie::scrie(Cale_Jurnal_Verificare(u"RO123"_s, u"O"_s, u"5"_s, u"2015"_s),
                                      "jurnal\r\n"));
    Frm_Intrastat_Probleme* w = Deschide_Raport();
    ui::testing::pushPrinter(QString()); // Cancel
    QTest::mouseClick(w->CmdPrint, Qt::LeftButton);
    QCOMPARE(ui::testing::printerDialogs(), 1);
    QVERIFY(ui::Forms::isLoaded(u"Frm_Intrastat_Probleme"_s));
    QVERIFY(w->isVisible());
    QVERIFY(ui::testing::messages().isEmpty());
    QCOMPARE(QDir(f.arbore().radacina()).entryList({u"*.pdf"_s}, QDir::Files), QStringList());
}

void TestIntrastatProbleme::progressWindowOfEachPass()
{
    Ecran_Verificare_Ferestre ecran;
    ecran.Deschide_Progres();
    QPointer<Frm_bara_progres> primul = ui::Forms::get<Frm_bara_progres>(u"Frm_bara_progres"_s);
    QVERIFY(primul);
    QVERIFY(primul->isVisible());
    QCOMPARE(primul->windowTitle(), QString());
    QCOMPARE(primul->size(), ui::twipsToSize(8550, 945));
    QCOMPARE(primul->Bara_Titlu->geometry(), ui::twipsToRect(120, 120, 8295, 255));
    QCOMPARE(primul->Bara_Progres->geometry(), ui::twipsToRect(120, 480, 8295, 255));
    ecran.Progres(u"Se verifica UM Supl ..... "_s, 40);
    QCOMPARE(primul->Bara_Titlu->text(), u"Se verifica UM Supl ..... "_s);
    QCOMPARE(primul->Bara_Progres->value(), 40);
    ecran.Inchide_Progres();
    QVERIFY(!ui::Forms::isLoaded(u"Frm_bara_progres"_s));

    // The second pass gets a fresh window, starting at 0.
    ecran.Deschide_Progres();
    auto* doilea = ui::Forms::get<Frm_bara_progres>(u"Frm_bara_progres"_s);
    QVERIFY(doilea);
    QVERIFY(doilea != primul);
    QCOMPARE(doilea->Bara_Progres->value(), 0);
    ecran.Inchide_Progres();
}

QTEST_MAIN(TestIntrastatProbleme)
#include "tst_intrastat_probleme.moc"
