#pragma once
// Text boxes bound to fields of a grid's rows: each shows its field's value
// in the grid's current row and follows the grid as it moves, is re-bound or
// re-read. One way: what the user types stays in the box and is never
// written to the row (so a key box cannot move a line to another
// declaration by accident). While the new-row line is current the boxes keep
// the values of the line shown before it.

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

class QLineEdit;

namespace grid {

class Grid;

class FieldBinder : public QObject
{
    Q_OBJECT
public:
    explicit FieldBinder(Grid* grid);

    // The box shows the field (named as the grid's data field, case ignored).
    void bind(QLineEdit* box, const QString& field);
    // Shows the current row's values again (empty boxes without a row).
    void refresh();

private:
    QPointer<Grid> m_grid;
    QList<QPair<QPointer<QLineEdit>, QString>> m_boxes;
};

} // namespace grid
