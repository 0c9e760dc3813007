#pragma once
// The work of the company window: creating a company (a register row and a
// database of its own, copied from goala.mdb) and editing the working one.

#include <QString>
#include <optional>

// What the window's boxes hold.
struct Date_Firma_Formular
{
    QString codFiscal;              // Firma_CF
    QString nume;                   // Firma_Nume
    QString adresa;                 // Firma_Adresa
    QString judet;                  // Firma_Judet
    QString oras;                   // Firma_Oras
    QString codPostal;              // Firma_CodPostal
    QString tara;                   // Firma_Tara
    QString telefon;                // Firma_Telefon
    QString fax;                    // Firma_Fax
    QString persoanaContact;        // Firma_PersoanaContact
    QString regComert;              // Firma_RegComert
    QString banca;                  // Firma_Banca
    QString contBancar;             // Firma_ContBancar
    QString email;                  // Firma_Email
    QString observatii;             // Firma_Observatii
    QString persoanaIntrastat;      // Persoana_Intrastat
    QString functie;                // Functie_1
    bool valoareStatistica = false; // Check_ValStatistica
    QString numeBazaDeDate;         // NumeBazaDeDate, without ".mdb"
};

// The database name proposed for a fiscal code: the code without blanks and
// without the characters . , ! @ % $ / \ + - * & ; :
QString Nume_Baza_Date_Implicit(const QString& codFiscal);

// True when the database name holds only letters, digits, "_" and "-", so
// that it names a file inside the database folder and nothing else.
bool Nume_Baza_Date_Acceptat(const QString& nume);

// The creation date as the register keeps it: day, month and four-digit
// year, joined by the locale's date separator ("05/03/2024").
QString Data_Creare_Firma();

// Creates the company; every refusal and failure is shown. True when the
// company was created ("FIRMA A FOST CREATA" shown): the window then closes.
bool Creeaza_Firma(const Date_Firma_Formular& date);

// The working company's row, for editing; nullopt when it cannot be read or
// is no longer in the register, shown with "Eroare: ".
std::optional<Date_Firma_Formular> Citeste_Firma_Curenta();

// Writes the edited row of the working company (the fiscal code and the
// database name do not change) and refreshes the working-company values.
// True when written ("Actualizare Terminata" shown); a failure is shown with
// "Eroare: " and the database's text, and nothing is refreshed.
bool Salveaza_Firma_Curenta(const Date_Firma_Formular& date);
