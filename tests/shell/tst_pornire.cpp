#include "Arbore_Test.h"
#include "platform/sys/file_lock.h"
#include "platform/sys/system.h"
#include "platform/ui/twips.h"
#include "shell/Frm_Selectie_Firma.h"
#include "shell/Pornire.h"
#include "shell/Pornire_Pasi.h"

#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSysInfo>
#include <QPushButton>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QString valoareDrepturi(const Arbore_Test& a)
{
    db::Connection reg = a.deschide(u"System/Registry/reg.mdb"_s);
    const auto rs = reg.openRecordset(u"SELECT [Value] FROM [RegTable_Value] WHERE [String]='Drepturi'"_s);
    if (!rs || rs->eof())
        return u"<none>"_s;
    return rs->value(0).toText();
}

qint64 numar(db::Connection c, const QString& sql)
{
    const auto rs = c.openRecordset(sql);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

} // namespace

class TestPornire : public QObject
{
    Q_OBJECT
private slots:
    void init() { Inregistreaza_Ferestre_Pornire(); }
    void cleanup() { Elibereaza_Instanta_Unica(); }

    void aDouaCopie_data()
    {
        QTest::addColumn<bool>("vazut");
        QTest::newRow("on a desktop") << true;
        QTest::newRow("where nobody sees the screen") << false;
    }

    // On a desktop a second copy says so in a box and ends; where nobody
    // could press the box's OK it ends at once, with a failure (what it says
    // goes to the terminal). It writes nothing either way.
    void aDouaCopie()
    {
        QFETCH(bool, vazut);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        testing::Seteaza_Ecran_Vazut(vazut);
        const auto inapoi = qScopeGuard([] { testing::Seteaza_Ecran_Vazut(std::nullopt); });
        QLockFile alta(Cale_Blocare_Instanta());
        QVERIFY(alta.tryLock(0));

        QCOMPARE(Main(), std::optional<int>(vazut ? 0 : 1));
        const QList<ui::testing::Call> m = ui::testing::messages();
        if (vazut) {
            QCOMPARE(m.size(), 1);
            QCOMPARE(m[0].text, u"Aplicatia ruleaza deja !"_s);
            QCOMPARE(m[0].icon, ui::Icon::Critical);
            QCOMPARE(m[0].title, std::nullopt);
        } else {
            QVERIFY(m.isEmpty());
        }
        QVERIFY(ui::Forms::openNames().isEmpty());
        QCOMPARE(valoareDrepturi(a), u"0"_s); // nothing written
        QCOMPARE(Proces_Alta_Copie(), QCoreApplication::applicationPid());
        QVERIFY(Text_Ruleaza_Deja().contains(
            u"Quorvel ruleaza deja pentru utilizatorul %1 (procesul %2)"_s.arg(
                sys::userName().value_or(QString()), QString::number(QCoreApplication::applicationPid()))));
    }

