#pragma once
// A record set sent to a new workbook that the desktop's spreadsheet program
// opens: row 1 the field names, then the rows from the record set's current
// position to its end, as typed cells.

#include "platform/db/db.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Writes the workbook into the user's export folder (a new name each time,
// never deleted by the program) and opens it. On success the record set is
// closed and the reference cleared; on failure an "EROARE" box shows the error
// number and description, and the record set stays open. A workbook written
// but not opened is such a failure: the box gives its full path and why.
void Exporta_In_Excel(db::Recordset& rs);

// The folder the exports are written to, ending in "/": the user's own
// Quorvel_Export-<uid> of the temporary folder (sys::userTempFolder),
// created private when missing; empty when none can be made (the export
// then shows why).
QString Folder_Export_Excel();

// The workbook of the last successful export (for the caller's own message).
QString Ultimul_Fisier_Exportat();

// How a written workbook is opened: by default xdg-open, its exit status
// waited for (Porneste_Deschiderea). Tests put their own here; as there,
// nullopt means it opened, a text why it did not.
using Deschidere_Fisier = std::function<std::optional<QString>(const QString& path)>;
void Seteaza_Deschidere_Export(Deschidere_Fisier deschidere);

// Element [j][i] of the result is element [i][j] of the argument.
QList<QList<db::Variant>> Transpune_Matrice(const QList<QList<db::Variant>>& matrice);
