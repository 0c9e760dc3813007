#pragma once
// Placing windows on the screen.

class QWidget;

// Moves the window to the centre of its screen's work area.
void Centreaza_Pe_Ecran(QWidget* fereastra);
