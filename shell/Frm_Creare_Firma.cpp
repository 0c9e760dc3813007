#include "shell/Frm_Creare_Firma.h"

#include "common/Globale.h"
#include "shell/Creare_Firma.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLineEdit* caseta(QWidget* parinte, QGridLayout* asezare, int rand, const QString& nume,
                  const QString& eticheta, int lungime)
{
    auto* e = new QLabel(eticheta, parinte);
    e->setObjectName(u"Lbl_"_s + nume);
    auto* c = new QLineEdit(parinte);
    c->setObjectName(nume);
    if (lungime > 0)
        c->setMaxLength(lungime);
    e->setBuddy(c);
    asezare->addWidget(e, rand, 0);
    asezare->addWidget(c, rand, 1);
    return c;
}

} // namespace

Frm_Creare_Firma::Frm_Creare_Firma(QWidget* parent)
    : ui::Fereastra(u"Frm_Creare_Firma"_s, u"Creare Firma Noua"_s, parent)
{
    auto* asezare = new QVBoxLayout(this);
    auto* campuri = new QGridLayout;
    asezare->addLayout(campuri);
    int r = 0;
    Firma_CF = caseta(this, campuri, r++, u"Firma_CF"_s, u"Cod fiscal"_s, 30);
    Firma_Nume = caseta(this, campuri, r++, u"Firma_Nume"_s, u"Nume Firma"_s, 150);
    Firma_Adresa = caseta(this, campuri, r++, u"Firma_Adresa"_s, u"Adresa firma"_s, 80);
    // As wide as the register's column, so that a save never fails on it.
    Firma_Judet = caseta(this, campuri, r++, u"Firma_Judet"_s, u"Judet"_s, 50);
    Firma_Oras = caseta(this, campuri, r++, u"Firma_Oras"_s, u"Oras"_s, 80);
    Firma_CodPostal = caseta(this, campuri, r++, u"Firma_CodPostal"_s, u"Cod Postal"_s, 30);
    Firma_Tara = caseta(this, campuri, r++, u"Firma_Tara"_s, u"Tara"_s, 50);
    Firma_Telefon = caseta(this, campuri, r++, u"Firma_Telefon"_s, u"Telefon"_s, 30);
    Firma_Fax = caseta(this, campuri, r++, u"Firma_Fax"_s, u"Fax"_s, 30);
    Firma_PersoanaContact = caseta(this, campuri, r++, u"Firma_PersoanaContact"_s, u"Persoana Contact"_s, 50);
    Firma_RegComert = caseta(this, campuri, r++, u"Firma_RegComert"_s, u"Reg. Comert"_s, 50);
    Firma_Banca = caseta(this, campuri, r++, u"Firma_Banca"_s, u"Banca"_s, 50);
    Firma_ContBancar = caseta(this, campuri, r++, u"Firma_ContBancar"_s, u"Cont Bancar"_s, 50);
    Firma_Email = caseta(this, campuri, r++, u"Firma_Email"_s, u"Email"_s, 80);
    Firma_Observatii = caseta(this, campuri, r++, u"Firma_Observatii"_s, u"Alte Observatii"_s, 50);

    auto* grup = new QGroupBox(u"Detalii Persoana responsabila INTRASTAT"_s, this);
    grup->setObjectName(u"Frame_Intrastat"_s);
    auto* asezareGrup = new QGridLayout(grup);
    Persoana_Intrastat = caseta(grup, asezareGrup, 0, u"Persoana_Intrastat"_s, u"Nume"_s, 30);
    Functie_1 = caseta(grup, asezareGrup, 1, u"Functie_1"_s, u"Functie"_s, 0);
    asezare->addWidget(grup);

    Check_ValStatistica = new QCheckBox(u" Declarare Valoare Statistica (consultati legislatia)"_s, this);
    Check_ValStatistica->setObjectName(u"Check_ValStatistica"_s);
    asezare->addWidget(Check_ValStatistica);

    auto* fisier = new QGridLayout;
    Label15 = new QLabel(u"Nume fisier:"_s, this);
    Label15->setObjectName(u"Label15"_s);
    NumeBazaDeDate = new QLineEdit(this);
    NumeBazaDeDate->setObjectName(u"NumeBazaDeDate"_s);
    NumeBazaDeDate->setMaxLength(50);
    Label15->setBuddy(NumeBazaDeDate);
    Label17 = new QLabel(u"Fara spatii si caractere speciale"_s, this);
    Label17->setObjectName(u"Label17"_s);
    fisier->addWidget(Label15, 0, 0);
    fisier->addWidget(NumeBazaDeDate, 0, 1);
    fisier->addWidget(Label17, 1, 1);
    asezare->addLayout(fisier);

    CmdCreazaFirma = new QPushButton(u"OK - Creaza firma"_s, this);
    CmdCreazaFirma->setObjectName(u"CmdCreazaFirma"_s);
    CmdRetine = new QPushButton(u"OK"_s, this);
    CmdRetine->setObjectName(u"CmdRetine"_s);
    asezare->addWidget(CmdCreazaFirma);
    asezare->addWidget(CmdRetine);
    asezare->addStretch();

    // Enter moves from box to box, as Tab does.
    for (QLineEdit* c : findChildren<QLineEdit*>())
        c->installEventFilter(this);
    Check_ValStatistica->installEventFilter(this);
    connect(CmdCreazaFirma, &QPushButton::clicked, this, &Frm_Creare_Firma::CmdCreazaFirma_Click);
    connect(CmdRetine, &QPushButton::clicked, this, &Frm_Creare_Firma::CmdRetine_Click);
    seteazaNumeAccesibile();
}

