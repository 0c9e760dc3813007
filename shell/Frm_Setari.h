#pragma once
// The settings window: the folders, the decimal counts and the colours,
// each field bound to its value in the settings store by its name.

#include "platform/ui/fereastra.h"

#include <QList>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class Frm_Setari : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Setari(QWidget* parent = nullptr);

    void Form_Load() override;

    QTabWidget* TabSetari = nullptr;
    QLineEdit* FileLocation_DataBase = nullptr;
    QLineEdit* FileLocation_System = nullptr;
    QLineEdit* FileLocation_ReportDefinitionPath = nullptr;
    QLineEdit* FileLocation_DirectorSalvare = nullptr;
    QLineEdit* Zecimale_ZecRotCalcule = nullptr;
    QLineEdit* Zecimale_ZecRotValuta = nullptr;
    QLineEdit* Zecimale_ZecRotLEI = nullptr;
    QLineEdit* Zecimale_NrZecTaxare = nullptr;
    QLabel* Culori_Meniu_Color = nullptr;
    QLabel* Culori_EvenRowStyle_BackColor = nullptr;
    QLabel* Culori_OddRowStyle_BackColor = nullptr;
    QLabel* Culori_HighlightRowStyle_BackColor = nullptr;
    QLabel* Culori_HighlightRowStyle_ForeColor = nullptr;
    QList<QPushButton*> CmdSelCuloare; // CmdSelCuloare1 .. CmdSelCuloare5
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdCancel = nullptr;

    // The colour a swatch shows (0x00BBGGRR).
    static qint32 Culoare_Swatch(const QLabel* swatch);
    static void Seteaza_Culoare_Swatch(QLabel* swatch, qint32 culoare);

private:
    void CmdSelCuloare_Click(int index);
    void CmdOK_Click();
    void CmdCancel_Click();
    // The bound fields, in the order they are checked and written.
    QList<QWidget*> campuriLegate() const;
};
