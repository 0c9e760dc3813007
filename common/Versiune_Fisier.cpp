#include "common/Versiune_Fisier.h"

#include "common/Versiune_Program.h"

#include <QByteArray>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Kept in every executable that shows or compares its version, so that the
// file carries its own record.
[[gnu::used]] const char marcajVersiune[] = QUORVEL_MARCAJ_VERSIUNE;

// The marker's prefix, built at run time so that the search text itself is
// not a second prefix in the file.
QByteArray prefix()
{
    return QByteArray("QUORVEL_FILE_") + QByteArray("VERSION=");
}

// Up to four dot-separated numbers at position i; false unless all four are
// there.
bool citesteNumere(const QByteArray& octeti, qsizetype i, Versiune_Fisier& v)
{
    int parti[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            if (i >= octeti.size() || octeti.at(i) != '.')
                return false;
            ++i;
        }
        const qsizetype inceput = i;
        long long n = 0;
        while (i < octeti.size() && octeti.at(i) >= '0' && octeti.at(i) <= '9' && i - inceput < 6) {
            n = n * 10 + (octeti.at(i) - '0');
            ++i;
        }
        if (i == inceput)
            return false;
        parti[k] = static_cast<int>(n);
    }
    // The record ends with its terminating zero: a block that stops inside
    // the digits is no record.
    if (i >= octeti.size() || octeti.at(i) != '\0')
        return false;
    v = {parti[0], parti[1], parti[2], parti[3]};
    return true;
}

} // namespace

Versiune_Fisier Versiune_Program()
{
    // Read through the marker so that it is linked wherever the version is used.
    if (const auto v = Cauta_Versiune_In(QByteArray(marcajVersiune, sizeof(marcajVersiune))))
        return *v;
    return {Versiune_Major, Versiune_Minor, Versiune_Build, Versiune_Revizie};
}

QString Text_Versiune_Afisata()
{
    const Versiune_Fisier v = Versiune_Program();
    return QString::number(v.major) + u'.' + QString::number(v.minor) + QString::number(v.revizie);
}

QString Text_Versiune_Completa()
{
    const Versiune_Fisier v = Versiune_Program();
    return QString::number(v.major) + u'.' + QString::number(v.minor) + u'.' + QString::number(v.revizie);
}

std::optional<Versiune_Fisier> Cauta_Versiune_In(const QByteArray& octeti)
{
    const QByteArray p = prefix();
    qsizetype de = 0;
    while ((de = octeti.indexOf(p, de)) >= 0) {
        Versiune_Fisier v;
        if (citesteNumere(octeti, de + p.size(), v))
            return v;
        de += p.size();
    }
    return std::nullopt;
}

std::optional<Versiune_Fisier> Citeste_Versiune_Fisier(const QString& cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read in blocks that overlap by the marker's length, so a marker across
    // a block boundary is still found.
    constexpr qint64 bloc = 1 << 20;
    const qsizetype suprapunere = prefix().size() + 32;
    QByteArray rest;
    while (!f.atEnd()) {
        const QByteArray citit = f.read(bloc);
        if (citit.isEmpty())
            break;
        const QByteArray fereastra = rest + citit;
        if (const auto v = Cauta_Versiune_In(fereastra))
            return v;
        rest = fereastra.right(suprapunere);
    }
    return std::nullopt;
}
