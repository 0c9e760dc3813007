#pragma once
// platform/db: the program's database layer. Connections, commands, client-side
// record sets, saved queries and procedures, schema queries, linked tables and
// compaction, with the behaviour the program's Jet SQL expects, over SQLite.
//
// The program's SQL texts are written in Jet's dialect (TOP n, LEFT(), ISNULL(),
// IIF(), "text", #dates#, True/False, + joining texts); every text passed to
// Connection::execute, Connection::openRecordset and Statement::prepare is
// rewritten to SQLite's dialect before it is prepared (see rewrite.h). Schema
// scripts, views and procedure bodies are SQLite SQL and run as written; the
// Jet functions (IIf, Nz, Left, ...) are registered on every connection for
// both.
//
// Expected failures come back as values (Error, Result<T>), never exceptions.

#include "platform/db/variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace db {

// ADO data type codes, as each field reports them.
namespace Type {
enum : int
{
    Empty = 0,
    SmallInt = 2,
    Integer = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    Variant = 12,
    TinyInt = 16,
    UnsignedTinyInt = 17, // BYTE
    BigInt = 20,
    Numeric = 131, // DECIMAL
    Char = 129,
    WChar = 130,
    VarChar = 200,
    LongVarChar = 201,
    VarWChar = 202,      // TEXT(n)
    LongVarWChar = 203,  // MEMO
    LongVarBinary = 205, // BLOB
    Chapter = 136        // a SHAPE record set's child rows
};
} // namespace Type

// True when the type code is one of the text types (129, 130, 200-203).
bool isTextType(int type);
// True when the type code is a number type (2-6, 16, 17, 20, 131).
bool isNumberType(int type);

// Error numbers the layer gives (the program prints them as they are).
namespace ErrorNumber {
enum : int
{
    IntegrityViolation = -2147217873, // 0x80040E2F: unique, primary or foreign key, NOT NULL
    General = -2147467259,            // 0x80004005: the engine's own failure (file, I/O, busy)
    Syntax = -2147217900,             // 0x80040E14: the command text cannot be prepared
    TypeMismatch = -2147217913,       // 0x80040E07: a value the column cannot take
    MultipleStep = -2147217887,       // 0x80040E21: a text longer than the column
    ReadOnly = -2147217911,           // 0x80040E09: the field or source cannot be written
    NoCurrentRecord = -2146825267,    // 0x800A0BCD: BOF or EOF, or the row was deleted
    ObjectClosed = -2146824584,       // 0x800A0E78: the connection or record set is closed
    NotInCollection = -2146825023,    // 0x800A0CC1: no field or parameter of that name
    InvalidArgument = -2146825287,    // 0x800A0BB9: a bad argument (criteria, sort, position)
};
} // namespace ErrorNumber

struct Error
{
    // What went wrong, for callers that react to the cause. The grid maps the
    // data errors to its numbers 1..8 with dataErrorCode().
    enum class Kind
    {
        None,
        General,
        Syntax,             // cannot be prepared (no such table, syntax error)
        FileNotFound,       // open of a missing file
        MultipleStatements, // a command with more than one statement
        TooLong,            // text longer than TEXT(n)
        NotNumber,          // non-number into a number column
        NotDate,            // non-date into a DATETIME column
        Duplicate,          // unique or primary key violated
        ForeignKey,         // foreign key violated
        NotNull,            // NOT NULL violated
        Constraint,         // a CHECK constraint or another integrity rule
        ReadOnly,           // the field, record set or source cannot be written
        Busy,               // the database is locked by another connection
        NoCurrentRow,       // BOF/EOF, or no row to act on
        Closed,             // the object is not open
        NotFound,           // no field, parameter, procedure or link of that name
        InvalidArgument,    // a bad criteria, sort text, position or file
        Io,                 // reading or writing a file failed
        DiskFull,           // no room left where a file is written (the disk, a quota, a size limit)
    };

    int number = 0;
    QString description;
    QString source;
    Kind kind = Kind::None;

    Error() = default;
    Error(Kind k, int n, QString d, QString s = QString())
        : number(n), description(std::move(d)), source(std::move(s)), kind(k)
    {
    }

