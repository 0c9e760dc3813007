#include "platform/sys/system.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QMutex>
#include <QRegularExpression>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace sys {
namespace {

struct Overrides
{
    bool osSet = false;
    std::optional<OsVersion> os;
    bool userSet = false;
    std::optional<QString> user;
    bool hostSet = false;
    std::optional<QString> host;
    QString decimal; // empty: the locale's
};

Overrides& overrides()
{
    static Overrides o;
    return o;
}

// Whether the path is a folder of this user that nobody else may write
// into (a link is not followed), made private when others may read it;
// created private when missing.
bool ownPrivateFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
        return false;
    if ((st.st_mode & 022) != 0)
        return false; // others may have put anything in it
    return (st.st_mode & 07777) == 0700 || ::chmod(path.constData(), 0700) == 0;
}

} // namespace

OsVersion parseRelease(const QString& sysname, const QString& release)
{
    OsVersion v;
    v.sysname = sysname;
    v.release = release;
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?"));
    const QRegularExpressionMatch m = numbers.match(release);
    if (m.hasMatch()) {
        v.major = m.captured(1).toInt();
        v.minor = m.captured(2).toInt(); // 0 when absent
    }
    return v;
}

std::optional<OsVersion> osVersion()
{
    const Overrides& o = overrides();
    if (o.osSet)
        return o.os;
    struct utsname u;
    if (uname(&u) != 0)
        return std::nullopt;
    return parseRelease(QString::fromLocal8Bit(u.sysname), QString::fromLocal8Bit(u.release));
}

std::optional<QString> userName()
{
    const Overrides& o = overrides();
    if (o.userSet)
        return o.user;
    const struct passwd* pw = getpwuid(geteuid());
    if (!pw || !pw->pw_name)
        return std::nullopt;
    return QString::fromLocal8Bit(pw->pw_name);
}

void nameRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const std::optional<QString> user = userName();
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-") +
                           (user ? *user : QString::number(geteuid()));
    const QByteArray cale = QFile::encodeName(folder);
    if (ownPrivateFolder(cale))
        qputenv("XDG_RUNTIME_DIR", cale);
}

QString ownTempFolder(const QString& name)
{
    const QString folder = QDir::tempPath() + u'/' + name + u'-' + QString::number(geteuid());
    return ownPrivateFolder(QFile::encodeName(folder)) ? folder : QString();
}

QString userCacheFolder()
{
    const QString home = QDir::homePath();
    if (home.isEmpty() || home == QDir::rootPath())
        return QString(); // no home named
    const QString folder = home + QStringLiteral("/.cache");
    const QByteArray cale = QFile::encodeName(folder);
    if (::mkdir(cale.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    struct stat st;
    if (::stat(cale.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() ||
        (st.st_mode & 022) != 0)
        return QString();
    return folder;
}

QString userTempFolder(const QString& name)
{
    const QString own = ownTempFolder(name);
    if (!own.isEmpty())
        return own;
    const QString folder = QDir::tempPath() + u'/' + name + u'-' + QString::number(geteuid());
    // Another's at that name: a new folder, kept for the run.
    static QMutex lock;
    static QHash<QString, QString> instead;
    const QMutexLocker locked(&lock);
    const auto kept = instead.constFind(folder);
    if (kept != instead.cend() && ownPrivateFolder(QFile::encodeName(*kept)))
        return *kept;
    QByteArray pattern = QFile::encodeName(folder + QStringLiteral("-XXXXXX"));
    if (!::mkdtemp(pattern.data()))
        return QString();
    const QString made = QFile::decodeName(pattern);
    instead.insert(folder, made);
    return made;
}

namespace {

// A locale value that chooses nothing: unset, "C", "POSIX" or "C.UTF-8".
bool faraLocale(const QByteArray& valoare)
{
    return valoare.isEmpty() || valoare == "C" || valoare == "POSIX" || valoare.startsWith("C.");
}

// A variable of the environment, put back as it was.
struct Variabila
{
    const char* nume;
    bool exista;
    QByteArray valoare;
};

Variabila retine(const char* nume)
{
    return {nume, qEnvironmentVariableIsSet(nume), qgetenv(nume)};
}

void reface(const Variabila& v)
{
    if (v.exista)
        qputenv(v.nume, v.valoare);
    else
        qunsetenv(v.nume);
}

} // namespace

void useRomanianWhenNoLocale()
{
    // The categories Qt's system locale reads, each as the C library
    // resolves it: LC_ALL, then the category's own variable, then LANG.
    static constexpr std::array categorii{"LC_NUMERIC",  "LC_TIME",        "LC_MONETARY",
                                          "LC_MESSAGES", "LC_MEASUREMENT", "LC_COLLATE"};
    const QByteArray toate = qgetenv("LC_ALL");
    const QByteArray limba = qgetenv("LANG");
    std::array<QByteArray, categorii.size()> alese;
    bool lipseste = false;
    bool faraLimba = false;
    for (std::size_t i = 0; i < categorii.size(); ++i) {
        const QByteArray proprie = qgetenv(categorii[i]);
        const QByteArray ales = !toate.isEmpty() ? toate : !proprie.isEmpty() ? proprie : limba;
        const bool fara = faraLocale(ales);
        lipseste = lipseste || fara;
        faraLimba = faraLimba || (fara && qstrcmp(categorii[i], "LC_MESSAGES") == 0);
        alese[i] = fara ? QByteArrayLiteral("ro_RO.UTF-8") : ales;
    }
    if (!lipseste)
        return;
    std::vector<Variabila> pastrate{retine("LC_ALL"), retine("LANGUAGE")};
    for (const char* c : categorii)
        pastrate.push_back(retine(c));
    qunsetenv("LC_ALL");
    // LANGUAGE counts only where a language is chosen, as for the C library.
    if (faraLimba)
        qunsetenv("LANGUAGE");
    for (std::size_t i = 0; i < categorii.size(); ++i)
        qputenv(categorii[i], alese[i]);
    (void)QLocale::system();
    for (const Variabila& v : pastrate)
        reface(v);
}

std::optional<QString> hostName()
{
    const Overrides& o = overrides();
    if (o.hostSet)
        return o.host;
    std::array<char, 256> buf{};
    if (gethostname(buf.data(), buf.size() - 1) != 0)
        return std::nullopt;
    buf.back() = '\0';
    return QString::fromLocal8Bit(buf.data());
}

QString decimalSeparator()
{
    const Overrides& o = overrides();
    if (!o.decimal.isEmpty())
        return o.decimal;
    return QLocale::system().decimalPoint();
}

namespace testing {

void setOsVersion(std::optional<OsVersion> v)
{
    overrides().osSet = true;
    overrides().os = std::move(v);
}

void setUserName(std::optional<QString> name)
{
    overrides().userSet = true;
    overrides().user = std::move(name);
}

void setHostName(std::optional<QString> name)
{
    overrides().hostSet = true;
    overrides().host = std::move(name);
}

void setDecimalSeparator(const QString& separator)
{
    overrides().decimal = separator;
}

void reset()
{
    overrides() = Overrides();
}

} // namespace testing
} // namespace sys
