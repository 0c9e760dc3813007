#pragma once
// The look of the declaration grid's 32 columns, by their place in the grid
// query, and the colours of the declaration window.

#include <QList>
#include <QString>
#include <Qt>
#include <cstdint>

// Colours as the program writes them (&HBBGGRR).
inline constexpr std::uint32_t Culoare_Legenda = 0x80FF80;         // locked columns and the legend
inline constexpr std::uint32_t Culoare_Antet_Intrastat = 0xC0DFFF; // column headers
inline constexpr std::uint32_t Culoare_Text_Coloane = 0xFF0000;    // visible columns and footers (blue)
inline constexpr std::uint32_t Culoare_Fundal_Subsol = 0xFFFFFF;   // footers

struct Coloana_Intrastat
{
    QString titlu;
    int latime = 0; // twips; 0 for a hidden column
    Qt::Alignment aliniere = Qt::AlignLeft;
    QString format; // "##,##0" and the like
    bool buton = false;
    bool blocata = false;
    bool legenda = false; // takes the legend's back colour
    bool vizibila = true;
};

// The 32 columns, TIP to Exista_UMS. Columns 8 and 9 as for a type other
// than "I" and "O": buttons, editable.
const QList<Coloana_Intrastat>& Coloane_GridIntrastat();

// Columns 8 (Tara_Exp) and 9 (Tara_Dest) follow the declaration's type: the
// column of Romania ("O": 8, "I": 9) is locked in the legend colour without
// button; otherwise it has its button and is editable.
inline constexpr int Coloana_Tara_Exp = 8;
inline constexpr int Coloana_Tara_Dest = 9;
Coloana_Intrastat Coloana_Tara(int coloana, const QString& tip);

// The columns whose footers carry the totals.
inline constexpr int Coloana_Val_Fiscala = 10;
inline constexpr int Coloana_Val_Stat = 11;
inline constexpr int Coloana_Net = 12;
