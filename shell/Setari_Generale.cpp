#include "shell/Setari_Generale.h"

#include "common/Folder_Program.h"
#include "common/Globale.h"
#include "common/Public_Citeste_Registrii.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList& ordineCampuri()
{
    static const QStringList ordine{u"FileLocation_DirectorSalvare"_s,
                                    u"FileLocation_ReportDefinitionPath"_s,
                                    u"FileLocation_DataBase"_s,
                                    u"FileLocation_System"_s,
                                    u"Zecimale_NrZecTaxare"_s,
                                    u"Zecimale_ZecRotLEI"_s,
                                    u"Zecimale_ZecRotValuta"_s,
                                    u"Zecimale_ZecRotCalcule"_s,
                                    u"Culori_HighlightRowStyle_ForeColor"_s,
                                    u"Culori_HighlightRowStyle_BackColor"_s,
                                    u"Culori_OddRowStyle_BackColor"_s,
                                    u"Culori_EvenRowStyle_BackColor"_s,
                                    u"Culori_Meniu_Color"_s};
    return ordine;
}

qint32* culoareProgram(const QString& valoare)
{
    if (valoare == u"EvenRowStyle_BackColor")
        return &Culoare_RandPar;
    if (valoare == u"OddRowStyle_BackColor")
        return &Culoare_RandImpar;
    if (valoare == u"HighlightRowStyle_BackColor")
        return &Culoare_SelectieFundal;
    if (valoare == u"HighlightRowStyle_ForeColor")
        return &Culoare_SelectieText;
    if (valoare == u"Meniu_Color")
        return &Culoare_Meniu;
    return nullptr;
}

Camp_Setare* camp(QList<Camp_Setare>& campuri, const QString& nume)
{
    for (Camp_Setare& c : campuri) {
        if (c.nume == nume)
            return &c;
    }
    return nullptr;
}

void eroare(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

QString cuBaraFinala(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// A decimal count: a whole number from 0 to 255, blanks around it allowed.
bool esteNumarZecimale(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 3)
        return false;
    for (QChar c : t) {
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    }
    return t.toInt() <= 255;
}

db::Variant valoareDeScris(const Camp_Setare& c)
{
    if (Este_Camp_Culoare(c.nume))
        return db::Variant(c.culoare);
    return db::Variant(c.text);
}

// Writes one value and tells whether the store holds it afterwards (the
// registry refuses a write without a word).
bool scrie(const Camp_Setare& c, const db::Variant& valoare, db::Error& err)
{
    const auto leg = Legatura_Camp(c.nume);
    const QString cheie = Cheie_Setari(leg->sectiune);
    const int tip = Este_Camp_Culoare(c.nume) ? 4 : 1;
    err = db::Error();
    Seteaza_Valoare(reg::HKEY_LOCAL_MACHINE, cheie, leg->valoare, valoare, tip, &err);
    if (err)
        return false;
    db::Error citire;
    const db::Variant inapoi = Citeste_Valoare(reg::HKEY_LOCAL_MACHINE, cheie, leg->valoare, &citire);
    if (!citire && inapoi.toText() == valoare.toText())
        return true;
    err = citire ? citire
                 : db::Error(db::Error::Kind::Io, reg::ERROR_ACCESS_DENIED,
                             u"Valoarea nu a putut fi scrisa: "_s + cheie + u'\\' + leg->valoare);
    return false;
}

} // namespace

std::optional<Legatura_Setare> Legatura_Camp(const QString& numeControl)
{
    const qsizetype i = numeControl.indexOf(u'_');
    if (i < 1)
        return std::nullopt;
    return Legatura_Setare{numeControl.left(i).trimmed(), numeControl.mid(i + 1).trimmed()};
}

bool Este_Camp_Culoare(const QString& numeControl)
{
    const auto leg = Legatura_Camp(numeControl);
    return leg && leg->sectiune == u"Culori";
}

QString Cheie_Setari(const QString& sectiune)
{
    return u"Software\\VELMORANT\\Quorvel\\Setari\\"_s + sectiune;
}

QList<Camp_Setare> Citeste_Campuri_Setari()
{
    QList<Camp_Setare> campuri;
    for (const QString& nume : ordineCampuri()) {
        const Legatura_Setare leg = *Legatura_Camp(nume);
        Camp_Setare c{nume, QString(), 0};
        db::Error err;
        const db::Variant v =
            Citeste_Valoare(reg::HKEY_LOCAL_MACHINE, Cheie_Setari(leg.sectiune), leg.valoare, &err);
        if (Este_Camp_Culoare(nume)) {
            const qint32* actuala = culoareProgram(leg.valoare);
            const std::optional<qint32> citita = err ? std::nullopt : Valoare_La_Long(v);
            c.culoare = citita ? *citita : (actuala ? *actuala : 0);
        } else if (!err && !v.isMissing()) {
            c.text = v.toText();
        }
        campuri << c;
    }
    return campuri;
}

