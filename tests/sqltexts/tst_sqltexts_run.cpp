// Runs every SQL text the program sends to its databases (texts.tsv) through
// platform/db against copies of the seeded databases, each inside a
// transaction that is rolled back, and checks that it prepares, runs and
// reads or writes the rows it should. A few texts get closer checks of the
// values they give.

#include "platform/db/db.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct SqlText
{
    QString id;
    QString database; // reg, comun, firma, cn
    QString rows;     // "" it runs; "N" exactly N rows; "+" at least one
    QString sql;      // with {v}, {v2}, ... for the spliced values
    QStringList values;
};

// Puts the values into the placeholders {v} (the first), {v2}, {v3}, ...
QString splice(const QString& sql, const QStringList& values)
{
    static const QRegularExpression placeholder(u"\\{v(\\d*)\\}"_s);
    QString out;
    qsizetype last = 0;
    auto it = placeholder.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        const int n = m.captured(1).isEmpty() ? 1 : m.captured(1).toInt();
        out += sql.mid(last, m.capturedStart() - last);
        out += (n >= 1 && n <= values.size()) ? values.at(n - 1) : m.captured(0);
        last = m.capturedEnd();
    }
    out += sql.mid(last);
    return out;
}

QList<SqlText> readTexts(const QString& path, QString* error)
{
    QList<SqlText> texts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = u"cannot read "_s + path;
        return texts;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    bool header = true;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (header) { // the column names
            header = false;
            continue;
        }
        const QStringList cols = line.split(u'\t');
        if (cols.size() < 4) {
            *error = u"bad line: "_s + line;
            return {};
        }
        texts.append({cols.at(0), cols.at(1), cols.at(2), cols.at(3), cols.mid(4)});
    }
    return texts;
}

bool copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + u'/' + QDir(from).relativeFilePath(src);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(dst))
                return false;
        } else if (!QFile::copy(src, dst)) {
            return false;
        }
    }
    return true;
}

bool isQuery(const QString& sql)
{
    const QString head = sql.trimmed().left(6).toUpper();
    return head == u"SELECT"_s || head == u"SHAPE "_s;
}

