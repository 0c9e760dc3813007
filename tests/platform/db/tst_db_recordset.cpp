// Record sets: type codes, values, checks on update, writing back over column
// lists and joins, navigation, Find, Filter, Sort, Clone, Requery,
// bookmarks, disconnected copies, XML persistence and change notifications.

#include "fixture.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString kSchema = uR"(
CREATE TABLE Tipuri (I INTEGER, S SMALLINT, B BYTE, F SINGLE, D DOUBLE, C CURRENCY, N DECIMAL(10,2),
                     Y YESNO DEFAULT 0, T DATETIME, X TEXT(5) COLLATE NOCASE, M MEMO TEXT COLLATE NOCASE, L BLOB);
INSERT INTO Tipuri (I, Y, T, X, M) VALUES (1, -1, '2026-03-04', 'ab', '0101');
CREATE TABLE Reports (REP_ID INTEGER PRIMARY KEY, REP_NAME TEXT(50) COLLATE NOCASE, REP_DESC TEXT(100) COLLATE NOCASE);
CREATE TABLE REPORTS_SEL (REP_ID INTEGER PRIMARY KEY REFERENCES Reports (REP_ID),
                          REP_DESCRIPTION TEXT(100) COLLATE NOCASE);
INSERT INTO Reports VALUES (10, 'Lista', 'Lista veche');
INSERT INTO Reports VALUES (20, 'Total', 'Total vechi');
INSERT INTO REPORTS_SEL VALUES (10, 'Selectie veche');
INSERT INTO REPORTS_SEL VALUES (20, 'Alta');
CREATE TABLE Tari (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tara_COD TEXT(2) COLLATE NOCASE NOT NULL UNIQUE,
                   Tara_DESC TEXT(50) COLLATE NOCASE, Tara_UE YESNO DEFAULT 0);
INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('RO', 'Romania', -1);
INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('DE', 'Germania', -1);
INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('FR', 'Franta', -1);
INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('CN', 'China', 0);
INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('GE', 'Georgia', 0);
CREATE VIEW V_Tari AS SELECT Tara_COD, Tara_DESC FROM Tari;
CREATE TABLE StructuraFisiereAntet (Nume_Structura TEXT(50) COLLATE NOCASE PRIMARY KEY, Tip TEXT(10) COLLATE NOCASE,
                                    Work_Sheet_Name TEXT(50) COLLATE NOCASE);
CREATE TABLE StructuraFisiereContinut (Record_ID INTEGER PRIMARY KEY AUTOINCREMENT,
                                       Nume_Structura TEXT(50) COLLATE NOCASE, Dest_ColumnName TEXT(50) COLLATE NOCASE,
                                       Sort_Order INTEGER);
INSERT INTO StructuraFisiereAntet VALUES ('Macheta A', 'ACHIZITIE', 'Sheet1');
INSERT INTO StructuraFisiereAntet VALUES ('Macheta B', 'LIVRARE', 'Sheet1');
INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, Sort_Order) VALUES ('Macheta A', 'Cod_NC', 2);
INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, Sort_Order) VALUES ('macheta a', 'Tara_Exp', 1);
INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, Sort_Order) VALUES ('Macheta B', 'Cod_NC', 1);
)"_s;

QStringList column(db::Recordset& rs, const QString& name)
{
    QStringList out;
    const int c = rs.fieldIndex(name);
    for (int r = 0; r < rs.rowCount(); ++r)
        out << rs.valueAt(r, c).toText();
    return out;
}

} // namespace

class TestDbRecordset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void typeCodes_data();
    void typeCodes();
    void valuesReadAsTheirType();
    void repeatedValuesReadAsStored();
    void updateChecks_data();
    void updateChecks();
    void storedForms();
    void columnListAddNew();
    void joinWritesBothTables();
    void deleteMovesOn();
    void refusedWrites_data();
    void refusedWrites();
    void duplicateOnUpdateKeepsTheEdit();
    void navigation();
    void find_data();
    void find();
    void findGoesOnFromTheCurrentRow();
    void filter_data();
    void filter();
    void sort();
    void cloneAndBookmark();
    void requery();
    void copyDisconnected();
    void xmlRoundTrip();
    void inMemory();
    void notifications();
    void shapeParentAndChildren_data();
    void shapeParentAndChildren();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    db::Connection m_cn;
};

void TestDbRecordset::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_cn = dbtest::makeDatabase(*m_dir, u"rs.mdb"_s, kSchema);
    QVERIFY(m_cn.isOpen());
}

