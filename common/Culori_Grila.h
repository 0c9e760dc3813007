#pragma once
// The grid colours of the settings, applied to the program's grids and lists.

#include <QColor>
#include <QtGlobal>

namespace grid {
class Grid;
}

// A colour of the settings (a system colour code turned into a plain one).
QColor Culoare_Setare(qint32 valoare);

// Even and odd rows (Culoare_RandPar, Culoare_RandImpar), the selected row
// and its text (Culoare_SelectieFundal, Culoare_SelectieText).
void Aplica_Culori_Setari(grid::Grid* grila);
