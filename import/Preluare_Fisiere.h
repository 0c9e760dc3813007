#pragma once
// Reading worksheets as tables: the first rows of a sheet for the template
// editor, every row of a sheet through an import template for the import,
// and the sheet names of a workbook. Each call opens the workbook for itself,
// read-only; a returned record set holds its own copy of the sheet.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The filter of the open-file dialog for a workbook: both kinds the program
// reads (.xls and .xlsx) together, selected when the dialog opens, then each
// alone.
QString Filtru_Fisiere_Excel();

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
// the row fills. `campuri` are the sheet's field names in column order. A
// default is written as a value of its column's kind (a number bare, a text
// quoted), so no default can change the statement. Fails, saying which
// template row, when a row taken from the sheet has no valid column number,
// a default is not of its column's kind or a maximum length is not a whole
// number; fails too when the template is not there, has no rows, or its
// rows give no item. coloaneCitite, when given, gets the sheet fields read.
db::Result<QString> Instructiune_Excel_Dupa_Macheta(db::Connection& firma, const QStringList& campuri,
                                                    const QString& foaie, const QString& macheta,
                                                    QStringList* coloaneCitite = nullptr);

// The sheet's rows through the template, and which of them are blank: every
// sheet cell the template reads empty or blanks only.
struct Randuri_Foaie
{
    db::Recordset randuri;
    QVector<bool> goale; // per row of randuri
    int numarGoale = 0;
};

// Every row of the sheet through the template, on a private connection to
// the workbook. Shows nothing: any failure is returned to the caller with
// its reason (the workbook cannot be read, the sheet is not in it, the
// template cannot give a statement).
db::Result<Randuri_Foaie> Citeste_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                     const QString& macheta);
// The same rows alone.
db::Result<db::Recordset> Selecteaza_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                        const QString& macheta);

// The sheets of the workbook, as its sheet list offers them: the tables whose
// name ends in "$", without it. Empty when the workbook cannot be read.
QStringList Foi_Excel(const QString& cale);
