#include "platform/sys/system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
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

    // Without XDG_RUNTIME_DIR the variable names a private folder of the
    // user in the temporary folder; what stands there already decides
    // whether it can be used.
    void runtimeFolder_data()
    {
        QTest::addColumn<QString>("before"); // "", "folder 0755", "folder 0700", "file"
        QTest::addColumn<bool>("named");
        QTest::newRow("missing") << QString() << true;
        QTest::newRow("open folder") << u"folder 0755"_s << true;
        QTest::newRow("private folder") << u"folder 0700"_s << true;
        QTest::newRow("a file") << u"file"_s << false;
    }
    void runtimeFolder()
    {
        QFETCH(QString, before);
        QFETCH(bool, named);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QByteArray tmpdir = qgetenv("TMPDIR");
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const bool tmpdirSet = qEnvironmentVariableIsSet("TMPDIR");
        const bool runtimeSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        sys::testing::setUserName(u"ion"_s);
        const QString folder = temp.filePath(u"runtime-ion"_s);
        const QByteArray cale = QFile::encodeName(folder);
        if (before.startsWith(u"folder"_s))
            QCOMPARE(::mkdir(cale.constData(), before.endsWith(u"0700"_s) ? 0700 : 0755), 0);
        else if (before == u"file"_s)
            QVERIFY(QFile(folder).open(QIODevice::WriteOnly));

        sys::nameRuntimeFolder();
        const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
        struct stat st;
        const bool made = ::lstat(cale.constData(), &st) == 0;
        // A variable already set is never changed.
        qputenv("XDG_RUNTIME_DIR", "/elsewhere");
        sys::nameRuntimeFolder();
        const QString kept = qEnvironmentVariable("XDG_RUNTIME_DIR");

        tmpdirSet ? qputenv("TMPDIR", tmpdir) : qunsetenv("TMPDIR");
        runtimeSet ? qputenv("XDG_RUNTIME_DIR", runtime) : qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(kept, u"/elsewhere"_s);
        QVERIFY(made);
        if (named) {
            QCOMPARE(given, folder);
            QVERIFY(S_ISDIR(st.st_mode));
            QCOMPARE(st.st_mode & 07777, 0700u);
        } else {
            QVERIFY(given.isEmpty());
            QVERIFY(S_ISREG(st.st_mode));
        }
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
