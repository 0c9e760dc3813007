#pragma once
// The windows of the reports, registered by name.

// Frm_Report.
void Inregistreaza_Ferestre_Rapoarte();
