#include "reports/Ferestre_Rapoarte.h"

#include "platform/ui/forms.h"
#include "reports/Frm_Cautare_Selectie.h"
#include "reports/Frm_Report.h"

using namespace Qt::StringLiterals;

void Inregistreaza_Ferestre_Rapoarte()
{
    ui::Forms::registerWindow(u"Frm_Report"_s, [] { return new Frm_Report; });
    ui::Forms::registerWindow(u"Frm_Cautare_Selectie"_s, [] { return new Frm_Cautare_Selectie; });
}
