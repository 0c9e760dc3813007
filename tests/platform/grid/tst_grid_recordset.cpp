// The grid bound to a real record set: rows read from it, edits written back
// to the table, refusals reported as numbered data errors, the position shared,
// and the lists with a hidden code column.
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/ui/mesaj.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QTest>

using db::Variant;

class TestGridRecordset : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void modelOverARecordSetPassesTheTester();
    void editsAreWrittenToTheTable();
    void refusedWritesAreNumbered_data();
    void refusedWritesAreNumbered();
    void addsAndDeletesRows();
    void sharesThePosition();
    void listsReturnTheHiddenCode();

private:
    db::Recordset open(const QString& sql);

    std::unique_ptr<QTemporaryDir> m_dir;
    db::Connection m_cn;
};

void TestGridRecordset::init()
{
    ui::testing::setEnabled(true);
    ui::testing::clear();
    m_dir = std::make_unique<QTemporaryDir>();
    const QString path = m_dir->filePath(QStringLiteral("t.mdb"));
    QVERIFY(!db::Connection::createDatabase(path));
    QVERIFY(!m_cn.open(path));
    QVERIFY(!m_cn.executeScript(QStringLiteral("CREATE TABLE Tari (Tara_COD TEXT(2) COLLATE NOCASE PRIMARY "
                                               "KEY, Tara_DESC TEXT(20) COLLATE NOCASE NOT NULL,"
                                               " Valoare DOUBLE);"
                                               "INSERT INTO Tari VALUES ('AT', 'Austria', 1.5);"
                                               "INSERT INTO Tari VALUES ('DE', 'Germania', 2);"
                                               "INSERT INTO Tari VALUES ('RO', 'Romania', NULL);")));
}

void TestGridRecordset::cleanup()
{
    m_cn.close();
    m_dir.reset();
}

db::Recordset TestGridRecordset::open(const QString& sql)
{
    auto rs = m_cn.openRecordset(sql);
    if (!rs) {
        qWarning("%s", qPrintable(rs.error().text()));
        return db::Recordset();
    }
    return *rs;
}

void TestGridRecordset::modelOverARecordSetPassesTheTester()
{
    db::Recordset rs = open(QStringLiteral("SELECT * FROM Tari ORDER BY Tara_COD"));
    QVERIFY(rs.isOpen());
    grid::RecordsetSource source(rs);
    grid::GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setSource(&source);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Tara_DESC"));
    model.setAllowAddNew(true);
    model.setPending(3, 0, Variant(QStringLiteral("FR")));
    model.setPending(3, 1, Variant(QStringLiteral("Franta")));
    QCOMPARE(model.commitRow().number, 0);
    QCOMPARE(model.dataRowCount(), 4);
    QCOMPARE(model.deleteRow(0).number, 0);
    QCOMPARE(model.dataRowCount(), 3);
    QVERIFY(!rs.setSort(QStringLiteral("Tara_DESC DESC")));
    QCOMPARE(model.cell(0, 1), Variant(QStringLiteral("Romania")));
    QVERIFY(!rs.requery());
}

void TestGridRecordset::editsAreWrittenToTheTable()
{
    grid::Grid g;
    g.bind(open(QStringLiteral("SELECT Tara_COD, Tara_DESC, Valoare FROM Tari ORDER BY Tara_COD")));
    g.column(2).numberFormat = QStringLiteral("##,##0.00");
    g.refreshColumns();
    QCOMPARE(g.cellText(0, 1), QStringLiteral("Austria"));
    g.setCurrentCell(1, 1);
    QVERIFY(g.editCell(1, QStringLiteral("Germania Federala")));
    QVERIFY(g.editCell(2, QString()));
    QVERIFY(g.update());
    auto check =
        m_cn.openRecordset(QStringLiteral("SELECT Tara_DESC, Valoare FROM Tari WHERE Tara_COD='DE'"));
    QVERIFY(check);
    QCOMPARE(check->value(0), Variant(QStringLiteral("Germania Federala")));
    QVERIFY(check->value(1).isNull()); // the emptied cell is stored as Null
}

void TestGridRecordset::refusedWritesAreNumbered_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("atTyping"); // refused by the cell as typed, before any write
    QTest::newRow("text too long") << 1 << QStringLiteral("Un nume de tara mult prea lung") << 1 << false;
    QTest::newRow("not a number") << 2 << QStringLiteral("abc") << 2 << true;
    QTest::newRow("duplicate key") << 0 << QStringLiteral("AT") << 4 << false;
    QTest::newRow("NOT NULL") << 1 << QString() << 6 << false;
}

