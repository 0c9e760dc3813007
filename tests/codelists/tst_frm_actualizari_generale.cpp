// The generic grid editor offscreen on the databases of the seeded program
// folder: the report names the menu opens, the table kinds an opener can
// set, the question before a key is changed, list and tariff validation,
// row defaults, deletion, data errors, re-sorting, reloading, the column
// search, Esc, and what closing does with a changed row.
#include "Liste_Test.h"
#include "codelists/Cautare_Tarif.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Frm_Actualizari_Generale.h"
#include "codelists/Frm_CautareTabele.h"
#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "platform/grid/grid.h"
#include "platform/ui/twips.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

Frm_Actualizari_Generale* deschide(std::int32_t tip)
{
    Tip_Actualizare = tip;
    auto* f = ui::Forms::load<Frm_Actualizari_Generale>(u"Frm_Actualizari_Generale"_s);
    if (f)
        ui::Forms::show(u"Frm_Actualizari_Generale"_s);
    return f;
}

QStringList coloana(grid::Grid* g, int c)
{
    QStringList v;
    for (int r = 0; r < g->dataRowCount(); ++r)
        v << g->cellValue(r, c).toText();
    return v;
}

void adaugaRapoarte()
{
    QVERIFY(Conexiune_Comun.execute(u"INSERT INTO Reports VALUES (10002, 'A_Raport', 'Al doilea')"_s));
    QVERIFY(Conexiune_Comun.execute(u"INSERT INTO REPORTS_SEL VALUES (10002, 'Suplimentar')"_s));
    QVERIFY(Conexiune_Comun.execute(u"INSERT INTO Reports VALUES (10003, 'Fara_Sel', 'Nelistat')"_s));
}

// Runs the action while a modal window of that name is shown; the window is
// closed afterwards whatever the action did.
void cuFereastra(QObject* context, const QString& nume, const std::function<void(QWidget*)>& actiune)
{
    QTimer::singleShot(0, context, [=] {
        const auto inchide = qScopeGuard([=] { ui::Forms::unload(nume); });
        QWidget* w = ui::Forms::get(nume);
        QVERIFY(w && w->isVisible());
        actiune(w);
    });
}

QWidget* editor(grid::Grid* g)
{
    for (QWidget* w : g->findChildren<QWidget*>())
        if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) && w->isVisible())
            return w;
    return nullptr;
}

bool editorDeschis(grid::Grid* g)
{
    return editor(g) != nullptr;
}

} // namespace

class TestFrmActualizariGenerale : public QObject
{
    Q_OBJECT
private slots:
    void reportNames();
    void kindWithoutConfiguration_data();
    void kindWithoutConfiguration();
    void reloadKeepsTheLayout();
    void headerClickSortsAndReloadRestores();
    void changingAKeyAsks_data();
    void changingAKeyAsks();
    void searchWarnsOnANumberColumn();
    void searchOnTheReportId();
    void searchRunsOnTheTablesDatabase();
    void escUndoesTheCellThenTheRow();
    void countryCodesMustBeListed_data();
    void countryCodesMustBeListed();
    void listRowsInTheSettingsColours();
    void tariffCodeLookedUpOrPicked();
    void rowDefaultsBeforeSaving();
    void deletionAsks();
    void refusedWriteShowsItsErrorText();
    void closingWritesTheChangedRow();
};

