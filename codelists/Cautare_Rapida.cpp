#include "codelists/Cautare_Rapida.h"

#include "common/Globale.h"
#include "platform/grid/type_ahead.h"

#include <QLabel>

void Cautare_Rapida_Lista(grid::Grid& grila, QLabel* eticheta, QChar caracter)
{
    const QString cautat = Prefix_Cautare + caracter;
    const grid::TypeAhead rezultat = grid::typeAhead(grila, Prefix_Cautare, caracter);
    if (rezultat == grid::TypeAhead::Ignored || !eticheta)
        return;
    QString text = QStringLiteral("In curs de cautare : ") + Prefix_Cautare;
    if (rezultat == grid::TypeAhead::Missed)
        text += QStringLiteral("NU GASESC : ") + cautat;
    eticheta->setText(text);
    eticheta->adjustSize();
}
