#pragma once
// The declaration file ("Generare Fisier Intrastat (XML)"): one XML document
// in the statistics institute's schema with the whole declaration of one
// type, company, year and month, written into Folder_Sistem + "IntrastatSave/"
// and copied into the save folder (Folder_Salvare_XML) when that folder exists.
//
// Text form: UTF-8 without byte-order mark, CR LF after every line, blanks
// for indentation, one leaf element per line, every text value escaped.
// Block 1: the XML declaration and the root (new or revised, arrival or
// dispatch). Block 2: the code versions of the period (InsCodeVersions).
// Block 3: the header with the contact person and, for a representative,
// his block. Block 4: one item per row of the item view, numbered from 1.
//
// Every value is checked against what the declaration's structure asks of
// it before the file counts as written: the required elements not blank,
// the amounts whole numbers above 0, the VAT numbers of 10 digits, the codes
// of their lengths (CN8 8 digits, countries 2 letters, delivery terms 3
// characters, transport and nature of transaction digits), at least one
// item, and no character that XML 1.0 forbids anywhere. A value that fails
// is named by the box it comes from, or by the first line of its item as
// the grid ("Poz") and the verification ("Pozitia: ") number it, that is
// its Record_ID, with its record in the workbook, the item's number and its
// code; nothing is written. The declaration shown must be the working
// company's: the items are read by its fiscal code.
//
// The file is written whole or not at all: a temporary file renamed over
// the old one when complete. A failure says why and leaves the old file and
// its copy as they were.

#include "declaration/Cheie_Declaratie.h"

#include <QString>
#include <QStringList>
#include <functional>

// The namespace of the statistics institute's Intrastat declaration schema.
inline constexpr char16_t kSpatiuNumeIntrastat[] = u"http://www.intrastat.ro/xml/InsSchema";

// What the declaration window's boxes hold when the file is written.
struct Date_Fisier_XML
{
    Cheie_Declaratie cheie;         // TXT_Tip, TXT_CodFiscal, TXT_Anul, TXT_Luna
    QString numeCompanie;           // TXT_NumeCompanie
    QString tipDeclaratie;          // Combo_Tip: "N-Noua" or "C-Corectie"
    bool valoareStatistica = false; // Check_ValStatistica
    // The contact person.
    QString numePrenume;     // TXT_Nume_Prenume: last name
    QString numePersoana;    // TXT_Nume_Pers: first name
    QString email;           // TXT_Email
    QString telefon;         // TXT_Tel
    QString fax;             // TXT_Fax
    QString pozitieCompanie; // TXT_PozitieCompanie: function
    // The representative who files the declaration for the company.
    bool declarantTert = false; // Check_Dec_Tert
    QString codFiscalDeclarant; // TXT_CUI_Dec
    QString numeDeclarant;      // TXT_Nume_Dec
    QString strada;             // TXT_Strada_Dec
    QString numar;              // TXT_Nr_Dec
    QString bloc;               // TXT_BL_Dec
    QString scara;              // TXT_Sc_Dec
    QString apartament;         // TXT_Ap_Dec
    QString oras;               // TXT_Oras_Dec: locality code
    QString judet;              // TXT_Judet_Dec: county code
    QString codPostal;          // TXT_CodPostal_Dec
};

struct Rezultat_Fisier_XML
{
    bool generat = false;
    QString numeCompanie; // the company name after the replacement, for TXT_NumeCompanie
    QString numeFisier;   // Nume_Fisier_XML
    QString caleAfisata;  // Folder_Salvare_XML + name, for TXT_File_XML
    QString fisier;       // the file written under IntrastatSave
    QString copie;        // the copy in the save folder; "" when none was made
    qint64 articole = 0;  // items written
    QStringList probleme; // the values refused (the first ones), when nothing was written
    // Written all the same: the lines with problems at "Verifica Date", and
    // whether the codes were looked up in the tariff.
    int liniiCuProbleme = 0;
    bool verificat = true;
};

// The file name: the fiscal code without every "RO", padded on the left with
// "0" to 10 characters (a longer code is kept whole; the file then refuses
// it), then "_A_" (arrivals,
// new), "_AR_" (arrivals, revised), "_D_" or "_DR_" (any other type), the
// year and the month as written (the month unpadded), ".xml".
QString Nume_Fisier_XML(const QString& codFiscal, const QString& tip, const QString& tipDeclaratie,
                        const QString& anul, const QString& luna);

// A fiscal code as the file declares it: every "RO" removed, padded on the
// left with "0" to 10 characters, never cut.
QString Cod_Fiscal_XML(const QString& codFiscal);

// The company name with "&", ">", "<", "'", "?", "%", "*" and "!" replaced by "-".
QString Nume_Companie_XML(const QString& nume);

// Writes the file of the declaration and shows "A fost generat fisierul "
// with the path of the file that exists (the copy, or the file itself when
// no copy was made). Refuses, with a message and writing nothing, when the
// key boxes hold no declaration, the declaration is another fiscal code's
// than the working company's, or a value does not fit. formateazaGrila runs
// once the item view has been read (the window lays its grid out again then).
//
// Before the file is written the lines go through the checks of "Verifica
// Date" (Probleme_Liniilor, nothing changed in the database). When a line
// fails them, or no tariff is open to look the codes up in, the user is
// told how many lines and the first problems, as the verification's log
// names them ("Pozitia: " and the grid's "Poz"), and asked (yes/no, title
// "RASPUNDETI", No by default) whether to write the file all the same: No
// writes nothing and leaves the earlier file; Yes writes it, and the final
// message says that it holds lines with problems.
Rezultat_Fisier_XML Genereaza_Fisier_XML(const Date_Fisier_XML& date,
                                         const std::function<void()>& formateazaGrila = {});
