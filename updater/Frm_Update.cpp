#include "updater/Frm_Update.h"

#include "common/Verifica_Null.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "updater/Actualizare.h"
#include "updater/Globale_Update.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

Frm_Update::Frm_Update(QWidget* parent) : ui::Fereastra(u"Frm_Update"_s, u"Actualizare Quorvel"_s, parent)
{
    Label6 = new QLabel(u"Locatie  Program Quorvel"_s, this);
    Label6->setObjectName(u"Label6"_s);
    TxtEXEPath = new QLineEdit(this);
    TxtEXEPath->setObjectName(u"TxtEXEPath"_s);
    Label6->setBuddy(TxtEXEPath);
    CmdUpdate = new QPushButton(u"OK - Porneste Actualizare"_s, this);
    CmdUpdate->setObjectName(u"CmdUpdate"_s);
    CmdIesire = new QPushButton(u"IESIRE"_s, this);
    CmdIesire->setObjectName(u"CmdIesire"_s);

    auto* asezare = new QGridLayout(this);
    asezare->setContentsMargins(16, 16, 16, 16);
    asezare->addWidget(Label6, 0, 0, 1, 2);
    asezare->addWidget(TxtEXEPath, 1, 0, 1, 2);
    asezare->addWidget(CmdUpdate, 2, 0);
    asezare->addWidget(CmdIesire, 2, 1);
    setMinimumWidth(520);
    seteazaNumeAccesibile();

    connect(CmdUpdate, &QPushButton::clicked, this, &Frm_Update::CmdUpdate_Click);
    connect(CmdIesire, &QPushButton::clicked, this, &Frm_Update::CmdIesire_Click);
    // Esc leaves once the update has run and the exit button shows.
    seteazaButonRenuntare(CmdIesire);
}

void Frm_Update::Form_Load()
{
    CmdIesire->hide();
    CmdUpdate->show();
    Citeste_Foldere_Registru();
    TxtEXEPath->setText(Folder_Program_Update);
}

void Frm_Update::CmdUpdate_Click()
{
    // A blank box would make the program folder the root folder.
    if (Este_Null(db::Variant(TxtEXEPath->text()), Label6->text(), true)) {
        TxtEXEPath->setFocus();
        return;
    }
    if (!TxtEXEPath->text().endsWith(u'/'))
        TxtEXEPath->setText(TxtEXEPath->text() + u'/');
    Folder_Program_Update = TxtEXEPath->text();

    CmdUpdate->setEnabled(false);
    repaint();
    const Rezultat_Actualizare rezultat = Actualizeaza_Quorvel([this] { repaint(); });
    CmdUpdate->setEnabled(true);
    if (!rezultat.facuta) {
        // Nothing was changed: the folder can be corrected and the update run.
        ui::msgBox(rezultat.oprire, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        TxtEXEPath->setFocus();
        return;
    }

    TxtEXEPath->setFocus();
    CmdIesire->show();
    CmdUpdate->hide();
    CmdIesire->setFocus();
    if (rezultat.probleme.isEmpty())
        ui::msgBox(Mesaj_Final(rezultat), ui::Icon::Information, ui::Buttons::Ok);
    else
        ui::msgBox(Mesaj_Final(rezultat), ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_Update::CmdIesire_Click()
{
    ui::Forms::unload(this);
    QCoreApplication::quit();
}

void Inregistreaza_Ferestre_Update()
{
    ui::Forms::registerWindow(u"Frm_Update"_s, [] { return new Frm_Update; });
}
