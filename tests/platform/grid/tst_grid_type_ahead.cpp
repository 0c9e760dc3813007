// The type-ahead search of a list grid bound to a real record set: keys typed
// into the grid move it to the first row whose current-column value begins
// with the prefix; a miss clears the prefix and puts the grid back where the
// search began.
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/grid/type_ahead.h"
#include "platform/ui/mesaj.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestGridTypeAhead : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keysMoveTheGrid_data();
    void keysMoveTheGrid();
    void tabLineFeedAndEnterChangeNothing();
    void prefixOutlivesAColumnChange();
    void missWithNoCurrentRowKeepsNone();
    void emptyListClearsAtOnce();

private:
    // Types the keys: "\b" is Backspace, "\x1b" Esc, anything else as typed.
    void type(const QString& keys);

    QTemporaryDir m_dir;
    db::Connection m_cn;
    std::unique_ptr<grid::ListGrid> m_grid;
    QString m_prefix;
};

void TestGridTypeAhead::initTestCase()
{
    ui::testing::setEnabled(true);
    const QString path = m_dir.filePath(u"t.mdb"_s);
    QVERIFY(!db::Connection::createDatabase(path));
    QVERIFY(!m_cn.open(path));
    QVERIFY(!m_cn.executeScript(u"CREATE TABLE Tari (Tara_COD TEXT(2) COLLATE NOCASE PRIMARY KEY, "
                                "Tara_DESC TEXT(40) COLLATE NOCASE);"
                                "INSERT INTO Tari VALUES ('AT', 'Austria');"
                                "INSERT INTO Tari VALUES ('CI', 'Cote d''Ivoire');"
                                "INSERT INTO Tari VALUES ('DE', 'Germania');"
                                "INSERT INTO Tari VALUES ('RO', 'Romania');"
                                "INSERT INTO Tari VALUES ('RS', 'Serbia');"
                                "INSERT INTO Tari VALUES ('RU', 'Rusia');"_s));
}

void TestGridTypeAhead::init()
{
    m_prefix.clear();
    m_grid = std::make_unique<grid::ListGrid>();
    auto rs = m_cn.openRecordset(u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s);
    QVERIFY(rs);
    m_grid->bind(*rs);
    // As the list windows do: the search runs on each key, which the grid still gets.
    connect(m_grid.get(), &grid::Grid::keyPress, this,
            [this](QChar& ch) { grid::typeAhead(*m_grid, m_prefix, ch); });
    m_grid->resize(400, 300);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    m_grid->setFocus();
}

void TestGridTypeAhead::cleanup()
{
    m_grid.reset();
}

void TestGridTypeAhead::type(const QString& keys)
{
    for (const QChar ch : keys) {
        if (ch == u'\b')
            QTest::keyClick(m_grid.get(), Qt::Key_Backspace);
        else if (ch == u'\x1b')
            QTest::keyClick(m_grid.get(), Qt::Key_Escape);
        else
            QTest::keyClicks(m_grid.get(), QString(ch));
    }
}

void TestGridTypeAhead::keysMoveTheGrid_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("a code above the current row") << 0 << u"RO"_s << 3 << u"RO"_s;
    QTest::newRow("first row of the prefix, case ignored") << 0 << u"r"_s << 3 << u"r"_s;
    QTest::newRow("a miss goes back where the search began") << 0 << u"RX"_s << 5 << QString();
    QTest::newRow("a miss at the first key stays on the current row") << 0 << u"X"_s << 5 << QString();
    QTest::newRow("after a miss the next key starts afresh") << 0 << u"RXd"_s << 2 << u"d"_s;
    QTest::newRow("backspace clears and stays") << 0 << u"RO\b"_s << 3 << QString();
    QTest::newRow("esc clears and stays") << 0 << u"R\x1b"_s << 3 << QString();
    QTest::newRow("esc is no part of the next prefix") << 0 << QChar(0x1b) + u"D"_s << 2 << u"D"_s;
    QTest::newRow("a quote is matched as typed") << 1 << u"cote d'"_s << 1 << u"cote d'"_s;
    QTest::newRow("typing goes on after a quote") << 1 << u"cote d'I"_s << 1 << u"cote d'I"_s;
}

