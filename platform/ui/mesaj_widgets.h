#pragma once
// The on-screen presenter of the message-box and file-dialog seam.

#include "platform/ui/mesaj.h"

#include <QColor>

namespace ui {

// Installs the QMessageBox/QFileDialog/QColorDialog presenter, and Qt's own
// texts in Romanian; the program's main() calls it once, after creating the
// application object.
void installWidgetPresenter();

// Qt's own texts in Romanian: the titles, labels, headers and standard
// buttons of its dialogs (colour, file, printer, page set-up, input, message
// boxes) and the context menus of its text boxes. False when the catalogue
// could not be read. Once per process; installWidgetPresenter() calls it.
bool installQtTranslations();

// Colours between the settings' 0x00BBGGRR form and Qt's.
QColor toQColor(Colour c);
Colour fromQColor(const QColor& c);

} // namespace ui
