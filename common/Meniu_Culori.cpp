#include "common/Meniu_Culori.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t CodSistem = 0x80000000u;

// A stored colour of 0x80000000 + index names a system colour rather than
// an RGB value (the settings keep colours so): the palette role that paints
// the same part of the screen, for each index the settings may hold.
bool rolSistem(std::uint32_t index, QPalette::ColorGroup& grup, QPalette::ColorRole& rol)
{
    grup = QPalette::Active;
    switch (index) {
    case 0:
        rol = QPalette::Mid;
        return true; // scroll bar
    case 1:
        rol = QPalette::Window;
        return true; // desktop
    case 2:
        rol = QPalette::Highlight;
        return true; // active caption
    case 3:
        grup = QPalette::Inactive;
        rol = QPalette::Highlight;
        return true;
    case 4:
        rol = QPalette::Window;
        return true; // menu
    case 5:
        rol = QPalette::Base;
        return true; // window background
    case 6:
        rol = QPalette::Shadow;
        return true; // window frame
    case 7:
        rol = QPalette::WindowText;
        return true; // menu text
    case 8:
        rol = QPalette::Text;
        return true; // window text
    case 9:
        rol = QPalette::HighlightedText;
        return true; // caption text
    case 10:
        rol = QPalette::Window;
        return true; // active border
    case 11:
        grup = QPalette::Inactive;
        rol = QPalette::Window;
        return true;
    case 12:
        rol = QPalette::Dark;
        return true; // application work space
    case 13:
        rol = QPalette::Highlight;
        return true; // highlight
    case 14:
        rol = QPalette::HighlightedText;
        return true; // highlighted text
    case 15:
        rol = QPalette::Button;
        return true; // button face
    case 16:
        rol = QPalette::Dark;
        return true; // button shadow
    case 17:
        grup = QPalette::Disabled;
        rol = QPalette::Text;
        return true; // grey text
    case 18:
        rol = QPalette::ButtonText;
        return true; // button text
    case 19:
        grup = QPalette::Inactive;
        rol = QPalette::HighlightedText;
        return true;
    case 20:
        rol = QPalette::Light;
        return true; // button highlight
    case 21:
        rol = QPalette::Shadow;
        return true; // 3-D dark shadow
    case 22:
        rol = QPalette::Midlight;
        return true; // 3-D light
    case 23:
        rol = QPalette::ToolTipText;
        return true; // tool-tip text
    case 24:
        rol = QPalette::ToolTipBase;
        return true; // tool-tip background
    default:
        return false;
    }
}

// WCAG's channel value: sRGB undone to linear light.
double liniar(double canal)
{
    return canal <= 0.04045 ? canal / 12.92 : std::pow((canal + 0.055) / 1.055, 2.4);
}

QColor amestec(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The text reads on the highlight bar with room to spare (7:1, so that the
// thin strokes of small type still reach 4.5:1 as drawn); the bar stands out
// from the menu by 3:1, the contrast a control needs to be seen.
constexpr double kContrastText = 7.0;
constexpr double kContrastBara = 3.0;

// The bar's rules and the menus' rules apart: a style sheet reaches the
// children of its widget, and the menus are the bar's children.
QString foaieStilBara(const Culori_Meniu& c)
{
    return QStringLiteral("QMenuBar { background-color: %1; color: %2; }"
                          " QMenuBar::item { background-color: transparent; color: %2; }"
                          " QMenuBar::item:selected, QMenuBar::item:pressed"
                          " { background-color: %3; color: %4; }")
        .arg(c.fundal.name(), c.text.name(), c.evidentiere.name(), c.textEvidentiat.name());
}

QString foaieStilMeniu(const Culori_Meniu& c)
{
    return QStringLiteral("QMenu { background-color: %1; color: %2; }"
                          " QMenu::item:selected { background-color: %3; color: %4; }"
                          " QMenu::item:disabled { color: %5; }")
        .arg(c.fundal.name(), c.text.name(), c.evidentiere.name(), c.textEvidentiat.name(),
             c.textInactiv.name());
}

} // namespace

QColor Culoare_Qt(std::uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

std::uint32_t Culoare_Windows(const QColor& c)
{
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

std::uint32_t Translateaza_Culoare(std::uint32_t culoare)
{
    if ((culoare & 0xFF000000u) == 0)
        return culoare;
    if ((culoare & 0xFF000000u) != CodSistem)
        return 0;
    QPalette::ColorGroup grup;
    QPalette::ColorRole rol;
    if (!rolSistem(culoare & 0x00FFFFFFu, grup, rol))
        return 0;
    return Culoare_Windows(QGuiApplication::palette().color(grup, rol));
}

double Luminanta_Relativa(const QColor& culoare)
{
    const QColor c = culoare.toRgb();
    return 0.2126 * liniar(c.redF()) + 0.7152 * liniar(c.greenF()) + 0.0722 * liniar(c.blueF());
}

double Contrast_Culori(const QColor& a, const QColor& b)
{
    const double la = Luminanta_Relativa(a);
    const double lb = Luminanta_Relativa(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Culori_Meniu Culori_Pentru_Meniu(const QColor& fundal, const QColor& pornire)
{
    const QColor negru(Qt::black);
    const QColor alb(Qt::white);
    Culori_Meniu c;
    c.fundal = fundal.toRgb();
    // Black text on a light menu, white on a dark one: either way 4.58:1 at
    // least, the worst being a back colour of luminance 0.18.
    const bool deschis = Contrast_Culori(negru, c.fundal) >= Contrast_Culori(alb, c.fundal);
    c.text = deschis ? negru : alb;
    c.textEvidentiat = deschis ? alb : negru;
    // The bar goes the other way: on a light menu the selection colour is
    // darkened until the white text on it reads, on a dark menu lightened
    // for black text. Black or white, at the end of the road, always does.
    const QColor tinta = deschis ? negru : alb;
    for (int pas = 0; pas <= 20; ++pas) {
        c.evidentiere = amestec(pornire.toRgb(), tinta, pas / 20.0);
        if (Contrast_Culori(c.evidentiere, c.textEvidentiat) >= kContrastText &&
            Contrast_Culori(c.evidentiere, c.fundal) >= kContrastBara)
            break;
    }
    c.textInactiv = amestec(c.text, c.fundal, 0.5);
    return c;
}

void Coloreaza_Meniu(QWidget* fereastra, std::uint32_t culoare, bool submeniuri)
{
    if (!fereastra)
        return;
    const Culori_Meniu c =
        Culori_Pentru_Meniu(Culoare_Qt(Translateaza_Culoare(culoare)),
                            QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight));
    QMenuBar* bara = nullptr;
    if (auto* principala = qobject_cast<QMainWindow*>(fereastra))
        bara = principala->menuBar();
    else
        bara = fereastra->findChild<QMenuBar*>();
    if (!bara)
        return;
    bara->setStyleSheet(foaieStilBara(c));
    if (submeniuri) {
        const QString stil = foaieStilMeniu(c);
        const QList<QMenu*> meniuri = bara->findChildren<QMenu*>();
        for (QMenu* meniu : meniuri)
            meniu->setStyleSheet(stil);
    }
    bara->update();
}

void Coloreaza_Meniu_Sistem(QWidget* /*fereastra*/, std::uint32_t /*culoare*/) {}
