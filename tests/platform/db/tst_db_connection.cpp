// Connections: opening, single statements, scripts, errors, quoting,
// transactions, the tariff look-up and prepared statements.

#include "fixture.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSchema = uR"(
CREATE TABLE Tari (Cod TEXT(2) COLLATE NOCASE PRIMARY KEY, Nume TEXT(50) COLLATE NOCASE NOT NULL);
CREATE TABLE Firme (ID INTEGER PRIMARY KEY AUTOINCREMENT, Cod_Tara TEXT(2) COLLATE NOCASE REFERENCES Tari (Cod),
                    Nume TEXT(40) COLLATE NOCASE NOT NULL, Suma DOUBLE CHECK (Suma >= 0), Activ YESNO DEFAULT 0);
INSERT INTO Tari VALUES ('RO', 'Romania');
INSERT INTO Tari VALUES ('DE', 'Germania');
CREATE VIEW Tari_V AS SELECT Cod, Nume FROM Tari;
CREATE TABLE HS_8 (HS8_COD TEXT(8) COLLATE BINARY, DESCRIERE MEMO TEXT COLLATE NOCASE,
                   UM_SUPL TEXT(10) COLLATE NOCASE, AN_END INTEGER);
CREATE INDEX HS_8_COD ON HS_8 (HS8_COD);
INSERT INTO HS_8 VALUES ('84713000', 'Masini portabile', 'p/st', NULL);
INSERT INTO HS_8 VALUES ('39011010', 'Polietilena', NULL, NULL);
INSERT INTO HS_8 VALUES ('01012100', 'Cai reproducatori', 'p/st', 2020);
)"_s;

const QString kLookUp =
    u"SELECT HS8_COD, LEFT(MAX(DESCRIERE),250) AS DESCRIERE1, MAX(UM_SUPL) AS UM_SUPL1, "
    u"IIF(ISNULL(MAX([UM_SUPL]))=0,1,0) AS EXISTA_UM FROM HS_8 WHERE [HS8_COD]='%1' AND ISNULL([AN_END])=-1 "
    u"AND ISNULL([HS8_COD])=0 GROUP BY HS8_COD"_s;

} // namespace

class TestDbConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void openMissingFails_data();
    void openMissingFails();
    void openConnectionTexts_data();
    void openConnectionTexts();
    void openPathsWithQuotes_data();
    void openPathsWithQuotes();
    void openRefusesNonDatabase();
    void readOnlyModeRefusesWrites();
    void createDatabaseRefusesExisting();
    void twoStatementsRefused_data();
    void twoStatementsRefused();
    void scriptIsOneTransaction();
    void scriptCostsItsLength();
    void fullDatabaseIsDiskFull();
    void constraintErrors_data();
    void constraintErrors();
    void writeToViewIsAnError();
    void yesNoHoldsMinusOneAndZero_data();
    void yesNoHoldsMinusOneAndZero();
    void yesNoTriggersLeftOut();
    void yesNoPausedForACopy_data();
    void yesNoPausedForACopy();
    void quoteRoundTrip_data();
    void quoteRoundTrip();
    void transactions();
    void tariffLookUp_data();
    void tariffLookUp();
    void preparedStatementReused();
    void boundValuesKept();
    void closedConnectionGivesErrors();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    db::Connection m_cn;
    QString m_path;
};

void TestDbConnection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_cn = dbtest::makeDatabase(*m_dir, u"c.mdb"_s, kSchema);
    m_path = m_dir->filePath(u"c.mdb"_s);
    QVERIFY(m_cn.isOpen());
}

void TestDbConnection::openMissingFails_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("bare path") << u"%1"_s;
    QTest::newRow("connection text")
        << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source='%1';Mode=Read|Write"_s;
    QTest::newRow("unquoted data source") << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"_s;
}

void TestDbConnection::openMissingFails()
{
    QFETCH(QString, text);
    const QString missing = m_dir->filePath(u"nu_exista.mdb"_s);
    db::Connection cn;
    const db::Error e = cn.open(text.arg(missing));
    QVERIFY(e);
    QCOMPARE(e.kind, db::Error::Kind::FileNotFound);
    QVERIFY2(e.description.contains(missing), qPrintable(e.description));
    QVERIFY(!e.source.isEmpty());
    QVERIFY(!cn.isOpen());
    QCOMPARE(cn.state(), 0);
    QVERIFY(!QFile::exists(missing));
    // a folder is not a database either
    QVERIFY(cn.open(text.arg(m_dir->path())));
}

