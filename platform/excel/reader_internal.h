#pragma once
// Shared by the .xls and .xlsx back ends of the workbook reader: the cells of
// a sheet as the file gives them, before the heading row and the row range
// are applied.

#include "platform/excel/reader.h"

#include <QDateTime>

namespace excel::detail {

// Upper bounds of a worksheet (Excel 2007 and later).
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

struct RawSheet
{
    QString name;
    QVector<QVector<db::Variant>> rows; // rows[r][c], 0-based; short rows end early

    void set(int row, int column, db::Variant value)
    {
        if (row >= rows.size())
            rows.resize(row + 1);
        QVector<db::Variant>& r = rows[row];
        if (column >= r.size()) {
            // A new row takes the room the row above it took, at once.
            if (r.isEmpty() && row > 0)
                r.reserve(std::max(column + 1, int(rows.at(row - 1).size())));
            r.resize(column + 1, db::Variant::null());
        }
        r[column] = std::move(value);
    }
};

// A number as a cell keeps it: a whole number as an integer.
db::Variant numberValue(double d);
// A date serial number of the workbook's date system.
QDateTime dateFromSerial(double serial, bool date1904);
// The error every malformed file gives.
db::Error formatError(const QString& detail = QString());

db::Result<QVector<RawSheet>> readXlsx(const QString& path);
db::Result<QVector<RawSheet>> readXls(const QString& path);

// Heading row, field names and row range.
db::Result<Sheet> makeSheet(RawSheet&& raw);

} // namespace excel::detail
