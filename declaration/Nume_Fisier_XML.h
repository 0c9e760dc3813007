#pragma once
// The name of the declaration file, from the declaration window's boxes.

#include <QString>

// The fiscal code without "RO" (capitals only), padded with "0" on the left
// to 10 characters; "_A_" for arrivals ("I") declared new ("N..."), "_AR_"
// for arrivals corrected, "_D_" / "_DR_" for any other type; then the year
// and the month as they stand; ".xml". RO1234567, "I", "N-Noua", 2015, 3
// give 0001234567_A_20153.xml.
QString Nume_Fisier_XML(const QString& codFiscal, const QString& tip, const QString& felDeclaratie,
                        const QString& anul, const QString& luna);