void TestFrmActualizariGenerale::reportNames()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    adaugaRapoarte();
    Delta_Latime = 600;
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f && f->isVisible());
    grid::Grid* g = f->Grid_Actualizare;
    QCOMPARE(f->windowTitle(), u"Actualizare Rapoarte"_s);
    QCOMPARE(coloana(g, 0), (QStringList{u"10001"_s, u"10002"_s}));
    const QStringList titluri{u"Report ID"_s, u"Report Name"_s, u"Report Descriere"_s,
                              u"Report Descriere Suplimentare"_s};
    for (int c = 0; c < 4; ++c)
        QCOMPARE(g->column(c).caption, titluri[c]);
    QCOMPARE(g->column(0).foreColor, QColor(0, 0, 255));
    QVERIFY(g->column(2).wrap);
    QCOMPARE(g->x(), ui::twipsToPixelsX(500));
    QCOMPARE(g->width(), ui::twipsToPixelsX(11200 + 600));
    QCOMPARE(g->headingLines(), 2);
    QVERIFY(!g->allowAddNew());
    QVERIFY(!g->allowDelete());
    QCOMPARE(g->dataRowCount(), g->model()->rowCount()); // no new-row line
    QCOMPARE(f->CmdDataView->text(), u"Vizualizare Inversata"_s);

    // Only the two descriptions can be changed; they go to their own tables.
    g->setCurrentCell(1, 0);
    QVERIFY(!g->editCell(0, u"1"_s));
    QVERIFY(!g->editCell(1, u"x"_s));
    QVERIFY(g->editCell(2, u"Descriere noua"_s));
    QVERIFY(g->editCell(3, u"Selectie noua"_s));
    QVERIFY(g->update());
    QCOMPARE(
        Liste_Test::valoare(Conexiune_Comun, u"SELECT REP_DESC FROM Reports WHERE REP_ID = 10002"_s).toText(),
        u"Descriere noua"_s);
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun,
                                 u"SELECT REP_DESCRIPTION FROM REPORTS_SEL WHERE REP_ID = 10002"_s)
                 .toText(),
             u"Selectie noua"_s);
    QCOMPARE(
        Liste_Test::valoare(Conexiune_Comun, u"SELECT REP_NAME FROM Reports WHERE REP_ID = 10002"_s).toText(),
        u"A_Raport"_s);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmActualizariGenerale::kindWithoutConfiguration_data()
{
    QTest::addColumn<int>("tip");
    QTest::newRow("0") << 0;
    QTest::newRow("9") << 9;
}

void TestFrmActualizariGenerale::kindWithoutConfiguration()
{
    QFETCH(int, tip);
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(tip);
    QVERIFY(f && f->isVisible());
    QCOMPARE(f->windowTitle(), u"Actualizari - Generale"_s);
    QCOMPARE(f->Grid_Actualizare->columnCount(), 0);
    QVERIFY(!f->Tabela().isOpen());
    f->CmdToateInreg->click();
    f->CmdCautare->click();
    f->Cmd_Excel->click();
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(ui::Forms::unload(f));
}

void TestFrmActualizariGenerale::reloadKeepsTheLayout()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Delta_Inaltime = 1200;
    Delta_Latime = 900;
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    const QRect grila = f->Grid_Actualizare->geometry();
    const QPoint buton = f->CmdPrint->pos();
    QCOMPARE(buton.y(), ui::twipsToPixelsY(7560 + 1200));
    for (int i = 0; i < 3; ++i)
        f->CmdToateInreg->click();
    QCOMPARE(f->Grid_Actualizare->geometry(), grila);
    QCOMPARE(f->CmdPrint->pos(), buton);
    QCOMPARE(f->Grid_Actualizare->column(1).caption, u"Report Name"_s);
}

void TestFrmActualizariGenerale::headerClickSortsAndReloadRestores()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    adaugaRapoarte();
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    emit g->horizontalHeader()->sectionClicked(1);
    QCOMPARE(coloana(g, 1), (QStringList{u"A_Raport"_s, u"Declaratie_Intrastat"_s}));
    QCOMPARE(g->column(1).caption, u"Report Name"_s);
    QVERIFY(g->column(0).locked);
    emit g->horizontalHeader()->sectionClicked(0); // the key named by both tables
    QCOMPARE(coloana(g, 0), (QStringList{u"10001"_s, u"10002"_s}));
    emit g->horizontalHeader()->sectionClicked(2);
    QCOMPARE(coloana(g, 2).first(), u"Al doilea"_s);
    f->CmdToateInreg->click();
    QCOMPARE(coloana(g, 0), (QStringList{u"10001"_s, u"10002"_s}));
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmActualizariGenerale::changingAKeyAsks_data()
{
    QTest::addColumn<int>("raspuns");
    QTest::addColumn<bool>("schimbat");
    QTest::newRow("Yes") << int(ui::Answer::Yes) << true;
    QTest::newRow("No") << int(ui::Answer::No) << false;
    QTest::newRow("Cancel") << int(ui::Answer::Cancel) << false;
}

