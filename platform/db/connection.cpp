// Connections: open, commands, scripts, transactions, linked tables.

#include "platform/db/internal.h"
#include "platform/db/rewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace db {

using detail::makeError;
using detail::sqliteError;

namespace {

const char* const kLayerTables = R"SQL(
CREATE TABLE _Proceduri (
    Nume TEXT(64) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Corp MEMO TEXT COLLATE NOCASE NOT NULL
);
CREATE TABLE _Parametri (
    Procedura TEXT(64) COLLATE NOCASE NOT NULL
        REFERENCES _Proceduri (Nume) ON DELETE CASCADE ON UPDATE CASCADE,
    Pozitie SMALLINT NOT NULL,
    Nume TEXT(64) COLLATE NOCASE NOT NULL,
    Tip SMALLINT NOT NULL,
    Directie SMALLINT NOT NULL,
    PRIMARY KEY (Procedura, Pozitie)
);
CREATE TABLE _Descrieri (
    Tabel TEXT(64) COLLATE NOCASE NOT NULL,
    Coloana TEXT(64) COLLATE NOCASE NOT NULL,
    Descriere TEXT(255) COLLATE NOCASE NOT NULL,
    PRIMARY KEY (Tabel, Coloana)
);
CREATE TABLE _Legaturi (
    Nume_Tabel TEXT(64) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Fisier_Sursa MEMO TEXT COLLATE NOCASE NOT NULL,
    Tabel_Sursa TEXT(64) COLLATE NOCASE NOT NULL,
    Furnizor TEXT(50) COLLATE NOCASE
);
)SQL";

// Splits "Provider=...;Data Source='x';Mode=Read|Write" into its parts.
struct ConnectionText
{
    QString path;
    bool readOnly = false;
    bool exclusive = false; // Mode=Share Exclusive: no other process may use the file meanwhile
};

QString unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 &&
        ((v.startsWith(u'\'') && v.endsWith(u'\'')) || (v.startsWith(u'"') && v.endsWith(u'"'))))
        v = v.mid(1, v.size() - 2);
    return v;
}

ConnectionText parseConnectionText(const QString& text)
{
    ConnectionText out;
    const QString t = text.trimmed();
    bool sawKey = false;
    if (t.contains(u'=')) {
        for (const auto& [rawKey, value] : connectionPairs(t)) {
            const QString key = rawKey.toLower();
            if (key == u"data source" || key == u"datasource" || key == u"dbq" || key == u"database") {
                out.path = value;
                sawKey = true;
            } else if (key == u"mode") {
                QString m = value.toLower();
                out.exclusive = m.contains(QStringLiteral("share exclusive"));
                out.readOnly =
                    m.remove(QStringLiteral("share exclusive")).contains(QStringLiteral("read")) &&
                    !m.contains(QStringLiteral("write"));
            }
        }
    }
    // A bare path, which may itself hold "=".
    if (!sawKey)
        out.path = unquote(t);
    return out;
}

int authorizer(void* user, int action, const char* a3, const char*, const char* dbName, const char*)
{
    auto* impl = static_cast<Connection::Impl*>(user);
    if (impl->internalStatement)
        return SQLITE_OK;
    auto foreign = [](const char* name) {
        if (!name)
            return false;
        return qstricmp(name, "main") != 0 && qstricmp(name, "temp") != 0;
    };
    switch (action) {
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_DROP_VTABLE:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_CREATE_VTABLE:
        // Nothing is created or dropped through an attached link source.
        return foreign(dbName) ? SQLITE_DENY : SQLITE_OK;
    case SQLITE_ALTER_TABLE:
        return foreign(a3) ? SQLITE_DENY : SQLITE_OK;
    default:
        return SQLITE_OK;
    }
}