// Declaration lines, an import template and two accounting documents of the
// demonstration company, so that the texts on the company database find rows.
const char* const companyFixture[] = {
    "INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Descriere_NC, Tara_Orig, Tara_Exp, "
    "Tara_Dest, "
    "Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp, Document_Numar_Referinta, "
    "Document_Data_Referinta, Descriere, Cantitate, UM, Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, "
    "SourceFile, "
    "Data_Preluare, UserName, Probleme, Exista_UMS, SourceFile_FullPath, Pozitia) VALUES "
    "('I', 'RO0000001', 2026, 3, '84713000', 'Masini automate portabile', 'CN', 'DE', 'RO', 1000, 1000, 12, "
    "'11', 'EXW', '3', 'F 123', '2026-03-01', 'Laptop', 2, 'buc', 201.21, 'EUR', 4.97, 'DE123456789', "
    "'Facturi martie.xlsx', '2026-03-15', 'ion', 0, 0, '/home/ion/Facturi martie.xlsx', 1)",
    "INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Descriere_NC, Tara_Orig, Tara_Exp, "
    "Tara_Dest, "
    "Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp, Document_Numar_Referinta, "
    "Document_Data_Referinta, Descriere, Cantitate, UM, Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, "
    "SourceFile, "
    "Data_Preluare, UserName, Probleme, Exista_UMS, SourceFile_FullPath, Pozitia) VALUES "
    "('I', 'RO0000001', 2026, 3, '85171300', 'Telefoane inteligente', 'CN', 'DE', 'RO', 2000, 2000, 3, "
    "'11', 'EXW', '3', 'F 123', '2026-03-01', 'Telefon', 4, 'buc', 402.41, 'EUR', 4.97, 'DE123456789', "
    "'Facturi martie.xlsx', '2026-03-15', 'ion', 0, 0, '/home/ion/Facturi martie.xlsx', 2)",
    "INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Descriere_NC, Tara_Orig, Tara_Exp, "
    "Tara_Dest, "
    "Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp, Document_Numar_Referinta, "
    "Document_Data_Referinta, Descriere, Cantitate, UM, Valoare_Valuta, Moneda, Curs_Schimb, VAT_ID, "
    "SourceFile, "
    "Data_Preluare, UserName, Probleme, Exista_UMS, SourceFile_FullPath, Pozitia) VALUES "
    "('O', 'RO0000001', 2026, 3, '84713000', 'Masini automate portabile', 'RO', 'RO', 'FR', 500, 500, 2, "
    "'21', 'DAP', '3', 'FE 7', '2026-03-04', 'Laptop', 1, 'buc', 100.6, 'EUR', 4.97, 'FR12345678901', "
    "'Livrari martie.xlsx', '2026-03-16', 'ion', 0, 0, '/home/ion/Livrari martie.xlsx', 1)",
    "INSERT INTO StructuraFisiereAntet (Nume_structura, TIP, Locatie_Implicita, Work_Sheet_Name, "
    "SampleExcelFile) "
    "VALUES ('Macheta Test', 'ACHIZITIE', '/home/ion/', 'Sheet1', '/home/ion/Facturi martie.xlsx')",
    "INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnDescription, Exista_Coloana, "
    "Numar_Coloana, "
    "Valoare_Implicita, Marime_Maxima, Format, Dest_ColumnName, Sort_Order) VALUES "
    "('Macheta Test', 'Cod NC (cod vamal 8 cifre)', -1, 2, NULL, 8, 'TEXT', 'Cod_NC', 5)",
    "INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnDescription, Exista_Coloana, "
    "Numar_Coloana, "
    "Valoare_Implicita, Marime_Maxima, Format, Dest_ColumnName, Sort_Order) VALUES "
    "('Macheta Test', 'Masa Neta [Kg]', -1, 5, '0', NULL, 'NUMERIC', 'Net', 12)",
    "INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnDescription, Exista_Coloana, "
    "Numar_Coloana, "
    "Valoare_Implicita, Marime_Maxima, Format, Dest_ColumnName, Sort_Order) VALUES "
    "('Macheta Test', 'Tara Destinatie', 0, NULL, 'RO', 2, 'TEXT', 'Tara_Dest', 9)",
    "INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, Numar_Factura, "
    "Data_Factura, Moneda, Curs_Schimb, Incoterms, Mod_Transp, Nat_Tranz, Tara_Exp) VALUES "
    "('NIR 1', '2026-03-02', 'P1', 'F 123', '2026-03-01', 'EUR', 4.97, 'EXW', '3', '11', 'DE')",
    "INSERT INTO Factura_Export_Antet (Numar_Factura, Data_Factura, Data_Livrarii, Cod_Partener, Moneda, "
    "Curs_Schimb, Incoterms, Mod_Transp, Nat_Tranz, Tara_Dest) VALUES "
    "('FE 7', '2026-03-03', '2026-03-04', 'P2', 'EUR', 4.97, 'DAP', '3', '21', 'FR')",
};

} // namespace

class SqlTextsRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void texts_data();
    void texts();
    void tariffLookUp_data();
    void tariffLookUp();
    void natureOfTransactionList();
    void top_data();
    void top();
    void doubleQuotedDefaultIsText();
    void codeLookUpIgnoresCase();
    void takeOverPeriods_data();
    void takeOverPeriods();
    void declarationReport();
    void gridQueryFile();

private:
    db::Connection& connection(const QString& database);
    const SqlText* text(const QString& id) const;
    // Opens the text as a record set and fails the test with its error.
    db::Recordset query(const QString& database, const QString& sql);

    std::unique_ptr<QTemporaryDir> m_tree;
    QHash<QString, db::Connection> m_connections;
    QList<SqlText> m_texts;
};

db::Connection& SqlTextsRun::connection(const QString& database)
{
    return m_connections[database];
}

const SqlText* SqlTextsRun::text(const QString& id) const
{
    for (const SqlText& t : m_texts)
        if (t.id == id)
            return &t;
    return nullptr;
}

db::Recordset SqlTextsRun::query(const QString& database, const QString& sql)
{
    auto rs = connection(database).openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs) {
        QTest::qFail(qPrintable(rs.error().text() + u"\n  "_s + sql), __FILE__, __LINE__);
        return {};
    }
    return rs.value();
}

