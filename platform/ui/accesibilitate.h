#pragma once
// What the windows offer keyboard users and assistive tools beyond what Qt
// gives: the window registry applies both to every window it loads.

class QComboBox;
class QWidget;

namespace ui {

// A row of the combo box's list chosen through the list's accessible action
// (a screen reader's or a test driver's "Toggle" on the row, or the table's
// row selection) is chosen as a click on it chooses it: the combo's current
// row, with its activation. Call it again after the combo's list was
// replaced; calling it twice changes nothing.
void alegereAccesibila(QComboBox* combo);

// Alt+F4 closes the window (as its close button does, through its unload
// routine), also where no window manager takes the key.
void inchidereDinTastatura(QWidget* window);

// A text box of the window that takes no typing (read-only) looks it: it
// shows on the window's back colour instead of a box's, and turns back when
// it takes typing again.
void aspectDoarCitire(QWidget* window);

} // namespace ui
