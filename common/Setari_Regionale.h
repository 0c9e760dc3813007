#pragma once
// The user's regional number and date formats, for displays only: SQL, XML
// and files always carry numbers with ".".

#include <QString>

// The decimal separator of the user's locale ("." or ",").
QString Separator_Zecimal();

// The separator between day, month and year of a short date format: the sign
// after its first field ("." for "dd.MM.yyyy", "-" for "yyyy-MM-dd"), or "/"
// when the fields are not joined by a sign of their own (the C locale's
// "d MMM yyyy", where the system's numeric date is written "mm/dd/yy").
QString Separator_Data(const QString& formatScurt);
// The same for the user's locale.
QString Separator_Data();