    void aDouaPornireInAcelasiProces()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Luata);
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Luata); // the locks are this copy's own
        for (const QString& cale : Cai_Blocare_Instanta()) {
            QLockFile alta(cale);
            QVERIFY2(!alta.tryLock(0), qPrintable(cale));
        }
        // The updater sees the running program through its executable.
        QVERIFY(sys::isExecutableRunning(QCoreApplication::applicationFilePath()));
        Elibereaza_Instanta_Unica();
        for (const QString& cale : Cai_Blocare_Instanta()) {
            QLockFile alta(cale);
            QVERIFY2(alta.tryLock(0), qPrintable(cale));
        }
        QVERIFY(!sys::isExecutableRunning(QCoreApplication::applicationFilePath()));
    }

    // The lock files lie where every copy of the user meets them, whatever
    // its runtime folder: with one, with another, or with none.
    void aceleasiBlocariInOriceMediu()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QStringList cai{
            QDir::homePath() + u"/.cache/Quorvel.lock"_s,
            QDir::tempPath() + u"/Quorvel-"_s + QString::number(::geteuid()) + u"/Quorvel.lock"_s};
        QCOMPARE(Cai_Blocare_Instanta(), cai);
        QCOMPARE(Cale_Blocare_Instanta(), cai.first());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(Cai_Blocare_Instanta(), cai);
        QVERIFY(QDir().mkpath(a.cale(u"alt-runtime"_s)));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(a.cale(u"alt-runtime"_s)));
        QCOMPARE(Cai_Blocare_Instanta(), cai);
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Luata);
        for (const QString& cale : cai)
            QVERIFY(QFile::exists(cale));
    }

    void locuriNepotrivite_data()
    {
        QTest::addColumn<bool>("acasa");   // the home's cache folder is the user's own
        QTest::addColumn<bool>("temporar"); // the name in the temporary folder is the user's own
        QTest::newRow("another user holds the name in the temporary folder") << true << false;
        QTest::newRow("no cache folder in the home") << false << true;
        QTest::newRow("neither") << false << false;
    }

    // A place that is not the user's alone is left out; the other still
    // meets every copy. Where there is none, the program says so instead of
    // running unguarded, or of saying that it runs already.
    void locuriNepotrivite()
    {
        QFETCH(bool, acasa);
        QFETCH(bool, temporar);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        testing::Seteaza_Ecran_Vazut(true);
        const QString folder = QDir::tempPath() + u"/Quorvel-"_s + QString::number(::geteuid());
        QVERIFY(QDir().mkpath(folder));
        if (!temporar) // a folder anyone may write into
            QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
        const QByteArray home = qgetenv("HOME");
        QVERIFY(QDir().mkpath(a.cale(u"acasa"_s)));
        if (!acasa) // the cache is no folder there
            QVERIFY(QFile(a.cale(u"acasa/.cache"_s)).open(QIODevice::WriteOnly));
        qputenv("HOME", QFile::encodeName(a.cale(u"acasa"_s)));
        const auto inapoi = qScopeGuard([&] {
            qputenv("HOME", home);
            QFile::setPermissions(folder, QFileDevice::Permissions(0x7700));
            testing::Seteaza_Ecran_Vazut(std::nullopt);
        });
        QStringList cai;
        if (acasa)
            cai << a.cale(u"acasa/.cache/Quorvel.lock"_s);
        if (temporar)
            cai << folder + u"/Quorvel.lock"_s;
        QCOMPARE(Cai_Blocare_Instanta(), cai);
        QCOMPARE(Cale_Blocare_Instanta(), cai.value(0));
        if (cai.isEmpty()) {
            QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Fara_Loc);
            QCOMPARE(Main(), std::optional<int>(1));
            const QList<ui::testing::Call> m = ui::testing::messages();
            QCOMPARE(m.size(), 1);
            QCOMPARE(m[0].text, Text_Fara_Loc_Blocare());
            QVERIFY(m[0].text.contains(a.cale(u"acasa/.cache"_s)));
            QVERIFY(m[0].text.contains(folder));
            QCOMPARE(valoareDrepturi(a), u"0"_s);
            return;
        }
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Luata);
        QLockFile alta(cai.first());
        QVERIFY(!alta.tryLock(0));
        Elibereaza_Instanta_Unica();
        QVERIFY(alta.tryLock(0));
        // A second copy meets it there.
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Alta_Copie);
    }

    // A copy that died left its lock in a cache folder that can no longer be
    // written (a home made read-only): the lock cannot be taken over there,
    // and it is no running copy. The place is left out; the temporary
    // folder's still meets every copy.
    void blocareMoartaDeNesters()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QByteArray home = qgetenv("HOME");
        const QString cache = a.cale(u"acasa/.cache"_s);
        QVERIFY(QDir().mkpath(cache));
        qputenv("HOME", QFile::encodeName(a.cale(u"acasa"_s)));
        QProcess mort;
        mort.start(u"true"_s, QStringList());
        QVERIFY(mort.waitForStarted());
        const qint64 pid = mort.processId();
        QVERIFY(mort.waitForFinished());
        QFile blocare(cache + u"/Quorvel.lock"_s);
        QVERIFY(blocare.open(QIODevice::WriteOnly));
        blocare.write(QString(QString::number(pid) + u'\n' + QCoreApplication::applicationName() + u'\n' +
                              QSysInfo::machineHostName() + u'\n')
                          .toUtf8());
        blocare.close();
        QVERIFY(QFile::setPermissions(cache, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        if (::geteuid() == 0) // root writes anywhere but where the folder is made immutable
            QProcess::execute(u"chattr"_s, {u"+i"_s, cache});
        const auto inapoi = qScopeGuard([&] {
            if (::geteuid() == 0)
                QProcess::execute(u"chattr"_s, {u"-i"_s, cache});
            QFile::setPermissions(cache, QFileDevice::Permissions(0x7700));
            qputenv("HOME", home);
        });
        if (QFile(cache + u"/proba"_s).open(QIODevice::WriteOnly))
            QSKIP("the cache folder cannot be made unwritable here (chattr refused)");
        QCOMPARE(Blocheaza_Instanta_Unica(), Blocare_Instanta::Luata);
        const QString temporar =
            QDir::tempPath() + u"/Quorvel-"_s + QString::number(::geteuid()) + u"/Quorvel.lock"_s;
        QLockFile alta(temporar);
        QVERIFY(!alta.tryLock(0));
    }

    void ecranNevazut_data()
    {
        QTest::addColumn<QString>("platforma");
        QTest::addColumn<QString>("x11");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<QString>("virtuala"); // what scripts/run.sh sets under Xvfb
        QTest::addColumn<bool>("nevazut");
        QTest::newRow("X11 with its display") << u"xcb"_s << u":0"_s << QString() << QString() << false;
        QTest::newRow("X11 without a display") << u"xcb"_s << QString() << u"wayland-0"_s << QString() << true;
        QTest::newRow("Wayland with its display") << u"wayland"_s << QString() << u"wayland-0"_s << QString() << false;
        QTest::newRow("Wayland without a display") << u"wayland"_s << u":0"_s << QString() << QString() << true;
        QTest::newRow("the default, an X11 display") << QString() << u":0"_s << QString() << QString() << false;
        QTest::newRow("the default, a Wayland display") << QString() << QString() << u"wayland-0"_s << QString() << false;
        QTest::newRow("the default, no display") << QString() << QString() << QString() << QString() << true;
        QTest::newRow("offscreen") << u"offscreen"_s << u":0"_s << QString() << QString() << true;
        QTest::newRow("offscreen with options") << u"offscreen:configfile=/x/e.json"_s << u":0"_s << QString() << QString() << true;
        QTest::newRow("minimal") << u"minimal"_s << u":0"_s << QString() << QString() << true;
        QTest::newRow("run.sh's virtual display") << u"xcb"_s << u":99"_s << QString() << u"1"_s << true;
        QTest::newRow("a screen of its own") << u"linuxfb"_s << QString() << QString() << QString() << false;
    }

    void ecranNevazut()
    {
        QFETCH(QString, platforma);
        QFETCH(QString, x11);
        QFETCH(QString, wayland);
        QFETCH(QString, virtuala);
        QFETCH(bool, nevazut);
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray waylandDisplay = qgetenv("WAYLAND_DISPLAY");
        const auto inapoi = qScopeGuard([&] {
            display.isNull() ? qunsetenv("DISPLAY") : qputenv("DISPLAY", display);
            waylandDisplay.isNull() ? qunsetenv("WAYLAND_DISPLAY") : qputenv("WAYLAND_DISPLAY", waylandDisplay);
            qunsetenv("QUORVEL_VIRTUAL_DISPLAY");
        });
        const auto pune = [](const char* nume, const QString& valoare) {
            valoare.isEmpty() ? qunsetenv(nume) : qputenv(nume, valoare.toUtf8());
        };
        pune("DISPLAY", x11);
        pune("WAYLAND_DISPLAY", wayland);
        pune("QUORVEL_VIRTUAL_DISPLAY", virtuala);
        QCOMPARE(Ecran_Nevazut(platforma), nevazut);
    }

    // The platform asked for: the argument before the environment, its
    // first name, without options.
    void platformaCeruta()
    {
        const QByteArray inainte = qgetenv("QT_QPA_PLATFORM");
        const auto inapoi = qScopeGuard([&] { qputenv("QT_QPA_PLATFORM", inainte); });
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
        QCOMPARE(Platforma_Ceruta({u"Quorvel"_s}), u"wayland"_s);
        QCOMPARE(Platforma_Ceruta({u"Quorvel"_s, u"-platform"_s, u"offscreen:size=1366x768"_s}), u"offscreen"_s);
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=/x/ecran.json");
        QCOMPARE(Platforma_Ceruta({u"Quorvel"_s}), u"offscreen"_s);
        qunsetenv("QT_QPA_PLATFORM");
        QCOMPARE(Platforma_Ceruta({u"Quorvel"_s}), QString());
    }

    void douaProcese_data()
    {
        QTest::addColumn<bool>("primulCuRuntime"); // the first copy has a runtime folder, the second not
        QTest::addColumn<QString>("platforma");    // the second's QT_QPA_PLATFORM ("" unset)
        QTest::addColumn<QString>("display");      // the second's DISPLAY
        QTest::addColumn<bool>("virtuala");         // scripts/run.sh's virtual display
        QTest::newRow("the first with a runtime folder") << true << u"offscreen"_s << QString() << false;
        QTest::newRow("the second with a runtime folder") << false << u"offscreen"_s << QString() << false;
        QTest::newRow("the second with no display at all") << true << QString() << QString() << false;
        QTest::newRow("the second on the virtual display") << true << u"xcb"_s << u":9999"_s << true;
    }

    // Two copies of the program itself, one started with a runtime folder and
    // one without: the second ends at once with a failure, saying in the
    // terminal that Quorvel runs already (where nobody sees the screen), and
    // the first keeps running; once the first is gone its lock is free.
    void douaProcese()
    {
        QFETCH(bool, primulCuRuntime);
        QFETCH(QString, platforma);
        QFETCH(QString, display);
        QFETCH(bool, virtuala);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QString program = a.cale(u"Quorvel"_s);
        QVERIFY(QFileInfo(program).isExecutable());
        const QString runtime = a.cale(u"runtime"_s);
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner));
        QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
        mediu.remove(u"XDG_RUNTIME_DIR"_s);
        QProcessEnvironment cuRuntime = mediu;
        cuRuntime.insert(u"XDG_RUNTIME_DIR"_s, runtime);

        QProcess primul;
        primul.setProcessEnvironment(primulCuRuntime ? cuRuntime : mediu);
        primul.setProgram(program);
        primul.setStandardOutputFile(QProcess::nullDevice());
        primul.setStandardErrorFile(QProcess::nullDevice());
        primul.start();
        QVERIFY(primul.waitForStarted(10000));
        const auto opreste = qScopeGuard([&] {
            primul.kill();
            primul.waitForFinished(10000);
        });
        // Running once it holds the lock (read without taking it).
        QVERIFY(QTest::qWaitFor(
            [&] {
                qint64 pid = 0;
                QString calculator;
                QString aplicatie;
                return QLockFile(Cale_Blocare_Instanta()).getLockInfo(&pid, &calculator, &aplicatie) &&
                       pid == primul.processId();
            },
            60000));

        QProcessEnvironment alDoilea = primulCuRuntime ? mediu : cuRuntime;
        platforma.isEmpty() ? alDoilea.remove(u"QT_QPA_PLATFORM"_s)
                            : alDoilea.insert(u"QT_QPA_PLATFORM"_s, platforma);
        alDoilea.remove(u"WAYLAND_DISPLAY"_s);
        display.isEmpty() ? alDoilea.remove(u"DISPLAY"_s) : alDoilea.insert(u"DISPLAY"_s, display);
        if (virtuala)
            alDoilea.insert(u"QUORVEL_VIRTUAL_DISPLAY"_s, u"1"_s);
        QProcess doi;
        doi.setProcessEnvironment(alDoilea);
        doi.start(program, QStringList());
        QVERIFY(doi.waitForFinished(60000));
        const QString spus = QString::fromLocal8Bit(doi.readAllStandardError());
        QCOMPARE(doi.exitStatus(), QProcess::NormalExit);
        QCOMPARE(doi.exitCode(), 1);
        QVERIFY2(spus.contains(u"Quorvel ruleaza deja pentru utilizatorul "_s), qPrintable(spus));
        QVERIFY2(spus.contains(u"(procesul "_s + QString::number(primul.processId()) + u')'), qPrintable(spus));
        QCOMPARE(primul.state(), QProcess::Running);

        primul.kill();
        QVERIFY(primul.waitForFinished(10000));
        for (const QString& cale : Cai_Blocare_Instanta()) {
            QLockFile dupa(cale);
            QVERIFY2(dupa.tryLock(0), qPrintable(cale)); // a dead copy's lock is taken over
        }
    }

    // The program started with no display at all and no other copy: it says
    // so in the terminal, in Romanian, and ends with status 1, not with Qt's
    // own abort.
    void faraAfisaj()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QProcessEnvironment mediu = QProcessEnvironment::systemEnvironment();
        for (const QString& v : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"QUORVEL_VIRTUAL_DISPLAY"_s})
            mediu.remove(v);
        QProcess p;
        p.setProcessEnvironment(mediu);
        p.start(a.cale(u"Quorvel"_s), QStringList());
        QVERIFY(p.waitForFinished(60000));
        const QString spus = QString::fromLocal8Bit(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(spus.trimmed(), Text_Fara_Afisaj());
        // Its lock went with it.
        for (const QString& cale : Cai_Blocare_Instanta()) {
            QLockFile dupa(cale);
            QVERIFY2(dupa.tryLock(0), qPrintable(cale));
        }
    }

    void pornireCuRegistruScriibil()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Main(), std::nullopt);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u" | "_s)));
        QVERIFY(Drepturi_HKLM);
        QCOMPARE(valoareDrepturi(a), u"1"_s);

        QFile hklm(a.cale(u"Registry/HKEY_LOCAL_MACHINE.reg"_s));
        QVERIFY(hklm.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(hklm.readAll()).contains(u"\"Can_Be_Deleted\"=\"No Value\""_s));

        QCOMPARE(Cale_Comun, a.folderBazaDate() + u"Comun.mdb"_s);
        QCOMPARE(Folder_BazaDate, a.folderBazaDate());
        QVERIFY(!Cale_IExplore.isEmpty());
        QCOMPARE(Exista_IExplore, QFile::exists(Cale_IExplore));
        QCOMPARE(Exista_AcroRd32, QFile::exists(Cale_AcroRd32));
        QVERIFY(!Nume_Calculator.isEmpty());
        QCOMPARE(ui::Forms::openNames(), QStringList{u"Frm_Selectie_Firma"_s});
    }

    void pornireFaraDrepturi()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        qputenv("QUORVEL_REGISTRY_READONLY", "HKEY_LOCAL_MACHINE");
        QCOMPARE(Main(), std::nullopt);
        qunsetenv("QUORVEL_REGISTRY_READONLY");
        QVERIFY(!Drepturi_HKLM);
        QCOMPARE(valoareDrepturi(a), u"0"_s);
        // The settings went to the settings database.
        db::Connection reg = a.deschide(u"System/Registry/reg.mdb"_s);
        QVERIFY(numar(reg, u"SELECT COUNT(*) FROM [RegTable_Value] WHERE [HKEY_Name] LIKE '%Culori'"_s) >= 5);
        // The viewers were looked up there too (the install seeds them).
        QVERIFY(!Cale_IExplore.isEmpty());
        QCOMPARE(ui::Forms::openNames(), QStringList{u"Frm_Selectie_Firma"_s});
    }

    void faraRandDrepturiSiFaraVizualizatoare()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        {
            db::Connection reg = a.deschide(u"System/Registry/reg.mdb"_s);
            QVERIFY(reg.execute(
                u"DELETE FROM [RegTable_Value] WHERE [String]='Drepturi' OR [HKEY_Name] LIKE '%App Paths%'"_s));
        }
        qputenv("QUORVEL_REGISTRY_READONLY", "HKEY_LOCAL_MACHINE");
        QCOMPARE(Main(), std::nullopt);
        qunsetenv("QUORVEL_REGISTRY_READONLY");
        QCOMPARE(valoareDrepturi(a), u"<none>"_s); // no row is inserted
        QCOMPARE(Cale_IExplore, QString());
        QCOMPARE(Cale_AcroRd32, QString());
        QVERIFY(!Exista_IExplore);
        QVERIFY(!Exista_AcroRd32);
        QCOMPARE(ui::Forms::openNames(), QStringList{u"Frm_Selectie_Firma"_s});
    }

    void faraComun()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QVERIFY(QFile::remove(a.folderBazaDate() + u"Comun.mdb"_s));
        QCOMPARE(Main(), std::nullopt);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].text,
                 u"EROARE MAJORA, NU EXISTA FISIERUL : \r\n"_s + a.folderBazaDate() + u"Comun.mdb"_s);
        QCOMPARE(m[0].icon, ui::Icon::None);
        QCOMPARE(m[0].buttons, ui::Buttons::Ok);
        QCOMPARE(m[0].title, std::nullopt);
        QCOMPARE(ui::Forms::openNames(), QStringList{u"Frm_Inceput"_s});
        QVERIFY(!Conexiune_Comun.isOpen());

        // The start-up window can be closed, which leaves no window.
        QVERIFY(ui::Forms::get(u"Frm_Inceput"_s)->close() || !ui::Forms::isLoaded(u"Frm_Inceput"_s));
        QVERIFY(ui::Forms::openNames().isEmpty());
    }

    void bazaSetarilorLipsa()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QVERIFY(QFile::remove(a.cale(u"System/Registry/reg.mdb"_s)));
        QCOMPARE(Main(), std::optional<int>(1));
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].text.startsWith(u"EROARE : "_s), qPrintable(m[0].text));
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
    }

    void delaPornireLaFereastraPrincipala()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Main(), std::nullopt);
        auto* selectie = ui::Forms::get<Frm_Selectie_Firma>(u"Frm_Selectie_Firma"_s);
        QVERIFY(selectie);
        QCOMPARE(selectie->Cmb_Firma->currentText(), u"FIRMA DEMONSTRATIVA SRL"_s);
        selectie->CmdOK->click();
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u" | "_s)));
        QCOMPARE(ui::Forms::openNames(), QStringList{u"Frm_Meniu_Principal"_s});
        QCOMPARE(ui::Forms::get(u"Frm_Meniu_Principal"_s)->findChild<QLabel*>(u"Label2"_s)->text(),
                 u"Firma selectata: FIRMA DEMONSTRATIVA SRL"_s);
        QVERIFY(Conexiune_Comun.isOpen());
        QVERIFY(Conexiune_Firma.isOpen());
    }

    void fereastraDePornire()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        auto* f = ui::Forms::load(u"Frm_Inceput"_s);
        QVERIFY(f);
        QCOMPARE(f->findChild<QWidget*>(u"Label1"_s)->property("text").toString(),
                 u"Se initializea aplicatia . . . . ."_s);
        QCOMPARE(f->size(), ui::twipsToSize(7035, 5490));
    }
};

QTEST_MAIN(TestPornire)
#include "tst_pornire.moc"
