#include "platform/sys/clock.h"

#include <QTest>

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { sys::Clock::reset(); }

    void fixedMomentIsReturnedUntilReset()
    {
        const QDateTime moment(QDate(2024, 2, 29), QTime(23, 59, 58));
        sys::Clock::set(moment);
        QVERIFY(sys::Clock::isFixed());
        QCOMPARE(sys::Clock::now(), moment);
        QCOMPARE(sys::Clock::today(), QDate(2024, 2, 29));

        sys::Clock::reset();
        QVERIFY(!sys::Clock::isFixed());
        // Back on the system clock: today is the system's date (or, across
        // midnight, the one after the date read just before).
        const QDate before = QDate::currentDate();
        const QDate today = sys::Clock::today();
        QVERIFY(today == before || today == before.addDays(1));
    }

    void invalidMomentMeansSystemClock()
    {
        sys::Clock::set(QDateTime());
        QVERIFY(!sys::Clock::isFixed());
        QVERIFY(sys::Clock::now().isValid());
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
