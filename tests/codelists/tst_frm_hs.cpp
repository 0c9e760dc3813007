// The tariff browser offscreen on the tariff of the seeded program folder,
// opened as the main menu and its own drill-down open it: the levels, the
// count in the caption, going down a level, the whole level again, the
// column search and what follows it, the notes of a code, the Excel copy.
#include "Liste_Test.h"
#include "codelists/Cautare_Tarif.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Frm_Explicativ.h"
#include "codelists/Frm_HS.h"
#include "common/BUTOANE.h"
#include "platform/excel/reader.h"
#include "platform/grid/grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

Frm_HS* browser()
{
    return ui::Forms::get<Frm_HS>(u"Frm_HS"_s);
}

// Opens a level as the menu does.
Frm_HS* deschide(quint8 nivel)
{
    Deschide_Nivel_Tarif(nivel, Definitie_Nivel_Tarif(nivel)->sql);
    return browser();
}

// Puts the grid on the row whose code (column 0) is cod.
bool laCod(Frm_HS& f, const QString& cod)
{
    for (int r = 0; r < f.Grid_HS->dataRowCount(); ++r) {
        if (f.Grid_HS->cellValue(r, 0).toText() == cod) {
            f.Grid_HS->setCurrentCell(r, 0);
            return f.Grid_HS->row() == r;
        }
    }
    return false;
}

QStringList coduri(Frm_HS& f)
{
    QStringList c;
    for (int r = 0; r < f.Grid_HS->dataRowCount(); ++r)
        c << f.Grid_HS->cellValue(r, 0).toText();
    return c;
}

QStringList coduri(const QString& sql)
{
    QStringList c;
    auto rs = Conexiune_CN.openRecordset(sql);
    for (; rs && !rs->eof(); rs->moveNext())
        c << rs->value(0).toText();
    return c;
}

QString total(int n)
{
    return u"  Total Inregistrari :  "_s + QString::number(n);
}

int vizibile(Frm_HS& f)
{
    int n = 0;
    for (int c = 0; c < f.Grid_HS->columnCount(); ++c)
        n += f.Grid_HS->isColumnHidden(c) ? 0 : 1;
    return n;
}

// Runs the action while the modal column search is shown; it is closed
// afterwards whatever the action did.
void cuCautare(QObject* context, const std::function<void(FRM_cautare*)>& actiune, bool* aparut = nullptr)
{
    QTimer::singleShot(0, context, [=] {
        const auto inchide = qScopeGuard([] { ui::Forms::unload(u"FRM_cautare"_s); });
        auto* cautare = ui::Forms::get<FRM_cautare>(u"FRM_cautare"_s);
        if (aparut)
            *aparut = cautare && cautare->isVisible();
        if (cautare && actiune)
            actiune(cautare);
    });
}

} // namespace

class TestFrmHS : public QObject
{
    Q_OBJECT
private slots:
    void sectionsFromTheMenu();
    void drillDownFromASectionAndTheWholeLevel();
    void drillDownToTheCodesInForce();
    void blankCodeOrNoRowGoesNowhere();
    void ctrlFOpensTheSearch_data();
    void ctrlFOpensTheSearch();
    void searchNarrowsWhatTheWindowShows();
    void notesOfTheSelectedCode();
    void closedTariffOpensAnEmptyBrowser();
    void typingJumpsToACode();
    void printsUnderItsCaptionWithTheCount();
    void descriptionTakesTheRoomOfTheWindow_data();
    void descriptionTakesTheRoomOfTheWindow();
};

