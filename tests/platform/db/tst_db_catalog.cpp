// Saved procedures, schema queries, linked tables and compaction.

#include "Alt_Proces.h"
#include "fixture.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString kCompany = uR"(
CREATE TABLE Erori (Sursa TEXT(50) COLLATE NOCASE, Numar INTEGER, Descriere TEXT(255) COLLATE NOCASE,
                    PRIMARY KEY (Sursa, Numar));
INSERT INTO Erori VALUES ('Grila', 4, 'Cheie dubla');
CREATE TABLE Jurnal (A TEXT(10) COLLATE NOCASE PRIMARY KEY, B INTEGER NOT NULL);
CREATE TABLE Intrastat (Pozitia INTEGER PRIMARY KEY AUTOINCREMENT, Tara_Orig TEXT(2) COLLATE NOCASE DEFAULT 'RO',
                        Cod TEXT(5) COLLATE NOCASE DEFAULT 'Cod', Valoare DOUBLE DEFAULT 0, Nota MEMO TEXT COLLATE NOCASE,
                        Data DATETIME, Probleme YESNO DEFAULT 0 NOT NULL);
INSERT INTO _Descrieri VALUES ('Intrastat', 'Tara_Orig', 'Tara de origine');
CREATE VIEW Intrastat_V AS SELECT Pozitia, Cod FROM Intrastat;
INSERT INTO _Proceduri VALUES ('Return_Error', 'SELECT Descriere AS Text_Eroare FROM Erori WHERE Sursa = ?1 AND Numar = ?2');
INSERT INTO _Parametri VALUES ('Return_Error', 0, 'RETURN_VALUE', 3, 4);
INSERT INTO _Parametri VALUES ('Return_Error', 1, 'Sursa', 202, 1);
INSERT INTO _Parametri VALUES ('Return_Error', 2, 'Numar', 3, 1);
INSERT INTO _Parametri VALUES ('Return_Error', 3, 'Text_Eroare', 202, 3);
)"_s;

const QString kCommon = uR"(
CREATE TABLE Firme (Cod INTEGER PRIMARY KEY AUTOINCREMENT, Nume_firma TEXT(100) COLLATE NOCASE NOT NULL,
                    Cod_Fiscal TEXT(30) COLLATE NOCASE);
INSERT INTO Firme (Nume_firma, Cod_Fiscal) VALUES ('Demo SRL', 'RO0000001');
INSERT INTO Firme (Nume_firma, Cod_Fiscal) VALUES ('Alta SA', 'RO0000002');
)"_s;

} // namespace

class TestDbCatalog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void procedureOutputs_data();
    void procedureOutputs();
    void procedureBodyIsOneTransaction();
    void procedureParametersAndRows();
    void tablesList();
    void columnsSchema();
    void linkReadsAndWritesTheSource();
    void droppingALinkKeepsTheSource_data();
    void droppingALinkKeepsTheSource();
    void linkRules();
    void compactionShrinksAndKeepsData();
    void compactionFailureLeavesOriginal_data();
    void compactionFailureLeavesOriginal();
    void compactionWhileAnotherProcessUsesIt_data();
    void compactionWhileAnotherProcessUsesIt();
    void exclusiveOpen_data();
    void exclusiveOpen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    db::Connection m_cn;
    QString m_common;
};

void TestDbCatalog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_cn = dbtest::makeDatabase(*m_dir, u"firma.mdb"_s, kCompany);
    QVERIFY(m_cn.isOpen());
    db::Connection common = dbtest::makeDatabase(*m_dir, u"Comun.mdb"_s, kCommon);
    QVERIFY(common.isOpen());
    common.close();
    m_common = m_dir->filePath(u"Comun.mdb"_s);
}

void TestDbCatalog::procedureOutputs_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("number");
    QTest::addColumn<db::Variant>("text");
    QTest::newRow("known error") << u"grila"_s << 4 << db::Variant(u"Cheie dubla"_s);
    QTest::newRow("unknown error") << u"Grila"_s << 9 << db::Variant::null();
}

