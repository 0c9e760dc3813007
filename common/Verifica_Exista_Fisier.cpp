#include "common/Verifica_Exista_Fisier.h"

#include "common/Operatii_String.h"

#include <QFile>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

std::filesystem::path toPath(const QString& p)
{
    return std::filesystem::path(p.toStdU16String());
}

} // namespace

QString Scoate_Ghilimele(const QString& text)
{
    QString s = Fara_Blancuri_Margine(text);
    if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"')
        s = s.mid(1, s.size() - 2);
    return s;
}

bool Exista_Fisier(const QString& path)
{
    QString p = Scoate_Ghilimele(path);
    if (p.endsWith(u'/') || p.endsWith(u'\\'))
        p.chop(1);
    if (p.isEmpty())
        return false;
    std::error_code ec;
    // Linux opens a folder for reading too; only a regular file counts.
    if (!std::filesystem::is_regular_file(toPath(p), ec) || ec)
        return false;
    QFile f(p);
    const bool readable = f.open(QIODevice::ReadOnly);
    f.close();
    return readable;
}

bool Exista_Director(const QString& path)
{
    if (path.isEmpty() || path == u" "_s)
        return false;
    QString p = path;
    if (p.endsWith(u'\\'))
        p.replace(p.size() - 1, 1, u'/');
    std::error_code ec;
    const auto st = std::filesystem::status(toPath(p), ec);
    if (ec)
        return false;
    return std::filesystem::exists(st);
}
