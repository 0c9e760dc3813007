#include "common/Public_Citeste_Registrii.h"

#include "common/Globale.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Registrii_Setatri_Default.h"

using namespace Qt::StringLiterals;

namespace {

// The stored value, or nothing when the settings database failed.
std::optional<db::Variant> citeste(const QString& cheie, const QString& nume)
{
    db::Error e;
    db::Variant v = Citeste_Valoare(reg::HKEY_LOCAL_MACHINE, cheie, nume, &e);
    if (e)
        return std::nullopt;
    return v;
}

} // namespace

void Citeste_Registrii_Culori()
{
    const struct
    {
        const char16_t* nume;
        qint32* tinta;
    } culori[] = {{u"EvenRowStyle_BackColor", &Culoare_RandPar},
                  {u"OddRowStyle_BackColor", &Culoare_RandImpar},
                  {u"HighlightRowStyle_ForeColor", &Culoare_SelectieText},
                  {u"HighlightRowStyle_BackColor", &Culoare_SelectieFundal},
                  {u"Meniu_Color", &Culoare_Meniu}};
    for (const auto& c : culori) {
        if (const std::optional<db::Variant> v = citeste(Cheie_Culori, QString::fromUtf16(c.nume))) {
            if (const std::optional<qint32> n = Valoare_La_Long(*v))
                *c.tinta = *n;
        }
    }
}

void Citeste_Registrii_Zecimale()
{
    const struct
    {
        const char16_t* nume;
        quint8* tinta;
    } zecimale[] = {{u"ZecRotLEI", &Zecimale_Lei},
                    {u"ZecRotValuta", &Zecimale_Valuta},
                    {u"ZecRotCalcule", &Zecimale_Calcule},
                    {u"NrZecTaxare", &Zecimale_Taxare}};
    for (const auto& z : zecimale) {
        if (const std::optional<db::Variant> v = citeste(Cheie_Zecimale, QString::fromUtf16(z.nume))) {
            if (const std::optional<quint8> n = Valoare_La_Byte(*v))
                *z.tinta = *n;
        }
    }
}

void Citeste_Registrii_FileLocation()
{
    const struct
    {
        const char16_t* nume;
        QString* tinta;
    } foldere[] = {{u"DataBase", &Folder_BazaDate},
                   {u"System", &Folder_Sistem},
                   {u"ReportDefinitionPath", &Folder_DefinitiiRapoarte},
                   {u"DirectorSalvare", &Folder_Salvare_XML}};
    for (const auto& f : foldere) {
        if (const std::optional<db::Variant> v = citeste(Cheie_FileLocation, QString::fromUtf16(f.nume))) {
            if (!v->isNull())
                *f.tinta = v->toText();
        }
    }
}
