#include "common/Operatii_String.h"

#include <limits>

using namespace Qt::StringLiterals;

qint16 Imparte_String(QStringList& list, const QString& text, const QString& delim, QString* error)
{
    list.clear();
    list.append(QString());
    if (delim.isEmpty()) {
        list.append(text);
        return 1;
    }
    QStringList pieces;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(delim, from, Qt::CaseSensitive);
        if (at < 0) {
            pieces.append(text.mid(from));
            break;
        }
        pieces.append(text.mid(from, at - from));
        if (pieces.size() >= std::numeric_limits<qint16>::max()) {
            // The last piece still follows: one too many.
            if (error)
                *error = u"Overflow: more than 32767 pieces"_s;
            return -1;
        }
        from = at + delim.size();
    }
    list.append(pieces);
    return static_cast<qint16>(pieces.size());
}

QString Fara_Blancuri_Margine(const QString& text)
{
    qsizetype inceput = 0;
    qsizetype sfarsit = text.size();
    while (inceput < sfarsit && text.at(inceput) == u' ')
        ++inceput;
    while (sfarsit > inceput && text.at(sfarsit - 1) == u' ')
        --sfarsit;
    return text.mid(inceput, sfarsit - inceput);
}
