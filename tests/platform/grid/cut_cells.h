#pragma once
// What a grid shows cut, seen as the item views draw it: a cell's text is
// cut when it is wider than the cell less the views' text margins, by any
// part of a pixel. Measured apart from the grid's own sums of widths.

#include "platform/grid/grid.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QStyle>

namespace grid_test {

// Whether the cell shows its text cut (a cell of a hidden column does): in
// the cell's own font, beside its button when it has one.
inline bool isCut(const grid::Grid& g, int row, int column)
{
    const QModelIndex i = g.model()->index(row, column);
    const QString text = g.cellText(row, column);
    QFont f = g.font();
    if (const QVariant v = i.data(Qt::FontRole); v.isValid())
        f = v.value<QFont>();
    const QRect cell = g.visualRect(i);
    const int margins = 2 * (g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1);
    const bool button = g.gridModel()->columns().value(column).button;
    const int room = cell.width() - margins - (button ? g.buttonRect(cell).width() : 0);
    return !text.isEmpty() && QFontMetricsF(f).horizontalAdvance(text) > room;
}

// The texts of the columns' cells, row by row, that are shown cut; none
// when all are whole.
inline QStringList cutTexts(const grid::Grid& g, const QList<int>& columns)
{
    QStringList cut;
    for (int r = 0; r < g.dataRowCount(); ++r) {
        for (int c : columns) {
            if (isCut(g, r, c))
                cut << g.cellText(r, c);
        }
    }
    return cut;
}

} // namespace grid_test
