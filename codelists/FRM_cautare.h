#pragma once
// The column search: narrows the rows of a list or editing grid to those
// whose value in one column matches an expression. The caller fills the
// search block (common/Globale.h), loads the window, captions it
// "Caut in coloana: " and the column, and shows it modally; on success the
// caller's grid shows RS_Filtrare and the window has closed.

#include "codelists/Cautare_Coloana.h"
#include "platform/ui/fereastra.h"

class ButonPlat;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace db {
class Recordset;
}
namespace grid {
class Grid;
}

class FRM_cautare : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit FRM_cautare(QWidget* parent = nullptr);
    ~FRM_cautare() override;

    void Form_Load() override;
    // A mode chosen: its explanation, and the focus to the expression.
    void Option_Click(Mod_Cautare mod);
    void CmdCautare_Click();
    void CmdRenuntaCautare_Click();
    Mod_Cautare Mod_Ales() const;

    QLabel* Label1 = nullptr;
    QLineEdit* StringDeCautat = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option4 = nullptr;
    ButonPlat* CmdCautare = nullptr;
    ButonPlat* CmdRenuntaCautare = nullptr;
    QLabel* LblInfo = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
};

// The explanation of a mode, as LblInfo shows it.
QString Text_Mod_Cautare(Mod_Cautare mod);

// How a list or editing window opens the column search on its grid: the
// search block filled from the window's own record set (its query, cursor
// and lock types), the database choice and the grid's current column; a
// column that is not text is warned about and searched all the same; the
// dialog captioned "Caut in coloana: [field]" and shown modally.
void Arata_Cautare_Coloana(grid::Grid& grila, const db::Recordset& rs, bool peComun);