void TestDbConnection::openConnectionTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("bare path") << u"%1"_s;
    QTest::newRow("quoted data source")
        << u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source='%1';Mode=Read|Write"_s;
    QTest::newRow("double quotes, other order")
        << u"Mode=Read|Write;Data Source=\"%1\";Persist Security Info=False"_s;
}

void TestDbConnection::openConnectionTexts()
{
    QFETCH(QString, text);
    db::Connection cn;
    const QString full = text.arg(m_path);
    QVERIFY2(!cn.open(full), qPrintable(full));
    QCOMPARE(cn.state(), 1);
    QCOMPARE(cn.connectionString(), full);
    QCOMPARE(cn.path(), m_path);
    QCOMPARE(dbtest::scalar(cn, u"SELECT Nume FROM Tari WHERE Cod = 'ro'"_s), u"Romania"_s);
    // the journal stays a rollback journal
    QCOMPARE(dbtest::scalar(cn, u"PRAGMA journal_mode"_s), u"delete"_s);
    QCOMPARE(dbtest::scalar(cn, u"PRAGMA foreign_keys"_s), u"1"_s);
}

// A folder such as /home/o'neil must not stop a database opening, whichever
// way the connection text carries the path.
void TestDbConnection::openPathsWithQuotes_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text");
    QTest::newRow("quoted(), apostrophe") << u"o'neil"_s << u"Provider=Jet;Data Source=%1;Mode=Read|Write"_s;
    QTest::newRow("quoted(), apostrophe and ;") << u"o'neil; martie"_s << u"Data Source=%1;Mode=Read"_s;
    QTest::newRow("quoted(), two apostrophes") << u"d''arc'"_s << u"Data Source=%1"_s;
    QTest::newRow("bare value, apostrophe") << u"o'neil"_s << u"Data Source=%2;Mode=Read|Write"_s;
    QTest::newRow("double quotes, apostrophe") << u"o'neil; x"_s << u"Data Source=\"%2\";Mode=Read"_s;
    QTest::newRow("bare path, apostrophe") << u"o'neil"_s << u"%2"_s;
}

void TestDbConnection::openPathsWithQuotes()
{
    QFETCH(QString, folder);
    QFETCH(QString, text);
    QVERIFY(QDir(m_dir->path()).mkdir(folder));
    const QString path = m_dir->filePath(folder + u"/c.mdb"_s);
    QVERIFY(QFile::copy(m_path, path));
    QString full = text;
    full.replace(u"%1"_s, db::quoted(path)).replace(u"%2"_s, path);
    db::Connection cn;
    QVERIFY2(!cn.open(full), qPrintable(full));
    QCOMPARE(cn.path(), path);
    QCOMPARE(dbtest::scalar(cn, u"SELECT Nume FROM Tari WHERE Cod = 'ro'"_s), u"Romania"_s);
    if (full.contains(u'='))
        QCOMPARE(db::connectionValue(full, u"data source"), path);
}

