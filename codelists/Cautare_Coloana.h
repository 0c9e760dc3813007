#pragma once
// The column search: a condition on one column added to a list's own query,
// and the narrowed rows opened into RS_Filtrare. The caller fills the search
// block (Filtrare_SQL, Filtrare_Coloana, ... in common/Globale.h) before it
// opens the search window.

#include "platform/db/db.h"

#include <QString>
#include <optional>

// The four ways of matching the typed expression.
enum class Mod_Cautare
{
    Identic = 1,  // the column equals the text
    IncepeCu = 2, // the column begins with the text
    Contine = 3,  // the column contains the text
    Avansat = 4   // "a + b": contains a and b; "a - b": contains a or b
};

// The condition on the column (a name in brackets, "[Tara_DESC]"). The text
// is taken as typed, its quotes doubled; in the advanced mode the pieces are
// trimmed and terms joined by OR are put in parentheses. An expression with
// both "+" and "-" has no meaning: nullopt.
std::optional<QString> Conditie_Cautare_Coloana(const QString& coloana, const QString& text, Mod_Cautare mod);

// The list query narrowed by the condition: it goes after the query's WHERE
// (as "... AND <condition>"), or after a new WHERE, and before its ORDER BY
// (both words found in exact case). Each alternative of an OR in the query's
// own WHERE gets the condition, so the search never widens the list. A
// column the query's select list takes from a named table (T.col) is named
// with it in the condition ("[T].[col]"), so a join is never ambiguous.
// nullopt when the condition has no meaning or the query cannot be split.
std::optional<QString> Interogare_Cautare_Coloana(const QString& sql, const QString& coloana,
                                                  const QString& text, Mod_Cautare mod);

// The connection a search runs on: the tariff when peComun and peTarif, the
// common database when peComun alone, the company database otherwise.
db::Connection& Conexiune_Filtrare(bool peComun, bool peTarif);

enum class Rezultat_Cautare_Coloana
{
    Gasit,   // RS_Filtrare holds the matching rows
    Negasit, // no row matches: RS_Filtrare is open and empty
    Eroare   // the expression or the query failed: RS_Filtrare is released
};

// Runs the search of the search block (Filtrare_SQL on Filtrare_Coloana, with
// the caller's cursor and lock types) into RS_Filtrare. The record set that
// RS_Filtrare held before is let go, never closed, so a grid that shows it
// keeps its rows when the new search finds nothing or fails.
Rezultat_Cautare_Coloana Cauta_In_Coloana(const QString& text, Mod_Cautare mod);