// The first word of a statement's UTF-8 text, in capitals, past blanks,
// comments and opening parentheses: read from its start only, however long
// the statement.
QByteArray leadingWord(const char* p, const char* end)
{
    while (p < end) {
        const char ch = *p;
        if (ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == '(') {
            ++p;
        } else if (ch == '-' && end - p > 1 && p[1] == '-') {
            while (p < end && *p != '\n')
                ++p;
        } else if (ch == '/' && end - p > 1 && p[1] == '*') {
            p += 2;
            while (p < end && !(*p == '*' && end - p > 1 && p[1] == '/'))
                ++p;
            p = std::min(p + 2, end);
        } else {
            break;
        }
    }
    QByteArray word;
    for (; p < end && ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z') || *p == '_'); ++p)
        word += char(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p);
    return word;
}

bool onlyBlanksLeft(const char* tail)
{
    const char* p = tail;
    while (p && *p) {
        const char c = *p;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';') {
            ++p;
        } else if (c == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (c == '/' && p[1] == '*') {
            const char* end = strstr(p + 2, "*/");
            if (!end)
                return true;
            p = end + 2;
        } else {
            return false;
        }
    }
    return true;
}

// A savepoint for one action that writes several statements.
class Savepoint
{
public:
    explicit Savepoint(Connection::Impl* impl) : m_impl(impl)
    {
        m_error = m_impl->exec(QStringLiteral("SAVEPOINT quorvel_action"));
        m_active = !m_error;
    }
    ~Savepoint()
    {
        if (m_active)
            rollback();
    }
    const Error& error() const { return m_error; }
    Error release()
    {
        m_active = false;
        return m_impl->exec(QStringLiteral("RELEASE quorvel_action"));
    }
    void rollback()
    {
        m_active = false;
        m_impl->exec(QStringLiteral("ROLLBACK TO quorvel_action"));
        m_impl->exec(QStringLiteral("RELEASE quorvel_action"));
    }

private:
    Connection::Impl* m_impl;
    Error m_error;
    bool m_active = false;
};

QString ident(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

} // namespace

// ---------------------------------------------------------------------------
// Connection::Impl

Error Connection::Impl::savepoint()
{
    return exec(QStringLiteral("SAVEPOINT quorvel_write"));
}

Error Connection::Impl::release()
{
    return exec(QStringLiteral("RELEASE quorvel_write"));
}

void Connection::Impl::rollbackSavepoint()
{
    exec(QStringLiteral("ROLLBACK TO quorvel_write"));
    exec(QStringLiteral("RELEASE quorvel_write"));
}

Connection::Impl::~Impl()
{
    closeHandle();
}

void Connection::Impl::closeHandle()
{
    if (handle) {
        sqlite3_close_v2(handle);
        handle = nullptr;
    }
    links.clear();
    use.reset();
    textColumns.clear();
    textColumnsKnown = false;
    normalisesYesNo = true;
    transactionDepth = 0;
    ++generation;
}

Error Connection::Impl::requireOpen() const
{
    if (!handle)
        return makeError(Error::Kind::Closed, ErrorNumber::ObjectClosed,
                         QStringLiteral("Operation is not allowed when the object is closed."));
    return Error();
}

Error Connection::Impl::exec(const QString& sql)
{
    if (Error e = requireOpen())
        return e;
    char* msg = nullptr;
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_exec(handle, u.constData(), nullptr, nullptr, &msg);
    sqlite3_free(msg);
    if (rc != SQLITE_OK)
        return sqliteError(handle, rc);
    return Error();
}

void Connection::Impl::loadTextColumns()
{
    textColumns.clear();
    textColumnsKnown = true;
    if (!handle)
        return;
    QSet<QString> text, other;
    auto collect = [&](const QString& schema, const QString& onlyTable) {
        QString sql =
            QStringLiteral("SELECT p.name, p.type FROM %1.sqlite_master m, pragma_table_info(m.name, '%2') p "
                           "WHERE m.type IN ('table','view') AND m.name NOT LIKE 'sqlite_%'")
                .arg(ident(schema), quote(schema));
        if (!onlyTable.isEmpty())
            sql += QStringLiteral(" AND m.name = ") + quoted(onlyTable) + QStringLiteral(" COLLATE NOCASE");
        sqlite3_stmt* st = nullptr;
        const QByteArray u = sql.toUtf8();
        if (sqlite3_prepare_v2(handle, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower();
            const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            int size = 0;
            const int ado = detail::typeFromDeclared(type, &size);
            if (isTextType(ado))
                text.insert(name);
            else
                other.insert(name);
        }
        sqlite3_finalize(st);
    };
    collect(QStringLiteral("main"), QString());
    for (const Link& l : links)
        if (!l.alias.isEmpty())
            collect(l.alias, l.table);
    for (const QString& n : std::as_const(text))
        if (!other.contains(n))
            textColumns.insert(n);
}

QString Connection::Impl::rewrite(const QString& sql)
{
    if (!textColumnsKnown)
        loadTextColumns();
    return rewriteJet(sql, [this](const QString& name) { return textColumns.contains(name.toLower()); });
}

Result<sqlite3_stmt*> Connection::Impl::prepare(const QString& sql, bool jet)
{
    if (Error e = requireOpen())
        return e;
    const QString text = jet ? rewrite(sql) : sql;
    const QByteArray u = text.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(handle, u.constData(), int(u.size()), &stmt, &tail);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(handle, rc);
        sqlite3_finalize(stmt);
        return e;
    }
    if (!stmt)
        return makeError(Error::Kind::Syntax, ErrorNumber::Syntax,
                         QStringLiteral("The command text is empty."));
    if (!onlyBlanksLeft(tail)) {
        sqlite3_finalize(stmt);
        return makeError(Error::Kind::MultipleStatements, ErrorNumber::Syntax,
                         QStringLiteral("Characters found after end of SQL statement."));
    }
    return stmt;
}

const Connection::Impl::Link* Connection::Impl::findLink(const QString& name) const
{
    for (const Link& l : links)
        if (l.name.compare(name, Qt::CaseInsensitive) == 0)
            return &l;
    return nullptr;
}

QString Connection::Impl::aliasFor(const QString& file) const
{
    const QString canon = QFileInfo(file).canonicalFilePath();
    for (const Link& l : links)
        if (!l.alias.isEmpty() && QFileInfo(l.file).canonicalFilePath() == canon)
            return l.alias;
    return QString();
}

Error Connection::Impl::attachLink(Link& link)
{
    link.alias = aliasFor(link.file);
    if (link.alias.isEmpty()) {
        const QFileInfo fi(link.file);
        if (!fi.isFile())
            return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                             QStringLiteral("Could not find file '%1'.").arg(link.file));
        // The source is in use while attached, as if opened.
        Result<std::shared_ptr<detail::UseHold>> hold = detail::holdDatabase(fi.absoluteFilePath(), false);
        if (!hold)
            return hold.error();
        link.use = *hold;
        int n = 1;
        QString alias;
        for (;; ++n) {
            alias = QStringLiteral("lnk%1").arg(n);
            bool used = false;
            for (const Link& l : links)
                if (l.alias == alias)
                    used = true;
            if (!used)
                break;
        }
        const QString uri = QUrl::fromLocalFile(fi.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                            QStringLiteral("?mode=") +
                            (readOnly ? QStringLiteral("ro") : QStringLiteral("rw"));
        internalStatement = true;
        const Error e = exec(QStringLiteral("ATTACH DATABASE %1 AS %2").arg(quoted(uri), ident(alias)));
        internalStatement = false;
        if (e)
            return e;
        link.alias = alias;
    }
    // A link named otherwise than its source table answers through a view.
    if (link.name.compare(link.table, Qt::CaseInsensitive) != 0) {
        internalStatement = true;
        exec(QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(ident(link.name)));
        const Error e = exec(QStringLiteral("CREATE TEMP VIEW %1 AS SELECT * FROM %2.%3")
                                 .arg(ident(link.name), ident(link.alias), ident(link.table)));
        internalStatement = false;
        if (e)
            return e;
    }
    textColumnsKnown = false;
    return Error();
}

void Connection::Impl::normaliseYesNo()
{
    if (!handle || readOnly || !normalisesYesNo)
        return;
    static const char sql[] =
        "SELECT m.name, p.name, p.type FROM main.sqlite_master m, pragma_table_info(m.name, 'main') p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite_%' AND m.sql NOT LIKE '%WITHOUT ROWID%'";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(handle, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return;
    }
    QVector<std::pair<QString, QString>> columns;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        if (detail::typeFromDeclared(type, nullptr) == Type::Boolean)
            columns.push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                               QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
    }
    sqlite3_finalize(st);
    internalStatement = true;
    int n = 0;
    for (const auto& [table, column] : columns) {
        ++n;
        const QString c = ident(column);
        const QString body =
            QStringLiteral(" ON main.%1 WHEN NEW.%2 IS NOT NULL AND NEW.%2 NOT IN (0, -1) BEGIN "
                           "UPDATE %1 SET %2 = IIF(NEW.%2, -1, 0) WHERE rowid = NEW.rowid; END")
                .arg(ident(table), c);
        exec(QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS %1 AFTER INSERT")
                 .arg(ident(QStringLiteral("quorvel_yesno_i_%1_%2").arg(table, column))) +
             body);
        exec(QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS %1 AFTER UPDATE OF %2")
                 .arg(ident(QStringLiteral("quorvel_yesno_u_%1_%2").arg(table, column)), c) +
             body);
    }
    internalStatement = false;
}

