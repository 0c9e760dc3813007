#pragma once
// The windows of the reports, registered by name.

// Frm_Report and Frm_Cautare_Selectie.
void Inregistreaza_Ferestre_Rapoarte();
