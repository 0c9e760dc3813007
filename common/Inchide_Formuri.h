#pragma once
// Closing the program's windows as a group.

#include <QString>

// Unloads every loaded window whose name equals neither of the two names
// (compared without regard to case), each through its own unload routine.
// A window whose routine refuses stays loaded and the others are still
// processed; false tells the caller that one stayed (its routine said why).
// The calling window may be among those unloaded: it is destroyed only after
// its handler has returned.
bool Inchide_Formuri_Exceptand(const QString& pastreaza1, const QString& pastreaza2);