Error Connection::Impl::attachLinks()
{
    links.clear();
    sqlite3_stmt* st = nullptr;
    static const char sql[] = "SELECT Nume_Tabel, Fisier_Sursa, Tabel_Sursa FROM main._Legaturi";
    if (sqlite3_prepare_v2(handle, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return Error(); // a file without the link table has no links
    }
    QVector<Link> found;
    while (sqlite3_step(st) == SQLITE_ROW) {
        Link l;
        l.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        l.file = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        l.table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        found.push_back(l);
    }
    sqlite3_finalize(st);
    for (Link& l : found) {
        attachLink(l); // a missing source only makes the name fail when used
        links.push_back(l);
    }
    return Error();
}

// ---------------------------------------------------------------------------
// Connection

Connection::Connection() : d(std::make_shared<Impl>()) {}
Connection::~Connection() = default;
Connection::Connection(const Connection&) = default;
Connection& Connection::operator=(const Connection&) = default;
Connection::Connection(Connection&& o) noexcept : d(std::move(o.d))
{
    o.d = std::make_shared<Impl>();
}
Connection& Connection::operator=(Connection&& o) noexcept
{
    if (this != &o) {
        d = std::move(o.d);
        o.d = std::make_shared<Impl>();
    }
    return *this;
}
Connection::Connection(std::shared_ptr<Impl> impl) : d(impl ? std::move(impl) : std::make_shared<Impl>()) {}

Error Connection::open(const QString& connectionText)
{
    d->closeHandle();
    const ConnectionText ct = parseConnectionText(connectionText);
    if (ct.path.isEmpty())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("The connection text names no database file."));
    const QFileInfo fi(ct.path);
    if (!fi.exists())
        return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                         QStringLiteral("Could not find file '%1'.").arg(ct.path));
    if (!fi.isFile())
        return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                         QStringLiteral("'%1' is not a database file.").arg(ct.path));
    // A connection is used by the one thread that opened it (the program has
    // no other), so it needs no lock of its own: without it, reading a value
    // does not take and release a mutex, which on a large record set is a
    // good part of the time.
    // Other processes of the program see that the file is in use.
    Result<std::shared_ptr<detail::UseHold>> hold = detail::holdDatabase(fi.absoluteFilePath(), ct.exclusive);
    if (!hold)
        return hold.error();
    const int flags =
        (ct.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    const QByteArray file = fi.absoluteFilePath().toUtf8();
    sqlite3* h = nullptr;
    int rc = sqlite3_open_v2(file.constData(), &h, flags, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc, QStringLiteral("Cannot open '%1'").arg(ct.path));
        sqlite3_close_v2(h);
        return e;
    }
    sqlite3_extended_result_codes(h, 1);
    d->handle = h;
    d->text = connectionText;
    d->path = ct.path;
    d->readOnly = ct.readOnly;
    d->use = *hold;
    sqlite3_busy_timeout(h, 5000);
    // A file that is not a database fails here, not at the first query.
    if (Error e = d->exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        d->closeHandle();
        e.description = QStringLiteral("Cannot open '%1': %2").arg(ct.path, e.description);
        return e;
    }
    if (!ct.readOnly)
        d->exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    d->exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    // Statement journals in memory: every insert into a table with Yes/No
    // columns runs the normalising triggers below, and a journal file per
    // statement doubles the time of a large import.
    d->exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
    detail::registerFunctions(h);
    sqlite3_set_authorizer(h, authorizer, d.get());
    d->attachLinks();
    d->normaliseYesNo();
    return Error();
}

