#include "common/Efecte_Grafice.h"

#include <QEvent>
#include <QObject>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <algorithm>

namespace {

// Paints the bevel over the window's background each time it repaints, so
// that the drawing survives like the persistent drawing it stands for.
class PictorFundal : public QObject
{
public:
    PictorFundal(QWidget* fereastra, Umbre_Fundal umbre) : QObject(fereastra), m_umbre(umbre)
    {
        setObjectName(numeObiect());
    }

    static QString numeObiect() { return QStringLiteral("_Fundal_3D"); }

    void seteazaUmbre(Umbre_Fundal umbre) { m_umbre = umbre; }

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override
    {
        if (eveniment->type() == QEvent::Paint) {
            auto* fereastra = static_cast<QWidget*>(obiect);
            QPainter pictor(fereastra);
            for (const Figura_Fundal& f : Figuri_Fundal_3D(fereastra->width(), fereastra->height())) {
                pictor.setPen(f.deschisa ? m_umbre.deschisa : m_umbre.inchisa);
                pictor.setBrush(Qt::NoBrush);
                if (f.tip == Figura_Fundal::Tip::Dreptunghi)
                    pictor.drawRect(QRect(f.de, f.la));
                else
                    pictor.drawLine(f.de, f.la);
            }
        }
        return QObject::eventFilter(obiect, eveniment);
    }

private:
    Umbre_Fundal m_umbre;
};

int componenta(int valoare)
{
    return std::clamp(valoare, 0, 255);
}

} // namespace

Umbre_Fundal Umbre_Fundal_3D(int rosu, int verde, int albastru, int pas)
{
    return {QColor(componenta(rosu + pas), componenta(verde + pas), componenta(albastru + pas)),
            QColor(componenta(rosu - pas), componenta(verde - pas), componenta(albastru - pas))};
}

QList<Figura_Fundal> Figuri_Fundal_3D(int w, int h)
{
    using T = Figura_Fundal::Tip;
    return {
        {T::Dreptunghi, {2, 2}, {w - 2, h - 2}, true}, {T::Linie, {w - 2, 2}, {w - 2, h - 1}, false},
        {T::Linie, {1, h - 2}, {w - 2, h - 2}, false}, {T::Dreptunghi, {5, 5}, {w - 5, h - 5}, false},
        {T::Linie, {w - 5, 6}, {w - 5, h - 4}, true},  {T::Linie, {5, h - 5}, {w - 5, h - 5}, true},
    };
}

void Efect_Fundal_3D(QWidget* fereastra, std::int16_t rosu, std::int16_t verde, std::int16_t albastru,
                     std::int16_t pas)
{
    if (!fereastra)
        return;
    QPalette paleta = fereastra->palette();
    paleta.setColor(QPalette::Window, QColor(componenta(rosu), componenta(verde), componenta(albastru)));
    fereastra->setPalette(paleta);
    fereastra->setAutoFillBackground(true);

    const Umbre_Fundal umbre = Umbre_Fundal_3D(rosu, verde, albastru, pas);
    auto* pictor = static_cast<PictorFundal*>(
        fereastra->findChild<QObject*>(PictorFundal::numeObiect(), Qt::FindDirectChildrenOnly));
    if (pictor) {
        pictor->seteazaUmbre(umbre);
    } else {
        pictor = new PictorFundal(fereastra, umbre);
        fereastra->installEventFilter(pictor);
    }
    fereastra->update();
}