void TestDbRecordset::typeCodes_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::newRow("INTEGER") << u"I"_s << 3 << 0;
    QTest::newRow("SMALLINT") << u"S"_s << 2 << 0;
    QTest::newRow("BYTE") << u"B"_s << 17 << 0;
    QTest::newRow("SINGLE") << u"F"_s << 4 << 0;
    QTest::newRow("DOUBLE") << u"D"_s << 5 << 0;
    QTest::newRow("CURRENCY") << u"C"_s << 6 << 0;
    QTest::newRow("DECIMAL") << u"N"_s << 131 << 0;
    QTest::newRow("YESNO") << u"Y"_s << 11 << 0;
    QTest::newRow("DATETIME") << u"T"_s << 7 << 0;
    QTest::newRow("TEXT(5)") << u"X"_s << 202 << 5;
    QTest::newRow("MEMO TEXT") << u"M"_s << 203 << 0;
    QTest::newRow("BLOB") << u"L"_s << 205 << 0;
    QTest::newRow("integer expression") << u"I + 1"_s << 3 << 0;
    QTest::newRow("double expression") << u"I * 1.5"_s << 5 << 0;
    QTest::newRow("text expression") << u"X || 'z'"_s << 202 << 0;
    QTest::newRow("all Null") << u"NULL"_s << 202 << 0;
    QTest::newRow("through a view") << u"(SELECT Tara_DESC FROM V_Tari LIMIT 1)"_s << 202 << 50;
}

void TestDbRecordset::typeCodes()
{
    QFETCH(QString, expression);
    QFETCH(int, type);
    QFETCH(int, size);
    auto rs = m_cn.openRecordset(u"SELECT "_s + expression + u" AS E FROM Tipuri"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->field(0).type, type);
    QCOMPARE(rs->field(0).definedSize, size);
}

void TestDbRecordset::valuesReadAsTheirType()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tipuri"_s);
    QVERIFY(rs);
    QCOMPARE(rs->value(u"t"_s).kind(), db::Variant::Kind::Date); // by name, case ignored
    QCOMPARE(rs->value(u"T"_s).toDateTime().date(), QDate(2026, 3, 4));
    QCOMPARE(rs->value(u"Y"_s).kind(), db::Variant::Kind::Bool);
    QVERIFY(rs->value(u"Y"_s).toBool());
    QCOMPARE(rs->value(u"M"_s).toText(), u"0101"_s); // a memo keeps its leading zero
    QVERIFY(rs->value(u"D"_s).isNull());
    QVERIFY(rs->value(u"nu_exista"_s).isEmpty());
    QCOMPARE(rs->fieldIndex(u"nu_exista"_s), -1);
    QCOMPARE(rs->source(), u"SELECT * FROM Tipuri"_s);
    QCOMPARE(rs->connectionString(), m_cn.connectionString());
}

// Values met again on later rows (dates, texts) read as stored, whether a
// column repeats few values, alternates them or holds a new one on each row.
void TestDbRecordset::repeatedValuesReadAsStored()
{
    QVERIFY(m_cn.execute(u"CREATE TABLE Multe (K INTEGER, T DATETIME, X TEXT(20), U TEXT(20))"_s));
    db::Transaction tx(m_cn);
    auto insert = db::Statement::prepare(m_cn, u"INSERT INTO Multe VALUES (?1, ?2, ?3, ?4)"_s);
    QVERIFY(insert);
    const int n = 5000;
    for (int i = 0; i < n; ++i) {
        insert->bind(1, i);
        insert->bind(2, i % 500 < 250 ? u"2026-03-04"_s
                                      : (i % 3 == 0 ? u"2026-03-05 10:20:30"_s : u"5.4.2026"_s));
        insert->bind(3, i % 7 == 0 ? db::Variant::null()
                                   : db::Variant(QString(u"v"_s + QString::number(i % 5))));
        insert->bind(4, QString(u"u"_s + QString::number(i)));
        QVERIFY(insert->step());
        insert->reset();
    }
    QVERIFY(!tx.commit());
    auto rs = m_cn.openRecordset(u"SELECT T, X, U FROM Multe ORDER BY K"_s);
    QVERIFY(rs);
    QCOMPARE(rs->rowCount(), n);
    for (int i = 0; i < n; ++i) {
        const QDateTime t = i % 500 < 250 ? QDateTime(QDate(2026, 3, 4), QTime(0, 0))
                            : i % 3 == 0  ? QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30))
                                          : QDateTime(QDate(2026, 4, 5), QTime(0, 0));
        QCOMPARE(rs->valueAt(i, 0).toDateTime(), t);
        if (i % 7 == 0)
            QVERIFY(rs->valueAt(i, 1).isNull());
        else
            QCOMPARE(rs->valueAt(i, 1).toText(), u"v"_s + QString::number(i % 5));
        QCOMPARE(rs->valueAt(i, 2).toText(), u"u"_s + QString::number(i));
    }
}

