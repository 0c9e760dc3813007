#include "declaration/Valori_Implicite.h"

#include "common/Globale.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

QString Fisier_Valori_Implicite(const QString& fereastra)
{
    return Folder_Sistem + u"Default/"_s + fereastra + u".txt"_s;
}

bool Scrie_Valori_Implicite(const QString& cale, const Valori_Controale& valori, QString* eroare)
{
    QByteArray text;
    for (const auto& [nume, valoare] : valori) {
        QString v = valoare;
        v.replace(u"\r\n"_s, u"|"_s);
        // A lone line break would split the line: it is written the same way.
        v.replace(u'\r', u'|');
        v.replace(u'\n', u'|');
        text += (nume + u'=' + v + u"\r\n"_s).toUtf8();
    }
    QSaveFile fisier(cale);
    if (!fisier.open(QIODevice::WriteOnly) || fisier.write(text) != text.size() || !fisier.commit()) {
        if (eroare)
            *eroare = fisier.errorString();
        return false;
    }
    return true;
}

Valori_Controale Citeste_Valori_Implicite(const QString& cale)
{
    Valori_Controale valori;
    QFile fisier(cale);
    if (!fisier.open(QIODevice::ReadOnly))
        return valori;
    const QString text = QString::fromUtf8(fisier.readAll());
    const QStringList linii = text.split(u'\n');
    for (QString linie : linii) {
        if (linie.endsWith(u'\r'))
            linie.chop(1);
        const qsizetype egal = linie.indexOf(u'=');
        if (egal < 0)
            continue;
        valori.append({linie.left(egal), linie.mid(egal + 1)});
    }
    return valori;
}