void TestDbConnection::openRefusesNonDatabase()
{
    const QString path = m_dir->filePath(u"text.mdb"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is not a database, only some text that is long enough to be read as a header......\n");
    f.close();
    db::Connection cn;
    const db::Error e = cn.open(path);
    QVERIFY(e);
    QVERIFY(!cn.isOpen());
}

void TestDbConnection::readOnlyModeRefusesWrites()
{
    db::Connection cn;
    QVERIFY(!cn.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source='%1';Mode=Read"_s.arg(m_path)));
    auto r = cn.execute(u"DELETE FROM Tari"_s);
    QVERIFY(!r);
    QCOMPARE(r.error().kind, db::Error::Kind::ReadOnly);
    QCOMPARE(r.error().dataErrorCode(), 7);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
}

void TestDbConnection::createDatabaseRefusesExisting()
{
    const QByteArray before = dbtest::fileBytes(m_path);
    QVERIFY(db::Connection::createDatabase(m_path));
    QCOMPARE(dbtest::fileBytes(m_path), before);
    QVERIFY(db::Connection::createDatabase(m_dir->filePath(u"no/such/folder/x.mdb"_s)));
    // a new file carries the layer's tables, which the table list leaves out
    const QString fresh = m_dir->filePath(u"fresh.mdb"_s);
    QVERIFY(!db::Connection::createDatabase(fresh));
    db::Connection cn;
    QVERIFY(!cn.open(fresh));
    for (const QString& t : {u"_Proceduri"_s, u"_Parametri"_s, u"_Descrieri"_s, u"_Legaturi"_s})
        QCOMPARE(dbtest::scalar(cn, u"SELECT COUNT(*) FROM "_s + t), u"0"_s);
    auto tables = cn.tables();
    QVERIFY(tables);
    QVERIFY(tables->isEmpty());
}

void TestDbConnection::twoStatementsRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("two inserts")
        << u"INSERT INTO Tari VALUES ('FR', 'Franta'); INSERT INTO Tari VALUES ('IT', 'Italia')"_s;
    QTest::newRow("insert then delete") << u"INSERT INTO Tari VALUES ('FR', 'Franta');DELETE FROM Tari"_s;
    QTest::newRow("after a comment")
        << u"INSERT INTO Tari VALUES ('FR', 'Franta'); -- x\n DELETE FROM Tari"_s;
}

void TestDbConnection::twoStatementsRefused()
{
    QFETCH(QString, sql);
    auto r = m_cn.execute(sql);
    QVERIFY(!r);
    QCOMPARE(r.error().kind, db::Error::Kind::MultipleStatements);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari; DELETE FROM Tari"_s);
    QVERIFY(!rs);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
    // a trailing ; or comment is not a second statement
    QVERIFY(m_cn.execute(u"UPDATE Tari SET Nume = Nume; -- gata"_s));
}

void TestDbConnection::scriptIsOneTransaction()
{
    const db::Error e = m_cn.executeScript(u"INSERT INTO Tari VALUES ('FR', 'Franta');\n"
                                           u"CREATE TABLE Noua (A INTEGER);\n"
                                           u"INSERT INTO Tari VALUES ('RO', 'dublura');\n"_s);
    QVERIFY(e);
    QVERIFY2(e.description.contains(u"Statement 3"_s), qPrintable(e.description));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
    QVERIFY(!m_cn.tableExists(u"Noua"_s));
    QVERIFY(!m_cn.executeScript(u"BEGIN TRANSACTION; INSERT INTO Tari VALUES ('FR', 'Franta'); COMMIT;"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"3"_s);
}

// Each statement of a script is prepared from its own text: SQLite never
// copies the rest of the script, so a long script costs what its
// statements do, however many there are.
void TestDbConnection::scriptCostsItsLength()
{
    // 3,000 statements that change nothing, each with a comment of 400
    // characters, between a BEGIN and a COMMIT behind comments of their own.
    QString script = u"/* the countries */ BEGIN;\n"_s;
    const QString comment = u" -- "_s + QString(400, u'x') + u'\n';
    for (int i = 0; i < 3000; ++i)
        script += u"UPDATE Tari SET Nume = Nume WHERE Cod = 'zz';"_s + comment;
    script += u"INSERT INTO Tari VALUES ('FR', 'Franta');\n-- all of them\n COMMIT;"_s;
    sqlite3_int64 before = 0, highest = 0;
    sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &before, &highest, 1);
    const db::Error e = m_cn.executeScript(script);
    sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &before, &highest, 0);
    QVERIFY2(!e, qPrintable(e.text()));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"3"_s);
    // Given the length of the rest, SQLite would copy it for each statement.
    QVERIFY2(highest - before < script.size() / 8,
             qPrintable(u"SQLite held %1 bytes more for a script of %2"_s.arg(highest - before).arg(script.size())));
}

// A database with no room left, here one held to its pages, says so.
void TestDbConnection::fullDatabaseIsDiskFull()
{
    QVERIFY(m_cn.execute(u"PRAGMA max_page_count = "_s + dbtest::scalar(m_cn, u"PRAGMA page_count"_s)));
    db::Error e;
    for (int i = 0; i < 1000 && !e; ++i)
        e = m_cn.execute(u"INSERT INTO HS_8 VALUES (?, ?, NULL, NULL)"_s,
                         {db::Variant(QString::number(i)), db::Variant(QString(500, u'd'))})
                .error();
    QVERIFY(e);
    QCOMPARE(e.kind, db::Error::Kind::DiskFull);
}