void SqlTextsRun::initTestCase()
{
    QString error;
    m_texts = readTexts(QStringLiteral(QUORVEL_SQLTEXTS_FILE), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!m_texts.isEmpty());

    const QString seed = qEnvironmentVariable("QUORVEL_SEED_TREE");
    QVERIFY2(QFileInfo::exists(seed + u"/System/DataBase/Comun.mdb"_s),
             qPrintable(u"no seeded program folder at "_s + seed));
    m_tree = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tree->isValid());
    const QString root = m_tree->path();
    QVERIFY(copyTree(seed + u"/System/DataBase"_s, root + u"/DataBase"_s));
    QVERIFY(copyTree(seed + u"/System/Registry"_s, root + u"/Registry"_s));

    const QHash<QString, QString> files = {
        {u"reg"_s, root + u"/Registry/reg.mdb"_s},
        {u"comun"_s, root + u"/DataBase/Comun.mdb"_s},
        {u"firma"_s, root + u"/DataBase/RO0000001.mdb"_s},
    };
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const db::Error e = m_connections[it.key()].open(it.value());
        QVERIFY2(!e, qPrintable(it.value() + u": "_s + e.text()));
    }

    // The tariff database is the one the open-ended code version names.
    auto version =
        connection(u"comun"_s)
            .openRecordset(
                u"SELECT CN_File FROM InsCodeVersions WHERE Anul_End IS NULL AND Luna_End IS NULL"_s);
    QVERIFY2(version, qPrintable(version.error().text()));
    QVERIFY(!version->eof());
    const QString cn = root + u"/DataBase/CN/"_s + version->value(0).toText();
    const db::Error e = m_connections[u"cn"_s].open(cn);
    QVERIFY2(!e, qPrintable(cn + u": "_s + e.text()));

    db::Connection& firma = connection(u"firma"_s);
    db::Transaction tx(firma);
    QVERIFY2(!tx.error(), qPrintable(tx.error().text()));
    for (const char* sql : companyFixture) {
        const auto done = firma.execute(QString::fromUtf8(sql));
        QVERIFY2(done, qPrintable(done.error().text() + u"\n  "_s + QString::fromUtf8(sql)));
    }
    const db::Error c = tx.commit();
    QVERIFY2(!c, qPrintable(c.text()));
}

void SqlTextsRun::texts_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("sql");
    for (const SqlText& t : std::as_const(m_texts))
        QTest::newRow(qPrintable(t.id)) << t.database << t.rows << splice(t.sql, t.values);
}

void SqlTextsRun::texts()
{
    QFETCH(QString, database);
    QFETCH(QString, rows);
    QFETCH(QString, sql);
    QVERIFY2(m_connections.contains(database), qPrintable(u"unknown database "_s + database));
    db::Connection& cn = connection(database);

    // Every text runs in a transaction of its own and leaves nothing behind,
    // so that the rows each one finds do not depend on the ones before it.
    db::Transaction tx(cn);
    QVERIFY2(!tx.error(), qPrintable(tx.error().text()));
    qint64 count = 0;
    if (isQuery(sql)) {
        // Opened both ways the program opens record sets: updatable (the
        // layer carries each base table's row key along) and read-only.
        auto rs = cn.openRecordset(sql, db::CursorType::Dynamic, db::LockType::Optimistic);
        QVERIFY2(rs, qPrintable(rs.error().text() + u"\n  "_s + sql));
        count = rs->recordCount();
        const int fields = rs->fieldCount();
        rs->close();
        auto ro = cn.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
        QVERIFY2(ro, qPrintable(ro.error().text() + u"\n  "_s + sql));
        QCOMPARE(ro->recordCount(), count);
        QCOMPARE(ro->fieldCount(), fields);
        ro->close();
    } else {
        auto done = cn.execute(sql);
        QVERIFY2(done, qPrintable(done.error().text() + u"\n  "_s + sql));
        count = done.value();
    }
    if (rows == u"+"_s)
        QVERIFY2(count > 0, qPrintable(u"no row\n  "_s + sql));
    else if (!rows.isEmpty())
        QCOMPARE(count, rows.toLongLong());
}

