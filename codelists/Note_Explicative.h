#pragma once
// The explanatory notes of the tariff nomenclature, kept in the common
// database by chapter (HS_Note_2, two-digit codes) and by heading
// (HS_Note_4, four-digit codes).

#include "platform/db/db.h"

#include <QString>

// What the notes box shows when the chapter or heading has no notes.
inline const QString Text_Fara_Note = QStringLiteral("NU EXISTA NOTE EXPLICATIVE");

// The notes of the chapter (cifre 2) or the heading (cifre 4) that the first
// characters of the code, as typed, name: the first row's description (an
// empty text when it is blank), or Text_Fara_Note when there is no row. The
// code must hold at least that many characters. An error when the query
// fails (the notes table missing, the connection closed).
db::Result<QString> Note_Explicative(db::Connection& comun, const QString& cod, int cifre);
