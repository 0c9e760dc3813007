#include "shell/Iesire_Program.h"

#include "common/Compact_Database.h"
#include "common/Globale.h"
#include "common/Inchide_Formuri.h"
#include "common/Versiune_Fisier.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

QString Titlu_Meniu_Principal(const QString& firma)
{
    return u"Quorvel"_s + u"   versiunea  "_s + Text_Versiune_Afisata() + u"  --  "_s + firma;
}

void Secventa_Iesire()
{
    // Every other window does its own closing work first (a grid line being
    // edited is stored, layouts are saved).
    Inchide_Formuri_Exceptand(u"Frm_Meniu_Principal"_s, u"d"_s);
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
}
