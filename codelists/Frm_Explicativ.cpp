#include "codelists/Frm_Explicativ.h"

#include "codelists/Ferestre_Liste.h"
#include "codelists/Note_Explicative.h"
#include "common/Globale.h"
#include "common/RTF_Operatii.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Null.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

// The notes box in twips, before the screen adjustment.
constexpr int kNoteStanga = 240;
constexpr int kNoteSus = 1200;
constexpr int kNoteLatime = 11415;
constexpr int kNoteInaltime = 7335;

} // namespace

Frm_Explicativ::Frm_Explicativ(QWidget* parent)
    : ui::Fereastra(u"Frm_Explicativ"_s, u"Tarif Vamal  -  Note Explicative"_s, parent)
{
    const auto eticheta = [this](const QString& nume, const QString& text, const QRect& loc) {
        auto* l = new QLabel(text, this);
        l->setObjectName(nume);
        l->setGeometry(loc);
        return l;
    };
    const auto buton = [this](const QString& nume, const QString& text, const QRect& loc) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(nume);
        b->setGeometry(loc);
        return b;
    };
    const auto caseta = [this](const QString& nume, const QRect& loc) {
        auto* t = new QLineEdit(this);
        t->setObjectName(nume);
        t->setGeometry(loc);
        return t;
    };
    Label1 = eticheta(u"Label1"_s, u"Cod Vamal :"_s, ui::twipsToRect(240, 300, 1095, 255));
    Txt_CodVamal = caseta(u"Txt_CodVamal"_s, ui::twipsToRect(1440, 240, 1575, 315));
    Label1->setBuddy(Txt_CodVamal);
    Label3 = eticheta(u"Label3"_s, u"(prime cifre, minim 2 cifre)"_s, ui::twipsToRect(3120, 300, 2535, 255));
    CmdOk_2 = buton(u"CmdOk_2"_s, u"Afiseaza Explicativ Capitol"_s, ui::twipsToRect(5760, 210, 2775, 375));
    CmdOk_4 = buton(u"CmdOk_4"_s, u"Afiseaza Explicativ Grupa"_s, ui::twipsToRect(8640, 210, 2775, 375));
    Txt_Cautat = caseta(u"Txt_Cautat"_s, ui::twipsToRect(240, 720, 3015, 315));
    CmdCautare = buton(u"CmdCautare"_s, u"Cauta in explicativ"_s, ui::twipsToRect(3360, 690, 2055, 375));
    CmdPrint = buton(u"CmdPrint"_s, u"Tipareste"_s, ui::twipsToRect(9840, 690, 1575, 375));
    Explicativ_Text = new QTextEdit(this);
    Explicativ_Text->setObjectName(u"Explicativ_Text"_s);
    Explicativ_Text->setReadOnly(true);
    Ajusteaza_Dimensiuni();

    connect(CmdOk_2, &QPushButton::clicked, this, &Frm_Explicativ::CmdOk_2_Click);
    connect(CmdOk_4, &QPushButton::clicked, this, &Frm_Explicativ::CmdOk_4_Click);
    connect(CmdCautare, &QPushButton::clicked, this, &Frm_Explicativ::CmdCautare_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Frm_Explicativ::CmdPrint_Click);
    seteazaNumeAccesibile();
}

Frm_Explicativ::~Frm_Explicativ() = default;

void Frm_Explicativ::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    Ajusteaza_Dimensiuni();
}

void Frm_Explicativ::Ajusteaza_Dimensiuni()
{
    Explicativ_Text->setGeometry(
        ui::twipsToRect(kNoteStanga, kNoteSus, kNoteLatime + Delta_Latime, kNoteInaltime + Delta_Inaltime));
}

void Frm_Explicativ::Afiseaza_Note(int cifre)
{
    const QString cod = Txt_CodVamal->text();
    if (Este_Null(db::Variant(cod), u"Cod Vamal"_s, true) || cod.size() < cifre)
        return;
    const db::Result<QString> note = Note_Explicative(Conexiune_Comun, cod, cifre);
    if (!note) {
        Arata_Eroare_Baza(note.error());
        return;
    }
    // The document anew: the marks of an earlier search go with the old notes.
    Explicativ_Text->document()->setPlainText(*note);
    Explicativ_Text->setTextCursor(QTextCursor(Explicativ_Text->document()));
    Explicativ_Text->setCurrentCharFormat(QTextCharFormat());
}

void Frm_Explicativ::CmdOk_2_Click()
{
    Afiseaza_Note(2);
}

void Frm_Explicativ::CmdOk_4_Click()
{
    Afiseaza_Note(4);
}

void Frm_Explicativ::CmdCautare_Click()
{
    Evidentiaza_Text_RTF(Explicativ_Text, Txt_Cautat->text(), 0xFF0000);
}

void Frm_Explicativ::CmdPrint_Click()
{
    QPrinter imprimanta(QPrinter::HighResolution);
    if (!ui::choosePrinter(imprimanta, this))
        return;
    Tipareste_RTF(Explicativ_Text, imprimanta, 1440, 1440, 1440, 1440);
}