void TestDbRecordset::updateChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<db::Variant>("value");
    QTest::addColumn<int>("kind"); // None when taken
    QTest::newRow("text over its width")
        << u"X"_s << db::Variant(u"abcdef"_s) << int(db::Error::Kind::TooLong);
    QTest::newRow("text at its width") << u"X"_s << db::Variant(u"abcde"_s) << int(db::Error::Kind::None);
    QTest::newRow("memo has no width")
        << u"M"_s << db::Variant(QString(1000, u'x')) << int(db::Error::Kind::None);
    QTest::newRow("non-number in DOUBLE")
        << u"D"_s << db::Variant(u"abc"_s) << int(db::Error::Kind::NotNumber);
    QTest::newRow("empty text in DOUBLE") << u"D"_s << db::Variant(u""_s) << int(db::Error::Kind::NotNumber);
    QTest::newRow("number text in DOUBLE")
        << u"D"_s << db::Variant(u" 12.5 "_s) << int(db::Error::Kind::None);
    QTest::newRow("non-number in INTEGER")
        << u"I"_s << db::Variant(u"1.5x"_s) << int(db::Error::Kind::NotNumber);
    QTest::newRow("SMALLINT overflow") << u"S"_s << db::Variant(40000) << int(db::Error::Kind::NotNumber);
    QTest::newRow("BYTE below 0") << u"B"_s << db::Variant(-1) << int(db::Error::Kind::NotNumber);
    QTest::newRow("non-date in DATETIME")
        << u"T"_s << db::Variant(u"31.02.2026"_s) << int(db::Error::Kind::NotDate);
    QTest::newRow("ISO date text") << u"T"_s << db::Variant(u"2026-05-06"_s) << int(db::Error::Kind::None);
    QTest::newRow("date serial") << u"T"_s << db::Variant(46000.5) << int(db::Error::Kind::None);
    QTest::newRow("serial past the year 9999")
        << u"T"_s << db::Variant(1e308) << int(db::Error::Kind::NotDate);
    QTest::newRow("serial before the year 100")
        << u"T"_s << db::Variant(-1e6) << int(db::Error::Kind::NotDate);
    QTest::newRow("NaN serial")
        << u"T"_s << db::Variant(std::numeric_limits<double>::quiet_NaN()) << int(db::Error::Kind::NotDate);
    QTest::newRow("text in YESNO") << u"Y"_s << db::Variant(u"poate"_s) << int(db::Error::Kind::NotNumber);
    QTest::newRow("Null anywhere") << u"I"_s << db::Variant::null() << int(db::Error::Kind::None);
}

void TestDbRecordset::updateChecks()
{
    QFETCH(QString, field);
    QFETCH(db::Variant, value);
    QFETCH(int, kind);
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tipuri"_s);
    QVERIFY(rs);
    const db::Error e = rs->setValue(field, value);
    QCOMPARE(int(e.kind), kind);
    if (e) {
        QVERIFY(e.dataErrorCode() >= 1 && e.dataErrorCode() <= 3);
        QVERIFY(e.description.contains(field));
        return;
    }
    QVERIFY2(!rs->update(), qPrintable(rs->update().text()));
    QCOMPARE(rs->editMode(), db::EditMode::None);
}

void TestDbRecordset::storedForms()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tipuri"_s);
    QVERIFY(rs);
    QVERIFY(!rs->setValue(u"Y"_s, db::Variant(1)));
    QVERIFY(!rs->setValue(u"T"_s, db::Variant(QDate(2026, 12, 31))));
    QVERIFY(!rs->setValue(u"I"_s, db::Variant(2.5))); // rounds half to even
    QVERIFY(!rs->setValue(u"X"_s, db::Variant(84713.0)));
    QVERIFY(!rs->update());
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT Y || '|' || T || '|' || I || '|' || X FROM Tipuri"_s),
             u"-1|2026-12-31|2|84713"_s);
    QCOMPARE(rs->value(u"T"_s).kind(), db::Variant::Kind::Date);
}

