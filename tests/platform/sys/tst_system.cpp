#include "platform/sys/system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A fresh folder that TMPDIR names for as long as the object lives.
class TemporaryFolder
{
public:
    TemporaryFolder() { qputenv("TMPDIR", QFile::encodeName(m_dir.path())); }
    ~TemporaryFolder() { m_wasSet ? qputenv("TMPDIR", m_before) : qunsetenv("TMPDIR"); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QByteArray m_before = qgetenv("TMPDIR");
    bool m_wasSet = qEnvironmentVariableIsSet("TMPDIR");
    QTemporaryDir m_dir; // made in the temporary folder as it was
};

// What stands at the path before the call: "" nothing, "folder <octal
// mode>" a folder of this user, "file", "link" (to a folder), "foreign" a
// folder of another user (root only).
bool standIn(const TemporaryFolder& temp, const QString& path, const QString& before)
{
    const QByteArray cale = QFile::encodeName(path);
    if (before.startsWith(u"folder "_s))
        return ::mkdir(cale.constData(), 0700) == 0 &&
               ::chmod(cale.constData(), before.mid(7).toUInt(nullptr, 8)) == 0;
    if (before == u"file"_s)
        return QFile(path).open(QIODevice::WriteOnly);
    if (before == u"link"_s)
        return QDir().mkpath(temp.filePath(u"tinta"_s)) && QFile::link(temp.filePath(u"tinta"_s), path);
    if (before == u"foreign"_s)
        return ::mkdir(cale.constData(), 0700) == 0 && ::chown(cale.constData(), 65534, 65534) == 0;
    return before.isEmpty();
}

} // namespace

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
        QTest::addColumn<QString>("before"); // as standIn() makes it
        QTest::addColumn<bool>("named");
        QTest::newRow("missing") << QString() << true;
        QTest::newRow("open folder") << u"folder 755"_s << true;
        QTest::newRow("private folder") << u"folder 700"_s << true;
        QTest::newRow("folder others may write") << u"folder 777"_s << false;
        QTest::newRow("a file") << u"file"_s << false;
    }
    void runtimeFolder()
    {
        QFETCH(QString, before);
        QFETCH(bool, named);
        const TemporaryFolder temp;
        QVERIFY(temp.isValid());
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const bool runtimeSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        sys::testing::setUserName(u"ion"_s);
        const QString folder = temp.filePath(u"runtime-ion"_s);
        const QByteArray cale = QFile::encodeName(folder);
        QVERIFY(standIn(temp, folder, before));

        sys::nameRuntimeFolder();
        const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
        struct stat st;
        const bool made = ::lstat(cale.constData(), &st) == 0;
        // A variable already set is never changed.
        qputenv("XDG_RUNTIME_DIR", "/elsewhere");
        sys::nameRuntimeFolder();
        const QString kept = qEnvironmentVariable("XDG_RUNTIME_DIR");

        runtimeSet ? qputenv("XDG_RUNTIME_DIR", runtime) : qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(kept, u"/elsewhere"_s);
        QVERIFY(made);
        if (named) {
            QCOMPARE(given, folder);
            QVERIFY(S_ISDIR(st.st_mode));
            QCOMPARE(st.st_mode & 07777, 0700u);
        } else {
            QVERIFY(given.isEmpty());
            if (before == u"file"_s) // left as it was
                QVERIFY(S_ISREG(st.st_mode));
            else
                QCOMPARE(st.st_mode & 07777, 0777u);
        }
    }

    // The user's own folder of the temporary folder: made private, or, when
    // something not this user's alone stands at its name, a new one that the
    // rest of the run keeps; what stood there is left as it was.
    void userTempFolder_data()
    {
        QTest::addColumn<QString>("before"); // as standIn() makes it
        QTest::addColumn<bool>("used");
        QTest::newRow("missing") << QString() << true;
        QTest::newRow("own folder others may read") << u"folder 755"_s << true;
        QTest::newRow("own folder others may write") << u"folder 777"_s << false;
        QTest::newRow("a file") << u"file"_s << false;
        QTest::newRow("a link to a folder") << u"link"_s << false;
        if (::geteuid() == 0) // only root can give a folder to another user
            QTest::newRow("another user's folder") << u"foreign"_s << false;
    }
    void userTempFolder()
    {
        QFETCH(QString, before);
        QFETCH(bool, used);
        const TemporaryFolder temp;
        QVERIFY(temp.isValid());
        const QString named = temp.filePath(u"Lucru-"_s + QString::number(::geteuid()));
        const QByteArray cale = QFile::encodeName(named);
        QVERIFY(standIn(temp, named, before));
        struct stat was;
        const bool stood = ::lstat(cale.constData(), &was) == 0;

        const QString folder = sys::userTempFolder(u"Lucru"_s);
        QCOMPARE(sys::userTempFolder(u"Lucru"_s), folder);
        if (used) {
            QCOMPARE(folder, named);
        } else {
            QVERIFY(folder.startsWith(named + u'-'));
            QCOMPARE(QFileInfo(folder).dir().path(), temp.path());
            struct stat now;
            QCOMPARE(::lstat(cale.constData(), &now), 0); // left as it was
            QVERIFY(stood);
            QCOMPARE(now.st_mode, was.st_mode);
            QCOMPARE(now.st_uid, was.st_uid);
        }
        struct stat st;
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &st), 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_uid, ::geteuid());
        QCOMPARE(st.st_mode & 07777, 0700u);
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