void TestFrmActualizariGenerale::changingAKeyAsks()
{
    QFETCH(int, raspuns);
    QFETCH(bool, schimbat);
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Conexiune_Comun.execute(
        u"INSERT INTO Tip_Operatiune (Cod_OP, Descriere) VALUES ('A1', 'Achizitie')"_s));
    Frm_Actualizari_Generale* f = deschide(1);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    QCOMPARE(f->windowTitle(), u"ACTUALIZARI GENERALE: FEL OPERATIUNI"_s);
    g->setCurrentCell(0, 0);
    ui::testing::pushAnswer(ui::Answer(raspuns));
    QCOMPARE(g->editCell(0, u"B1"_s), schimbat);
    auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, u"Modificati valoarea curenta ?  -  A1"_s);
    QCOMPARE(m[0].buttons, ui::Buttons::YesNoCancel);
    QCOMPARE(m[0].icon, ui::Icon::Question);
    QCOMPARE(m[0].defaultButton, ui::DefaultButton::Second);
    QCOMPARE(m[0].title, std::optional<QString>(u"Mesaj"_s));
    QCOMPARE(f->Raspuns_Mesaj, ui::Answer(raspuns));
    QVERIFY(g->update());
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT Cod_OP FROM Tip_Operatiune"_s).toText(),
             schimbat ? u"B1"_s : u"A1"_s);

    // A row without a key yet: no question.
    ui::testing::clear();
    g->setCurrentCell(g->dataRowCount(), 0);
    QVERIFY(g->editCell(0, u"C1"_s));
    QVERIFY(ui::testing::messages().isEmpty());
}

void TestFrmActualizariGenerale::searchWarnsOnANumberColumn()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    Parametri_Cautare_Tabele.Cautare_PeTarif = true;
    f->Grid_Actualizare->setCurrentCell(0, 0);
    QString titlu;
    cuFereastra(this, u"FRM_cautare"_s, [&](QWidget* w) { titlu = w->windowTitle(); });
    f->CmdCautare->click();
    QCOMPARE(titlu, u"Caut in coloana: [REP_ID]"_s);
    QCOMPARE(Arbore_Test::mesaje(),
             QStringList{u"In aceasta coloana cautarea nu se poate realiza, rezultate obtinute inexacte"_s});
    QVERIFY(Filtrare_PeComun);
    QVERIFY(!Parametri_Cautare_Tabele.Cautare_PeTarif);
    QCOMPARE(Filtrare_SQL, f->Tabela().source());
}

// REP_ID is in both tables of the report names' join: the search on it
// finds the report instead of failing on an ambiguous name.
void TestFrmActualizariGenerale::searchOnTheReportId()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    adaugaRapoarte();
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    f->Grid_Actualizare->setCurrentCell(0, 0);
    cuFereastra(this, u"FRM_cautare"_s, [](QWidget* w) {
        auto* c = qobject_cast<FRM_cautare*>(w);
        c->Option1->click();
        c->StringDeCautat->setText(u"10002"_s);
        c->CmdCautare->click();
    });
    f->CmdCautare->click();
    QCOMPARE(Arbore_Test::mesaje(),
             QStringList{u"In aceasta coloana cautarea nu se poate realiza, rezultate obtinute inexacte"_s});
    QCOMPARE(coloana(f->Grid_Actualizare, 0), QStringList{u"10002"_s});
    QCOMPARE(f->Grid_Actualizare->column(0).caption, u"Report ID"_s);
}