void TestDbRecordset::columnListAddNew()
{
    auto rs = m_cn.openRecordset(u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QVERIFY(rs->canUpdate());
    QVERIFY(!rs->addNew());
    QCOMPARE(rs->editMode(), db::EditMode::Add);
    QVERIFY(!rs->setValue(u"Tara_COD"_s, u"IT"_s));
    QVERIFY(!rs->setValue(u"Tara_DESC"_s, u"Italia"_s));
    QVERIFY2(!rs->update(), "insert");
    QCOMPARE(rs->editMode(), db::EditMode::None);
    QCOMPARE(rs->recordCount(), 6);
    QCOMPARE(rs->value(u"Tara_DESC"_s).toText(), u"Italia"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT ID || '|' || Tara_UE FROM Tari WHERE Tara_COD = 'IT'"_s),
             u"6|0"_s);

    // over SELECT * the AUTOINCREMENT key and the defaults come back
    auto all = m_cn.openRecordset(u"SELECT * FROM Tari"_s);
    QVERIFY(all);
    QVERIFY(!all->field(all->fieldIndex(u"id"_s)).writable); // assigned by the database
    QVERIFY(all->setValue(u"ID"_s, db::Variant(99)));
    QVERIFY(!all->addNew());
    QVERIFY(!all->setValue(u"Tara_COD"_s, u"ES"_s));
    QVERIFY(!all->update());
    QCOMPARE(all->value(u"ID"_s).toInt(), 7);
    QCOMPARE(all->value(u"Tara_UE"_s).kind(), db::Variant::Kind::Bool);
    QVERIFY(!all->value(u"Tara_UE"_s).toBool());
}

void TestDbRecordset::joinWritesBothTables()
{
    auto rs = m_cn.openRecordset(
        u"SELECT Reports.REP_ID, Reports.REP_NAME, Reports.REP_DESC, REPORTS_SEL.REP_DESCRIPTION FROM "
        u"Reports "
        u"INNER JOIN REPORTS_SEL ON Reports.REP_ID = REPORTS_SEL.REP_ID ORDER BY [REP_ID]"_s);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->field(3).baseTable, u"REPORTS_SEL"_s);
    QCOMPARE(rs->field(3).baseColumn, u"REP_DESCRIPTION"_s);
    QVERIFY(rs->field(2).writable && rs->field(3).writable);
    QVERIFY(!rs->setValue(u"REP_DESC"_s, u"Lista noua"_s));
    QVERIFY(!rs->setValue(u"REP_DESCRIPTION"_s, u"Selectie noua"_s));
    QVERIFY(!rs->update());
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT REP_DESC FROM Reports WHERE REP_ID = 10"_s), u"Lista noua"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT REP_DESCRIPTION FROM REPORTS_SEL WHERE REP_ID = 10"_s),
             u"Selectie noua"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT REP_DESCRIPTION FROM REPORTS_SEL WHERE REP_ID = 20"_s), u"Alta"_s);
}

void TestDbRecordset::deleteMovesOn()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s); // CN DE FR GE RO
    QVERIFY(rs);
    rs->moveNext();
    QVERIFY(!rs->deleteCurrent());
    QCOMPARE(rs->recordCount(), 4);
    rs->moveNext();
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"FR"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari WHERE Tara_COD = 'DE'"_s), u"0"_s);
    rs->moveLast();
    QVERIFY(!rs->deleteCurrent());
    rs->moveNext();
    QVERIFY(rs->eof());
    QVERIFY(rs->deleteCurrent()); // no current row
}

void TestDbRecordset::refusedWrites_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("lock");
    QTest::newRow("view") << u"SELECT * FROM V_Tari"_s << int(db::LockType::Optimistic);
    QTest::newRow("grouped") << u"SELECT Tara_UE, MAX(Tara_DESC) AS Tara_DESC FROM Tari GROUP BY Tara_UE"_s
                             << int(db::LockType::Optimistic);
    QTest::newRow("distinct") << u"SELECT DISTINCT Tara_DESC FROM Tari"_s << int(db::LockType::Optimistic);
    QTest::newRow("read-only lock") << u"SELECT * FROM Tari"_s << int(db::LockType::ReadOnly);
}