void TestDbConnection::constraintErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::newRow("duplicate key") << u"INSERT INTO Tari VALUES ('ro', 'x')"_s
                                   << int(db::Error::Kind::Duplicate) << 4;
    QTest::newRow("foreign key") << u"INSERT INTO Firme (Cod_Tara, Nume) VALUES ('XX', 'a')"_s
                                 << int(db::Error::Kind::ForeignKey) << 5;
    QTest::newRow("not null") << u"INSERT INTO Firme (Cod_Tara) VALUES ('RO')"_s
                              << int(db::Error::Kind::NotNull) << 6;
    QTest::newRow("check") << u"INSERT INTO Firme (Nume, Suma) VALUES ('a', -1)"_s
                           << int(db::Error::Kind::Constraint) << 0;
}

void TestDbConnection::constraintErrors()
{
    QFETCH(QString, sql);
    QFETCH(int, kind);
    QFETCH(int, code);
    auto r = m_cn.execute(sql);
    QVERIFY(!r);
    QCOMPARE(int(r.error().kind), kind);
    QCOMPARE(r.error().number, db::ErrorNumber::IntegrityViolation);
    QCOMPARE(r.error().number, int(0x80040E2F));
    QCOMPARE(r.error().dataErrorCode(), code);
    QVERIFY(!r.error().description.isEmpty());
}

void TestDbConnection::writeToViewIsAnError()
{
    auto r = m_cn.execute(u"INSERT INTO Tari_V VALUES ('FR', 'Franta')"_s);
    QVERIFY(!r);
    QVERIFY(!r.error().description.isEmpty());
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
}

void TestDbConnection::yesNoHoldsMinusOneAndZero_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("1") << u"1"_s << u"-1"_s;
    QTest::newRow("-1") << u"-1"_s << u"-1"_s;
    QTest::newRow("0") << u"0"_s << u"0"_s;
    QTest::newRow("True") << u"True"_s << u"-1"_s;
    QTest::newRow("text True") << u"'True'"_s << u"-1"_s;
    QTest::newRow("Null") << u"NULL"_s << u"<null>"_s;
}

void TestDbConnection::yesNoHoldsMinusOneAndZero()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    QVERIFY(m_cn.execute(u"INSERT INTO Firme (Nume, Activ) VALUES ('a', %1)"_s.arg(value)));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT CAST(Activ AS TEXT) FROM Firme"_s), stored);
    QVERIFY(m_cn.execute(u"UPDATE Firme SET Activ = 0"_s));
    auto r = m_cn.execute(u"UPDATE Firme SET Activ = %1"_s.arg(value));
    QVERIFY(r);
    QCOMPARE(r.value(), 1); // the rows the statement changed, not the trigger's
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT CAST(Activ AS TEXT) FROM Firme"_s), stored);
}

// A database the program alone fills may keep its Yes/No columns without
// triggers; the next open brings them back.
void TestDbConnection::yesNoTriggersLeftOut()
{
    const QString triggers = u"SELECT COUNT(*) FROM sqlite_temp_master WHERE type = 'trigger'"_s;
    const QString before = dbtest::scalar(m_cn, triggers);
    m_cn.setNormalisesYesNo(false);
    QVERIFY(!m_cn.executeScript(u"CREATE TABLE Bife (A YESNO, B BIT);"_s));
    QCOMPARE(dbtest::scalar(m_cn, triggers), before);
    m_cn.close();
    QVERIFY(!m_cn.open(m_path));
    QCOMPARE(dbtest::scalar(m_cn, triggers).toInt(), before.toInt() + 4);
}

void TestDbConnection::yesNoPausedForACopy_data()
{
    QTest::addColumn<bool>("commit");
    QTest::newRow("the copy committed") << true;
    QTest::newRow("the copy rolled back") << false;
}

