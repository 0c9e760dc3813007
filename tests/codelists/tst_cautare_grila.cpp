// The look-up through a real grid edit: the value typed into a cell editor and
// confirmed with Enter runs the look-up once, fills the row's columns, and on
// a miss shows one message and opens the pick-list once.
#include "calling_grid.h"
#include "codelists/Cautare_Tabele.h"
#include "fixture.h"
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"

#include <QDialog>
#include <QLineEdit>
#include <QTimer>

class TestCautareGrila : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void tariffCodeFillsTheRow();
    void unknownCountryAsksOnce();
    void countryIsWrittenAsListed();

private:
    // Types into the cell of the current row as the user does, then Enter.
    void type(int col, const QString& text);
    // What the declaration grid does before a changed cell is stored.
    void beforeColUpdate(int col, const db::Variant& old, bool& cancel);

    fixture::Folder m_folder;
    std::unique_ptr<grid::Grid> m_grid;
    grid::MemorySource* m_rows = nullptr;
    int m_lookups = 0;
    int m_pickLists = 0;
};

void TestCautareGrila::initTestCase()
{
    ui::testing::setEnabled(true);
    const QString comun = m_folder.base() + QStringLiteral("Comun.mdb");
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts()));
    QVERIFY(fixture::makeDatabase(m_folder.cn(QStringLiteral("CN.mdb")), fixture::tarifScripts(),
                                  fixture::hs8(QStringLiteral("01012100"), QStringLiteral("0000"),
                                               QStringLiteral("Cai reproducatori de rasa pura"),
                                               QStringLiteral("p/st"))));
    QVERIFY(!Conexiune_Comun.open(comun));
    QVERIFY(!Conexiune_CN.open(m_folder.cn(QStringLiteral("CN.mdb"))));
}

void TestCautareGrila::cleanupTestCase()
{
    m_grid.reset();
    Reseteaza_Globale_Tarif();
    Conexiune_Comun.close();
}

void TestCautareGrila::init()
{
    ui::testing::clear();
    m_lookups = 0;
    m_pickLists = 0;
    m_grid.reset();
    m_grid = std::make_unique<grid::Grid>();
    m_rows = new grid::MemorySource(Campuri_Grila_Declaratie(), m_grid.get());
    m_rows->appendRow({db::Variant(QStringLiteral("I"))});
    m_grid->setDataSource(m_rows);
    connect(m_grid.get(), &grid::Grid::beforeColUpdate, this, &TestCautareGrila::beforeColUpdate);
    m_grid->resize(900, 300);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
}

void TestCautareGrila::beforeColUpdate(int col, const db::Variant&, bool& cancel)
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    const QString typed = m_grid->cell(col).toText();
    c.Cautare_ValoareTastata = typed;
    c.Cautare_PeFirma = false;
    c.Cautare_Suprascrie = true;
    c.Cautare_GridApelant = m_grid.get();
    if (col == 5) {
        c.Cautare_PeTarif = true;
        c.Cautare_SQL = Interogare_Cautare(QStringLiteral("SELECT * FROM HS8"),
                                           QStringLiteral(" WHERE [HS8_COD]='"), typed);
        c.Cautare_NrColoane = 4;
        c.Cautare_ColoaneSursa = {0, 0, 2, 1, 3};
        c.Cautare_ColoaneDestinatie = {0, 5, 13, 6, 31};
    } else if (col >= 7 && col <= 9) {
        c.Cautare_PeTarif = false;
        c.Cautare_SQL = Interogare_Cautare(QStringLiteral("SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"),
                                           QStringLiteral(" WHERE [Tara_COD]='"), typed);
        c.Cautare_NrColoane = 1;
        c.Cautare_ColoaneSursa[1] = 0;
        c.Cautare_ColoaneDestinatie[1] = col;
    } else {
        return;
    }
    ++m_lookups;
    if (!Cauta_Si_Completeaza()) {
        cancel = true;
        // The pick-list: a modal window of its own while the editor is open.
        ++m_pickLists;
        QDialog pickList(m_grid.get());
        QTimer::singleShot(0, &pickList, &QDialog::reject);
        pickList.exec();
        cancel = false;
    }
}

void TestCautareGrila::type(int col, const QString& text)
{
    m_grid->setCurrentCell(0, col);
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_F2);
    QVERIFY(m_grid->isEditing());
    auto* editor = m_grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor commits on a queued call
    QVERIFY(!m_grid->isEditing());
}

void TestCautareGrila::tariffCodeFillsTheRow()
{
    type(5, QStringLiteral("01012100"));
    QCOMPARE(m_lookups, 1);
    QCOMPARE(m_grid->cell(5), db::Variant(QStringLiteral("01012100")));
    QCOMPARE(m_grid->cell(6), db::Variant(QStringLiteral("Cai reproducatori de rasa pura")));
    QCOMPARE(m_grid->cell(13), db::Variant(QStringLiteral("p/st")));
    QCOMPARE(m_grid->cell(31).toInt(), -1);
    QCOMPARE(ui::testing::messages().size(), 0);
    QVERIFY(m_grid->update());
    QCOMPARE(m_rows->value(0, 6), db::Variant(QStringLiteral("Cai reproducatori de rasa pura")));
}

void TestCautareGrila::unknownCountryAsksOnce()
{
    type(7, QStringLiteral("XX"));
    QCOMPARE(m_lookups, 1);
    QCOMPARE(m_pickLists, 1);
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].text, QStringLiteral("NU GASESC : XX"));
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("Mesaj")));
    // The pick-list chose nothing: the typed value is accepted as it stands.
    QCOMPARE(m_grid->cell(7), db::Variant(QStringLiteral("XX")));
}

void TestCautareGrila::countryIsWrittenAsListed()
{
    type(8, QStringLiteral("ro"));
    QCOMPARE(m_lookups, 1);
    QCOMPARE(m_grid->cell(8), db::Variant(QStringLiteral("RO")));
    QCOMPARE(m_grid->cellText(0, 8), QStringLiteral("RO"));
    QCOMPARE(ui::testing::messages().size(), 0);
}

QTEST_MAIN(TestCautareGrila)
#include "tst_cautare_grila.moc"
