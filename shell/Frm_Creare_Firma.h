#pragma once
// Creating a company, or editing the working company (Firma_Noua false).

#include "platform/ui/fereastra.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Date_Firma_Formular;

class Frm_Creare_Firma : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Creare_Firma(QWidget* parent = nullptr);

    void Form_Load() override;
    // The focus leaves the fiscal-code box: proposes the database name.
    void Firma_CF_Validate();
    void CmdCreazaFirma_Click();
    void CmdRetine_Click();

    QLineEdit* Firma_CF = nullptr;
    QLineEdit* Firma_Nume = nullptr;
    QLineEdit* Firma_Adresa = nullptr;
    QLineEdit* Firma_Judet = nullptr;
    QLineEdit* Firma_Oras = nullptr;
    QLineEdit* Firma_CodPostal = nullptr;
    QLineEdit* Firma_Tara = nullptr;
    QLineEdit* Firma_Telefon = nullptr;
    QLineEdit* Firma_Fax = nullptr;
    QLineEdit* Firma_PersoanaContact = nullptr;
    QLineEdit* Firma_RegComert = nullptr;
    QLineEdit* Firma_Banca = nullptr;
    QLineEdit* Firma_ContBancar = nullptr;
    QLineEdit* Firma_Email = nullptr;
    QLineEdit* Firma_Observatii = nullptr;
    QLineEdit* Persoana_Intrastat = nullptr;
    QLineEdit* Functie_1 = nullptr;
    QLineEdit* NumeBazaDeDate = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label17 = nullptr;
    QCheckBox* Check_ValStatistica = nullptr;
    QPushButton* CmdCreazaFirma = nullptr;
    QPushButton* CmdRetine = nullptr;

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

private:
    Date_Firma_Formular citesteCasete() const;
    void scrieCasete(const Date_Firma_Formular& date);
};