// A copy that binds its own -1 and 0 inserts without the table's triggers,
// in its transaction; after it, committed or rolled back, every Yes/No is
// kept to -1 and 0 again, and updates were kept so all along.
void TestDbConnection::yesNoPausedForACopy()
{
    QFETCH(bool, commit);
    const QString triggers = u"SELECT COUNT(*) FROM sqlite_temp_master WHERE type = 'trigger'"_s;
    const QString before = dbtest::scalar(m_cn, triggers);
    {
        const db::YesNoPause pause(m_cn, u"firme"_s);
        QCOMPARE(dbtest::scalar(m_cn, triggers).toInt(), before.toInt() - 1); // the insert trigger of Activ
        db::Transaction t(m_cn);
        QVERIFY(!t.error());
        QVERIFY(m_cn.execute(u"INSERT INTO Firme (Nume, Activ) VALUES ('copiat', -1)"_s));
        QVERIFY(m_cn.execute(u"INSERT INTO Firme (Nume, Activ) VALUES ('fara', 1)"_s));
        QCOMPARE(dbtest::scalar(m_cn, u"SELECT CAST(Activ AS TEXT) FROM Firme WHERE Nume = 'fara'"_s), u"1"_s);
        QVERIFY(m_cn.execute(u"UPDATE Firme SET Activ = 2 WHERE Nume = 'fara'"_s));
        QCOMPARE(dbtest::scalar(m_cn, u"SELECT CAST(Activ AS TEXT) FROM Firme WHERE Nume = 'fara'"_s), u"-1"_s);
        if (commit)
            QVERIFY(!t.commit());
    }
    QCOMPARE(dbtest::scalar(m_cn, triggers), before);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Firme WHERE Nume = 'copiat'"_s), commit ? u"1"_s : u"0"_s);
    QVERIFY(m_cn.execute(u"INSERT INTO Firme (Nume, Activ) VALUES ('dupa', 1)"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT CAST(Activ AS TEXT) FROM Firme WHERE Nume = 'dupa'"_s), u"-1"_s);
}

void TestDbConnection::quoteRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("one quote") << u"D'Arc"_s;
    QTest::newRow("only quotes") << u"''"_s;
    QTest::newRow("quote and semicolon") << u"a'; DELETE FROM Tari; --"_s;
}

void TestDbConnection::quoteRoundTrip()
{
    QFETCH(QString, text);
    QCOMPARE(db::quoted(text), u'\'' + db::quote(text) + u'\'');
    auto r = m_cn.execute(u"INSERT INTO Firme (Nume) VALUES ('"_s + db::quote(text) + u"')"_s);
    QVERIFY2(r, qPrintable(r.error().text()));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT Nume FROM Firme WHERE Nume = "_s + db::quoted(text)), text);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
}

void TestDbConnection::transactions()
{
    {
        db::Transaction tx(m_cn);
        QVERIFY(!tx.error());
        QVERIFY(m_cn.execute(u"DELETE FROM Tari WHERE Cod = 'DE'"_s));
        QVERIFY(m_cn.inTransaction());
    } // not committed
    QVERIFY(!m_cn.inTransaction());
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
    {
        db::Transaction tx(m_cn);
        QVERIFY(m_cn.execute(u"DELETE FROM Tari WHERE Cod = 'DE'"_s));
        // a nested level rolls back alone
        QVERIFY(!m_cn.begin());
        QVERIFY(m_cn.execute(u"DELETE FROM Tari"_s));
        QVERIFY(!m_cn.rollback());
        QVERIFY(!tx.commit());
    }
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT Cod FROM Tari"_s), u"RO"_s);
    QVERIFY(m_cn.commit()); // nothing to commit

    // A commit the database refuses (a deferred foreign key) leaves nothing
    // written and no transaction open.
    QVERIFY(m_cn.execute(u"CREATE TABLE Amanat (Cod TEXT(2) REFERENCES Tari (Cod) DEFERRABLE INITIALLY "
                         u"DEFERRED)"_s));
    {
        db::Transaction tx(m_cn);
        QVERIFY(m_cn.execute(u"INSERT INTO Tari VALUES ('FR', 'Franta')"_s));
        QVERIFY(m_cn.execute(u"INSERT INTO Amanat VALUES ('XX')"_s));
        QVERIFY(tx.commit());
        QVERIFY(!m_cn.inTransaction());
    }
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"1"_s);
    QVERIFY(m_cn.execute(u"INSERT INTO Tari VALUES ('FR', 'Franta')"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"2"_s);
}

void TestDbConnection::tariffLookUp_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("row");
    QTest::newRow("with unit") << u"84713000"_s << u"84713000|Masini portabile|p/st|1"_s;
    QTest::newRow("without unit") << u"39011010"_s << u"39011010|Polietilena|<null>|0"_s;
    QTest::newRow("expired") << u"01012100"_s << u""_s;
    QTest::newRow("unknown") << u"99999999"_s << u""_s;
}

