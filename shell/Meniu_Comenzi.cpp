#include "shell/Meniu_Comenzi.h"

#include "codelists/ConexiuneTarif.h"
#include "codelists/Frm_CautareTabele.h"
#include "common/Globale.h"
#include "common/Inchide_Formuri.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Versiune_Fisier.h"
#include "declaration/Ferestre_Declaratie.h"
#include "platform/sys/clock.h"
#include "platform/ui/fereastra_stub.h"
#include "platform/ui/forms.h"
#include "reports/Ferestre_Rapoarte.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProcess>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

void inchideCelelalte()
{
    Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s);
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
    inchideCelelalte();
    Mod_Macheta = 2;
    Conditie_Macheta.clear();
    ui::Forms::load(u"Frm_Structura_Fisiere"_s);
    arata(u"Frm_Structura_Fisiere"_s);
}

void Meniu_Modificare_Macheta()
{
    inchideCelelalte();
    QWidget* f = ui::Forms::load(u"Frm_Selectie_Mod_Preluare"_s);
    vizibil(f, u"CmdModifica"_s, true);
    vizibil(f, u"CmdSterge"_s, false);
    arata(u"Frm_Selectie_Mod_Preluare"_s);
}

void Meniu_Sterge_Macheta()
{
    inchideCelelalte();
    QWidget* f = ui::Forms::load(u"Frm_Selectie_Mod_Preluare"_s);
    vizibil(f, u"CmdModifica"_s, false);
    vizibil(f, u"CmdSterge"_s, true);
    arata(u"Frm_Selectie_Mod_Preluare"_s);
}

void Meniu_Preluare_Fisier()
{
    inchideCelelalte();
    ui::Forms::load(u"Frm_Preluare_Excel"_s);
    arata(u"Frm_Preluare_Excel"_s);
}

void Meniu_Declaratie_Intrastat()
{
    inchideCelelalte();
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
    if (f)
        f->setWindowTitle(d.titlu);
    arata(u"Frm_Lista_tabele"_s);
}

void Meniu_Tarif(Nivel_Tarif nivel)
{
    if (!Conexiune_CN.isOpen()) {
        const QDate azi = sys::Clock::today();
        Deschide_Conexiune_Tarif(static_cast<short>(azi.month()), static_cast<short>(azi.year()));
    }
    struct Nivel
    {
        QString sql;
        QString titlu;
        QString legatura;
    };
    Nivel n;
    switch (nivel) {
    case Nivel_Tarif::HS_1:
        n = {u"SELECT [HS1_COD], [HS1_DESC] FROM [HS_1] ORDER BY [HS1_COD]"_s, u"SECTIUNI -"_s, QString()};
        break;
    case Nivel_Tarif::HS_2:
        n = {u"SELECT [HS2_COD], [HS2_DESC] FROM [HS_2] ORDER BY [HS2_COD]"_s, u"CAPITOLE -"_s,
             u"Legatura Grupe"_s};
        break;
    case Nivel_Tarif::HS_4:
        n = {u"SELECT [HS4_COD], [HS4_DESC] FROM [HS_4] ORDER BY [HS4_COD]"_s, u"GRUPE -"_s,
             u"Legatura HS6"_s};
        break;
    case Nivel_Tarif::HS_6:
        n = {u"SELECT [HS6_COD], [HS6_DESC] FROM [HS_6] ORDER BY [HS6_COD]"_s, u"HS 6 -"_s,
             u"Legatura Cod vamal"_s};
        break;
    case Nivel_Tarif::HS_8:
        n = {
            u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] WHERE [AN_END] IS NULL"_s
            u" ORDER BY [HS12_COD]"_s,
            u"Cod Vamal -"_s, QString()};
        break;
    }
    HS_SQL = n.sql;
    HS_Comentarii = false;
    HS_NrColoane = nivel == Nivel_Tarif::HS_8 ? 5 : 2;
    HS_Nivel = static_cast<quint8>(nivel);
    inchideCelelalte();
    QWidget* f = ui::Forms::load(u"Frm_HS"_s);
    if (f) {
        f->setWindowTitle(n.titlu);
        if (auto* link = f->findChild<QAbstractButton*>(u"CmdLink"_s)) {
            if (nivel == Nivel_Tarif::HS_8)
                link->setVisible(false);
            else if (!n.legatura.isEmpty())
                link->setText(n.legatura);
        }
    }
    arata(u"Frm_HS"_s);
}

void Meniu_Explicativ_Selectie()
{
    inchideCelelalte();
    ui::Forms::load(u"Frm_Explicativ"_s);
    arata(u"Frm_Explicativ"_s);
}

