#pragma once
// The query builder ("Cautare Selectie"): the user picks a table of the
// company database, ticks the columns to show and sets operators and values,
// lets the window write the SELECT, edits and runs it, sees the rows, sends
// them to Excel and keeps the text as a saved script. No menu opens it; it
// reads no hand-over value.

#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <memory>

class ButonPlat;
class QLabel;
class QPlainTextEdit;

namespace grid {
class DropDown;
class Grid;
class ListCombo;
class RecordsetSource;
} // namespace grid

class Frm_Cautare_Selectie : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Cautare_Selectie(QWidget* parent = nullptr);
    ~Frm_Cautare_Selectie() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    QLabel* Label1 = nullptr;
    grid::ListCombo* Cmb_Tabele = nullptr;
    grid::Grid* GridCampuri = nullptr;
    grid::DropDown* DropDown_Semne = nullptr;
    ButonPlat* CmdAfiseaza = nullptr;
    QPlainTextEdit* Txt_SQL = nullptr;
    ButonPlat* CmdRunSQL = nullptr;
    ButonPlat* CmdSaveScript = nullptr;
    QLabel* Label3 = nullptr;
    grid::ListCombo* CmbScriptName = nullptr;
    grid::Grid* GridRezultat = nullptr;
    QLabel* Label2 = nullptr;
    ButonPlat* CmdExcel = nullptr;

    // The fields record set (the chosen table's columns with the user's
    // operators, values and ticks) and the rows of the last run.
    const db::Recordset& Campuri() const { return m_campuri; }
    const db::Recordset& Rezultat() const { return m_rezultat; }

private:
    void Incarca_Tabele();
    void Incarca_Campuri(const QString& tabel);
    void Incarca_Semne(const db::Variant& tip);
    void Formateaza_Grid_Campuri();
    void Ascunde_Rezultat();

    void Cmb_Tabele_Click();
    void CmbScriptName_Click(int rand);
    void GridCampuri_BeforeColEdit(int coloana, bool& cancel);
    void GridCampuri_BeforeColUpdate(int coloana, const db::Variant& vechi, bool& cancel);
    void GridCampuri_AfterColUpdate(int coloana);
    void CmdAfiseaza_Click();
    void CmdRunSQL_Click();
    void CmdSaveScript_Click();
    void CmdExcel_Click();

    db::Recordset m_tabele;
    db::Recordset m_campuri;
    db::Recordset m_semne;
    db::Recordset m_scripturi;
    db::Recordset m_rezultat;
    std::unique_ptr<grid::RecordsetSource> m_sursaTabele;
    std::unique_ptr<grid::RecordsetSource> m_sursaSemne;
    std::unique_ptr<grid::RecordsetSource> m_sursaScripturi;
};
