#pragma once
// The statistical-value adjustment: the groups of lines with the same
// delivery terms, transport mode, nature of transaction and partner country,
// each with a percentage, and the rewrite of Val_Stat as the fiscal value
// plus that percentage, rounded half to even.

#include "platform/db/db.h"

#include <QString>

// "SELECT * FROM Intrastat_Grup_Recalculare_I" (type "I") or "..._O" (any
// other type) followed by the window's filter.
QString SQL_Grupe_Ajustare(const QString& tip, const QString& filtru);

// An updatable copy of the groups, detached from the database: edits of the
// percentages stay in it.
db::Result<db::Recordset> Deschide_Grupe_Ajustare(db::Connection& firma, const QString& tip,
                                                  const QString& filtru);

// One group: its declaration key, its four values and the percentage.
struct Grupa_Ajustare
{
    QString tip;
    QString codFiscal;
    db::Variant anul;
    db::Variant luna;
    db::Variant incoterms;
    db::Variant modTransp;
    db::Variant natTranz;
    db::Variant tara;
    double procent = 0;
};

// The statement of one group. The partner country is Tara_Exp for type "I"
// and Tara_Dest otherwise; the percentage is written with a point; a Null
// grouping value is compared with IS NULL, so its lines are reached too.
QString Comanda_Ajustare(const QString& tip, const Grupa_Ajustare& grupa);

struct Rezultat_Ajustare
{
    enum class Stare
    {
        Terminata,
        Refuzata, // a blank percentage, or one group with two percentages: nothing ran
        Esuata    // a statement failed: everything was rolled back
    };
    Stare stare = Stare::Terminata;
    int grupe = 0;    // distinct groups
    int esuate = 0;   // statements that failed
    qint64 linii = 0; // lines rewritten
    QString mesaj;    // what to show
};

// Applies the percentages of the groups record set, one statement per
// distinct group (a group listed once per imported file runs once), in one
// transaction. tip is the window's type.
Rezultat_Ajustare Aplica_Ajustarea(db::Connection& firma, const QString& tip, const db::Recordset& grupe);

// "Ajustare Terminata" CR LF "APASATI BUTONUL - "Refresh (Reafisare)"".
extern const QString Mesaj_Ajustare_Terminata;
