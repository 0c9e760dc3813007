#pragma once
// The bevelled background of the about box (module Efecte_Grafice).

#include <QColor>
#include <QList>
#include <QPoint>
#include <cstdint>

class QWidget;

// The two shades of the bevel: each component plus the step (255 at most)
// and minus the step (0 at least).
struct Umbre_Fundal
{
    QColor deschisa;
    QColor inchisa;
};
Umbre_Fundal Umbre_Fundal_3D(int rosu, int verde, int albastru, int pas);

// One figure of the bevel, in pixels of the window's inner area.
struct Figura_Fundal
{
    enum class Tip
    {
        Dreptunghi,
        Linie
    };
    Tip tip = Tip::Linie;
    QPoint de;
    QPoint la;
    bool deschisa = false; // drawn in the light shade, otherwise the dark one
    bool operator==(const Figura_Fundal&) const = default;
};
// The six figures, in drawing order, for an inner area of width x height:
// an outer frame lit on its top and left, an inner frame the opposite way.
QList<Figura_Fundal> Figuri_Fundal_3D(int latime, int inaltime);

// Gives the window the back colour (red, green, blue) and draws the bevel on
// it at every repaint from now on.
void Efect_Fundal_3D(QWidget* fereastra, std::int16_t rosu, std::int16_t verde, std::int16_t albastru,
                     std::int16_t pas);