void TestGridRecordset::refusedWritesAreNumbered()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(bool, atTyping);
    grid::Grid g;
    g.bind(open(QStringLiteral("SELECT Tara_COD, Tara_DESC, Valoare FROM Tari ORDER BY Tara_COD")));
    int reported = 0;
    connect(&g, &grid::Grid::dataError, this, [&](int n, const QString&, bool& suppress) {
        reported = n;
        suppress = true;
    });
    g.setCurrentCell(1, col);
    QCOMPARE(g.editCell(col, text), !atTyping);
    QCOMPARE(g.update(), atTyping);
    QCOMPARE(reported, number);
    QCOMPARE(g.rowDataChanged(), !atTyping);
    QCOMPARE(ui::testing::messages().size(), 0);
    g.cancelUpdate();
    auto check =
        m_cn.openRecordset(QStringLiteral("SELECT Tara_COD, Tara_DESC FROM Tari WHERE Tara_COD='DE'"));
    QVERIFY(check);
    QCOMPARE(check->recordCount(), 1);
    QCOMPARE(check->value(1), Variant(QStringLiteral("Germania")));
}

void TestGridRecordset::addsAndDeletesRows()
{
    db::Recordset rs = open(QStringLiteral("SELECT Tara_COD, Tara_DESC FROM Tari ORDER BY Tara_COD"));
    grid::Grid g;
    g.bind(rs);
    g.setAllowAddNew(true);
    g.setAllowDelete(true);
    g.setCurrentCell(3, 0); // the new-row line
    QVERIFY(g.editCell(0, QStringLiteral("IT")));
    QVERIFY(g.editCell(1, QStringLiteral("Italia")));
    QVERIFY(g.update());
    QCOMPARE(rs.rowCount(), 4);
    g.setCurrentCell(0, 0);
    QVERIFY(g.deleteCurrentRow());
    auto check = m_cn.openRecordset(QStringLiteral("SELECT Tara_COD FROM Tari ORDER BY Tara_COD"));
    QVERIFY(check);
    QStringList codes;
    for (; !check->eof(); check->moveNext())
        codes.append(check->value(0).toText());
    QCOMPARE(codes, (QStringList{QStringLiteral("DE"), QStringLiteral("IT"), QStringLiteral("RO")}));
}

void TestGridRecordset::sharesThePosition()
{
    db::Recordset rs = open(QStringLiteral("SELECT * FROM Tari ORDER BY Tara_COD"));
    grid::Grid g;
    g.bind(rs);
    rs.moveLast();
    QCOMPARE(g.row(), 2);
    g.setCurrentCell(1, 0);
    QCOMPARE(rs.value(0), Variant(QStringLiteral("DE")));
    // A search of the record set moves the grid.
    QVERIFY(!rs.find(QStringLiteral("[Tara_DESC] LIKE 'rom%'"), 0, true));
    QCOMPARE(g.row(), 2);
}

void TestGridRecordset::listsReturnTheHiddenCode()
{
    db::Recordset rs = open(QStringLiteral("SELECT Tara_COD, Tara_DESC FROM Tari ORDER BY Tara_COD"));
    grid::RecordsetSource source(rs);
    grid::ListCombo combo;
    combo.setBoundField(QStringLiteral("Tara_COD"));
    combo.setListField(QStringLiteral("Tara_DESC"));
    combo.setColumnVisible(0, false);
    combo.bind(&source);
    QCOMPARE(combo.count(), 3);
    QVERIFY(combo.setBoundText(QStringLiteral("de")));
    QCOMPARE(combo.currentText(), QStringLiteral("Germania"));
    QCOMPARE(combo.boundText(), QStringLiteral("DE"));
    combo.setEditText(QStringLiteral("romania"));
    QCOMPARE(combo.boundText(), QStringLiteral("RO"));
    combo.setEditText(QStringLiteral("Atlantida"));
    QVERIFY(combo.boundValue().isNull());

    grid::DropDown dd;
    dd.setBoundField(QStringLiteral("Tara_COD"));
    dd.setListField(QStringLiteral("Tara_DESC"));
    dd.setListSource(&source);
    QWidget parent;
    QComboBox* editor = dd.createEditor(&parent);
    editor->setEditText(QStringLiteral("Austria"));
    QCOMPARE(dd.valueOfEditor(editor), QStringLiteral("AT"));
    editor->setEditText(QStringLiteral("XX"));
    QCOMPARE(dd.valueOfEditor(editor), QStringLiteral("XX"));
    dd.setLimitToList(true);
    QCOMPARE(dd.valueOfEditor(editor), QString());
}

QTEST_MAIN(TestGridRecordset)
#include "tst_grid_recordset.moc"
