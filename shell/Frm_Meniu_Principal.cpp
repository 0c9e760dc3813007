#include "shell/Frm_Meniu_Principal.h"

#include <QLabel>
#include <QVBoxLayout>

Frm_Meniu_Principal::Frm_Meniu_Principal(QWidget* parent)
    : ui::Fereastra(QStringLiteral("Frm_Meniu_Principal"), QStringLiteral("Quorvel"), parent)
{
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    auto* asezare = new QVBoxLayout(this);
    asezare->addStretch();
    asezare->addWidget(Label2);
    resize(800, 600);
    seteazaNumeAccesibile();
}
