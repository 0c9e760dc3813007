#include "declaration/Nume_Fisier_XML.h"

using namespace Qt::StringLiterals;

QString Nume_Fisier_XML(const QString& codFiscal, const QString& tip, const QString& felDeclaratie,
                        const QString& anul, const QString& luna)
{
    QString cod = codFiscal;
    cod.remove(u"RO"_s, Qt::CaseSensitive);
    cod = cod.rightJustified(10, u'0');
    const bool noua = felDeclaratie.startsWith(u'N');
    QString fel;
    if (tip == u"I")
        fel = noua ? u"_A_"_s : u"_AR_"_s;
    else
        fel = noua ? u"_D_"_s : u"_DR_"_s;
    return cod + fel + anul + luna + u".xml"_s;
}