void TestDbRecordset::refusedWrites()
{
    QFETCH(QString, sql);
    QFETCH(int, lock);
    auto rs = m_cn.openRecordset(sql, db::CursorType::Static, db::LockType(lock));
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QVERIFY(!rs->canUpdate());
    const db::Error e = rs->setValue(u"Tara_DESC"_s, u"x"_s);
    QCOMPARE(e.kind, db::Error::Kind::ReadOnly);
    QCOMPARE(e.dataErrorCode(), 7);
    QVERIFY(rs->addNew());
    QVERIFY(rs->deleteCurrent());
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari WHERE Tara_DESC = 'x'"_s), u"0"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"5"_s);
}

void TestDbRecordset::duplicateOnUpdateKeepsTheEdit()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari WHERE Tara_COD = 'RO'"_s);
    QVERIFY(rs);
    QVERIFY(!rs->setValue(u"Tara_COD"_s, u"de"_s));
    const db::Error e = rs->update();
    QCOMPARE(e.kind, db::Error::Kind::Duplicate);
    QCOMPARE(e.number, db::ErrorNumber::IntegrityViolation);
    QCOMPARE(rs->editMode(), db::EditMode::InProgress);
    rs->cancelUpdate();
    QCOMPARE(rs->editMode(), db::EditMode::None);
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"RO"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari WHERE Tara_COD = 'RO'"_s), u"1"_s);
}

void TestDbRecordset::navigation()
{
    auto rs = m_cn.openRecordset(u"SELECT Tara_COD FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    QCOMPARE(rs->recordCount(), 5);
    QVERIFY(!rs->bof() && !rs->eof());
    QCOMPARE(rs->absolutePosition(), 1);
    rs->movePrevious();
    QVERIFY(rs->bof());
    QVERIFY(rs->value(0).isEmpty());
    rs->moveLast();
    QCOMPARE(rs->value(0).toText(), u"RO"_s);
    QCOMPARE(rs->absolutePosition(), 5);
    rs->moveNext();
    QVERIFY(rs->eof());
    rs->moveFirst();
    rs->move(2);
    QCOMPARE(rs->value(0).toText(), u"FR"_s);
    rs->move(-1);
    QCOMPARE(rs->value(0).toText(), u"DE"_s);
    QVERIFY(!rs->setAbsolutePosition(4));
    QCOMPARE(rs->currentRow(), 3);
    QVERIFY(rs->setAbsolutePosition(6));

    auto empty = m_cn.openRecordset(u"SELECT * FROM Tari WHERE 0"_s);
    QVERIFY(empty);
    QVERIFY(empty->bof() && empty->eof());
    QCOMPARE(empty->recordCount(), 0);
}

void TestDbRecordset::find_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("found"); // "" = EOF
    QTest::newRow("LIKE with %") << u"[Tara_DESC] LIKE 'ger%'"_s << u"DE"_s;
    QTest::newRow("LIKE with *") << u"Tara_DESC LIKE 'GEO*'"_s << u"GE"_s;
    QTest::newRow("equal, case ignored") << u"Tara_COD = 'fr'"_s << u"FR"_s;
    QTest::newRow("quote in the value") << u"Tara_DESC = 'D''Arc'"_s << u""_s;
    QTest::newRow("nothing") << u"Tara_COD = 'XX'"_s << u""_s;
}

void TestDbRecordset::find()
{
    QFETCH(QString, criteria);
    QFETCH(QString, found);
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    QVERIFY(!rs->find(criteria));
    if (found.isEmpty())
        QVERIFY(rs->eof());
    else
        QCOMPARE(rs->value(u"Tara_COD"_s).toText(), found);
}

void TestDbRecordset::findGoesOnFromTheCurrentRow()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s); // CN DE FR GE RO
    QVERIFY(rs);
    QVERIFY(!rs->find(u"Tara_UE = True"_s));
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"DE"_s);
    QVERIFY(!rs->find(u"Tara_UE = True"_s)); // the current row matches
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"DE"_s);
    QVERIFY(!rs->find(u"Tara_UE = True"_s, 1));
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"FR"_s);
    QVERIFY(!rs->find(u"Tara_COD = 'CN'"_s, 1));
    QVERIFY(rs->eof());
    QVERIFY(rs->find(u"Nu_Exista = 1"_s));
    QVERIFY(rs->find(u"Tara_COD = 'neinchis"_s));
}

