#pragma once
// The rules of editing the declaration grid that need no screen: the values
// in lei recomputed from the currency value and the rate, the code look-ups
// of the grid's columns, the columns a line must have, and the sort by a
// clicked column with the grid query of System/SQL/Intrastat.txt.

#include "platform/db/db.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace grid {
class CallingGrid;
}

// Grid columns by their place in the grid query.
inline constexpr int Coloana_Record_ID = 4;
inline constexpr int Coloana_Cod_NC = 5;
inline constexpr int Coloana_Cod_UMS = 13;
inline constexpr int Coloana_Val_UMS = 14;
inline constexpr int Coloana_Valoare_Valuta = 23;
inline constexpr int Coloana_Curs_Schimb = 25;

// Val_Fiscala = Valoare_Valuta x Curs_Schimb and Val_Stat = the same product
// x the line's old Val_Stat / Val_Fiscala (1 when either is blank or
// Val_Fiscala is 0), each rounded to a whole number, halves to even. Nothing
// when the currency value or the rate is blank or not a number.
struct Valori_Lei
{
    double valFiscala = 0;
    double valStat = 0;
};
std::optional<Valori_Lei> Recalculeaza_Valori(const db::Variant& valoareValuta, const db::Variant& curs,
                                              const db::Variant& valFiscala, const db::Variant& valStat);

// The code look-up of one grid column: the look-up query (the condition
// follows it, up to the opening quote of the typed value), the pick-list's
// query and the captions of its columns, the database, and the pairs (grid
// column <- field of the found row).
struct Cautare_Coloana
{
    int coloana = -1;
    QString interogare;
    QString conditie;
    QString lista;
    QStringList titluri;
    bool peTarif = false;
    QList<QPair<int, int>> perechi;
};
// The look-up of the column; nullptr for a column that has none.
const Cautare_Coloana* Cautare_Pentru_Coloana(int coloana);

// Fills Parametri_Cautare_Tabele for the column: with the typed value, the
// look-up query ending with the value's condition (its quotes doubled), or
// without a condition the pick-list's query.
void Pregateste_Cautare(const Cautare_Coloana& cautare, const QString& valoare, grid::CallingGrid* grila,
                        bool cuConditie);

// The columns a line is written with, tested in this order: 0 to 12, then
// 15 to 17, except Record_ID (4), which the database gives a new line.
const QList<int>& Coloane_Obligatorii();

// The order of a header click: the column's data field between brackets
// (unless it has them), then [POZITIA].
QString Ordine_Dupa_Coloana(const QString& campDate);

// The grid query file System/SQL/Intrastat.txt of the system folder.
QString Fisier_Interogare_Grila();

// The lines of the filter in the order: opened on the first line of the
// query file when the file exists, otherwise on the built-in grid query.
// When the file's query cannot be opened, or does not give the grid's 32
// columns first in their order, the built-in query is opened instead and
// eroareFisier says why.
struct Linii_Sortate
{
    db::Result<db::Recordset> linii = db::Error();
    QString interogare; // the query the lines were opened with
    db::Error eroareFisier;
};
Linii_Sortate Deschide_Linii_Sortate(db::Connection& firma, const QString& fisier, const QString& filtru,
                                     const QString& ordine);
