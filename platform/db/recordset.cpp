// Client-side record sets: read at open, navigated and edited in memory,
// written back by key.

#include "platform/db/internal.h"
#include "platform/db/rewrite.h"

#include <QRegularExpression>
#include <algorithm>

namespace db {

using detail::makeError;
using detail::sqliteError;

namespace {

QString ident(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

QString utf8(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

Error closedError()
{
    return makeError(Error::Kind::Closed, ErrorNumber::ObjectClosed,
                     QStringLiteral("Operation is not allowed when the object is closed."));
}

Error noCurrentRow()
{
    return makeError(Error::Kind::NoCurrentRow, ErrorNumber::NoCurrentRecord,
                     QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
}

Error noField(const QString& name)
{
    return makeError(Error::Kind::NotFound, ErrorNumber::NotInCollection,
                     QStringLiteral("Item '%1' cannot be found in the collection.").arg(name));
}

const Field& emptyField()
{
    static const Field f;
    return f;
}

struct PkInfo
{
    QStringList pk;     // primary-key columns in order
    QString integerKey; // the INTEGER PRIMARY KEY column (rowid alias)
    bool withoutRowid = false;
};

PkInfo primaryKey(sqlite3* h, const QString& database, const QString& table)
{
    PkInfo info;
    const QByteArray sql =
        QStringLiteral("SELECT name, type, pk FROM pragma_table_info(%1, %2) WHERE pk > 0 ORDER BY pk")
            .arg(quoted(table), quoted(database))
            .toUtf8();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK) {
        QStringList types;
        while (sqlite3_step(st) == SQLITE_ROW) {
            info.pk << utf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            types << utf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        }
        if (info.pk.size() == 1 &&
            types.front().trimmed().compare(QStringLiteral("INTEGER"), Qt::CaseInsensitive) == 0)
            info.integerKey = info.pk.front();
    }
    sqlite3_finalize(st);
    const QByteArray sql2 = QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE type='table' AND name=%2")
                                .arg(ident(database), quoted(table))
                                .toUtf8();
    if (sqlite3_prepare_v2(h, sql2.constData(), int(sql2.size()), &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        const QString ddl = utf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        info.withoutRowid = ddl.contains(QStringLiteral("WITHOUT ROWID"), Qt::CaseInsensitive);
    }
    sqlite3_finalize(st);
    return info;
}

} // namespace

// ---------------------------------------------------------------------------
// Opening

namespace {

// The rows are read: an expression column (no declared type) takes the type
// of its first value, text when every value is Null; then the cursor opens on
// the first row.
Recordset openOverRows(const std::shared_ptr<RecordsetData>& data, const QVector<int>& declaredType)
{
    for (int c = 0; c < declaredType.size(); ++c) {
        if (declaredType[c] >= 0)
            continue;
        int type = Type::VarWChar;
        for (const RecordsetData::Row& row : std::as_const(data->rows))
            if (!row.values[c].isMissing()) {
                type = detail::typeOfValue(row.values[c]);
                break;
            }
        data->fields[c].type = type;
    }
    auto impl = std::make_shared<Recordset::Impl>();
    impl->data = data;
    impl->open = true;
    impl->rebuildView();
    impl->pos = 0;
    return Recordset(impl);
}

QString unbracket(QString name)
{
    name = name.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    return name;
}

// SHAPE {parent} AS ParentCMD APPEND ({child} AS ChildCMD RELATE [a] TO [b])
Result<Recordset> openShape(const std::shared_ptr<Connection::Impl>& conn, const QString& source,
                            const QVector<Variant>& values, CursorType cursor, LockType lock)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*SHAPE\s*\{(.*?)\}\s*AS\s+(\[[^\]]+\]|\w+)\s+APPEND\s*\(\s*\{(.*?)\}\s*AS\s+)"
                       R"((\[[^\]]+\]|\w+)\s+RELATE\s+(\[[^\]]+\]|\w+)\s+TO\s+(\[[^\]]+\]|\w+)\s*\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(source);
    if (!m.hasMatch())
        return makeError(Error::Kind::Syntax, ErrorNumber::Syntax,
                         QStringLiteral("The SHAPE command cannot be read: %1").arg(source));
    Result<Recordset> parent = openQuery(conn, m.captured(1), values, cursor, lock);
    if (!parent)
        return parent.error();
    Result<Recordset> child = openQuery(conn, m.captured(3), {}, cursor, lock);
    if (!child)
        return child.error();
    const QString childName = unbracket(m.captured(4));
    const int pf = parent->fieldIndex(unbracket(m.captured(5)));
    const int cf = child->fieldIndex(unbracket(m.captured(6)));
    if (pf < 0 || cf < 0)
        return makeError(
            Error::Kind::NotFound, ErrorNumber::NotInCollection,
            QStringLiteral("The RELATE fields of the SHAPE command are not in its record sets."));
    RecordsetData& data = *parent->impl()->data;
    Field f;
    f.name = childName;
    f.type = Type::Chapter;
    data.fields.push_back(f);
    data.fieldTable.push_back(-1);
    for (RecordsetData::Row& row : data.rows)
        row.values.push_back(Variant());
    data.chapters.push_back({childName, pf, cf, child->impl()->data});
    data.source = source;
    return parent;
}

} // namespace

Result<Recordset> openQuery(const std::shared_ptr<Connection::Impl>& conn, const QString& source,
                            const QVector<Variant>& values, CursorType cursor, LockType lock)
{
    if (Error e = conn->requireOpen())
        return e;
    if (firstWord(source) == u"SHAPE")
        return openShape(conn, source, values, cursor, lock);
    const QString sql = conn->rewrite(source);
    Result<sqlite3_stmt*> first = conn->prepare(sql, false);
    if (!first)
        return first.error();
    sqlite3_stmt* stmt = first.value();
    const int visible = sqlite3_column_count(stmt);

    auto data = std::make_shared<RecordsetData>();
    data->connection = conn;
    data->generation = conn->generation;
    data->source = source;
    data->sourceValues = values;
    data->cursor = cursor;
    data->lock = lock;

    // Fields and their origins.
    QVector<int> declaredType(visible, -1);
    for (int c = 0; c < visible; ++c) {
        Field f;
        f.name = utf8(sqlite3_column_name(stmt, c));
        // an expression is named by its text as the program wrote it
        if (f.name.contains(QStringLiteral("JET_")))
            f.name.replace(QRegularExpression(QStringLiteral("JET_(LEFT|RIGHT|ISNULL|DATEPART)\\b")),
                           QStringLiteral("\\1"));
        f.declaredType = utf8(sqlite3_column_decltype(stmt, c));
        f.baseDatabase = utf8(sqlite3_column_database_name(stmt, c));
        f.baseTable = utf8(sqlite3_column_table_name(stmt, c));
        f.baseColumn = utf8(sqlite3_column_origin_name(stmt, c));
        int size = 0;
        declaredType[c] = detail::typeFromDeclared(f.declaredType, &size);
        f.type = declaredType[c] < 0 ? Type::VarWChar : declaredType[c];
        f.definedSize = size;
        if (!f.baseTable.isEmpty()) {
            const QByteArray dbn = f.baseDatabase.toUtf8(), tn = f.baseTable.toUtf8(),
                             cn = f.baseColumn.toUtf8();
            int notNull = 0, pk = 0, autoinc = 0;
            if (sqlite3_table_column_metadata(conn->handle, dbn.constData(), tn.constData(), cn.constData(),
                                              nullptr, nullptr, &notNull, &pk, &autoinc) == SQLITE_OK) {
                f.nullable = !notNull;
                f.autoIncrement = autoinc != 0;
            }
        }
        data->fields.push_back(f);
    }
    // Two fields of one name (a join): name them by table, as ADO does.
    for (int a = 0; a < visible; ++a) {
        bool dup = false;
        for (int b = 0; b < visible; ++b)
            if (a != b && data->fields[a].name.compare(data->fields[b].name, Qt::CaseInsensitive) == 0 &&
                !data->fields[b].baseTable.isEmpty())
                dup = true;
        if (dup && !data->fields[a].baseTable.isEmpty())
            data->fields[a].name = data->fields[a].baseTable + u'.' + data->fields[a].name;
    }

    // Which base tables can be written back, and how.
    data->fieldTable.fill(-1, visible);
    const SelectShape shape = lock == LockType::ReadOnly ? SelectShape() : analyzeSelect(sql);
    QStringList injected;
    if (shape.isSelect && shape.plain && shape.fromPos >= 0) {
        for (int c = 0; c < visible; ++c) {
            const Field& f = data->fields[c];
            if (f.baseTable.isEmpty())
                continue;
            int t = -1;
            for (int i = 0; i < data->tables.size(); ++i)
                if (data->tables[i].database == f.baseDatabase &&
                    data->tables[i].table.compare(f.baseTable, Qt::CaseInsensitive) == 0)
                    t = i;
            if (t < 0) {
                RecordsetData::Table table;
                table.database = f.baseDatabase;
                table.table = f.baseTable;
                data->tables.push_back(table);
                t = int(data->tables.size() - 1);
            }
            data->tables[t].fieldsOf.push_back(c);
            data->fieldTable[c] = t;
        }
        for (int t = 0; t < data->tables.size(); ++t) {
            RecordsetData::Table& table = data->tables[t];
            // The FROM source that names this table.
            int matches = 0;
            QString alias;
            bool viaView = false;
            for (const SelectShape::Source& src : shape.sources) {
                const Connection::Impl::Link* link = conn->findLink(src.table);
                if (src.database.isEmpty() && link && link->alias == table.database &&
                    link->table.compare(table.table, Qt::CaseInsensitive) == 0) {
                    ++matches;
                    alias = src.alias;
                    viaView = link->name.compare(link->table, Qt::CaseInsensitive) != 0;
                    continue;
                }
                if (src.table.compare(table.table, Qt::CaseInsensitive) == 0 &&
                    (src.database.isEmpty() ||
                     src.database.compare(table.database, Qt::CaseInsensitive) == 0)) {
                    ++matches;
                    alias = src.alias;
                }
            }
            if (matches != 1)
                continue; // a view, a subquery or the same table twice: not written back
            const PkInfo pk = primaryKey(conn->handle, table.database, table.table);
            table.rowidColumn = pk.integerKey;
            if (!viaView && !pk.withoutRowid) {
                table.keySlot = int(injected.size());
                injected << QStringLiteral("%1.rowid").arg(ident(alias));
            } else {
                // written by its primary-key values, all of which must be fields
                QVector<int> pkFields;
                for (const QString& col : pk.pk) {
                    int found = -1;
                    for (int c : table.fieldsOf)
                        if (data->fields[c].baseColumn.compare(col, Qt::CaseInsensitive) == 0)
                            found = c;
                    if (found < 0) {
                        pkFields.clear();
                        break;
                    }
                    pkFields.push_back(found);
                }
                table.pkFields = pkFields;
            }
        }
    }
    if (!injected.isEmpty()) {
        QString withKeys = sql.left(shape.fromPos);
        for (int i = 0; i < injected.size(); ++i)
            withKeys += QStringLiteral(", %1 AS \"__quorvel_key%2\"").arg(injected[i]).arg(i);
        withKeys += u' ' + sql.mid(shape.fromPos);
        Result<sqlite3_stmt*> second = conn->prepare(withKeys, false);
        if (second && sqlite3_column_count(second.value()) == visible + injected.size()) {
            sqlite3_finalize(stmt);
            stmt = second.value();
        } else {
            if (second)
                sqlite3_finalize(second.value());
            injected.clear();
            for (RecordsetData::Table& table : data->tables)
                table.keySlot = -1;
        }
    }
    for (int c = 0; c < visible; ++c) {
        Field& f = data->fields[c];
        const int t = data->fieldTable[c];
        if (t < 0)
            continue;
        const RecordsetData::Table& table = data->tables[t];
        const bool keyed = table.keySlot >= 0 || !table.pkFields.isEmpty();
        f.writable = keyed && !f.autoIncrement && !conn->readOnly;
    }
    data->updatable =
        std::any_of(data->fields.cbegin(), data->fields.cend(), [](const Field& f) { return f.writable; });

    // Rows.
    for (int i = 0; i < values.size(); ++i)
        detail::bindValue(stmt, i + 1, values[i]);
    int rc;
    detail::ColumnReader reader(declaredType);
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        RecordsetData::Row row;
        row.values.reserve(visible);
        for (int c = 0; c < visible; ++c)
            row.values.push_back(reader.read(stmt, c));
        for (int k = 0; k < injected.size(); ++k) {
            const int col = visible + k;
            row.keys.push_back(sqlite3_column_type(stmt, col) == SQLITE_NULL
                                   ? Variant::null()
                                   : Variant(static_cast<std::int64_t>(sqlite3_column_int64(stmt, col))));
        }
        data->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        Error e = sqliteError(conn->handle, rc);
        sqlite3_finalize(stmt);
        return e;
    }
    sqlite3_finalize(stmt);
    return openOverRows(data, declaredType);
}

Result<Recordset> Connection::openRecordset(const QString& sql, CursorType cursor, LockType lock)
{
    return openQuery(d, sql, {}, cursor, lock);
}

Result<Recordset> Connection::openRecordset(const QString& sql, const QVector<Variant>& values,
                                            CursorType cursor, LockType lock)
{
    return openQuery(d, sql, values, cursor, lock);
}

// ---------------------------------------------------------------------------
// Recordset::Impl

void Recordset::Impl::notify(Change::Kind kind, int row)
{
    if (observers.isEmpty())
        return;
    const Change change{kind, row};
    const auto copy = observers; // an observer may remove itself
    for (const auto& o : copy)
        o.second(change);
}

Error Recordset::Impl::rebuildView()
{
    view.clear();
    if (!data)
        return Error();
    detail::Criteria criteria;
    if (!filterText.trimmed().isEmpty()) {
        Result<detail::Criteria> c =
            detail::Criteria::parse(filterText, QList<Field>(data->fields.cbegin(), data->fields.cend()));
        if (!c)
            return c.error();
        criteria = c.value();
    }
    view.reserve(data->rows.size());
    for (int i = 0; i < data->rows.size(); ++i) {
        const RecordsetData::Row& r = data->rows[i];
        if (r.deleted)
            continue;
        if (!criteria.isEmpty() && !criteria.matches(r.values))
            continue;
        if (relationField >= 0 &&
            (relationValue.isMissing() || detail::compareValues(r.values[relationField], relationValue) != 0))
            continue;
        view.push_back(i);
    }
    if (!sortText.trimmed().isEmpty()) {
        QVector<std::pair<int, bool>> keys; // field, descending
        for (const QString& part : sortText.split(u',', Qt::SkipEmptyParts)) {
            QString item = part.trimmed();
            bool desc = false;
            if (item.endsWith(QStringLiteral(" DESC"), Qt::CaseInsensitive)) {
                desc = true;
                item.chop(5);
            } else if (item.endsWith(QStringLiteral(" ASC"), Qt::CaseInsensitive)) {
                item.chop(4);
            }
            item = item.trimmed();
            if (item.startsWith(u'[') && item.endsWith(u']'))
                item = item.mid(1, item.size() - 2);
            int f = -1;
            for (int i = 0; i < data->fields.size(); ++i)
                if (data->fields[i].name.compare(item, Qt::CaseInsensitive) == 0)
                    f = i;
            if (f < 0)
                return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                                 QStringLiteral("The sort field '%1' is not in the record set.").arg(item));
            keys.push_back({f, desc});
        }
        const QVector<RecordsetData::Row>& rows = data->rows;
        std::stable_sort(view.begin(), view.end(), [&](int a, int b) {
            for (const auto& k : keys) {
                const int c = detail::compareValues(rows[a].values[k.first], rows[b].values[k.first]);
                if (c != 0)
                    return k.second ? c > 0 : c < 0;
            }
            return false;
        });
    }
    return Error();
}