void TestDbCatalog::procedureOutputs()
{
    QFETCH(QString, source);
    QFETCH(int, number);
    QFETCH(db::Variant, text);
    auto out = m_cn.runProcedure(u"Return_Error"_s, {db::Variant(), source, number, db::Variant(u"x"_s)});
    QVERIFY2(out, qPrintable(out.error().text()));
    QCOMPARE(out->size(), 4);
    QCOMPARE(out->at(0), db::Variant(0));
    QCOMPARE(out->at(1), db::Variant(source));
    QCOMPARE(out->at(3), text);
    auto missing = m_cn.runProcedure(u"Nu_Exista"_s);
    QVERIFY(!missing);
    QCOMPARE(missing.error().kind, db::Error::Kind::NotFound);
}

void TestDbCatalog::procedureBodyIsOneTransaction()
{
    QVERIFY(!m_cn.createProcedure(u"Jurnal_Pune"_s,
                                  u"DELETE FROM Jurnal WHERE A = ?1;\nINSERT INTO Jurnal VALUES (?1, ?2);\n"
                                  u"SELECT COUNT(*) AS N, MAX(B) AS B FROM Jurnal"_s,
                                  {{1, u"A"_s, 202, 1}, {2, u"B"_s, 3, 1}, {3, u"N"_s, 3, 2}}));
    auto first = m_cn.runProcedure(u"Jurnal_Pune"_s, {db::Variant(), u"a;b"_s, 5});
    QVERIFY2(first, qPrintable(first.error().text()));
    QCOMPARE(first->at(3).toInt(), 1);
    auto again = m_cn.runProcedure(u"Jurnal_Pune"_s, {db::Variant(), u"a;b"_s, 7});
    QVERIFY(again);
    QCOMPARE(again->at(3).toInt(), 1);
    // the insert fails (NOT NULL): the delete before it is rolled back too
    auto failed = m_cn.runProcedure(u"Jurnal_Pune"_s, {db::Variant(), u"a;b"_s, db::Variant::null()});
    QVERIFY(!failed);
    QCOMPARE(failed.error().kind, db::Error::Kind::NotNull);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT B FROM Jurnal WHERE A = 'a;b'"_s), u"7"_s);
}

void TestDbCatalog::procedureParametersAndRows()
{
    auto params = m_cn.parameters(u"return_error"_s);
    QVERIFY(params);
    QCOMPARE(params->size(), 4);
    QCOMPARE(params->at(0).name, u"RETURN_VALUE"_s);
    QCOMPARE(params->at(0).direction, int(db::Parameter::ReturnValue));
    QCOMPARE(params->at(3).name, u"Text_Eroare"_s);
    QCOMPARE(params->at(3).type, 202);
    QCOMPARE(params->at(3).direction, int(db::Parameter::InputOutput));
    QVector<db::Variant> values;
    auto rows = m_cn.openProcedure(u"Return_Error"_s, {db::Variant(), u"Grila"_s, 4}, &values);
    QVERIFY(rows);
    QCOMPARE(rows->recordCount(), 1);
    QCOMPARE(rows->value(u"Text_Eroare"_s).toText(), u"Cheie dubla"_s);
    QCOMPARE(values.value(3).toText(), u"Cheie dubla"_s);
    QVERIFY(!m_cn.dropProcedure(u"Return_Error"_s));
    QVERIFY(!m_cn.hasProcedure(u"Return_Error"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM _Parametri"_s), u"0"_s);
}

void TestDbCatalog::tablesList()
{
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s, u"Microsoft.Jet.OLEDB.4.0"_s));
    auto tables = m_cn.tables();
    QVERIFY(tables);
    QStringList got;
    for (const db::TableInfo& t : tables.value())
        got << t.name + u':' + t.kind;
    QCOMPARE(got.join(u' '), u"Erori:TABLE Firme:LINK Intrastat:TABLE Intrastat_V:VIEW Jurnal:TABLE"_s);
    auto rs = m_cn.tablesSchema();
    QVERIFY(rs);
    QVERIFY(!rs->find(u"TABLE_TYPE = 'LINK'"_s));
    QCOMPARE(rs->value(u"TABLE_NAME"_s).toText(), u"Firme"_s);
    QVERIFY(m_cn.tableExists(u"firme"_s));
    QVERIFY(m_cn.tableExists(u"intrastat_v"_s));
}