void Meniu_Selectie_Firma()
{
    inchideCelelalte();
    ui::Forms::load(u"Frm_Selectie_Firma"_s);
    arata(u"Frm_Selectie_Firma"_s);
}

void Meniu_Creare_Firma()
{
    Firma_Noua = true;
    inchideCelelalte();
    QWidget* f = ui::Forms::load(u"Frm_Creare_Firma"_s);
    for (const QString& nume : {u"NumeBazaDeDate"_s, u"CmdCreazaFirma"_s, u"Label15"_s, u"Label17"_s})
        vizibil(f, nume, true);
    vizibil(f, u"CmdRetine"_s, false);
    arata(u"Frm_Creare_Firma"_s);
}

void Meniu_Date_Firma()
{
    Firma_Noua = false;
    inchideCelelalte();
    QWidget* f = ui::Forms::load(u"Frm_Creare_Firma"_s);
    for (const QString& nume : {u"NumeBazaDeDate"_s, u"CmdCreazaFirma"_s, u"Label15"_s})
        vizibil(f, nume, false);
    vizibil(f, u"CmdRetine"_s, true);
    arata(u"Frm_Creare_Firma"_s);
}

void Meniu_Setari_Generale()
{
    inchideCelelalte();
    ui::Forms::load(u"Frm_Setari"_s);
    arata(u"Frm_Setari"_s, true);
}

void Meniu_Denumire_Rapoarte()
{
    inchideCelelalte();
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
    if (Exista_Fisier(pdf) && Exista_AcroRd32)
        return Comanda_Document{Cale_AcroRd32, {pdf}};
    const QString html = Folder_Sistem + u"Help/Manual.Html"_s;
    if (Exista_Fisier(html) && Exista_IExplore)
        return Comanda_Document{Cale_IExplore, {html}};
    return std::nullopt;
}

std::optional<Comanda_Document> Comanda_Explicativ_Html()
{
    if (!Exista_IExplore)
        return std::nullopt;
    return Comanda_Document{Cale_IExplore, {Folder_Sistem + u"HS/Explicativ.Html"_s}};
}

std::optional<Comanda_Document> Comanda_Explicativ_Pdf()
{
    if (!Exista_AcroRd32)
        return std::nullopt;
    return Comanda_Document{Cale_AcroRd32, {Folder_Sistem + u"HS/Explicativ.Pdf"_s}};
}

void Porneste_Document(const std::optional<Comanda_Document>& comanda)
{
    if (comanda && !comanda->program.isEmpty())
        QProcess::startDetached(comanda->program, comanda->argumente);
}

QString Adresa_Email_Producator()
{
    return u"mailto:"_s + Producator_Email + u"?subject="_s + u"Quorvel"_s + u" vers:"_s +
           Text_Versiune_Completa();
}

void Inregistreaza_Ferestre_Neconstruite()
{
    Inregistreaza_Ferestre_Cautare(); // the pick-list and the column search are built
    // The declaration's windows are built: the chooser opens the real ones.
    Inregistreaza_Ferestre_Declaratie();
    Inregistreaza_Ferestre_Rapoarte(); // the report window and the query builder
    const auto adauga = [](const QString& nume, ui::FereastraStub::Captura captura) {
        if (!ui::Forms::isRegistered(nume))
            ui::FereastraStub::registerStub(nume, nume, std::move(captura));
    };
    adauga(u"Frm_Structura_Fisiere"_s, [] {
        return QVariantMap{{u"Mod_Macheta"_s, Mod_Macheta}, {u"Conditie_Macheta"_s, Conditie_Macheta}};
    });
    adauga(u"Frm_Selectie_Mod_Preluare"_s, {});
    adauga(u"Frm_Lista_tabele"_s, [] { return QVariantMap{{u"SQL_Lista"_s, SQL_Lista}}; });
    adauga(u"Frm_HS"_s, [] {
        return QVariantMap{{u"HS_SQL"_s, HS_SQL},
                           {u"HS_Comentarii"_s, HS_Comentarii},
                           {u"HS_NrColoane"_s, HS_NrColoane},
                           {u"HS_Nivel"_s, HS_Nivel},
                           {u"Conexiune_CN"_s, Conexiune_CN.isOpen()}};
    });
    adauga(u"Frm_Explicativ"_s, {});
    adauga(u"Frm_Actualizari_Generale"_s, [] {
        return QVariantMap{{u"Tip_Actualizare"_s, Tip_Actualizare}};
    });
}
