// The Jet SQL rewrite: each rule on its own text, then the rewritten texts
// run on a small database and give Jet's results; the rounding of every
// connection, by itself, through SQL ROUND and into a currency column.

#include "fixture.h"
#include "platform/db/rewrite.h"
#include "platform/sys/clock.h"

using namespace Qt::StringLiterals;

class TestDbRewrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void rewrite_data();
    void rewrite();
    void results_data();
    void results();
    void topGivesAtMostNRows();
    void splitKeepsTriggersWhole();
    void roundsHalvesToEvenOnly_data();
    void roundsHalvesToEvenOnly();

private:
    QTemporaryDir m_dir;
    db::Connection m_cn;
};

void TestDbRewrite::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_cn = dbtest::makeDatabase(m_dir, u"r.mdb"_s, uR"(
CREATE TABLE Tranzactii (TR1_COD TEXT(1) COLLATE NOCASE, TR2_COD TEXT(1) COLLATE NOCASE,
                         TR_DESC TEXT(100) COLLATE NOCASE, V DOUBLE, D DATETIME, Y YESNO DEFAULT 0);
INSERT INTO Tranzactii VALUES ('1','1','Cumparare',84713000.0,'2026-01-02',-1);
INSERT INTO Tranzactii VALUES ('1','2','Leasing',1204.5,'2026-03-04 10:30:00',0);
INSERT INTO Tranzactii VALUES ('2','1','Retur',NULL,NULL,0);
CREATE TABLE Tari (Cod TEXT(2) COLLATE NOCASE PRIMARY KEY, Def TEXT(10) COLLATE NOCASE);
INSERT INTO Tari VALUES ('RO', NULL);
)"_s);
    QVERIFY(m_cn.isOpen());
    sys::Clock::set(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 6)));
}

void TestDbRewrite::cleanupTestCase()
{
    sys::Clock::reset();
}

