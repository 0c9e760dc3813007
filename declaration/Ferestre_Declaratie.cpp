#include "declaration/Ferestre_Declaratie.h"

#include "declaration/Ecran_Verificare_Ferestre.h"
#include "declaration/Frm_INTRASTAT.h"
#include "declaration/Frm_Intrastat_Selectie.h"
#include "declaration/Frm_Recalculare_ValStat.h"
#include "platform/ui/forms.h"

using namespace Qt::StringLiterals;

void Inregistreaza_Ferestre_Declaratie()
{
    ui::Forms::registerWindow(u"Frm_Intrastat_Selectie"_s, [] { return new Frm_Intrastat_Selectie; });
    ui::Forms::registerWindow(u"Frm_INTRASTAT"_s, [] { return new Frm_INTRASTAT; });
    ui::Forms::registerWindow(u"Frm_Recalculare_ValStat"_s, [] { return new Frm_Recalculare_ValStat; });
    Inregistreaza_Ferestre_Verificare();
}
