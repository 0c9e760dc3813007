#include "shell/Meniu_Comenzi.h"

#include "codelists/ConexiuneTarif.h"
#include "codelists/Ferestre_Liste.h"
#include "codelists/Frm_HS.h"
#include "codelists/Frm_Lista_tabele.h"
#include "codelists/Nivele_Tarif.h"
#include "common/Deschide_Fisier.h"
#include "common/Globale.h"
#include "common/Inchide_Formuri.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Versiune_Fisier.h"
#include "declaration/Ferestre_Declaratie.h"
#include "platform/sys/clock.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "reports/Ferestre_Rapoarte.h"

#include <QLabel>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

// False when a window stays open (a line it cannot write, its message
// shown): the command then opens nothing.
bool inchideCelelalte()
{
    return Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s);
}

void vizibil(QWidget* fereastra, const QString& control, bool da)
{
    if (!fereastra)
        return;
    if (auto* w = fereastra->findChild<QWidget*>(control))
        w->setVisible(da);
}

void arata(const QString& nume, bool modal = false)
{
    ui::Forms::show(nume, modal);
}

} // namespace

Definitie_Lista Definitie_Lista_Cod(Lista_Cod lista)
{
    const QString descriere = u"DESCRIERE "_s;
    switch (lista) {
    case Lista_Cod::Tari:
        return {u"SELECT [Tara_COD], [Tara_DESC] FROM Tari ORDER BY [Tara_COD]"_s,
                u"TARI -"_s,
                {{u"COD"_s, 1500}, {u"DESCRIERE TARA"_s, -1}}};
    case Lista_Cod::Tari_UE:
        return {
            u"SELECT [COD_TARA], [Tara_DESC], [DATA_ADERARII] FROM UE_Tari ORDER BY [DATA_ADERARII], [COD_TARA]"_s,
            u"TARI UE -"_s,
            {{u"COD"_s, 1500}, {u"DESCRIERE TARA"_s, 3500}, {u"Data Aderarii"_s, 1500}}};
    case Lista_Cod::Monezi:
        return {u"SELECT [Moneda_COD], [Moneda_DESC] FROM Monezi ORDER BY [Moneda_COD]"_s,
                u"MONEZI -"_s,
                {{u"COD"_s, 1500}, {descriere, -1}}};
    case Lista_Cod::Conditii_Livrare:
        return {u"SELECT [Incoterms_COD], [Incoterms_DESC] FROM Incoterms ORDER BY [Incoterms_COD]"_s,
                u"Conditii livrare -"_s,
                {{u"COD"_s, 1500}, {descriere, -1}}};
    case Lista_Cod::Mod_Transport:
        return {u"SELECT [COD_MOD_TRANS], [DESC_MOD_TRANS] FROM MOD_TRANS ORDER BY [COD_MOD_TRANS]"_s,
                u"Mod Transport -"_s,
                {{u"COD"_s, 1500}, {descriere, -1}}};
    case Lista_Cod::Nat_Tranzactiei:
        return {u"SELECT TR1_COD + '.'+ TR2_COD, TR_DESC FROM Tranzactii ORDER BY TR1_COD, TR2_COD"_s,
                u"Natura Tranzactiei -"_s,
                {{u"COD"_s, 1500}, {descriere, -1}}};
    case Lista_Cod::UM_Supl:
        return {u"SELECT [UM_COD], [UM_DESC] FROM UM ORDER BY [UM_COD]"_s,
                u"UM suplimentare -"_s,
                {{u"COD"_s, 1500}, {descriere, -1}}};
    }
    return {};
}

void Meniu_Macheta_Noua()
{
    if (!inchideCelelalte())
        return;
    Mod_Macheta = 2;
    Conditie_Macheta.clear();
    ui::Forms::load(u"Frm_Structura_Fisiere"_s);
    arata(u"Frm_Structura_Fisiere"_s);
}

void Meniu_Modificare_Macheta()
{
    if (!inchideCelelalte())
        return;
    QWidget* f = ui::Forms::load(u"Frm_Selectie_Mod_Preluare"_s);
    vizibil(f, u"CmdModifica"_s, true);
    vizibil(f, u"CmdSterge"_s, false);
    arata(u"Frm_Selectie_Mod_Preluare"_s);
}

void Meniu_Sterge_Macheta()
{
    if (!inchideCelelalte())
        return;
    QWidget* f = ui::Forms::load(u"Frm_Selectie_Mod_Preluare"_s);
    vizibil(f, u"CmdModifica"_s, false);
    vizibil(f, u"CmdSterge"_s, true);
    arata(u"Frm_Selectie_Mod_Preluare"_s);
}

void Meniu_Preluare_Fisier()
{
    if (!inchideCelelalte())
        return;
    ui::Forms::load(u"Frm_Preluare_Excel"_s);
    arata(u"Frm_Preluare_Excel"_s);
}

void Meniu_Declaratie_Intrastat()
{
    if (!inchideCelelalte())
        return;
    ui::Forms::load(u"Frm_Intrastat_Selectie"_s);
    arata(u"Frm_Intrastat_Selectie"_s);
}

void Meniu_Lista_Cod(Lista_Cod lista)
{
    const Definitie_Lista d = Definitie_Lista_Cod(lista);
    SQL_Lista = d.sql;
    // An open list is loaded afresh, so rows, caption and columns all follow
    // the last command.
    if (ui::Forms::isLoaded(u"Frm_Lista_tabele"_s))
        ui::Forms::unload(u"Frm_Lista_tabele"_s);
    QWidget* f = ui::Forms::load(u"Frm_Lista_tabele"_s);
    if (!f)
        return; // the list could not be opened: the window said so and closed
    f->setWindowTitle(d.titlu);
    if (auto* fereastra = qobject_cast<Frm_Lista_tabele*>(f))
        fereastra->Seteaza_Coloane(d.coloane);
    arata(u"Frm_Lista_tabele"_s);
}