// The company's database may sit in a folder whose name holds "Comun": the
// search still runs on the company database, where its table is.
void TestFrmActualizariGenerale::searchRunsOnTheTablesDatabase()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    const QString folder = t.arbore().cale(u"DateComune/"_s);
    QVERIFY(QDir().mkpath(folder));
    Conexiune_Firma.close();
    QVERIFY(QFile::copy(Cale_Firma, folder + u"RO0000001.mdb"_s));
    QVERIFY(!Conexiune_Firma.open(folder + u"RO0000001.mdb"_s));
    QVERIFY(Conexiune_Firma.execute(u"INSERT INTO Furnizori (Cod_Partener, Nume_Partener) VALUES "
                                    u"('P1', 'Alfa'), ('P2', 'Beta'), ('Q1', 'Gama')"_s));
    Frm_Actualizari_Generale* f = deschide(2);
    QVERIFY(f);
    QCOMPARE(f->Grid_Actualizare->dataRowCount(), 3);
    f->Grid_Actualizare->setCurrentCell(0, 0);
    cuFereastra(this, u"FRM_cautare"_s, [](QWidget* w) {
        auto* c = qobject_cast<FRM_cautare*>(w);
        c->StringDeCautat->setText(u"P"_s);
        c->CmdCautare->click();
    });
    f->CmdCautare->click();
    QVERIFY(!Filtrare_PeComun);
    QCOMPARE(coloana(f->Grid_Actualizare, 0), (QStringList{u"P1"_s, u"P2"_s}));
    QCOMPARE(f->Grid_Actualizare->column(7).caption, u"Cod Tara"_s);
    QVERIFY(Arbore_Test::mesaje().isEmpty());
    QVERIFY(ui::Forms::unload(f));
    QVERIFY(RS_Filtrare.isNull());
    QVERIFY(!ui::Forms::isLoaded(u"FRM_cautare"_s));
}

void TestFrmActualizariGenerale::escUndoesTheCellThenTheRow()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    const QString inainte = g->cellValue(0, 2).toText();
    g->setCurrentCell(0, 3);
    QVERIFY(g->editCell(3, u"schimbat"_s));
    QVERIFY(g->rowDataChanged());

    g->setFocus();
    g->setCurrentCell(0, 2);
    QTest::keyClick(g, Qt::Key_F2);
    QVERIFY(editorDeschis(g));
    QTest::keyClicks(editor(g), u"xyz"_s);
    QTest::keyClick(editor(g), Qt::Key_Escape);
    QVERIFY(!editorDeschis(g));
    QCOMPARE(g->cellValue(0, 2).toText(), inainte);
    QVERIFY(g->rowDataChanged()); // the first Esc undid the cell only

    QTest::keyClick(g, Qt::Key_Escape);
    QVERIFY(!g->rowDataChanged());
    QCOMPARE(g->cellValue(0, 3).toText(), u"Se tipareste din fereastra declaratiei, butonul Tipareste"_s);
    QVERIFY(ui::Forms::unload(f));
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT REP_DESCRIPTION FROM REPORTS_SEL"_s).toText(),
             u"Se tipareste din fereastra declaratiei, butonul Tipareste"_s);
}

void TestFrmActualizariGenerale::countryCodesMustBeListed_data()
{
    QTest::addColumn<int>("coloana");
    QTest::addColumn<QString>("tastat");
    QTest::addColumn<bool>("primit");
    QTest::newRow("Cod Tara, listed") << 7 << u"DE"_s << true;
    QTest::newRow("Cod Tara, other letter case") << 7 << u"de"_s << true;
    QTest::newRow("Cod Tara, not listed") << 7 << u"XX"_s << false;
    QTest::newRow("Tara Expeditie, not listed") << 8 << u"ZZ"_s << false;
    QTest::newRow("Incoterms is not checked") << 16 << u"ABC"_s << true;
}

void TestFrmActualizariGenerale::countryCodesMustBeListed()
{
    QFETCH(int, coloana);
    QFETCH(QString, tastat);
    QFETCH(bool, primit);
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Conexiune_Firma.execute(u"INSERT INTO Furnizori (Cod_Partener, Nume_Partener, Cod_Tara) VALUES "
                                    u"('P1', 'Alfa', 'IT')"_s));
    Frm_Actualizari_Generale* f = deschide(2);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    QCOMPARE(g->column(7).caption, u"Cod Tara"_s);
    QVERIFY(g->dropDownOf(7) == f->DropDown_Tara && g->dropDownOf(16) == f->DropDown_INCOTERMS);
    QCOMPARE(f->DropDown_Tara->listModel().column(0).caption, u"Cod"_s);
    g->setCurrentCell(0, coloana);
    QCOMPARE(g->editCell(coloana, tastat), primit);
    if (primit) {
        QVERIFY(Arbore_Test::mesaje().isEmpty());
        QVERIFY(g->update());
        QCOMPARE(Liste_Test::valoare(Conexiune_Firma,
                                     u"SELECT "_s + g->column(coloana).dataField + u" FROM Furnizori"_s)
                     .toText()
                     .toUpper(),
                 tastat.toUpper());
        return;
    }
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, u"Selectati o valoare din lista"_s);
    QCOMPARE(m[0].title, std::optional<QString>(u"Mesaj"_s));
    QVERIFY(!g->rowDataChanged());
    // The list opens on the cell.
    QTRY_VERIFY(editorDeschis(g));
    QCOMPARE(g->col(), coloana);
    QCOMPARE(Liste_Test::valoare(Conexiune_Firma, u"SELECT Cod_Tara FROM Furnizori"_s).toText(), u"IT"_s);
}