void SqlTextsRun::tariffLookUp_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("hasUnit");

    QTest::newRow("code with a supplementary unit") << u"84713000"_s << true << u"p/st"_s << 1;
    QTest::newRow("code without a supplementary unit") << u"04011010"_s << true << QString() << 0;
    QTest::newRow("description longer than 250 characters") << u"99999991"_s << true << QString() << 0;
    QTest::newRow("code no longer in force") << u"99999992"_s << false << QString() << 0;
    QTest::newRow("code not in the tariff") << u"99999993"_s << false << QString() << 0;
}

void SqlTextsRun::tariffLookUp()
{
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, unit);
    QFETCH(int, hasUnit);
    const SqlText* t = text(u"Cauta_Cod_Tarif.1"_s);
    QVERIFY(t);
    db::Connection& cn = connection(u"cn"_s);
    db::Transaction tx(cn);
    QVERIFY(!tx.error());

    const QString longText = QString(300, u'x');
    const QString add =
        u"INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, HS6_COD) "
        "VALUES (?1, ?2, ?3, NULL, ?4, ?5, '847130')"_s;
    auto a = cn.execute(add, {u"99999991"_s, u"999999910000"_s, longText, 2026, db::Variant::null()});
    QVERIFY2(a, qPrintable(a.error().text()));
    auto b = cn.execute(add, {u"99999992"_s, u"999999920000"_s, u"Cod expirat"_s, 2020, 2025});
    QVERIFY2(b, qPrintable(b.error().text()));

    auto rs = cn.openRecordset(splice(t->sql, {code}));
    QVERIFY2(rs, qPrintable(rs.error().text()));
    QCOMPARE(rs->recordCount(), found ? 1 : 0);
    if (!found)
        return;

    auto row = cn.openRecordset(u"SELECT DESCRIERE FROM HS_8 WHERE HS8_COD = ?1"_s, {code});
    QVERIFY2(row, qPrintable(row.error().text()));
    const QString description = row->value(0).toText();
    QCOMPARE(rs->value(u"HS8_COD"_s).toText(), code);
    QCOMPARE(rs->value(u"DESCRIERE1"_s).toText(), description.left(250));
    QCOMPARE(rs->value(u"UM_SUPL1"_s).isNull(), unit.isNull());
    QCOMPARE(rs->value(u"UM_SUPL1"_s).toText(), unit);
    QCOMPARE(rs->value(u"EXISTA_UM"_s).toInt(), hasUnit);
}

void SqlTextsRun::natureOfTransactionList()
{
    // Jet's + joins the two code levels as text: "1.1", never the sum 2.
    const SqlText* t = text(u"Frm_Lista_tabele.NaturaTranzactiei"_s);
    QVERIFY(t);
    db::Recordset rs = query(t->database, t->sql);
    QVERIFY(rs.isOpen());
    QVERIFY(rs.recordCount() > 2);
    QCOMPARE(rs.value(0).toText(), u"1.1"_s);
    rs.moveNext();
    QCOMPARE(rs.value(0).toText(), u"1.2"_s);
    static const QRegularExpression code(u"^\\d\\.\\d$"_s);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        QVERIFY2(code.match(rs.value(0).toText()).hasMatch(), qPrintable(rs.value(0).toText()));
}

void SqlTextsRun::top_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("rows");
    // The preview's form, "SELECT TOP 2 * FROM " + "[" + name + "]", on tables.
    QTest::newRow("TOP 2 of a code list") << u"comun"_s << u"SELECT TOP 2 * FROM [Tari]"_s << 2;
    QTest::newRow("TOP 2 of a view") << u"cn"_s << u"SELECT TOP 2 * FROM [HS8]"_s << 2;
    QTest::newRow("TOP 1 with a condition")
        << u"firma"_s << u"SELECT TOP 1 * FROM Intrastat WHERE Cod_Fiscal='RO0000001'"_s << 1;
    QTest::newRow("TOP 2 of fewer rows") << u"firma"_s
                                         << u"SELECT TOP 2 * FROM [StructuraFisiereAntet] "
                                            "WHERE [Nume_structura]='Macheta Test'"_s
                                         << 1;
}

