#include "shell/Frm_Inceput.h"

#include "platform/ui/twips.h"
#include "shell/Twips.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

Frm_Inceput::Frm_Inceput(QWidget* parent)
    : ui::Fereastra(QStringLiteral("Frm_Inceput"), QStringLiteral("Quorvel"), parent)
{
    auto* eticheta = new QLabel(QStringLiteral("Se initializea aplicatia . . . . ."), this);
    eticheta->setObjectName(QStringLiteral("Label1"));
    eticheta->setAlignment(Qt::AlignCenter);
    QFont font = eticheta->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    eticheta->setFont(font);
    auto* asezare = new QVBoxLayout(this);
    asezare->addWidget(eticheta);
    seteazaNumeAccesibile();
}

void Frm_Inceput::Form_Load()
{
    setFixedSize(ui::twipsToSize(7035, 5490));
    Centreaza_Pe_Ecran(this);
}