void TestFrmActualizariGenerale::listRowsInTheSettingsColours()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    const auto refacere = qScopeGuard([] { Culoare_RandPar = Culoare_RandImpar = 0; });
    // A system colour code (the window background) and a plain colour.
    Culoare_RandPar = static_cast<qint32>(0x80000005u);
    Culoare_RandImpar = 0xC0FFFF;
    Frm_Actualizari_Generale* f = deschide(2);
    QVERIFY(f);
    grid::GridModel& lista = f->DropDown_Tara->listModel();
    QVERIFY(lista.rowCount() > 1);
    QCOMPARE(lista.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), Culoare_Setare(Culoare_RandPar));
    QCOMPARE(lista.index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
}

void TestFrmActualizariGenerale::tariffCodeLookedUpOrPicked()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    // The look-up opens the tariff of the current month itself.
    Elibereaza_Cautare_Tarif();
    Conexiune_CN.close();
    QVERIFY(Conexiune_Firma.execute(u"INSERT INTO MA (Cod_MA_PF, Descriere_RO) VALUES ('M1', 'Surub')"_s));
    Frm_Actualizari_Generale* f = deschide(3);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    QCOMPARE(g->column(4).caption, u"Cod vamal 8"_s);
    QVERIFY(g->column(4).button);
    QCOMPARE(g->x(), ui::twipsToPixelsX(100));

    g->setCurrentCell(0, 4);
    QVERIFY(g->editCell(4, u"84713000"_s));
    QVERIFY(Conexiune_CN.isOpen());
    QVERIFY(f->Lbl_Mesaj->text().startsWith(u"VALOARE GASITA: 84713000"_s));
    QVERIFY(Arbore_Test::mesaje().isEmpty());

    // An unknown code: the message, then the list of all codes by code.
    QString sursa;
    int latime = 0;
    QString ales;
    cuFereastra(this, u"Frm_CautareTabele"_s, [&](QWidget* w) {
        auto* l = qobject_cast<Frm_CautareTabele*>(w);
        sursa = l->Lista().source();
        latime = l->GridCautare->column(1).widthTwips;
        l->GridCautare->setCurrentCell(3, 0);
        ales = l->GridCautare->cellValue(3, 0).toText();
        QTest::keyClick(l->GridCautare, Qt::Key_Return);
    });
    QVERIFY(g->editCell(4, u"99999999"_s));
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"NU GASESC : 99999999"_s});
    QCOMPARE(sursa, u"SELECT * FROM HS8 ORDER BY HS8_COD"_s);
    QCOMPARE(latime, 6500);
    QCOMPARE(g->cellValue(0, 4).toText(), ales);
    QVERIFY(f->Lbl_Mesaj->text().startsWith(u"VALOARE GASITA: "_s + ales));
    QVERIFY(g->update());
    QCOMPARE(Liste_Test::valoare(Conexiune_Firma, u"SELECT Cod_Vamal FROM MA"_s).toText(), ales);
}

