#pragma once
// A report kept as data: a row of Return_Report in the common database names
// the definition file and the report in it, the data query, the page set-up
// and the caption; rows of Return_Report_SUB attach up to three sub-reports
// to fields of the report. This module reads the row, loads the report and
// its data and fills the header and footer fields; the report window shows
// the result.

#include "platform/db/db.h"
#include "platform/report/report.h"

#include <QString>
#include <QVariantList>
#include <array>

// The report of one Return_Report row, with what its window keeps of it.
struct Raport_Definit
{
    report::Report SursaReport;
    std::array<report::Report, 3> SUB_SursaReport;
    // The rows of the data query, read-only; the report prints them.
    db::Recordset Date;
    // The row's ReportCaption: the window's caption and the base of export names.
    QString Captiune_Raport;
    // The window caption the load leaves.
    QString Titlu;
};

enum class Stare_Incarcare
{
    Incarcat,  // the report and its data are in place: it can be rendered
    Fara_Rand, // no row for the number: an empty preview, which still shows its timing
    Oprit      // the load stopped after its message: nothing more is done
};

// The condition that narrows the report's data to the declaration whose key
// the declaration window hands over (type, fiscal code, year, month, ...):
// " WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3".
// Empty when no key is handed over. A year or month that is not a whole
// number matches no line.
QString Conditie_Raport_Declaratie(const QVariantList& parametri);

// Reads row numar of Return_Report, loads its report from the definition
// file (the stored path, or the name in the program folder's
// System/ReportDefinition/), opens the data (SQL_STR and the suffix) on the
// common or the company database, attaches the sub-reports (their data:
// SQL_STR and sufixSub), sets paper and orientation and fills the fields
// Rep_ID, USER, Antet (Header), UserName (Footer) and Producator (Page
// Footer). Every refusal is shown before it returns.
Stare_Incarcare Incarca_Raport(Raport_Definit& raport, qint32 numar, const QString& sufix,
                               const QString& sufixSub);

// Renders the loaded report unless it is busy (false then) and puts the
// first row's Document_Numar and Document_Data into the caption:
// "<ReportCaption> : <number> / <date>" (the caption stays as it is when the
// data has no row or lacks either column).
bool Genereaza_Raport(Raport_Definit& raport);

// Seconds as the timing texts show them: at most two decimals, no leading
// zero, the decimal point always there (0.5 ".5", 2 "2.", 1.234 "1.23").
QString Format_Secunde(double secunde);
