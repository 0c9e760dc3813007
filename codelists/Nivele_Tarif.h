#pragma once
// The levels of the tariff nomenclature as the tariff browser shows them:
// sections (1), chapters (2), headings (4), six-digit sub-headings (6) and
// the CN codes in force with their twelve-digit extensions (8). Each level
// has its caption, its whole list on the tariff database, its columns and
// the caption of the button that lists a row's children one level down.

#include <QList>
#include <QString>
#include <optional>

// A column of a list grid as its opener shapes it. A width of -1 is the rest
// of the grid: its width less the first column's less 600 twips.
struct Coloana_Lista
{
    QString titlu;
    int latime = 0; // twips
    bool incadrat = false;
};

struct Nivel_Tarif_HS
{
    quint8 nivel = 0;
    QString titlu;    // "SECTIUNI -"
    QString sql;      // the whole level, in code order
    QString legatura; // caption of the drill-down button; empty at level 8, where it is hidden
    quint8 nrColoane = 2;
    QList<Coloana_Lista> coloane;
};

// Level 1, 2, 4, 6 or 8; nothing for any other value.
std::optional<Nivel_Tarif_HS> Definitie_Nivel_Tarif(quint8 nivel);

// The rows one level below a row of the given level: the next level's query
// limited to the row's code (quoted as a text value) and that level.
// Nothing at level 8 or any other value.
struct Legatura_Tarif
{
    QString sql;
    quint8 nivel = 0;
};
std::optional<Legatura_Tarif> Interogare_Legatura_Tarif(quint8 nivel, const QString& cod);

// The width in twips of a column given as the rest of a grid so wide.
int Latime_Coloana(const Coloana_Lista& coloana, int latimeGrila, int latimePrima);

// A list window's caption with its row count: the caption up to a count it
// carries already, then "Total Inregistrari :  " and the count; a caption
// without one gets "  Total Inregistrari :  " and the count appended.
QString Titlu_Cu_Total(const QString& titlu, int numar);
