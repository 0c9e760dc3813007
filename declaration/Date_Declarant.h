#pragma once
// The declarant's names as the declaration window shows them.

#include <QString>

// The company's Intrastat person split at the first blank of the trimmed
// text: "Ion Popescu" gives "Ion " (up to and with the blank) and " Popescu"
// (from the blank on). A text without a blank gives no first part and the
// whole text as the second.
struct Nume_Declarant
{
    QString nume;
    QString prenume;
};
Nume_Declarant Imparte_Persoana(const QString& persoana);
