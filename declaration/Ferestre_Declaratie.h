#pragma once
// The windows of the declaration, registered by name.

// Frm_Intrastat_Selectie, Frm_INTRASTAT and Frm_Recalculare_ValStat.
void Inregistreaza_Ferestre_Declaratie();
