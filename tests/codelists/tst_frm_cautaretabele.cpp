// The pick-list offscreen, opened through its entry point by a real calling
// grid on a common and a tariff database built by the repository's scripts:
// positioning on the typed prefix, choosing (once, by every road), the
// header click, the column search, the type-ahead and the add mode.
#include "calling_grid.h"
#include "codelists/FRM_cautare.h"
#include "codelists/Frm_CautareTabele.h"
#include "common/BUTOANE.h"
#include "fixture.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestFrmCautareTabele : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void opensOnTheTypedPrefix_data();
    void opensOnTheTypedPrefix();
    void choosingWritesThePairsOnce_data();
    void choosingWritesThePairsOnce();
    void pairCountOutsideOneToEightWritesNothing_data();
    void pairCountOutsideOneToEightWritesNothing();
    void emptyListOrNoCurrentRowWritesNothing();
    void headerClickSortsByItsColumnAlone_data();
    void headerClickSortsByItsColumnAlone();
    void typeAheadMovesTheList();
    void cancelLeavesTheCallingRow_data();
    void cancelLeavesTheCallingRow();
    void columnSearchNarrowsWhatIsChosen();
    void addModeInsertsAndThenChooses();
    void addRefusedByTheListKeepsTheWindow_data();
    void addRefusedByTheListKeepsTheWindow();
    void descriptionTakesTheRestOfTheGrid();

private:
    // The request as the declaration grid's cell button fills it.
    void cerere(const QString& sql, bool peTarif, const QList<QPair<int, int>>& perechi,
                const QString& tastat = QString());
    // Opens the pick-list through its entry point and runs the action while
    // it is shown; the action must close it.
    void cuLista(const std::function<void(Frm_CautareTabele&)>& actiune);
    static void apasa(QWidget* w, Qt::Key tasta, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QTest::keyClick(w, tasta, mod);
    }
    static void dubluClic(Frm_CautareTabele& lista, int rand);
    // Types a cell of the new-row line and confirms it with Enter.
    static void tasteaza(Frm_CautareTabele& lista, const QString& text);

    std::unique_ptr<fixture::Folder> m_folder;
    std::unique_ptr<GrilaApelant> m_apelant;
};

namespace {

const QString kTari = u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;
const QList<QPair<int, int>> kPerechiHs8{{0, 5}, {2, 13}, {1, 6}, {3, 31}};

Frm_CautareTabele* lista()
{
    return ui::Forms::get<Frm_CautareTabele>(u"Frm_CautareTabele"_s);
}

QString codCurent(Frm_CautareTabele& l)
{
    const int r = l.GridCautare->row();
    return r < 0 ? QString() : l.GridCautare->cellValue(r, 0).toText();
}

} // namespace

void TestFrmCautareTabele::initTestCase()
{
    ui::testing::setEnabled(true);
    Inregistreaza_Ferestre_Cautare();
}

void TestFrmCautareTabele::init()
{
    ui::testing::clear();
    Reseteaza_Globale_Cautare();
    Parametri_Cautare_Tabele = Cerere_Cautare_Tabele();
    m_folder = std::make_unique<fixture::Folder>();
    const QString comun = m_folder->base() + u"Comun.mdb"_s;
    const QString cn = m_folder->cn(u"CN.mdb"_s);
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts()));
    QVERIFY(fixture::makeDatabase(
        cn, fixture::tarifScripts(),
        fixture::hs8(u"01012100"_s, u"0000"_s, u"Cai reproducatori de rasa pura"_s, u"p/st"_s) +
            fixture::hs8(u"01012910"_s, u"0000"_s, u"Cai pentru sacrificare"_s, u"p/st"_s) +
            fixture::hs8(u"02011000"_s, u"0000"_s, u"Carcase de bovine"_s, QString())));
    QVERIFY(!Conexiune_Comun.open(comun));
    QVERIFY(!Conexiune_CN.open(cn));
    m_apelant = std::make_unique<GrilaApelant>();
    m_apelant->resize(900, 200);
    m_apelant->show();
}

void TestFrmCautareTabele::cleanup()
{
    ui::Forms::unloadAllForTests();
    m_apelant.reset();
    Reseteaza_Globale_Cautare();
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
    m_folder.reset();
}

