// The code-list window offscreen, opened by the main menu's code-list
// commands on the common database of the seeded program folder: the count
// in the caption, the columns, one list at a time, the Excel copy, the
// screen adjustment and a list query that cannot be opened.
#include "Liste_Test.h"
#include "codelists/Frm_Lista_tabele.h"
#include "common/BUTOANE.h"
#include "platform/excel/reader.h"
#include "platform/grid/grid.h"
#include "platform/ui/twips.h"
#include "shell/Meniu_Comenzi.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

Frm_Lista_tabele* lista()
{
    return ui::Forms::get<Frm_Lista_tabele>(u"Frm_Lista_tabele"_s);
}

int numar(const QString& tabela)
{
    return Liste_Test::valoare(Conexiune_Comun, u"SELECT COUNT(*) FROM "_s + tabela).toInt();
}

QString total(int n)
{
    return u"  Total Inregistrari :  "_s + QString::number(n);
}

} // namespace

class TestFrmListaTabele : public QObject
{
    Q_OBJECT
private slots:
    void countriesWithTheirTotal();
    void anotherListReplacesTheShownOne();
    void excelCopyNamesTheQueryFields();
    void tallerScreenGrowsTheGrid();
    void listThatCannotBeOpened();
    void typingJumpsAndClosingForgets();
};

void TestFrmListaTabele::countriesWithTheirTotal()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    QVERIFY(Liste_Test::ferestreDeschise());
    Meniu_Lista_Cod(Lista_Cod::Tari);
    Frm_Lista_tabele* f = lista();
    QVERIFY(f && f->isVisible());
    QVERIFY(ui::Forms::isLoaded(u"Frm_INTRASTAT"_s)); // a code list closes no window

    const int n = numar(u"Tari"_s);
    QVERIFY(n > 200);
    QCOMPARE(f->ListaDate->dataRowCount(), n);
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"TARI -"_s + total(n));
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"TARI -"_s + total(n));

    QCOMPARE(f->ListaDate->column(0).caption, u"COD"_s);
    QCOMPARE(f->ListaDate->column(0).widthTwips, 1500);
    QCOMPARE(f->ListaDate->column(1).caption, u"DESCRIERE TARA"_s);
    QCOMPARE(f->ListaDate->column(1).widthTwips, 11655 - 1500 - 600);
    QVERIFY(!f->ListaDate->allowUpdate() && !f->ListaDate->allowAddNew() && !f->ListaDate->allowDelete());

    // The print-out: the wider margins of the code lists.
    bool vazut = false;
    QPair<int, int> margini;
    Liste_Test::laPrevizualizare(this, &vazut,
                                 [&](grid::PrintPreview& p) { margini = Liste_Test::margini(p); });
    f->CmdPrint->click();
    QVERIFY(vazut);
    QCOMPARE(margini, (QPair<int, int>(1000, 567)));
    QVERIFY(Arbore_Test::mesaje().isEmpty());
}

void TestFrmListaTabele::anotherListReplacesTheShownOne()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Meniu_Lista_Cod(Lista_Cod::Tari);
    QVERIFY(Liste_Test::activeaza(lista()));
    Meniu_Lista_Cod(Lista_Cod::Tari_UE);
    Frm_Lista_tabele* f = lista();
    QVERIFY(f);
    QCOMPARE(f->ListaDate->columnCount(), 3);
    QCOMPARE(f->ListaDate->column(1).caption, u"DESCRIERE TARA"_s);
    QCOMPARE(f->ListaDate->column(1).widthTwips, 3500);
    QCOMPARE(f->ListaDate->column(2).caption, u"Data Aderarii"_s);
    // Ordered by accession date first.
    QCOMPARE(f->ListaDate->cellValue(0, 0).toText(), u"BE"_s);
    QCOMPARE(f->ListaDate->cellValue(f->ListaDate->dataRowCount() - 1, 0).toText(), u"XI"_s);

    Meniu_Lista_Cod(Lista_Cod::Monezi);
    f = lista();
    QVERIFY(Liste_Test::activeaza(f));
    QCOMPARE(f->windowTitle(), u"MONEZI -"_s + total(numar(u"Monezi"_s)));
    QCOMPARE(f->ListaDate->columnCount(), 2);
    QCOMPARE(f->ListaDate->column(1).caption, u"DESCRIERE "_s);
    QCOMPARE(f->ListaDate->dataRowCount(), numar(u"Monezi"_s));
    QCOMPARE(ui::Forms::openNames().filter(u"Frm_Lista_tabele"_s, Qt::CaseInsensitive).size(), 1);
}

