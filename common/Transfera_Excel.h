#pragma once
// A record set sent to a new workbook that the desktop's spreadsheet program
// opens: row 1 the field names, then the rows from the record set's current
// position to its end, as typed cells.

#include "platform/db/db.h"

#include <QList>
#include <QString>
#include <functional>

// Writes the workbook into the user's export folder (a new name each time,
// never deleted by the program) and opens it. On success the record set is
// closed and the reference cleared; on failure an "EROARE" box shows the error
// number and description, and the record set stays open.
void Exporta_In_Excel(db::Recordset& rs);

// The folder the exports are written to, ending in "/": the user's own
// Quorvel_Export-<uid> of the temporary folder (sys::userTempFolder),
// created private when missing; empty when none can be made (the export
// then shows why).
QString Folder_Export_Excel();

// The workbook of the last successful export (for the caller's own message).
QString Ultimul_Fisier_Exportat();

// How a written workbook is opened: by default QDesktopServices::openUrl. Tests
// put their own here; false means it could not be opened.
using Deschidere_Fisier = std::function<bool(const QString& path)>;
void Seteaza_Deschidere_Export(Deschidere_Fisier deschidere);

// Element [j][i] of the result is element [i][j] of the argument.
QList<QList<db::Variant>> Transpune_Matrice(const QList<QList<db::Variant>>& matrice);
