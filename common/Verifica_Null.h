#pragma once
// Blank tests of values and defaults in place of blank values.

#include "platform/db/variant.h"

#include <QString>

// True when the value is blank: Null, Empty, "" or exactly " " (a number is
// compared through its text, so 0 is not blank, nor are "  ", a tab or "0").
// When blank and show is true, one critical box titled "EROARE" shows the
// label followed by "  -  Obligatoriu de completat !".
bool Este_Null(const db::Variant& value, const QString& label = QString(), bool show = false);

// The default when the value is Null, Empty or ""; the value itself (with its
// own type) otherwise; " " is returned unchanged.
db::Variant Null_La_Valoare(const db::Variant& value, const db::Variant& def);

// As Null_La_Valoare, and the default also for a zero value: a number (or a
// yes/no) equal to 0, or a text whose leading number (Val, point as decimal
// separator) is 0 ("0.00", "abc", "0abc"). Numbers are compared as numbers,
// never through a regional text form, so 0.5 is kept.
db::Variant Null_Sau_Zero_La_Valoare(const db::Variant& value, const db::Variant& def);

// The leading number of a text: blanks, tabs and line feeds are skipped
// anywhere, then an optional sign, digits with an optional "." fraction and
// an optional exponent (E or D); "&H" and "&O" start hexadecimal and octal
// integers. Whatever follows is ignored; a text without a leading number
// reads as 0.
double Val(const QString& text);
