#pragma once
// Sizes in twips and colours as the program writes them.
// Twips: 1440 to the inch, so 15 twips per pixel at 96 dots per inch.
// Colours: a number &HBBGGRR (red in the low byte): &HFF0000 is blue.

#include <QColor>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace grid {

inline int twipsToPixels(int twips, double dpi = 96.0)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

// A control's rectangle given in twips (left, top, width, height), in pixels.
inline QRect twipsToPixels(int left, int top, int width, int height, double dpi = 96.0)
{
    return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                 twipsToPixels(height, dpi));
}

inline int pixelsToTwips(int pixels, double dpi = 96.0)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

// The windows lay their grids out in twips for a design font in which a
// number such as "1,234,567.89" is 63 pixels wide at 96 dots per inch (digits
// of 6, separators of 3), with 2 pixels of margin each side of a cell. A grid
// widens the room for text by how much wider its own font writes that number
// (it never narrows it) and adds its own margins, so that a value that fits a
// column in the design font fits it in the font in use.
inline constexpr const char* kWidthSample = "1,234,567.89";

// sampleWidth: kWidthSample's advance in the font in use, in pixels at dpi.
inline double fontWidthScale(double sampleWidth, double dpi = 96.0)
{
    const double reference = 63.0 * dpi / 96.0;
    return sampleWidth > reference ? sampleWidth / reference : 1.0;
}

// Likewise for heights: the design font's lines are 13 pixels high at 96
// dots per inch.
inline double fontHeightScale(double lineHeight, double dpi = 96.0)
{
    const double reference = 13.0 * dpi / 96.0;
    return lineHeight > reference ? lineHeight / reference : 1.0;
}

// A column width in twips (for the design font), in pixels for a font of
// that scale and cells with the given margins (both sides together, in
// pixels).
inline int scaledTwipsToPixels(int twips, double scale, double dpi = 96.0, int margins = 0)
{
    const double designMargins = margins > 0 ? 4.0 * dpi / 96.0 : 0.0;
    const double room = std::max(0.0, twips * dpi / 1440.0 - designMargins);
    return static_cast<int>(std::lround(room * scale + margins));
}

// The inverse: the design font's twips of a column width in pixels.
inline int scaledPixelsToTwips(int pixels, double scale, double dpi = 96.0, int margins = 0)
{
    const double designMargins = margins > 0 ? 4.0 * dpi / 96.0 : 0.0;
    const double room = std::max(0.0, double(pixels - margins)) / (scale > 0 ? scale : 1.0);
    return static_cast<int>(std::lround((room + designMargins) * 1440.0 / dpi));
}

inline QColor fromVbColor(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline std::uint32_t toVbColor(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

} // namespace grid
