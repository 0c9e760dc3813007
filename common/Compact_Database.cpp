#include "common/Compact_Database.h"

#include "common/Verifica_Exista_Fisier.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

std::int32_t Kilobytes_Rotunjiti(std::int64_t octeti)
{
    // Hundredths of a KB, rounded half up as the two-decimal text shows them.
    const std::int64_t sutimi = (octeti * 25 + 128) / 256;
    std::int64_t intreg = sutimi / 100;
    const std::int64_t rest = sutimi % 100;
    if (rest > 50 || (rest == 50 && intreg % 2 != 0))
        ++intreg;
    return static_cast<std::int32_t>(intreg);
}

std::optional<std::int32_t> Marime_Fisier_KB(const QString& cale)
{
    const QFileInfo info(cale);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    const qint64 octeti = info.size();
    if (octeti < 0 || octeti > 0x7FFFFFFF)
        return std::nullopt;
    return Kilobytes_Rotunjiti(octeti);
}

bool Compacteaza_Fisier_Jet(const QString& sursa, const QString& destinatie)
{
    // The notice box has just closed: let the window behind it repaint.
    QCoreApplication::processEvents();
    const db::Error eroare = db::Connection::compactDatabase(sursa, destinatie);
    if (eroare) {
        ui::msgBox(eroare.description, ui::Icon::Exclamation, ui::Buttons::Ok);
        return false;
    }
    return true;
}

void Compacteaza_Baza_Date(const QString& cale)
{
    if (!Exista_Fisier(cale))
        return;
    ui::msgBox(u"Se va compacta baza de date: "_s + u"\r\n"_s + cale + u"\r\n"_s + u"Astepati va rog ....."_s,
               ui::Icon::Information, ui::Buttons::Ok);

    const int slash = cale.lastIndexOf(u'/');
    const QString folder = cale.left(slash + 1);
    const QString nume = cale.mid(slash + 1);
    const QString copieLucru = folder + u"CompactDB/"_s + nume;
    if (Exista_Fisier(copieLucru))
        QFile::remove(copieLucru);
    Compacteaza_Fisier_Jet(cale, copieLucru);
}
