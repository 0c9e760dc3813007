// The export of a record set to a workbook, read back from the .xlsx, and the
// updatable copy of a record set.
#include "Deschizator_Test.h"
#include "common/Copiere_RecordSet.h"
#include "common/Transfera_Excel.h"
#include "platform/excel/xlsx_read.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class TestTransferaExcel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void exportsHeaderAndTypedRows();
    void exportsFromTheCurrentPosition_data();
    void exportsFromTheCurrentPosition();
    void failedOpenKeepsTheRecordSet();
    void nothingOpensTheWorkbook();
    void exportFolderIsTheUsersOwn();
    void transposes();
    void copyOfAReadOnlyRecordSetIsWritable();

private:
    QString m_opened;
    bool m_openResult = true;
    QTemporaryDir m_dir;
};

namespace {

// Three fields, two rows.
db::Recordset threeByTwo()
{
    db::Recordset rs = db::Recordset::createInMemory();
    rs.appendField(QStringLiteral("Cod"), db::Type::VarWChar, 10);
    rs.appendField(QStringLiteral("Valoare"), db::Type::Double);
    rs.appendField(QStringLiteral("Nr"), db::Type::Integer);
    rs.open();
    for (int i = 1; i <= 2; ++i) {
        rs.addNew();
        rs.setValue(0, db::Variant(QStringLiteral("0%1").arg(i)));
        rs.setValue(1, db::Variant(i * 1.5));
        rs.setValue(2, db::Variant(i * 10));
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

} // namespace

void TestTransferaExcel::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    ui::testing::setEnabled(true);
    Seteaza_Deschidere_Export([this](const QString& path) {
        m_opened = path;
        return m_openResult ? std::nullopt : std::optional<QString>(QStringLiteral("Niciun program."));
    });
}

void TestTransferaExcel::init()
{
    ui::testing::clear();
    m_opened.clear();
    m_openResult = true;
}

void TestTransferaExcel::exportsHeaderAndTypedRows()
{
    db::Recordset rs = threeByTwo();
    QVERIFY(rs.isOpen());
    db::Recordset sameRecordSet = rs;
    Exporta_In_Excel(rs);
    QCOMPARE(ui::testing::messages().size(), 0);
    QVERIFY(rs.isNull());             // the reference is cleared
    QVERIFY(!sameRecordSet.isOpen()); // and the record set closed
    QVERIFY(m_opened.endsWith(QStringLiteral(".xlsx")));
    QVERIFY(m_opened.startsWith(Folder_Export_Excel()));
    const auto s = xlsxtest::readFirstSheet(m_opened);
    QVERIFY(s.ok);
    QCOMPARE(s.at(QStringLiteral("A1")), QStringLiteral("s:Cod"));
    QCOMPARE(s.at(QStringLiteral("B1")), QStringLiteral("s:Valoare"));
    QCOMPARE(s.at(QStringLiteral("C1")), QStringLiteral("s:Nr"));
    QCOMPARE(s.at(QStringLiteral("A2")), QStringLiteral("s:01"));
    QCOMPARE(s.at(QStringLiteral("B2")), QStringLiteral("n:1.5"));
    QCOMPARE(s.at(QStringLiteral("C3")), QStringLiteral("n:20"));
    QCOMPARE(s.rows, 3);
    // A second export gets a name of its own.
    const QString first = m_opened;
    db::Recordset again = threeByTwo();
    Exporta_In_Excel(again);
    QVERIFY(m_opened != first);
    QVERIFY(QFile::exists(first));
}

void TestTransferaExcel::exportsFromTheCurrentPosition_data()
{
    QTest::addColumn<int>("moves");
    QTest::addColumn<int>("rows");
    QTest::newRow("first row") << 0 << 3;
    QTest::newRow("second row") << 1 << 2;
    QTest::newRow("after the last row") << 2 << 1;
}

void TestTransferaExcel::exportsFromTheCurrentPosition()
{
    QFETCH(int, moves);
    QFETCH(int, rows);
    db::Recordset rs = threeByTwo();
    for (int i = 0; i < moves; ++i)
        rs.moveNext();
    Exporta_In_Excel(rs);
    const auto s = xlsxtest::readFirstSheet(m_opened);
    QVERIFY(s.ok);
    QCOMPARE(s.rows, rows);
    if (moves == 1)
        QCOMPARE(s.at(QStringLiteral("A2")), QStringLiteral("s:02"));
    // A clone starts at its first row and exports everything.
    db::Recordset source = threeByTwo();
    source.moveLast();
    db::Recordset clone = source.clone();
    Exporta_In_Excel(clone);
    QCOMPARE(xlsxtest::readFirstSheet(m_opened).rows, 3);
}

void TestTransferaExcel::failedOpenKeepsTheRecordSet()
{
    m_openResult = false;
    db::Recordset rs = threeByTwo();
    Exporta_In_Excel(rs);
    QVERIFY(rs.isOpen());
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("EROARE")));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QVERIFY(m[0].text.contains(QStringLiteral("\r\n")));
    QVERIFY(m[0].text.contains(m_opened));
}

