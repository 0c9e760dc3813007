#pragma once
// The program folder, the one place every path of the installation derives
// from.

#include <QString>

// The folder of the running executable, without a trailing "/".
// QUORVEL_PROGRAM_DIR, when set, names another folder (tests point it at a
// copy of the installation).
QString Folder_Program();