void TestDbRewrite::rewrite_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("TOP") << u"SELECT TOP 2 * FROM [Sheet1$]"_s << u"SELECT * FROM [Sheet1$] LIMIT 2"_s;
    QTest::newRow("DISTINCT TOP") << u"SELECT DISTINCT TOP 1 a FROM t ORDER BY a"_s
                                  << u"SELECT DISTINCT a FROM t ORDER BY a LIMIT 1"_s;
    QTest::newRow("TOP in a subquery")
        << u"SELECT * FROM (SELECT TOP 3 a FROM t) x"_s << u"SELECT * FROM (SELECT a FROM t LIMIT 3) x"_s;
    QTest::newRow("TOP before ;") << u"SELECT TOP 1 * FROM t;"_s << u"SELECT * FROM t LIMIT 1;"_s;
    QTest::newRow("LEFT RIGHT ISNULL")
        << u"SELECT LEFT(a,2), RIGHT (b, 3), ISNULL(c) FROM t LEFT JOIN u ON 1"_s
        << u"SELECT JET_LEFT(a,2), JET_RIGHT (b, 3), JET_ISNULL(c) FROM t LEFT JOIN u ON 1"_s;
    QTest::newRow("literals and names untouched")
        << u"SELECT 'LEFT(x) + 1', [ISNULL(x)] FROM t"_s << u"SELECT 'LEFT(x) + 1', [ISNULL(x)] FROM t"_s;
    QTest::newRow("+ next to a text joins") << u"SELECT TR1_COD + '.'+ TR2_COD, TR_DESC FROM Tranzactii"_s
                                            << u"SELECT TR1_COD || '.'|| TR2_COD, TR_DESC FROM Tranzactii"_s;
    QTest::newRow("+ of numbers adds") << u"SELECT a + 1, b+c FROM t"_s << u"SELECT a + 1, b+c FROM t"_s;
    QTest::newRow("+ after a text function joins")
        << u"SELECT LEFT(a,1) + b FROM t"_s << u"SELECT JET_LEFT(a,1) || b FROM t"_s;
    QTest::newRow("&") << u"SELECT a & b FROM t"_s << u"SELECT a || b FROM t"_s;
    QTest::newRow("double-quoted text") << uR"(SELECT IIF(ISNULL([c]),"RO" ,[c]) FROM t)"_s
                                        << uR"(SELECT IIF(JET_ISNULL([c]),'RO' ,[c]) FROM t)"_s;
    QTest::newRow("double-quoted text with quotes")
        << uR"(SELECT "it's ""x""" FROM t)"_s << uR"(SELECT 'it''s "x"' FROM t)"_s;
    QTest::newRow("date mm/dd/yyyy") << u"WHERE d = #12/31/2026#"_s << u"WHERE d = '2026-12-31'"_s;
    QTest::newRow("date mm-dd-yyyy") << u"WHERE d < #12-31-2026#"_s << u"WHERE d < '2026-12-31'"_s;
    QTest::newRow("date with time") << u"WHERE d = #1/2/2026 13:05:00#"_s
                                    << u"WHERE d = '2026-01-02 13:05:00'"_s;
    QTest::newRow("True False Yes No") << u"WHERE a = True AND b = False AND c = Yes AND d = No"_s
                                       << u"WHERE a = -1 AND b = 0 AND c = -1 AND d = 0"_s;
    QTest::newRow("DATEPART bare interval")
        << u"SELECT DATEPART(yyyy, x) FROM t"_s << u"SELECT JET_DATEPART('yyyy', x) FROM t"_s;
    QTest::newRow("DATEPART quoted interval")
        << uR"(SELECT DATEPART("m", x) FROM t)"_s << u"SELECT JET_DATEPART('m', x) FROM t"_s;
    QTest::newRow("qualified item named for ORDER BY")
        << u"SELECT Reports.REP_ID, S.X AS Y FROM Reports INNER JOIN S ON Reports.REP_ID = S.REP_ID ORDER BY [REP_ID]"_s
        << u"SELECT Reports.REP_ID AS [REP_ID], S.X AS Y FROM Reports INNER JOIN S ON Reports.REP_ID = S.REP_ID ORDER BY [REP_ID]"_s;
    QTest::newRow("comments untouched")
        << u"SELECT a -- TOP 1 \"x\"\nFROM t"_s << u"SELECT a -- TOP 1 \"x\"\nFROM t"_s;
}

void TestDbRewrite::rewrite()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(db::rewriteJet(jet).simplified(), sqlite.simplified());
}

