#include "declaration/Frm_bara_progres.h"

#include "platform/ui/twips.h"

#include <QLabel>
#include <QProgressBar>

using namespace Qt::StringLiterals;

Frm_bara_progres::Frm_bara_progres(QWidget* parent) : ui::Fereastra(u"Frm_bara_progres"_s, QString(), parent)
{
    setFixedSize(ui::twipsToSize(8550, 945));
    Bara_Titlu = new QLabel(this);
    Bara_Titlu->setObjectName(u"Bara_Titlu"_s);
    Bara_Titlu->setGeometry(ui::twipsToRect(120, 120, 8295, 255));
    Bara_Progres = new QProgressBar(this);
    Bara_Progres->setObjectName(u"Bara_Progres"_s);
    Bara_Progres->setGeometry(ui::twipsToRect(120, 480, 8295, 255));
    Bara_Progres->setRange(0, 100);
    Bara_Progres->setValue(0);
    seteazaNumeAccesibile();
}

void Frm_bara_progres::Arata(const QString& titlu, int procent)
{
    Bara_Titlu->setText(titlu);
    Bara_Progres->setValue(procent);
    Bara_Titlu->repaint();
    Bara_Progres->repaint();
}
