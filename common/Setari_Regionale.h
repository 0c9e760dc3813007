#pragma once
// The user's regional number format, for displays only: SQL, XML and files
// always carry numbers with ".".

#include <QString>

// The decimal separator of the user's locale ("." or ",").
QString Separator_Zecimal();
