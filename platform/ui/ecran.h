#pragma once
// Windows kept within the screen's work area (the available geometry: the
// screen without the desktop's panels), their frame included.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// The frame the window manager draws around a top-level window: the
// window's own once it is known (for most window managers once it has
// shown), else that of another top-level window of the program that shows
// (one window manager frames them alike), else none.
QMargins frameMargins(const QWidget* w);

// Where a window of the inner rectangle `inner` goes so that it and its
// frame lie within `area`: made smaller where it is larger than the area
// leaves room for, then moved as little as needed.
QRect fitInto(const QRect& area, const QMargins& frame, QRect inner);

// Lowers the window's minimum size (a fixed size too) where it is larger than
// `size`, so that it can be made that small.
void allowSize(QWidget* w, const QSize& size);

// Keeps the window, its frame included, within the work area of its screen:
// a window larger than the area is made smaller (a fixed or minimum size
// too); one that shows is also moved inside, one that does not yet keeps its
// place for whoever shows it (Qt places a dialog over its parent within the
// area); one that shows before the window manager has framed it is fitted
// again with its own frame once that is known. A maximised, full-screen or
// child widget is left as it is.
void fitToScreen(QWidget* w);

} // namespace ui