void TestDbCatalog::columnsSchema()
{
    auto rs = m_cn.columnsSchema(u"Intrastat"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->recordCount(), 7);
    struct Row
    {
        QString column;
        int ordinal;
        db::Variant dflt;
        int type;
        db::Variant maxLength;
        db::Variant description;
        bool nullable;
    };
    const QList<Row> expected = {
        {u"Pozitia"_s, 1, db::Variant::null(), 3, db::Variant::null(), db::Variant::null(), false},
        {u"Tara_Orig"_s, 2, db::Variant(u"\"RO\""_s), 202, db::Variant(2), db::Variant(u"Tara de origine"_s),
         true},
        {u"Cod"_s, 3, db::Variant(u"\"Cod\""_s), 202, db::Variant(5), db::Variant::null(), true},
        {u"Valoare"_s, 4, db::Variant(u"0"_s), 5, db::Variant::null(), db::Variant::null(), true},
        {u"Nota"_s, 5, db::Variant::null(), 203, db::Variant::null(), db::Variant::null(), true},
        {u"Data"_s, 6, db::Variant::null(), 7, db::Variant::null(), db::Variant::null(), true},
        {u"Probleme"_s, 7, db::Variant(u"0"_s), 11, db::Variant::null(), db::Variant::null(), false}};
    for (const Row& e : expected) {
        QVERIFY2(!rs->find(u"COLUMN_NAME = '"_s + e.column + u"'"_s) && !rs->eof(), qPrintable(e.column));
        QCOMPARE(rs->value(u"ORDINAL_POSITION"_s).toInt(), e.ordinal);
        QCOMPARE(rs->value(u"COLUMN_DEFAULT"_s), e.dflt);
        QCOMPARE(rs->value(u"DATA_TYPE"_s).toInt(), e.type);
        QCOMPARE(rs->value(u"CHARACTER_MAXIMUM_LENGTH"_s), e.maxLength);
        QCOMPARE(rs->value(u"DESCRIPTION"_s), e.description);
        QCOMPARE(rs->value(u"IS_NULLABLE"_s).toBool(), e.nullable);
        rs->moveFirst();
    }
    rs->moveFirst();
    QVERIFY(!rs->find(u"COLUMN_NAME = 'Valoare'"_s));
    QCOMPARE(rs->value(u"NUMERIC_PRECISION"_s).toInt(), 15);
    QVERIFY(!rs->find(u"COLUMN_NAME = 'Data'"_s));
    QVERIFY(!rs->value(u"DATETIME_PRECISION"_s).isNull());
    QVERIFY(!m_cn.columnsSchema(u"Nu_Exista"_s));
    // a link reports its source's columns
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s));
    auto link = m_cn.columnsSchema(u"Firme"_s);
    QVERIFY(link);
    QCOMPARE(link->recordCount(), 3);
}

