#include "shell/Iesire_Program.h"

#include "common/Compact_Database.h"
#include "common/Globale.h"
#include "common/Inchide_Formuri.h"
#include "common/Versiune_Fisier.h"

#include <QApplication>

using namespace Qt::StringLiterals;

QString Titlu_Meniu_Principal(const QString& firma)
{
    return u"Quorvel"_s + u"   versiunea  "_s + Text_Versiune_Afisata() + u"  --  "_s + firma;
}

bool Secventa_Iesire()
{
    // Every other window does its own closing work first, in the order the
    // windows were opened: the declaration window writes the line being
    // edited and saves its layout. A window that cannot close (a line the
    // rules refuse, its message shown) stays open with the main window, and
    // the program goes on with its connections open and nothing compacted;
    // the windows that could close have been closed by then, before and
    // after it alike.
    if (!Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s))
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Conexiune_Firma.close();
    Conexiune_Comun.close();
    Conexiune_CN.close();
    QCoreApplication::processEvents();
    if (const auto kb = Marime_Fisier_KB(Cale_Firma); kb && *kb > Limita_Compactare_Firma_KB)
        Compacteaza_Baza_Date(Cale_Firma);
    QCoreApplication::processEvents();
    if (const auto kb = Marime_Fisier_KB(Cale_Comun); kb && *kb > Limita_Compactare_Comun_KB)
        Compacteaza_Baza_Date(Cale_Comun);
    QCoreApplication::processEvents();
    QApplication::restoreOverrideCursor();
    return true;
}