void TestFrmCautareTabele::cerere(const QString& sql, bool peTarif, const QList<QPair<int, int>>& perechi,
                                  const QString& tastat)
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    c.Cautare_SQL = sql;
    c.Cautare_PeTarif = peTarif;
    c.Cautare_PeFirma = false;
    c.Cautare_Suprascrie = true;
    c.Cautare_ValoareTastata = tastat;
    c.Cautare_GridApelant = m_apelant.get();
    c.Cautare_NrColoane = std::uint8_t(perechi.size());
    for (int k = 0; k < perechi.size() && k < 8; ++k) {
        c.Cautare_ColoaneSursa[k + 1] = perechi[k].first;
        c.Cautare_ColoaneDestinatie[k + 1] = perechi[k].second;
    }
}

void TestFrmCautareTabele::cuLista(const std::function<void(Frm_CautareTabele&)>& actiune)
{
    bool ramasDeschisa = false;
    QTimer::singleShot(0, this, [&] {
        // A failed check, or an action that leaves the window open, must not hang the test.
        const auto inchide = qScopeGuard([&] {
            if (ui::Forms::isLoaded(u"Frm_CautareTabele"_s)) {
                ramasDeschisa = true;
                ui::Forms::unloadAllForTests();
            }
        });
        Frm_CautareTabele* l = lista();
        QVERIFY(l && l->isVisible());
        actiune(*l);
    });
    Arata_Lista_Selectie();
    QVERIFY2(!ramasDeschisa, "the pick-list was left open");
    QVERIFY(!ui::Forms::isLoaded(u"Frm_CautareTabele"_s));
    QCOMPARE(Prefix_Cautare, QString());
}

