#pragma once
// The tariff browser: one level of the tariff nomenclature of the open
// tariff database (Conexiune_CN), read-only. It reads HS_SQL, HS_Nivel and
// HS_NrColoane when it loads; the opener then shapes the level (caption,
// columns, drill-down button). From it the user goes one level down (a new
// browser on the children of the selected row), lists the whole level
// again, searches a column, jumps by typing, opens the explanatory notes of
// the selected code, copies the rows to a workbook and previews a print.

#include "codelists/Ferestre_Liste.h"
#include "codelists/Nivele_Tarif.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

class ButonPlat;
class QLabel;
class QPushButton;
class QTextEdit;

namespace grid {
class ListGrid;
}

class Frm_HS : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_HS(QWidget* parent = nullptr);
    ~Frm_HS() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // What the opener sets after loading: the caption, the columns' captions,
    // widths and wrapping, the row height and the drill-down button.
    void Formateaza_Nivel(const Nivel_Tarif_HS& nivel);

    void CmdLink_Click();
    void CmdToateInreg_Click();
    void CmdCautare_Click();
    void CmdExplicativ_Click();
    void Cmd_Excel_Click();
    void CmdPrint_Click();
    void Grid_HS_KeyDown(int tasta, Qt::KeyboardModifiers modificatori, bool& consuma);
    void Grid_HS_KeyPress(QChar& caracter);

    // The window's own record set (the grid shows RS_Filtrare after a search).
    const db::Recordset& Nivel() const { return m_rs; }

    grid::ListGrid* Grid_HS = nullptr;
    QTextEdit* Txt_Comentarii = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    ButonPlat* CmdToateInreg = nullptr;
    ButonPlat* CmdCautare = nullptr;
    ButonPlat* CmdLink = nullptr;
    ButonPlat* CmdPrint = nullptr;
    QPushButton* CmdExplicativ = nullptr;
    ButonPlat* Cmd_Excel = nullptr;

private:
    void Ajusteaza_Dimensiuni();
    // Opens HS_SQL on the tariff database into the window's record set and
    // binds it; a query that fails is reported, a closed tariff database
    // (already reported by its opening) leaves the grid empty.
    void Deschide_Nivel();
    // Column 0 of the grid's current row; false when there is no current row.
    bool Cod_Curent(db::Variant& cod) const;

    db::Recordset m_rs;
    Coloane_Pastrate m_coloane;
    int m_inaltimeGrila = 5175;
};

// Opens the tariff browser on a level (1, 2, 4, 6 or 8) with the query given
// (the whole level, or the children of a row), as the main menu and the
// drill-down do: the hand-over values set, every window but the main window
// closed, the browser loaded, shaped for the level and shown.
void Deschide_Nivel_Tarif(quint8 nivel, const QString& sql);
