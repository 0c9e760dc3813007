#pragma once
// Import templates: one header row per template (StructuraFisiereAntet) and
// one row per destination column of Intrastat (StructuraFisiereContinut),
// in the company database. The operations the template editor and chooser
// perform on them, each a plain call on the connection it is given.
//
// Template names enter every statement with their quotes doubled, so a name
// holding "'" is handled as typed.

#include "platform/db/db.h"

#include <QHash>
#include <QString>
#include <QStringList>

// " WHERE [Nume_structura]='<name>'": the condition of one template that the
// chooser hands to the editor (Conditie_Macheta); "" stands for every template.
QString Conditie_Macheta_Pentru(const QString& nume);

// The command text of the template record set for a condition: the headers
// with a field "ChildCMD" holding each header's rows in Sort_Order order.
QString Text_Set_Macheta(const QString& conditie);

// Opens the template record set (updatable).
db::Result<db::Recordset> Deschide_Set_Macheta(db::Connection& cn, const QString& conditie);

// Adds a new header to the set, its sheet name "Sheet1"; the caller fills the
// rest and saves it.
db::Error Creeaza_Antet(db::Recordset& set);

// Writes the current header of the set. A header whose name or type is blank
// is refused (nothing written); a name already in use (names are compared
// without regard to case) is refused by the database. Either way the header
// stays pending in the set, so the caller can correct it or cancel it.
db::Error Salveaza_Antet(db::Recordset& set);

// "Retine Modificari" on the set whose current header holds what the editor
// shows: writes the header; for a new template (noua) seeds its rows from the
// schema rows when it has none, then points the set at it (take ChildCMD
// anew). A name already in use is refused with the message
// "Exista deja o macheta cu numele : <name>" + CR LF + "Alegeti alt nume."
// (kind Duplicate) and nothing is written. The header is written before the
// seeding: when the seeding fails the header stays without rows and the next
// call seeds it.
db::Error Retine_Macheta(db::Connection& cn, db::Recordset& set, bool noua, const db::Recordset& schema);

// The columns of Intrastat that carry a description: the schema rows
// (COLUMN_NAME, ORDINAL_POSITION, COLUMN_DEFAULT, CHARACTER_MAXIMUM_LENGTH,
// NUMERIC_PRECISION, DATETIME_PRECISION, DESCRIPTION, ...) filtered on a
// non-empty description.
db::Result<db::Recordset> Citeste_Schema_Intrastat(db::Connection& cn);

// Seeds the rows of a newly saved template from the schema rows (one row per
// schema row), then drops the row of the flow the template never uses
// (Tara_Dest for "ACHIZITIE", Tara_Exp for "LIVRARE", type compared
// upper-cased). Runs only while the template has no row yet, in one
// transaction: a failure leaves no row and is returned.
db::Error Initializeaza_Continut_Macheta(db::Connection& cn, const QString& nume, const QString& tip,
                                         db::Recordset schema);

// The drop of the other flow's row alone (part of the seeding).
db::Error Sterge_Rand_Alt_Flux(db::Connection& cn, const QString& nume, const QString& tip);

// Points the set at one template (filter on its name) and reads it again;
// take the set's ChildCMD anew afterwards.
db::Error Indreapta_Set_Spre_Macheta(db::Recordset& set, const QString& nume);

// Adds the country-of-origin row (not from the sheet, "Tara Origine", 2
// characters, "TEXT", order 17) to a template that has none. True when the
// row was added, false when the template had one already.
db::Result<bool> Adauga_Rand_Tara_Origine(db::Connection& cn, const QString& nume);

// Deletes a template: its rows and its header, in one transaction. Gives the
// number of headers deleted.
db::Result<qint64> Sterge_Macheta(db::Connection& cn, const QString& nume);

// The columns of Intrastat by lower-case name: the kind of value each template row's destination takes.
db::Result<QHash<QString, db::Field>> Coloane_Intrastat(db::Connection& cn);

// Whether a default typed for a template row is a value of its destination
// column's kind (Valoare_Implicita): "" when it is, or is blank, otherwise
// the message "Valoare Implicita  -  Trebuie sa fie <kind> !". A column that
// is not there (nullptr) takes any text.
QString Refuz_Valoare_Implicita(const db::Field* coloana, const db::Variant& text);

// A template's folder or sample workbook as it is used: a path kept
// relative (the demonstration template's "Exemple/...") lies in the program
// folder the program runs from, wherever that folder was installed or
// copied; an absolute or empty path is returned as it is.
QString Cale_Fisier_Macheta(const QString& cale);

// The in-memory list of a sample sheet's columns the editor fills: "Numar
// Coloana" (32-bit whole number), "Nume Coloana" (text of 100), "Prima
// Valoare" (text of 250), empty and open.
db::Recordset Lista_Coloane_Foaie();

// The list filled from a sheet's first rows (Deschide_Sheet_Excel), one row
// per field in field order: its 1-based number, its name (" " when empty) and
// its value in the current row as text (" " for empty text, Null for an
// empty cell); the name is cut to 100 characters, the value to 200. Empty
// when the sheet is not open.
db::Recordset Lista_Coloane_Din_Foaie(const db::Recordset& foaie);

// The items of a window's combo box: the lines of the text file
// "<Folder_Sistem>ComboBox/<window>.<control>.txt" in file order, each
// without its line end (CR LF, LF or CR), neither skipped nor trimmed. Empty
// when the file cannot be read.
QStringList Elemente_Combo(const QString& fereastra, const QString& control);