void Frm_Creare_Firma::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // The mode decides which of the two buttons and the file name show.
    NumeBazaDeDate->setVisible(Firma_Noua);
    Label15->setVisible(Firma_Noua);
    Label17->setVisible(Firma_Noua);
    CmdCreazaFirma->setVisible(Firma_Noua);
    CmdRetine->setVisible(!Firma_Noua);
    if (Firma_Noua)
        return;

    // Without the row the boxes would stay empty and OK would write them over
    // it: the window closes on the message instead.
    const std::optional<Date_Firma_Formular> date = Citeste_Firma_Curenta();
    if (!date) {
        ui::Forms::unload(this);
        return;
    }
    scrieCasete(*date);
    Firma_CF->setReadOnly(true);
    Firma_CF->setEnabled(false);
}

bool Frm_Creare_Firma::eventFilter(QObject* obiect, QEvent* eveniment)
{
    if (obiect == Firma_CF && eveniment->type() == QEvent::FocusOut)
        Firma_CF_Validate();
    if (enterLaUrmatorul(eveniment))
        return true;
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_Creare_Firma::Firma_CF_Validate()
{
    if (!Firma_Noua)
        return;
    const QString cod = Firma_CF->text();
    const QString nume = NumeBazaDeDate->text();
    if (cod.isEmpty() || cod == u" "_s)
        return;
    if (!(nume.isEmpty() || nume == u" "_s))
        return; // a name the user typed stays
    NumeBazaDeDate->setText(Nume_Baza_Date_Implicit(cod));
}

void Frm_Creare_Firma::CmdCreazaFirma_Click()
{
    if (Creeaza_Firma(citesteCasete()))
        ui::Forms::unload(this);
}

void Frm_Creare_Firma::CmdRetine_Click()
{
    if (Salveaza_Firma_Curenta(citesteCasete()))
        ui::Forms::unload(this);
}

Date_Firma_Formular Frm_Creare_Firma::citesteCasete() const
{
    Date_Firma_Formular d;
    d.codFiscal = Firma_CF->text();
    d.nume = Firma_Nume->text();
    d.adresa = Firma_Adresa->text();
    d.judet = Firma_Judet->text();
    d.oras = Firma_Oras->text();
    d.codPostal = Firma_CodPostal->text();
    d.tara = Firma_Tara->text();
    d.telefon = Firma_Telefon->text();
    d.fax = Firma_Fax->text();
    d.persoanaContact = Firma_PersoanaContact->text();
    d.regComert = Firma_RegComert->text();
    d.banca = Firma_Banca->text();
    d.contBancar = Firma_ContBancar->text();
    d.email = Firma_Email->text();
    d.observatii = Firma_Observatii->text();
    d.persoanaIntrastat = Persoana_Intrastat->text();
    d.functie = Functie_1->text();
    d.valoareStatistica = Check_ValStatistica->isChecked();
    d.numeBazaDeDate = NumeBazaDeDate->text();
    return d;
}

void Frm_Creare_Firma::scrieCasete(const Date_Firma_Formular& d)
{
    // A stored value longer than its box (the register keeps 100 characters
    // of the Intrastat person, the box takes 30) is shown whole, so that OK
    // does not write it back cut; the user may still shorten it.
    auto scrie = [](QLineEdit* caseta, const QString& text) {
        if (caseta->maxLength() < text.size())
            caseta->setMaxLength(int(text.size()));
        caseta->setText(text);
    };
    scrie(Firma_CF, d.codFiscal);
    scrie(Firma_Nume, d.nume);
    scrie(Firma_Adresa, d.adresa);
    scrie(Firma_Judet, d.judet);
    scrie(Firma_Oras, d.oras);
    scrie(Firma_CodPostal, d.codPostal);
    scrie(Firma_Tara, d.tara);
    scrie(Firma_Telefon, d.telefon);
    scrie(Firma_Fax, d.fax);
    scrie(Firma_PersoanaContact, d.persoanaContact);
    scrie(Firma_RegComert, d.regComert);
    scrie(Firma_Banca, d.banca);
    scrie(Firma_ContBancar, d.contBancar);
    scrie(Firma_Email, d.email);
    scrie(Firma_Observatii, d.observatii);
    scrie(Persoana_Intrastat, d.persoanaIntrastat);
    scrie(Functie_1, d.functie);
    Check_ValStatistica->setChecked(d.valoareStatistica);
}
