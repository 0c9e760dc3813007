#include "codelists/Cautare_Rapida.h"

#include "common/Globale.h"
#include "platform/grid/type_ahead.h"

#include <QLabel>

void Cautare_Rapida_Lista(grid::Grid& grila, QLabel* eticheta, QChar caracter)
{
    if (grid::typeAhead(grila, Prefix_Cautare, caracter) == grid::TypeAhead::Ignored)
        return;
    if (eticheta) {
        eticheta->setText(QStringLiteral("In curs de cautare : ") + Prefix_Cautare);
        eticheta->adjustSize();
    }
}
