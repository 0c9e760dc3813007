#pragma once
// "Intrastat preluare date": a month's declaration taken over from the
// accounting tables of the company database through the database's own
// procedures, then opened in the declaration window. No menu item opens it.

#include "platform/ui/fereastra.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class Frm_Intrastat_Preluare : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Intrastat_Preluare(QWidget* parent = nullptr);

    void Form_Load() override;

    QComboBox* Combo_Tip = nullptr;
    QComboBox* Combo_Anul = nullptr;
    QLineEdit* TXT_Anul = nullptr;
    QLineEdit* TXT_Luna = nullptr;
    QCheckBox* Exista_Intrastat = nullptr;
    QPushButton* Cmd_Preluare = nullptr;

    // The focus leaves the flow box: the months of its accounting documents.
    void Combo_Tip_Validate();
    // The focus leaves the period box: its year and month, and whether their
    // declaration is there already.
    void Combo_Anul_Validate();

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

private:
    void Cmd_Preluare_Click();
};
