#include "shell/Aplicatie.h"

#include "platform/ui/mesaj.h"

#include <cstdio>
#include <new>

using namespace Qt::StringLiterals;

Aplicatie::Aplicatie(int& argc, char** argv) : QApplication(argc, argv) {}

bool Aplicatie::notify(QObject* obiect, QEvent* eveniment)
{
    try {
        return QApplication::notify(obiect, eveniment);
    } catch (...) {
        Arata_Exceptie(std::current_exception());
    }
    return false;
}

QString Mesaj_Exceptie(std::exception_ptr exceptie, bool continua)
{
    const QString inceput = u"EROARE : Operatia a fost oprita: "_s;
    const QString sfarsit = continua ? u" Programul continua."_s : u" Programul se inchide."_s;
    try {
        std::rethrow_exception(exceptie);
    } catch (const std::bad_alloc&) {
        return inceput + u"memoria programului nu a ajuns."_s + sfarsit;
    } catch (const std::exception& e) {
        QString motiv = QString::fromLocal8Bit(e.what()).trimmed();
        if (!motiv.endsWith(u'.'))
            motiv += u'.';
        return inceput + motiv + sfarsit;
    } catch (...) {
        return inceput + u"o eroare neprevazuta."_s + sfarsit;
    }
}

void Arata_Exceptie(std::exception_ptr exceptie, bool continua)
{
    // The text is made before anything is shown: with the memory spent, a
    // second failure leaves at least the error output.
    try {
        const QString text = Mesaj_Exceptie(exceptie, continua);
        try {
            ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        } catch (...) {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        }
    } catch (...) {
        std::fputs("EROARE : Operatia a fost oprita: memoria programului nu a ajuns.\n", stderr);
    }
}
