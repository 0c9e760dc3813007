#include "shell/Imagini_Program.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// A rounded dark red square with a white "Q".
QPixmap emblema(int latura)
{
    QPixmap p(latura, latura);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(80, 0, 10));
    g.setPen(Qt::NoPen);
    g.drawRoundedRect(QRectF(0, 0, latura, latura), latura / 6.0, latura / 6.0);
    QFont f(u"Sans Serif"_s);
    f.setBold(true);
    f.setPixelSize(latura * 2 / 3);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRect(0, 0, latura, latura), Qt::AlignCenter, u"Q"_s);
    return p;
}

} // namespace

QIcon Icoana_Program()
{
    QIcon icoana;
    for (int latura : {16, 32, 48, 64})
        icoana.addPixmap(emblema(latura));
    return icoana;
}

QPixmap Imagine_Logo(const QSize& marime)
{
    const int latura = qMax(1, qMin(marime.width(), marime.height()));
    QPixmap p(marime);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.drawPixmap((marime.width() - latura) / 2, (marime.height() - latura) / 2, emblema(latura));
    return p;
}

QPixmap Imagine_Fundal(const QSize& marime)
{
    QPixmap p(marime);
    QPainter g(&p);
    QLinearGradient gradient(0, 0, 0, marime.height());
    gradient.setColorAt(0, QColor(235, 240, 250));
    gradient.setColorAt(1, QColor(190, 205, 235));
    g.fillRect(p.rect(), gradient);
    QFont f(u"Sans Serif"_s);
    f.setBold(true);
    f.setPixelSize(qMax(12, marime.height() / 6));
    g.setFont(f);
    g.setPen(QColor(60, 80, 140));
    g.drawText(p.rect(), Qt::AlignCenter, u"Quorvel\nIntrastat"_s);
    return p;
}
