#include "binder.h"

#include "platform/grid/grid.h"

#include <QLineEdit>

namespace grid {

FieldBinder::FieldBinder(Grid* grid) : QObject(grid), m_grid(grid)
{
    GridModel* model = grid->gridModel();
    connect(grid, &Grid::rowColChange, this, &FieldBinder::refresh);
    connect(grid, &Grid::columnsRebuilt, this, &FieldBinder::refresh);
    connect(model, &QAbstractItemModel::modelReset, this, &FieldBinder::refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FieldBinder::refresh);
    connect(model, &QAbstractItemModel::rowsInserted, this, &FieldBinder::refresh);
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                if (m_grid && m_grid->row() >= from.row() && m_grid->row() <= to.row())
                    refresh();
            });
}

void FieldBinder::bind(QLineEdit* box, const QString& field)
{
    m_boxes.append({box, field});
    refresh();
}

void FieldBinder::refresh()
{
    if (!m_grid)
        return;
    int row = m_grid->row();
    // The new-row line has no values of its own yet: the boxes keep showing
    // the last line's, so that a line added there is read with them.
    if (row >= 0 && m_grid->dataSource() && m_grid->gridModel()->isNewRowLine(row))
        return;
    if (row < 0 && m_grid->dataRowCount() > 0 && m_grid->dataSource())
        row = m_grid->dataSource()->position();
    for (const auto& [box, field] : std::as_const(m_boxes)) {
        if (!box)
            continue;
        const int col = m_grid->columnForField(field);
        const bool there = row >= 0 && row < m_grid->dataRowCount() && col >= 0;
        box->setText(there ? m_grid->cellValue(row, col).toText() : QString());
    }
}

} // namespace grid