void Connection::setNormalisesYesNo(bool on)
{
    d->normalisesYesNo = on;
}

void Connection::close()
{
    d->closeHandle();
}

bool Connection::isOpen() const
{
    return d->handle != nullptr;
}

QString Connection::connectionString() const
{
    return d->text;
}

QString Connection::path() const
{
    return d->path;
}

bool Connection::isReadOnly() const
{
    return d->readOnly;
}

Result<qint64> Connection::execute(const QString& sql)
{
    return execute(sql, {});
}

Result<qint64> Connection::execute(const QString& sql, const QVector<Variant>& values)
{
    if (Error e = d->requireOpen())
        return e;
    // Dropping a linked table removes the link, never the source's table.
    const QString dropped = droppedTableName(sql);
    if (!dropped.isEmpty() && d->findLink(dropped)) {
        if (Error e = dropLink(dropped))
            return e;
        return qint64(0);
    }
    Result<sqlite3_stmt*> st = d->prepare(sql, true);
    if (!st)
        return st.error();
    sqlite3_stmt* stmt = st.value();
    for (int i = 0; i < values.size(); ++i)
        detail::bindValue(stmt, i + 1, values[i]);
    const bool readOnlyStatement = sqlite3_stmt_readonly(stmt);
    int rc;
    do {
        rc = sqlite3_step(stmt);
    } while (rc == SQLITE_ROW);
    if (rc != SQLITE_DONE) {
        Error e = sqliteError(d->handle, rc);
        sqlite3_finalize(stmt);
        return e;
    }
    sqlite3_finalize(stmt);
    const QString w = firstWord(sql);
    if (w == u"CREATE" || w == u"ALTER" || w == u"DROP") {
        d->textColumnsKnown = false;
        d->normaliseYesNo();
    }
    if (readOnlyStatement)
        return qint64(0);
    return qint64(sqlite3_changes64(d->handle));
}