// The desktop's opener is asked and its answer waited for: where it finds
// nothing to open the workbook with, the box says where the workbook is.
void TestTransferaExcel::nothingOpensTheWorkbook()
{
    Seteaza_Deschidere_Export({});
    const auto back = qScopeGuard([this] { initTestCase(); });
    const Deschizator_Test opener(m_dir.filePath(QStringLiteral("bin")), 3);
    QVERIFY(opener.ok());
    db::Recordset rs = threeByTwo();
    Exporta_In_Excel(rs);
    QVERIFY(rs.isOpen());
    QCOMPARE(opener.fisiere().size(), 1);
    const QString workbook = opener.fisiere().at(0);
    QVERIFY(workbook.startsWith(Folder_Export_Excel()));
    QCOMPARE(xlsxtest::readFirstSheet(workbook).rows, 3);
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("EROARE")));
    QCOMPARE(m[0].icon, ui::Icon::Critical);
    QCOMPARE(m[0].text, QString::number(db::ErrorNumber::General) +
                            QStringLiteral("\r\nFisierul nu a putut fi deschis:\r\n") + workbook +
                            QStringLiteral("\r\nNu este instalat niciun program care sa deschida acest fel "
                                           "de fisier (xdg-open, codul 3)."));
}

// The exports go to a private folder of the user in the temporary folder;
// when none can be made, the export says so and keeps the record set.
void TestTransferaExcel::exportFolderIsTheUsersOwn()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/Quorvel_Export-") + QString::number(::geteuid());
    QCOMPARE(Folder_Export_Excel(), folder + u'/');
    QCOMPARE(QFileInfo(folder).ownerId(), ::geteuid());
    QCOMPARE(QFile::permissions(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);

    const QString file = m_dir.filePath(QStringLiteral("un_fisier"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(file)); // no folder can be made under a file
    const QString none = Folder_Export_Excel();
    db::Recordset rs = threeByTwo();
    Exporta_In_Excel(rs);
    qputenv("TMPDIR", tmpdir);
    QCOMPARE(none, QString());
    QVERIFY(rs.isOpen());
    QVERIFY(m_opened.isEmpty());
    const auto m = ui::testing::messages();
    QCOMPARE(m.size(), 1);
    QCOMPARE(m[0].title, std::optional<QString>(QStringLiteral("EROARE")));
    QVERIFY(m[0].text.contains(QStringLiteral("nu poate fi creat")));
}

void TestTransferaExcel::transposes()
{
    QList<QList<db::Variant>> a = {{db::Variant(1), db::Variant(2), db::Variant(3)},
                                   {db::Variant(4), db::Variant(5), db::Variant(6)}};
    const auto t = Transpune_Matrice(a);
    QCOMPARE(t.size(), 3);
    QCOMPARE(t[0].size(), 2);
    QCOMPARE(t[2][1], a[1][2]);
    QCOMPARE(t[0][1], db::Variant(4));
}

void TestTransferaExcel::copyOfAReadOnlyRecordSetIsWritable()
{
    const QString path = m_dir.filePath(QStringLiteral("t.mdb"));
    QVERIFY(!db::Connection::createDatabase(path));
    db::Connection c;
    QVERIFY(!c.open(path));
    QVERIFY(!c.executeScript(QStringLiteral("CREATE TABLE T (Cod TEXT(5) COLLATE NOCASE, V DOUBLE);"
                                            "INSERT INTO T VALUES ('A', 1.5);")));
    auto rs = c.openRecordset(QStringLiteral("SELECT Cod, V FROM T"), db::CursorType::Static,
                              db::LockType::ReadOnly);
    QVERIFY(rs);
    db::Recordset copy = Copiaza_RecordSet(*rs);
    QVERIFY(rs->isOpen());
    QVERIFY(!copy.setValue(1, db::Variant(99.0)));
    QVERIFY(!copy.update());
    QCOMPARE(copy.value(1), db::Variant(99.0));
    auto check = c.openRecordset(QStringLiteral("SELECT V FROM T"));
    QVERIFY(check);
    QCOMPARE(check->value(0), db::Variant(1.5));
}

QTEST_MAIN(TestTransferaExcel)
#include "tst_transfera_excel.moc"
