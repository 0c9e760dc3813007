#pragma once
// The about box: the product, its version, the operating system, the rights
// line with the maker's contact details and the legal notice.

#include "platform/ui/fereastra.h"

class QFrame;
class QLabel;
class QPushButton;

// The rights line for the year: "Copyright © <year> <maker>. Toate drepturile rezervate."
QString Text_Drepturi(int anul, const QString& producator);
// The tooltip of the rights line.
QString Text_Contact_Producator(const QString& telefon, const QString& email);

class FRM_About : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit FRM_About(QWidget* parent = nullptr);

    void Form_Load() override;

    QLabel* picIcon = nullptr;
    QLabel* lblTitlu = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescriere = nullptr;
    QLabel* lblEU = nullptr;
    QLabel* lblAtentionare = nullptr;
    QPushButton* CmdOK = nullptr;
    QFrame* Line1 = nullptr;

private:
    void CmdOK_Click();
};
