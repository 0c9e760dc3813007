#pragma once
// The tariff database of a period: the code version valid for a year and month
// is chosen from InsCodeVersions of the common database, and Conexiune_CN is
// opened on that version's file under the database folder's "CN/".

#include "platform/db/db.h"

#include <QString>

// The one period rule, shared with the declaration file's choice of the version
// row: a version matches the period when it starts no later than the period
// and ends no earlier, comparing whole periods (year * 12 + month), or when it
// has no end (both Anul_End and Luna_End Null). Gives the WHERE condition.
QString Conditie_Perioada_Versiune(int luna, int anul);

// The InsCodeVersions row (all its columns) for a period: the rows matching
// the period rule, else the open-ended version, the latest start first. An
// empty record set when there is neither; an error when the query fails.
db::Result<db::Recordset> Alege_Versiune_Cod(db::Connection& comun, int luna, int anul);

// Opens Conexiune_CN on the tariff file of the period (month first). On a
// missing version, a missing file or a file that cannot be opened it says so
// (title "EROARE") and leaves Conexiune_CN as it was. The period's file
// already open is kept. True when the period's tariff is open.
bool Deschide_Conexiune_Tarif(const short& Luna, const short& Anul);