void TestDbConnection::tariffLookUp()
{
    QFETCH(QString, code);
    QFETCH(QString, row);
    auto rs = m_cn.openRecordset(kLookUp.arg(code));
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QString got;
    if (!rs->eof()) {
        QStringList cells;
        for (int c = 0; c < rs->fieldCount(); ++c)
            cells << (rs->value(c).isNull() ? u"<null>"_s : rs->value(c).toText());
        got = cells.join(u'|');
        // an expression column of text (or all Null) is text, so a Null unit reads as ""
        QCOMPARE(rs->field(rs->fieldIndex(u"um_supl1"_s)).type, int(db::Type::VarWChar));
    }
    QCOMPARE(got, row);

    // the same through a prepared statement
    auto st = db::Statement::prepare(m_cn, QString(kLookUp).replace(u"'%1'"_s, u"?"_s));
    QVERIFY2(st, qPrintable(st.error().text()));
    QVERIFY(!st->bind(1, code));
    auto step = st->step();
    QVERIFY(step);
    QCOMPARE(step.value(), !row.isEmpty());
    if (step.value())
        QCOMPARE(st->column(3).toText(), row.section(u'|', 3));
}

void TestDbConnection::preparedStatementReused()
{
    auto st = db::Statement::prepare(m_cn, u"SELECT Nume FROM Tari WHERE Cod = ?"_s);
    QVERIFY(st);
    for (const auto& [code, name] : {std::pair{u"ro"_s, u"Romania"_s}, std::pair{u"DE"_s, u"Germania"_s}}) {
        st->reset();
        QVERIFY(!st->bind(1, code));
        auto step = st->step();
        QVERIFY(step && step.value());
        QCOMPARE(st->column(0).toText(), name);
        QCOMPARE(st->columnName(0), u"Nume"_s);
    }
    QVERIFY(st->bind(2, u"x"_s)); // no such parameter
    auto twice = db::Statement::prepare(m_cn, u"SELECT 1; SELECT 2"_s);
    QVERIFY(!twice);
    auto insert = db::Statement::prepare(m_cn, u"INSERT INTO Tari VALUES (?, ?)"_s);
    QVERIFY(insert);
    insert->bind(1, u"RO"_s);
    insert->bind(2, u"x"_s);
    auto done = insert->step();
    QVERIFY(!done);
    QCOMPARE(done.error().kind, db::Error::Kind::Duplicate);
}

// Bound texts and dates stay as bound across runs of the statement until
// their parameter is bound again, whatever is bound to the others; a bind
// refused because the statement was not reset leaves the bound value whole.
void TestDbConnection::boundValuesKept()
{
    auto st = db::Statement::prepare(m_cn, u"SELECT ?1, ?2, ?3"_s);
    QVERIFY(st);
    const QString lung = u"Mașini automate de prelucrare a datelor "_s.repeated(20);
    QVERIFY(!st->bind(1, lung));
    QVERIFY(!st->bind(2, u"DE"_s));
    QVERIFY(!st->bind(3, QDateTime(QDate(2026, 3, 15), QTime(12, 5, 7))));
    const auto rand = [&] {
        auto step = st->step();
        const QStringList r =
            step && step.value()
                ? QStringList{st->column(0).toText(), st->column(1).toText(), st->column(2).toText()}
                : QStringList();
        st->reset();
        return r;
    };
    const QStringList primul{lung, u"DE"_s, u"2026-03-15 12:05:07"_s};
    QCOMPARE(rand(), primul);
    QCOMPARE(rand(), primul);
    auto pas = st->step();
    QVERIFY(pas && pas.value());
    st->bind(1, u"ro"_s); // refused: the statement is on its row
    st->reset();
    QCOMPARE(rand(), primul);
    QVERIFY(!st->bind(1, u"ro"_s));
    QVERIFY(!st->bind(3, QDate(2026, 4, 1)));
    QCOMPARE(rand(), (QStringList{u"ro"_s, u"DE"_s, u"2026-04-01"_s}));
    QVERIFY(!st->bind(2, QString()));
    QVERIFY(!st->bind(1, lung));
    QCOMPARE(rand(), (QStringList{lung, QString(), u"2026-04-01"_s}));
}

void TestDbConnection::closedConnectionGivesErrors()
{
    db::Connection copy = m_cn; // the same connection
    m_cn.close();
    QVERIFY(!copy.isOpen());
    auto r = copy.execute(u"SELECT 1"_s);
    QVERIFY(!r);
    QCOMPARE(r.error().kind, db::Error::Kind::Closed);
    QCOMPARE(r.error().number, db::ErrorNumber::ObjectClosed);
    QVERIFY(!copy.openRecordset(u"SELECT 1"_s));
    QVERIFY(copy.begin());
}

QTEST_GUILESS_MAIN(TestDbConnection)
#include "tst_db_connection.moc"
