#pragma once
// Shared between the layer's source files; not for callers.

#include "platform/db/db.h"

#include <QHash>
#include <QSet>
#include <sqlite3.h>

namespace db::detail {

// The source every error of the layer carries.
inline QString errorSource()
{
    return QStringLiteral("Quorvel.db");
}

Error makeError(Error::Kind kind, int number, const QString& description);

// This process's use of a database file, which other processes of the
// program see through a lock on "<file>.lock" beside it: shared while the
// file is open (its own connection or an attached link), exclusive while
// one connection or a compaction must have it alone. Released when the last
// copy of the hold goes.
class UseHold;
// A shared use waits a while for an exclusive holder (a compaction) to
// finish; an exclusive one is refused while any other process, or another
// connection of this process, uses the file.
Result<std::shared_ptr<UseHold>> holdDatabase(const QString& path, bool exclusive);

// The engine's error after rc (extended codes mapped to kinds and numbers).
Error sqliteError(sqlite3* db, int rc, const QString& context = QString());

// ADO type code and width from a declared type ("TEXT(50)", "DOUBLE", ...).
int typeFromDeclared(const QString& declared, int* size);
// ADO type code of a value (for expression columns).
int typeOfValue(const Variant& v);

// The stored text of a date: "yyyy-MM-dd", or "yyyy-MM-dd HH:mm:ss" when the
// time is not midnight, written into text (room for 20 characters) without
// the format parser; 0 for an invalid date or time or a year outside 1-9999.
int isoDateText(const QDate& date, const QTime& time, char* text);

// Where a statement keeps the UTF-8 of the text or date bound to one of its
// parameters, which SQLite then reads without a copy of its own. A new value
// is written to `next` and the two change places once SQLite takes it: a
// bind SQLite refuses (the statement has run and was not reset) leaves the
// value it still reads untouched.
struct BoundText
{
    QByteArray bound;
    QByteArray next;
};

// Binding and reading values. A text or a date is bound as UTF-8: copied by
// SQLite, or, given `kept` (which must live as long as the statement), from
// there.
void bindValue(sqlite3_stmt* stmt, int position, const Variant& value, BoundText* kept = nullptr);
Variant readColumn(sqlite3_stmt* stmt, int column, int adoType);
// Reads the rows of one statement column by column, keeping for each column
// the values it read last: a stored text met again takes the value read
// then (a shared string, no new one), so a column that holds few values on
// many rows (codes, countries, an imported file's name and date) costs one
// string per value instead of one per row. Dates are always kept, as a date
// goes through the time zone when it becomes a value, which is slow; a text
// column whose values rarely repeat stops being kept after its first rows.
class ColumnReader
{
public:
    explicit ColumnReader(const QVector<int>& adoTypes);
    Variant read(sqlite3_stmt* stmt, int column);

private:
    struct Kept
    {
        QByteArray text;
        Variant value;
    };
    struct Column
    {
        int type = -1;
        bool keep = true;
        int reads = 0;
        int hits = 0;
        QVector<Kept> kept;
    };
    QVector<Column> m_columns;
};
Variant fromSqliteValue(sqlite3_value* value);
// A stored value read as the field's type: dates from ISO text, Yes/No as
// booleans, numbers as numbers.
Variant convertRead(const Variant& raw, int adoType);
// A value as the field's column takes it: checks width, number and date,
// normalises Yes/No to -1/0 and dates to date values.
Result<Variant> checkValue(const Field& field, const Variant& value);
// Jet's text of a value for string functions: numbers as 84713000, dates ISO.
QString textOf(const Variant& v);
// Rounds half to even at the given number of decimals (see db.h).
double roundHalfEven(double x, int digits);

void registerFunctions(sqlite3* db);

// Criteria of Find and Filter, evaluated on one row.
class Criteria
{
public:
    // names: the record set's field names (matched without regard to case)
    static Result<Criteria> parse(const QString& text, const QList<Field>& fields);
    bool matches(const QVector<Variant>& row) const;
    bool isEmpty() const { return m_nodes.isEmpty(); }

    struct Node
    {
        enum Kind
        {
            And,
            Or,
            Not,
            Compare,
            IsNull,
            IsNotNull,
            Like
        };
        Kind kind = Compare;
        int left = -1, right = -1; // child nodes
        int field = -1;
        QString op;
        Variant value;
        QString pattern; // LIKE pattern, capitals
    };

private:
    bool eval(int node, const QVector<Variant>& row) const;
    QVector<Node> m_nodes;
    int m_root = -1;
};

// A comparison for sorting and criteria: Null first, numbers by value, text
// without regard to case.
int compareValues(const Variant& a, const Variant& b);
bool likeMatch(const QString& textUpper, const QString& patternUpper);

} // namespace db::detail

