#include "common/Registrii_Setatri_Default.h"

#include "common/Folder_Program.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Verifica_Exista_Fisier.h"

#include <QDir>

using namespace Qt::StringLiterals;

QList<Setare_Implicita> Setari_Implicite(const QString& cheie)
{
    if (cheie == Cheie_Culori) {
        return {
            {u"EvenRowStyle_BackColor"_s, 0xE0E0E0, 4},
            {u"OddRowStyle_BackColor"_s, 0xC0FFFF, 4},
            {u"HighlightRowStyle_BackColor"_s, 0xFF0000, 4},
            {u"HighlightRowStyle_ForeColor"_s, 0xFFFFFF, 4},
            {u"Meniu_Color"_s, 0xC0FFFF, 4},
        };
    }
    if (cheie == Cheie_Zecimale) {
        return {
            {u"UseFormat"_s, u"1"_s, 1},    {u"ZecRotCalcule"_s, u"4"_s, 1}, {u"ZecRotLEI"_s, u"0"_s, 1},
            {u"ZecRotValuta"_s, u"2"_s, 1}, {u"NrZecTaxare"_s, u"0"_s, 1},
        };
    }
    if (cheie == Cheie_FileLocation) {
        const QString program = Folder_Program();
        // A user who keeps the folder "Program Files/INTRASTAT/declaratii" in
        // the home folder gets the declaration files there by default; anyone
        // else in the program folder's System/IntrastatSave/.
        const QString instalat = QDir::homePath() + u"/Program Files/INTRASTAT/declaratii/"_s;
        const QString salvare =
            Exista_Director(instalat) ? instalat : QString(program + u"/System/IntrastatSave/"_s);
        return {
            {u"DataBase"_s, QString(program + u"/System/DataBase/"_s), 1},
            {u"System"_s, QString(program + u"/System/"_s), 1},
            {u"ReportDefinitionPath"_s, QString(program + u"/System/ReportDefinition/"_s), 1},
            {u"DirectorSalvare"_s, salvare, 1},
        };
    }
    return {};
}

db::Error Scrie_Setari_Implicite()
{
    const reg::HKEY hklm = reg::HKEY_LOCAL_MACHINE;
    db::Error e;
    const bool produs = Exista_Cheie(hklm, Cheie_Produs, &e);
    if (e)
        return e;
    if (produs || Creeaza_Cheie(Cheie_Produs, hklm) == 0) {
        Seteaza_Valoare(hklm, Cheie_Produs, u"AppPath"_s, Folder_Program(), 1, &e);
        if (e)
            return e;
    }
    for (const QString& cheie : {Cheie_Culori, Cheie_Zecimale, Cheie_FileLocation}) {
        const bool exista = Exista_Cheie(hklm, cheie, &e);
        if (e)
            return e;
        if (exista || Creeaza_Cheie(cheie, hklm) != 0)
            continue;
        for (const Setare_Implicita& s : Setari_Implicite(cheie)) {
            Seteaza_Valoare(hklm, cheie, s.nume, s.valoare, s.tip, &e);
            if (e)
                return e;
        }
    }
    return e;
}
