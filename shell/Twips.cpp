#include "shell/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void Centreaza_Pe_Ecran(QWidget* fereastra)
{
    if (!fereastra)
        return;
    QScreen* ecran = fereastra->screen() ? fereastra->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    QRect cadru = fereastra->frameGeometry();
    cadru.moveCenter(ecran->availableGeometry().center());
    fereastra->move(cadru.topLeft());
}
