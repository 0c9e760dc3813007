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

// What one read may hold: the cells of every sheet (the room of their
// arrays) with their texts, and the shared texts of the workbook. A file
// that needs more is refused; the memory follows the cells a file holds,
// never the range it claims.
constexpr qint64 kMaxCellMemory = qint64(1) << 30;
// A table of the private database: rows x columns up to the last non-empty
// row and column, blanks included, and at most as many columns as the
// database takes.
constexpr qint64 kMaxTableCells = 50'000'000;
constexpr int kMaxTableColumns = 2000;
// The bytes of one part of an .xlsx once inflated, and of all its parts; an
// .xls file as a whole. Checked before anything is inflated or read, and
// again while reading, since a size the file declares may lie.
constexpr qint64 kMaxPartBytes = qint64(512) << 20;
constexpr qint64 kMaxSmallPartBytes = qint64(64) << 20; // workbook, relationships, styles
constexpr qint64 kMaxSharedStringsBytes = qint64(128) << 20;
constexpr qint64 kMaxWorkbookBytes = qint64(2) << 30;
constexpr qint64 kMaxXlsBytes = qint64(512) << 20;

// The memory a read has left (kMaxCellMemory at the start).
class Budget
{
public:
    // False, and nothing taken, when the bytes are not there.
    bool take(qint64 bytes)
    {
        if (bytes > m_left)
            return false;
        m_left -= bytes;
        return true;
    }
    // What the text of a cell costs beside its slot, when it has one of its own.
    static qint64 textCost(const db::Variant& v, bool textShared)
    {
        return v.isText() && !textShared ? 32 + 2 * qint64(v.asText().size()) : 0;
    }

private:
    qint64 m_left = kMaxCellMemory;
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
        if (!budget.take(qint64(wanted - values.capacity()) * kSlot))
            return false;
        rows.reserve(wanted);
        columns.reserve(wanted);
        values.reserve(wanted);
        return true;
    }

    // False when the budget is spent (nothing is added). The budget counts
    // the room the arrays take, not only the cells in them.
    bool add(int row, int column, db::Variant value, Budget& budget, bool textShared = false)
    {
        if (values.size() == values.capacity() && !reserve(std::max<size_t>(values.size(), 64), budget))
            return false;
        if (!budget.take(Budget::textCost(value, textShared)))
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
// The error every malformed file gives.
db::Error formatError(const QString& detail = QString());
// The error of a file beyond a limit of the reader.
db::Error tooLargeError(const QString& detail);
db::Error budgetError();
// The error of a workbook protected by a password (encrypted): an .xls with
// a FILEPASS record, an .xlsx kept encrypted in a compound file.
db::Error protectedError();
// The error of a file that cannot be opened.
db::Error openError(const QFile& file);

db::Result<QVector<RawSheet>> readXlsx(const QString& path);
db::Result<QVector<RawSheet>> readXls(const QString& path);
// The same over the bytes of a file (what the fuzz targets drive).
db::Result<QVector<RawSheet>> readXlsxBytes(const QByteArray& file);
db::Result<QVector<RawSheet>> readXlsBytes(const QByteArray& file);

// Heading row, field names and row range.
db::Result<Sheet> makeSheet(RawSheet&& raw);

} // namespace excel::detail
