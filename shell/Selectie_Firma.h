#pragma once
// The work of the company chooser: the register list, the working-company
// values and opening a company.

#include "platform/db/db.h"

#include <QString>

// The 9000 x 12000 twip design size of the resizable windows against the
// screen's work area: both 0 when the area is below 9201 twips high,
// otherwise height - 9000 and width - 12000 (the test is on the height).
struct Delte_Zona_Lucru
{
    int inaltime = 0;
    int latime = 0;
    bool operator==(const Delte_Zona_Lucru&) const = default;
};
Delte_Zona_Lucru Calculeaza_Delte(int inaltimeTwips, int latimeTwips);

// The working company's values as one company's row gives them, blanks
// replaced by their defaults: "x" for the texts, "X X" for the Intrastat
// person, "Director" for the function, the placeholder address for the
// e-mail, false for the statistical value.
struct Date_Firma_Curenta
{
    QString codFiscal, nume, adresa, oras, judet, codPostal, tara, tel, fax, regCom, banca, cont;
    bool valoareStatistica = false;
    QString persoanaIntrastat, functie, email;
};
// The e-mail shown for a company that has none.
QString Email_Implicit_Firma();
Date_Firma_Curenta Date_Firma_Din_Rand(const db::Recordset& rand);
// Puts the values in the FirmaCurenta_* globals.
void Aplica_Firma_Curenta(const Date_Firma_Curenta& date);

// Opens Conexiune_Comun on Cale_Comun when it is not open.
db::Error Deschide_Conexiune_Comun();

// One row of the company list.
struct Firma_Din_Lista
{
    QString nume;
    QString codFiscal;
    QString fisier; // DataBaseFile
};
// The register's companies by name (the row whose Cod_Fiscal is '0' left
// out), read on Conexiune_Comun, which is opened when needed.
db::Result<QList<Firma_Din_Lista>> Lista_Firme();

// What became of choosing a company.
enum class Rezultat_Selectie
{
    Deschisa, // the company is the working company now
    Oprita,   // a message was shown; the chooser stays open
    Esuata,   // "EROARE : ..." was shown; the chooser closes
};

// The OK of the chooser, without the windows: tests the three values (the
// list's text, the database file and the fiscal code) for blanks, checks the
// company's file, reads the user name, opens the company's database, loads
// its row and links Firme. Until the new database is open the previous
// working company stays in force whole (its connection, Cale_Firma, its
// values); then the old connection is closed and the new company takes over.
Rezultat_Selectie Deschide_Firma(const QString& textLista, const QString& fisier, const QString& codFiscal);
