// jetsql runs one SQL text through the database layer and prints the rows.

#include "platform/db/db.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestJetsql : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestJetsql::run_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("select") << u"SELECT TR1_COD + '.'+ TR2_COD AS Cod, TR_DESC FROM Tranzactii ORDER BY 1"_s
                            << 0 << u"Cod\tTR_DESC\n1.1\tCumparare\n2.1\tNULL\n"_s;
    QTest::newRow("update") << u"UPDATE Tranzactii SET TR_DESC = 'x'"_s << 0 << u"2 rows affected\n"_s;
    QTest::newRow("two statements") << u"DELETE FROM Tranzactii; SELECT 1"_s << 1 << u""_s;
    QTest::newRow("bad table") << u"SELECT * FROM Nu_Exista"_s << 1 << u""_s;
}

void TestJetsql::run()
{
    QFETCH(QString, sql);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"t.mdb"_s);
    QVERIFY(!db::Connection::createDatabase(path));
    db::Connection cn;
    QVERIFY(!cn.open(path));
    QVERIFY(!cn.executeScript(u"CREATE TABLE Tranzactii (TR1_COD TEXT(1), TR2_COD TEXT(1), TR_DESC TEXT(50));"
                              u"INSERT INTO Tranzactii VALUES ('1', '1', 'Cumparare'), ('2', '1', NULL);"_s));
    cn.close();
    QProcess p;
    p.start(QStringLiteral(JETSQL_PATH), {path, sql});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);
    if (exitCode != 0)
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).startsWith(u"EROARE : "_s));
    QVERIFY(QProcess::execute(QStringLiteral(JETSQL_PATH),
                              {dir.filePath(u"nu_exista.mdb"_s), u"SELECT 1"_s}) == 1);
    QVERIFY(!QFile::exists(dir.filePath(u"nu_exista.mdb"_s)));
}

QTEST_GUILESS_MAIN(TestJetsql)
#include "tst_jetsql.moc"
