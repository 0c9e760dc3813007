#include "import/Culori_Liste.h"

#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"
#include "platform/grid/units.h"

#include <QComboBox>
#include <QTableView>

namespace {

QColor culoare(qint32 valoare)
{
    return Culoare_Qt(Translateaza_Culoare(static_cast<std::uint32_t>(valoare)));
}

} // namespace

void Aplica_Culori_Grila(grid::Grid* grila)
{
    grila->setRowColours(culoare(Culoare_RandPar), culoare(Culoare_RandImpar));
    grila->setSelectionColours(culoare(Culoare_SelectieFundal), culoare(Culoare_SelectieText));
}

void Formateaza_Lista(grid::ListColumns& lista, QComboBox* cutie, const QList<QPair<QString, int>>& coloane)
{
    grid::GridModel& model = lista.listModel();
    for (int i = 0; i < coloane.size() && i < model.columns().size(); ++i) {
        model.column(i).caption = coloane.at(i).first;
        model.column(i).widthTwips = coloane.at(i).second;
    }
    model.refreshColumns();
    model.setRowColours(culoare(Culoare_RandPar), culoare(Culoare_RandImpar));
    auto* vedere = cutie ? qobject_cast<QTableView*>(cutie->view()) : nullptr;
    if (!vedere)
        return;
    for (int i = 0; i < coloane.size(); ++i)
        vedere->setColumnWidth(i, grid::twipsToPixels(coloane.at(i).second));
    QPalette p = vedere->palette();
    p.setColor(QPalette::Highlight, culoare(Culoare_SelectieFundal));
    p.setColor(QPalette::HighlightedText, culoare(Culoare_SelectieText));
    vedere->setPalette(p);
}
