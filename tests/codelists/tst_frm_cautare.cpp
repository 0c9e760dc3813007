// The column search window offscreen, over a list grid of the countries as a
// caller fills the search block: its modes, the re-bound grid on success, and
// the messages that keep the window and the caller's rows as they were.
#include "codelists/FRM_cautare.h"
#include "common/BUTOANE.h"
#include "fixture.h"
#include "platform/grid/grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

class TestFrmCautare : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void opensOnStartsWith();
    void eachModeExplainsItself_data();
    void eachModeExplainsItself();
    void foundRowsRebindTheCallersGrid();
    void nothingFoundOrAnErrorKeepsEverything_data();
    void nothingFoundOrAnErrorKeepsEverything();
    void cancelChangesNothing_data();
    void cancelChangesNothing();

private:
    // Loads the window as the callers do, for the description column.
    FRM_cautare* deschide();
    QStringList coduriAratate() const;

    fixture::Folder m_folder;
    std::unique_ptr<grid::ListGrid> m_grila;
};

namespace {

const QString kTari = u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;

} // namespace

void TestFrmCautare::initTestCase()
{
    ui::testing::setEnabled(true);
    const QString comun = m_folder.base() + u"Comun.mdb"_s;
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts()));
    QVERIFY(!Conexiune_Comun.open(comun));
    ui::Forms::registerWindow(u"FRM_cautare"_s, [] { return new FRM_cautare; });
}

void TestFrmCautare::cleanupTestCase()
{
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
}

void TestFrmCautare::init()
{
    ui::testing::clear();
    Reseteaza_Globale_Cautare();
    m_grila = std::make_unique<grid::ListGrid>();
    auto rs = Conexiune_Comun.openRecordset(kTari);
    QVERIFY(rs);
    m_grila->bind(*rs);
    Filtrare_SQL = rs->source();
    Filtrare_CursorType = 3;
    Filtrare_LockType = 3;
    Filtrare_PeComun = true;
    Filtrare_Grid = m_grila.get();
    Filtrare_Coloana = u"[Tara_DESC]"_s;
}

void TestFrmCautare::cleanup()
{
    ui::Forms::unloadAllForTests();
    m_grila.reset();
    Reseteaza_Globale_Cautare();
}

FRM_cautare* TestFrmCautare::deschide()
{
    auto* f = ui::Forms::load<FRM_cautare>(u"FRM_cautare"_s);
    if (f)
        f->setWindowTitle(u"Caut in coloana: "_s + Filtrare_Coloana);
    return f;
}

QStringList TestFrmCautare::coduriAratate() const
{
    QStringList coduri;
    for (int r = 0; r < m_grila->dataRowCount(); ++r)
        coduri << m_grila->cellValue(r, 0).toText();
    return coduri;
}

void TestFrmCautare::opensOnStartsWith()
{
    FRM_cautare* f = deschide();
    QVERIFY(f);
    QVERIFY(f->Option2->isChecked());
    QVERIFY(!f->Option1->isChecked() && !f->Option3->isChecked() && !f->Option4->isChecked());
    QCOMPARE(f->LblInfo->text(), u"Returneaza inregistrarile care INCEP cu expresia de cautat"_s);
    QCOMPARE(f->StringDeCautat->text(), QString());
    QCOMPARE(f->Frame1->title(), u"Optiuni de cautare"_s);
    QCOMPARE(f->Label1->text(), u"Expresie de cautat"_s);
    QCOMPARE(f->windowTitle(), u"Caut in coloana: [Tara_DESC]"_s);
}

void TestFrmCautare::eachModeExplainsItself_data()
{
    QTest::addColumn<int>("optiune");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << u"Returneaza inregistrarile care sunt IDENTICE cu expresia de cautat"_s;
    QTest::newRow("2") << 2 << u"Returneaza inregistrarile care INCEP cu expresia de cautat"_s;
    QTest::newRow("3") << 3 << u"Returneaza inregistrarile care CONTIN cu expresia de cautat"_s;
    QTest::newRow("4")
        << 4
        << u"Aparate + electice  returneaza inregistrarile care CONTIN Aparate SI electrice\r\n"
           "Aparate - electice   returneaza inregistrarile care CONTIN Aparate SAU electrice"_s;
}

