#pragma once
// The work of the settings window: its fields bound to the settings store by
// their names, the checks of a save, the write and the reload.
//
// A field named "<section>_<value>" (for example "FileLocation_DataBase",
// "Culori_Meniu_Color") is the value <value> under
// Software\VELMORANT\Quorvel\Setari\<section> of HKEY_LOCAL_MACHINE. Fields of
// the section "Culori" hold a colour (0x00BBGGRR, type 4), the others a text
// (type 1).

#include <QList>
#include <QString>
#include <optional>

struct Camp_Setare
{
    QString nume;       // the field's control name
    QString text;       // text fields
    qint32 culoare = 0; // colour fields
};

// Section and value name of a control name, or nullopt when the name binds
// to nothing (no "_" after its first character).
struct Legatura_Setare
{
    QString sectiune;
    QString valoare;
};
std::optional<Legatura_Setare> Legatura_Camp(const QString& numeControl);
bool Este_Camp_Culoare(const QString& numeControl);
// Software\VELMORANT\Quorvel\Setari\ + section.
QString Cheie_Setari(const QString& sectiune);

// The window's thirteen fields in the order they are checked and written,
// each read from the store. A colour the store does not hold as a number
// keeps the colour the program is using.
QList<Camp_Setare> Citeste_Campuri_Setari();

// OK of the settings window. Checks every field (blank fields, decimal counts
// 0..255, the report-definition file, the folders), completing the folders
// with their final "/" and replacing a missing save folder, each refusal
// shown in its box; then writes every field and reloads the process-wide
// settings from the store. True when saved. A refused or failed save changes
// no process-wide value and leaves the store as it was; the fields keep the
// completions made so far.
bool Salveaza_Campuri_Setari(QList<Camp_Setare>& campuri);
