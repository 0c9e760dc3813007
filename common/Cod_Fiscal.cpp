#include "common/Cod_Fiscal.h"

using namespace Qt::StringLiterals;

bool Cod_Fiscal_Declarabil(const QString& codFiscal)
{
    const QString cifre = QString(codFiscal).remove(u"RO"_s, Qt::CaseSensitive);
    if (cifre.isEmpty() || cifre.size() > 10)
        return false;
    for (const QChar c : cifre) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}