    bool isError() const { return kind != Kind::None || number != 0; }
    explicit operator bool() const { return isError(); }
    // "<number>: <description>" for logs and tests.
    QString text() const;
    // The grid's data-error code: 1 text too long, 2 not a number, 3 not a
    // date, 4 duplicate key, 5 foreign key, 6 NOT NULL, 7 read-only source,
    // 8 busy or locked; 0 for any other error.
    int dataErrorCode() const;
};

// A value or an Error.
template <class T> class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Error error) : m_error(std::move(error))
    {
        if (!m_error.isError())
            m_error = Error(Error::Kind::General, ErrorNumber::General, QStringLiteral("Unknown error"));
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); } // true when it holds a value
    const Error& error() const { return m_error; }

    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T valueOr(T other) const { return ok() ? *m_value : std::move(other); }

private:
    std::optional<T> m_value;
    Error m_error;
};

// Doubles every ' so that the text can stand between single quotes in SQL:
// "D'Arc" -> "D''Arc". The one helper for a text value pasted into SQL.
QString quote(const QString& text);
// quote() inside the quotes: "D'Arc" -> "'D''Arc'".
QString quoted(const QString& text);

// The key=value pairs of a connection text such as
// "Provider=...;Data Source='<path>';Mode=Read". A value that starts with a
// single or double quote runs to its closing quote and may hold ";"; inside
// it the quote doubled stands for itself, so quoted() makes any path safe to
// put there ("Data Source=" + quoted(path)). Any other value runs to the next
// ";", apostrophes and all.
QVector<std::pair<QString, QString>> connectionPairs(const QString& text);
// The value of key (case-insensitive) in a connection text; empty if absent.
QString connectionValue(const QString& text, QStringView key);

// Rounds half to even at the given number of decimals (2.5 -> 2, 3.5 -> 4),
// as the SQL ROUND() of every connection does. A value is on a half when the
// decimal it stands for is one, to the error a double carries (two units in
// the last place of the value scaled to the decimals): 2.675 gives 2.68 at 2
// decimals, 987654321.49 gives 987654321 and 2500000000.5 gives 2500000000,
// while 1244096322.500003 gives 1244096323.
double roundHalfEven(double x, int digits);

// An amount as a Romanian user writes it, blanks around it and a leading
// sign allowed:
// - blanks, no-break spaces and apostrophes group digits ("1 234,5");
// - a lone comma is the decimal mark ("1234,5", "1,234" is 1.234);
// - with both a dot and a comma the rightmost one is the decimal mark
//   ("1.234,56", "1,234.56");
// - several dots or several commas group thousands ("1.234.567");
// - a lone dot is the decimal mark ("1.234" is 1.234).
// Groups after the first hold three digits, the decimal part has none, and
// only one kind of grouping is used. Nothing for any other text ("12,3,4",
// "1e5", "12 lei"). The import reads the amounts of text cells so, and the
// grids what is typed into a number cell; a grid that shows whole amounts
// grouped by a dot or a comma names that mark as wholeGroup, and a lone one
// before three digits then groups them, as shown ("1.234" is 1234).
std::optional<double> readAmount(QStringView text, QChar wholeGroup = QChar());

// One field (column) of a record set.
struct Field
{
    QString name;
    int type = Type::VarWChar; // ADO type code
    int definedSize = 0;       // n of TEXT(n); 0 when there is no width
    QString declaredType;      // as the schema declares it, "" for an expression
    QString baseDatabase;      // schema of the origin ("main", an attachment), "" for an expression
    QString baseTable;         // origin table, "" for an expression
    QString baseColumn;        // origin column, "" for an expression
    bool nullable = true;
    bool autoIncrement = false;
    bool writable = false; // the record set can write this field back
};

// Cursor and lock kinds of ADO; the layer's record sets are always client-side
// static cursors over all rows, so only the lock kind changes what is allowed.
enum class CursorType
{
    ForwardOnly = 0,
    Keyset = 1,
    Dynamic = 2,
    Static = 3
};
enum class LockType
{
    ReadOnly = 1,
    Pessimistic = 2,
    Optimistic = 3,
    BatchOptimistic = 4
};
enum class EditMode
{
    None = 0,
    InProgress = 1,
    Add = 2
};

// A bookmark: identifies one row of a record set and of its clones.
using Bookmark = qint64;

