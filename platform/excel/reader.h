#pragma once
// The workbook reader: a worksheet read as a table, the way the program's
// queries expect it of the Excel driver.
//
// - The first row of each sheet is the heading row; field i (0-based) is
//   worksheet column i + 1. An empty heading is named "F" + its 1-based column
//   number; names are non-empty, unique without regard to case (a number is
//   appended), a "." becomes "#" and brackets become parentheses.
// - Rows run from the second row to the last row that holds a non-empty cell;
//   blank rows in between stay as all-Null rows.
// - Every cell keeps its own type: a whole number is an integer, another
//   number a double, text is text (never cut), a date a date, a boolean
//   -1/0, an empty cell Null, an error cell Null; a formula gives its cached
//   result. A date-styled number outside the calendar stays a number.
// - .xls (BIFF8) and .xlsx are read, recognised by their content. The
//   workbook is only ever read. A malformed or truncated file, or one beyond
//   the reader's limits (1 GiB for all a read holds and its tables hold
//   and write, elements nested 256 deep, 50 million cells in a table, 4
//   million rows and 2000 tables in a workbook), is an error with a
//   message that says why; no file can crash the reader or make it take
//   more. A workbook protected by a password is named as such. A heading
//   longer than 255 characters is refused with the sheet and the column it
//   heads.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <span>
#include <vector>

namespace excel {

// One worksheet as a table. Only the non-empty cells are kept, so a sparse
// or wide sheet costs what it holds.
struct Sheet
{
    QString name;       // as the workbook names it ("Sheet1", "My Sheet")
    QStringList fields; // field names, one per column

    int columnCount() const { return int(fields.size()); }
    int rowCount() const { return m_rows; }
    // Null where the sheet holds nothing.
    const db::Variant& cell(int row, int column) const;
    // The cells a row holds, by ascending column: blanks are Null, and a
    // blank may lie beyond the last column.
    std::span<const std::uint16_t> columnsOf(int row) const
    {
        return {m_columns.data() + m_rowStart[row], size_t(m_rowStart[row + 1] - m_rowStart[row])};
    }
    std::span<const db::Variant> valuesOf(int row) const
    {
        return {m_values.data() + m_rowStart[row], size_t(m_rowStart[row + 1] - m_rowStart[row])};
    }

private:
    friend struct SheetBuilder;
    int m_rows = 0;
    std::vector<qsizetype> m_rowStart = std::vector<qsizetype>(1, 0); // m_rows + 1 entries, into the arrays
    std::vector<std::uint16_t> m_columns;
    std::vector<db::Variant> m_values; // the heading row's cells first
};

struct Workbook
{
    QString path;
    QVector<Sheet> sheets; // in workbook order
    qint64 held = 0;       // the bytes of the read's budget its cells, texts and names take
    // Index of the sheet of that name (case-insensitive), -1 when none.
    int indexOf(const QString& sheetName) const;
};

// Reads every worksheet of the file.
db::Result<Workbook> readWorkbook(const QString& path);

// The table name the driver reports for a sheet: "Sheet1$", or in single
// quotes when the name is not only letters, digits and underscores
// ("'My Sheet$'").
QString driverTableName(const QString& sheetName);

// The workbook file of a connection text such as
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>;Extended Properties="Excel 8.0; IMEX=1;"
//   Data Source=<path>;Extended Properties=Excel 8.0;
// Error when it names no file.
db::Result<QString> workbookPath(const QString& connectionText);

// True when the connection text is one of a workbook (its extended
// properties name Excel).
bool isWorkbookConnection(const QString& connectionText);

// Reads the workbook of the connection text and opens `connection` on a
// private database that holds each sheet as the table [<sheet>$], so that
// "SELECT TOP 2 * FROM [Sheet1$]" runs on it. The database is read-only once
// loaded and leaves no file behind. A missing file or a workbook that cannot
// be read leaves the connection closed. The read and the tables share one
// budget: a workbook whose tables would write or hold more than the read
// leaves them is refused before any table is made, and a temporary folder
// with no room left is said as such.
db::Error openWorkbook(const QString& connectionText, db::Connection& connection);
// Same, from a workbook already read.
db::Error openWorkbook(const Workbook& workbook, db::Connection& connection);

// Removes the user's work folders of workbook reads (in the temporary
// folder, or in `folder`) that a run killed in the middle of opening a
// workbook left behind: only folders of this user's own name whose process
// is gone. A link is never followed nor removed, whatever its name, and a
// link inside such a folder goes without its target; folders of other users
// and of a process still running stay. Called at start-up.
void removeStaleWorkFolders(const QString& folder = QString());

// The tables schema of the workbook: TABLE_NAME (driverTableName of each
// sheet, in workbook order) and TABLE_TYPE ("TABLE").
db::Result<db::Recordset> tablesSchema(const QString& connectionText);

} // namespace excel
