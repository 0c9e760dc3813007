#pragma once
// The grid colours of the settings on the lists of the import's
// windows.

#include <QList>
#include <QPair>
#include <QString>

class QComboBox;

namespace grid {
class Grid;
class ListColumns;
} // namespace grid

// The grid colours of the settings (as Aplica_Culori_Setari gives them) on a
// list's rows and on the popup table of its box (once the box shows the
// list), with the captions and widths in twips of its first columns.
void Formateaza_Lista(grid::ListColumns& lista, QComboBox* cutie, const QList<QPair<QString, int>>& coloane);