void TestDbCatalog::linkReadsAndWritesTheSource()
{
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s, u"Microsoft.Jet.OLEDB.4.0"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Firme"_s), u"2"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT Furnizor FROM _Legaturi"_s), u"Microsoft.Jet.OLEDB.4.0"_s);

    // a new connection attaches the link at open
    db::Connection cn;
    QVERIFY(!cn.open(m_dir->filePath(u"firma.mdb"_s)));
    QVERIFY(cn.isLink(u"FIRME"_s));
    auto rs = cn.openRecordset(u"SELECT * FROM Firme ORDER BY [Nume_firma]"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QVERIFY(rs->canUpdate());
    QVERIFY(!rs->setValue(u"Cod_Fiscal"_s, u"RO9"_s));
    QVERIFY(!rs->update());
    QVERIFY(!rs->addNew());
    QVERIFY(!rs->setValue(u"Nume_firma"_s, u"Noua SRL"_s));
    QVERIFY(!rs->update());
    QCOMPARE(rs->value(u"Cod"_s).toInt(), 3);
    QVERIFY(cn.execute(u"UPDATE Firme SET Nume_firma = 'Demo' WHERE Cod = 1"_s));

    db::Connection common;
    QVERIFY(!common.open(m_common));
    QCOMPARE(dbtest::scalar(common, u"SELECT Cod_Fiscal FROM Firme WHERE Nume_firma = 'Alta SA'"_s),
             u"RO9"_s);
    QCOMPARE(dbtest::scalar(common, u"SELECT Nume_firma FROM Firme WHERE Cod = 1"_s), u"Demo"_s);
    QCOMPARE(dbtest::scalar(common, u"SELECT COUNT(*) FROM Firme"_s), u"3"_s);
}

void TestDbCatalog::droppingALinkKeepsTheSource_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("dropLink") << u"dropLink"_s;
    QTest::newRow("DROP TABLE text") << u"DROP TABLE Firme"_s;
    QTest::newRow("DROP TABLE bracketed") << u"DROP TABLE [Firme]"_s;
    QTest::newRow("DROP TABLE IF EXISTS") << u"DROP TABLE IF EXISTS Firme"_s;
}

void TestDbCatalog::droppingALinkKeepsTheSource()
{
    QFETCH(QString, how);
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s));
    const QByteArray before = dbtest::fileBytes(m_common);
    if (how == u"dropLink")
        QVERIFY(!m_cn.dropLink(u"firme"_s));
    else
        QVERIFY2(m_cn.execute(how), qPrintable(how));
    QVERIFY(!m_cn.isLink(u"Firme"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM _Legaturi"_s), u"0"_s);
    QVERIFY(!m_cn.openRecordset(u"SELECT * FROM Firme"_s)); // the name is gone
    QCOMPARE(dbtest::fileBytes(m_common), before);
    db::Connection common;
    QVERIFY(!common.open(m_common));
    QCOMPARE(dbtest::scalar(common, u"SELECT COUNT(*) FROM Firme"_s), u"2"_s);
    // and it can be linked again
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Firme"_s), u"2"_s);
}

void TestDbCatalog::linkRules()
{
    // a local table of that name blocks the link
    const db::Error clash = m_cn.createLink(u"jurnal"_s, m_common, u"Firme"_s);
    QVERIFY(clash);
    QVERIFY(!m_cn.isLink(u"Jurnal"_s));
    QVERIFY(m_cn.createLink(u"Altele"_s, m_common, u"Nu_Exista"_s));
    QVERIFY(m_cn.createLink(u"Altele"_s, m_dir->filePath(u"nu_exista.mdb"_s), u"Firme"_s));
    QVERIFY(!QFile::exists(m_dir->filePath(u"nu_exista.mdb"_s)));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM _Legaturi"_s), u"0"_s);

    // a link named otherwise than its table reads through its own name
    QVERIFY(!m_cn.createLink(u"Companii"_s, m_common, u"Firme"_s));
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Companii"_s), u"2"_s);
    QVERIFY(!m_cn.dropLink(u"Companii"_s));
    QVERIFY(m_cn.dropLink(u"Companii"_s));

    // nothing is dropped through the attachment, even when named directly
    QVERIFY(!m_cn.createLink(u"Firme"_s, m_common, u"Firme"_s));
    auto direct = m_cn.execute(u"DROP TABLE lnk1.Firme"_s);
    QVERIFY(!direct);
    QVERIFY(!m_cn.execute(u"ALTER TABLE lnk1.Firme ADD COLUMN X INTEGER"_s));

    // a source that went missing does not stop the open; only the name fails
    m_cn.close();
    const QString moved = m_dir->filePath(u"mutat.mdb"_s);
    QVERIFY(QFile::rename(m_common, moved));
    db::Connection cn;
    QVERIFY(!cn.open(m_dir->filePath(u"firma.mdb"_s)));
    QVERIFY(!QFile::exists(m_common));
    QCOMPARE(dbtest::scalar(cn, u"SELECT COUNT(*) FROM Erori"_s), u"1"_s);
    QVERIFY(!cn.openRecordset(u"SELECT * FROM Firme"_s));
    QVERIFY(!QFile::exists(m_common));
}

void TestDbCatalog::compactionShrinksAndKeepsData()
{
    for (int i = 0; i < 200; ++i)
        QVERIFY(m_cn.execute(u"INSERT INTO Intrastat (Nota) VALUES ('%1')"_s.arg(QString(500, u'x'))));
    QVERIFY(m_cn.execute(u"DELETE FROM Intrastat WHERE Pozitia > 10"_s));
    m_cn.close();
    const QString path = m_dir->filePath(u"firma.mdb"_s);
    const qint64 before = QFileInfo(path).size();
    QVERIFY(QDir(m_dir->path()).mkdir(u"CompactDB"_s));
    const db::Error e = db::Connection::compact(path, m_dir->filePath(u"CompactDB"_s));
    QVERIFY2(!e, qPrintable(e.text()));
    QVERIFY(QFileInfo(path).size() < before);
    QVERIFY(QFile::exists(m_dir->filePath(u"CompactDB/firma.mdb"_s))); // the work copy stays
    QVERIFY(!QFile::exists(path + u".compact-new"_s));
    db::Connection cn;
    QVERIFY(!cn.open(path));
    QCOMPARE(dbtest::scalar(cn, u"SELECT COUNT(*) FROM Intrastat"_s), u"10"_s);
    QCOMPARE(dbtest::scalar(cn, u"PRAGMA integrity_check"_s), u"ok"_s);
    QVERIFY(cn.hasProcedure(u"Return_Error"_s));
}

void TestDbCatalog::compactionFailureLeavesOriginal_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("missing work folder") << u"folder"_s;
    QTest::newRow("journal beside it") << u"journal"_s;
    QTest::newRow("work copy is the original") << u"same"_s;
    QTest::newRow("not a database") << u"text"_s;
}

