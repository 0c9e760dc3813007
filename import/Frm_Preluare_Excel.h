#pragma once
// "Preluare date din Excel": the import of one worksheet into the lines of a
// declaration through an import template, then the hand-over of the
// imported lines to the declaration window.

#include "import/Preluare_Excel.h"
#include "platform/db/db.h"
#include "platform/ui/fereastra.h"

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace grid {
class ListCombo;
class RecordsetSource;
} // namespace grid

class Frm_Preluare_Excel : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Preluare_Excel(QWidget* parent = nullptr);
    ~Frm_Preluare_Excel() override;

    void Form_Load() override;

    grid::ListCombo* Combo_NumeMacheta = nullptr;
    QComboBox* Combo_Tip = nullptr;
    QLineEdit* TXT_Anul = nullptr;
    QLineEdit* TXT_Luna = nullptr;
    QLineEdit* TXT_CodFiscal = nullptr;
    QLineEdit* Txt_ExcelFile = nullptr;
    QPushButton* CmdBrowse = nullptr;
    QComboBox* Txt_SheetName = nullptr;
    QPushButton* CmdReadFile = nullptr;
    QPushButton* CmdExit = nullptr;
    QPlainTextEdit* TxtMesaj = nullptr;
    QLabel* LblBar = nullptr;
    QProgressBar* InstallBar1 = nullptr;

    // Loads the sheet names of the workbook into Txt_SheetName's list.
    void Incarca_Foi_Excel();

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

private:
    void Combo_NumeMacheta_Validate();
    void CmdBrowse_Click();
    void CmdReadFile_Click();
    void CmdExit_Click();

    class Afisare;
    std::unique_ptr<grid::RecordsetSource> m_machete;
    Rezultat_Preluare m_rezultat;
};
