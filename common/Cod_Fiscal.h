#pragma once
// What a company's fiscal code must be for the declaration file to carry it.

#include <QString>

// True when the fiscal code gives the declaration file's 10-digit VAT number:
// with every "RO" taken out (as the file does), what is left is 1 to 10
// digits, which the file pads on the left with "0". A blank, a dot, a letter
// or more than 10 digits left over can never be declared.
bool Cod_Fiscal_Declarabil(const QString& codFiscal);