void SqlTextsRun::top()
{
    QFETCH(QString, database);
    QFETCH(QString, sql);
    QFETCH(int, rows);
    db::Recordset rs = query(database, sql);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), rows);
}

void SqlTextsRun::doubleQuotedDefaultIsText()
{
    // The template query writes a default between double quotes; when the
    // default reads like a column name it is still the text, not the column.
    db::Recordset rs = query(
        u"firma"_s, u"SELECT LEFT(IIF(ISNULL([Cod_UMS]),\"Cod_NC\" ,[Cod_UMS]) ,20) AS Cod_UMS, "
                    "IIF(ISNULL([Cod_UMS]),\"Cod_NC\" ,[Cod_UMS]) AS Implicit, \"Tara_Exp\" AS Constanta "
                    "FROM [Intrastat] WHERE [Cod_NC]='85171300'"_s);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(u"Cod_UMS"_s).toText(), u"Cod_NC"_s);
    QCOMPARE(rs.value(u"Implicit"_s).toText(), u"Cod_NC"_s);
    QCOMPARE(rs.value(u"Constanta"_s).toText(), u"Tara_Exp"_s);
}

void SqlTextsRun::codeLookUpIgnoresCase()
{
    // A country typed "ro" is found, and the list's own spelling comes back.
    const SqlText* t = text(u"GridIntrastat_BeforeColUpdate.Tara_litere_mici"_s);
    QVERIFY(t);
    db::Recordset rs = query(t->database, splice(t->sql, t->values));
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(0).toText(), u"RO"_s);
}

void SqlTextsRun::takeOverPeriods_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("arrivals") << u"Combo_Tip_Validate.I"_s;
    QTest::newRow("dispatches") << u"Combo_Tip_Validate.O"_s;
}

void SqlTextsRun::takeOverPeriods()
{
    // DATEPART(yyyy, ...) and DATEPART(mm, ...) give the year and the month.
    QFETCH(QString, id);
    const SqlText* t = text(id);
    QVERIFY(t);
    db::Recordset rs = query(t->database, t->sql);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), 1);
    QCOMPARE(rs.value(0).toInt(), 2026);
    QCOMPARE(rs.value(1).toInt(), 3);
}

void SqlTextsRun::declarationReport()
{
    // The data query of the declaration report is data of the common
    // database; it runs on the company database as stored.
    db::Recordset def = query(u"comun"_s, u"SELECT * FROM Return_Report WHERE REP_ID=10001"_s);
    QVERIFY(def.isOpen());
    QCOMPARE(def.recordCount(), 1);
    QVERIFY(!def.value(u"ComunDataBase"_s).toBool());
    const QString sql = def.value(u"SQL_STR"_s).toText();
    db::Recordset rs = query(u"firma"_s, sql);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), 3);
    QVERIFY(rs.fieldIndex(u"Document_Numar"_s) >= 0);
    QVERIFY(rs.fieldIndex(u"Document_Data"_s) >= 0);
}

void SqlTextsRun::gridQueryFile()
{
    // The grid query shipped in System/SQL/Intrastat.txt (first line), with
    // the declaration filter and the order of a header click appended.
    QFile file(qEnvironmentVariable("QUORVEL_SEED_TREE") + u"/System/SQL/Intrastat.txt"_s);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QString line = QString::fromUtf8(file.readLine()).remove(u'\r').remove(u'\n');
    QVERIFY(line.startsWith(u"SELECT "_s));
    const QString sql = line + u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO0000001' AND [Anul]=2026 AND [Luna]=3"
                               " ORDER BY [Cod_NC],[POZITIA]"_s;
    db::Recordset rs = query(u"firma"_s, sql);
    QVERIFY(rs.isOpen());
    QCOMPARE(rs.recordCount(), 2);
    QCOMPARE(rs.fieldCount(), 32);
    QCOMPARE(rs.value(u"Cod_NC"_s).toText(), u"84713000"_s);
}

QTEST_GUILESS_MAIN(SqlTextsRun)
#include "tst_sqltexts_run.moc"
