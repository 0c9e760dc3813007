#include "common/Setari_Regionale.h"

#include "platform/sys/system.h"

#include <QLocale>

using namespace Qt::StringLiterals;

QString Separator_Zecimal()
{
    return sys::decimalSeparator();
}

QString Separator_Data(const QString& formatScurt)
{
    qsizetype inceput = 0;
    while (inceput < formatScurt.size() && !u"dMy"_s.contains(formatScurt.at(inceput)))
        ++inceput;
    qsizetype i = inceput;
    while (i < formatScurt.size() && formatScurt.at(i) == formatScurt.at(inceput))
        ++i;
    if (i >= formatScurt.size())
        return u"/"_s;
    const QChar semn = formatScurt.at(i);
    if (semn.isLetterOrNumber() || semn.isSpace() || semn == u'\'')
        return u"/"_s;
    return QString(semn);
}

QString Separator_Data()
{
    return Separator_Data(QLocale::system().dateFormat(QLocale::ShortFormat));
}