void TestDbRewrite::results_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("value");

    QTest::newRow("+ joins texts")
        << u"SELECT TR1_COD + '.'+ TR2_COD FROM Tranzactii WHERE TR_DESC = 'Cumparare'"_s << u"1.1"_s;
    QTest::newRow("+ keeps Null") << u"SELECT TR1_COD + '.' + Def FROM Tranzactii, Tari"_s << u"<null>"_s;
    QTest::newRow("'ro' finds 'RO'") << u"SELECT Cod FROM Tari WHERE Cod = 'ro'"_s << u"RO"_s;
    QTest::newRow("double-quoted text named as a column stays text")
        << uR"(SELECT IIF(ISNULL(Def),"Cod",Def) FROM Tari WHERE Cod = 'RO')"_s << u"Cod"_s;
    QTest::newRow("ISNULL is -1") << u"SELECT ISNULL(Def) FROM Tari"_s << u"-1"_s;
    QTest::newRow("ISNULL is 0") << u"SELECT ISNULL(Cod) FROM Tari"_s << u"0"_s;
    QTest::newRow("ROUND half to even down") << u"SELECT ROUND(1204.5)"_s << u"1204"_s;
    QTest::newRow("ROUND half to even up") << u"SELECT ROUND(1205.5)"_s << u"1206"_s;
    QTest::newRow("ROUND negative half") << u"SELECT ROUND(-2.5)"_s << u"-2"_s;
    QTest::newRow("ROUND decimals") << u"SELECT ROUND(2.345, 2)"_s << u"2.34"_s;
    QTest::newRow("round in lower case") << u"SELECT round(0.125, 2)"_s << u"0.12"_s;
    QTest::newRow("ROUND of a column")
        << u"SELECT ROUND(V) FROM Tranzactii WHERE TR2_COD = '2'"_s << u"1204"_s;
    QTest::newRow("CStr of a whole double")
        << u"SELECT CStr(V) FROM Tranzactii WHERE TR_DESC = 'Cumparare'"_s << u"84713000"_s;
    QTest::newRow("LEFT of a number")
        << u"SELECT LEFT(V, 4) FROM Tranzactii WHERE TR_DESC = 'Cumparare'"_s << u"8471"_s;
    // Characters, not bytes, on either side of the byte count.
    QTest::newRow("LEFT of a text shorter in bytes") << u"SELECT LEFT('ăb', 3)"_s << u"ăb"_s;
    QTest::newRow("LEFT of a text longer in bytes") << u"SELECT LEFT('ășț', 4)"_s << u"ășț"_s;
    QTest::newRow("LEFT cuts characters") << u"SELECT LEFT('ășțî', 3)"_s << u"ășț"_s;
    QTest::newRow("LEFT 0") << u"SELECT LEFT('ab', 0)"_s << QString();
    QTest::newRow("RIGHT") << u"SELECT RIGHT('abcdef', 2)"_s << u"ef"_s;
    QTest::newRow("date literal") << u"SELECT COUNT(*) FROM Tranzactii WHERE D = #01/02/2026#"_s << u"1"_s;
    QTest::newRow("True") << u"SELECT COUNT(*) FROM Tranzactii WHERE Y = True"_s << u"1"_s;
    QTest::newRow("DATEPART yyyy") << u"SELECT DATEPART(yyyy, D) FROM Tranzactii WHERE TR2_COD = '2'"_s
                                   << u"2026"_s;
    QTest::newRow("DATEPART m") << uR"(SELECT DATEPART("m", D) FROM Tranzactii WHERE TR2_COD = '2')"_s
                                << u"3"_s;
    QTest::newRow("DATEPART mm") << u"SELECT DATEPART(mm, D) FROM Tranzactii WHERE TR2_COD = '2'"_s << u"3"_s;
    QTest::newRow("DATEPART of Null")
        << u"SELECT DATEPART(yyyy, D) FROM Tranzactii WHERE TR1_COD = '2'"_s << u"<null>"_s;
    QTest::newRow("Year Month Day") << u"SELECT Year(D) * 10000 + Month(D) * 100 + Day(D) FROM Tranzactii "
                                       u"WHERE TR2_COD = '2'"_s
                                    << u"20260304"_s;
    QTest::newRow("Date() reads the clock") << u"SELECT Date()"_s << u"2026-12-09"_s;
    QTest::newRow("Now() reads the clock") << u"SELECT Now()"_s << u"2026-12-09 14:05:06"_s;
    QTest::newRow("Nz") << u"SELECT Nz(Def, 'x') FROM Tari"_s << u"x"_s;
    QTest::newRow("IIf") << u"SELECT IIf(1 = 2, 'a', 'b')"_s << u"b"_s;
    QTest::newRow("Len") << u"SELECT Len('abc')"_s << u"3"_s;
    QTest::newRow("Mid") << u"SELECT Mid('abcdef', 2, 3)"_s << u"bcd"_s;
    QTest::newRow("Mid to the end") << u"SELECT Mid('abcdef', 4)"_s << u"def"_s;
    QTest::newRow("InStr ignores case") << u"SELECT InStr('aXbB', 'b')"_s << u"3"_s;
    QTest::newRow("InStr from a start") << u"SELECT InStr(4, 'abcabc', 'a')"_s << u"4"_s;
    QTest::newRow("Trim") << u"SELECT '[' + Trim('  a ') + ']'"_s << u"[a]"_s;
    QTest::newRow("UCase of diacritics") << u"SELECT UCase('ăîșț')"_s << u"ĂÎȘȚ"_s;
    QTest::newRow("LCase") << u"SELECT LCase('AbC')"_s << u"abc"_s;
    QTest::newRow("Val") << u"SELECT Val(' 12.5abc')"_s << u"12.5"_s;
    QTest::newRow("Val of no number") << u"SELECT Val('abc')"_s << u"0"_s;
    QTest::newRow("CLng rounds half to even") << u"SELECT CLng(2.5)"_s << u"2"_s;
    QTest::newRow("CDbl") << u"SELECT CDbl('1.25')"_s << u"1.25"_s;
    QTest::newRow("Int") << u"SELECT Int(-2.5)"_s << u"-3"_s;
    QTest::newRow("Fix") << u"SELECT Fix(-2.5)"_s << u"-2"_s;
    QTest::newRow("Abs") << u"SELECT Abs(-3)"_s << u"3"_s;
    QTest::newRow("Space") << u"SELECT '[' + Space(2) + ']'"_s << u"[  ]"_s;
    QTest::newRow("Replace") << u"SELECT Replace('a.b.c', '.', '')"_s << u"abc"_s;
    QTest::newRow("Format number") << u"SELECT Format(1234.5, '#,##0.00')"_s << u"1,234.50"_s;
    QTest::newRow("Format zeros") << u"SELECT Format(7, '00')"_s << u"07"_s;
    QTest::newRow("Format of an amount near a half")
        << u"SELECT Format(987654321.49, '#,##0')"_s << u"987,654,321"_s;
    QTest::newRow("Format of a half binary holds below it") << u"SELECT Format(2.675, '0.00')"_s << u"2.68"_s;
    QTest::newRow("Format date") << u"SELECT Format(#03/04/2026#, 'dd.mm.yyyy')"_s << u"04.03.2026"_s;
}