void TestFrmHS::sectionsFromTheMenu()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Liste_Test::ferestreDeschise());
    Frm_HS* f = deschide(1);
    QVERIFY(f && f->isVisible());
    QVERIFY(!ui::Forms::isLoaded(u"Frm_INTRASTAT"_s));
    QVERIFY(ui::Forms::isLoaded(u"Frm_Meniu_Principal"_s));
    QCOMPARE(int(HS_Nivel), 1);
    QCOMPARE(int(HS_NrColoane), 2);

    const int n = int(coduri(u"SELECT HS1_COD FROM HS_1"_s).size());
    QCOMPARE(n, 21);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"SECTIUNI -"_s + total(n));
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"SECTIUNI -"_s + total(n));

    QVERIFY(!f->CmdExplicativ->isVisibleTo(f));
    QVERIFY(f->CmdLink->isVisibleTo(f));
    QCOMPARE(f->CmdLink->text(), u"Legatura Capitole"_s);
    QVERIFY(!f->Txt_Comentarii->isVisibleTo(f));
    QCOMPARE(f->Grid_HS->column(0).caption, u"COD"_s);
    QCOMPARE(f->Grid_HS->column(0).widthTwips, 1500);
    QCOMPARE(f->Grid_HS->column(1).caption, u"DESCRIERE"_s);
    QCOMPARE(f->Grid_HS->column(1).widthTwips, 10935 - 1500 - 600);
    QVERIFY(f->Grid_HS->column(1).wrap);
    QVERIFY(!f->Grid_HS->allowUpdate());
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmHS::drillDownFromASectionAndTheWholeLevel()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Liste_Test::ferestreDeschise());
    QPointer<Frm_HS> sectiuni = deschide(1);
    QVERIFY(sectiuni && laCod(*sectiuni, u"16"_s));
    sectiuni->CmdLink->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!sectiuni);

    Frm_HS* f = browser();
    QVERIFY(f && f->isVisible());
    QVERIFY(ui::Forms::isLoaded(u"Frm_Meniu_Principal"_s));
    QCOMPARE(int(HS_Nivel), 2);
    const QStringList capitole = coduri(u"SELECT HS2_COD FROM HS_2 WHERE HS1_COD = '16' ORDER BY HS2_COD"_s);
    QCOMPARE(capitole, (QStringList{u"84"_s, u"85"_s}));
    QCOMPARE(coduri(*f), capitole);
    QCOMPARE(f->CmdLink->text(), u"Legatura Grupe"_s);
    QVERIFY(f->CmdExplicativ->isVisibleTo(f));
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"CAPITOLE -"_s + total(2));

    // All chapters of every section; the caption is kept, its count follows.
    f->CmdToateInreg->click();
    const QStringList toate = coduri(u"SELECT HS2_COD FROM HS_2 ORDER BY HS2_COD"_s);
    QCOMPARE(coduri(*f), toate);
    QCOMPARE(f->Grid_HS->column(0).caption, u"COD"_s);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"CAPITOLE -"_s + total(int(toate.size())));
}

void TestFrmHS::drillDownToTheCodesInForce()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    const QString sub = Liste_Test::valoare(Conexiune_CN, u"SELECT MIN(HS6_COD) FROM HS_8"_s).toText();
    QVERIFY(!sub.isEmpty());
    // A code no longer in force under the same sub-heading.
    QVERIFY(Conexiune_CN.execute(
        u"INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, "
        u"HS6_COD) VALUES ('"_s +
        sub + u"99', '"_s + sub + u"990000', 'Vechi', NULL, 2010, 2020, '"_s + sub + u"')"_s));
    Frm_HS* sase = deschide(6);
    QVERIFY(sase && laCod(*sase, sub));
    QCOMPARE(sase->CmdLink->text(), u"Legatura Cod vamal"_s);
    sase->CmdLink->click();

    Frm_HS* f = browser();
    QVERIFY(f && f != sase);
    QCOMPARE(int(HS_Nivel), 8);
    QCOMPARE(int(HS_NrColoane), 5);
    const QStringList inVigoare = coduri(u"SELECT HS8_COD FROM HS_8 WHERE HS6_COD = '"_s + sub +
                                         u"' AND AN_END IS NULL ORDER BY HS12_COD"_s);
    QVERIFY(!inVigoare.isEmpty());
    QCOMPARE(coduri(*f), inVigoare);
    QVERIFY(!f->CmdLink->isVisibleTo(f));
    QVERIFY(f->CmdExplicativ->isVisibleTo(f));
    QCOMPARE(vizibile(*f), 4);
    QVERIFY(f->Grid_HS->isColumnHidden(4));
    QCOMPARE(f->Grid_HS->column(2).caption, u"DESCRIERE"_s);
    QCOMPARE(f->Grid_HS->column(2).widthTwips, 8000);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"Cod Vamal -"_s + total(int(inVigoare.size())));
}

