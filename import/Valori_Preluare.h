#pragma once
// How the import takes values: texts without control characters, dates the
// calendar holds, and a template's default as a value of its destination
// column's kind. Amounts written the way Romanian users write them are read
// by db::readAmount, as the grids read what is typed.

#include "platform/db/db.h"

#include <QString>
#include <QStringView>
#include <optional>

// Removes the control characters (U+0000 to U+001F but tab, CR and LF) and
// the non-characters U+FFFE and U+FFFF. True when there were any.
bool Elimina_Caractere_Control(QString& text);
// Whether the text holds any of them.
bool Are_Caractere_Control(QStringView text);

// A date the calendar holds: a valid date of the years 100 to 9999.
bool Data_In_Calendar(const QDateTime& data);
// A serial day number (days from 30 December 1899, the time as the
// fraction) of such a date.
bool Serial_In_Calendar(double serial);

// The kind of value a destination column takes.
enum class Fel_Valoare
{
    Text,
    Numar,
    Data,
    DaNu
};
// By the column's type; a column that is not there (nullptr) takes text.
Fel_Valoare Fel_Coloana_Destinatie(const db::Field* coloana);
// "un numar (de exemplu 4,97 sau 1.234,5)", "o data (de exemplu 31.03.2026)", "Da sau Nu", "un text".
QString Descriere_Fel(Fel_Valoare fel);

// A template default as a value of the kind: a number read as the import
// reads the amounts of text cells (db::readAmount),
// a date in the forms the database reads (31.03.2026, 2026-03-31), Yes/No
// (Da, Nu, True, False, -1, 0), any text. Nothing when it is not one.
std::optional<db::Variant> Valoare_Implicita(Fel_Valoare fel, const QString& text);

// A value of Valoare_Implicita as an SQL literal: a number as a number
// (4.97), a date as #mm/dd/yyyy#, Yes/No as -1 or 0, a text between single
// quotes with its quotes doubled.
QString Literal_SQL(const db::Variant& valoare);
// Its text, for the places that put it between quotes themselves: a number
// as 4.97, a date as 2026-03-31, Yes/No as -1 or 0.
QString Text_Valoare(const db::Variant& valoare);
