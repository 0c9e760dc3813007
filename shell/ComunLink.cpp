#include "shell/ComunLink.h"

#include "common/Globale.h"
#include "common/Verifica_Exista_Fisier.h"
#include "platform/ui/mesaj.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

bool legaturaEsuata()
{
    ui::msgBox(u"Eroare - Creare Link DateComune"_s, ui::Icon::None, ui::Buttons::Ok);
    return false;
}

} // namespace

bool Creare_Link_Firme()
{
    const QString numeLink = u"Firme"_s;
    const QString sursa = Folder_BazaDate + u"Comun.mdb"_s;
    // The link must reach an existing register: a missing Comun.mdb fails.
    if (!Exista_Fisier(sursa))
        return legaturaEsuata();

    db::Connection conexiune;
    if (conexiune.open(Cale_Firma))
        return legaturaEsuata();

    const db::Result<QVector<db::TableInfo>> tabele = conexiune.tables();
    if (!tabele)
        return legaturaEsuata();
    QStringList legaturiVechi;
    for (const db::TableInfo& t : *tabele) {
        if (t.name.toUpper() != u"FIRME"_s)
            continue;
        if (t.kind != u"LINK"_s)
            return legaturaEsuata(); // a local table of that name stays, and blocks the link
        legaturiVechi << t.name;
    }

    db::Transaction tranzactie(conexiune);
    if (tranzactie.error())
        return legaturaEsuata();
    for (const QString& nume : std::as_const(legaturiVechi)) {
        if (conexiune.dropLink(nume))
            return legaturaEsuata();
    }
    QCoreApplication::processEvents();
    if (conexiune.createLink(numeLink, sursa, numeLink, u"MS Access"_s))
        return legaturaEsuata();
    if (tranzactie.commit())
        return legaturaEsuata();
    conexiune.close();
    return true;
}
