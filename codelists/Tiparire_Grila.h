#pragma once
// The "Tipareste" command of the list windows (the tariff browser, the grid
// editor, the code-list window): the grid's print preview under a header
// naming the window and a footer with the page, the user and the maker.

#include "platform/grid/print.h"

#include <QString>

namespace grid {
class Grid;
}

// Page margins in twips.
struct Margini_Tiparire
{
    int stanga = 567;
    int dreapta = 567;
    int sus = 500;
    int jos = 200;
};
// The tariff browser and the grid editor.
inline constexpr Margini_Tiparire Margini_Tiparire_Grila{567, 567, 500, 200};
// The code-list window.
inline constexpr Margini_Tiparire Margini_Tiparire_Lista{567, 567, 1000, 567};

// The print settings for a window of this caption: header "Quorvel  REPORT - "
// and the caption in upper case, bold; footer "Pagina : \p din \P   / User
// Name:" with the user ("N/A" when blank), nine tabs and the maker's line,
// Times New Roman 7; the preview titled with the caption in upper case and
// its items captioned in Romanian; A4 portrait, first zoom 80%.
grid::PrintSettings Setari_Tiparire_Grila(const QString& titlu, const Margini_Tiparire& margini);

// Shows the grid's print preview with those settings (the window's CmdPrint
// handler asks the click guard, Reseteaza_Buton, first). Meanwhile the grid has
// no row colours and prints in Times New Roman; both come back afterwards,
// whatever happened in the preview.
void Tipareste_Grila(grid::Grid& grila, const QString& titlu, const Margini_Tiparire& margini);
