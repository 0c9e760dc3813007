#include "common/BUTOANE.h"

#include "common/Meniu_Culori.h"

#include <QEnterEvent>
#include <QMouseEvent>

ButonPlat::ButonPlat(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setMouseTracking(true);
    setFlat(true);
    seteazaCulori(Culoare_Buton_Text, Culoare_Buton_Fundal);
}

void ButonPlat::seteazaCulori(std::uint32_t text, std::uint32_t fundal)
{
    m_text = text;
    m_fundal = fundal;
    // A button that does nothing says so: grey text on a paler back colour.
    const QColor inactiv =
        QColor::fromRgbF(0.5 * Culoare_Qt(fundal).redF() + 0.45, 0.5 * Culoare_Qt(fundal).greenF() + 0.45,
                         0.5 * Culoare_Qt(fundal).blueF() + 0.45);
    setStyleSheet(QStringLiteral("QPushButton { color: ") + Culoare_Qt(text).name() +
                  QStringLiteral("; background-color: ") + Culoare_Qt(fundal).name() +
                  QStringLiteral("; border: 1px solid gray; padding: 2px 6px; }"
                                 " QPushButton:disabled { color: #8c8c8c; background-color: ") +
                  inactiv.name() + QStringLiteral("; border: 1px solid #c8c8c8; }"));
}

void ButonPlat::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    // A button switched off under the pointer loses its hover look.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        lasaPointerul();
}

bool ButonPlat::event(QEvent* event)
{
    // So does a button whose window another one takes over (a message box,
    // a window its click opens): the pointer goes there, and nothing may
    // tell the button that it left.
    if (event->type() == QEvent::WindowDeactivate)
        lasaPointerul();
    return QPushButton::event(event);
}

void ButonPlat::lasaPointerul()
{
    if (!m_captura)
        return;
    m_captura = false;
    seteazaCulori(Culoare_Buton_Text, Culoare_Buton_Fundal);
}

void ButonPlat::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    Evidentiaza_Buton(this, p.x(), p.y());
    QPushButton::mouseMoveEvent(event);
}

void ButonPlat::enterEvent(QEnterEvent* event)
{
    const QPoint p = event->position().toPoint();
    Evidentiaza_Buton(this, p.x(), p.y());
    QPushButton::enterEvent(event);
}

void ButonPlat::leaveEvent(QEvent* event)
{
    Evidentiaza_Buton(this, -1, -1);
    QPushButton::leaveEvent(event);
}

void Evidentiaza_Buton(ButonPlat* buton, int x, int y, std::uint32_t culoareA, std::uint32_t culoareB)
{
    if (!buton)
        return;
    // A disabled button keeps its look: it takes no pointer.
    const bool afara = x < 0 || y < 0 || x > buton->width() || y > buton->height() || !buton->isEnabled();
    if (afara) {
        buton->seteazaCaptura(false);
        buton->seteazaCulori(culoareB, culoareA);
    } else if (!buton->arePointerul()) {
        buton->seteazaCaptura(true);
        buton->seteazaCulori(culoareA, culoareB);
    }
}

bool Reseteaza_Buton(ButonPlat* buton)
{
    if (!buton)
        return false;
    buton->seteazaCaptura(false);
    buton->seteazaCulori(Culoare_Buton_Text, Culoare_Buton_Fundal);
    if (!buton->isChecked())
        return false;
    buton->setChecked(false);
    Q_EMIT buton->clicked(false);
    return true;
}
