#include "common/Culori_Grila.h"

#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "platform/grid/grid.h"

QColor Culoare_Setare(qint32 valoare)
{
    return Culoare_Qt(Translateaza_Culoare(static_cast<std::uint32_t>(valoare)));
}

void Aplica_Culori_Setari(grid::Grid* grila)
{
    grila->setRowColours(Culoare_Setare(Culoare_RandPar), Culoare_Setare(Culoare_RandImpar));
    grila->setSelectionColours(Culoare_Setare(Culoare_SelectieFundal), Culoare_Setare(Culoare_SelectieText));
}
