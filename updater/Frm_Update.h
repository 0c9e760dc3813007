#pragma once
// The updater's one window: the program folder of the installed Quorvel,
// the button that runs the update once and the one that leaves.

#include "platform/ui/fereastra.h"

class QLabel;
class QLineEdit;
class QPushButton;

class Frm_Update : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Update(QWidget* parent = nullptr);

    void Form_Load() override;
    void CmdUpdate_Click();
    void CmdIesire_Click();

    QLabel* Label6 = nullptr;
    QLineEdit* TxtEXEPath = nullptr;
    QPushButton* CmdUpdate = nullptr;
    QPushButton* CmdIesire = nullptr;
};

// Registers Frm_Update with the window registry.
void Inregistreaza_Ferestre_Update();
