// Update_Quorvel: installs a new release of Quorvel from the update package
// it is started from.

#include "platform/sys/system.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj_widgets.h"
#include "updater/Frm_Update.h"
#include "updater/Globale_Update.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    sys::useRomanianWhenNoLocale();
    sys::nameRuntimeFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Update_Quorvel"));
    ui::installWidgetPresenter();
    Folder_Pachet_Update = QCoreApplication::applicationDirPath();
    Inregistreaza_Ferestre_Update();
    QWidget* fereastra = ui::Forms::load(QStringLiteral("Frm_Update"));
    // Closing the window unloads it: the program ends with it.
    QObject::connect(fereastra, &QObject::destroyed, &app, &QCoreApplication::quit);
    ui::Forms::show(QStringLiteral("Frm_Update"));
    return app.exec();
}
