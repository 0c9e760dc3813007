#pragma once
// The lines of table Intrastat as the declaration window shows them: the
// 32-column grid query, the record set it binds, the totals of its footers
// and the caption with the line count.

#include "platform/db/db.h"

#include <QList>
#include <QString>
#include <QStringList>

// The built-in grid query, without WHERE and ORDER BY.
extern const QString SQL_Grila_Intrastat;
// The window's order clause.
extern const QString Ordine_Grila_Intrastat; // " ORDER BY Record_ID"

// The amounts table Intrastat keeps rounded, halves to even: the fiscal and
// the statistical value in whole lei, the net mass in whole kilograms, the
// currency value and the rate to 4 decimals. The import stores them so, and
// the grid what is typed into them.
struct Suma_Rotunjita
{
    QString coloana;
    int zecimale = 0;
};
const QList<Suma_Rotunjita>& Sume_Rotunjite();
// A value as its column keeps it: a number of those columns rounded to their
// decimals, anything else as it is.
db::Variant Valoare_Pastrata(const QString& coloana, const db::Variant& valoare);
// The display format of the grid's column of the field ("##,##0" for the
// values), "" for a field the grid shows without one or does not show.
QString Format_Camp_Grila(const QString& camp);

// query & filter & condition & " " & order: the source the grid opens on.
QString Sursa_Grila(const QString& interogare, const QString& filtru, const QString& conditie = QString());

// The updatable record set of the grid (dynamic, optimistic) on the source.
db::Result<db::Recordset> Deschide_Linii(db::Connection& firma, const QString& sursa);

// The sums of the fiscal value, the statistical value and the net mass of the
// lines of the filter (and the further condition, which starts with AND). A
// selection without lines sums to 0.
struct Totaluri_Intrastat
{
    double valFiscala = 0;
    double valStat = 0;
    double net = 0;
};
QString SQL_Totaluri(const QString& filtru, const QString& conditie = QString());
db::Result<Totaluri_Intrastat> Calculeaza_Totaluri_Linii(db::Connection& firma, const QString& filtru,
                                                         const QString& conditie = QString());
// A sum as its footer shows it: "##,##0" in the user's locale, as the grid's
// cells ("123,456,789" in English).
QString Text_Total(double suma);
// The widest text of each amount column of the grid (the values, the net
// mass, the quantities, the currency value and the rate: the columns with a
// number format) over the lines of the grid's record set, as its cells show
// them: "8,765,432.00", "1,234,567,890,123". By grid column, "" for the
// other columns and for a column without a value.
QStringList Texte_Cele_Mai_Late(const db::Recordset& linii);
// The same texts once one line was written (its row in the record set): the
// line's own where they are longer; the other lines are not read again.
QStringList Texte_Cele_Mai_Late(const db::Recordset& linii, int linie, const QStringList& texte);

// "INTRASTAT -  ANUL: " & year & "   LUNA: " & month [& "   FISIER: " & file].
QString Titlu_Intrastat(const QString& anul, const QString& luna, const QString& fisier = QString());
// The caption followed by "  INREGISTRARI : " & count, replacing a count
// that the caption carries already.
QString Titlu_Cu_Inregistrari(const QString& titlu, int numar);
