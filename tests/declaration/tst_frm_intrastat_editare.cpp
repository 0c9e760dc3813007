// Editing the declaration in its grid, as the user does it: values typed
// into the cells and confirmed with Enter, the line written by moving to
// another with the arrow keys, Delete and Esc pressed, headers and cell
// buttons clicked, the messages and the pick-list answered; then the
// company database read back.

#include "Declaratie_Test.h"
#include "codelists/Frm_CautareTabele.h"
#include "common/Verifica_Null.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Linii_Intrastat.h"
#include "platform/grid/cut_cells.h"
#include "platform/grid/grid.h"
#include "platform/grid/typing.h"
#include "platform/grid/units.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString cheieO = u"TIP='O' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3"_s;

Frm_INTRASTAT* deschide(const QString& tip = u"O"_s)
{
    return Declaratie_Test::deschide<Frm_INTRASTAT>(
        u" WHERE [TIP]='"_s + tip + u"' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s,
        Titlu_Intrastat(u"2015"_s, u"3"_s));
}

int numar(const QString& conditie)
{
    return Declaratie_Test::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE "_s + conditie).toInt();
}

// The Record_ID of the first line of the dispatches of March 2015.
qint64 primaLinie()
{
    return Declaratie_Test::valoare(u"SELECT MIN(Record_ID) FROM Intrastat WHERE "_s + cheieO).toInt64();
}

db::Variant coloana(qint64 id, const QString& nume)
{
    return Declaratie_Test::valoare(u"SELECT "_s + nume + u" FROM Intrastat WHERE Record_ID="_s +
                                    QString::number(id));
}

// Types the cells of a line on the new-row line; gives that line's row.
int tasteazaLinieNoua(grid::Grid* g, const QList<QPair<int, QString>>& celule)
{
    const int nou = g->dataRowCount();
    for (const auto& [col, text] : celule)
        grid_test::typeIntoCell(g, nou, col, text);
    return nou;
}

// The cells of a whole new line as the user types them: code, countries,
// values, mass, the transaction's codes and the quantity.
QList<QPair<int, QString>> celuleLinieNoua()
{
    return {{5, u"01012100"_s}, {7, u"DE"_s},  {9, u"FR"_s},   {10, u"500"_s}, {11, u"550"_s},
            {12, u"3.5"_s},     {15, u"11"_s}, {16, u"EXW"_s}, {17, u"3"_s},   {21, u"7"_s}};
}

// Leaves the line with an arrow key, which writes it.
void paraseste(grid::Grid* g, Qt::Key tasta = Qt::Key_Down)
{
    g->setFocus();
    QTest::keyClick(g, tasta);
    QCoreApplication::processEvents();
}

// Watches for the pick-list: each time it shows, runs the action on it (by
// default nothing: it is closed, which picks no row when it has no current
// one) and closes it when the action left it open.
class Lista_Selectie : public QObject
{
public:
    explicit Lista_Selectie(std::function<void(Frm_CautareTabele&)> actiune = {})
        : m_actiune(std::move(actiune))
    {
        connect(&m_ceas, &QTimer::timeout, this, [this] {
            auto* lista = ui::Forms::get<Frm_CautareTabele>(u"Frm_CautareTabele"_s);
            if (!lista || !lista->isVisible())
                return;
            ++deschideri;
            if (m_actiune)
                m_actiune(*lista);
            if (ui::Forms::isLoaded(u"Frm_CautareTabele"_s))
                ui::Forms::unload(u"Frm_CautareTabele"_s);
        });
        m_ceas.start(5);
    }
    int deschideri = 0;

private:
    std::function<void(Frm_CautareTabele&)> m_actiune;
    QTimer m_ceas;
};

bool scrie(const QString& cale, const QByteArray& continut)
{
    QFile f(cale);
    return f.open(QIODevice::WriteOnly) && f.write(continut) == continut.size();
}

QString mesaj(const Frm_INTRASTAT* f)
{
    return f->findChild<QLabel*>(u"Lbl_Mesaj"_s)->text();
}

// A click on the button of a grid cell, as the user opens its pick-list.
void apasaButonCelula(grid::Grid* g, int rand, int coloana)
{
    g->setCurrentCell(rand, coloana);
    const QRect celula = g->visualRect(g->model()->index(rand, coloana));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->buttonRect(celula).center());
}

} // namespace

