#pragma once
// The main window, reduced to its company label: the window the company
// chooser opens once a company is open.

#include "platform/ui/fereastra.h"

class QLabel;

class Frm_Meniu_Principal : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Meniu_Principal(QWidget* parent = nullptr);

    // The status line: "Firma selectata: " + the company's name.
    QLabel* Label2 = nullptr;
};
