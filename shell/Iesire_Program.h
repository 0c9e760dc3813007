#pragma once
// The end of the program: the other windows closed through their own unload
// routines (any of them may refuse, and the program goes on with that one
// and the main window), the shared connections closed, the two databases
// compacted when they have grown past their limits.

#include <QString>

// Company database compacted from 1001 KB, Comun.mdb from 30001 KB.
inline constexpr int Limita_Compactare_Firma_KB = 1000;
inline constexpr int Limita_Compactare_Comun_KB = 30000;

// The caption of the main window: "Quorvel   versiunea  2.30  --  " + company.
QString Titlu_Meniu_Principal(const QString& firma);

// Everything the program does before it ends, failures skipped; the caller
// ends the program afterwards. False when another window refused to close:
// that window stays, the connections stay open and nothing is compacted,
// but every other window that could close has been closed.
bool Secventa_Iesire();
