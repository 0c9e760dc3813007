#pragma once
// Window layouts in twips, for the font in use.
//
// The Windows edition placed and sized its window controls in twips, for its
// screen font. Here those twips are widened and heightened by how much wider
// and taller the application's font writes than that font did: the measure
// the grids take for their column widths and row heights (platform/grid/
// units.h), so that a caption that fitted its control there fits it here and
// the controls keep their places relative to each other and to the grids.
// Horizontal lengths (lefts, widths) and vertical ones (tops, heights) have
// each their own measure.

#include <QRect>
#include <QSize>

namespace ui {

// The two measures for the application's font (1 for a font no larger than
// the Windows one).
double twipsScaleX();
double twipsScaleY();

// Twips of the Windows edition in pixels: across, down, a control's
// rectangle (left, top, width, height) and a size (width, height).
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
QRect twipsToRect(int left, int top, int width, int height);
QSize twipsToSize(int width, int height);

// The inverse: pixels across and down in twips of the Windows edition.
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

} // namespace ui
