#pragma once
// The verification of one whole declaration ("Verifica Date"): every line of
// table Intrastat with the declaration's type, the working company's fiscal
// code and the declaration's year and month, whatever narrower filter the
// declaration window shows.
//
// Pass 1 refreshes the tariff columns of each line (description, unit code,
// unit flag, quantity in the unit) from the open tariff database. Pass 2
// checks each line against the code lists and the value rules, writes one
// line per problem into the problem log and flags the line (Probleme). Each
// pass saves in one transaction; a line that cannot be saved is reported in
// the log, counted as a problem, and the run goes on.
//
// Problem log: Folder_Sistem + "Verificare/<fiscal code>_<type>_<month>_<year>.txt",
// UTF-8, CR LF after every line. Header: the date and time in the user's
// locale, "TIP = <type>", "Cod_Fiscal= <FirmaCurenta_CodFiscal>",
// "Anul=<year>", "Luna=<month>", 62 "*" and an empty line; then
// "Pozitia: <Record_ID> - ..." per problem, lines in Record_ID order and,
// within a line, in the order of the checks.

#include "declaration/Cheie_Declaratie.h"

#include <QString>
#include <QStringList>

// What the verification shows besides its message boxes (those go through
// the seam of platform/ui/mesaj.h). The declaration window gives the real
// windows; tests and benchmarks give their own.
class Ecran_Verificare
{
public:
    virtual ~Ecran_Verificare() = default;
    // A fresh progress window for a pass, and its end.
    virtual void Deschide_Progres() {}
    virtual void Inchide_Progres() {}
    // The progress window's label and bar (0 to 100); called when either changes.
    virtual void Progres(const QString& titlu, int procent)
    {
        (void)titlu;
        (void)procent;
    }
    // The declaration window reloads its grid (after each pass).
    virtual void Reimprospateaza_Grila() {}
    // The problem report window shows the new log (loaded, or brought forward).
    virtual void Arata_Probleme() {}
};

struct Rezultat_Verificare
{
    bool efectuata = false; // false: refused before any change, a message said why
    int linii = 0;          // lines of the declaration
    int probleme = 0;       // lines with at least one problem (a failed save counts)
    QString jurnal;         // the problem log's path
    bool jurnalScris = false;
};

// Folder_Sistem + "Verificare/" + code + "_" + type + "_" + month + "_" + year + ".txt"
// (the month before the year), from the declaration window's box texts.
QString Cale_Jurnal_Verificare(const QString& codFiscal, const QString& tip, const QString& luna,
                               const QString& anul);

// Verifies the declaration of the key. Refuses, with a message and without
// changing anything, when the key boxes hold no declaration, the declaration
// shown is of another fiscal code than the working company's, no tariff
// database is open or the declaration has no line. Ends with the problem
// report (ecran.Arata_Probleme) or the message "NU SUNT PROBLEME". A company
// that does not declare the statistical value (FirmaCurenta_ValoareStatistica
// off) gets no "Val_Stat ESTE GOL".
Rezultat_Verificare Verifica_Declaratie(const Cheie_Declaratie& cheie, Ecran_Verificare& ecran);

// What the checks of the verification find in the lines of a declaration,
// without changing anything: the lines are read, their tariff columns
// refreshed in memory as the verification's first pass would refresh them,
// and checked as its second pass checks them, with the same log texts. The
// flags, the lines and the log stay as they are, and no box is shown. With
// no tariff open, the codes are not looked up in it (tarif false).
struct Probleme_Declaratie
{
    bool citite = false; // false: the lines could not be read, eroare says why
    QString eroare;
    bool tarif = false;      // the codes were looked up in the open tariff
    int linii = 0;           // lines of the declaration
    int liniiCuProbleme = 0; // lines with at least one problem
    int probleme = 0;        // problems in all
    QStringList primele;     // the first problems (at most as many as asked), as the log writes them
};

Probleme_Declaratie Probleme_Liniilor(const Cheie_Declaratie& cheie, const Perioada_Declaratie& perioada,
                                      int primele);