void TestDbCatalog::compactionFailureLeavesOriginal()
{
    QFETCH(QString, failure);
    m_cn.close();
    QString path = m_dir->filePath(u"firma.mdb"_s);
    QString work = m_dir->filePath(u"CompactDB/firma.mdb"_s);
    QVERIFY(QDir(m_dir->path()).mkdir(u"CompactDB"_s));
    if (failure == u"folder") {
        work = m_dir->filePath(u"nu_exista/firma.mdb"_s);
    } else if (failure == u"journal") {
        QFile j(path + u"-journal"_s);
        QVERIFY(j.open(QIODevice::WriteOnly));
        j.write("x");
    } else if (failure == u"same") {
        work = path;
    } else if (failure == u"text") {
        path = m_dir->filePath(u"text.mdb"_s);
        QFile t(path);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write(QByteArray(4096, 'z'));
    }
    const QByteArray before = dbtest::fileBytes(path);
    QVERIFY(!before.isEmpty());
    const db::Error e = db::Connection::compactDatabase(path, work);
    QVERIFY(e);
    QVERIFY(!e.description.isEmpty());
    QCOMPARE(dbtest::fileBytes(path), before);
    QVERIFY(!QFile::exists(path + u".compact-new"_s));
}

// Users keeping the databases in one shared folder: a compaction would
// replace the file under the other process's connection, whose next write
// then fails ("attempt to write a readonly database").
void TestDbCatalog::compactionWhileAnotherProcessUsesIt_data()
{
    QTest::addColumn<QString>("other");  // what the other process has open
    QTest::addColumn<bool>("killed");    // the other process was killed before the compaction
    QTest::addColumn<bool>("compacted");
    QTest::newRow("the database") << u"firma.mdb"_s << false << false;
    QTest::newRow("a database linking it") << u"link"_s << false << false;
    QTest::newRow("read-only") << u"Mode=Read"_s << false << false;
    QTest::newRow("killed holder leaves no lock") << u"firma.mdb"_s << true << true;
}

