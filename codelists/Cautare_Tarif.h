#pragma once
// The tariff code look-up on the open tariff database (Conexiune_CN).
//
// Tables of a tariff database as the program reads them:
//   HS_1 (HS1_COD, HS1_DESC), HS_2 (HS2_COD, HS2_DESC, HS1_COD),
//   HS_4 (HS4_COD, HS4_DESC, HS2_COD), HS_6 (HS6_COD, HS6_DESC, HS4_COD),
//   HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, HS6_COD), by name;
//   HS8, by position: 0 the CN8 code, 1 its description, 2 its unit, 3 its unit flag.

#include <QString>

// "<description>|<unit>|<flag>" of the code's rows in force: the greatest
// description cut to 250 characters (a "|" inside it written as "/"), the
// greatest unit ("" when none), "1" when a unit exists, else "0". "" when no
// row is in force, the tariff is not open or the look-up fails.
QString Cauta_Cod_Tarif(const QString& cod);

// Lets go of the look-up's prepared statement (before Conexiune_CN closes).
void Elibereaza_Cautare_Tarif();
