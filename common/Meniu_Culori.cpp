#include "common/Meniu_Culori.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>

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

QString foaieStil(const char* clasa, const QColor& c)
{
    return QString::fromLatin1(clasa) + QStringLiteral(" { background-color: ") + c.name() +
           QStringLiteral("; }");
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

void Coloreaza_Meniu(QWidget* fereastra, std::uint32_t culoare, bool submeniuri)
{
    if (!fereastra)
        return;
    const QColor c = Culoare_Qt(Translateaza_Culoare(culoare));
    QMenuBar* bara = nullptr;
    if (auto* principala = qobject_cast<QMainWindow*>(fereastra))
        bara = principala->menuBar();
    else
        bara = fereastra->findChild<QMenuBar*>();
    if (!bara)
        return;
    bara->setStyleSheet(foaieStil("QMenuBar", c));
    if (submeniuri) {
        const QList<QMenu*> meniuri = bara->findChildren<QMenu*>();
        for (QMenu* meniu : meniuri)
            meniu->setStyleSheet(foaieStil("QMenu", c));
    }
    bara->update();
}

void Coloreaza_Meniu_Sistem(QWidget* /*fereastra*/, std::uint32_t /*culoare*/) {}
