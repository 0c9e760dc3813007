#include "declaration/Culori_Grila.h"

#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "platform/grid/grid.h"

namespace {

QColor culoare(qint32 valoare)
{
    return Culoare_Qt(Translateaza_Culoare(static_cast<std::uint32_t>(valoare)));
}

} // namespace

void Aplica_Culori_Setari(grid::Grid* grila)
{
    grila->setRowColours(culoare(Culoare_RandPar), culoare(Culoare_RandImpar));
    grila->setSelectionColours(culoare(Culoare_SelectieFundal), culoare(Culoare_SelectieText));
}
