#pragma once
// The steps of the start-up that need no window: the single running copy,
// the settings back end, the settings, the common database, the viewers and
// the computer name.

#include "platform/db/db.h"

#include <QString>
#include <QStringList>
#include <optional>

// The lock files that mark a running copy of the user, the same places
// for every copy whatever its environment (a runtime folder or none, a
// desktop session, su, cron): "Quorvel.lock" in the cache folder of the
// user's home (sys::userCacheFolder), and in the user's own folder
// Quorvel-<uid> of the temporary folder (sys::ownTempFolder). A place that
// is not the user's alone (another user holds the name) is left out; the
// other still meets every copy.
QStringList Cai_Blocare_Instanta();
// The first of them: the one every copy with the same home meets.
QString Cale_Blocare_Instanta();

enum class Blocare_Instanta
{
    Luata,      // this copy holds the locks
    Alta_Copie, // another running copy of the user holds one of them
    Fara_Loc    // no place can hold a lock file: the copies cannot be told apart
};
// Takes the locks for the rest of the run, in every place that can hold
// one. A lock left by a copy that died is taken over. Once the application
// object is made the program's executable is held too, so that the updater
// sees the program runs. Taking them again in the same run gives Luata.
Blocare_Instanta Blocheaza_Instanta_Unica();
// Lets the locks go (tests, and the end of the run).
void Elibereaza_Instanta_Unica();
// The process of the other copy that held a lock, 0 when not known.
qint64 Proces_Alta_Copie();

// What a second copy says where nobody can see a message box: that Quorvel
// already runs for this user (and in which process).
QString Text_Ruleaza_Deja();
// What the program says when no place can hold its lock file.
QString Text_Fara_Loc_Blocare();

// The platform Qt is asked for before the application object is made: the
// "-platform" argument, else QT_QPA_PLATFORM (its first name, without
// options); empty for the default.
QString Platforma_Ceruta(const QStringList& argumente);
// True where nobody can see a window of the program on that platform: the
// offscreen and minimal platforms, the virtual display scripts/run.sh starts
// on a server (QUORVEL_VIRTUAL_DISPLAY), or no display at all for the X11
// and Wayland platforms (Qt then cannot even start).
bool Ecran_Nevazut(const QString& platforma);
// True where the X11 or Wayland platform (or the default, one of the two)
// has no display to show on: Qt cannot start there.
bool Fara_Afisaj(const QString& platforma);
// What the program says when it has no display to start on.
QString Text_Fara_Afisaj();

// A start refused where nobody can see a message box: another copy runs,
// or no lock can be made (not Luata), on such a platform; or there is no
// display at all to start on. The reason goes to the terminal (the error
// output) and the exit status is 1; nullopt where the start goes on, or the
// reason is to be shown in a box.
std::optional<int> Refuza_Fara_Ecran(Blocare_Instanta blocare, const QString& platforma);

namespace testing {
// The answer of Ecran_Nevazut fixed by a test (true: seen); nullopt gives
// the platform's own again.
void Seteaza_Ecran_Vazut(std::optional<bool> vazut);
} // namespace testing

// Records the outcome of the write test in the settings database's row
// Drepturi ('1' or '0'), whatever the back end. Only an existing row is
// updated.
db::Error Inregistreaza_Drepturi(bool drepturi);

enum class Stare_Initializare
{
    Gata,      // ready for the company chooser
    Fara_Comun // Comun.mdb is missing: the message was shown, nothing more runs
};

// Steps 4 to 9 of the start-up: the write test under HKEY_LOCAL_MACHINE
// (Drepturi_HKLM), its record, the default settings and the readers,
// Cale_Comun and its check, the viewers and the computer name. An error
// comes back to the caller, which shows it.
db::Result<Stare_Initializare> Initializeaza_Aplicatia();
