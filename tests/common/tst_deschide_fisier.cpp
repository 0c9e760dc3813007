// A file handed to the program that shows it: the program's exit status is
// waited for, and a file nothing could open is said with its full path.

#include "Deschizator_Test.h"
#include "common/Deschide_Fisier.h"
#include "platform/ui/mesaj.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/types.h>

using namespace Qt::StringLiterals;

class TestDeschideFisier : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ui::testing::setEnabled(true); }
    void init() { ui::testing::clear(); }

    void raspunsulProgramului_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<int>("cod");
        QTest::addColumn<QString>("motiv"); // empty: opened
        QTest::newRow("opened") << u"xdg-open"_s << 0 << QString();
        QTest::newRow("nothing opens that kind")
            << u"xdg-open"_s << 3
            << u"Nu este instalat niciun program care sa deschida acest fel de fisier (xdg-open, codul 3)."_s;
        QTest::newRow("no such file") << u"xdg-open"_s << 2
                                      << u"Fisierul nu exista sau nu poate fi citit (xdg-open, codul 2)."_s;
        QTest::newRow("the opener's program failed")
            << u"xdg-open"_s << 4 << u"Programul care trebuia sa deschida fisierul nu a reusit (xdg-open, codul 4)."_s;
        QTest::newRow("a viewer of the settings") << u"cititor"_s << 1 << u"Programul %1 s-a incheiat cu codul 1."_s;
    }

    // The box names the file whole and says why; an opened file shows none.
    void raspunsulProgramului()
    {
        QFETCH(QString, nume);
        QFETCH(int, cod);
        QFETCH(QString, motiv);
        const QTemporaryDir dir;
        Deschizator_Test program(dir.path() + u"/bin"_s, cod, nume);
        QVERIFY(program.ok());
        if (motiv.contains(u"%1"_s))
            motiv = motiv.arg(program.cale());
        const QString fisier = dir.path() + u"/Rapoarte/PDF/Declaratie 12_A.pdf"_s;

        QCOMPARE(Porneste_Deschiderea(program.cale(), {fisier}),
                 motiv.isEmpty() ? std::nullopt : std::optional<QString>(motiv));
        QCOMPARE(Deschide_Fisier(program.cale(), fisier), motiv.isEmpty());
        QCOMPARE(program.fisiere(), QStringList({fisier, fisier}));
        const QList<ui::testing::Call> m = ui::testing::messages();
        if (motiv.isEmpty()) {
            QVERIFY(m.isEmpty());
            return;
        }
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].text, u"Fisierul nu a putut fi deschis:\r\n"_s + fisier + u"\r\n"_s + motiv);
        QCOMPARE(m[0].icon, ui::Icon::Exclamation);
        QCOMPARE(m[0].buttons, ui::Buttons::Ok);
    }

    // By name the program is looked up on PATH; one that is not there says so.
    void programulLipseste()
    {
        const QTemporaryDir dir;
        Deschizator_Test program(dir.path() + u"/bin"_s, 3);
        QVERIFY(program.ok());
        QVERIFY(Porneste_Deschiderea(u"xdg-open"_s, {u"/tmp/a.xlsx"_s}));
        QCOMPARE(program.fisiere(), QStringList{u"/tmp/a.xlsx"_s});
        QCOMPARE(Porneste_Deschiderea(dir.path() + u"/nu-exista"_s, {u"/tmp/a.xlsx"_s}),
                 std::optional<QString>(u"Programul "_s + dir.path() + u"/nu-exista nu poate fi pornit."_s));
    }

    // An opener that runs the viewer in its own place answers only when the
    // viewer closes: the wait ends, the file counts as opened, and the
    // viewer goes on running.
    void vizualizatorulRamaneDeschis()
    {
        const QTemporaryDir dir;
        const QString pid = dir.path() + u"/pid"_s;
        Deschizator_Test program(dir.path() + u"/bin"_s, 0, u"xdg-open"_s, u"echo $$ > '%1'; exec sleep 60"_s.arg(pid));
        QVERIFY(program.ok());
        QCOMPARE(Porneste_Deschiderea(program.cale(), {u"/tmp/a.pdf"_s}), std::nullopt);
        QFile f(pid);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const pid_t viewer = pid_t(f.readAll().trimmed().toLongLong());
        QVERIFY(viewer > 0);
        QCOMPARE(::kill(viewer, 0), 0); // still running
        ::kill(viewer, SIGKILL);
    }

    // A viewer still open when the program ends stays open: the program's
    // end does not take the user's document away.
    void vizualizatorulRamaneDupaIesire()
    {
        const QTemporaryDir dir;
        const QString pid = dir.path() + u"/pid"_s;
        Deschizator_Test program(dir.path() + u"/bin"_s, 0, u"cititor"_s, u"echo $$ > '%1'; exec sleep 60"_s.arg(pid));
        QVERIFY(program.ok());
        QProcess copil;
        QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
        mediu.insert(u"QUORVEL_DESCHIDE_PROGRAM"_s, program.cale());
        copil.setProcessEnvironment(mediu);
        copil.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(copil.waitForFinished(60000));
        QCOMPARE(copil.exitStatus(), QProcess::NormalExit);
        QCOMPARE(copil.exitCode(), 0);
        QFile f(pid);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const pid_t viewer = pid_t(f.readAll().trimmed().toLongLong());
        QVERIFY(viewer > 0);
        const bool ruleaza = ::kill(viewer, 0) == 0;
        ::kill(viewer, SIGKILL);
        QVERIFY(ruleaza);
    }
};

int main(int argc, char** argv)
{
    // The program that opens a file and ends while its viewer still runs.
    const QString program = qEnvironmentVariable("QUORVEL_DESCHIDE_PROGRAM");
    if (!program.isEmpty()) {
        QCoreApplication app(argc, argv);
        return Porneste_Deschiderea(program, {u"/tmp/a.pdf"_s}) ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    TestDeschideFisier test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_deschide_fisier.moc"
