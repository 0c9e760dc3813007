#pragma once
// The Excel import: one worksheet read through an import template and
// appended to Intrastat as the lines of one declaration (type, fiscal code,
// year, month), with the tariff columns looked up in the tariff of that
// period. The import window reads its boxes into Intrari_Preluare and calls
// Preia_Fisier_Excel; messages and questions go through ui::msgBox.
//
// The copy runs in one transaction on the company connection, each row in a
// savepoint of its own: a row that cannot be saved is left out and reported,
// the rest is committed at the end, and an import that is interrupted leaves
// no row at all.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>

// The window's boxes, as typed.
struct Intrari_Preluare
{
    QString anul;      // TXT_Anul
    QString luna;      // TXT_Luna
    QString cale;      // Txt_ExcelFile
    QString foaie;     // Txt_SheetName
    QString codFiscal; // TXT_CodFiscal
    QString macheta;   // Combo_NumeMacheta
    QString tip;       // Combo_Tip: "I - ..." or "O - ..."
};

// Where the import stands after each row (at most a few times a second, and
// always after the last row).
struct Progres_Preluare
{
    std::int32_t rand = 0;    // rows processed so far
    std::int32_t total = 0;   // rows read
    std::int32_t salvate = 0; // rows saved so far
    int procent = 0;          // 0..100
    // The error lines so far, each "\r\nEROARE Inregistrarea : n" followed,
    // for a value refused, by " - <column> : \"<text>\"".
    const QStringList* erori = nullptr;
};

// What the window shows while the import runs.
class Observator_Preluare
{
public:
    virtual ~Observator_Preluare() = default;
    // Text appended to the message area (it carries its own CR LF).
    virtual void adauga(const QString& text) = 0;
    // The copy starts: the message area's text now is the base of the progress display.
    virtual void inceputCopiere() = 0;
    // After a row; the window shows the base text, the error lines and the
    // line "SE RETIN DATELE - Inregistrarea : <salvate>": at the end, the
    // rows saved, as the status line counts them.
    virtual void progres(const Progres_Preluare& progres) = 0;
};

struct Rezultat_Preluare
{
    // Whether the rows were imported (false: stopped at an input, a
    // question or the reading, or the rows could not be saved at the end).
    bool terminata = false;
    std::int32_t total = 0;      // rows read, blank rows left out
    std::int32_t goale = 0;      // blank rows skipped
    std::int32_t randuri = 0;    // rows processed
    std::int32_t salvate = 0;    // rows saved
    std::int32_t cuRefuzuri = 0; // rows saved with a value refused (not stored)
    QStringList erori;           // error lines of the copy
    // The declaration the rows belong to, as the import wrote it.
    QString tip; // "I" or "O"
    QString codFiscal;
    int anul = 0;
    int luna = 0;
    QString cale; // the workbook path as typed
};

// Runs the whole action of "1. Preluare Date": the input checks and their
// messages, the question when the fiscal code is not the working company's,
// the tariff of the period, the question when the workbook was imported for
// the same company and period before, the reading into RS_Preluare and the
// copy into Intrastat. A sheet that cannot be read is said with its reason
// on a line of its own; a temporary folder or a company folder with no room
// left is said as such, with the folder, and nothing is saved. Rows whose cells the template reads are all blank
// are skipped. A text cell bound for a number column is read as an amount
// in local form (db::readAmount); a value a column cannot take (not a number,
// not a date of the calendar, too long) is refused and said with the row,
// the column and the text; control characters are removed from the texts,
// said once per row.
Rezultat_Preluare Preia_Fisier_Excel(const Intrari_Preluare& intrari, Observator_Preluare& observator);

// The status line after an import: "Au fost preluate : <saved> inregistrari
// din totalul de : <processed>", and on the next line how many were saved
// whole, how many with refused values and how many blank rows were skipped.
QString Stare_Preluare(const Rezultat_Preluare& rezultat);

// The path as Intrastat keeps it (first 255 characters), and the workbook's
// name (the text after the last "/", first 50 characters).
QString Cale_Sursa(const QString& cale);
QString Fisier_Sursa(const QString& cale);

// The hand-over to the declaration window after an import: the filter of the
// imported rows (Filtru_Intrastat) and the window's caption.
QString Filtru_Preluare(const Rezultat_Preluare& rezultat);
QString Titlu_Declaratie_Preluare(const Rezultat_Preluare& rezultat);

// Year and month as whole numbers, (year, month): a year of four digits, a
// month 1 to 12, blanks around them ignored; nothing when either is not.
std::optional<std::pair<int, int>> Perioada_Intreaga(const QString& anul, const QString& luna);
// The same; when either is not, it says which (critical icon, title "EROARE").
std::optional<std::pair<int, int>> Perioada_Intreaga_Sau_Mesaj(const QString& anul, const QString& luna);

// The previous month of a day: (year, month).
std::pair<int, int> Luna_Precedenta(const QDate& zi);
