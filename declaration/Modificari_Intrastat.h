#pragma once
// The bulk changes of the declaration window: the kinds of the grid's
// columns, the selection condition picked as a column, an operator of
// Semne_Cautare_Selectie and a value, the one UPDATE that sets a column on
// the lines of the declaration shown, and the selection of the filtered view.

#include "platform/db/db.h"

#include <QString>

// The kind of a column by its ADO type code: "N" 6 or lower, "D" 7, "B" 11,
// "T" 20 or higher, "" for the others (which count as "T").
QString Fel_Coloana(int tipAdo);

// One row per field of the lines (Nume_Coloana, Tip), in field order, in a
// record set of memory.
db::Result<db::Recordset> Lista_Coloane(const db::Recordset& linii);

// The operators, all of them or those of one kind.
extern const QString SQL_Semne_Cautare; // "SELECT * FROM Semne_Cautare_Selectie"
QString SQL_Semne_Fel(const QString& fel);

// The condition on the column: " AND [col] <> " " " for "IS NOT NULL",
// " AND ([col] IS NULL OR [col]="")" for "IS NULL", nothing for another
// operator holding "NULL", otherwise " AND [col] " & the operator with each
// "Valoare" replaced by the value (which Valoare_Conditie prepared).
QString Conditie_Selectie(const QString& coloana, const QString& semn, const QString& valoare);

// The condition as above with the value checked by the condition column's
// kind: a number in C form for "N" (typed as a cell of the grid's column
// takes it: "1.234,50", "1234,5", "48.5"), a date as
// yyyy-mm-dd for "D", otherwise the text with its quotes doubled. An
// operator without "Valoare" takes no value. Refused with the reason.
db::Result<QString> Conditie_Verificata(const QString& coloana, const QString& fel, const QString& semn,
                                        const QString& valoare);

// The new value as it stands after "SET [col]=": for "T" (and no kind) the
// text between single quotes with its quotes doubled, refused when longer
// than the column's width (0: no limit); for "N" a number in C form, read as
// a cell of the grid's column reads it and kept as the column keeps it
// (Valoare_Pastrata: whole lei in the values, ...); for "D" a date literal
// #yyyy-mm-dd#; for "B" -1 or 0.
db::Result<QString> Valoare_Actualizare(const QString& fel, const QString& valoare, int latime,
                                        const QString& coloana = QString());

// The lines the bulk update may reach: those of the declaration's clause
// (" WHERE [TIP]=... AND [Luna]=m") and, when the window's filter is another,
// narrower one, also of that filter.
QString Clauza_Linii_Declaratie(const QString& clauzaDeclaratie, const QString& filtru);

// "UPDATE INTRASTAT SET [col]=" & the value (Valoare_Actualizare) & the
// clause & the condition. Refused with the reason when the value is.
db::Result<QString> Comanda_Actualizare(const QString& coloana, const QString& fel, const QString& valoare,
                                        int latime, const QString& clauza, const QString& conditie);

// Runs the update in one transaction; gives the lines changed.
db::Result<qint64> Actualizeaza_Linii(db::Connection& firma, const QString& sql);

// The filter and the condition of the filtered view: the filter followed by
// the condition, or the condition as a WHERE clause when there is no filter.
QString Filtru_Selectie(const QString& filtru, const QString& conditie);
