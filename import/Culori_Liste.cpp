#include "import/Culori_Liste.h"

#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/grid.h"

#include <QComboBox>
#include <QTableView>

void Formateaza_Lista(grid::ListColumns& lista, QComboBox* cutie, const QList<QPair<QString, int>>& coloane)
{
    grid::GridModel& model = lista.listModel();
    for (int i = 0; i < coloane.size() && i < model.columns().size(); ++i) {
        model.column(i).caption = coloane.at(i).first;
        model.column(i).widthTwips = coloane.at(i).second;
    }
    model.refreshColumns();
    model.setRowColours(Culoare_Setare(Culoare_RandPar), Culoare_Setare(Culoare_RandImpar));
    auto* vedere = cutie ? qobject_cast<QTableView*>(cutie->view()) : nullptr;
    if (!vedere)
        return;
    for (int i = 0; i < coloane.size(); ++i)
        vedere->setColumnWidth(i, grid::columnPixelsOf(*vedere, coloane.at(i).second));
    QPalette p = vedere->palette();
    p.setColor(QPalette::Highlight, Culoare_Setare(Culoare_SelectieFundal));
    p.setColor(QPalette::HighlightedText, Culoare_Setare(Culoare_SelectieText));
    vedere->setPalette(p);
}
