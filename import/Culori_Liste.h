#pragma once
// The grid colours of the settings on the grids and lists of the import's
// windows.

#include <QList>
#include <QPair>
#include <QString>

class QComboBox;

namespace grid {
class Grid;
class ListColumns;
} // namespace grid

// Even and odd rows (Culoare_RandPar, Culoare_RandImpar), the selected row
// and its text (Culoare_SelectieFundal, Culoare_SelectieText).
void Aplica_Culori_Grila(grid::Grid* grila);

// The same on a list's rows and on the popup table of its box (once the box
// shows the list), with the captions and widths in twips of its first
// columns.
void Formateaza_Lista(grid::ListColumns& lista, QComboBox* cutie, const QList<QPair<QString, int>>& coloane);
