#pragma once
// The verification's windows on screen: the progress window of each pass,
// the declaration window's grid refresh and the problem report.

#include "declaration/Verificare_Declaratie.h"

#include <functional>

class Frm_bara_progres;

// Registers Frm_bara_progres and Frm_Intrastat_Probleme with ui::Forms
// (names already registered are left as they are).
void Inregistreaza_Ferestre_Verificare();

class Ecran_Verificare_Ferestre : public Ecran_Verificare
{
public:
    // reimprospateaza: the declaration window's refresh (CmdRefresh_Click).
    explicit Ecran_Verificare_Ferestre(std::function<void()> reimprospateaza = {});

    // A fresh Frm_bara_progres, shown modeless.
    void Deschide_Progres() override;
    void Inchide_Progres() override;
    void Progres(const QString& titlu, int procent) override;
    void Reimprospateaza_Grila() override;
    // Frm_Intrastat_Probleme shown modeless; a window still open from an
    // earlier verification reads the new log before it comes forward.
    void Arata_Probleme() override;

private:
    std::function<void()> m_reimprospateaza;
    Frm_bara_progres* m_progres = nullptr;
};