void TestFrmCautare::eachModeExplainsItself()
{
    QFETCH(int, optiune);
    QFETCH(QString, text);
    FRM_cautare* f = deschide();
    QVERIFY(f);
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QRadioButton* o = f->findChild<QRadioButton*>(u"Option"_s + QString::number(optiune));
    QVERIFY(o);
    o->click();
    QCOMPARE(f->LblInfo->text(), text);
    QCOMPARE(f->Mod_Ales(), static_cast<Mod_Cautare>(optiune));
    QCOMPARE(f->focusWidget(), f->StringDeCautat);
}

void TestFrmCautare::foundRowsRebindTheCallersGrid()
{
    FRM_cautare* f = deschide();
    QVERIFY(f);
    f->Option4->click();
    f->StringDeCautat->setText(u"Republica + Coreea"_s);
    f->CmdCautare->click();
    QCOMPARE(ui::testing::messages().size(), 0);
    QVERIFY(!ui::Forms::isLoaded(u"FRM_cautare"_s));
    QCOMPARE(coduriAratate(), (QStringList{u"KP"_s, u"KR"_s}));
    QVERIFY(RS_Filtrare.isOpen());
    QCOMPARE(RS_Filtrare.rowCount(), 2);
}

void TestFrmCautare::nothingFoundOrAnErrorKeepsEverything_data()
{
    QTest::addColumn<QString>("coloana");
    QTest::addColumn<int>("optiune");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mesaj");
    const QString niciuna = u"Nici o inregistrare NU corespunde criteriului de cautare"_s;
    const QString eroare = u"Eroare in criteriul de cautare"_s;
    QTest::newRow("no row") << u"[Tara_DESC]"_s << 2 << u"Qwerty"_s << niciuna;
    QTest::newRow("equal matches whole values only") << u"[Tara_COD]"_s << 1 << u"R"_s << niciuna;
    QTest::newRow("+ and - together") << u"[Tara_DESC]"_s << 4 << u"a + b - c"_s << eroare;
    QTest::newRow("a column the list lacks") << u"[Nu_Exista]"_s << 2 << u"R"_s << eroare;
}

void TestFrmCautare::nothingFoundOrAnErrorKeepsEverything()
{
    QFETCH(QString, coloana);
    QFETCH(int, optiune);
    QFETCH(QString, text);
    QFETCH(QString, mesaj);
    // A first search has narrowed the grid already.
    FRM_cautare* f = deschide();
    QVERIFY(f);
    f->StringDeCautat->setText(u"R"_s);
    f->CmdCautare->click();
    QVERIFY(!ui::Forms::isLoaded(u"FRM_cautare"_s));
    const QStringList inainte = coduriAratate();
    QVERIFY(inainte.contains(u"RO"_s));
    QVERIFY(!inainte.contains(u"FR"_s));

    Filtrare_Coloana = coloana;
    f = deschide();
    QVERIFY(f);
    f->findChild<QRadioButton*>(u"Option"_s + QString::number(optiune))->click();
    f->StringDeCautat->setText(text);
    f->CmdCautare->click();
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, mesaj);
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(m[0].title, std::optional<QString>(u"Mesaj"_s));
    // The window stays for another try, the caller's grid shows what it showed.
    QVERIFY(ui::Forms::isLoaded(u"FRM_cautare"_s));
    QCOMPARE(f->StringDeCautat->text(), text);
    QCOMPARE(coduriAratate(), inainte);
}

void TestFrmCautare::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("esc");
    QTest::newRow("Renunta") << false;
    QTest::newRow("Esc in the search box") << true;
}

void TestFrmCautare::cancelChangesNothing()
{
    QFETCH(bool, esc);
    FRM_cautare* f = deschide();
    QVERIFY(f);
    const int randuri = m_grila->dataRowCount();
    f->StringDeCautat->setText(u"Rom"_s);
    if (esc) {
        QVERIFY(ui::Forms::show(u"FRM_cautare"_s));
        QTest::keyClick(f->StringDeCautat, Qt::Key_Escape);
    } else {
        f->CmdRenuntaCautare->click();
    }
    QVERIFY(!ui::Forms::isLoaded(u"FRM_cautare"_s));
    QCOMPARE(m_grila->dataRowCount(), randuri);
    QVERIFY(RS_Filtrare.isNull());
    QCOMPARE(ui::testing::messages().size(), 0);
}

QTEST_MAIN(TestFrmCautare)
#include "tst_frm_cautare.moc"
