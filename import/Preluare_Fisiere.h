#pragma once
// Reading worksheets as tables: the first rows of a sheet for the template
// editor, every row of a sheet through an import template for the import,
// and the sheet names of a workbook. Each call opens the workbook for itself,
// read-only; a returned record set holds its own copy of the sheet.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>

// The workbook connection texts: the preview's, and the import's (IMEX=1).
QString Conexiune_Excel_Previzualizare(const QString& cale);
QString Conexiune_Excel_Import(const QString& cale);

// The first two data rows of the sheet ("SELECT TOP 2 * FROM [<sheet>$]").
// A failure shows "EROARE : <number>  <description>" (OK only, no icon, no
// title) and gives no record set when the workbook cannot be opened
// (isNull()), a record set that is not open when the sheet cannot be read.
db::Recordset Deschide_Sheet_Excel(const QString& cale, const QString& foaie);

// The statement that reads the sheet through the template's rows (read on
// the company connection): one item per row, aliased to the Intrastat column
// the row fills. `campuri` are the sheet's field names in column order.
// Fails when a row taken from the sheet has no valid column number, or when
// the rows give no item.
db::Result<QString> Instructiune_Excel_Dupa_Macheta(db::Connection& firma, const QStringList& campuri,
                                                    const QString& foaie, const QString& macheta);

// Every row of the sheet through the template, on a private connection to
// the workbook. Shows nothing: any failure is returned to the caller.
db::Result<db::Recordset> Selecteaza_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                        const QString& macheta);

// The sheets of the workbook, as its sheet list offers them: the tables whose
// name ends in "$", without it. Empty when the workbook cannot be read.
QStringList Foi_Excel(const QString& cale);
