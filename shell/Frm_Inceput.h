#pragma once
// The start-up window, shown while the settings are read. Closing it ends
// the program (it is the only window when the start-up stops early).

#include "platform/ui/fereastra.h"

class Frm_Inceput : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Inceput(QWidget* parent = nullptr);
    void Form_Load() override;
};
