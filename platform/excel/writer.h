#pragma once
// The workbook writer: one sheet of a header row and typed rows, written as an
// .xlsx (libxlsxwriter). Numbers are number cells, dates date cells, texts
// text cells, Null and Empty blank cells; columns are sized to their content.
// The file is written under a temporary name in the target folder and renamed
// into place, so it is whole or absent.

#include "platform/db/variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace excel {

struct WriteError
{
    int number = 0;
    QString description;
    bool isError() const { return number != 0; }
};

// Gives the next row into `row` and true, or false when there are no more rows.
using RowReader = std::function<bool(QList<db::Variant>& row)>;

WriteError writeWorkbook(const QString& path, const QString& sheetName, const QStringList& header,
                         const RowReader& nextRow);

} // namespace excel