int Recordset::Impl::currentIndex() const
{
    if (!open || onDeleted || pos < 0 || pos >= view.size())
        return -1;
    return view[pos];
}

// ---------------------------------------------------------------------------
// Recordset

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(const Recordset&) = default;
Recordset& Recordset::operator=(const Recordset&) = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;
Recordset::Recordset(std::shared_ptr<Impl> impl) : d(std::move(impl)) {}

Recordset Recordset::createInMemory()
{
    auto impl = std::make_shared<Impl>();
    impl->data = std::make_shared<RecordsetData>();
    impl->data->inMemory = true;
    impl->data->updatable = true;
    return Recordset(impl);
}

Error Recordset::appendField(const QString& name, int type, int size)
{
    if (!d || !d->data)
        d = createInMemory().d;
    if (d->open)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("Fields can only be appended before the record set is opened."));
    if (name.isEmpty() || fieldIndex(name) >= 0)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The field name '%1' is empty or already used.").arg(name));
    Field f;
    f.name = name;
    f.type = type;
    f.definedSize = isTextType(type) && type != Type::LongVarWChar ? size : 0;
    f.writable = true;
    d->data->fields.push_back(f);
    d->data->fieldTable.push_back(-1);
    return Error();
}

Error Recordset::open()
{
    if (!d || !d->data)
        d = createInMemory().d;
    if (d->open)
        return Error();
    d->open = true;
    d->rebuildView();
    d->pos = 0;
    d->notify(Change::Kind::Reset, -1);
    return Error();
}

