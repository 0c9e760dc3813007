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

// Back on the row where the search began; on none, as a list opened on a
// value that no row begins with: the rows past their end, no current cell.
void goBack(Grid& grid, RowSource& source, int row)
{
    if (row >= 0 && row < source.rowCount()) {
        source.setPosition(row);
        return;
    }
    if (auto* rs = dynamic_cast<RecordsetSource*>(&source)) {
        db::Recordset r = rs->recordset();
        r.moveLast();
        r.moveNext();
    }
    grid.setCurrentIndex(QModelIndex());
}

} // namespace

TypeAhead typeAhead(Grid& grid, QString& prefix, QChar ch)
{
    if (ch == u'\t' || ch == u'\n' || ch == u'\r')
        return TypeAhead::Ignored;
    Grid::TypeAheadStart& start = grid.typeAheadStart();
    if (ch.category() == QChar::Other_Control) {
        prefix.clear();
        start = {};
        return TypeAhead::Cleared;
    }
    if (prefix.isEmpty())
        start = {true, grid.row(), -1};
    prefix += ch;
    RowSource* source = grid.dataSource();
    const int col = grid.col() >= 0 ? grid.col() : 0;
    const int row = source && col < grid.columnCount() ? findPrefix(*source, grid.column(col), prefix) : -1;
    if (row >= 0) {
        source->setPosition(row);
        start.found = grid.row();
        return TypeAhead::Found;
    }
    prefix.clear();
    // The rows the first keys found were steps of this search, not a choice:
    // it goes back where it began, unless the user has moved since.
    if (source && start.set && start.found >= 0 && grid.row() == start.found)
        goBack(grid, *source, start.from);
    start = {};
    grid.takeFocus();
    return TypeAhead::Missed;
}

} // namespace grid
