#pragma once
// The on-screen presenter of the message-box and file-dialog seam.

#include "platform/ui/mesaj.h"

#include <QColor>

namespace ui {

// Installs the QMessageBox/QFileDialog/QColorDialog presenter; the
// program's main() calls it once, after creating the application object.
void installWidgetPresenter();

// Colours between the Windows edition's 0x00BBGGRR form and Qt's.
QColor toQColor(Colour c);
Colour fromQColor(const QColor& c);

} // namespace ui