bool Salveaza_Campuri_Setari(QList<Camp_Setare>& campuri)
{
    // 1. Blank fields, in the order of the fields.
    for (const Camp_Setare& c : std::as_const(campuri)) {
        if (Legatura_Camp(c.nume) && !Este_Camp_Culoare(c.nume) &&
            Este_Null(db::Variant(c.text), c.nume, true))
            return false;
    }
    // 2. Decimal counts.
    for (const QString& nume : {u"Zecimale_ZecRotCalcule"_s, u"Zecimale_ZecRotLEI"_s,
                                u"Zecimale_ZecRotValuta"_s, u"Zecimale_NrZecTaxare"_s}) {
        Camp_Setare* c = camp(campuri, nume);
        if (c && !esteNumarZecimale(c->text)) {
            eroare(nume + u" - NU ESTE NUMAR"_s);
            return false;
        }
    }
    for (const QString& nume : {u"Zecimale_ZecRotCalcule"_s, u"Zecimale_ZecRotLEI"_s,
                                u"Zecimale_ZecRotValuta"_s, u"Zecimale_NrZecTaxare"_s}) {
        if (Camp_Setare* c = camp(campuri, nume))
            c->text = c->text.trimmed();
    }
    Camp_Setare* salvare = camp(campuri, u"FileLocation_DirectorSalvare"_s);
    Camp_Setare* rapoarte = camp(campuri, u"FileLocation_ReportDefinitionPath"_s);
    Camp_Setare* sistem = camp(campuri, u"FileLocation_System"_s);
    Camp_Setare* baza = camp(campuri, u"FileLocation_DataBase"_s);
    if (!salvare || !rapoarte || !sistem || !baza)
        return false;

    // 3, 4. The report definitions must be there.
    rapoarte->text = cuBaraFinala(rapoarte->text);
    if (!Exista_Fisier(rapoarte->text + u"UE_Reports.xml"_s)) {
        eroare(u"Nu exista fisierul: "_s + rapoarte->text + u"UE_Reports.xml"_s);
        return false;
    }
    // 6. Every folder ends with "/".
    for (Camp_Setare* c : {salvare, rapoarte, sistem, baza})
        c->text = cuBaraFinala(c->text);
    // 7, 8. The database and system folders must exist.
    for (Camp_Setare* c : {baza, sistem}) {
        if (!Exista_Director(c->text)) {
            eroare(u"Nu exista directorul: "_s + c->text);
            return false;
        }
    }
    // 9. A missing save folder is replaced by the installation's own.
    if (!Exista_Director(salvare->text)) {
        eroare(u"Nu exista directorul: "_s + salvare->text);
        salvare->text = Folder_Program() + u"/System/IntrastatSave/"_s;
        ui::msgBox(u"Directorul de salvare a fost set la :"_s + salvare->text, ui::Icon::None,
                   ui::Buttons::Ok);
    }
    // 10.
    if (!Exista_Director(rapoarte->text)) {
        eroare(u"Nu exista directorul: "_s + rapoarte->text);
        return false;
    }

    // 11. Write every field; at the first failure put back what was written.
    QList<QPair<const Camp_Setare*, db::Variant>> scrise;
    for (const Camp_Setare& c : std::as_const(campuri)) {
        const auto leg = Legatura_Camp(c.nume);
        if (!leg)
            continue;
        db::Error citire;
        const db::Variant vechi =
            Citeste_Valoare(reg::HKEY_LOCAL_MACHINE, Cheie_Setari(leg->sectiune), leg->valoare, &citire);
        db::Error err;
        if (!scrie(c, valoareDeScris(c), err)) {
            for (const auto& [scris, valoare] : std::as_const(scrise)) {
                db::Error ignorata;
                if (!valoare.isMissing())
                    scrie(*scris, valoare, ignorata);
            }
            eroare(u"EROARE : "_s + QString::number(err.number) + u"\r\n"_s + err.description);
            return false;
        }
        scrise.append({&c, vechi});
    }

    // 12. The program takes the new settings from the store.
    Citeste_Registrii_Culori();
    Citeste_Registrii_Zecimale();
    Citeste_Registrii_FileLocation();
    return true;
}
