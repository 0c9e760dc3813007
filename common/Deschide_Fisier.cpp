#include "common/Deschide_Fisier.h"

#include "platform/ui/mesaj.h"

#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

// How long the opener's answer is waited for. xdg-open answers within a
// second where the desktop opens the file itself; where it runs the viewer
// in its own place it answers only when the viewer closes.
constexpr int kAsteptareMs = 5000;

QString motivIesire(const QString& program, int cod)
{
    if (QFileInfo(program).fileName() == u"xdg-open"_s) {
        switch (cod) {
        case 1:
            return u"Programul xdg-open nu a inteles comanda (codul 1)."_s;
        case 2:
            return u"Fisierul nu exista sau nu poate fi citit (xdg-open, codul 2)."_s;
        case 3:
            return u"Nu este instalat niciun program care sa deschida acest fel de fisier (xdg-open, codul 3)."_s;
        case 4:
            return u"Programul care trebuia sa deschida fisierul nu a reusit (xdg-open, codul 4)."_s;
        default:
            break;
        }
    }
    return u"Programul "_s + program + u" s-a incheiat cu codul "_s + QString::number(cod) + u'.';
}

} // namespace

std::optional<QString> Porneste_Deschiderea(const QString& program, const QStringList& argumente)
{
    // Of no parent: a viewer still running when the wait ends is left to
    // run, and the object goes when it ends. Owned by the application it
    // would be destroyed with it, which kills a viewer still open.
    auto* proces = new QProcess;
    proces->setProgram(program);
    proces->setArguments(argumente);
    proces->setProcessChannelMode(QProcess::ForwardedChannels);
    proces->setStandardInputFile(QProcess::nullDevice());
    proces->start();
    // Blocking, and bounded: nothing else of the program runs meanwhile, so
    // no window can go away under the command that opens the file.
    if (proces->waitForStarted())
        proces->waitForFinished(kAsteptareMs);
    if (proces->state() != QProcess::NotRunning) {
        QObject::connect(proces, &QProcess::finished, proces, &QObject::deleteLater);
        return std::nullopt;
    }
    std::optional<QString> motiv;
    if (proces->error() == QProcess::FailedToStart)
        motiv = u"Programul "_s + program + u" nu poate fi pornit."_s;
    else if (proces->exitStatus() == QProcess::CrashExit)
        motiv = u"Programul "_s + program + u" s-a oprit neasteptat."_s;
    else if (proces->exitCode() != 0)
        motiv = motivIesire(program, proces->exitCode());
    proces->deleteLater();
    return motiv;
}

QString Text_Fisier_Nedeschis(const QString& cale, const QString& motiv)
{
    return u"Fisierul nu a putut fi deschis:\r\n"_s + cale + u"\r\n"_s + motiv;
}

QString Motiv_Fara_Vizualizator(const QString& program)
{
    if (program.trimmed().isEmpty())
        return u"Nu este ales niciun program care sa deschida fisierul."_s;
    return u"Programul care deschide fisierul ("_s + program + u") nu este instalat."_s;
}

bool Deschide_Fisier(const QString& program, const QString& cale)
{
    const std::optional<QString> motiv = Porneste_Deschiderea(program, {cale});
    if (!motiv)
        return true;
    ui::msgBox(Text_Fisier_Nedeschis(cale, *motiv), ui::Icon::Exclamation, ui::Buttons::Ok);
    return false;
}
