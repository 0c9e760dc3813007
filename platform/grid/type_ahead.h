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
    Missed,  // no row matches: the prefix is empty again, the grid where the search began
    Cleared  // Esc, Backspace or another key that types no character: the prefix is empty again
};

// Appends the typed character to prefix and searches from the first row for
// "[field] LIKE 'prefix*'", field being the data field of the grid's current
// column: case is ignored, a quote is matched as typed, * and ? keep their
// meaning. The search runs on the rows the grid is bound to and the grid
// follows them. On a miss the prefix is emptied, the grid goes back to the
// row it was on when the prefix began (or to none), as long as it still
// stands where the prefix's last search put it (else it stays where the
// user moved it), and takes the focus. A control character (Esc,
// Backspace, Ctrl with a letter) is no part of a prefix: it empties the
// prefix and moves nothing.
TypeAhead typeAhead(Grid& grid, QString& prefix, QChar ch);

} // namespace grid
