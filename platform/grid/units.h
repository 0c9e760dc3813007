#pragma once
// Sizes in twips and colours as the program writes them.
// Twips: 1440 to the inch, so 15 twips per pixel at 96 dots per inch.
// Colours: a number &HBBGGRR (red in the low byte): &HFF0000 is blue.

#include <QColor>
#include <QRect>
#include <cmath>
#include <cstdint>

namespace grid {

inline int twipsToPixels(int twips, double dpi = 96.0)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

inline int pixelsToTwips(int pixels, double dpi = 96.0)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

// A rectangle given in twips (left, top, width, height), in pixels.
inline QRect twipsToPixels(int left, int top, int width, int height, double dpi = 96.0)
{
    return QRect(twipsToPixels(left, dpi), twipsToPixels(top, dpi), twipsToPixels(width, dpi),
                 twipsToPixels(height, dpi));
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
