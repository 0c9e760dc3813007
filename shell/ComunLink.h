#pragma once
// The register link inside the company database (module ComunLink).

// Replaces the linked table Firme of the working company's database
// (Cale_Firma) by a link to Firme of Comun.mdb in the current database folder
// (Folder_BazaDate), in one transaction: when anything fails the old link is
// kept. A local table named Firme is never dropped: it blocks the link. A
// failure shows "Eroare - Creare Link DateComune" and gives false.
bool Creare_Link_Firme();
