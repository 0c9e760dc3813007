#pragma once
// The updater's process-wide values, one set per run, with the reset that
// tests call to start from the state the program has before it sets them.

#include <QString>

// The database folder (registry value DataBase), ending with "/": Comun.mdb,
// the company databases, goala.mdb and the CN folder.
inline QString Folder_BazaDate_Update;
// The program folder of the installed Quorvel (registry value AppPath), as
// Frm_Update shows it; ends with "/" once the update starts.
inline QString Folder_Program_Update;
// The updater's own folder: the unpacked update package.
inline QString Folder_Pachet_Update;

inline void Reseteaza_Globale_Update()
{
    Folder_BazaDate_Update.clear();
    Folder_Program_Update.clear();
    Folder_Pachet_Update.clear();
}
