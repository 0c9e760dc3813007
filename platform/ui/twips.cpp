#include "platform/ui/twips.h"

#include "platform/grid/units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace ui {
namespace {

double dpiX()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}

double dpiY()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->logicalDotsPerInchY() : 96.0;
}

// Design twips in pixels as the grids take them, without a cell's margins.
int pixels(int twips, double scale, double dpi)
{
    return grid::scaledTwipsToPixels(twips, scale, dpi);
}

int twips(int pixels, double scale, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi / scale));
}

} // namespace

double twipsScaleX()
{
    const QFontMetrics fm(QGuiApplication::font());
    return grid::fontWidthScale(fm.horizontalAdvance(QLatin1String(grid::kWidthSample)), dpiX());
}

double twipsScaleY()
{
    // Whole pixels: a control's text takes a whole line.
    const QFontMetrics fm(QGuiApplication::font());
    return grid::fontHeightScale(fm.height(), dpiY());
}

int twipsToPixelsX(int t)
{
    return pixels(t, twipsScaleX(), dpiX());
}

int twipsToPixelsY(int t)
{
    return pixels(t, twipsScaleY(), dpiY());
}

QRect twipsToRect(int left, int top, int width, int height)
{
    const double sx = twipsScaleX();
    const double sy = twipsScaleY();
    const double dx = dpiX();
    const double dy = dpiY();
    return QRect(pixels(left, sx, dx), pixels(top, sy, dy), pixels(width, sx, dx), pixels(height, sy, dy));
}

QSize twipsToSize(int width, int height)
{
    return QSize(twipsToPixelsX(width), twipsToPixelsY(height));
}

int pixelsToTwipsX(int p)
{
    return twips(p, twipsScaleX(), dpiX());
}

int pixelsToTwipsY(int p)
{
    return twips(p, twipsScaleY(), dpiY());
}

} // namespace ui