void TestFrmCautareTabele::dubluClic(Frm_CautareTabele& l, int rand)
{
    // As the mouse gives it: a click, then the second press of a double-click.
    const QRect r = l.GridCautare->visualRect(l.GridCautare->model()->index(rand, 0));
    QTest::mouseClick(l.GridCautare->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::mouseDClick(l.GridCautare->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

void TestFrmCautareTabele::tasteaza(Frm_CautareTabele& l, const QString& text)
{
    QTest::keyClick(l.GridCautare, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : l.GridCautare->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    QVERIFY(editor);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestFrmCautareTabele::opensOnTheTypedPrefix_data()
{
    QTest::addColumn<QString>("tastat");
    QTest::addColumn<QString>("cod");
    QTest::newRow("a prefix") << u"RO"_s << u"RO"_s;
    QTest::newRow("case ignored") << u"r"_s << u"RE"_s;
    QTest::newRow("empty: the first row") << QString() << u"AD"_s;
    QTest::newRow("a blank: the first row") << u" "_s << u"AD"_s;
    QTest::newRow("no match: no current row") << u"ZZZ"_s << QString();
    QTest::newRow("an apostrophe opens all the same") << u"D'"_s << QString();
}

void TestFrmCautareTabele::opensOnTheTypedPrefix()
{
    QFETCH(QString, tastat);
    QFETCH(QString, cod);
    cerere(kTari, false, {{0, 7}}, tastat);
    auto* l = ui::Forms::load<Frm_CautareTabele>(u"Frm_CautareTabele"_s);
    QVERIFY(l);
    QCOMPARE(l->windowTitle(), u"Selectie / Cautare"_s);
    QVERIFY(l->GridCautare->dataRowCount() > 200);
    QCOMPARE(codCurent(*l), cod);
    QVERIFY(l->CmdAdd->isVisibleTo(l));
    QVERIFY(!l->GridCautare->allowUpdate());
    QCOMPARE(ui::testing::messages().size(), 0);
}

void TestFrmCautareTabele::choosingWritesThePairsOnce_data()
{
    QTest::addColumn<QString>("cum");
    QTest::addColumn<int>("focus");
    QTest::newRow("Enter") << u"enter"_s << 1;
    QTest::newRow("Shift+Enter") << u"shift enter"_s << 1;
    QTest::newRow("Enter of the keypad") << u"keypad enter"_s << 1;
    QTest::newRow("double-click") << u"double click"_s << 1;
    QTest::newRow("close box") << u"close"_s << 0;
}

void TestFrmCautareTabele::choosingWritesThePairsOnce()
{
    QFETCH(QString, cum);
    QFETCH(int, focus);
    cerere(u"SELECT * FROM HS8"_s, true, kPerechiHs8, u"0101291"_s);
    cuLista([&](Frm_CautareTabele& l) {
        QCOMPARE(codCurent(l), u"01012910"_s);
        if (cum == u"enter")
            apasa(l.GridCautare, Qt::Key_Return);
        else if (cum == u"shift enter")
            apasa(l.GridCautare, Qt::Key_Return, Qt::ShiftModifier);
        else if (cum == u"keypad enter")
            apasa(l.GridCautare, Qt::Key_Enter, Qt::KeypadModifier);
        else if (cum == u"double click")
            dubluClic(l, 1);
        else
            l.close();
    });
    QCOMPARE(m_apelant->scrise, (QList<int>{5, 13, 6, 31}));
    QCOMPARE(m_apelant->cell(5), db::Variant(u"01012910"_s));
    QCOMPARE(m_apelant->cell(6), db::Variant(u"Cai pentru sacrificare"_s));
    QCOMPARE(m_apelant->cell(13), db::Variant(u"p/st"_s));
    QCOMPARE(m_apelant->cell(31).toInt(), -1);
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat,
             u"VALOARE GASITA: 01012910 : Cai pentru sacrificare"_s);
    QCOMPARE(m_apelant->focus, focus);
}

void TestFrmCautareTabele::pairCountOutsideOneToEightWritesNothing_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("0") << 0;
    QTest::newRow("9") << 9;
}

void TestFrmCautareTabele::pairCountOutsideOneToEightWritesNothing()
{
    QFETCH(int, n);
    cerere(kTari, false, {{0, 7}}, u"RO"_s);
    Parametri_Cautare_Tabele.Cautare_NrColoane = std::uint8_t(n);
    cuLista([](Frm_CautareTabele& l) { apasa(l.GridCautare, Qt::Key_Return); });
    QVERIFY(m_apelant->scrise.isEmpty());
    QVERIFY(Parametri_Cautare_Tabele.Cautare_Rezultat.startsWith(u"VALOARE GASITA: RO : Rom"_s));
}

void TestFrmCautareTabele::emptyListOrNoCurrentRowWritesNothing()
{
    Parametri_Cautare_Tabele.Cautare_Rezultat = u"neschimbat"_s;
    cerere(u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE [Tara_COD] = 'XX'"_s, false, {{0, 7}});
    cuLista([](Frm_CautareTabele& l) { apasa(l.GridCautare, Qt::Key_Return); });
    QVERIFY(m_apelant->scrise.isEmpty());
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, u"neschimbat"_s);

    // A typed value no code begins with: closing writes nothing, a double-click chooses.
    cerere(kTari, false, {{0, 7}}, u"ZZZ"_s);
    cuLista([](Frm_CautareTabele& l) { l.close(); });
    QVERIFY(m_apelant->scrise.isEmpty());
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, u"neschimbat"_s);
    cuLista([&](Frm_CautareTabele& l) {
        QCOMPARE(codCurent(l), QString());
        dubluClic(l, 2);
    });
    QCOMPARE(m_apelant->scrise, QList<int>{7});
    QCOMPARE(m_apelant->cell(7), db::Variant(u"AF"_s));
}

void TestFrmCautareTabele::headerClickSortsByItsColumnAlone_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("peTarif");
    QTest::addColumn<QString>("sursa1");
    QTest::addColumn<QString>("primul1");
    QTest::addColumn<QString>("sqlRamas");
    QTest::addColumn<QString>("sursa0");

    QTest::newRow("countries, ORDER BY cut and kept cut")
        << kTari << false << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_DESC]"_s << u"AF"_s
        << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"_s
        << u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;
    QTest::newRow("tariff, read again from the tariff database")
        << u"SELECT * FROM HS8"_s << true << u"SELECT * FROM HS8 ORDER BY [DESCRIERE]"_s << u"01012910"_s
        << u"SELECT * FROM HS8"_s << u"SELECT * FROM HS8 ORDER BY [HS8_COD]"_s;
}

void TestFrmCautareTabele::headerClickSortsByItsColumnAlone()
{
    QFETCH(QString, sql);
    QFETCH(bool, peTarif);
    QFETCH(QString, sursa1);
    QFETCH(QString, primul1);
    QFETCH(QString, sqlRamas);
    QFETCH(QString, sursa0);
    cerere(sql, peTarif, {{0, 7}});
    cuLista([&](Frm_CautareTabele& l) {
        QHeaderView* antet = l.GridCautare->horizontalHeader();
        const auto clic = [&](int coloana) {
            QTest::mouseClick(antet->viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(antet->sectionViewportPosition(coloana) + 5, antet->height() / 2));
        };
        clic(1);
        QCOMPARE(l.Lista().source(), sursa1);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_SQL, sqlRamas);
        QCOMPARE(l.GridCautare->cellValue(0, 0).toText(), primul1);
        clic(0);
        QCOMPARE(l.Lista().source(), sursa0);
        QCOMPARE(Parametri_Cautare_Tabele.Cautare_SQL, sqlRamas);
        l.close();
    });
    QCOMPARE(ui::testing::messages().size(), 0);
}

