#pragma once
// The silent code look-up of a grid cell and the record-exists test. The
// request is the process-wide Parametri_Cautare_Tabele (common/Globale.h),
// filled by the calling grid right before the call.

#include "platform/db/db.h"

#include <QString>

// The connection of a list: the tariff when peTarif, else the company when
// peFirma, else the common database.
db::Connection& Conexiune_Cautare(bool peFirma, bool peTarif);

// A record set of a list's query; a closed connection is an error like any
// other ("Baza de date nu este deschisa").
db::Result<db::Recordset> Deschide_Lista_Fereastra(db::Connection& conexiune, const QString& sql,
                                                   db::CursorType cursor, db::LockType blocare);

// A look-up query: the list query, the condition up to the opening quote
// (" WHERE [Tara_COD]='"), the typed value with its quotes doubled, and "'".
QString Interogare_Cautare(const QString& interogare, const QString& conditie, const QString& valoare);

// Runs Cautare_SQL; on a row, copies its fields into the calling grid's current
// row by the column pairs, sets Cautare_Rezultat to "VALOARE GASITA: ..." and
// gives the grid the focus. Without a row (or when the query fails) it sets
// "VALOARE NEGASITA : " + the typed value, shows "NU GASESC : " + the typed
// value (title "Mesaj") and gives false. No cell is written then.
bool Cauta_Si_Completeaza();

// True when the query gives at least one row on the chosen database; false
// also when it fails.
bool Exista_Inregistrari(const QString& sql, const bool& peFirma, const bool& peTarif);
