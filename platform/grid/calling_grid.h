#pragma once
// What a look-up or a pick-list needs of the grid that called it: the cells of
// its current row by column index (from 0), read and written as values (the
// row is stored later by the grid's own update cycle), and the input focus.

#include "platform/db/variant.h"

namespace grid {

class CallingGrid
{
public:
    virtual ~CallingGrid() = default;
    virtual db::Variant cell(int column) const = 0;
    virtual void setCell(int column, const db::Variant& value) = 0;
    virtual void takeFocus() = 0;
};

} // namespace grid
