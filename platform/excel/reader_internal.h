#pragma once
// Shared by the .xls and .xlsx back ends of the workbook reader: the cells of
// a sheet as the file gives them, before the heading row and the row range
// are applied, and the limits every read keeps whatever the file claims.

#include "platform/excel/reader.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace excel::detail {

// Upper bounds of a worksheet (Excel 2007 and later).
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// What one read may hold in memory at once: the bytes of an .xls file and
// the streams taken out of it, an inflated .xlsx part while it is read, the
// texts an XML reader or a cell gathers, the shared texts, the cells of every
// sheet (the room of their arrays) with their texts, the field names, the row
// index of each table and the order a sort of the cells takes. A file that
// needs more is refused; the memory follows what a file holds, never the
// range or the sizes it claims. Beside it a read holds only buffers of a
// fixed size, whatever the file: the chunks fed to an XML reader and its
// element stack (see kMaxDepth), the short texts and the dates a sheet's
// scan keeps for reuse, libzip's and zlib's buffers; some 16 MB at most.
// What the read leaves of it pays for the tables made of the sheets (see
// planTables), which beside it hold SQLite's page cache of 16 MB.
constexpr qint64 kMaxReadMemory = qint64(1) << 30;
// A table of the private database: rows x columns up to the last non-empty
// row and column, blanks included, and at most as many columns as the
// database takes.
constexpr qint64 kMaxTableCells = 50'000'000;
constexpr int kMaxTableColumns = 2000;
// The rows of all the tables of a workbook together, blank rows included:
// each costs a row of the database, however few cells the file holds.
constexpr qint64 kMaxWorkbookRows = 4 * qint64(kMaxRows);
// The tables of a workbook: the database's work for each new table grows
// with the tables there are already.
constexpr int kMaxTables = 2000;
// The characters of all the texts of a workbook's cells together: each cell
// writes its text to the database whole, though the file may hold it once
// as a shared text for any number of cells.
constexpr qint64 kMaxWorkbookText = 500'000'000;
// The bytes of one part of an .xlsx once inflated, and of all its parts; an
// .xls file as a whole. Checked before anything is inflated or read, and
// again while reading, since a size the file declares may lie.
constexpr qint64 kMaxPartBytes = qint64(512) << 20;
constexpr qint64 kMaxSmallPartBytes = qint64(64) << 20; // workbook, relationships, styles
constexpr qint64 kMaxSharedStringsBytes = qint64(128) << 20;
constexpr qint64 kMaxWorkbookBytes = qint64(2) << 30;
constexpr qint64 kMaxXlsBytes = qint64(512) << 20;
// Elements nested deeper than this in any XML part are refused: a workbook
// nests a dozen levels at most.
constexpr int kMaxDepth = 256;
// A heading is the name of its column: the templates address a column by
// its number and show its name in a list, so a longer heading is a text
// typed into the heading row by mistake. Refused before any table is made.
constexpr int kMaxHeadingLength = 255;

// What a read, and the tables made of it after, have left of what they
// may hold (kMaxReadMemory at the start): the memory of the read, then the
// bytes the private database of the tables writes and what the database
// holds for their columns.
class Budget
{
public:
    explicit Budget(qint64 total = kMaxReadMemory) : m_total(total), m_left(total) {}
    qint64 total() const { return m_total; }
    qint64 spent() const { return m_total - m_left; }
    // False, and nothing taken, when the bytes are not there.
    bool take(qint64 bytes)
    {
        if (bytes > m_left)
            return false;
        m_left -= bytes;
        return true;
    }
    void give(qint64 bytes) { m_left += bytes; }

    // What a text of its own costs: its characters and the header and
    // rounding of its block.
    static qint64 textCost(qsizetype characters) { return 40 + 2 * qint64(characters); }
    // What the text of a cell costs beside its slot, when it has one of its own.
    static qint64 textCost(const db::Variant& v, bool textPaid)
    {
        return v.isText() && !textPaid ? textCost(v.asText().size()) : 0;
    }

private:
    qint64 m_total;
    qint64 m_left;
};

// Memory held for a while, such as a buffer that grows: taken from the
// budget as it grows, given back when it is let go.
class Held
{
public:
    explicit Held(Budget& budget) : m_budget(&budget) {}
    ~Held() { m_budget->give(m_bytes); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

    // Holds `bytes` in all; false, with the holding as it was, when the
    // budget has not that much left.
    bool hold(qint64 bytes)
    {
        if (bytes > m_bytes && !m_budget->take(bytes - m_bytes))
            return false;
        if (bytes < m_bytes)
            m_budget->give(m_bytes - bytes);
        m_bytes = bytes;
        return true;
    }
    qint64 bytes() const { return m_bytes; }

private:
    Budget* m_budget;
    qint64 m_bytes = 0;
};

// The cells of a sheet in the order the file gives them; a later cell at
// the same place replaces an earlier one.
struct RawSheet
{
    QString name;
    std::vector<std::uint32_t> rows;    // 0-based
    std::vector<std::uint16_t> columns; // 0-based, below kMaxColumns
    std::vector<db::Variant> values;
    bool ordered = true; // each cell after the one before it