void TestDbRecordset::filter_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<QString>("codes");
    QTest::newRow("equal") << u"Tara_COD='ro'"_s << u"RO"_s;
    QTest::newRow("OR") << u"[Tara_COD] = 'RO' OR Tara_COD = 'DE'"_s << u"DE RO"_s;
    QTest::newRow("AND and LIKE") << u"Tara_UE = 0 AND Tara_DESC LIKE 'G*'"_s << u"GE"_s;
    QTest::newRow("parentheses and NOT") << u"NOT (Tara_COD = 'RO' OR Tara_UE = 0)"_s << u"DE FR"_s;
    QTest::newRow("numbers") << u"ID >= 4"_s << u"CN GE"_s;
    QTest::newRow("cleared") << u""_s << u"CN DE FR GE RO"_s;
}

void TestDbRecordset::filter()
{
    QFETCH(QString, criteria);
    QFETCH(QString, codes);
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    QVERIFY(!rs->setFilter(u"Tara_COD = 'FR'"_s));
    QVERIFY2(!rs->setFilter(criteria), qPrintable(rs->setFilter(criteria).text()));
    QCOMPARE(rs->filter(), criteria);
    QCOMPARE(column(*rs, u"Tara_COD"_s).join(u' '), codes);
    QCOMPARE(rs->recordCount(), int(codes.split(u' ').size()));
    // a criteria that cannot be read leaves the filter as it was
    QVERIFY(rs->setFilter(u"Tara_COD = "_s));
    QCOMPARE(rs->filter(), criteria);
}

void TestDbRecordset::sort()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari"_s);
    QVERIFY(rs);
    QVERIFY(!rs->setSort(u"Tara_UE ASC, [Tara_DESC] DESC"_s));
    QCOMPARE(column(*rs, u"Tara_COD"_s).join(u' '), u"RO DE FR GE CN"_s);
    QVERIFY(rs->setSort(u"Nu_Exista"_s));
    QCOMPARE(rs->sort(), u"Tara_UE ASC, [Tara_DESC] DESC"_s);
    QVERIFY(!rs->setSort(u""_s));
    QCOMPARE(column(*rs, u"Tara_COD"_s).join(u' '), u"RO DE FR CN GE"_s);
}

void TestDbRecordset::cloneAndBookmark()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    rs->moveLast();
    const db::Bookmark mark = rs->bookmark();
    db::Recordset copy = rs->clone();
    QCOMPARE(copy.recordCount(), 5);
    QCOMPARE(copy.value(u"Tara_COD"_s).toText(), u"CN"_s); // a clone starts at the first row
    copy.moveNext();
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"RO"_s); // the original stays
    QVERIFY(!copy.setBookmark(mark));                     // bookmarks are shared with clones
    QCOMPARE(copy.value(u"Tara_COD"_s).toText(), u"RO"_s);
    rs->moveFirst();
    QVERIFY(!rs->setBookmark(mark));
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"RO"_s);
    QVERIFY(rs->setBookmark(12345));
    // a handle copy is the same record set
    db::Recordset same = rs.value();
    same.moveFirst();
    QCOMPARE(rs->value(u"Tara_COD"_s).toText(), u"CN"_s);
}

void TestDbRecordset::requery()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    QVERIFY(!rs->setFilter(u"Tara_UE = True"_s));
    QVERIFY(
        m_cn.execute(u"INSERT INTO Tari (Tara_COD, Tara_DESC, Tara_UE) VALUES ('AT', 'Austria', True)"_s));
    QCOMPARE(rs->recordCount(), 3);
    QVERIFY(!rs->requery());
    QCOMPARE(column(*rs, u"Tara_COD"_s).join(u' '), u"AT DE FR RO"_s);
    m_cn.close();
    QCOMPARE(rs->requery().kind, db::Error::Kind::Closed);
    QCOMPARE(rs->recordCount(), 4); // the rows read stay readable
    QVERIFY(rs->setValue(u"Tara_DESC"_s, u"x"_s) || rs->update());
}

void TestDbRecordset::copyDisconnected()
{
    auto rs = m_cn.openRecordset(u"SELECT ID, Tara_COD, Tara_DESC FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    db::Recordset copy = rs->copyDisconnected();
    QCOMPARE(copy.recordCount(), 5);
    QCOMPARE(copy.source(), rs->source());
    for (int c = 0; c < copy.fieldCount(); ++c)
        QVERIFY(copy.field(c).writable);
    QVERIFY(!copy.setValue(u"ID"_s, db::Variant(100)));
    QVERIFY(!copy.setValue(u"Tara_DESC"_s, u"Schimbat"_s));
    QVERIFY(!copy.update());
    QVERIFY(copy.setValue(u"Tara_COD"_s, u"prea lung"_s)); // widths still hold
    QVERIFY(!copy.addNew());
    QVERIFY(!copy.setValue(u"Tara_COD"_s, u"ZZ"_s));
    QVERIFY(!copy.update());
    QCOMPARE(copy.recordCount(), 6);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari WHERE Tara_DESC = 'Schimbat' OR ID = 100"_s),
             u"0"_s);
    QCOMPARE(dbtest::scalar(m_cn, u"SELECT COUNT(*) FROM Tari"_s), u"5"_s);
    QCOMPARE(rs->value(u"Tara_DESC"_s).toText(), u"China"_s);
}

