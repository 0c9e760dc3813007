#include "common/Module_UserName.h"

#include "platform/sys/system.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace {
constexpr qsizetype bufferSize = 40;
}

QString Text_Inainte_De_Null(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

QString Nume_Utilizator_Sistem()
{
    const std::optional<QString> name = sys::userName();
    if (!name || name->size() >= bufferSize)
        return QString();
    QString buffer = *name;
    buffer.append(QString(bufferSize - name->size(), QChar(u'\0')));
    return buffer;
}

QString Citeste_Nume_Utilizator()
{
    try {
        return Text_Inainte_De_Null(Nume_Utilizator_Sistem());
    } catch (const std::exception&) {
        return u"N/A"_s;
    }
}