Error Connection::executeScript(const QString& script, bool jetDialect)
{
    if (Error e = d->requireOpen())
        return e;
    const QString text = jetDialect ? d->rewrite(script) : script;
    Savepoint sp(d.get());
    if (sp.error())
        return sp.error();
    const QByteArray u = text.toUtf8();
    const char* p = u.constData();
    const char* end = p + u.size();
    int index = 0;
    while (p < end) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        // The text runs to its terminating NUL: given a length, SQLite would
        // copy all the rest of the script for each statement.
        int rc = sqlite3_prepare_v2(d->handle, p, -1, &stmt, &tail);
        if (rc != SQLITE_OK) {
            Error e = sqliteError(d->handle, rc, QStringLiteral("Statement %1").arg(index + 1));
            sqlite3_finalize(stmt);
            sp.rollback();
            return e;
        }
        if (!tail || tail <= p) {
            // A NUL inside the script ends what SQLite reads of it.
            if (stmt)
                sqlite3_finalize(stmt);
            ++p;
            continue;
        }
        const char* from = p;
        p = tail;
        if (!stmt)
            continue; // blanks or comments
        ++index;
        // The script already runs in one transaction of its own.
        const QByteArray w = leadingWord(from, tail);
        if (w == "BEGIN" || w == "COMMIT" || w == "END") {
            sqlite3_finalize(stmt);
            continue;
        }
        do {
            rc = sqlite3_step(stmt);
        } while (rc == SQLITE_ROW);
        if (rc != SQLITE_DONE) {
            const QString statementText = QString::fromUtf8(from, qsizetype(tail - from)).trimmed();
            Error e = sqliteError(d->handle, rc,
                                  QStringLiteral("Statement %1 (%2)").arg(index).arg(statementText.left(80)));
            sqlite3_finalize(stmt);
            sp.rollback();
            return e;
        }
        sqlite3_finalize(stmt);
    }
    d->textColumnsKnown = false;
    Error released = sp.release();
    if (!released)
        d->normaliseYesNo();
    return released;
}