class TestFrmIntrastatEditare : public QObject
{
    Q_OBJECT

private slots:
    // The values in lei follow the currency value and the rate, keeping the
    // ratio of an adjusted statistical value, halves to even.
    void recalculare_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<QVariantList>("inainte"); // VV, CS, VF, VS (invalid: Null)
        QTest::addColumn<double>("vf");
        QTest::addColumn<double>("vs");
        QTest::newRow("currency value, ratio 1.1")
            << 23 << u"200"_s << QVariantList{100.0, 4.5, 450.0, 495.0} << 900.0 << 990.0;
        QTest::newRow("rate 2.5 gives 2") << 25 << u"2.5"_s << QVariantList{1.0, 1.0, 1.0, 1.0} << 2.0 << 2.0;
        QTest::newRow("rate 3.5 gives 4") << 25 << u"3.5"_s << QVariantList{1.0, 1.0, 1.0, 1.0} << 4.0 << 4.0;
        QTest::newRow("statistical value blank")
            << 23 << u"200"_s << QVariantList{100.0, 4.5, 450.0, QVariant()} << 900.0 << 900.0;
        QTest::newRow("fiscal value 0")
            << 23 << u"200"_s << QVariantList{100.0, 4.5, 0.0, 495.0} << 900.0 << 900.0;
        QTest::newRow("rate cleared")
            << 25 << QString() << QVariantList{100.0, 4.5, 450.0, 495.0} << 450.0 << 495.0;
    }
    void recalculare()
    {
        QFETCH(int, col);
        QFETCH(QString, tastat);
        QFETCH(QVariantList, inainte);
        QFETCH(double, vf);
        QFETCH(double, vs);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        const qint64 id = primaLinie();
        QVector<db::Variant> valori;
        for (const QVariant& v : inainte)
            valori << (v.isValid() ? db::Variant(v.toDouble()) : db::Variant::null());
        QVERIFY(Conexiune_Firma.execute(
            u"UPDATE Intrastat SET Valoare_Valuta=?1, Curs_Schimb=?2, Val_Fiscala=?3, "
            u"Val_Stat=?4 WHERE Record_ID="_s +
                QString::number(id),
            valori));
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid_test::typeIntoCell(f->GridIntrastat, 0, col, tastat);
        paraseste(f->GridIntrastat);
        QCOMPARE(coloana(id, u"Val_Fiscala"_s).toDouble(), vf);
        QCOMPARE(coloana(id, u"Val_Stat"_s).toDouble(), vs);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // A code typed is looked up with the column's own query: found, it
    // fills the line's columns and says so below the grid, with no box.
    void cautareGasita_data()
    {
        QTest::addColumn<int>("rand"); // a line whose value differs from the one typed
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("tariff code") << 3 << 5 << u"01012100"_s
                                     << u"SELECT * FROM HS8 WHERE [HS8_COD]='01012100'"_s
                                     << u"VALOARE GASITA: 01012100 : Reproducători de rasă pură"_s;
        QTest::newRow("origin") << 3 << 7 << u"FR"_s
                                << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD]='FR'"_s
                                << u"VALOARE GASITA: FR : Franța"_s;
        QTest::newRow("destination") << 3 << 9 << u"de"_s
                                     << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD]='de'"_s
                                     << u"VALOARE GASITA: DE : Germania"_s;
        QTest::newRow("unit") << 3 << 13 << u"P/ST"_s
                              << u"SELECT [UM_COD] ,[UM_DESC] FROM [UM] WHERE [UM_COD]='P/ST'"_s
                              << u"VALOARE GASITA: p/st : Numar de bucati"_s;
        QTest::newRow("transaction")
            << 2 << 15 << u"11"_s << u"SELECT COD, TR_DESC FROM Tranzactii_Unit WHERE COD ='11'"_s
            << u"VALOARE GASITA: 11 : Cumparare/vanzare ferma, cu exceptia comertului "
               u"direct cu/de catre consumatori privati"_s;
        QTest::newRow("delivery terms")
            << 1 << 16 << u"EXW"_s
            << u"SELECT [Incoterms_COD],[Incoterms_DESC] FROM [Incoterms] WHERE [Incoterms_COD]='EXW'"_s
            << u"VALOARE GASITA: EXW : Franco fabrica (Ex Works) - locul convenit"_s;
        QTest::newRow("transport")
            << 3 << 17 << u"3"_s
            << u"SELECT [COD_MOD_TRANS],[DESC_MOD_TRANS] FROM [MOD_TRANS] WHERE [COD_MOD_TRANS]='3'"_s
            << u"VALOARE GASITA: 3 : Transport rutier"_s;
    }
    void cautareGasita()
    {
        QFETCH(int, rand);
        QFETCH(int, col);
        QFETCH(QString, tastat);
        QFETCH(QString, sql);
        QFETCH(QString, rezultat);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        Lista_Selectie lista;
        grid_test::typeIntoCell(g, rand, col, tastat);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_SQL, sql);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_PeTarif, col == 5);
        QCOMPARE(mesaj(f), rezultat);
        QVERIFY(ui::testing::messages().isEmpty());
        QCOMPARE(lista.deschideri, 0);
        // The list's code is what the cell keeps.
        QCOMPARE(g->cellValue(rand, col).toText(), rezultat.section(u' ', 2, 2));
        if (col == 5) {
            QCOMPARE(g->cellValue(rand, 6).toText(), u"Reproducători de rasă pură"_s);
            QCOMPARE(g->cellValue(rand, 13).toText(), u"p/st"_s);
            QVERIFY(g->cellValue(rand, 31).toBool());
        }
        paraseste(g);
        QVERIFY(ui::testing::messages().isEmpty());
        QVERIFY(!g->rowDataChanged());
    }

    // A code not found: "NU GASESC : " once, then the column's pick-list
    // once; closed without a choice, the typed value stays and is written.
    // A value with a quote is looked for as typed. A look-up that cannot run
    // at all (no tariff open) counts as a code not found; the window goes on.
    void cautareNegasita_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<bool>("tarifInchis");
        QTest::addColumn<QString>("lista");
        QTest::newRow("tariff code") << 5 << u"99999999"_s << false << u"SELECT * FROM HS8"_s;
        QTest::newRow("a quote") << 7 << u"O'"_s << false
                                 << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;
        QTest::newRow("no tariff") << 5 << u"01012100"_s << true << u"SELECT * FROM HS8"_s;
    }
    void cautareNegasita()
    {
        QFETCH(int, col);
        QFETCH(QString, tastat);
        QFETCH(bool, tarifInchis);
        QFETCH(QString, lista);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        if (tarifInchis)
            Conexiune_CN.close();
        const qint64 id = primaLinie();
        grid::Grid* g = f->GridIntrastat;
        Lista_Selectie selectie;
        grid_test::typeIntoCell(g, 0, col, tastat);
        QCOMPARE(selectie.deschideri, 1);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_SQL, lista);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QVERIFY(!m.isEmpty());
        QCOMPARE(m.first().text, u"NU GASESC : "_s + tastat);
        QCOMPARE(m.size(), tarifInchis ? 2 : 1); // without a tariff the list says it cannot open
        QCOMPARE(mesaj(f), u"VALOARE NEGASITA : "_s + tastat);
        QCOMPARE(g->cellValue(0, col).toText(), tastat);
        paraseste(g);
        QCOMPARE(coloana(id, g->column(col).dataField).toText(), tastat);
    }

    // An emptied code cell leaves nothing of the code it held: emptying the
    // tariff code empties the description, the unit and the unit flag it
    // brought; an emptied country takes nothing else with it. No look-up
    // runs, and the line is then refused for its blank code as any other.
    void golireCod_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QList<int>>("golite"); // the other columns emptied with it
        QTest::newRow("tariff code") << 5 << QList<int>{6, 13, 31};
        QTest::newRow("country of origin") << 7 << QList<int>{};
    }
    void golireCod()
    {
        QFETCH(int, col);
        QFETCH(QList<int>, golite);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const int rand = 1; // 01012100, with its unit p/st
        QCOMPARE(g->cellValue(rand, 13).toText(), u"p/st"_s);
        QList<db::Variant> inainte;
        for (int c = 0; c < g->columnCount(); ++c)
            inainte << g->cellValue(rand, c);
        Lista_Selectie lista;
        grid_test::typeIntoCell(g, rand, col, QString());
        QCOMPARE(lista.deschideri, 0);
        QVERIFY(ui::testing::messages().isEmpty());
        for (int c = 0; c < g->columnCount(); ++c) {
            const bool golita = c == col || golite.contains(c);
            // The unit flag is a yes/no column: emptied, it reads no.
            if (golita)
                QVERIFY2(c == 31 ? !g->cellValue(rand, c).toBool() : Este_Null(g->cellValue(rand, c)),
                         qPrintable(u"column "_s + QString::number(c)));
            else
                QVERIFY2(g->cellValue(rand, c) == inainte.at(c),
                         qPrintable(u"column "_s + QString::number(c)));
        }
        QVERIFY(!g->update());
        QCOMPARE(Arbore_Test::mesaje().size(), 1);
        QVERIFY(Arbore_Test::mesaje().first().endsWith(u"  -  Obligatoriu de completat !"_s));
    }

    // A unit code typed on a line without a quantity in it is taken without
    // a look-up, and looked up when the line is written, as the other codes
    // are when typed: found, the list's code is written; not found, "NU
    // GASESC" and the pick-list, and the typed code stays.
    void unitateVerificataLaScriere_data()
    {
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<QString>("scris");
        QTest::addColumn<int>("liste");
        QTest::newRow("unit found") << u"P/ST"_s << u"p/st"_s << 0;
        QTest::newRow("unit not found") << u"XX"_s << u"XX"_s << 1;
    }
    void unitateVerificataLaScriere()
    {
        QFETCH(QString, tastat);
        QFETCH(QString, scris);
        QFETCH(int, liste);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        const qint64 id = primaLinie();
        grid::Grid* g = f->GridIntrastat;
        QVERIFY(g->cellValue(0, 14).isMissing() || Este_Null(g->cellValue(0, 14)));
        Lista_Selectie lista;
        grid_test::typeIntoCell(g, 0, 13, tastat);
        QCOMPARE(lista.deschideri, 0);
        QVERIFY(ui::testing::messages().isEmpty());
        paraseste(g);
        QCOMPARE(lista.deschideri, liste);
        QCOMPARE(Arbore_Test::mesaje(), liste ? QStringList{u"NU GASESC : "_s + tastat} : QStringList());
        QCOMPARE(coloana(id, u"Cod_UMS"_s).toText(), scris);
        QCOMPARE(coloana(id, u"Val_UMS"_s).toDouble(), 1.0); // the line's quantity
        QCOMPARE(mesaj(f),
                 liste ? u"VALOARE NEGASITA : "_s + tastat : u"VALOARE GASITA: p/st : Numar de bucati"_s);
        // Written, the line is not looked up again.
        ui::testing::clear();
        grid_test::typeIntoCell(g, 0, 20, u"Alta marfa"_s);
        paraseste(g, Qt::Key_Up);
        QVERIFY(ui::testing::messages().isEmpty());
        QCOMPARE(lista.deschideri, liste);
    }

    // The cell button opens the pick-list of the column; the tariff's with
    // long, wrapped descriptions. The row chosen fills the line.
    void butonCelula()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        int latime = 0;
        bool incadrat = false;
        int inaltime = 0;
        Lista_Selectie lista([&](Frm_CautareTabele& l) {
            latime = l.GridCautare->column(1).widthTwips;
            incadrat = l.GridCautare->column(1).wrap;
            inaltime = l.GridCautare->verticalHeader()->defaultSectionSize();
            QVERIFY(l.Lista().isOpen());
            // The row of 01012100, chosen with Enter.
            for (int i = 0; i < l.GridCautare->dataRowCount(); ++i) {
                if (l.GridCautare->cellValue(i, 0).toText() == u"01012100") {
                    l.GridCautare->setCurrentCell(i, 0);
                    break;
                }
            }
            QTest::keyClick(l.GridCautare, Qt::Key_Return);
        });
        apasaButonCelula(g, 2, 5);
        QCOMPARE(lista.deschideri, 1);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_SQL, u"SELECT * FROM HS8"_s);
        QCOMPARE(latime, 6500);
        QVERIFY(incadrat);
        QCOMPARE(inaltime, g->rowPixels(400));
        QCOMPARE(g->cellValue(2, 5).toText(), u"01012100"_s);
        QCOMPARE(g->cellValue(2, 13).toText(), u"p/st"_s);
        QCOMPARE(mesaj(f), u"VALOARE GASITA: 01012100 : Reproducători de rasă pură"_s);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_CautareTabele"_s));
    }

    // Leaving the tariff's pick-list of a "Cod NC" cell without a choice:
    // Esc, digits that find no code and then Esc or the close box, or the
    // close box on the line's own code. The line keeps its code and its
    // description, in the grid and once the line is left in the database.
    void anulareLista_data()
    {
        // Typed into the list before it is left: "cod" stands for the line's code.
        QTest::addColumn<QString>("taste");
        QTest::addColumn<bool>("esc"); // left by Esc, else by its close box
        QTest::newRow("Esc") << QString() << true;
        QTest::newRow("digits that find nothing, then Esc") << u"cod9"_s << true;
        QTest::newRow("digits that find nothing, then the close box") << u"cod9"_s << false;
        // The tariff's first code found on the way, then no code.
        QTest::newRow("another code's digits, then nothing, then the close box") << u"010121009"_s << false;
        QTest::newRow("the close box on the line's own code") << QString() << false;
    }
    void anulareLista()
    {
        QFETCH(QString, taste);
        QFETCH(bool, esc);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const qint64 id = g->cellValue(2, 4).toInt64();
        const QString cod = g->cellValue(2, 5).toText();
        QVERIFY(!cod.isEmpty());
        taste.replace(u"cod"_s, cod);
        QVERIFY(Conexiune_Firma.execute(
            u"UPDATE Intrastat SET Descriere_NC='din registru' WHERE Record_ID="_s + QString::number(id)));
        QVERIFY(f->findChild<QPushButton*>(u"CmdRefresh"_s));
        f->findChild<QPushButton*>(u"CmdRefresh"_s)->click();
        QCOMPARE(g->cellValue(2, 4).toInt64(), id);
        QCOMPARE(g->cellValue(2, 6).toText(), u"din registru"_s);
        const QString inainte = mesaj(f);
        QString pozitionat, dupaTaste, eticheta;
        Lista_Selectie lista([&](Frm_CautareTabele& l) {
            pozitionat = l.GridCautare->cellValue(l.GridCautare->row(), 0).toText();
            QTest::keyClicks(l.GridCautare, taste);
            dupaTaste = l.GridCautare->row() < 0 ? QString()
                                                 : l.GridCautare->cellValue(l.GridCautare->row(), 0).toText();
            eticheta = l.Label2->text();
            if (esc)
                QTest::keyClick(l.GridCautare, Qt::Key_Escape);
            else
                l.close();
        });
        apasaButonCelula(g, 2, 5);
        QCOMPARE(lista.deschideri, 1);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_CautareTabele"_s));
        // The list stood on the line's code, and a search that found nothing left it there.
        QCOMPARE(pozitionat, cod);
        QCOMPARE(dupaTaste, cod);
        if (!taste.isEmpty())
            QCOMPARE(eticheta, u"In curs de cautare : NU GASESC : "_s + taste);
        QCOMPARE(g->cellValue(2, 5).toText(), cod);
        QCOMPARE(g->cellValue(2, 6).toText(), u"din registru"_s);
        QVERIFY(!g->rowDataChanged());
        if (esc)
            QCOMPARE(mesaj(f), inainte);
        paraseste(g);
        QCOMPARE(coloana(id, u"Cod_NC"_s).toText(), cod);
        QCOMPARE(coloana(id, u"Descriere_NC"_s).toText(), u"din registru"_s);
        QCOMPARE(ui::testing::messages().size(), 0);
    }

    // Each pick-list shows its columns under the captions of the code lists,
    // the description across the list, and keeps them when re-sorted.
    void titluriListe_data()
    {
        QTest::addColumn<int>("coloana");
        QTest::addColumn<QStringList>("titluri");
        QTest::newRow("tariff") << 5
                                << QStringList{u"COD 8"_s, u"DESCRIERE"_s, u"UM SUPL"_s, u"EXISTA UM SUPL"_s};
        QTest::newRow("country of origin") << 7 << QStringList{u"COD"_s, u"DESCRIERE TARA"_s};
        QTest::newRow("country of destination") << 9 << QStringList{u"COD"_s, u"DESCRIERE TARA"_s};
        QTest::newRow("unit") << 13 << QStringList{u"COD"_s, u"DESCRIERE"_s};
        QTest::newRow("transaction") << 15 << QStringList{u"COD"_s, u"DESCRIERE"_s};
        QTest::newRow("delivery terms") << 16 << QStringList{u"COD"_s, u"DESCRIERE"_s};
        QTest::newRow("transport") << 17 << QStringList{u"COD"_s, u"DESCRIERE"_s};
    }
    void titluriListe()
    {
        QFETCH(int, coloana);
        QFETCH(QStringList, titluri);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const auto titluriGrila = [](grid::Grid& lista) {
            QStringList t;
            for (int c = 0; c < lista.columnCount(); ++c)
                t << lista.column(c).caption;
            return t;
        };
        QStringList vazute, sortate;
        int latime = 0, latimeSortata = 0;
        Lista_Selectie lista([&](Frm_CautareTabele& l) {
            vazute = titluriGrila(*l.GridCautare);
            latime = l.GridCautare->column(1).widthTwips;
            l.GridCautare_HeadClick(1);
            sortate = titluriGrila(*l.GridCautare);
            latimeSortata = l.GridCautare->column(1).widthTwips;
        });
        apasaButonCelula(g, 2, coloana);
        QCOMPARE(lista.deschideri, 1);
        QCOMPARE(vazute, titluri);
        // At least its own width; the last column also takes what the
        // others leave of the list.
        QVERIFY2(latime >= 6500, qPrintable(QString::number(latime)));
        QCOMPARE(sortate, titluri);
        QCOMPARE(latimeSortata, latime);
    }

    // A line added on the new-row line takes the declaration's key, "RO" as
    // the country of dispatch, the unit's quantity; the footers follow.
    void linieNoua()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        tasteazaLinieNoua(g, celuleLinieNoua());
        QCOMPARE(f->TXT_Tip->text(), u"O"_s); // the key of the lines shown stays
        QCOMPARE(f->TXT_Anul->text(), u"2015"_s);
        paraseste(g, Qt::Key_Up);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(numar(cheieO), 16);
        const qint64 id = Declaratie_Test::valoare(u"SELECT MAX(Record_ID) FROM Intrastat"_s).toInt64();
        QCOMPARE(coloana(id, u"TIP || Cod_Fiscal || Anul || '/' || Luna"_s).toText(), u"ORO1232015/3"_s);
        QCOMPARE(coloana(id, u"Tara_Exp"_s).toText(), u"RO"_s);
        QCOMPARE(coloana(id, u"Descriere_NC"_s).toText(), u"Reproducători de rasă pură"_s);
        QCOMPARE(coloana(id, u"Cod_UMS"_s).toText(), u"p/st"_s);
        QCOMPARE(coloana(id, u"Val_UMS"_s).toDouble(), 7.0);
        QCOMPARE(coloana(id, u"Exista_UMS"_s).toInt(), -1);
        QCOMPARE(g->dataRowCount(), 16);
        // 15,690 and the new line's values, from one query.
        QCOMPARE(g->column(10).footerText, u"16,190"_s);
        QCOMPARE(g->column(11).footerText, u"16,240"_s);
        QCOMPARE(g->column(12).footerText, u"223"_s);
    }

    // A large amount typed into a line, then a larger one into a new line,
    // shows whole once its line is written: its column widens for it, and
    // every other amount column keeps its values whole.
    void sumaMareScrisa_data()
    {
        QTest::addColumn<int>("coloana");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("aratat");
        QTest::addColumn<QString>("textNou"); // on the new line
        QTest::addColumn<QString>("aratatNou");
        QTest::newRow("fiscal value") << 10 << u"1234567890123"_s << u"1,234,567,890,123"_s
                                      << u"12345678901234"_s << u"12,345,678,901,234"_s;
        QTest::newRow("statistical value, negative") << 11 << u"-1000000000000"_s << u"-1,000,000,000,000"_s
                                                     << u"-10000000000000"_s << u"-10,000,000,000,000"_s;
        QTest::newRow("net mass, kept in whole kilograms")
            << 12 << u"98765432.25"_s << u"98,765,432.00"_s << u"987654321.5"_s << u"987,654,322.00"_s;
        QTest::newRow("supplementary quantity")
            << 14 << u"12345678"_s << u"12,345,678.00"_s << u"123456789"_s << u"123,456,789.00"_s;
        QTest::newRow("quantity") << 21 << u"12345678.75"_s << u"12,345,678.75"_s << u"123456789.75"_s
                                  << u"123,456,789.75"_s;
        QTest::newRow("currency value, its lei after it")
            << 23 << u"248137294.55"_s << u"248,137,294.55"_s << u"2481372945.55"_s << u"2,481,372,945.55"_s;
        QTest::newRow("exchange rate")
            << 25 << u"1234.5678"_s << u"1,234.5678"_s << u"12345.6789"_s << u"12,345.6789"_s;
    }
    void sumaMareScrisa()
    {
        QFETCH(int, coloana);
        QFETCH(QString, text);
        QFETCH(QString, aratat);
        QFETCH(QString, textNou);
        QFETCH(QString, aratatNou);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const QList<int> sume{10, 11, 12, 14, 21, 23, 25};
        QCOMPARE(grid_test::cutTexts(*g, sume), QStringList());
        grid_test::typeIntoCell(g, 2, coloana, text);
        paraseste(g);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(g->cellText(2, coloana), aratat);
        QCOMPARE(grid_test::cutTexts(*g, sume), QStringList());

        QList<QPair<int, QString>> celule = celuleLinieNoua();
        celule.erase(
            std::remove_if(celule.begin(), celule.end(), [&](const auto& c) { return c.first == coloana; }),
            celule.end());
        celule << qMakePair(coloana, textNou);
        const int nou = tasteazaLinieNoua(g, celule);
        paraseste(g, Qt::Key_Up);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(g->dataRowCount(), nou + 1);
        QCOMPARE(g->cellText(nou, coloana), aratatNou);
        QCOMPARE(grid_test::cutTexts(*g, sume), QStringList());
    }

    // The first blank column a line must have is named, alone; nothing is
    // written and the line keeps its values until Esc drops them.
    void obligatoriu()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const int nou = tasteazaLinieNoua(
            g, {{5, u"01012100"_s}, {7, u"DE"_s}, {9, u"FR"_s}, {10, u"500"_s}, {11, u"550"_s}});
        paraseste(g, Qt::Key_Up);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first().text, u"Net [Kg]  -  Obligatoriu de completat !"_s);
        QCOMPARE(m.first().title, std::optional<QString>(u"EROARE"_s));
        QCOMPARE(m.first().icon, ui::Icon::Critical);
        QCOMPARE(numar(cheieO), 15);
        QCOMPARE(g->row(), nou);
        QCOMPARE(g->cellValue(nou, 10).toDouble(), 500.0);
        QTest::keyClick(g, Qt::Key_Escape);
        QVERIFY(!g->rowDataChanged());
        QVERIFY(g->cellValue(nou, 10).isMissing());
        QCOMPARE(numar(cheieO), 15);
    }

    // A line added where no line is shown has no key to take: it is refused,
    // naming the first key column, and nothing is written.
    void linieFaraCheie()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = Declaratie_Test::deschide<Frm_INTRASTAT>(
            u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=9"_s,
            Titlu_Intrastat(u"2015"_s, u"9"_s));
        QVERIFY(f);
        const int toate = numar(u"1=1"_s);
        grid::Grid* g = f->GridIntrastat;
        QCOMPARE(g->dataRowCount(), 0);
        grid_test::typeIntoCell(g, 0, 20, u"Marfa"_s);
        QVERIFY(g->update() == false);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"TIP  -  Obligatoriu de completat !"_s});
        QCOMPARE(numar(u"1=1"_s), toate);
    }

    // Writing a line puts "RO" in the column of Romania, whatever it held.
    void taraRomania_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("coloanaRO");
        QTest::newRow("dispatch") << u"O"_s << u"Tara_Exp"_s;
        QTest::newRow("arrival") << u"I"_s << u"Tara_Dest"_s;
    }
    void taraRomania()
    {
        QFETCH(QString, tip);
        QFETCH(QString, coloanaRO);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        const QString cheie = u"TIP='"_s + tip + u"' AND Anul=2015 AND Luna=3 AND Cod_Fiscal='RO123'"_s;
        const qint64 id =
            Declaratie_Test::valoare(u"SELECT MIN(Record_ID) FROM Intrastat WHERE "_s + cheie).toInt64();
        QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET "_s + coloanaRO + u"='DE' WHERE Record_ID="_s +
                                        QString::number(id)));
        Frm_INTRASTAT* f = deschide(tip);
        QVERIFY(f);
        grid_test::typeIntoCell(f->GridIntrastat, 0, 20, u"Marfa"_s);
        paraseste(f->GridIntrastat);
        QCOMPARE(coloana(id, coloanaRO).toText(), u"RO"_s);
        QCOMPARE(coloana(id, u"Descriere"_s).toText(), u"Marfa"_s);
        QCOMPARE(numar(cheie), tip == u"O" ? 15 : 4);
    }

    // Delete asks; only Yes removes the line, and the footers follow.
    void stergere_data()
    {
        QTest::addColumn<ui::Answer>("raspuns");
        QTest::newRow("yes") << ui::Answer::Yes;
        QTest::newRow("no") << ui::Answer::No;
        QTest::newRow("cancel") << ui::Answer::Cancel;
    }
    void stergere()
    {
        QFETCH(ui::Answer, raspuns);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        const qint64 id = primaLinie();
        f->GridIntrastat->setCurrentCell(0, 5);
        ui::testing::pushAnswer(raspuns);
        QTest::keyClick(f->GridIntrastat, Qt::Key_Delete);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first().text, u"Stergeti inregistrarea ?"_s);
        QCOMPARE(m.first().icon, ui::Icon::Question);
        QCOMPARE(m.first().buttons, ui::Buttons::YesNoCancel);
        QCOMPARE(m.first().title, std::optional<QString>());
        QCOMPARE(Raspuns_Mesaj, static_cast<qint32>(raspuns));
        const bool sters = raspuns == ui::Answer::Yes;
        QCOMPARE(numar(u"Record_ID="_s + QString::number(id)), sters ? 0 : 1);
        QCOMPARE(f->GridIntrastat->dataRowCount(), sters ? 14 : 15);
        QCOMPARE(f->GridIntrastat->column(10).footerText, sters ? u"14,690"_s : u"15,690"_s);
    }

    // A header click sorts by that column, then by the line's place in its
    // file, with the query file's query, or the built-in one without the
    // file or when the file's query cannot serve (said, not silent); the
    // footers keep their totals. Refresh goes back to the order of the lines.
    void sortare_data()
    {
        QTest::addColumn<QByteArray>("fisier"); // "-": the file removed; "": as shipped
        QTest::addColumn<bool>("eroare");
        QTest::newRow("shipped file") << QByteArray() << false;
        QTest::newRow("no file") << QByteArray("-") << false;
        QTest::newRow("broken file") << QByteArray("SELECT FROM WHERE") << true;
    }
    void sortare()
    {
        QFETCH(QByteArray, fisier);
        QFETCH(bool, eroare);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        const QString cale = d.arbore().cale(u"System/SQL/Intrastat.txt"_s);
        QVERIFY(QFile::exists(cale));
        if (fisier == "-")
            QVERIFY(QFile::remove(cale));
        else if (!fisier.isEmpty())
            QVERIFY(scrie(cale, fisier));
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        QHeaderView* h = g->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(5) + h->sectionSize(5) / 2, h->height() / 2));
        QCOMPARE(Ordine_Intrastat, u"[Cod_NC],[POZITIA]"_s);
        QVERIFY(f->Linii().source().endsWith(u" ORDER BY [Cod_NC],[POZITIA]"_s));
        QCOMPARE(f->Interogare_Grila, SQL_Grila_Intrastat);
        QCOMPARE(g->columnCount(), 32);
        QCOMPARE(g->columnForField(u"Exista_UMS"_s), 31);
        QCOMPARE(g->dataRowCount(), 15);
        QCOMPARE(g->column(5).caption, u"Cod NC"_s);
        QCOMPARE(g->column(10).footerText, u"15,690"_s);
        QCOMPARE(g->column(12).footerText, u"219"_s);
        QCOMPARE(f->TXT_Tip->text(), u"O"_s);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), eroare ? 1 : 0);
        if (eroare) {
            QVERIFY(m.first().text.contains(u"Intrastat.txt"_s));
            QCOMPARE(m.first().title, std::optional<QString>(u"EROARE"_s));
        }
        QString anterior;
        for (int r = 0; r < g->dataRowCount(); ++r) {
            QVERIFY(g->cellValue(r, 5).toText() >= anterior);
            anterior = g->cellValue(r, 5).toText();
        }
        f->CmdRefresh_Click();
        QVERIFY(f->Linii().source().endsWith(u" ORDER BY Record_ID"_s));
    }

    // Esc drops the unsaved changes of the line; nothing is written.
    void esc()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        const qint64 id = primaLinie();
        grid::Grid* g = f->GridIntrastat;
        grid_test::typeIntoCell(g, 0, 20, u"Alta marfa"_s);
        grid_test::typeIntoCell(g, 0, 12, u"99"_s);
        QVERIFY(g->rowDataChanged());
        QTest::keyClick(g, Qt::Key_Escape);
        QVERIFY(!g->rowDataChanged());
        QCOMPARE(g->cellValue(0, 12).toDouble(), 10.0);
        paraseste(g);
        QCOMPARE(coloana(id, u"Net"_s).toDouble(), 10.0);
        QCOMPARE(coloana(id, u"Descriere"_s).toText(), u"Marfa 1"_s);
    }

    // A text that is no number in a number cell is refused as it is
    // confirmed, once, through the error texts, naming the column by its
    // header and the forms to use; it stays in the cell to be mended and the
    // line stays where it was, unchanged. Esc takes it back: no box at the
    // next change of line, nothing pending, nothing written.
    void eroareGrila()
    {
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        grid_test::typeIntoCell(g, 0, 12, u"abc"_s);
        paraseste(g);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m.first().text, u"Eroare nr: 2\r\nDescriere Eroare: Valoarea introdusa nu este un numar\r\n"
                                 u"Net [Kg] : \"abc\" - scrieti numarul ca 1,234.50 sau 1234.5"_s);
        QCOMPARE(m.first().title, std::optional<QString>(u"EROARE"_s));
        QCOMPARE(m.first().icon, ui::Icon::Critical);
        QCOMPARE(g->row(), 0);
        QCOMPARE(g->col(), 12);
        auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->model()->index(0, 12)));
        QVERIFY(editor);
        QCOMPARE(editor->text(), u"abc"_s);
        QVERIFY(!g->rowDataChanged());

        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(!g->isEditing());
        QVERIFY(!g->rowDataChanged());
        paraseste(g);
        paraseste(g);
        QCOMPARE(g->row(), 2);
        QCOMPARE(ui::testing::messages().size(), 1);
        QCOMPARE(g->cellText(0, 12), u"10.00"_s);
        QCOMPARE(coloana(primaLinie(), u"Net"_s).toDouble(), 10.0);
    }

    // Amounts typed as the grid shows them under Romanian forms, and as the
    // import reads them, are stored as the numbers they are, rounded once as
    // their column keeps them (whole lei and kilograms, 4 decimals of the
    // currency value and the rate), half to even, and shown so.
    void formeTastate_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<double>("stocat");
        QTest::addColumn<QString>("aratat");
        QTest::newRow("fiscal value, thousands grouped")
            << 10 << u"10.000.000"_s << 10000000.0 << u"10.000.000"_s;
        QTest::newRow("fiscal value, whole as shown") << 10 << u"1.234"_s << 1234.0 << u"1.234"_s;
        QTest::newRow("fiscal value, a half to even")
            << 10 << u"1382175472,5"_s << 1382175472.0 << u"1.382.175.472"_s;
        QTest::newRow("fiscal value, a half to even up")
            << 10 << u"1.382.175.473,5"_s << 1382175474.0 << u"1.382.175.474"_s;
        QTest::newRow("statistical value, blanks grouping") << 11 << u"7 500,00"_s << 7500.0 << u"7.500"_s;
        QTest::newRow("statistical value, grouped with decimals")
            << 11 << u"1.234,50"_s << 1234.0 << u"1.234"_s;
        QTest::newRow("net mass, plain comma") << 12 << u"1234,5"_s << 1234.0 << u"1.234,00"_s;
        QTest::newRow("net mass, plain dot") << 12 << u"48.5"_s << 48.0 << u"48,00"_s;
        QTest::newRow("net mass, past a half") << 12 << u"48,51"_s << 49.0 << u"49,00"_s;
        QTest::newRow("currency value, 4 decimals")
            << 23 << u"1.234,56785"_s << 1234.5678 << u"1.234,57"_s;
        QTest::newRow("rate, 4 decimals") << 25 << u"4,97655"_s << 4.9766 << u"4,9766"_s;
        QTest::newRow("quantity as typed") << 21 << u"1.234,567"_s << 1234.567 << u"1.234,57"_s;
    }
    void formeTastate()
    {
        QFETCH(int, col);
        QFETCH(QString, tastat);
        QFETCH(double, stocat);
        QFETCH(QString, aratat);
        Declaratie_Test d;
        VERIFICA_DECLARATIA(d);
        const QLocale inainte;
        QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
        const auto inapoi = qScopeGuard([&] { QLocale::setDefault(inainte); });
        Frm_INTRASTAT* f = deschide();
        QVERIFY(f);
        grid::Grid* g = f->GridIntrastat;
        const qint64 id = primaLinie();
        grid_test::typeIntoCell(g, 0, col, tastat);
        paraseste(g);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(coloana(id, g->column(col).dataField).toDouble(), stocat);
        QCOMPARE(g->cellText(0, col), aratat);
    }
};

QTEST_MAIN(TestFrmIntrastatEditare)
#include "tst_frm_intrastat_editare.moc"
