// Saved procedures and the schema queries.

#include "platform/db/internal.h"
#include "platform/db/rewrite.h"

#include <algorithm>

namespace db {

using detail::makeError;
using detail::sqliteError;

namespace {

QString columnText(sqlite3_stmt* st, int c)
{
    const unsigned char* t = sqlite3_column_text(st, c);
    return t ? QString::fromUtf8(reinterpret_cast<const char*>(t), sqlite3_column_bytes(st, c)) : QString();
}

// Runs a query of the layer's own with text parameters; rows of text values.
Result<QVector<QVector<Variant>>> query(Connection::Impl* impl, const QString& sql,
                                        const QVector<Variant>& values)
{
    Result<sqlite3_stmt*> st = impl->prepare(sql, false);
    if (!st)
        return st.error();
    for (int i = 0; i < values.size(); ++i)
        detail::bindValue(st.value(), i + 1, values[i]);
    QVector<QVector<Variant>> rows;
    const int n = sqlite3_column_count(st.value());
    int rc;
    while ((rc = sqlite3_step(st.value())) == SQLITE_ROW) {
        QVector<Variant> row;
        for (int c = 0; c < n; ++c)
            row.push_back(detail::readColumn(st.value(), c, -1));
        rows.push_back(row);
    }
    Error e = rc == SQLITE_DONE ? Error() : sqliteError(impl->handle, rc);
    sqlite3_finalize(st.value());
    if (e)
        return e;
    return rows;
}

Error noProcedure(const QString& name)
{
    return makeError(Error::Kind::NotFound, ErrorNumber::General,
                     QStringLiteral("The procedure '%1' is not in the database.").arg(name));
}

// Jet writes a text default in double quotes and a number bare.
Variant jetDefault(const QString& sqliteDefault)
{
    if (sqliteDefault.isNull())
        return Variant::null();
    QString d = sqliteDefault.trimmed();
    while (d.startsWith(u'(') && d.endsWith(u')'))
        d = d.mid(1, d.size() - 2).trimmed();
    if (d.size() >= 2 && d.startsWith(u'\'') && d.endsWith(u'\'')) {
        QString inner = d.mid(1, d.size() - 2);
        inner.replace(QStringLiteral("''"), QStringLiteral("'"));
        return Variant(u'"' + inner + u'"');
    }
    if (d.compare(QStringLiteral("NULL"), Qt::CaseInsensitive) == 0)
        return Variant::null();
    return Variant(d);
}

} // namespace

// ---------------------------------------------------------------------------
// Procedures

bool Connection::hasProcedure(const QString& procedure)
{
    if (!isOpen())
        return false;
    auto rows =
        query(d.get(), QStringLiteral("SELECT 1 FROM main._Proceduri WHERE Nume = ?"), {Variant(procedure)});
    return rows && !rows->isEmpty();
}

Result<QVector<Parameter>> Connection::parameters(const QString& procedure)
{
    if (Error e = d->requireOpen())
        return e;
    if (!hasProcedure(procedure))
        return noProcedure(procedure);
    auto rows =
        query(d.get(),
              QStringLiteral("SELECT Pozitie, Nume, Tip, Directie FROM main._Parametri WHERE Procedura = ? "
                             "ORDER BY Pozitie"),
              {Variant(procedure)});
    if (!rows)
        return rows.error();
    QVector<Parameter> out;
    for (const QVector<Variant>& r : rows.value()) {
        Parameter p;
        p.position = r[0].toInt();
        p.name = r[1].toText();
        p.type = r[2].toInt();
        p.direction = r[3].toInt();
        out.push_back(p);
    }
    if (out.isEmpty() || out.front().position != 0) {
        Parameter ret;
        ret.position = 0;
        ret.name = QStringLiteral("RETURN_VALUE");
        ret.type = Type::Integer;
        ret.direction = Parameter::ReturnValue;
        out.prepend(ret);
    }
    return out;
}

Result<Recordset> Connection::openProcedure(const QString& procedure, const QVector<Variant>& values,
                                            QVector<Variant>* parameterValues)
{
    if (Error e = d->requireOpen())
        return e;
    auto body = query(d.get(), QStringLiteral("SELECT Corp FROM main._Proceduri WHERE Nume = ?"),
                      {Variant(procedure)});
    if (!body)
        return body.error();
    if (body->isEmpty())
        return noProcedure(procedure);
    Result<QVector<Parameter>> params = parameters(procedure);
    if (!params)
        return params.error();
    int highest = 0;
    for (const Parameter& p : params.value())
        highest = std::max(highest, p.position);
    QVector<Variant> all(highest + 1, Variant::null());
    for (int i = 1; i < all.size() && i < values.size(); ++i)
        all[i] = values[i].isEmpty() ? Variant::null() : values[i];
    all[0] = Variant(0);

    const QStringList statements = splitStatements(body->front().front().toText());
    if (Error e = d->savepoint())
        return e;
    Recordset last = Recordset::createInMemory();
    last.open();
    for (int s = 0; s < statements.size(); ++s) {
        Result<sqlite3_stmt*> st = d->prepare(statements[s], false);
        if (!st) {
            d->rollbackSavepoint();
            Error e = st.error();
            e.description =
                QStringLiteral("%1 (procedure %2, statement %3)").arg(e.description, procedure).arg(s + 1);
            return e;
        }
        const int count = sqlite3_bind_parameter_count(st.value());
        for (int i = 1; i <= count; ++i) {
            const char* name = sqlite3_bind_parameter_name(st.value(), i);
            int position = i;
            if (name && name[0] == '?')
                position = QByteArray(name + 1).toInt();
            detail::bindValue(st.value(), i, position < all.size() ? all[position] : Variant::null());
        }
        if (s == statements.size() - 1 && sqlite3_column_count(st.value()) > 0) {
            Result<Recordset> rs = readOnlyRecordset(d, st.value(), statements[s]);
            if (!rs) {
                d->rollbackSavepoint();
                return rs.error();
            }
            last = rs.value();
            continue;
        }
        int rc;
        while ((rc = sqlite3_step(st.value())) == SQLITE_ROW) {
        }
        Error e = rc == SQLITE_DONE ? Error() : sqliteError(d->handle, rc);
        sqlite3_finalize(st.value());
        if (e) {
            d->rollbackSavepoint();
            e.description =
                QStringLiteral("%1 (procedure %2, statement %3)").arg(e.description, procedure).arg(s + 1);
            return e;
        }
    }
    if (Error e = d->release()) {
        d->rollbackSavepoint();
        return e;
    }
    d->textColumnsKnown = false;
    if (parameterValues) {
        QVector<Variant> out = all;
        const int lastRow = last.rowCount() - 1;
        for (const Parameter& p : params.value()) {
            if (p.direction == Parameter::ReturnValue) {
                out[p.position] = Variant(0);
            } else if (p.direction == Parameter::Output || p.direction == Parameter::InputOutput) {
                const int col = last.fieldIndex(p.name);
                out[p.position] = col >= 0 && lastRow >= 0 ? last.valueAt(lastRow, col) : Variant::null();
            }
        }
        *parameterValues = out;
    }
    return last;
}

Result<QVector<Variant>> Connection::runProcedure(const QString& procedure, const QVector<Variant>& values)
{
    QVector<Variant> out;
    Result<Recordset> rs = openProcedure(procedure, values, &out);
    if (!rs)
        return rs.error();
    return out;
}

Error Connection::createProcedure(const QString& name, const QString& body, const QVector<Parameter>& params)
{
    if (Error e = d->requireOpen())
        return e;
    if (Error e = d->savepoint())
        return e;
    auto run = [&](const QString& sql, const QVector<Variant>& v) { return query(d.get(), sql, v); };
    auto r = run(QStringLiteral("DELETE FROM main._Proceduri WHERE Nume = ?"), {Variant(name)});
    if (r)
        r = run(QStringLiteral("INSERT INTO main._Proceduri (Nume, Corp) VALUES (?, ?)"),
                {Variant(name), Variant(body)});
    if (r)
        r = run(QStringLiteral("INSERT INTO main._Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES "
                               "(?, 0, 'RETURN_VALUE', 3, 4)"),
                {Variant(name)});
    for (const Parameter& p : params) {
        if (!r)
            break;
        if (p.position == 0)
            continue;
        r = run(QStringLiteral("INSERT INTO main._Parametri (Procedura, Pozitie, Nume, Tip, Directie) VALUES "
                               "(?, ?, ?, ?, ?)"),
                {Variant(name), Variant(p.position), Variant(p.name), Variant(p.type), Variant(p.direction)});
    }
    if (!r) {
        d->rollbackSavepoint();
        return r.error();
    }
    return d->release();
}

Error Connection::dropProcedure(const QString& name)
{
    if (Error e = d->requireOpen())
        return e;
    if (!hasProcedure(name))
        return noProcedure(name);
    if (Error e = d->savepoint())
        return e;
    auto r =
        query(d.get(), QStringLiteral("DELETE FROM main._Parametri WHERE Procedura = ?"), {Variant(name)});
    if (r)
        r = query(d.get(), QStringLiteral("DELETE FROM main._Proceduri WHERE Nume = ?"), {Variant(name)});
    if (!r) {
        d->rollbackSavepoint();
        return r.error();
    }
    return d->release();
}

// ---------------------------------------------------------------------------
// Schema

Result<QVector<TableInfo>> Connection::tables()
{
    if (Error e = d->requireOpen())
        return e;
    auto rows =
        query(d.get(),
              QStringLiteral("SELECT name, type FROM main.sqlite_master WHERE type IN ('table','view') "
                             "AND substr(name, 1, 1) <> '_' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"),
              {});
    if (!rows)
        return rows.error();
    QVector<TableInfo> out;
    for (const QVector<Variant>& r : rows.value())
        out.push_back({r[0].toText(), r[1].toText().toUpper()});
    for (const Impl::Link& l : std::as_const(d->links))
        out.push_back({l.name, QStringLiteral("LINK")});
    std::sort(out.begin(), out.end(), [](const TableInfo& a, const TableInfo& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return out;
}

Result<Recordset> Connection::tablesSchema()
{
    Result<QVector<TableInfo>> list = tables();
    if (!list)
        return list.error();
    Recordset rs = Recordset::createInMemory();
    rs.appendField(QStringLiteral("TABLE_NAME"), Type::VarWChar, 64);
    rs.appendField(QStringLiteral("TABLE_TYPE"), Type::VarWChar, 16);
    rs.open();
    for (const TableInfo& t : list.value()) {
        rs.addNew();
        rs.setValue(0, Variant(t.name));
        rs.setValue(1, Variant(t.kind));
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

bool Connection::tableExists(const QString& name)
{
    if (!isOpen())
        return false;
    if (d->findLink(name))
        return true;
    auto rows =
        query(d.get(),
              QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE type IN ('table','view') AND name = ? "
                             "COLLATE NOCASE"),
              {Variant(name)});
    return rows && !rows->isEmpty();
}

Result<Recordset> Connection::columnsSchema(const QString& table)
{
    if (Error e = d->requireOpen())
        return e;
    QString schema = QStringLiteral("main");
    QString realTable = table;
    if (const Impl::Link* l = d->findLink(table)) {
        if (l->alias.isEmpty())
            return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                             QStringLiteral("Could not find file '%1'.").arg(l->file));
        schema = l->alias;
        realTable = l->table;
    }
    Result<sqlite3_stmt*> st = d->prepare(
        QStringLiteral(
            "SELECT cid, name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?, ?) ORDER BY cid"),
        false);
    if (!st)
        return st.error();
    detail::bindValue(st.value(), 1, Variant(realTable));
    detail::bindValue(st.value(), 2, Variant(schema));
    struct Col
    {
        int cid;
        QString name, type;
        bool notNull;
        QString dflt;
        int pk;
    };
    QVector<Col> cols;
    while (sqlite3_step(st.value()) == SQLITE_ROW) {
        Col c;
        c.cid = sqlite3_column_int(st.value(), 0);
        c.name = columnText(st.value(), 1);
        c.type = columnText(st.value(), 2);
        c.notNull = sqlite3_column_int(st.value(), 3) != 0;
        c.dflt = sqlite3_column_type(st.value(), 4) == SQLITE_NULL ? QString() : columnText(st.value(), 4);
        c.pk = sqlite3_column_int(st.value(), 5);
        cols.push_back(c);
    }
    sqlite3_finalize(st.value());
    if (cols.isEmpty())
        return makeError(Error::Kind::NotFound, ErrorNumber::General,
                         QStringLiteral("The table '%1' is not in the database.").arg(table));
    // descriptions of the table's columns
    QHash<QString, QString> descriptions;
    if (auto rows =
            query(d.get(), QStringLiteral("SELECT Coloana, Descriere FROM main._Descrieri WHERE Tabel = ?"),
                  {Variant(table)})) {
        for (const QVector<Variant>& r : rows.value())
            descriptions.insert(r[0].toText().toLower(), r[1].toText());
    }

    Recordset rs = Recordset::createInMemory();
    rs.appendField(QStringLiteral("TABLE_NAME"), Type::VarWChar, 64);
    rs.appendField(QStringLiteral("COLUMN_NAME"), Type::VarWChar, 64);
    rs.appendField(QStringLiteral("ORDINAL_POSITION"), Type::Integer);
    rs.appendField(QStringLiteral("COLUMN_HASDEFAULT"), Type::Boolean);
    rs.appendField(QStringLiteral("COLUMN_DEFAULT"), Type::LongVarWChar);
    rs.appendField(QStringLiteral("IS_NULLABLE"), Type::Boolean);
    rs.appendField(QStringLiteral("DATA_TYPE"), Type::Integer);
    rs.appendField(QStringLiteral("CHARACTER_MAXIMUM_LENGTH"), Type::Integer);
    rs.appendField(QStringLiteral("NUMERIC_PRECISION"), Type::Integer);
    rs.appendField(QStringLiteral("NUMERIC_SCALE"), Type::Integer);
    rs.appendField(QStringLiteral("DATETIME_PRECISION"), Type::Integer);
    rs.appendField(QStringLiteral("DESCRIPTION"), Type::LongVarWChar);
    rs.open();
    for (const Col& c : std::as_const(cols)) {
        int size = 0;
        int type = detail::typeFromDeclared(c.type, &size);
        if (type < 0)
            type = Type::VarWChar;
        Variant maxLength = Variant::null();
        if (type == Type::VarWChar)
            maxLength = size > 0 ? Variant(size) : Variant(255);
        Variant precision = Variant::null();
        Variant scale = Variant::null();
        switch (type) {
        case Type::Integer:
            precision = Variant(10);
            break;
        case Type::SmallInt:
            precision = Variant(5);
            break;
        case Type::UnsignedTinyInt:
            precision = Variant(3);
            break;
        case Type::BigInt:
            precision = Variant(19);
            break;
        case Type::Single:
            precision = Variant(7);
            break;
        case Type::Double:
            precision = Variant(15);
            break;
        case Type::Currency:
            precision = Variant(19);
            scale = Variant(4);
            break;
        case Type::Numeric:
            precision = Variant(18);
            scale = Variant(0);
            break;
        default:
            break;
        }
        const Variant dflt = jetDefault(c.dflt);
        rs.addNew();
        rs.setValue(0, Variant(table));
        rs.setValue(1, Variant(c.name));
        rs.setValue(2, Variant(c.cid + 1));
        rs.setValue(3, Variant(!dflt.isNull()));
        rs.setValue(4, dflt);
        rs.setValue(5, Variant(!c.notNull && c.pk == 0));
        rs.setValue(6, Variant(type));
        rs.setValue(7, maxLength);
        rs.setValue(8, precision);
        rs.setValue(9, scale);
        rs.setValue(10, type == Type::Date ? Variant(0) : Variant::null());
        const auto it = descriptions.constFind(c.name.toLower());
        rs.setValue(11, it == descriptions.cend() ? Variant::null() : Variant(*it));
        rs.update();
    }
    rs.moveFirst();
    return rs;
}

} // namespace db