qint64 Connection::lastInsertRowId() const
{
    return d->handle ? sqlite3_last_insert_rowid(d->handle) : 0;
}

Error Connection::createDatabase(const QString& path)
{
    const QFileInfo fi(path);
    if (fi.exists())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("Database '%1' already exists.").arg(path));
    if (!fi.absoluteDir().exists())
        return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                         QStringLiteral("The folder of '%1' does not exist.").arg(path));
    sqlite3* h = nullptr;
    const QByteArray file = fi.absoluteFilePath().toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc, QStringLiteral("Cannot create '%1'").arg(path));
        sqlite3_close_v2(h);
        QFile::remove(fi.absoluteFilePath());
        return e;
    }
    char* msg = nullptr;
    const QByteArray ddl =
        QByteArrayLiteral("PRAGMA journal_mode=DELETE; BEGIN;") + kLayerTables + QByteArrayLiteral("COMMIT;");
    rc = sqlite3_exec(h, ddl.constData(), nullptr, nullptr, &msg);
    sqlite3_free(msg);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc, QStringLiteral("Cannot create '%1'").arg(path));
        sqlite3_close_v2(h);
        QFile::remove(fi.absoluteFilePath());
        return e;
    }
    rc = sqlite3_close(h);
    if (rc != SQLITE_OK)
        return makeError(Error::Kind::Io, ErrorNumber::General,
                         QStringLiteral("Cannot close '%1'").arg(path));
    return Error();
}

Error Connection::begin()
{
    if (Error e = d->requireOpen())
        return e;
    Error e = d->transactionDepth == 0
                  ? d->exec(QStringLiteral("BEGIN"))
                  : d->exec(QStringLiteral("SAVEPOINT quorvel_level%1").arg(d->transactionDepth));
    if (!e)
        ++d->transactionDepth;
    return e;
}

Error Connection::commit()
{
    if (Error e = d->requireOpen())
        return e;
    if (d->transactionDepth <= 0)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("No transaction is active."));
    const int level = d->transactionDepth - 1;
    Error e = level == 0 ? d->exec(QStringLiteral("COMMIT"))
                         : d->exec(QStringLiteral("RELEASE quorvel_level%1").arg(level));
    if (!e)
        --d->transactionDepth;
    return e;
}

Error Connection::rollback()
{
    if (Error e = d->requireOpen())
        return e;
    if (d->transactionDepth <= 0)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("No transaction is active."));
    const int level = d->transactionDepth - 1;
    Error e;
    if (level == 0) {
        e = d->exec(QStringLiteral("ROLLBACK"));
    } else {
        e = d->exec(QStringLiteral("ROLLBACK TO quorvel_level%1").arg(level));
        if (!e)
            e = d->exec(QStringLiteral("RELEASE quorvel_level%1").arg(level));
    }
    --d->transactionDepth;
    return e;
}

bool Connection::inTransaction() const
{
    return d->handle && !sqlite3_get_autocommit(d->handle);
}

// ---------------------------------------------------------------------------
// Links

bool Connection::isLink(const QString& name)
{
    return d->findLink(name) != nullptr;
}