    // What one cell's slot costs in the three arrays.
    static constexpr qint64 kSlot = qint64(sizeof(db::Variant) + sizeof(std::uint32_t) + sizeof(std::uint16_t));

    // Room for `cells` more cells at once; false, with nothing taken, when
    // the budget has not that much left.
    bool reserve(size_t cells, Budget& budget)
    {
        const size_t wanted = values.size() + cells;
        if (wanted <= values.capacity())
            return true;
        // Each array moves to its new room while its old one is still there.
        Held moving(budget);
        if (!moving.hold(qint64(values.capacity()) * qint64(sizeof(db::Variant))))
            return false;
        if (!budget.take(qint64(wanted - values.capacity()) * kSlot))
            return false;
        rows.reserve(wanted);
        columns.reserve(wanted);
        values.reserve(wanted);
        return true;
    }

    // False when the budget is spent (nothing is added). The budget counts
    // the room the arrays take, not only the cells in them; a text is paid
    // for here unless it is shared or its cost was taken already.
    bool add(int row, int column, db::Variant value, Budget& budget, bool textPaid = false)
    {
        if (values.size() == values.capacity() && !reserve(std::max<size_t>(values.size(), 64), budget))
            return false;
        if (!budget.take(Budget::textCost(value, textPaid)))
            return false;
        if (!rows.empty() && ordered) {
            const std::uint32_t lastRow = rows.back();
            if (std::uint32_t(row) < lastRow || (std::uint32_t(row) == lastRow && column <= columns.back()))
                ordered = false;
        }
        rows.push_back(std::uint32_t(row));
        columns.push_back(std::uint16_t(column));
        values.push_back(std::move(value));
        return true;
    }
};

// A number as a cell keeps it: a whole number as an integer, a number that
// is none (NaN, infinity) as Null.
db::Variant numberValue(double d);
// A date serial number of the workbook's date system.
QDateTime dateFromSerial(double serial, bool date1904);
// A date-styled number: a date when the serial lies in the calendar, else the
// number itself as a double.
db::Variant dateValue(double serial, bool date1904);
// Whether a number format code shows a date or a time; the built-in formats
// that do.
bool isDateFormatCode(const QString& code);
bool isBuiltInDate(int id);
// The error of a malformed file: the reason, or a general one.
db::Error formatError(const QString& detail = QString());
// The error of a file beyond a limit of the reader.
db::Error tooLargeError(const QString& detail);
// The error of a read that would need more than its budget.
db::Error budgetError();
// The error of tables that would need more than what the read left them.
db::Error tablesBudgetError(const Budget& budget);
// The error of a write that found no room in `folder`.
db::Error diskFullError(const QString& folder);
// "A" for column 0, "AA" for column 26.
QString columnLetters(int column);
// The error of a workbook protected by a password (encrypted): an .xls with
// a FILEPASS record, an .xlsx kept encrypted in a compound file.
db::Error protectedError();
// The error of a file that cannot be opened.
db::Error openError(const QFile& file);

// The sheets of a file, what they hold taken from `budget`.
db::Result<QVector<RawSheet>> readXlsx(const QString& path, Budget& budget);
db::Result<QVector<RawSheet>> readXls(const QString& path, Budget& budget);
// The same over the bytes of a file (what the fuzz targets drive).
db::Result<QVector<RawSheet>> readXlsxBytes(const QByteArray& file, Budget& budget);
db::Result<QVector<RawSheet>> readXlsBytes(const QByteArray& file, Budget& budget);

// Heading row, field names and row range; the field names, the row index
// and the order of a sort taken from `budget`.
db::Result<Sheet> makeSheet(RawSheet&& raw, Budget& budget);

// What one sheet costs beside its cells (its entry, its name, its arrays'
// headers), taken when the workbook lists it.
constexpr qint64 kSheetCost = 512;

// The sheets of a workbook as the tables of the private database, before
// any is made: each within the limits of a table, and what the tables
// cost together (the bytes the database writes for their rows, blank
// cells too, and for their definitions; what it and the layer hold for each
// column) taken from `budget`.
struct TablePlan
{
    std::vector<std::uint8_t> kinds; // per column: the kinds of value it holds
    qint64 bytes = 0;                // the database writes for the table
};
db::Result<QVector<TablePlan>> planTables(const Workbook& workbook, Budget& budget);
// The tables of the plan made in a new private database of the temporary
// folder, opened on `connection`.
db::Error makeTables(const Workbook& workbook, const QVector<TablePlan>& plan, db::Connection& connection);
// The tables of a workbook read: planned within what the read left of
// `budget`, then made (planTables, makeTables).
db::Error openTables(const Workbook& workbook, Budget& budget, db::Connection& connection);

} // namespace excel::detail
