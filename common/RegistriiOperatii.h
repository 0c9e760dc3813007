#pragma once
// The operating system's platform and version.

#include <QString>

// The name of a Windows release by its platform id and version (0 Win32s,
// 1 the 95/98/Millennium family, 2 the NT family); "" where the table has
// none.
QString Denumire_Windows(int platformId, int major, int minor);

// name + " version: " + major + "." + minor, the name from Denumire_Windows.
QString Text_Versiune(int platformId, int major, int minor);

// The platform id of the running system: 2 (the NT family) on Linux, and
// sets Text_Versiune_Windows to the system's name + " versiunea " + the
// kernel's major.minor. When the system cannot tell, shows
// "Error Getting Version Information" and returns 0, leaving the text as it was.
qint32 Versiune_Windows();

// The settings store, the other half of this module.
#include "common/RegistriiOperatii_Setari.h"
