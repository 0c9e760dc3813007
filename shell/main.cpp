// Quorvel: the Intrastat declaration program.

#include "platform/excel/reader.h"
#include "platform/ui/forms.h"
#include "platform/sys/system.h"
#include "platform/ui/mesaj_widgets.h"
#include "shell/Aplicatie.h"
#include "shell/Pornire.h"
#include "shell/Pornire_Pasi.h"

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace {

// The program lives as long as one of its windows shows. Windows are
// unloaded by hiding them, which Qt does not count as closing the last
// window, so the end is watched for here.
class SfarsitProgram : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override
    {
        if (eveniment->type() == QEvent::Hide && obiect->isWidgetType() &&
            static_cast<QWidget*>(obiect)->isWindow())
            QTimer::singleShot(0, this, &SfarsitProgram::verifica);
        return QObject::eventFilter(obiect, eveniment);
    }

private:
    void verifica()
    {
        const QList<QWidget*> ferestre = QApplication::topLevelWidgets();
        for (const QWidget* w : ferestre) {
            if (w->isVisible())
                return;
        }
        QCoreApplication::quit();
    }
};

} // namespace

int main(int argc, char** argv)
{
    // The C library looks at /etc/localtime again on every local-time
    // conversion unless TZ names the zone; naming it once keeps a column of
    // dates (an import, a grid) from costing a file look-up per value.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    sys::useRomanianWhenNoLocale();
    sys::nameRuntimeFolder();
    // The running copy is looked for before Qt starts: without a display it
    // could not start at all, and a second copy is to say why it ends.
    {
        QStringList argumente;
        for (int i = 0; i < argc; ++i)
            argumente << QString::fromLocal8Bit(argv[i]);
        if (const std::optional<int> refuz = Refuza_Fara_Ecran(Blocheaza_Instanta_Unica(), Platforma_Ceruta(argumente)))
            return *refuz;
    }
    Aplicatie app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    ui::installWidgetPresenter();
    Inregistreaza_Ferestre_Pornire();
    // What a run killed in the middle of reading a workbook left behind.
    excel::removeStaleWorkFolders();

    // Outside the event loop (the start-up) an exception ends the program,
    // with its message.
    try {
        if (const std::optional<int> iesire = Main())
            return *iesire;
        // The start-up may have ended with no window left (the chooser closed
        // itself after a failure): nothing would ever end the event loop.
        if (ui::Forms::openNames().isEmpty())
            return 0;
        SfarsitProgram sfarsit;
        app.installEventFilter(&sfarsit);
        return app.exec();
    } catch (...) {
        Arata_Exceptie(std::current_exception(), false);
        return 1;
    }
}
