#include "platform/excel/writer.h"
#include "platform/excel/xlsx_read.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestExcelWriter : public QObject
{
    Q_OBJECT
private slots:
    void typedCellsUnderHeader();
    void failedWriteLeavesNothing();
    void replacesAnExistingFileWhole();
};

namespace {

excel::RowReader rowsOf(QList<QList<db::Variant>> rows)
{
    auto data = std::make_shared<QList<QList<db::Variant>>>(std::move(rows));
    auto next = std::make_shared<int>(0);
    return [data, next](QList<db::Variant>& row) {
        if (*next >= data->size())
            return false;
        row = data->at((*next)++);
        return true;
    };
}

} // namespace

void TestExcelWriter::typedCellsUnderHeader()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    const auto e = excel::writeWorkbook(
        path, QStringLiteral("Sheet1"),
        {QStringLiteral("Cod"), QStringLiteral("Valoare"), QStringLiteral("Data")},
        rowsOf({{db::Variant(QStringLiteral("0101")), db::Variant(12.5), db::Variant(QDate(2026, 3, 1))},
                {db::Variant::null(), db::Variant(7), db::Variant(QStringLiteral("D'Arc & <x>"))}}));
    QVERIFY2(!e.isError(), qPrintable(e.description));
    const auto s = xlsxtest::readFirstSheet(path);
    QVERIFY(s.ok);
    QCOMPARE(s.at(QStringLiteral("A1")), QStringLiteral("s:Cod"));
    QCOMPARE(s.at(QStringLiteral("B1")), QStringLiteral("s:Valoare"));
    QCOMPARE(s.at(QStringLiteral("C1")), QStringLiteral("s:Data"));
    // The code stays text (a leading zero is kept), numbers are numbers.
    QCOMPARE(s.at(QStringLiteral("A2")), QStringLiteral("s:0101"));
    QCOMPARE(s.at(QStringLiteral("B2")), QStringLiteral("n:12.5"));
    // A date is a date cell: a serial number (1 March 2026 is day 46082).
    QCOMPARE(s.at(QStringLiteral("C2")), QStringLiteral("n:46082"));
    QVERIFY(!s.cells.contains(QStringLiteral("A3"))); // Null: blank
    QCOMPARE(s.at(QStringLiteral("B3")), QStringLiteral("n:7"));
    QCOMPARE(s.at(QStringLiteral("C3")), QStringLiteral("s:D'Arc & <x>"));
    QCOMPARE(s.rows, 3);
    // Nothing but the workbook is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.xlsx")});
}

void TestExcelWriter::failedWriteLeavesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/out.xlsx"));
    const auto e = excel::writeWorkbook(path, QString(), {QStringLiteral("A")}, rowsOf({}));
    QVERIFY(e.isError());
    QVERIFY(e.description.contains(path));
    QVERIFY(!QFile::exists(path));
}

void TestExcelWriter::replacesAnExistingFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.xlsx"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old content");
    }
    QVERIFY(!excel::writeWorkbook(path, QString(), {QStringLiteral("Nou")}, rowsOf({})).isError());
    const auto s = xlsxtest::readFirstSheet(path);
    QVERIFY(s.ok);
    QCOMPARE(s.at(QStringLiteral("A1")), QStringLiteral("s:Nou"));
    QCOMPARE(s.rows, 1);
}

QTEST_GUILESS_MAIN(TestExcelWriter)
#include "tst_writer.moc"
