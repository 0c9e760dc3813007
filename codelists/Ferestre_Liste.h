#pragma once
// What the list windows (the tariff browser, the code-list window, the grid
// editor) share: their type-ahead label and hint, the look of their grids,
// the rows a grid shows, the column settings kept across a re-bind, and
// their registration with the window registry.

#include "platform/db/db.h"
#include "platform/grid/model.h"

#include <QList>
#include <QRect>

class ButonPlat;
class QLabel;
class QWidget;

namespace grid {
class Grid;
}

// Label2: green on black, sized to its text, at the top left (top in twips);
// the type-ahead search shows its prefix there.
QLabel* Eticheta_Cautare_Rapida(QWidget* fereastra, int susTwips);
// Label4: the type-ahead hint, blue on light cyan, at the rectangle in twips.
QLabel* Eticheta_Indiciu(QWidget* fereastra, const QRect& locTwips);
// A flat button named and placed (twips) on the window.
ButonPlat* Buton_Plat(QWidget* fereastra, const QString& nume, const QString& text, const QRect& locTwips);

// The grid's rows in the colours of the settings (even and odd rows, the
// selected row and its text) with bold headings.
void Coloreaza_Grila(grid::Grid& grila);

// The description (the first visible column that wraps, else the last
// visible one) takes what the other visible columns leave of the grid's
// width in twips, less 600 for the row selector and the scroll bar; it is
// never narrowed. True when it was widened (the columns are not refreshed).
bool Descriere_Pe_Restul_Grilei(grid::Grid& grila, int latimeGrila);

// The record set whose rows the grid shows: the window's own, or the
// narrowed rows of a column search. A closed one when the grid shows none.
db::Recordset Randuri_Grila(const grid::Grid& grila);

// The captions, widths and looks a window gave its grid's columns, put back
// on the columns of the same data fields when a re-bind (a column search, a
// reload, a re-sort) has rebuilt them from the field names.
class Coloane_Pastrate
{
public:
    void retine(grid::Grid& grila);
    void aplica(grid::Grid& grila) const;

private:
    QList<grid::Column> m_coloane;
};

// Registers the tariff browser, the code-list window, the grid editor and
// the explanatory notes; a name registered already is left as it is.
void Inregistreaza_Ferestre_Liste();