bool Recordset::isOpen() const
{
    return d && d->open;
}

void Recordset::close()
{
    if (!d || !d->open)
        return;
    d->open = false;
    d->mode = EditMode::None;
    d->view.clear();
    d->pos = -1;
    d->notify(Change::Kind::Reset, -1);
}

bool Recordset::isNull() const
{
    return !d;
}

QString Recordset::source() const
{
    return d && d->data ? d->data->source : QString();
}

QString Recordset::connectionString() const
{
    return d && d->data && d->data->connection ? d->data->connection->text : QString();
}

Connection Recordset::connection() const
{
    if (d && d->data && d->data->connection)
        return Connection(d->data->connection);
    return Connection();
}

CursorType Recordset::cursorType() const
{
    return d && d->data ? d->data->cursor : CursorType::Static;
}

LockType Recordset::lockType() const
{
    return d && d->data ? d->data->lock : LockType::ReadOnly;
}

int Recordset::fieldCount() const
{
    return d && d->data ? int(d->data->fields.size()) : 0;
}

const Field& Recordset::field(int index) const
{
    if (!d || !d->data || index < 0 || index >= d->data->fields.size())
        return emptyField();
    return d->data->fields[index];
}

QList<Field> Recordset::fields() const
{
    if (!d || !d->data)
        return {};
    return QList<Field>(d->data->fields.cbegin(), d->data->fields.cend());
}