Error Connection::createLink(const QString& name, const QString& sourceFile, const QString& sourceTable,
                             const QString& provider)
{
    if (Error e = d->requireOpen())
        return e;
    if (name.trimmed().isEmpty() || sourceTable.trimmed().isEmpty())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("A link needs a name and a source table."));
    // A local table or view of that name blocks the link.
    {
        Result<sqlite3_stmt*> st = d->prepare(QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type IN "
                                                             "('table','view') AND name = ? COLLATE NOCASE"),
                                              false);
        if (!st)
            return st.error();
        detail::bindValue(st.value(), 1, Variant(name));
        const bool clash = sqlite3_step(st.value()) == SQLITE_ROW;
        sqlite3_finalize(st.value());
        if (clash)
            return makeError(Error::Kind::Duplicate, ErrorNumber::General,
                             QStringLiteral("Table '%1' already exists.").arg(name));
    }
    if (d->findLink(name)) {
        if (Error e = dropLink(name))
            return e;
    }
    Impl::Link link;
    link.name = name;
    link.file = sourceFile;
    link.table = sourceTable;
    const bool reused = !d->aliasFor(sourceFile).isEmpty();
    if (Error e = d->attachLink(link))
        return e;
    auto undoAttach = [&]() {
        if (link.name.compare(link.table, Qt::CaseInsensitive) != 0) {
            d->internalStatement = true;
            d->exec(QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(ident(link.name)));
            d->internalStatement = false;
        }
        if (!reused) {
            d->internalStatement = true;
            d->exec(QStringLiteral("DETACH DATABASE %1").arg(ident(link.alias)));
            d->internalStatement = false;
        }
    };
    // the source must hold the table
    {
        Result<sqlite3_stmt*> st = d->prepare(
            QStringLiteral(
                "SELECT 1 FROM %1.sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE")
                .arg(ident(link.alias)),
            false);
        if (!st) {
            undoAttach();
            return st.error();
        }
        detail::bindValue(st.value(), 1, Variant(sourceTable));
        const bool there = sqlite3_step(st.value()) == SQLITE_ROW;
        sqlite3_finalize(st.value());
        if (!there) {
            undoAttach();
            return makeError(Error::Kind::NotFound, ErrorNumber::General,
                             QStringLiteral("The table '%1' is not in '%2'.").arg(sourceTable, sourceFile));
        }
    }
    {
        Savepoint sp(d.get());
        if (sp.error()) {
            undoAttach();
            return sp.error();
        }
        Result<sqlite3_stmt*> st =
            d->prepare(QStringLiteral("INSERT INTO main._Legaturi (Nume_Tabel, Fisier_Sursa, Tabel_Sursa, "
                                      "Furnizor) VALUES (?,?,?,?)"),
                       false);
        if (!st) {
            sp.rollback();
            undoAttach();
            return st.error();
        }
        detail::bindValue(st.value(), 1, Variant(name));
        detail::bindValue(st.value(), 2, Variant(sourceFile));
        detail::bindValue(st.value(), 3, Variant(sourceTable));
        detail::bindValue(st.value(), 4, provider.isNull() ? Variant::null() : Variant(provider));
        const int rc = sqlite3_step(st.value());
        Error e = rc == SQLITE_DONE ? Error() : sqliteError(d->handle, rc);
        sqlite3_finalize(st.value());
        if (e) {
            sp.rollback();
            undoAttach();
            return e;
        }
        if (Error r = sp.release()) {
            undoAttach();
            return r;
        }
    }
    d->links.push_back(link);
    d->textColumnsKnown = false;
    return Error();
}

