#pragma once
// The company chooser: lists the register's companies and opens the chosen
// one as the working company, then shows the main window.

#include "platform/ui/fereastra.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Firma_Din_Lista;

class Frm_Selectie_Firma : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Selectie_Firma(QWidget* parent = nullptr);
    ~Frm_Selectie_Firma() override;

    void Form_Load() override;
    // The list gets the focus: reads the register again.
    void Cmb_Firma_GotFocus();
    // The focus leaves the list: keeps the chosen company's file and code.
    void Cmb_Firma_Validate();
    void CmdOK_Click();

    QLabel* Label1 = nullptr;
    QComboBox* Cmb_Firma = nullptr;
    QPushButton* CmdOK = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TxtDBName = nullptr;
    QLineEdit* TxtCF = nullptr;

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;
    void showEvent(QShowEvent* eveniment) override;

private:
    QList<Firma_Din_Lista> m_firme;
    bool m_listaCitita = false;
};

// "Quorvel  vers:  " + major + "." + minor + "." + revision.
QString Text_Versiune_Program();
