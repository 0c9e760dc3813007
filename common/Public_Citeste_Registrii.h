#pragma once
// The readers of the settings into the process-wide values. Each value is
// read and converted on its own; a read that fails or a value that does not
// convert leaves its process-wide value as it was.

// Culoare_RandPar, Culoare_RandImpar, Culoare_SelectieText,
// Culoare_SelectieFundal, Culoare_Meniu.
void Citeste_Registrii_Culori();
// Zecimale_Lei, Zecimale_Valuta, Zecimale_Calcule, Zecimale_Taxare (0..255).
void Citeste_Registrii_Zecimale();
// Folder_BazaDate, Folder_Sistem, Folder_DefinitiiRapoarte,
// Folder_Salvare_XML, taken as stored.
void Citeste_Registrii_FileLocation();