void Meniu_Tarif(Nivel_Tarif nivel)
{
    if (!Conexiune_CN.isOpen()) {
        const QDate azi = sys::Clock::today();
        Deschide_Conexiune_Tarif(static_cast<short>(azi.month()), static_cast<short>(azi.year()));
    }
    const quint8 n = static_cast<quint8>(nivel);
    if (const std::optional<Nivel_Tarif_HS> definitie = Definitie_Nivel_Tarif(n))
        Deschide_Nivel_Tarif(n, definitie->sql);
}

void Meniu_Explicativ_Selectie()
{
    if (!inchideCelelalte())
        return;
    ui::Forms::load(u"Frm_Explicativ"_s);
    arata(u"Frm_Explicativ"_s);
}

void Meniu_Selectie_Firma()
{
    if (!inchideCelelalte())
        return;
    ui::Forms::load(u"Frm_Selectie_Firma"_s);
    arata(u"Frm_Selectie_Firma"_s);
}

void Meniu_Creare_Firma()
{
    if (!inchideCelelalte())
        return;
    Firma_Noua = true;
    QWidget* f = ui::Forms::load(u"Frm_Creare_Firma"_s);
    for (const QString& nume : {u"NumeBazaDeDate"_s, u"CmdCreazaFirma"_s, u"Label15"_s, u"Label17"_s})
        vizibil(f, nume, true);
    vizibil(f, u"CmdRetine"_s, false);
    arata(u"Frm_Creare_Firma"_s);
}

void Meniu_Date_Firma()
{
    if (!inchideCelelalte())
        return;
    Firma_Noua = false;
    QWidget* f = ui::Forms::load(u"Frm_Creare_Firma"_s);
    for (const QString& nume : {u"NumeBazaDeDate"_s, u"CmdCreazaFirma"_s, u"Label15"_s})
        vizibil(f, nume, false);
    vizibil(f, u"CmdRetine"_s, true);
    arata(u"Frm_Creare_Firma"_s);
}

void Meniu_Setari_Generale()
{
    if (!inchideCelelalte())
        return;
    ui::Forms::load(u"Frm_Setari"_s);
    arata(u"Frm_Setari"_s, true);
}

void Meniu_Denumire_Rapoarte()
{
    if (!inchideCelelalte())
        return;
    Tip_Actualizare = 13;
    ui::Forms::load(u"Frm_Actualizari_Generale"_s);
    arata(u"Frm_Actualizari_Generale"_s);
}

void Meniu_Despre_Program()
{
    ui::Forms::load(u"FRM_About"_s);
    arata(u"FRM_About"_s, true);
}

std::optional<Comanda_Document> Comanda_Ajutor()
{
    const QString pdf = Folder_Sistem + u"Help/Manual.Pdf"_s;
    const QString html = Folder_Sistem + u"Help/Manual.Html"_s;
    if (Exista_Fisier(pdf) && Exista_AcroRd32)
        return Comanda_Document{Cale_AcroRd32, {pdf}};
    if (Exista_Fisier(html) && Exista_IExplore)
        return Comanda_Document{Cale_IExplore, {html}};
    if (Exista_Fisier(pdf))
        return Comanda_Document{Cale_AcroRd32, {pdf}, false};
    if (Exista_Fisier(html))
        return Comanda_Document{Cale_IExplore, {html}, false};
    return std::nullopt;
}

namespace {

std::optional<Comanda_Document> comandaExplicativ(const QString& program, bool gasit, const QString& fisier)
{
    const QString cale = Folder_Sistem + fisier;
    if (gasit)
        return Comanda_Document{program, {cale}};
    if (Exista_Fisier(cale))
        return Comanda_Document{program, {cale}, false};
    return std::nullopt;
}

} // namespace

std::optional<Comanda_Document> Comanda_Explicativ_Html()
{
    return comandaExplicativ(Cale_IExplore, Exista_IExplore, u"HS/Explicativ.Html"_s);
}

std::optional<Comanda_Document> Comanda_Explicativ_Pdf()
{
    return comandaExplicativ(Cale_AcroRd32, Exista_AcroRd32, u"HS/Explicativ.Pdf"_s);
}

void Porneste_Document(const std::optional<Comanda_Document>& comanda)
{
    if (!comanda)
        return;
    const QString cale = comanda->argumente.value(0);
    if (!comanda->gasit)
        ui::msgBox(Text_Fisier_Nedeschis(cale, Motiv_Fara_Vizualizator(comanda->program)), ui::Icon::Exclamation,
                   ui::Buttons::Ok);
    else if (!comanda->program.isEmpty())
        Deschide_Fisier(comanda->program, cale);
}

QString Adresa_Email_Producator()
{
    return u"mailto:"_s + Producator_Email + u"?subject="_s + u"Quorvel"_s + u" vers:"_s +
           Text_Versiune_Completa();
}

void Inregistreaza_Ferestre_Meniu()
{
    // The pick-list, the column search, the tariff browser, the code lists,
    // the grid editor and the notes.
    Inregistreaza_Ferestre_Liste();
    Inregistreaza_Ferestre_Declaratie();
    Inregistreaza_Ferestre_Rapoarte(); // the report window and the query builder
}
