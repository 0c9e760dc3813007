// Window layouts in twips for the font in use: a text that fitted its twips
// in the design font fits them in the font in use, smaller or larger; a
// font no larger than that one keeps the twips' own pixels.

#include "platform/grid/units.h"
#include "platform/ui/twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

class TestTwips : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QApplication::setFont(m_font); }

    void textsThatFittedFit_data()
    {
        QTest::addColumn<int>("points");
        for (int points : {6, 8, 9, 11, 14, 20})
            QTest::addRow("%dpt", points) << points;
    }

    void textsThatFittedFit()
    {
        QFETCH(int, points);
        const QFont font(QStringLiteral("DejaVu Sans"), points);
        QApplication::setFont(font);
        const QFontMetrics fm(font);
        // The Windows font wrote the sample number in 63 pixels, on lines
        // 13 pixels high (15 twips to the pixel).
        const int sample = fm.horizontalAdvance(QLatin1String(grid::kWidthSample));
        QVERIFY2(ui::twipsToPixelsX(63 * 15) >= sample, qPrintable(QString::number(sample)));
        QVERIFY(ui::twipsToPixelsY(13 * 15) >= fm.height());
        // Never narrower than the twips' own pixels.
        QVERIFY(ui::twipsToPixelsX(1440) >= 96);
        QVERIFY(ui::twipsToPixelsY(1440) >= 96);
        if (sample <= 63 && fm.height() <= 13)
            QCOMPARE(ui::twipsToSize(1440, 720), QSize(96, 48));
        // A rectangle keeps the places of its parts.
        const QRect r = ui::twipsToRect(1200, 600, 2400, 300);
        QCOMPARE(r.topLeft(), QPoint(ui::twipsToPixelsX(1200), ui::twipsToPixelsY(600)));
        QCOMPARE(r.size(), ui::twipsToSize(2400, 300));
        // And back, within a pixel.
        for (int twips : {0, 120, 9000, 12000, 20490}) {
            QVERIFY(qAbs(ui::pixelsToTwipsX(ui::twipsToPixelsX(twips)) - twips) <= 15 * ui::twipsScaleX());
            QVERIFY(qAbs(ui::pixelsToTwipsY(ui::twipsToPixelsY(twips)) - twips) <= 15 * ui::twipsScaleY());
        }
    }

private:
    QFont m_font = QApplication::font();
};

QTEST_MAIN(TestTwips)
#include "tst_twips.moc"
