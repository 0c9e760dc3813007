#pragma once
// The key of the declaration shown in the declaration window, as its key
// boxes give it, and the selection of all of its lines: the verification
// and the declaration file always work on the whole type, company, year and
// month, whatever narrower filter the window shows.

#include <QString>
#include <optional>

struct Cheie_Declaratie
{
    QString tip;       // TXT_Tip: "I" arrivals, "O" dispatches
    QString codFiscal; // TXT_CodFiscal
    QString anul;      // TXT_Anul
    QString luna;      // TXT_Luna
};

// Year and month read as whole numbers.
struct Perioada_Declaratie
{
    int anul = 0;
    int luna = 0;
};

// The period of the key: nothing when the type is blank or the year or the
// month is not a whole number (the window shows no line).
std::optional<Perioada_Declaratie> Perioada(const Cheie_Declaratie& cheie);

// As Perioada, and when there is none it says so (title "EROARE").
std::optional<Perioada_Declaratie> Perioada_Sau_Mesaj(const Cheie_Declaratie& cheie);

// Whether the key's fiscal code is the working company's (letter case aside,
// as the selection compares it): the verification and the file read the
// working company's lines only. When it is not, it says so after the text
// of what was not done (title "EROARE") and gives false.
bool Declaratie_Firma_Curenta(const Cheie_Declaratie& cheie, const QString& nefacut);

// " WHERE [TIP]='<type>' AND [Cod_Fiscal]='<FirmaCurenta_CodFiscal>' AND
// [Anul]=<year> AND [Luna]=<month>", the texts quoted.
QString Clauza_Declaratie(const QString& tip, const Perioada_Declaratie& perioada);
// The same clause for the given fiscal code.
QString Clauza_Declaratie(const QString& tip, const QString& codFiscal, const Perioada_Declaratie& perioada);

// A dispatch under the rules from 2015 on: the type exactly "O" and a year
// after 2014. These declare the partner's VAT number.
bool Expediere_Dupa_2014(const QString& tip, const Perioada_Declaratie& perioada);
