// Prepared statements for hot paths.

#include "platform/db/internal.h"

namespace db {

using detail::makeError;
using detail::sqliteError;

struct Statement::Impl
{
    std::shared_ptr<Connection::Impl> connection;
    quint64 generation = 0;
    sqlite3_stmt* stmt = nullptr;
    QVector<int> types;               // declared ADO type per column, -1 for an expression
    QVector<detail::BoundText> texts; // per parameter
    ~Impl()
    {
        if (stmt)
            sqlite3_finalize(stmt);
    }
    bool alive() const { return stmt && connection->handle && connection->generation == generation; }
};

Statement::Statement() = default;
Statement::~Statement() = default;
Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;

Result<Statement> Statement::prepare(Connection& connection, const QString& sql)
{
    const std::shared_ptr<Connection::Impl>& conn = connection.impl();
    Result<sqlite3_stmt*> st = conn->prepare(sql, true);
    if (!st)
        return st.error();
    Statement s;
    s.d = std::make_unique<Impl>();
    s.d->connection = conn;
    s.d->generation = conn->generation;
    s.d->stmt = st.value();
    s.d->texts.resize(sqlite3_bind_parameter_count(st.value()));
    const int n = sqlite3_column_count(st.value());
    for (int c = 0; c < n; ++c) {
        int size = 0;
        const char* decl = sqlite3_column_decltype(st.value(), c);
        s.d->types.push_back(decl ? detail::typeFromDeclared(QString::fromUtf8(decl), &size) : -1);
    }
    return s;
}

bool Statement::isValid() const
{
    return d && d->alive();
}

Error Statement::bind(int position, const Variant& value)
{
    if (!isValid())
        return makeError(Error::Kind::Closed, ErrorNumber::ObjectClosed,
                         QStringLiteral("The statement is not prepared."));
    if (position < 1 || position > d->texts.size())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The statement has no parameter %1.").arg(position));
    detail::bindValue(d->stmt, position, value, &d->texts[position - 1]);
    return Error();
}

Result<bool> Statement::step()
{
    if (!isValid())
        return makeError(Error::Kind::Closed, ErrorNumber::ObjectClosed,
                         QStringLiteral("The statement is not prepared."));
    const int rc = sqlite3_step(d->stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    Error e = sqliteError(d->connection->handle, rc);
    sqlite3_reset(d->stmt);
    return e;
}

int Statement::columnCount() const
{
    return d && d->stmt ? sqlite3_column_count(d->stmt) : 0;
}

QString Statement::columnName(int column) const
{
    if (!d || !d->stmt)
        return QString();
    const char* n = sqlite3_column_name(d->stmt, column);
    return n ? QString::fromUtf8(n) : QString();
}

Variant Statement::column(int column) const
{
    if (!isValid() || column < 0 || column >= d->types.size())
        return Variant();
    return detail::readColumn(d->stmt, column, d->types[column]);
}

void Statement::reset()
{
    if (d && d->stmt)
        sqlite3_reset(d->stmt);
}

void Statement::clearBindings()
{
    if (d && d->stmt)
        sqlite3_clear_bindings(d->stmt);
}

qint64 Statement::changes() const
{
    return isValid() ? sqlite3_changes64(d->connection->handle) : 0;
}

} // namespace db