void TestFrmCautareTabele::typeAheadMovesTheList()
{
    cerere(kTari, false, {{0, 7}});
    cuLista([](Frm_CautareTabele& l) {
        const QString inceput = codCurent(l);
        QTest::keyClicks(l.GridCautare, u"RO"_s);
        QCOMPARE(codCurent(l), u"RO"_s);
        QCOMPARE(Prefix_Cautare, u"RO"_s);
        QCOMPARE(l.Label2->text(), u"In curs de cautare : RO"_s);
        QTest::keyClicks(l.GridCautare, u"X"_s);
        QCOMPARE(Prefix_Cautare, QString());
        QCOMPARE(l.Label2->text(), u"In curs de cautare : NU GASESC : ROX"_s);
        QCOMPARE(codCurent(l), inceput); // back where the search began
        QTest::keyClick(l.GridCautare, Qt::Key_Backspace);
        QCOMPARE(l.Label2->text(), u"In curs de cautare : "_s);
        QCOMPARE(codCurent(l), inceput);
        QTest::keyClicks(l.GridCautare, u"FR"_s);
        apasa(l.GridCautare, Qt::Key_Return); // Enter still chooses
    });
    QCOMPARE(m_apelant->cell(7), db::Variant(u"FR"_s));
}

// Leaving the list without a choice: Esc (from the grid or a button, after
// moving, after a search that found nothing), or the close box while the
// list stands on the line's own code. The calling row keeps every cell and
// the result text stays; moving to another row, the close box chooses it.
void TestFrmCautareTabele::cancelLeavesTheCallingRow_data()
{
    QTest::addColumn<QString>("actiuni"); // keys typed in the grid; "<esc>", "<down>", "<buton>", "<inchide>"
    QTest::addColumn<bool>("scrie");
    QTest::newRow("Esc") << u"<esc>"_s << false;
    QTest::newRow("Esc after moving") << u"<down><esc>"_s << false;
    QTest::newRow("digits that find nothing, then Esc") << u"999<esc>"_s << false;
    QTest::newRow("digits that find nothing, then the close box") << u"999<inchide>"_s << false;
    QTest::newRow("digits that find another code, then nothing, then the close box")
        << u"02019<inchide>"_s << false;
    QTest::newRow("the close box on the line's own code") << u"<inchide>"_s << false;
    QTest::newRow("Esc with the focus on a button") << u"<buton><esc>"_s << false;
    QTest::newRow("the close box after moving") << u"<down><inchide>"_s << true;
    QTest::newRow("the close box after a search that found") << u"0201<inchide>"_s << true;
}

void TestFrmCautareTabele::cancelLeavesTheCallingRow()
{
    QFETCH(QString, actiuni);
    QFETCH(bool, scrie);
    // The calling line holds its code, its description of the workbook and its unit.
    QList<db::Variant> rand(32);
    rand[0] = db::Variant(u"I"_s);
    rand[5] = db::Variant(u"01012910"_s);
    rand[6] = db::Variant(u"cai, din registru"_s);
    rand[13] = db::Variant(u"p/st"_s);
    m_apelant->randuri->clear();
    m_apelant->randuri->appendRow(rand);
    m_apelant->setCurrentCell(0, 5);
    Parametri_Cautare_Tabele.Cautare_Rezultat = u"neschimbat"_s;
    cerere(u"SELECT * FROM HS8"_s, true, kPerechiHs8, u"01012910"_s);
    QString eticheta;
    cuLista([&](Frm_CautareTabele& l) {
        QCOMPARE(codCurent(l), u"01012910"_s);
        QWidget* tinta = l.GridCautare;
        for (qsizetype i = 0; i < actiuni.size(); ++i) {
            const auto este = [&](QStringView cuvant) {
                if (!QStringView(actiuni).mid(i).startsWith(cuvant))
                    return false;
                i += cuvant.size() - 1;
                return true;
            };
            if (este(u"<esc>"))
                apasa(tinta, Qt::Key_Escape);
            else if (este(u"<down>"))
                apasa(tinta, Qt::Key_Down);
            else if (este(u"<buton>"))
                (tinta = l.CmdCautare)->setFocus();
            else if (este(u"<inchide>"))
                l.close();
            else
                QTest::keyClicks(tinta, QString(actiuni[i]));
            if (ui::Forms::isLoaded(u"Frm_CautareTabele"_s))
                eticheta = l.Label2->text();
        }
    });
    QCOMPARE(m_apelant->focus, actiuni.endsWith(u"<inchide>"_s) ? 0 : 1);
    // Each 9 misses alone, the prefix emptied by the one before.
    if (actiuni.startsWith(u"999"_s))
        QCOMPARE(eticheta, u"In curs de cautare : NU GASESC : 9"_s);
    if (scrie) {
        QCOMPARE(m_apelant->scrise, (QList<int>{5, 13, 6, 31}));
        QCOMPARE(m_apelant->cell(5), db::Variant(u"02011000"_s));
        return;
    }
    QCOMPARE(m_apelant->scrise, QList<int>());
    QVERIFY(!m_apelant->rowDataChanged());
    QCOMPARE(m_apelant->cell(5), db::Variant(u"01012910"_s));
    QCOMPARE(m_apelant->cell(6), db::Variant(u"cai, din registru"_s));
    QCOMPARE(m_apelant->cell(13), db::Variant(u"p/st"_s));
    // The close box names the line's own code; Esc says nothing new.
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat,
             actiuni.endsWith(u"<inchide>"_s) ? u"VALOARE GASITA: 01012910 : Cai pentru sacrificare"_s
                                              : u"neschimbat"_s);
    QCOMPARE(ui::testing::messages().size(), 0);
}

