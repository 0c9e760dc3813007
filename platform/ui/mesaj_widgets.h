#pragma once
// The on-screen presenter of the message-box and file-dialog seam.

#include "platform/ui/mesaj.h"

#include <QColor>
#include <QDialogButtonBox>

namespace ui {

// Installs the QMessageBox/QFileDialog/QColorDialog presenter, and the
// Romanian texts of the standard buttons of Qt's own dialogs; the program's
// main() calls it once, after creating the application object.
void installWidgetPresenter();

// A standard button's Romanian text, its mnemonic marked with "&" ("&Da",
// "&Nu", "Anulare", "OK", ...).
QString textButon(QDialogButtonBox::StandardButton button);

// Colours between the settings' 0x00BBGGRR form and Qt's.
QColor toQColor(Colour c);
Colour fromQColor(const QColor& c);

} // namespace ui
