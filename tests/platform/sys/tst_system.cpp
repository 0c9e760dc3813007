#include "platform/sys/system.h"

#include <QTest>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestSystem : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { sys::testing::reset(); }

    void parseRelease_data()
    {
        QTest::addColumn<QString>("release");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::newRow("debian") << u"6.1.0-18-amd64"_s << 6 << 1;
        QTest::newRow("two parts") << u"5.10"_s << 5 << 10;
        QTest::newRow("major only") << u"7-custom"_s << 7 << 0;
        QTest::newRow("no numbers") << u"unknown"_s << 0 << 0;
    }
    void parseRelease()
    {
        QFETCH(QString, release);
        QFETCH(int, major);
        QFETCH(int, minor);
        const sys::OsVersion v = sys::parseRelease(u"Linux"_s, release);
        QCOMPARE(v.major, major);
        QCOMPARE(v.minor, minor);
        QCOMPARE(v.release, release);
        QCOMPARE(v.sysname, u"Linux"_s);
    }

    void realQueriesAnswer()
    {
        const auto os = sys::osVersion();
        QVERIFY(os);
        QCOMPARE(os->sysname, u"Linux"_s);
        QVERIFY(os->major > 0);

        char host[256] = {};
        QCOMPARE(gethostname(host, sizeof host - 1), 0);
        QCOMPARE(sys::hostName(), std::optional<QString>(QString::fromLocal8Bit(host)));

        const auto user = sys::userName();
        QVERIFY(user);
        QVERIFY(!user->isEmpty());

        const QString sep = sys::decimalSeparator();
        QCOMPARE(sep.size(), 1);
    }

    void overridesReplaceAndFail()
    {
        sys::testing::setUserName(std::nullopt);
        sys::testing::setHostName(u"statie"_s);
        sys::testing::setOsVersion(std::nullopt);
        sys::testing::setDecimalSeparator(u","_s);
        QVERIFY(!sys::userName());
        QCOMPARE(sys::hostName(), std::optional<QString>(u"statie"_s));
        QVERIFY(!sys::osVersion());
        QCOMPARE(sys::decimalSeparator(), u","_s);

        sys::testing::reset();
        QVERIFY(sys::userName());
        QVERIFY(sys::osVersion());
    }
};

QTEST_GUILESS_MAIN(TestSystem)
#include "tst_system.moc"
