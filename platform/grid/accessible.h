#pragma once
// The grid as assistive tools (a screen reader, a test driver over the
// accessibility bus) see it: a table whose rows and columns are the grid's
// (the visible columns in the order shown), offering any cell by row and
// column, with the column headers, the cells of the rows in view and the
// footer totals as its children. So a grid of 100,000 rows costs a tool
// walking the tree no more than the rows on screen.
//
// A cell reads as the text it shows. An editable cell takes text through the
// editable-text interface as if typed and confirmed (the grid's events run;
// the row is written when the current row changes). Each cell's actions:
// "SetFocus" and "Toggle" make it the current cell (a list grid's row is
// chosen so), "Toggle" ticks a check box cell, "Press" presses the cell's
// button. A header's "Press" is a click on the header. A footer reads as its
// total, whole; its description is the column's caption. Actions and edits
// run once the tool's call has returned (a grid event may open a modal box).

#include <QModelIndex>

namespace grid {

class Grid;

// Installs the interfaces (once; the grid's constructor calls it).
void installGridAccessibility();

// The child index, among the grid's accessible children, of a cell
// (-1 when it is not one of them).
int accessibleChildIndex(Grid* grid, const QModelIndex& index);

// Tells the tools that the footer totals changed.
void footersChanged(Grid* grid);

} // namespace grid