void TestFrmCautareTabele::columnSearchNarrowsWhatIsChosen()
{
    cerere(kTari, false, {{0, 7}});
    cuLista([](Frm_CautareTabele& l) {
        const int toate = l.GridCautare->dataRowCount();
        l.GridCautare->setCurrentCell(0, 1);
        QString titlu;
        QTimer::singleShot(0, &l, [&titlu] {
            const auto inchide = qScopeGuard([] { ui::Forms::unload(u"FRM_cautare"_s); });
            auto* cautare = ui::Forms::get<FRM_cautare>(u"FRM_cautare"_s);
            QVERIFY(cautare && cautare->isVisible());
            titlu = cautare->windowTitle();
            cautare->StringDeCautat->setText(u"Rom"_s);
            cautare->CmdCautare->click();
            QVERIFY(!ui::Forms::isLoaded(u"FRM_cautare"_s));
        });
        l.CmdCautare->click();
        QCOMPARE(titlu, u"Caut in coloana: [Tara_DESC]"_s);
        QCOMPARE(Filtrare_SQL, kTari);
        QVERIFY(Filtrare_PeComun);
        QCOMPARE(Filtrare_LockType, 3);
        QCOMPARE(Filtrare_CursorType, 3);
        QCOMPARE(l.GridCautare->dataRowCount(), 1);
        QCOMPARE(l.Lista().rowCount(), toate); // the window's own list is as it was
        apasa(l.GridCautare, Qt::Key_Return);
    });
    QCOMPARE(m_apelant->cell(7), db::Variant(u"RO"_s));
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, u"VALOARE GASITA: RO : România"_s);
    // The pick-list leaves the narrowed rows to the next search.
    QVERIFY(RS_Filtrare.isOpen());
}

void TestFrmCautareTabele::addModeInsertsAndThenChooses()
{
    cerere(kTari, false, {{0, 8}, {1, 20}});
    cuLista([](Frm_CautareTabele& l) {
        const int randuri = l.GridCautare->dataRowCount();
        l.CmdAdd->click();
        QVERIFY(l.Mod_Adaugare());
        QCOMPARE(l.GridCautare->row(), randuri); // the new-row line
        // Neither Enter nor a double-click chooses while adding.
        apasa(l.GridCautare, Qt::Key_Return);
        dubluClic(l, 0);
        QCoreApplication::processEvents();
        QVERIFY(l.isVisible());
        l.GridCautare->setCurrentCell(randuri, 0);
        tasteaza(l, u"XQ"_s);
        QVERIFY(l.Mod_Adaugare());
        tasteaza(l, u"Tara noua"_s); // Enter on the last cell writes the row
        QVERIFY(!l.Mod_Adaugare());
        QCOMPARE(l.GridCautare->dataRowCount(), randuri + 1);
        QVERIFY(!l.GridCautare->allowAddNew());
        QCOMPARE(codCurent(l), u"XQ"_s);
        apasa(l.GridCautare, Qt::Key_Return);
    });
    QCOMPARE(m_apelant->cell(8), db::Variant(u"XQ"_s));
    QCOMPARE(m_apelant->cell(20), db::Variant(u"Tara noua"_s));
    QCOMPARE(Parametri_Cautare_Tabele.Cautare_Rezultat, u"VALOARE GASITA: XQ : Tara noua"_s);
    auto rs = Conexiune_Comun.openRecordset(u"SELECT Tara_DESC FROM Tari WHERE Tara_COD = 'XQ'"_s);
    QVERIFY(rs);
    QCOMPARE(rs->value(0), db::Variant(u"Tara noua"_s));
    QCOMPARE(ui::testing::messages().size(), 0);
}

