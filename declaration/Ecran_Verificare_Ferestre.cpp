#include "declaration/Ecran_Verificare_Ferestre.h"

#include "declaration/Frm_Intrastat_Probleme.h"
#include "declaration/Frm_bara_progres.h"
#include "platform/ui/forms.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

const QString kProgres = u"Frm_bara_progres"_s;
const QString kProbleme = u"Frm_Intrastat_Probleme"_s;

} // namespace

void Inregistreaza_Ferestre_Verificare()
{
    ui::Forms::registerWindowIfAbsent(kProgres, [] { return new Frm_bara_progres; });
    ui::Forms::registerWindowIfAbsent(kProbleme, [] { return new Frm_Intrastat_Probleme; });
}

Ecran_Verificare_Ferestre::Ecran_Verificare_Ferestre(std::function<void()> reimprospateaza)
    : m_reimprospateaza(std::move(reimprospateaza))
{
    Inregistreaza_Ferestre_Verificare();
}

void Ecran_Verificare_Ferestre::Deschide_Progres()
{
    ui::Forms::unload(kProgres);
    ui::Forms::show(kProgres);
    m_progres = ui::Forms::get<Frm_bara_progres>(kProgres);
    // Lets the new window reach the screen; clicks are not taken meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Ecran_Verificare_Ferestre::Inchide_Progres()
{
    ui::Forms::unload(kProgres);
    m_progres = nullptr;
}

void Ecran_Verificare_Ferestre::Progres(const QString& titlu, int procent)
{
    if (m_progres)
        m_progres->Arata(titlu, procent);
}

void Ecran_Verificare_Ferestre::Reimprospateaza_Grila()
{
    if (m_reimprospateaza)
        m_reimprospateaza();
}

void Ecran_Verificare_Ferestre::Arata_Probleme()
{
    if (auto* deschisa = ui::Forms::get<Frm_Intrastat_Probleme>(kProbleme))
        deschisa->Incarca_Jurnal();
    ui::Forms::show(kProbleme);
}
