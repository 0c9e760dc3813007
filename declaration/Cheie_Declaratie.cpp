#include "declaration/Cheie_Declaratie.h"

#include "common/Globale.h"
#include "platform/db/db.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

std::optional<Perioada_Declaratie> Perioada(const Cheie_Declaratie& cheie)
{
    if (cheie.tip.trimmed().isEmpty())
        return std::nullopt;
    bool anOk = false;
    bool lunaOk = false;
    const Perioada_Declaratie p{cheie.anul.trimmed().toInt(&anOk), cheie.luna.trimmed().toInt(&lunaOk)};
    if (!anOk || !lunaOk)
        return std::nullopt;
    return p;
}

std::optional<Perioada_Declaratie> Perioada_Sau_Mesaj(const Cheie_Declaratie& cheie)
{
    const auto p = Perioada(cheie);
    if (!p)
        ui::msgBox(u"NU ESTE AFISATA NICIO LINIE A DECLARATIEI"_s + u"\r\n"_s + u"TIP = "_s + cheie.tip +
                       u", Anul = "_s + cheie.anul + u", Luna = "_s + cheie.luna,
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
    return p;
}

bool Declaratie_Firma_Curenta(const Cheie_Declaratie& cheie, const QString& nefacut)
{
    if (cheie.codFiscal.compare(FirmaCurenta_CodFiscal, Qt::CaseInsensitive) == 0)
        return true;
    ui::msgBox(nefacut + u"\r\n"_s + u"Declaratia afisata este a codului fiscal "_s + cheie.codFiscal +
                   u", iar firma de lucru are codul fiscal "_s + FirmaCurenta_CodFiscal + u'.',
               ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
    return false;
}

QString Clauza_Declaratie(const QString& tip, const Perioada_Declaratie& perioada)
{
    return Clauza_Declaratie(tip, FirmaCurenta_CodFiscal, perioada);
}

QString Clauza_Declaratie(const QString& tip, const QString& codFiscal, const Perioada_Declaratie& perioada)
{
    return u" WHERE [TIP]="_s + db::quoted(tip) + u" AND [Cod_Fiscal]="_s + db::quoted(codFiscal) +
           u" AND [Anul]="_s + QString::number(perioada.anul) + u" AND [Luna]="_s +
           QString::number(perioada.luna);
}

bool Expediere_Dupa_2014(const QString& tip, const Perioada_Declaratie& perioada)
{
    return tip == u"O"_s && perioada.anul > 2014;
}
