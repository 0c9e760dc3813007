#include "common/EU_Registrii_Operatii.h"

#include "common/Globale.h"
#include "common/RegistriiOperatii_Setari.h"

using namespace Qt::StringLiterals;

namespace {
const QString kCheieEU = u"Software\\VELMORANT\\EU"_s;
}

QList<QPair<QString, QString>> Valori_Implicite_EU()
{
    return {
        {u"Nume"_s, u"Serviciul Clienti"_s},
        {u"NumeFirma"_s, u"VELMORANT"_s},
        {u"Telefon"_s, u"021 000 0000"_s},
        {u"Fax"_s, u"021 000 0001"_s},
        {u"Email"_s, u"contact@velmorant.example"_s},
        {u"Adresa"_s, u"Str. Exemplului nr. 1"_s},
        {u"Localitate"_s, u"Bucuresti"_s},
        {u"CodFiscal"_s, u"RO00000000"_s},
        {u"RegComert"_s, u"J40/0000/2000"_s},
        {u"Banca"_s, u"Banca Exemplu"_s},
        {u"ContBanca"_s, u"RO00XXXX0000000000000000"_s},
        {u"www"_s, u"xxxxx"_s},
    };
}

db::Error Initializeaza_Registrii_EU()
{
    const reg::HKEY hklm = reg::HKEY_LOCAL_MACHINE;
    db::Error e;
    const bool exista = Exista_Cheie(hklm, kCheieEU, &e);
    if (e)
        return e;
    if (!exista && Creeaza_Cheie(kCheieEU, hklm) == 0) {
        for (const auto& [nume, valoare] : Valori_Implicite_EU()) {
            Seteaza_Valoare(hklm, kCheieEU, nume, valoare, 1, &e);
            if (e)
                return e;
        }
    }
    const struct
    {
        const char16_t* nume;
        QString* tinta;
    } citiri[] = {{u"NumeFirma", &Producator_NumeFirma},
                  {u"Telefon", &Producator_Telefon},
                  {u"Email", &Producator_Email}};
    for (const auto& c : citiri) {
        const db::Variant v = Citeste_Valoare(hklm, kCheieEU, QString::fromUtf16(c.nume), &e);
        if (e)
            return e;
        *c.tinta = v.toText();
    }
    return e;
}
