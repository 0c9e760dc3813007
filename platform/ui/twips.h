#pragma once
// Window layouts in twips, for the font in use.
//
// The windows place and size their controls in twips, for a design font.
// Those twips are widened and heightened by how much wider and taller the
// application's font writes than the design font: the measure the grids take
// for their column widths and row heights (platform/grid/units.h), so that a
// caption that fits its control in the design font fits it in the font in
// use, and the controls keep their places relative to each other and to the
// grids. Horizontal lengths (lefts, widths) and vertical ones (tops, heights)
// have each their own measure.

#include <QRect>
#include <QSize>

namespace ui {

// The two measures for the application's font (1 for a font no larger than
// the design font).
double twipsScaleX();
double twipsScaleY();

// Design twips in pixels: across, down, a control's
// rectangle (left, top, width, height) and a size (width, height).
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
QRect twipsToRect(int left, int top, int width, int height);
QSize twipsToSize(int width, int height);

// The inverse: pixels across and down in design twips.
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

} // namespace ui
