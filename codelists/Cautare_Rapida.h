#pragma once
// The type-ahead search of the list windows (the pick-list, the tariff
// browser, the code-list window): the keys typed into the list grid gather
// in the shared prefix Prefix_Cautare, and a label of the window shows it.

#include <QChar>

class QLabel;

namespace grid {
class Grid;
}

// Runs from the grid's key-press event, which still gets the key. Tab, line
// feed and Enter do nothing; any other character is added to Prefix_Cautare
// and the grid goes to the first row whose current-column value begins with
// it, while the label reads "In curs de cautare : " and the prefix. When no
// row matches, the prefix is emptied, the grid goes back to the row it was
// on when the prefix began (type_ahead.h) and the label says what was not
// found ("In curs de cautare : NU GASESC : " and the prefix tried). Esc,
// Backspace and the other keys that type no character empty the prefix and
// the label's prefix without moving the grid.
void Cautare_Rapida_Lista(grid::Grid& grila, QLabel* eticheta, QChar caracter);
