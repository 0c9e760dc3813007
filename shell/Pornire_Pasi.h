#pragma once
// The steps of the start-up that need no window: the single running copy,
// the settings back end, the settings, the common database, the viewers and
// the computer name.

#include "platform/db/db.h"

#include <QString>

// The lock file that marks a running copy of the user: "Quorvel.lock" in
// the user's runtime folder (XDG_RUNTIME_DIR), or without one in the user's
// own folder Quorvel-<uid> of the temporary folder (sys::ownTempFolder), or,
// where another user holds that name, in ~/.cache: the same path at every run.
QString Cale_Blocare_Instanta();
// Takes the lock for the rest of the run. False when another running copy
// holds it. A lock left by a copy that died is taken over. The program's
// executable is held too, so that the updater sees the program runs.
bool Blocheaza_Instanta_Unica();
// Lets the lock go (tests, and the end of the run).
void Elibereaza_Instanta_Unica();

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