void TestDbRecordset::xmlRoundTrip()
{
    db::Recordset rs = db::Recordset::createInMemory();
    QVERIFY(!rs.appendField(u"Text"_s, db::Type::VarWChar, 20));
    QVERIFY(!rs.appendField(u"Numar"_s, db::Type::Double));
    QVERIFY(!rs.appendField(u"Intreg"_s, db::Type::Integer));
    QVERIFY(!rs.appendField(u"Data"_s, db::Type::Date));
    QVERIFY(!rs.appendField(u"DaNu"_s, db::Type::Boolean));
    QVERIFY(!rs.open());
    const QVector<QVector<db::Variant>> rows = {
        {db::Variant(u"<a & \"b\" 'c'>"_s), db::Variant(0.1), db::Variant(84713000),
         db::Variant(QDate(2026, 1, 2)), db::Variant(true)},
        {db::Variant::null(), db::Variant::null(), db::Variant::null(), db::Variant::null(),
         db::Variant(false)},
        {db::Variant(u"ăîșț"_s), db::Variant(-1.5e-7), db::Variant(-3),
         db::Variant(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58))), db::Variant::null()}};
    for (const auto& row : rows) {
        QVERIFY(!rs.addNew());
        for (int c = 0; c < row.size(); ++c)
            QVERIFY(!rs.setValue(c, row[c]));
        QVERIFY(!rs.update());
    }
    const QString path = m_dir->filePath(u"rs.xml"_s);
    QVERIFY(!rs.save(path));
    auto back = db::Recordset::load(path);
    QVERIFY2(back, qPrintable(back.error().text()));
    QCOMPARE(back->fieldCount(), 5);
    QCOMPARE(back->field(0).definedSize, 20);
    QCOMPARE(back->field(3).type, int(db::Type::Date));
    QCOMPARE(back->rowCount(), rows.size());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 5; ++c)
            QCOMPARE(back->valueAt(r, c), rs.valueAt(r, c));
    QVERIFY(!db::Recordset::load(m_dir->filePath(u"nu_exista.xml"_s)));
    QFile bad(m_dir->filePath(u"bad.xml"_s));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(
        "<recordset><fields><field name=\"a\" type=\"3\"/></fields><rows><row></row></rows></recordset>");
    bad.close();
    QVERIFY(!db::Recordset::load(bad.fileName()));
}

void TestDbRecordset::inMemory()
{
    db::Recordset rs = db::Recordset::createInMemory();
    QVERIFY(!rs.appendField(u"Cod"_s, db::Type::VarWChar, 3));
    QVERIFY(!rs.appendField(u"N"_s, db::Type::Integer));
    QVERIFY(rs.appendField(u"cod"_s, db::Type::Integer)); // names are unique regardless of case
    QVERIFY(!rs.open());
    QVERIFY(rs.appendField(u"Late"_s, db::Type::Integer));
    QVERIFY(rs.eof() && rs.bof());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!rs.addNew());
        QVERIFY(!rs.setValue(u"COD"_s, QString::number(i)));
        QVERIFY(!rs.setValue(u"N"_s, db::Variant(i * 10)));
        QVERIFY(!rs.update());
    }
    QVERIFY(rs.setValue(u"Cod"_s, u"abcd"_s));
    QVERIFY(rs.setValue(u"N"_s, u"zece"_s));
    QCOMPARE(rs.recordCount(), 3);
    QVERIFY(!rs.setSort(u"N DESC"_s));
    QCOMPARE(rs.valueAt(0, 1).toInt(), 20);
    QVERIFY(rs.connectionString().isEmpty());
}

