#include "type_ahead.h"

#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"

namespace grid {

namespace {

// The first row whose value begins with the prefix, -1 when none. The rows
// the grid follows are not moved: a search that misses leaves them, and the
// grid, where they were.
int findPrefix(RowSource& source, const Column& column, const QString& prefix)
{
    if (auto* rs = dynamic_cast<RecordsetSource*>(&source)) {
        db::Recordset r = rs->recordset().clone();
        const QString criteria =
            u'[' + column.dataField + QStringLiteral("] LIKE '") + db::quote(prefix) + QStringLiteral("*'");
        if (r.find(criteria) || r.eof())
            return -1;
        return r.currentRow();
    }
    for (int row = 0; row < source.rowCount(); ++row)
        if (source.value(row, column.field).toText().startsWith(prefix, Qt::CaseInsensitive))
            return row;
    return -1;
}

} // namespace

TypeAhead typeAhead(Grid& grid, QString& prefix, QChar ch)
{
    if (ch == u'\t' || ch == u'\n' || ch == u'\r')
        return TypeAhead::Ignored;
    if (ch.category() == QChar::Other_Control) {
        prefix.clear();
        return TypeAhead::Cleared;
    }
    prefix += ch;
    RowSource* source = grid.dataSource();
    const int col = grid.col() >= 0 ? grid.col() : 0;
    const int row = source && col < grid.columnCount() ? findPrefix(*source, grid.column(col), prefix) : -1;
    if (row >= 0) {
        source->setPosition(row);
        return TypeAhead::Found;
    }
    prefix.clear();
    grid.takeFocus();
    return TypeAhead::Missed;
}

} // namespace grid