// What happened to a record set, for a grid model following it.
struct Change
{
    enum class Kind
    {
        PositionChanged,
        RowChanged,
        RowAdded,
        RowRemoved,
        Reset
    };
    Kind kind = Kind::Reset;
    int row = -1; // 0-based row in the record set's current order (filter and sort applied)
};

class Connection;
class RecordsetData;

// A client-side record set: every row read at open, the statement finalized.
// A Recordset is a handle: copies refer to the same record set and cursor
// (like Set rs2 = rs); clone() gives a second cursor over the same rows.
class Recordset
{
public:
    Recordset(); // closed
    ~Recordset();
    Recordset(const Recordset&);
    Recordset& operator=(const Recordset&);
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    // An in-memory record set: append the fields, then open() it, then add
    // rows with addNew/setValue/update. Every field is writable.
    static Recordset createInMemory();
    // type is an ADO code; size is the width of a text field (0 = no limit).
    Error appendField(const QString& name, int type, int size = 0);
    Error open();

    bool isOpen() const;
    int state() const { return isOpen() ? 1 : 0; }
    void close();
    bool isNull() const; // no record set behind this handle at all

    // The SQL text the record set was opened with ("" for in-memory ones).
    QString source() const;
    QString connectionString() const;
    Connection connection() const; // closed Connection when disconnected
    CursorType cursorType() const;
    LockType lockType() const;

    // Fields.
    int fieldCount() const;
    const Field& field(int index) const;
    QList<Field> fields() const;
    // Case-insensitive; -1 when there is no such field.
    int fieldIndex(const QString& name) const;

    // Position.
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moves n rows from the current row (negative backwards); stops at BOF/EOF.
    void move(int n);
    int recordCount() const;
    // 1-based; -1 when at BOF, -2 at EOF (ADO's adPosBOF/adPosEOF), -3 when empty.
    int absolutePosition() const;
    Error setAbsolutePosition(int position);
    Bookmark bookmark() const; // -1 when there is no current row
    Error setBookmark(Bookmark bookmark);

    // Values of the current row. A missing field or no current row gives Empty.
    Variant value(int index) const;
    Variant value(const QString& name) const;
    Variant operator[](const QString& name) const { return value(name); }

    // Bulk access for grid models: rows in the current order, no SQL.
    int rowCount() const;
    int currentRow() const; // 0-based, -1 at BOF/EOF
    Error setCurrentRow(int row);
    Variant valueAt(int row, int column) const;
    Bookmark bookmarkAt(int row) const;

    // Finds the next row matching a criteria such as "[F] LIKE 'v%'",
    // "F LIKE 'v*'" or "F = 'v'" (text compared without regard to case),
    // from the current row forward (or from the first row when at BOF/EOF
    // and start is not given); the cursor is at EOF when nothing matches.
    // skipRows = 1 starts with the row after the current one.
    Error find(const QString& criteria, int skipRows = 0, bool forward = true);

    // Filter: "Col='X'", "[F] = 'v' AND G > 3", "F LIKE 'a*'"; "" clears.
    Error setFilter(const QString& criteria);
    QString filter() const;
    // Sort: "Col ASC, Col2 DESC"; "" clears.
    Error setSort(const QString& sort);
    QString sort() const;

    // A second cursor over the same rows (it starts at the first row).
    Recordset clone() const;
    // Record sets opened on "SHAPE {parent} AS ParentCMD APPEND ({child} AS
    // ChildCMD RELATE [a] TO [b])" carry a field ChildCMD (type Chapter);
    // chapter("ChildCMD") gives the child rows of the current parent row as
    // an updatable record set (a new child row takes the parent's key).
    // A requery of the parent reads the children again; take the chapter anew.
    Recordset chapter(const QString& field) const;
    // Reads the rows again from the source (filter and sort are kept).
    Error requery();

    // Editing.
    EditMode editMode() const;
    Error addNew();
    // Checks the value against the field (width, number, date) and keeps it
    // in the edit buffer; starts an edit of the current row when none is on.
    Error setValue(int index, const Variant& value);
    Error setValue(const QString& name, const Variant& value);
    // Writes the edit buffer (insert or update by key) and reads the stored
    // row back (defaults, AUTOINCREMENT key).
    Error update();
    void cancelUpdate();
    // Deletes the current row from its source; the cursor stays on the
    // deleted position (moveNext goes on with the row after it).
    Error deleteCurrent();
    bool canUpdate() const; // any field can be written

