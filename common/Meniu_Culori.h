#pragma once
// Menu colours (module Meniu_Culori) and the colour form of the settings.
//
// Colours are 32-bit values with blue, green and red bytes from high to low
// (0x00BBGGRR), or a system colour code (0x80000000 + the index of a system
// colour), which Translateaza_Culoare turns into a plain colour.

#include <QColor>
#include <cstdint>

class QWidget;

// The plain colour of a colour value; system colour codes take the current
// colour of the matching palette role. 0 when the value cannot be
// translated (an unknown system index, or a value with other high bits).
std::uint32_t Translateaza_Culoare(std::uint32_t culoare);

// Colour value <-> QColor (the value must be plain: see Translateaza_Culoare).
QColor Culoare_Qt(std::uint32_t culoare);
std::uint32_t Culoare_Windows(const QColor& culoare);

// How a menu on a back colour is drawn so that it reads on any colour the
// user sets: its items' text, and the bar of the highlighted item with the
// text on it. The text on either back colour has a contrast of 4.5:1 at
// least (relative luminance, as WCAG measures it), the highlight bar stands
// out from the menu with 3:1 at least.
struct Culori_Meniu
{
    QColor fundal;
    QColor text;
    QColor evidentiere;    // the highlight bar
    QColor textEvidentiat; // the text on it
    QColor textInactiv;    // a command that cannot run now
};
// pornire: the colour the highlight bar starts from (the desktop's own
// selection colour), darkened or lightened as far as it takes.
Culori_Meniu Culori_Pentru_Meniu(const QColor& fundal, const QColor& pornire);

// Relative luminance (0 black to 1 white) and the contrast of two colours
// (1 to 21).
double Luminanta_Relativa(const QColor& culoare);
double Contrast_Culori(const QColor& a, const QColor& b);

// Gives the window's menu bar the colour as its background, and its menus
// too when submeniuri is true; their text and highlighted item follow
// Culori_Pentru_Meniu.
void Coloreaza_Meniu(QWidget* fereastra, std::uint32_t culoare, bool submeniuri);
// The title-bar menu belongs to the window manager and takes no colour here;
// kept so that the callers read as they always have.
void Coloreaza_Meniu_Sistem(QWidget* fereastra, std::uint32_t culoare);