void TestFrmHS::blankCodeOrNoRowGoesNowhere()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Conexiune_CN.execute(u"INSERT INTO HS_1 (HS1_COD, HS1_DESC) VALUES (' ', 'fara cod')"_s));
    QPointer<Frm_HS> f = deschide(1);
    QVERIFY(f && laCod(*f, u" "_s));
    f->CmdLink->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f && ui::Forms::isLoaded(u"Frm_HS"_s));
    QCOMPARE(int(HS_Nivel), 1);

    // A level without rows: neither the drill-down nor the notes have a code.
    Deschide_Nivel_Tarif(2, Interogare_Legatura_Tarif(1, u"99"_s)->sql);
    QPointer<Frm_HS> gol = browser();
    QVERIFY(gol && gol->Grid_HS->dataRowCount() == 0);
    gol->CmdLink->click();
    gol->CmdExplicativ->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(gol);
    QCOMPARE(int(HS_Nivel), 2);
    QVERIFY(!ui::Forms::isLoaded(u"Frm_Explicativ"_s));
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmHS::ctrlFOpensTheSearch_data()
{
    QTest::addColumn<int>("modificatori");
    QTest::addColumn<bool>("deschide");
    QTest::newRow("Ctrl+F") << int(Qt::ControlModifier) << true;
    QTest::newRow("Ctrl+Shift+F") << int(Qt::ControlModifier | Qt::ShiftModifier) << false;
}

void TestFrmHS::ctrlFOpensTheSearch()
{
    QFETCH(int, modificatori);
    QFETCH(bool, deschide);
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_HS* f = ::deschide(2);
    QVERIFY(f);
    f->Grid_HS->setCurrentCell(0, 1);
    QString titlu;
    bool aparut = false;
    cuCautare(
        this, [&](FRM_cautare* c) { titlu = c->windowTitle(); }, &aparut);
    QTest::keyClick(f->Grid_HS, Qt::Key_F, Qt::KeyboardModifiers(modificatori));
    if (!deschide)
        QTest::qWait(20); // the timer runs, with no search to find
    QCOMPARE(aparut, deschide);
    if (!deschide)
        return;
    QCOMPARE(titlu, u"Caut in coloana: [HS2_DESC]"_s);
    QCOMPARE(Filtrare_SQL, Definitie_Nivel_Tarif(2)->sql);
    QVERIFY(Filtrare_PeComun);
    QVERIFY(Parametri_Cautare_Tabele.Cautare_PeTarif);
    QVERIFY(Filtrare_Grid == f->Grid_HS);
    QVERIFY(ui::Forms::unload(f));
    QVERIFY(!Parametri_Cautare_Tabele.Cautare_PeTarif);
}

void TestFrmHS::searchNarrowsWhatTheWindowShows()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_HS* f = deschide(8);
    QVERIFY(f);
    const int toate = f->Grid_HS->dataRowCount();
    const QStringList gasite = coduri(u"SELECT HS8_COD FROM HS_8 WHERE AN_END IS NULL AND DESCRIERE LIKE "
                                      u"'%cai%' ORDER BY HS12_COD"_s);
    QVERIFY(!gasite.isEmpty() && gasite.size() < toate);

    f->Grid_HS->setCurrentCell(0, 2);
    cuCautare(this, [](FRM_cautare* c) {
        c->Option3->click();
        c->StringDeCautat->setText(u"cai"_s);
        c->CmdCautare->click();
    });
    f->CmdCautare->click();
    QCOMPARE(coduri(*f), gasite);
    // The level's columns stay as they were shaped.
    QCOMPARE(f->Grid_HS->column(0).caption, u"COD 8"_s);
    QCOMPARE(vizibile(*f), 4);
    QCOMPARE(f->Nivel().recordCount(), toate);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"Cod Vamal -"_s + total(int(gasite.size())));

    // The copy holds the rows shown, every column of the query.
    f->Cmd_Excel->click();
    QVERIFY(!t.exportat().isEmpty());
    auto carte = excel::readWorkbook(t.exportat());
    QVERIFY2(carte, qPrintable(carte.error().text()));
    const excel::Sheet& foaie = carte->sheets.first();
    QCOMPARE(foaie.fields,
             (QStringList{u"HS8_COD"_s, u"HS12_COD"_s, u"DESCRIERE"_s, u"UM_SUPL"_s, u"AN_START"_s}));
    QCOMPARE(foaie.rowCount(), int(gasite.size()));

    f->CmdToateInreg->click();
    QCOMPARE(f->Grid_HS->dataRowCount(), toate);

    QVERIFY(ui::Forms::unload(f));
    QVERIFY(RS_Filtrare.isNull());
    QVERIFY(Prefix_Cautare.isEmpty());
    QVERIFY(!Parametri_Cautare_Tabele.Cautare_PeTarif);
}

