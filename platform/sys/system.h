#pragma once
// Queries of the operating system: its name and version, the user, the
// computer and the user's number format. Each returns nullopt when the
// system refuses the query. Tests can put their own answers in place.

#include <QString>
#include <optional>

namespace sys {

struct OsVersion
{
    QString sysname; // uname's system name, "Linux"
    QString release; // the kernel release as reported, "6.1.0-18-amd64"
    int major = 0;   // leading numbers of the release
    int minor = 0;
};

std::optional<OsVersion> osVersion();
// The login name of the effective user.
std::optional<QString> userName();
// The computer's host name.
std::optional<QString> hostName();
// The decimal point of the user's number format (for displays only; SQL,
// XML and files always use ".").
QString decimalSeparator();

// Where the environment chooses no locale (its variables unset, or C or
// POSIX), the program's numbers, dates and the rest of Qt's system locale
// take Romanian forms (12.500,00; 11.12.2026), as on the Romanian desktop the
// program is made for; a locale the user chose is followed, category by
// category (LC_ALL, then LC_NUMERIC, LC_TIME, ..., then LANG). Qt reads those
// variables once, at the first use of the system locale, so this runs first
// thing in main(), before the application object; the environment is left as
// it was, so the C library and the programs started from here see the user's
// own choice.
void useRomanianWhenNoLocale();

// Names the user's runtime folder for the libraries that look for one, so
// that a start outside a login session (a virtual display, a service) is
// quiet: when XDG_RUNTIME_DIR is unset it becomes <temporary folder>/
// runtime-<user>, the folder those libraries would fall back to (with a
// warning at every start), made private (0700) and created when missing. A
// path that is not a folder of this user, or one that others may write
// into, is left alone, and so is a variable already set. Runs before the
// application object is made.
void nameRuntimeFolder();

// A folder of the user's own in the temporary folder, for what the program
// keeps there (the workbooks exported to Excel, ...): <temporary folder>/
// <name>-<uid>, created private (0700) when missing. Users who share the
// temporary folder never meet each other's: what stands at that path and
// is no folder of this user only (a folder of another user, one that others
// may write into, a file, a link) is never used nor changed; the run then
// gets a new private folder <name>-<uid>-XXXXXX, the same for the rest of
// the run. A folder of this user that others may only read is made private.
// Empty when no folder can be made. The path has no "/" at its end.
QString userTempFolder(const QString& name);
// Only <temporary folder>/<name>-<uid>, the same at every run: empty where
// it is not, and cannot be made, this user's alone.
QString ownTempFolder(const QString& name);
// The cache folder of the user's home ($HOME/.cache), created private when
// missing: empty where it is not a folder of this user, or others may write
// into it (the home of another user, a home that cannot be written, no home
// at all). A link is followed there: the home is the user's own.
QString userCacheFolder();

// The leading "major.minor" numbers of a kernel release text; 0 where a
// number is missing.
OsVersion parseRelease(const QString& sysname, const QString& release);

namespace testing {
// Replace a query's answer; nullopt inside makes the query fail. reset()
// returns to the system's answers.
void setOsVersion(std::optional<OsVersion> v);
void setUserName(std::optional<QString> name);
void setHostName(std::optional<QString> name);
void setDecimalSeparator(const QString& separator);
void reset();
} // namespace testing

} // namespace sys