void TestDbRewrite::results()
{
    QFETCH(QString, sql);
    QFETCH(QString, value);
    QCOMPARE(dbtest::scalar(m_cn, sql), value);
}

void TestDbRewrite::topGivesAtMostNRows()
{
    auto rs = m_cn.openRecordset(u"SELECT TOP 2 * FROM Tranzactii ORDER BY TR1_COD, TR2_COD"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->recordCount(), 2);
}

void TestDbRewrite::splitKeepsTriggersWhole()
{
    const QStringList parts =
        db::splitStatements(u"DELETE FROM a WHERE x = ';'; CREATE TRIGGER t AFTER INSERT ON a BEGIN UPDATE a "
                            u"SET y = CASE WHEN 1 THEN 2 "
                            u"END; DELETE FROM b; END;\n-- done\n INSERT INTO a VALUES (?1)"_s);
    QCOMPARE(parts.size(), 3);
    QVERIFY(parts[1].startsWith(u"CREATE TRIGGER"_s));
    QVERIFY(parts[1].endsWith(u"END"_s));
    QCOMPARE(parts[2].trimmed(), u"-- done\n INSERT INTO a VALUES (?1)"_s);
}

// Only a value on a half goes to the even neighbour, at every magnitude of
// the amounts: a value near a half (987,654,321.49) rounds to the nearer
// one, and a half that binary cannot hold (2.675, stored just below it) is
// still the half an accountant typed.
void TestDbRewrite::roundsHalvesToEvenOnly_data()
{
    QTest::addColumn<QString>("valoare");
    QTest::addColumn<int>("zecimale");
    QTest::addColumn<QString>("rotunjit");
    const auto caz = [](const char* valoare, int zecimale, const char* rotunjit) {
        QTest::addRow("%s at %d", valoare, zecimale)
            << QString::fromLatin1(valoare) << zecimale << QString::fromLatin1(rotunjit);
    };
    // Whole lei and kilograms, from 10 million to 3 billion and beyond.
    caz("987654321.49", 0, "987654321");
    caz("987654321.51", 0, "987654322");
    caz("-987654321.49", 0, "-987654321");
    caz("123456789.5", 0, "123456790");
    caz("2500000000.5", 0, "2500000000");
    caz("2999999999.49", 0, "2999999999");
    caz("2999999999.51", 0, "3000000000");
    caz("10000000.49", 0, "10000000");
    caz("10000000.5", 0, "10000000");
    caz("10000001.5", 0, "10000002");
    caz("123456789012.45", 0, "123456789012");
    caz("99999999999999.5", 0, "100000000000000");
    caz("1105.5", 0, "1106");
    caz("1104.5", 0, "1104");
    caz("0.5", 0, "0");
    caz("1.5", 0, "2");
    caz("-2.5", 0, "-2");
    caz("0.49999999999999", 0, "0");
    caz("1234.50000000001", 0, "1235");
    // Two decimals: halves that binary holds just below or above them.
    caz("2.675", 2, "2.68");
    caz("1.005", 2, "1");
    caz("1.015", 2, "1.02");
    caz("2.345", 2, "2.34");
    caz("0.125", 2, "0.12");
    caz("0.135", 2, "0.14");
    caz("9876543.215", 2, "9876543.22");
    caz("9876543.225", 2, "9876543.22");
    caz("9876543.2149", 2, "9876543.21");
    caz("9876543.2151", 2, "9876543.22");
    caz("987654321.005", 2, "987654321");
    caz("987654321.0049", 2, "987654321");
    caz("987654321.0051", 2, "987654321.01");
    // Four decimals, as the currency values and the rates.
    caz("4.98765", 4, "4.9876");
    caz("4.98775", 4, "4.9878");
    caz("4.97655", 4, "4.9766");
    caz("123456789.12345", 4, "123456789.1234");
    caz("123456789.12355", 4, "123456789.1236");
    caz("123456789.123449", 4, "123456789.1234");
    caz("123456789.123451", 4, "123456789.1235");
    caz("2500000000.00005", 4, "2500000000");
    caz("2500000000.00015", 4, "2500000000.0002");
    caz("0.00005", 4, "0");
    caz("0.00015", 4, "0.0002");
    // Tens and hundreds.
    caz("1250", -2, "1200");
    caz("1350", -2, "1400");
    caz("1249.99", -2, "1200");
}