void TestFrmHS::notesOfTheSelectedCode()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_HS* f = deschide(8);
    QVERIFY(f && f->Grid_HS->dataRowCount() > 2);
    f->Grid_HS->setCurrentCell(2, 1);
    const QString cod = f->Grid_HS->cellValue(2, 0).toText();
    QCOMPARE(cod.size(), 8);
    f->CmdExplicativ->click();
    auto* note = ui::Forms::get<Frm_Explicativ>(u"Frm_Explicativ"_s);
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->Txt_CodVamal->text(), cod);
    QVERIFY(ui::Forms::isLoaded(u"Frm_HS"_s));
}

void TestFrmHS::closedTariffOpensAnEmptyBrowser()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Elibereaza_Cautare_Tarif();
    Conexiune_CN.close();
    Frm_HS* f = deschide(1);
    QVERIFY(f && f->isVisible());
    QCOMPARE(f->Grid_HS->dataRowCount(), 0);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"SECTIUNI -"_s + total(0));
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmHS::typingJumpsToACode()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_HS* f = deschide(2);
    QVERIFY(f);
    f->Grid_HS->setCurrentCell(0, 0);
    QTest::keyClicks(f->Grid_HS, u"8"_s);
    QCOMPARE(f->Grid_HS->cellValue(f->Grid_HS->row(), 0).toText().left(1), u"8"_s);
    QCOMPARE(f->Label2->text(), u"In curs de cautare : 8"_s);
    QVERIFY(ui::Forms::unload(f));
    QCOMPARE(Prefix_Cautare, QString());
}

// The wrapping description takes what the other columns leave of a wider
// grid, at every level; never less than the width its level gives it.
void TestFrmHS::descriptionTakesTheRoomOfTheWindow_data()
{
    QTest::addColumn<int>("nivel");
    QTest::addColumn<int>("deltaLatime");
    QTest::addColumn<int>("coloana");
    QTest::addColumn<int>("latime");
    QTest::newRow("sections") << 1 << 4000 << 1 << 10935 + 4000 - 1500 - 600;
    QTest::newRow("codes in force, narrow screen") << 8 << 0 << 2 << 8000;
    // COD 8, COD 12 and UM SUPL beside it; AN is hidden at this level.
    QTest::newRow("codes in force, wide screen") << 8 << 4000 << 2 << 10935 + 4000 - 1200 - 1500 - 1500 - 600;
}

void TestFrmHS::descriptionTakesTheRoomOfTheWindow()
{
    QFETCH(int, nivel);
    QFETCH(int, deltaLatime);
    QFETCH(int, coloana);
    QFETCH(int, latime);
    Liste_Test t;
    VERIFICA_LISTE(t);
    Delta_Latime = deltaLatime;
    Frm_HS* f = deschide(quint8(nivel));
    QVERIFY(f);
    QCOMPARE(f->Grid_HS->column(coloana).caption, u"DESCRIERE"_s);
    QVERIFY(f->Grid_HS->column(coloana).wrap);
    QCOMPARE(f->Grid_HS->column(coloana).widthTwips, latime);
    if (deltaLatime > 0) // the columns fit the grid's view
        QVERIFY(f->Grid_HS->horizontalHeader()->length() <= f->Grid_HS->viewport()->width());
}

void TestFrmHS::printsUnderItsCaptionWithTheCount()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_HS* f = deschide(2);
    QVERIFY(f && Liste_Test::activeaza(f));
    const QString titlu = u"CAPITOLE -"_s + total(f->Grid_HS->dataRowCount());
    QCOMPARE(f->windowTitle(), titlu);
    bool vazut = false;
    QString titluPrevizualizare;
    QPair<int, int> margini;
    Liste_Test::laPrevizualizare(this, &vazut, [&](grid::PrintPreview& p) {
        titluPrevizualizare = p.windowTitle();
        margini = Liste_Test::margini(p);
    });
    f->CmdPrint->click();
    QVERIFY(vazut);
    QCOMPARE(titluPrevizualizare, titlu.toUpper());
    QCOMPARE(margini, (QPair<int, int>(500, 200)));
    QVERIFY(f->Grid_HS->alternatingRows());
}

QTEST_MAIN(TestFrmHS)
#include "tst_frm_hs.moc"
