#pragma once
// The take-over of a month's declaration from the accounting tables of the
// company database: the months in which accounting documents of a flow
// exist, whether a declaration of the month is there already, and the
// database's own procedure of the flow (Intrastat_I for arrivals,
// Intrastat_O for dispatches), which replaces the month's lines with those
// of the accounting documents. The take-over window reads its boxes, calls
// these and opens the declaration window on the result; messages and the
// question go through ui::msgBox. Everything runs on Conexiune_Firma.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The two flows offered, in this order.
QStringList Fluxuri_Preluare();

// The flow letter: the first character of the flow box's text.
QString Litera_Flux(const QString& flux);

// The months with accounting documents of the flow ("I": the arrival
// documents, any other letter: the dispatch invoices), newest first, each
// written "<year> - <month>"; only the current month when there is none.
// When the documents cannot be read it says so (title "EROARE") and offers
// the current month as well.
QStringList Perioade_Contabile(const QString& litera);

// "<year> - <month>" split into the year and the month, trimmed; both empty
// when the text has no " - ".
std::pair<QString, QString> Imparte_Perioada_Contabila(const QString& perioada);

// Whether the declaration of the flow letter, the working company, the year
// and the month holds lines (Intrastat_Verifica_Existenta); nothing when the
// answer cannot be read.
std::optional<bool> Exista_Declaratie_Contabila(const QString& litera, const QString& anul,
                                                const QString& luna);

// What OK hands over: the texts of the window's boxes and its existence box.
struct Cerere_Preluare_Contabila
{
    QString flux;                  // Combo_Tip
    QString anul;                  // TXT_Anul
    QString luna;                  // TXT_Luna
    bool existaDeclaratie = false; // Exista_Intrastat ticked
};

struct Rezultat_Preluare_Contabila
{
    // The declaration window is to be opened on the key below.
    bool deschide = false;
    // A take-over procedure ran and its lines were committed.
    bool preluata = false;
    QString tip; // the flow letter
    QString codFiscal;
    QString anul;
    QString luna;
};

// OK of the take-over window: nothing with a blank flow, year or month; a
// year or month that is not a whole number is refused with its message. When
// the month already holds a declaration (ticked in the window, or found now
// for the flow and period about to be replaced) the user is asked before it
// is replaced; No keeps it and opens it unchanged. The procedure of the flow
// ("I" or "O"; no other letter runs one) deletes and inserts the month's
// lines in one transaction: when it fails, the message says so, nothing
// changes and nothing is opened.
Rezultat_Preluare_Contabila Preia_Luna_Contabila(const Cerere_Preluare_Contabila& cerere);

// The hand-over to the declaration window: " WHERE [TIP]='<flow>' AND
// [Cod_Fiscal]='<fiscal code>' AND [Anul]='<year>' AND [Luna]='<month>'",
// the texts quoted.
QString Filtru_Preluare_Contabila(const Rezultat_Preluare_Contabila& rezultat);