namespace db {

struct Connection::Impl
{
    sqlite3* handle = nullptr;
    QString text; // the connection text as given
    QString path;
    bool readOnly = false;
    std::shared_ptr<detail::UseHold> use; // of the database file, while open
    int transactionDepth = 0;
    quint64 generation = 0; // grows at each close, so old record sets know

    struct Link
    {
        QString name;
        QString file;
        QString table;
        QString alias; // attachment name, "" when the source is missing
        std::shared_ptr<detail::UseHold> use; // of the source file, while attached
    };
    QVector<Link> links;

    // Names of text columns of the main schema (never also a number column).
    QSet<QString> textColumns;
    bool textColumnsKnown = false;
    bool internalStatement = false; // the layer's own DDL on attachments
    bool normalisesYesNo = true;    // see Connection::setNormalisesYesNo

    ~Impl();
    void closeHandle();
    Error requireOpen() const;
    // Prepares one statement; jet applies the rewrite. A text with a second
    // statement is refused.
    Result<sqlite3_stmt*> prepare(const QString& sql, bool jet);
    QString rewrite(const QString& sql);
    void loadTextColumns();
    Error attachLinks();
    // Yes/No columns hold -1 and 0 whatever a statement writes (temp triggers).
    void normaliseYesNo();
    Error attachLink(Link& link);
    const Link* findLink(const QString& name) const;
    QString aliasFor(const QString& file) const;
    Error exec(const QString& sql); // the layer's own statements, no rewrite
    // SAVEPOINT / RELEASE / ROLLBACK TO around one action of several writes
    Error savepoint();
    Error release();
    void rollbackSavepoint();
};

class RecordsetData
{
public:
    QVector<Field> fields;
    // Per base table: where it lives and how a row is found again.
    struct Table
    {
        QString database; // "main" or an attachment
        QString table;
        int keySlot = -1;      // index into Row::keys when written by rowid
        QVector<int> pkFields; // written by primary-key values when no rowid
        QString rowidColumn;   // the INTEGER PRIMARY KEY column, if any
        QVector<int> fieldsOf; // fields of this table
    };
    QVector<Table> tables;
    QVector<int> fieldTable; // per field: index into tables, -1 none
    struct Row
    {
        QVector<Variant> values;
        QVector<Variant> keys; // rowid per table slot (Null when the row has none)
        bool deleted = false;
    };
    QVector<Row> rows; // bookmark = index, rows are only appended
    std::shared_ptr<Connection::Impl> connection;
    quint64 generation = 0;
    QString source;
    QVector<Variant> sourceValues;
    CursorType cursor = CursorType::Static;
    LockType lock = LockType::Optimistic;
    bool inMemory = false;
    bool updatable = false;
    // SHAPE: the child rows of each chapter field.
    struct Chapter
    {
        QString name;
        int parentField = -1;
        int childField = -1;
        std::shared_ptr<RecordsetData> child;
    };
    QVector<Chapter> chapters;
};

struct Recordset::Impl : std::enable_shared_from_this<Recordset::Impl>
{
    std::shared_ptr<RecordsetData> data;
    bool open = false;
    QVector<int> view; // row indexes in the current order
    int pos = -1;      // index into view; -1 BOF, view.size() EOF
    bool onDeleted = false;
    QString filterText;
    QString sortText;
    int relationField = -1; // a chapter: only rows whose field equals relationValue
    Variant relationValue;
    EditMode mode = EditMode::None;
    QVector<Variant> buffer;
    QVector<bool> changed;
    QVector<std::pair<int, std::function<void(const Change&)>>> observers;
    int nextObserver = 1;

    void notify(Change::Kind kind, int row);
    Error rebuildView();
    int currentIndex() const; // row index in data->rows, -1 none
};

// Opens a client-side record set over one SELECT (Jet dialect).
Result<Recordset> openQuery(const std::shared_ptr<Connection::Impl>& conn, const QString& source,
                            const QVector<Variant>& values, CursorType cursor, LockType lock);

// A read-only record set over a prepared, bound statement; finalizes it.
Result<Recordset> readOnlyRecordset(const std::shared_ptr<Connection::Impl>& conn, sqlite3_stmt* stmt,
                                    const QString& source);

} // namespace db
