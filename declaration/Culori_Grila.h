#pragma once
// The grid colours of the settings, applied to a grid of the declaration.

namespace grid {
class Grid;
}

// Even and odd rows (Culoare_RandPar, Culoare_RandImpar), the selected row
// and its text (Culoare_SelectieFundal, Culoare_SelectieText).
void Aplica_Culori_Setari(grid::Grid* grila);