void TestDbCatalog::compactionWhileAnotherProcessUsesIt()
{
    QFETCH(QString, other);
    QFETCH(bool, killed);
    QFETCH(bool, compacted);
    const QString path = m_dir->filePath(u"firma.mdb"_s);
    QString opened = path;
    if (other == u"link") {
        // the other process opens the register, which links the company's table
        db::Connection common;
        QVERIFY(!common.open(m_common));
        QVERIFY(!common.createLink(u"Jurnal"_s, path, u"Jurnal"_s));
        opened = m_common;
    } else if (other == u"Mode=Read") {
        opened = u"Data Source="_s + path + u";Mode=Read"_s;
    }
    m_cn.close();
    QVERIFY(QDir(m_dir->path()).mkdir(u"CompactDB"_s));

    Alt_Proces alt;
    QCOMPARE(alt.deschide(opened), u"deschis"_s);
    if (killed)
        alt.omoara();
    const QByteArray before = dbtest::fileBytes(path);
    const db::Error e = db::Connection::compact(path, m_dir->filePath(u"CompactDB"_s));
    QCOMPARE(!e, compacted);
    if (compacted) {
        QVERIFY(!QFile::exists(path + u".lock"_s));
        return;
    }
    QCOMPARE(e.kind, db::Error::Kind::Busy);
    QVERIFY2(e.description.contains(u"in use by another process"_s), qPrintable(e.description));
    QCOMPARE(dbtest::fileBytes(path), before);
    // the other process goes on writing
    if (other != u"Mode=Read")
        QCOMPARE(alt.comanda(u"INSERT INTO Jurnal VALUES ('alt', 1)"_s), u"ok"_s);
    alt.opreste();
    QVERIFY(!db::Connection::compact(path, m_dir->filePath(u"CompactDB"_s)));
    QVERIFY(!QFile::exists(path + u".lock"_s));
}

// Mode=Share Exclusive: only when no one else uses the file, and no one else
// meanwhile; this process's other connections count too.
void TestDbCatalog::exclusiveOpen_data()
{
    QTest::addColumn<QString>("holder"); // "process", "connection" or "" for none
    QTest::addColumn<bool>("opened");
    QTest::newRow("no other user") << QString() << true;
    QTest::newRow("another process") << u"process"_s << false;
    QTest::newRow("another connection of this process") << u"connection"_s << false;
}

void TestDbCatalog::exclusiveOpen()
{
    QFETCH(QString, holder);
    QFETCH(bool, opened);
    const QString path = m_dir->filePath(u"firma.mdb"_s);
    if (holder != u"connection")
        m_cn.close();
    Alt_Proces alt;
    if (holder == u"process")
        QCOMPARE(alt.deschide(path), u"deschis"_s);
    db::Connection cn;
    const db::Error e = cn.open(u"Data Source='"_s + path + u"';Mode=Share Exclusive"_s);
    QCOMPARE(!e, opened);
    if (!opened) {
        QCOMPARE(e.kind, db::Error::Kind::Busy);
        return;
    }
    QVERIFY(cn.execute(u"INSERT INTO Jurnal VALUES ('sol', 1)"_s));
    // while it is held alone, another process cannot open the file
    QVERIFY(alt.deschide(path).startsWith(u"eroare Could not use"_s));
    cn.close();
    Alt_Proces dupa;
    QCOMPARE(dupa.deschide(path), u"deschis"_s);
}

QTEST_GUILESS_MAIN(TestDbCatalog)
#include "tst_db_catalog.moc"
