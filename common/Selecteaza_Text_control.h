#pragma once
// Selecting the whole text of a control.

class QWidget;

// Selects the whole text of a text box, an editable combo box, a spin box or
// a text area, so that typing replaces it. Other controls are left alone.
void Selecteaza_Text(QWidget* control);
