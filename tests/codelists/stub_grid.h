#pragma once
// A calling grid for the look-up tests: the current row's cells by index, the
// writes in order, and how often it took the focus.

#include "platform/grid/calling_grid.h"

#include <QList>
#include <QMap>

class StubGrid : public grid::CallingGrid
{
public:
    db::Variant cell(int column) const override { return cells.value(column, db::Variant::null()); }
    void setCell(int column, const db::Variant& value) override
    {
        cells.insert(column, value);
        written.append(column);
    }
    void takeFocus() override { ++focus; }

    QMap<int, db::Variant> cells;
    QList<int> written;
    int focus = 0;
};