void TestFrmListaTabele::excelCopyNamesTheQueryFields()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Meniu_Lista_Cod(Lista_Cod::Tari_UE);
    Frm_Lista_tabele* f = lista();
    QVERIFY(f);
    f->ListaDate->setCurrentCell(5, 1);
    f->Cmd_Excel->click();
    QVERIFY(!t.exportat().isEmpty());
    auto carte = excel::readWorkbook(t.exportat());
    QVERIFY2(carte, qPrintable(carte.error().text()));
    const excel::Sheet& foaie = carte->sheets.first();
    QCOMPARE(foaie.fields, (QStringList{u"COD_TARA"_s, u"Tara_DESC"_s, u"DATA_ADERARII"_s}));
    QCOMPARE(foaie.rowCount(), numar(u"UE_Tari"_s));
    QCOMPARE(foaie.cell(0, 0).toText(), u"BE"_s);
    // The window keeps its own rows and place.
    QVERIFY(f->Lista().isOpen());
    QCOMPARE(f->ListaDate->row(), 5);
}

void TestFrmListaTabele::tallerScreenGrowsTheGrid()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Delta_Inaltime = 1500;
    Delta_Latime = 3000;
    Meniu_Lista_Cod(Lista_Cod::Mod_Transport);
    Frm_Lista_tabele* f = lista();
    QVERIFY(f);
    QCOMPARE(f->ListaDate->height(), ui::twipsToPixelsY(7215 + 1500));
    QCOMPARE(f->ListaDate->width(), ui::twipsToPixelsX(11655 + 3000));
    QCOMPARE(f->Cmd_Excel->y(), ui::twipsToPixelsY(7860 + 1500));
    // The description takes the rest of the wider grid, wrapping its text.
    QCOMPARE(f->ListaDate->column(1).widthTwips, 11655 + 3000 - 1500 - 600);
    QVERIFY(f->ListaDate->column(1).wrap);
    QVERIFY(!f->ListaDate->column(0).wrap);
    QCOMPARE(f->CmdPrint->y(), f->Cmd_Excel->y());
    QVERIFY(f->ListaDate->geometry().bottom() < f->Cmd_Excel->y());
}

void TestFrmListaTabele::listThatCannotBeOpened()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    // A list shown before is replaced by nothing rather than by an empty list.
    QVERIFY(Liste_Test::ferestreDeschise());
    Meniu_Lista_Cod(Lista_Cod::Tari);
    QVERIFY(lista());
    QVERIFY(Conexiune_Comun.execute(u"DROP VIEW UE_Tari"_s));
    Meniu_Lista_Cod(Lista_Cod::Tari_UE);
    QVERIFY(!ui::Forms::isLoaded(u"Frm_Lista_tabele"_s));
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QVERIFY(m[0].text.startsWith(u"EROARE : "_s));
    QCOMPARE(m[0].title, std::optional<QString>(u"EROARE"_s));
    QVERIFY(ui::Forms::isLoaded(u"Frm_INTRASTAT"_s)); // the other windows stay
}

void TestFrmListaTabele::typingJumpsAndClosingForgets()
{
    Liste_Test t;
    VERIFICA_LISTE(t);
    Meniu_Lista_Cod(Lista_Cod::Tari);
    Frm_Lista_tabele* f = lista();
    QVERIFY(f);
    f->ListaDate->setCurrentCell(0, 0);
    QTest::keyClicks(f->ListaDate, u"ro"_s);
    QCOMPARE(f->ListaDate->cellValue(f->ListaDate->row(), 0).toText(), u"RO"_s);
    QCOMPARE(f->Label2->text(), u"In curs de cautare : ro"_s);
    QVERIFY(ui::Forms::unload(f));
    QCOMPARE(Prefix_Cautare, QString());
}

QTEST_MAIN(TestFrmListaTabele)
#include "tst_frm_lista_tabele.moc"
