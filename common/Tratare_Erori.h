#pragma once
// Error texts and error boxes (module Tratare_Erori).

#include "platform/db/db.h"

#include <QString>
#include <cstdint>
#include <optional>

// The text a grid's data error is shown with. Asks Comun.mdb's procedure
// Return_Error (on Conexiune_Comun) for the description of (source, number):
//   known:   "Eroare nr: " + number + CRLF + "Descriere Eroare: " + known text
//            + CRLF + description
//   unknown: "Sursa Eroare:" + source + CRLF + "Descriere Eroare: " + description
// Any failure (connection closed, procedure missing or with fewer than four
// parameters) gives "EROARE NEDETERMINABILA". Shows nothing itself. The
// window name is accepted for the callers' sake and not used.
QString Text_Eroare(const QString& numeFereastra, std::int16_t numar, const QString& sursa,
                    const QString& descriere);

// Shows a database error as "EROARE : " + number + CRLF + description, with
// the critical icon and Ok; the title "EROARE" unless another is given
// (nullopt: the program's title).
void Arata_Eroare_Baza(const db::Error& eroare, std::optional<QString> titlu = QStringLiteral("EROARE"));