void TestDbRecordset::notifications()
{
    auto rs = m_cn.openRecordset(u"SELECT * FROM Tari ORDER BY Tara_COD"_s);
    QVERIFY(rs);
    QList<std::pair<db::Change::Kind, int>> seen;
    const int id = rs->addObserver([&](const db::Change& c) { seen.push_back({c.kind, c.row}); });
    rs->moveNext();
    QVERIFY(!rs->setValue(u"Tara_DESC"_s, u"Germany"_s));
    QVERIFY(!rs->update());
    QVERIFY(!rs->addNew());
    QVERIFY(!rs->setValue(u"Tara_COD"_s, u"AT"_s));
    QVERIFY(!rs->update());
    QVERIFY(!rs->deleteCurrent());
    QVERIFY(!rs->setFilter(u"Tara_UE = True"_s));
    using K = db::Change::Kind;
    const QList<std::pair<K, int>> expected = {{K::PositionChanged, 1}, {K::RowChanged, 1}, {K::RowAdded, 5},
                                               {K::PositionChanged, 5}, {K::RowRemoved, 5}, {K::Reset, -1}};
    QCOMPARE(seen, expected);
    rs->removeObserver(id);
    rs->moveLast();
    QCOMPARE(seen.size(), expected.size());
}

void TestDbRecordset::shapeParentAndChildren_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("parents");
    QTest::newRow("all templates") << u""_s << 2;
    QTest::newRow("one template") << u" WHERE [Nume_structura]='Macheta A'"_s << 1;
}

void TestDbRecordset::shapeParentAndChildren()
{
    QFETCH(QString, condition);
    QFETCH(int, parents);
    const QString shape =
        u"SHAPE {SELECT * FROM StructuraFisiereAntet "_s + condition + u"} AS ParentCMD APPEND ({"_s +
        u"SELECT Nume_Structura,Record_ID,Dest_ColumnName FROM StructuraFisiereContinut "_s + condition +
        u"ORDER BY Sort_Order} AS ChildCMD RELATE [Nume_Structura] TO [Nume_Structura])"_s;
    auto rs = m_cn.openRecordset(shape);
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->recordCount(), parents);
    QCOMPARE(rs->source(), shape);
    QCOMPARE(rs->field(rs->fieldIndex(u"ChildCMD"_s)).type, int(db::Type::Chapter));
    QVERIFY(!rs->setFilter(u"Nume_structura='Macheta A'"_s));
    db::Recordset children = rs->chapter(u"ChildCMD"_s);
    QVERIFY(children.isOpen());
    QCOMPARE(column(children, u"Dest_ColumnName"_s).join(u' '), u"Tara_Exp Cod_NC"_s);

    // the child rows are written back, and a new one belongs to its parent
    QVERIFY(!children.setValue(u"Dest_ColumnName"_s, u"Tara_Orig"_s));
    QVERIFY(!children.update());
    QVERIFY(!children.addNew());
    QVERIFY(!children.setValue(u"Dest_ColumnName"_s, u"Valoare"_s));
    QVERIFY(!children.update());
    QCOMPARE(dbtest::scalar(
                 m_cn, u"SELECT COUNT(*) FROM StructuraFisiereContinut WHERE Nume_Structura = 'Macheta A'"_s),
             u"3"_s);
    QCOMPARE(
        dbtest::scalar(
            m_cn, u"SELECT COUNT(*) FROM StructuraFisiereContinut WHERE Dest_ColumnName = 'Tara_Orig'"_s),
        u"1"_s);
    // the parent is written back too
    QVERIFY(!rs->setValue(u"Work_Sheet_Name"_s, u"Foaie"_s));
    QVERIFY(!rs->update());
    QCOMPARE(
        dbtest::scalar(m_cn, u"SELECT Work_Sheet_Name FROM StructuraFisiereAntet WHERE Tip = 'ACHIZITIE'"_s),
        u"Foaie"_s);

    // rows added elsewhere appear after a requery of the parent
    QVERIFY(
        m_cn.execute(u"INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, Sort_Order) "
                     u"VALUES ('Macheta A', 'Masa_Neta', 9)"_s));
    QVERIFY(!rs->requery());
    QCOMPARE(rs->filter(), u"Nume_structura='Macheta A'"_s);
    QCOMPARE(rs->chapter(u"ChildCMD"_s).recordCount(), 4);
    QVERIFY(rs->chapter(u"Nu_Exista"_s).isNull());
    QVERIFY(!m_cn.openRecordset(
        u"SHAPE {SELECT * FROM Tari} AS P APPEND ({SELECT * FROM Tari} AS C RELATE [X] TO [Y])"_s));
}

QTEST_GUILESS_MAIN(TestDbRecordset)
#include "tst_db_recordset.moc"