void TestGridTypeAhead::keysMoveTheGrid()
{
    QFETCH(int, column);
    QFETCH(QString, keys);
    QFETCH(int, row);
    QFETCH(QString, prefix);
    m_grid->setCurrentCell(5, column);
    type(keys);
    QCOMPARE(m_prefix, prefix);
    QCOMPARE(m_grid->row(), row);
    QCOMPARE(m_grid->col(), column);
    // The rows the grid is bound to are where the grid is.
    QCOMPARE(m_grid->dataSource()->position(), row);
    QVERIFY(!m_grid->isEditing());
}

void TestGridTypeAhead::tabLineFeedAndEnterChangeNothing()
{
    type(u"RS"_s);
    QCOMPARE(m_grid->row(), 4);
    QTest::keyClick(m_grid.get(), Qt::Key_Return);
    QTest::keyClick(m_grid.get(), Qt::Key_Enter);
    for (const QChar ch : {u'\t', u'\n', u'\r'})
        QCOMPARE(grid::typeAhead(*m_grid, m_prefix, ch), grid::TypeAhead::Ignored);
    QCOMPARE(m_prefix, u"RS"_s);
    QCOMPARE(m_grid->row(), 4);
}

void TestGridTypeAhead::prefixOutlivesAColumnChange()
{
    type(u"R"_s);
    QCOMPARE(m_grid->row(), 3);
    // The next key searches the description column with the old prefix.
    m_grid->setCurrentCell(3, 1);
    type(u"u"_s);
    QCOMPARE(m_prefix, u"Ru"_s);
    QCOMPARE(m_grid->row(), 5);
    // A row the user moved to stays when the search then misses.
    m_grid->setCurrentCell(1, 1);
    type(u"x"_s);
    QCOMPARE(m_prefix, QString());
    QCOMPARE(m_grid->row(), 1);
}

void TestGridTypeAhead::missWithNoCurrentRowKeepsNone()
{
    // After the last row, as a list opened on a value no row begins with.
    db::Recordset rs = static_cast<grid::RecordsetSource*>(m_grid->dataSource())->recordset();
    rs.moveLast();
    rs.moveNext();
    m_grid->setCurrentIndex(QModelIndex());
    QCOMPARE(grid::typeAhead(*m_grid, m_prefix, u'X'), grid::TypeAhead::Missed);
    QCOMPARE(m_grid->row(), -1);
    QCOMPARE(m_grid->dataSource()->position(), -1);
    QCOMPARE(grid::typeAhead(*m_grid, m_prefix, u'\x1b'), grid::TypeAhead::Cleared);
    QCOMPARE(m_grid->row(), -1);
    // A search that finds a row on its first key, then nothing, leaves none.
    QCOMPARE(grid::typeAhead(*m_grid, m_prefix, u'R'), grid::TypeAhead::Found);
    QCOMPARE(m_grid->row(), 3);
    QCOMPARE(grid::typeAhead(*m_grid, m_prefix, u'X'), grid::TypeAhead::Missed);
    QCOMPARE(m_grid->row(), -1);
    QCOMPARE(m_grid->dataSource()->position(), -1);
}

void TestGridTypeAhead::emptyListClearsAtOnce()
{
    auto rs = m_cn.openRecordset(u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] WHERE Tara_COD = 'XX'"_s);
    QVERIFY(rs);
    m_grid->bind(*rs);
    QCOMPARE(grid::typeAhead(*m_grid, m_prefix, u'R'), grid::TypeAhead::Missed);
    QCOMPARE(m_prefix, QString());
}

QTEST_MAIN(TestGridTypeAhead)
#include "tst_grid_type_ahead.moc"
