#pragma once
// The report window's HTML and PDF exports: the file is named after the
// document the report shows, written under the system folder's
// Rapoarte/HTML/ or Rapoarte/PDF/, and offered to the web browser or the PDF
// reader found at start-up.

#include "reports/Raport_Definit.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class Format_Export
{
    HTML,
    PDF
};

// The export's file name (without folder and extension) from the window
// caption: the text two characters after its first ":" without blanks, or,
// when that text is blank, the report caption, "_" and the date as
// "dd.mm.yyyy"; then "." "/" "\" become "_" and "," "!" "@" "%" "$" "+" "-"
// "*" "&" ";" ":" are removed.
QString Nume_Fisier_Export(const QString& titluFereastra, const QString& captiuneRaport, const QDate& azi);

// The full path of the export file of that name.
QString Cale_Fisier_Export(Format_Export format, const QString& nume);

// Renders the report into its export file and asks whether to open it
// ("DESCHID FISIERUL ?"); on Yes the viewer found at start-up opens it. A
// failed export shows "Error " with the number and the description instead,
// and so does a file the viewer could not open (its full path and why).
// Gives the timing text for the preview's navigation bar, or an empty text
// when the report is busy or the export failed.
QString Exporta_Raport(Raport_Definit& raport, Format_Export format, const QString& titluFereastra);

// How a viewer is started, the file as its one argument: by default with
// its answer waited for (Porneste_Deschiderea). Tests put their own here; as
// there, nullopt means it opened, a text why it did not; an empty one puts the
// default back.
using Pornire_Vizualizator =
    std::function<std::optional<QString>(const QString& program, const QStringList& argumente)>;
void Seteaza_Pornire_Vizualizator(Pornire_Vizualizator pornire);