Error Connection::dropLink(const QString& name)
{
    if (Error e = d->requireOpen())
        return e;
    Result<sqlite3_stmt*> st =
        d->prepare(QStringLiteral("DELETE FROM main._Legaturi WHERE Nume_Tabel = ? COLLATE NOCASE"), false);
    if (!st)
        return st.error();
    detail::bindValue(st.value(), 1, Variant(name));
    const int rc = sqlite3_step(st.value());
    Error e = rc == SQLITE_DONE ? Error() : sqliteError(d->handle, rc);
    const qint64 removed = sqlite3_changes64(d->handle);
    sqlite3_finalize(st.value());
    if (e)
        return e;
    int index = -1;
    for (int i = 0; i < d->links.size(); ++i)
        if (d->links[i].name.compare(name, Qt::CaseInsensitive) == 0)
            index = i;
    if (index < 0 && removed == 0)
        return makeError(Error::Kind::NotFound, ErrorNumber::General,
                         QStringLiteral("There is no linked table '%1'.").arg(name));
    if (index >= 0) {
        const Impl::Link link = d->links.takeAt(index);
        d->internalStatement = true;
        if (link.name.compare(link.table, Qt::CaseInsensitive) != 0)
            d->exec(QStringLiteral("DROP VIEW IF EXISTS temp.%1").arg(ident(link.name)));
        bool stillUsed = false;
        for (const Impl::Link& l : std::as_const(d->links))
            if (l.alias == link.alias)
                stillUsed = true;
        if (!stillUsed && !link.alias.isEmpty())
            d->exec(
                QStringLiteral("DETACH DATABASE %1").arg(ident(link.alias))); // fails inside a transaction
        d->internalStatement = false;
    }
    d->textColumnsKnown = false;
    return Error();
}

// ---------------------------------------------------------------------------
// Transaction

YesNoPause::YesNoPause(Connection& connection, const QString& table) : m_connection(connection)
{
    const std::shared_ptr<Connection::Impl>& d = m_connection.impl();
    if (!d || !d->handle)
        return;
    sqlite3_stmt* st = nullptr;
    static const char sql[] = "SELECT name FROM temp.sqlite_master WHERE type = 'trigger' "
                              "AND name LIKE 'quorvel\\_yesno\\_i\\_%' ESCAPE '\\' AND tbl_name = ?1 COLLATE NOCASE";
    if (sqlite3_prepare_v2(d->handle, sql, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return;
    }
    const QByteArray t = table.toUtf8();
    sqlite3_bind_text(st, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    QStringList names;
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    d->internalStatement = true;
    for (const QString& name : names)
        d->exec(QStringLiteral("DROP TRIGGER IF EXISTS temp.") + ident(name));
    d->internalStatement = false;
}

YesNoPause::~YesNoPause()
{
    // Made again as at every open (a rollback of the copy may have brought
    // them back already).
    if (const std::shared_ptr<Connection::Impl>& d = m_connection.impl())
        d->normaliseYesNo();
}

Transaction::Transaction(Connection& connection) : m_connection(connection)
{
    m_error = m_connection.begin();
    m_active = !m_error;
}

Transaction::~Transaction()
{
    if (m_active)
        m_connection.rollback();
}

Error Transaction::commit()
{
    if (!m_active)
        return m_error ? m_error
                       : makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                                   QStringLiteral("The transaction is no longer active."));
    m_active = false;
    // A commit the database refuses (a deferred constraint, a busy or full
    // disk) leaves the transaction open: it is rolled back, as the guard promises.
    Error e = m_connection.commit();
    if (e)
        m_connection.rollback();
    return e;
}

QVector<std::pair<QString, QString>> connectionPairs(const QString& text)
{
    QVector<std::pair<QString, QString>> pairs;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && (text.at(i) == u';' || text.at(i).isSpace()))
            ++i;
        const qsizetype eq = text.indexOf(u'=', i);
        if (eq < 0)
            break;
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        while (i < n && text.at(i) == u' ')
            ++i;
        QString value;
        if (i < n && (text.at(i) == u'"' || text.at(i) == u'\'')) {
            const QChar q = text.at(i++);
            while (i < n) {
                if (text.at(i) == q) {
                    if (i + 1 < n && text.at(i + 1) == q) {
                        value += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text.at(i++);
            }
            const qsizetype semi = text.indexOf(u';', i);
            i = semi < 0 ? n : semi + 1;
        } else {
            qsizetype semi = text.indexOf(u';', i);
            if (semi < 0)
                semi = n;
            value = text.mid(i, semi - i).trimmed();
            i = semi + 1;
        }
        pairs.push_back({key, value});
    }
    return pairs;
}

QString connectionValue(const QString& text, QStringView key)
{
    for (const auto& [k, value] : connectionPairs(text))
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    return QString();
}

} // namespace db
