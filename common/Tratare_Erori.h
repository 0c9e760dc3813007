#pragma once
// Error texts for the data errors of the grids (module Tratare_Erori).

#include <QString>
#include <cstdint>

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
