#pragma once
// The type-ahead search of a list grid: the characters typed so far find the
// first row, in the rows' own order, whose value in the grid's current column
// begins with them. The prefix belongs to the caller, so that several grids
// can share one.

#include <QChar>
#include <QString>

namespace grid {

class Grid;

enum class TypeAhead
{
    Ignored, // Tab, line feed or Enter: nothing changed
    Found,   // the grid is on the first matching row
    Missed   // no row matches: the prefix is empty again, the grid on its first row
};

// Appends the typed character (any other, Backspace and Esc included) to
// prefix and searches from the first row for "[field] LIKE 'prefix*'", field
// being the data field of the grid's current column: case is ignored, a quote
// is matched as typed, * and ? keep their meaning. The search runs on the rows
// the grid is bound to and the grid follows them. On a miss the prefix is
// emptied, the rows go back to the first and the grid takes the focus.
TypeAhead typeAhead(Grid& grid, QString& prefix, QChar ch);

} // namespace grid
