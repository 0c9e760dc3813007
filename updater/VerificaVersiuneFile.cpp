#include "updater/VerificaVersiuneFile.h"

#include "common/Versiune_Fisier.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// An empty version has no parts.
QStringList parti(const QString& versiune)
{
    return versiune.isEmpty() ? QStringList() : versiune.split(u'.');
}

std::optional<qint64> numar(const QString& parte)
{
    bool ok = false;
    const qint64 n = parte.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

} // namespace

QString Versiune_Fisier_Text(const QString& cale)
{
    const std::optional<Versiune_Fisier> v = Citeste_Versiune_Fisier(cale);
    if (!v)
        return QString();
    return QString::number(v->major) + u'.' + QString::number(v->minor) + u'.' + QString::number(v->build) +
           u'.' + QString::number(v->revizie);
}

std::optional<qint16> Compara_Versiuni(const QString& prima, const QString& aDoua)
{
    const QStringList a = parti(prima);
    const QStringList b = parti(aDoua);
    qint16 rezultat = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (i >= b.size())
            return std::nullopt;
        const std::optional<qint64> x = numar(a.at(i));
        const std::optional<qint64> y = numar(b.at(i));
        if (!x || !y)
            return std::nullopt;
        if (*x > *y) {
            rezultat = 1;
            break;
        }
        if (*x < *y) {
            rezultat = -1;
            break;
        }
    }
    if (b.isEmpty())
        return std::nullopt;
    // The longer second version only decides when the parts compared were
    // equal: "2.1" against "1.0.5" stays newer.
    if (rezultat == 0 && b.size() > a.size()) {
        const std::optional<qint64> ultima = numar(b.last());
        if (!ultima)
            return std::nullopt;
        if (*ultima != 0)
            rezultat = -1;
    }
    return rezultat;
}

std::optional<qint16> Compara_Versiune_Fisier(const QString& primulFisier, const QString& alDoileaFisier)
{
    return Compara_Versiuni(Versiune_Fisier_Text(primulFisier), Versiune_Fisier_Text(alDoileaFisier));
}
