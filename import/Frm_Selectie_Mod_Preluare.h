#pragma once
// "Selectie Mod Preluare": one import template of the working company chosen
// from a list, then opened in the template editor ("Modifica") or deleted
// with its rows ("Sterge Macheta"). The main menu shows one of the two
// buttons.

#include "platform/ui/fereastra.h"

#include <memory>

class QPushButton;

namespace grid {
class ListCombo;
class RecordsetSource;
} // namespace grid

class Frm_Selectie_Mod_Preluare : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Selectie_Mod_Preluare(QWidget* parent = nullptr);
    ~Frm_Selectie_Mod_Preluare() override;

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

    grid::ListCombo* TDBSelectieModPreluare = nullptr;
    QPushButton* CmdModifica = nullptr;
    QPushButton* CmdSterge = nullptr;

    void CmdModifica_Click();
    void CmdSterge_Click();

private:
    // The chosen template's row of the list, -1 when the text names none.
    int Rand_Ales() const;

    std::unique_ptr<grid::RecordsetSource> m_lista;
};
