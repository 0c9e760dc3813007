#pragma once
// Reading back a report's HTML export: the texts of its fields.

#include <QRegularExpression>
#include <QStringList>

namespace html {

// The texts of the fields in document order, as the file holds them (escaped).
inline QStringList texte(const QString& html)
{
    QStringList texte;
    static const QRegularExpression span(QStringLiteral("<span[^>]*>([^<]*)</span>"));
    for (auto it = span.globalMatch(html); it.hasNext();)
        texte << it.next().captured(1);
    return texte;
}

} // namespace html