void TestFrmCautareTabele::addRefusedByTheListKeepsTheWindow_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("peTarif");
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("a view takes no row")
        << u"SELECT * FROM HS8"_s << true << QString()
        << u"Eroare nr: 7\r\nDescriere Eroare: Aceasta lista nu poate fi modificata"_s;
    QTest::newRow("a code the table has")
        << kTari << false << u"RO"_s << u"Eroare nr: 4\r\nDescriere Eroare: Exista deja o inregistrare"_s;
}

void TestFrmCautareTabele::addRefusedByTheListKeepsTheWindow()
{
    QFETCH(QString, sql);
    QFETCH(bool, peTarif);
    QFETCH(QString, cod);
    QFETCH(QString, mesaj);
    cerere(sql, peTarif, {{0, 7}});
    cuLista([&](Frm_CautareTabele& l) {
        const int randuri = l.GridCautare->dataRowCount();
        l.CmdAdd->click();
        if (!cod.isEmpty()) {
            tasteaza(l, cod);
            tasteaza(l, u"Alta"_s);
            QCoreApplication::processEvents(); // the add mode ends after the grid's write
        }
        const auto m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].text.startsWith(mesaj), qPrintable(m[0].text));
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        QVERIFY(!l.Mod_Adaugare());
        QVERIFY(!l.GridCautare->allowAddNew());
        QCOMPARE(l.GridCautare->dataRowCount(), randuri);
        QVERIFY(l.isVisible());
        l.close();
    });
    auto rs = Conexiune_Comun.openRecordset(u"SELECT Tara_DESC FROM Tari WHERE Tara_COD = 'RO'"_s);
    QVERIFY(rs);
    QCOMPARE(rs->value(0), db::Variant(u"România"_s));
}

QTEST_MAIN(TestFrmCautareTabele)
#include "tst_frm_cautaretabele.moc"

// The list's last column, its description, takes what the code leaves of a
// grid as wide as the screen allows; a caller's wider column is kept.
void TestFrmCautareTabele::descriptionTakesTheRestOfTheGrid()
{
    Delta_Latime = 3000;
    const auto inapoi = qScopeGuard([] { Delta_Latime = 0; });
    cerere(kTari, false, {{0, 7}}, u"RO"_s);
    cuLista([](Frm_CautareTabele& l) {
        grid::Grid& g = *l.GridCautare;
        QCOMPARE(g.column(0).widthTwips, 1440);
        QCOMPARE(g.column(1).widthTwips, 9495 + 3000 - 1440 - 600);
        QVERIFY(g.horizontalHeader()->length() <= g.viewport()->width());
        ui::Forms::unload(&l);
    });
    // Already wider: as the caller made it.
    int latime = 0;
    Arata_Lista_Selectie([&latime](grid::Grid& g) {
        g.column(1).widthTwips = 20000;
        g.refreshColumns();
        QTimer::singleShot(0, &g, [&latime, &g] {
            latime = g.column(1).widthTwips;
            ui::Forms::unload(u"Frm_CautareTabele"_s);
        });
    });
    QCOMPARE(latime, 20000);
    // The tariff's four columns: the description, which wraps, takes the
    // rest, not the unit flag after it.
    cerere(u"SELECT * FROM HS8"_s, true, kPerechiHs8);
    QList<int> latimi;
    Arata_Lista_Selectie([&latimi](grid::Grid& g) {
        g.column(1).widthTwips = 6500;
        g.column(1).wrap = true;
        g.refreshColumns();
        QTimer::singleShot(0, &g, [&latimi, &g] {
            for (int c = 0; c < g.columnCount(); ++c)
                latimi << g.column(c).widthTwips;
            ui::Forms::unload(u"Frm_CautareTabele"_s);
        });
    });
    QCOMPARE(latimi, (QList<int>{1440, 9495 + 3000 - 3 * 1440 - 600, 1440, 1440}));
}
