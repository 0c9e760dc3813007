#pragma once
// Typing into a grid cell as the user does: the cell made current, F2, the
// text over the old one, then the key that confirms it.

#include "platform/grid/grid.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace grid_test {

// Qt::Key_unknown as the key leaves the text in the open editor.
inline void typeIntoCell(grid::Grid* g, int row, int col, const QString& text, Qt::Key confirm = Qt::Key_Return)
{
    g->setCurrentCell(row, col);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_F2);
    if (!g->isEditing())
        QFAIL("the cell did not open for editing");
    // The cell's own editor (those of earlier cells may not be gone yet).
    auto* editor = qobject_cast<QLineEdit*>(g->indexWidget(g->currentIndex()));
    if (!editor)
        QFAIL("the cell has no text editor");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    if (confirm != Qt::Key_unknown)
        QTest::keyClick(editor, confirm);
    QCoreApplication::processEvents();
}

} // namespace grid_test
