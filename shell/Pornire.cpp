#include "shell/Pornire.h"

#include "common/RegistriiOperatii.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "shell/Frm_Creare_Firma.h"
#include "shell/Frm_Inceput.h"
#include "shell/Frm_Meniu_Principal.h"
#include "shell/Frm_Selectie_Firma.h"
#include "shell/Pornire_Pasi.h"

#include <QGuiApplication>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

void arataEroare(int numar, const QString& descriere)
{
    ui::msgBox(u"EROARE : "_s + QString::number(numar) + u"\r\n"_s + descriere, ui::Icon::Critical,
               ui::Buttons::Ok);
}

std::optional<int> pornire()
{
    const Blocare_Instanta blocare = Blocheaza_Instanta_Unica();
    if (const std::optional<int> refuz = Refuza_Fara_Ecran(blocare, QGuiApplication::platformName()))
        return refuz;
    if (blocare == Blocare_Instanta::Alta_Copie) {
        ui::msgBox(u"Aplicatia ruleaza deja !"_s, ui::Icon::Critical, ui::Buttons::Ok);
        return 0;
    }
    if (blocare == Blocare_Instanta::Fara_Loc) {
        ui::msgBox(Text_Fara_Loc_Blocare(), ui::Icon::Critical, ui::Buttons::Ok);
        return 1;
    }
    if (Versiune_Windows() == 0) {
        ui::msgBox(u"ERROR"_s, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return 1;
    }

    ui::Forms::show(u"Frm_Inceput"_s);

    const db::Result<Stare_Initializare> stare = Initializeaza_Aplicatia();
    if (!stare) {
        arataEroare(stare.error().number, stare.error().description);
        return 1;
    }
    if (*stare == Stare_Initializare::Fara_Comun)
        return std::nullopt; // the start-up window stays; closing it ends the program

    ui::Forms::show(u"Frm_Selectie_Firma"_s);
    ui::Forms::unload(u"Frm_Inceput"_s);
    return std::nullopt;
}

} // namespace

void Inregistreaza_Ferestre_Pornire()
{
    ui::Forms::registerWindow(u"Frm_Inceput"_s, [] { return new Frm_Inceput; });
    ui::Forms::registerWindow(u"Frm_Selectie_Firma"_s, [] { return new Frm_Selectie_Firma; });
    ui::Forms::registerWindow(u"Frm_Creare_Firma"_s, [] { return new Frm_Creare_Firma; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Meniu_Principal"_s, [] { return new Frm_Meniu_Principal; });
}

std::optional<int> Main()
{
    try {
        return pornire();
    } catch (const std::exception& e) {
        arataEroare(1, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        arataEroare(1, u"Eroare necunoscuta"_s);
    }
    return 1;
}