void TestDbRewrite::roundsHalvesToEvenOnly()
{
    QFETCH(QString, valoare);
    QFETCH(int, zecimale);
    QFETCH(QString, rotunjit);
    const double x = valoare.toDouble();
    const double asteptat = rotunjit.toDouble();
    const auto exact = [](double d) { return QByteArray::number(d, 'g', 17); };
    QCOMPARE(exact(db::roundHalfEven(x, zecimale)), exact(asteptat));

    auto s = db::Statement::prepare(m_cn, u"SELECT ROUND(?1, ?2)"_s);
    QVERIFY2(s, qPrintable(s.error().text()));
    QVERIFY(!s->bind(1, db::Variant(x)));
    QVERIFY(!s->bind(2, db::Variant(std::int64_t(zecimale))));
    const db::Result<bool> rand = s->step();
    QVERIFY(rand && *rand);
    QCOMPARE(exact(s->column(0).toDouble()), exact(asteptat));

    if (zecimale == 4) {
        db::Field valuta;
        valuta.name = u"Valoare_Valuta"_s;
        valuta.type = db::Type::Currency;
        const db::Result<db::Variant> v = db::checkFieldValue(valuta, db::Variant(x));
        QVERIFY(v);
        QCOMPARE(exact(v->toDouble()), exact(asteptat));
    }
}

QTEST_GUILESS_MAIN(TestDbRewrite)
#include "tst_db_rewrite.moc"