    // A copy that belongs to no connection: same fields (all writable), same
    // rows; changes stay in memory.
    Recordset copyDisconnected() const;

    // Persistence as XML (a format of the layer's own).
    Error save(const QString& path) const;
    static Result<Recordset> load(const QString& path);

    // Change notifications; the returned id removes the observer.
    int addObserver(std::function<void(const Change&)> observer);
    void removeObserver(int id);

    // Internals shared with Connection.
    struct Impl;
    explicit Recordset(std::shared_ptr<Impl> impl);
    const std::shared_ptr<Impl>& impl() const { return d; }

private:
    std::shared_ptr<Impl> d;
};

// A value as a field of that type and width takes it, checked as update()
// checks it: Null for Null or Empty; an error for a text longer than the
// field, a non-number in a number column or a non-date in a date column.
// For writers that insert through a prepared statement.
Result<Variant> checkFieldValue(const Field& field, const Variant& value);

// One parameter of a saved procedure.
struct Parameter
{
    enum Direction
    {
        Input = 1,
        Output = 2,
        InputOutput = 3,
        ReturnValue = 4
    };
    int position = 0; // 0 = the return value, then 1..n
    QString name;
    int type = Type::Integer; // ADO code
    int direction = Input;
};

// A table of the database, as the tables schema query reports it.
struct TableInfo
{
    QString name;
    QString kind; // "TABLE", "VIEW" or "LINK"
};

class Statement;
class Transaction;

