#pragma once
// The explanatory notes of the tariff nomenclature ("Tarif Vamal  -  Note
// Explicative"): the notes of the chapter (first two digits of the code
// box) or of the heading (first four digits), shown on request, with words
// marked in them and a print-out. The main menu opens it with an empty code
// box, the tariff browser with the code of its selected row.

#include "platform/ui/fereastra.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

class Frm_Explicativ : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Explicativ(QWidget* parent = nullptr);
    ~Frm_Explicativ() override;

    void Form_Load() override;

    // "Afiseaza Explicativ Capitol" and "Afiseaza Explicativ Grupa".
    void CmdOk_2_Click();
    void CmdOk_4_Click();
    // "Cauta in explicativ": marks the searched word in blue.
    void CmdCautare_Click();
    // "Tipareste": the notes on the printer chosen, silently given up on failure.
    void CmdPrint_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* Txt_CodVamal = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* CmdOk_2 = nullptr;
    QPushButton* CmdOk_4 = nullptr;
    QTextEdit* Explicativ_Text = nullptr;
    QLineEdit* Txt_Cautat = nullptr;
    QPushButton* CmdCautare = nullptr;
    QPushButton* CmdPrint = nullptr;

private:
    void Afiseaza_Note(int cifre);
    void Ajusteaza_Dimensiuni();
};
