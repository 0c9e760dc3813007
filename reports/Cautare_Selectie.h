#pragma once
// The query builder's work: the tables and columns of the company database,
// the operators of a column kind, the SELECT written from the ticked columns
// and the chosen conditions, the check and the run of a script, and the
// saved scripts of the common database.

#include "platform/db/db.h"

#include <QString>

// The tables that can be queried (saved procedure Return_Nume_Tabele).
db::Result<db::Recordset> Tabele_Firma(db::Connection& firma);

// The columns of a table as the fields grid edits them: a writable copy of
// the rows of Return_Nume_Field_Tabel (FieldName, DataType, TableName, ...,
// Semn, DescSemn, Valoare, Afiseaza, ...), with Afiseaza as a yes/no field.
db::Result<db::Recordset> Campuri_Tabel(db::Connection& firma, const QString& tabel);

// The operators of a column kind ("N", "D", "B", "T"), all of them when the
// kind is blank.
QString SQL_Semne(const db::Variant& tip);

// A date typed for a "D" column in the form the generated text writes it,
// "mm-dd-yyyy"; a text that is no date stays as it is.
QString Formateaza_Data_Cautare(const QString& valoare);

struct Script_Generat
{
    bool ok = false;
    QString text;         // the script, when ok
    QString fara_valoare; // the column whose operator wants a value that is blank
    db::Error eroare;     // a failure of the fields record set
};

// Writes "SELECT T.[A], T.[B] FROM T WHERE [C] = 5 " from the fields record
// set: the ticked columns (Afiseaza) in the select list, and for every column
// with an operator the condition: its fragment Semn with the placeholder
// "Valoare" replaced by the value. The value of a "D" column is first written
// back into its row as "mm-dd-yyyy"; a value that the fragment puts between
// single quotes has its quotes doubled. Stops at the first column whose
// fragment wants a value that is blank.
Script_Generat Genereaza_Script_SQL(db::Recordset& campuri);

// The first of the words a script may not hold ("UPDATE", "INSERT", ...,
// "SET", ...), searched in upper case anywhere in the text; else the command
// word of a script that would change the connection past the run's rollback
// (PRAGMA, ATTACH, DETACH, VACUUM, BEGIN, COMMIT, END, ROLLBACK, SAVEPOINT,
// RELEASE, found past comments); empty when none.
QString Cuvant_Interzis(const QString& script);

// A script that may be run or saved: not blank, and no forbidden word. The
// refusal is shown ("Script SQL  -  Obligatoriu de completat !", "Nu este
// permis sa rulati comanda :" and the word).
bool Verifica_Script(const QString& script);

// The rows of a script run on the company database. The run takes place in a
// transaction that is rolled back, so a script can never change the data.
db::Result<db::Recordset> Ruleaza_Script(db::Connection& firma, const QString& script);

// Stores a script in Scripts: the name's first 50 characters, and the text
// with every quote stored doubled.
db::Error Salveaza_Script(db::Connection& comun, const QString& nume, const QString& script);

// The text of a stored script as it was typed (doubled quotes made single).
QString Text_Script_Salvat(const QString& stocat);

// The most rows the Excel export takes.
inline constexpr int kMaxRanduriExcel = 65535;