// A database connection. A Connection is a handle: copies share the same
// open database (like Set cn2 = cn); the database closes with close() or
// when the last handle goes.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&);
    Connection& operator=(const Connection&);
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;

    // Opens an existing database. Accepts a connection text such as
    // "Provider=Microsoft.Jet.OLEDB.4.0;Data Source='<path>';Mode=Read|Write"
    // (quotes optional, Mode=Read opens read-only) or a bare path. Never
    // creates a file: a missing one is an error. Attaches the linked tables.
    // While open, the file (and each linked source) is in use for the other
    // processes of the program; Mode=Share Exclusive opens it only when no
    // one else uses it and keeps them out until it closes (a Busy error).
    Error open(const QString& connectionText);
    void close();
    bool isOpen() const;
    int state() const { return isOpen() ? 1 : 0; } // 0 closed, 1 open
    QString connectionString() const;              // as given to open()
    QString path() const;                          // the database file
    bool isReadOnly() const;

    // One statement (Jet dialect); a text of two statements is refused and
    // nothing of it runs. Gives the rows affected (0 for DDL).
    Result<qint64> execute(const QString& sql);
    // Same, with values bound to ? / ?1..?n.
    Result<qint64> execute(const QString& sql, const QVector<Variant>& values);
    // A client-side record set over one SELECT (Jet dialect).
    Result<Recordset> openRecordset(const QString& sql, CursorType cursor = CursorType::Static,
                                    LockType lock = LockType::Optimistic);
    Result<Recordset> openRecordset(const QString& sql, const QVector<Variant>& values,
                                    CursorType cursor = CursorType::Static,
                                    LockType lock = LockType::Optimistic);
    // Several statements (SQLite dialect, or Jet when jetDialect is set) run
    // in order in one transaction; any failure rolls all of it back.
    Error executeScript(const QString& script, bool jetDialect = false);
    // Whether the Yes/No columns of the tables made from now on are kept to
    // -1 and 0 by triggers (the default, back with each open). Off for a
    // private database that only the program's own bound values fill, which
    // are -1 and 0 already: a trigger for each of thousands of columns costs
    // far more than the table.
    void setNormalisesYesNo(bool on);
    qint64 lastInsertRowId() const;

    // Creates a new, empty database file with the layer's tables. The only
    // call that creates a file; refuses an existing one.
    static Error createDatabase(const QString& path);

    // Transactions (see also Transaction below).
    Error begin();
    Error commit();
    Error rollback();
    bool inTransaction() const;

    // Saved procedures (the _Proceduri/_Parametri catalogue).
    Result<QVector<Parameter>> parameters(const QString& procedure);
    // values[i] is the value of parameter position i (index 0, the return
    // value, is ignored on input); missing inputs are Null. Gives every
    // position's value after the run: 0 for the return value, the inputs as
    // given, each output from the same-named column of the last row of the
    // last statement (Null when there is none).
    Result<QVector<Variant>> runProcedure(const QString& procedure, const QVector<Variant>& values = {});
    // Same, also giving the rows of the last statement as a record set.
    Result<Recordset> openProcedure(const QString& procedure, const QVector<Variant>& values = {},
                                    QVector<Variant>* parameterValues = nullptr);
    bool hasProcedure(const QString& procedure);
    // Adds or replaces a procedure in the catalogue; params are positions
    // 1..n (the return value row is added).
    Error createProcedure(const QString& name, const QString& body, const QVector<Parameter>& params);
    Error dropProcedure(const QString& name);

    // Schema queries. tables(): name and kind, the layer's own tables and
    // SQLite's left out, links reported as "LINK".
    Result<QVector<TableInfo>> tables();
    // As a record set with TABLE_NAME and TABLE_TYPE.
    Result<Recordset> tablesSchema();
    // The columns of a table, view or link: TABLE_NAME, COLUMN_NAME,
    // ORDINAL_POSITION (1-based), COLUMN_DEFAULT (Jet's form: "RO", 0, Null),
    // IS_NULLABLE, DATA_TYPE (ADO code), CHARACTER_MAXIMUM_LENGTH (Null for
    // memo and non-text), NUMERIC_PRECISION, DATETIME_PRECISION, DESCRIPTION.
    Result<Recordset> columnsSchema(const QString& table);
    bool tableExists(const QString& name); // table, view or link

    // Linked tables (the _Legaturi table). createLink refuses a name a local
    // table or view has; dropLink deletes the row and detaches, never drops
    // anything in the source.
    Error createLink(const QString& name, const QString& sourceFile, const QString& sourceTable,
                     const QString& provider = QString());
    Error dropLink(const QString& name);
    bool isLink(const QString& name);

    // Compaction: VACUUM INTO the work copy, integrity check of the copy, then
    // an atomic replace of the original; the work copy stays. Any failure
    // leaves the original as it was. Refused (Busy) while another process of
    // the program or a connection of this one uses the file, and while a
    // -journal or -wal file is beside it; no one opens it meanwhile.
    static Error compactDatabase(const QString& path, const QString& workCopy);
    // Same, the work copy named as the original inside workFolder.
    static Error compact(const QString& path, const QString& workFolder);

    struct Impl;
    explicit Connection(std::shared_ptr<Impl> impl);
    const std::shared_ptr<Impl>& impl() const { return d; }

private:
    std::shared_ptr<Impl> d;
};

// Rolls back unless commit() is called.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    const Error& error() const { return m_error; } // of the BEGIN
    Error commit();

private:
    Connection m_connection;
    Error m_error;
    bool m_active = false;
};

// For a copy that binds every value itself, the Yes/No ones as -1 and 0
// already: while the object lives, rows inserted into the table are not
// kept to -1 and 0 by its triggers. A trigger makes SQLite keep a journal
// of each statement, which cost a third of a large import's time. Made
// before the copy's transaction and ended after it.
class YesNoPause
{
public:
    YesNoPause(Connection& connection, const QString& table);
    ~YesNoPause();
    YesNoPause(const YesNoPause&) = delete;
    YesNoPause& operator=(const YesNoPause&) = delete;

private:
    Connection m_connection;
};

// A prepared statement for hot paths: prepare once, bind, step, read, reset.
// The same rewrite and functions as Connection::execute.
class Statement
{
public:
    Statement();
    ~Statement();
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    static Result<Statement> prepare(Connection& connection, const QString& sql);

    bool isValid() const;
    // 1-based positions, like ?1..?n.
    Error bind(int position, const Variant& value);
    // true while a row is there, false when done.
    Result<bool> step();
    int columnCount() const;
    QString columnName(int column) const;
    Variant column(int column) const; // 0-based
    // Resets for another run; bindings are kept unless clearBindings().
    void reset();
    void clearBindings();
    qint64 changes() const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Today for the SQL Date() and Now(): the program's clock (sys::Clock).

} // namespace db
