#pragma once
// The statistical-value adjustment: the groups of the shown declaration's
// lines, each with a percentage the user may change, and their Val_Stat
// rewritten as the fiscal value plus that percentage.

#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

class ButonPlat;
class QLineEdit;

namespace grid {
class Grid;
}

class Frm_Recalculare_ValStat : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Recalculare_ValStat(QWidget* parent = nullptr);
    ~Frm_Recalculare_ValStat() override;

    // The first activation lists the groups; later ones keep the percentages.
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;
    void CmdAjustare_Click();

    // Filled by the declaration window.
    QLineEdit* TXT_Anul = nullptr;
    QLineEdit* TXT_Luna = nullptr;
    QLineEdit* TXT_Tip = nullptr;

private:
    void Formateaza_GridAjustare();

    grid::Grid* GridAjustare = nullptr;
    ButonPlat* CmdAjustare = nullptr;
    db::Recordset m_grupe;
};