void TestFrmActualizariGenerale::rowDefaultsBeforeSaving()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(3);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    g->setCurrentCell(g->dataRowCount(), 0);
    QVERIFY(g->editCell(0, u"M9"_s));
    QVERIFY(g->editCell(1, u"Piulita"_s));
    QVERIFY(g->update());
    db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(
        u"SELECT UM, Greutate_Neta, Pret_Unitar, PU_Materiale, Tara_Orig FROM MA WHERE Cod_MA_PF = 'M9'"_s);
    QVERIFY(rs && !rs->eof());
    QCOMPARE(rs->value(0).toText(), u"0"_s);
    for (int c = 1; c <= 3; ++c)
        QCOMPARE(rs->value(c).toDouble(), 0.0);
    QVERIFY(rs->value(4).isNull());
    QVERIFY(ui::Forms::unload(f));

    // Operation kinds: the check boxes stored false.
    f = deschide(1);
    QVERIFY(f);
    g = f->Grid_Actualizare;
    QVERIFY(g->model()->flags(g->model()->index(0, 2)) & Qt::ItemIsUserCheckable);
    QVERIFY(g->editCell(0, u"N1"_s));
    QVERIFY(g->update());
    QCOMPARE(
        Liste_Test::valoare(Conexiune_Comun, u"SELECT Intrastat + Raport_UE FROM Tip_Operatiune"_s).toInt(),
        0);
    QVERIFY(ui::Forms::unload(f));

    // Invoice series: valid unless said otherwise, shown as a check box.
    f = deschide(6);
    QVERIFY(f);
    g = f->Grid_Actualizare;
    QVERIFY(g->column(4).checkBox);
    QVERIFY(g->column(5).locked);
    QVERIFY(g->editCell(0, u"FX"_s));
    QVERIFY(g->update());
    QCOMPARE(Liste_Test::valoare(Conexiune_Firma, u"SELECT Serie_Valida FROM SeriiFacturi"_s).toInt(), 1);
    QCOMPARE(g->model()->index(0, 4).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
}

void TestFrmActualizariGenerale::deletionAsks()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Conexiune_Comun.execute(u"INSERT INTO Package (Cod_Ambalaj) VALUES ('CUTIE'), ('PALET')"_s));
    Frm_Actualizari_Generale* f = deschide(5);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    QCOMPARE(g->column(3).numberFormat, u"##,##0.00"_s);
    g->setFocus();
    g->setCurrentCell(0, 1);
    ui::testing::pushAnswer(ui::Answer::No);
    QTest::keyClick(g, Qt::Key_Delete);
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, u"Stergeti inregistrarea ?"_s);
    QCOMPARE(m[0].buttons, ui::Buttons::YesNoCancel);
    QVERIFY(!m[0].title);
    QCOMPARE(g->dataRowCount(), 2);
    ui::testing::pushAnswer(ui::Answer::Yes);
    QTest::keyClick(g, Qt::Key_Delete);
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT COUNT(*) FROM Package"_s).toInt(), 1);
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT Cod_Ambalaj FROM Package"_s).toText(), u"PALET"_s);
}

void TestFrmActualizariGenerale::refusedWriteShowsItsErrorText()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(5);
    QVERIFY(f);
    grid::Grid* g = f->Grid_Actualizare;
    g->setCurrentCell(0, 0);
    QVERIFY(g->editCell(0, QString(25, u'A')));
    QVERIFY(!g->update());
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m[0].text.startsWith(
                 u"Eroare nr: 1\r\nDescriere Eroare: Textul depaseste lungimea admisa a coloanei"_s),
             qPrintable(m[0].text));
    QCOMPARE(m[0].title, std::optional<QString>(u"EROARE"_s));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
}

void TestFrmActualizariGenerale::closingWritesTheChangedRow()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Frm_Actualizari_Generale* f = deschide(13);
    QVERIFY(f);
    f->Grid_Actualizare->setCurrentCell(0, 2);
    QVERIFY(f->Grid_Actualizare->editCell(2, u"Scris la inchidere"_s));
    QVERIFY(ui::Forms::unload(f));
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT REP_DESC FROM Reports"_s).toText(),
             u"Scris la inchidere"_s);

    // A row the database refuses keeps the window open with it.
    QPointer<Frm_Actualizari_Generale> p = deschide(5);
    QVERIFY(p);
    p->Grid_Actualizare->setCurrentCell(0, 0);
    QVERIFY(p->Grid_Actualizare->editCell(0, QString(25, u'B')));
    QVERIFY(!ui::Forms::unload(p));
    QVERIFY(p->isVisible());
    QCOMPARE(Arbore_Test::mesaje().size(), 1);
    QTest::keyClick(p->Grid_Actualizare, Qt::Key_Escape);
    QVERIFY(ui::Forms::unload(p));
    QCOMPARE(Liste_Test::valoare(Conexiune_Comun, u"SELECT COUNT(*) FROM Package"_s).toInt(), 0);
}

QTEST_MAIN(TestFrmActualizariGenerale)
#include "tst_frm_actualizari_generale.moc"