int Recordset::fieldIndex(const QString& name) const
{
    if (!d || !d->data)
        return -1;
    const QVector<Field>& fs = d->data->fields;
    for (int i = 0; i < fs.size(); ++i)
        if (fs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    // "Table.Column" or a bare column of a renamed join field
    for (int i = 0; i < fs.size(); ++i) {
        if (fs[i].baseTable.isEmpty())
            continue;
        if (QString(fs[i].baseTable + u'.' + fs[i].baseColumn).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    for (int i = 0; i < fs.size(); ++i)
        if (fs[i].name.endsWith(u'.' + name, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool Recordset::eof() const
{
    if (!d || !d->open)
        return true;
    return d->view.isEmpty() || d->pos >= d->view.size();
}

bool Recordset::bof() const
{
    if (!d || !d->open)
        return true;
    return d->view.isEmpty() || d->pos < 0;
}

namespace {
void moveTo(Recordset::Impl* d, int pos)
{
    const int n = int(d->view.size());
    pos = std::clamp(pos, -1, n);
    if (d->mode != EditMode::None) {
        // Leaving a row with a pending edit saves it first, as ADO does; a
        // refused save keeps the cursor and the edit where they are.
        Recordset self(d->shared_from_this());
        if (self.update())
            return;
    }
    const bool changed = pos != d->pos || d->onDeleted;
    d->onDeleted = false;
    d->pos = pos;
    if (changed)
        d->notify(Change::Kind::PositionChanged, pos >= 0 && pos < n ? pos : -1);
}
} // namespace

void Recordset::moveFirst()
{
    if (d && d->open)
        moveTo(d.get(), 0);
}

void Recordset::moveLast()
{
    if (d && d->open)
        moveTo(d.get(), d->view.isEmpty() ? 0 : int(d->view.size()) - 1);
}

void Recordset::moveNext()
{
    if (!d || !d->open)
        return;
    if (d->onDeleted) {
        moveTo(d.get(), d->pos);
        return;
    }
    moveTo(d.get(), d->pos + 1);
}

void Recordset::movePrevious()
{
    if (!d || !d->open)
        return;
    moveTo(d.get(), d->pos - 1);
}

void Recordset::move(int n)
{
    if (!d || !d->open)
        return;
    int base = d->pos;
    if (d->onDeleted && n > 0)
        base -= 1;
    moveTo(d.get(), base + n);
}

int Recordset::recordCount() const
{
    if (!d || !d->open)
        return -1;
    return int(d->view.size());
}

int Recordset::absolutePosition() const
{
    if (!d || !d->open || d->view.isEmpty())
        return -3;
    if (d->pos < 0)
        return -1;
    if (d->pos >= d->view.size())
        return -2;
    return d->pos + 1;
}

Error Recordset::setAbsolutePosition(int position)
{
    if (!d || !d->open)
        return closedError();
    if (position < 1 || position > d->view.size())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The position %1 is outside the record set.").arg(position));
    moveTo(d.get(), position - 1);
    return Error();
}

Bookmark Recordset::bookmark() const
{
    if (!d)
        return -1;
    return d->currentIndex();
}

Error Recordset::setBookmark(Bookmark bookmark)
{
    if (!d || !d->open)
        return closedError();
    const int i = int(d->view.indexOf(int(bookmark)));
    if (i < 0)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The bookmark does not name a row of the record set."));
    moveTo(d.get(), i);
    return Error();
}

Variant Recordset::value(int index) const
{
    if (!d || !d->open || index < 0 || index >= d->data->fields.size())
        return Variant();
    if (d->mode != EditMode::None)
        return d->buffer.value(index);
    const int r = d->currentIndex();
    if (r < 0)
        return Variant();
    return d->data->rows[r].values[index];
}

Variant Recordset::value(const QString& name) const
{
    return value(fieldIndex(name));
}

int Recordset::rowCount() const
{
    return d && d->open ? int(d->view.size()) : 0;
}

int Recordset::currentRow() const
{
    if (!d || !d->open || d->onDeleted || d->pos < 0 || d->pos >= d->view.size())
        return -1;
    return d->pos;
}

Error Recordset::setCurrentRow(int row)
{
    if (!d || !d->open)
        return closedError();
    if (row < 0 || row >= d->view.size())
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::InvalidArgument,
                         QStringLiteral("The row %1 is outside the record set.").arg(row));
    if (row != d->pos || d->onDeleted)
        moveTo(d.get(), row);
    return Error();
}

Variant Recordset::valueAt(int row, int column) const
{
    if (!d || !d->open || row < 0 || row >= d->view.size() || column < 0 || column >= d->data->fields.size())
        return Variant();
    if (d->mode == EditMode::InProgress && row == d->pos && !d->onDeleted)
        return d->buffer.value(column);
    return d->data->rows.at(d->view.at(row)).values.at(column);
}

Bookmark Recordset::bookmarkAt(int row) const
{
    if (!d || !d->open || row < 0 || row >= d->view.size())
        return -1;
    return d->view[row];
}

Error Recordset::find(const QString& criteria, int skipRows, bool forward)
{
    if (!d || !d->open)
        return closedError();
    Result<detail::Criteria> c = detail::Criteria::parse(criteria, fields());
    if (!c)
        return c.error();
    const int n = int(d->view.size());
    int start;
    if (d->pos < 0 || d->pos >= n)
        start = forward ? 0 : n - 1;
    else
        start = d->onDeleted && forward ? d->pos + std::max(0, skipRows - 1)
                                        : d->pos + (forward ? skipRows : -skipRows);
    for (int i = start; forward ? i < n : i >= 0; forward ? ++i : --i) {
        if (i < 0 || i >= n)
            continue;
        if (c.value().matches(d->data->rows[d->view[i]].values)) {
            moveTo(d.get(), i);
            return Error();
        }
    }
    moveTo(d.get(), forward ? n : -1);
    return Error();
}

Error Recordset::setFilter(const QString& criteria)
{
    if (!d || !d->open)
        return closedError();
    const QString old = d->filterText;
    d->filterText = criteria;
    if (Error e = d->rebuildView()) {
        d->filterText = old;
        d->rebuildView();
        return e;
    }
    d->mode = EditMode::None;
    d->onDeleted = false;
    d->pos = 0;
    d->notify(Change::Kind::Reset, -1);
    return Error();
}

QString Recordset::filter() const
{
    return d ? d->filterText : QString();
}

Error Recordset::setSort(const QString& sort)
{
    if (!d || !d->open)
        return closedError();
    const Bookmark current = d->currentIndex();
    const QString old = d->sortText;
    d->sortText = sort;
    if (Error e = d->rebuildView()) {
        d->sortText = old;
        d->rebuildView();
        return e;
    }
    const int at = current >= 0 ? int(d->view.indexOf(int(current))) : -1;
    d->pos = at >= 0 ? at : 0;
    d->onDeleted = false;
    d->notify(Change::Kind::Reset, -1);
    return Error();
}

QString Recordset::sort() const
{
    return d ? d->sortText : QString();
}

Recordset Recordset::clone() const
{
    if (!d)
        return Recordset();
    auto impl = std::make_shared<Impl>();
    impl->data = d->data;
    impl->open = d->open;
    impl->filterText = d->filterText;
    impl->sortText = d->sortText;
    impl->view = d->view;
    impl->relationField = d->relationField;
    impl->relationValue = d->relationValue;
    impl->pos = 0;
    return Recordset(impl);
}

Recordset Recordset::chapter(const QString& field) const
{
    if (!d || !d->data)
        return Recordset();
    for (const RecordsetData::Chapter& c : std::as_const(d->data->chapters)) {
        if (c.name.compare(field, Qt::CaseInsensitive) != 0)
            continue;
        auto impl = std::make_shared<Impl>();
        impl->data = c.child;
        impl->open = true;
        impl->relationField = c.childField;
        const int r = d->currentIndex();
        impl->relationValue = r >= 0
                                  ? d->data->rows[r].values[c.parentField]
                                  : (d->mode == EditMode::Add ? d->buffer.value(c.parentField) : Variant());
        impl->rebuildView();
        impl->pos = 0;
        return Recordset(impl);
    }
    return Recordset();
}

Error Recordset::requery()
{
    if (!d || !d->open)
        return closedError();
    if (d->data->inMemory || !d->data->connection) {
        d->rebuildView();
        d->pos = 0;
        d->mode = EditMode::None;
        d->notify(Change::Kind::Reset, -1);
        return Error();
    }
    if (d->data->generation != d->data->connection->generation || !d->data->connection->handle)
        return closedError();
    Result<Recordset> again = openQuery(d->data->connection, d->data->source, d->data->sourceValues,
                                        d->data->cursor, d->data->lock);
    if (!again)
        return again.error();
    d->data = again.value().d->data;
    d->mode = EditMode::None;
    d->onDeleted = false;
    d->buffer.clear();
    d->changed.clear();
    if (Error e = d->rebuildView()) {
        d->filterText.clear();
        d->rebuildView();
    }
    d->pos = 0;
    d->notify(Change::Kind::Reset, -1);
    return Error();
}

EditMode Recordset::editMode() const
{
    return d ? d->mode : EditMode::None;
}

bool Recordset::canUpdate() const
{
    return d && d->data && (d->data->inMemory || d->data->updatable) && d->data->lock != LockType::ReadOnly;
}

Error Recordset::addNew()
{
    if (!d || !d->open)
        return closedError();
    if (!canUpdate())
        return makeError(Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                         QStringLiteral("The record set cannot be updated (read-only source or lock)."));
    if (d->mode != EditMode::None)
        if (Error e = update())
            return e;
    d->mode = EditMode::Add;
    d->buffer = QVector<Variant>(d->data->fields.size(), Variant::null());
    d->changed = QVector<bool>(d->data->fields.size(), false);
    return Error();
}

Error Recordset::setValue(int index, const Variant& value)
{
    if (!d || !d->open)
        return closedError();
    if (index < 0 || index >= d->data->fields.size())
        return noField(QString::number(index));
    const Field& f = d->data->fields[index];
    const bool memory = d->data->inMemory || !d->data->connection;
    if (!memory && (!f.writable || d->data->lock == LockType::ReadOnly))
        return makeError(Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                         QStringLiteral("Field '%1' cannot be updated.").arg(f.name));
    Result<Variant> checked = detail::checkValue(f, value);
    if (!checked)
        return checked.error();
    if (d->mode == EditMode::None) {
        const int r = d->currentIndex();
        if (r < 0)
            return noCurrentRow();
        d->mode = EditMode::InProgress;
        d->buffer = d->data->rows[r].values;
        d->changed = QVector<bool>(d->data->fields.size(), false);
    }
    d->buffer[index] = checked.value();
    d->changed[index] = true;
    return Error();
}

Error Recordset::setValue(const QString& name, const Variant& value)
{
    const int i = fieldIndex(name);
    if (i < 0)
        return noField(name);
    return setValue(i, value);
}

namespace {

// Reads the fields of one table back from the database after a write.
Error readBack(sqlite3* h, const RecordsetData& data, const RecordsetData::Table& table, const QString& where,
               const QVector<Variant>& whereValues, QVector<Variant>& values)
{
    QStringList cols;
    for (int c : table.fieldsOf)
        cols << ident(data.fields[c].baseColumn);
    if (cols.isEmpty())
        return Error();
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2.%3 WHERE %4")
                               .arg(cols.join(u','), ident(table.database), ident(table.table), where)
                               .toUtf8();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(h, sql.constData(), int(sql.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc);
        sqlite3_finalize(st);
        return e;
    }
    for (int i = 0; i < whereValues.size(); ++i)
        detail::bindValue(st, i + 1, whereValues[i]);
    if (sqlite3_step(st) == SQLITE_ROW) {
        for (int k = 0; k < table.fieldsOf.size(); ++k) {
            const int c = table.fieldsOf[k];
            int size = 0;
            const int declared = detail::typeFromDeclared(data.fields[c].declaredType, &size);
            values[c] = detail::readColumn(st, k, declared);
        }
    }
    sqlite3_finalize(st);
    return Error();
}

Error runBound(sqlite3* h, const QString& sql, const QVector<Variant>& values, qint64* changes = nullptr)
{
    const QByteArray u = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(h, u.constData(), int(u.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc);
        sqlite3_finalize(st);
        return e;
    }
    for (int i = 0; i < values.size(); ++i)
        detail::bindValue(st, i + 1, values[i]);
    rc = sqlite3_step(st);
    Error e = rc == SQLITE_DONE || rc == SQLITE_ROW ? Error() : sqliteError(h, rc);
    sqlite3_finalize(st);
    if (changes)
        *changes = sqlite3_changes64(h);
    return e;
}

// The WHERE text and values that find a row of a table again.
bool keyOf(const RecordsetData& data, const RecordsetData::Table& table, const RecordsetData::Row& row,
           QString* where, QVector<Variant>* values)
{
    values->clear();
    if (table.keySlot >= 0) {
        const Variant k = row.keys.value(table.keySlot);
        if (k.isMissing())
            return false;
        *where = QStringLiteral("rowid = ?");
        values->push_back(k);
        return true;
    }
    if (table.pkFields.isEmpty())
        return false;
    QStringList parts;
    for (int c : table.pkFields) {
        const Variant v = row.values[c];
        if (v.isMissing())
            return false;
        parts << ident(data.fields[c].baseColumn) + QStringLiteral(" = ?");
        values->push_back(v);
    }
    *where = parts.join(QStringLiteral(" AND "));
    return true;
}

} // namespace

Error Recordset::update()
{
    if (!d || !d->open)
        return closedError();
    if (d->mode == EditMode::None)
        return Error();
    RecordsetData& data = *d->data;
    const bool memory = data.inMemory || !data.connection;
    const bool adding = d->mode == EditMode::Add;
    if (adding && d->relationField >= 0 && d->buffer.value(d->relationField).isMissing()) {
        d->buffer[d->relationField] = d->relationValue; // a new child row belongs to its parent
        d->changed[d->relationField] = true;
    }
    RecordsetData::Row row;
    if (adding) {
        row.values = d->buffer;
        row.keys = QVector<Variant>(data.tables.size(), Variant::null());
        for (int k = 0; k < row.keys.size(); ++k)
            row.keys[k] = Variant::null();
    } else {
        const int r = d->currentIndex();
        if (r < 0)
            return noCurrentRow();
        row = data.rows[r];
    }
    if (!memory) {
        Connection::Impl* conn = data.connection.get();
        if (!conn->handle || data.generation != conn->generation)
            return closedError();
        sqlite3* h = conn->handle;
        if (Error e = conn->savepoint())
            return e;
        QVector<Variant> newValues = d->buffer;
        QVector<Variant> newKeys = row.keys;
        Error failure;
        bool wroteAny = false;
        for (int t = 0; t < data.tables.size() && !failure; ++t) {
            const RecordsetData::Table& table = data.tables[t];
            QStringList cols;
            QVector<Variant> vals;
            for (int c : table.fieldsOf)
                if (d->changed.value(c)) {
                    cols << ident(data.fields[c].baseColumn);
                    vals << d->buffer[c];
                }
            const bool keyed = table.keySlot >= 0 || !table.pkFields.isEmpty();
            if (!keyed) {
                if (!cols.isEmpty())
                    failure =
                        makeError(Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                                  QStringLiteral("The table '%1' cannot be updated through this record set.")
                                      .arg(table.table));
                continue;
            }
            if (adding) {
                if (cols.isEmpty() && (wroteAny || t > 0))
                    continue;
                QString sql;
                if (cols.isEmpty()) {
                    sql = QStringLiteral("INSERT INTO %1.%2 DEFAULT VALUES")
                              .arg(ident(table.database), ident(table.table));
                } else {
                    QStringList marks;
                    for (int i = 0; i < cols.size(); ++i)
                        marks << QStringLiteral("?");
                    sql = QStringLiteral("INSERT INTO %1.%2 (%3) VALUES (%4)")
                              .arg(ident(table.database), ident(table.table), cols.join(u','),
                                   marks.join(u','));
                }
                failure = runBound(h, sql, vals);
                if (failure)
                    break;
                wroteAny = true;
                const qint64 rowid = sqlite3_last_insert_rowid(h);
                if (table.keySlot >= 0)
                    newKeys[table.keySlot] = Variant(static_cast<std::int64_t>(rowid));
                failure = readBack(h, data, table, QStringLiteral("rowid = ?"),
                                   {Variant(static_cast<std::int64_t>(rowid))}, newValues);
            } else {
                if (cols.isEmpty())
                    continue;
                QString where;
                QVector<Variant> keyValues;
                if (!keyOf(data, table, row, &where, &keyValues)) {
                    failure = makeError(
                        Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                        QStringLiteral("The row of '%1' cannot be located for updating.").arg(table.table));
                    break;
                }
                QStringList sets;
                for (const QString& c : cols)
                    sets << c + QStringLiteral(" = ?");
                qint64 changes = 0;
                failure =
                    runBound(h,
                             QStringLiteral("UPDATE %1.%2 SET %3 WHERE %4")
                                 .arg(ident(table.database), ident(table.table), sets.join(u','), where),
                             vals + keyValues, &changes);
                if (failure)
                    break;
                if (changes == 0) {
                    failure =
                        makeError(Error::Kind::NoCurrentRow, ErrorNumber::NoCurrentRecord,
                                  QStringLiteral("Row cannot be located for updating. Some values may have "
                                                 "been changed since it was last read."));
                    break;
                }
                wroteAny = true;
                // read back by the (possibly new) key
                RecordsetData::Row after = row;
                after.values = newValues;
                if (keyOf(data, table, after, &where, &keyValues))
                    failure = readBack(h, data, table, where, keyValues, newValues);
            }
        }
        if (failure) {
            conn->rollbackSavepoint();
            return failure;
        }
        if (Error e = conn->release()) {
            conn->rollbackSavepoint();
            return e;
        }
        row.values = newValues;
        row.keys = newKeys;
    } else {
        row.values = d->buffer;
    }
    d->mode = EditMode::None;
    d->buffer.clear();
    d->changed.clear();
    if (adding) {
        data.rows.push_back(row);
        d->view.push_back(int(data.rows.size() - 1));
        d->pos = int(d->view.size() - 1);
        d->onDeleted = false;
        d->notify(Change::Kind::RowAdded, d->pos);
        d->notify(Change::Kind::PositionChanged, d->pos);
    } else {
        data.rows[d->currentIndex()] = row;
        d->notify(Change::Kind::RowChanged, d->pos);
    }
    return Error();
}

void Recordset::cancelUpdate()
{
    if (!d || d->mode == EditMode::None)
        return;
    const bool wasEdit = d->mode == EditMode::InProgress;
    d->mode = EditMode::None;
    d->buffer.clear();
    d->changed.clear();
    if (wasEdit && d->pos >= 0 && d->pos < d->view.size())
        d->notify(Change::Kind::RowChanged, d->pos);
}

Error Recordset::deleteCurrent()
{
    if (!d || !d->open)
        return closedError();
    if (d->mode == EditMode::Add) {
        cancelUpdate();
        return Error();
    }
    const int r = d->currentIndex();
    if (r < 0)
        return noCurrentRow();
    RecordsetData& data = *d->data;
    const bool memory = data.inMemory || !data.connection;
    if (!memory) {
        if (!canUpdate())
            return makeError(Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                             QStringLiteral("The record set cannot be updated (read-only source or lock)."));
        Connection::Impl* conn = data.connection.get();
        if (!conn->handle || data.generation != conn->generation)
            return closedError();
        if (Error e = conn->savepoint())
            return e;
        Error failure;
        int deleted = 0;
        for (const RecordsetData::Table& table : std::as_const(data.tables)) {
            QString where;
            QVector<Variant> keyValues;
            if (!keyOf(data, table, data.rows[r], &where, &keyValues))
                continue;
            failure = runBound(conn->handle,
                               QStringLiteral("DELETE FROM %1.%2 WHERE %3")
                                   .arg(ident(table.database), ident(table.table), where),
                               keyValues);
            if (failure)
                break;
            ++deleted;
        }
        if (!failure && deleted == 0)
            failure = makeError(Error::Kind::ReadOnly, ErrorNumber::ReadOnly,
                                QStringLiteral("The row cannot be located for deleting."));
        if (failure) {
            conn->rollbackSavepoint();
            return failure;
        }
        if (Error e = conn->release()) {
            conn->rollbackSavepoint();
            return e;
        }
    }
    d->mode = EditMode::None;
    data.rows[r].deleted = true;
    const int at = d->pos;
    d->view.removeAt(at);
    d->onDeleted = true;
    d->notify(Change::Kind::RowRemoved, at);
    return Error();
}

Recordset Recordset::copyDisconnected() const
{
    auto impl = std::make_shared<Impl>();
    impl->data = std::make_shared<RecordsetData>();
    RecordsetData& out = *impl->data;
    out.inMemory = true;
    out.updatable = true;
    if (d && d->data) {
        out.fields = d->data->fields;
        out.source = d->data->source;
        for (Field& f : out.fields)
            f.writable = true;
        out.fieldTable.fill(-1, out.fields.size());
        for (int i : std::as_const(d->view)) {
            RecordsetData::Row row = d->data->rows[i];
            row.keys.clear();
            out.rows.push_back(row);
        }
    }
    impl->open = d ? d->open : false;
    impl->rebuildView();
    impl->pos = 0;
    return Recordset(impl);
}

int Recordset::addObserver(std::function<void(const Change&)> observer)
{
    if (!d)
        d = createInMemory().d;
    const int id = d->nextObserver++;
    d->observers.push_back({id, std::move(observer)});
    return id;
}

void Recordset::removeObserver(int id)
{
    if (!d)
        return;
    for (int i = 0; i < d->observers.size(); ++i)
        if (d->observers[i].first == id) {
            d->observers.removeAt(i);
            return;
        }
}

} // namespace db

namespace db {

// A read-only record set over the rows of a statement already prepared and
// bound (the last statement of a procedure); finalizes it.
Result<Recordset> readOnlyRecordset(const std::shared_ptr<Connection::Impl>& conn, sqlite3_stmt* stmt,
                                    const QString& source)
{
    auto data = std::make_shared<RecordsetData>();
    data->connection = conn;
    data->generation = conn->generation;
    data->source = source;
    data->lock = LockType::ReadOnly;
    const int n = sqlite3_column_count(stmt);
    QVector<int> declared(n, -1);
    for (int c = 0; c < n; ++c) {
        Field f;
        f.name = utf8(sqlite3_column_name(stmt, c));
        f.declaredType = utf8(sqlite3_column_decltype(stmt, c));
        f.baseDatabase = utf8(sqlite3_column_database_name(stmt, c));
        f.baseTable = utf8(sqlite3_column_table_name(stmt, c));
        f.baseColumn = utf8(sqlite3_column_origin_name(stmt, c));
        int size = 0;
        declared[c] = detail::typeFromDeclared(f.declaredType, &size);
        f.type = declared[c] < 0 ? Type::VarWChar : declared[c];
        f.definedSize = size;
        data->fields.push_back(f);
    }
    data->fieldTable.fill(-1, n);
    int rc;
    detail::ColumnReader reader(declared);
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        RecordsetData::Row row;
        row.values.reserve(n);
        for (int c = 0; c < n; ++c)
            row.values.push_back(reader.read(stmt, c));
        data->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        Error e = sqliteError(conn->handle, rc);
        sqlite3_finalize(stmt);
        return e;
    }
    sqlite3_finalize(stmt);
    return openOverRows(data, declared);
}

} // namespace db
