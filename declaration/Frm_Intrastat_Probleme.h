#pragma once
// The problem report ("Verificare Probleme"): the verification's problem log
// of the declaration shown in the declaration window, read-only, with its
// printing. It finds the log from the declaration window's key boxes.

#include "declaration/Cheie_Declaratie.h"
#include "platform/ui/fereastra.h"

class QLabel;
class QPushButton;
class QTextEdit;

class Frm_Intrastat_Probleme : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Intrastat_Probleme(QWidget* parent = nullptr);

    void Form_Load() override;
    // Reads the log of the declaration window's key into the box: the file
    // as it is, one log line per line; a missing log leaves the box empty.
    void Incarca_Jurnal();

    QLabel* Label1 = nullptr;
    QTextEdit* RichTextBox1 = nullptr;
    QPushButton* CmdClose = nullptr;
    QPushButton* CmdPrint = nullptr;

private:
    void CmdPrint_Click();
    void CmdClose_Click();
};

// The key boxes (TXT_Tip, TXT_CodFiscal, TXT_Anul, TXT_Luna) of the loaded
// declaration window Frm_INTRASTAT; empty texts when it is not loaded.
Cheie_Declaratie Cheie_Fereastra_Declaratie();
