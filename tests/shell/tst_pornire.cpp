#include "Arbore_Test.h"
#include "platform/sys/file_lock.h"
#include "platform/ui/twips.h"
#include "shell/Frm_Selectie_Firma.h"
#include "shell/Pornire.h"
#include "shell/Pornire_Pasi.h"

#include <QComboBox>
#include <QLabel>
#include <QLockFile>
#include <QScopeGuard>
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

    void aDouaCopie()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QLockFile alta(Cale_Blocare_Instanta());
        QVERIFY(alta.tryLock(0));

        QCOMPARE(Main(), std::optional<int>(0));
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].text, u"Aplicatia ruleaza deja !"_s);
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        QCOMPARE(m[0].title, std::nullopt);
        QVERIFY(ui::Forms::openNames().isEmpty());
        QCOMPARE(valoareDrepturi(a), u"0"_s); // nothing written
    }

    void aDouaPornireInAcelasiProces()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QVERIFY(Blocheaza_Instanta_Unica());
        QVERIFY(Blocheaza_Instanta_Unica()); // the lock is this copy's own
        QLockFile alta(Cale_Blocare_Instanta());
        QVERIFY(!alta.tryLock(0));
        // The updater sees the running program through its executable.
        QVERIFY(sys::isExecutableRunning(QCoreApplication::applicationFilePath()));
        Elibereaza_Instanta_Unica();
        QVERIFY(alta.tryLock(0));
        QVERIFY(!sys::isExecutableRunning(QCoreApplication::applicationFilePath()));
    }

    // Without a runtime folder the lock goes to the user's own folder of the
    // temporary folder, never to the temporary folder every user shares.
    void blocareFaraFolderRuntime()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(a.cale(u"lipsa"_s)));
        const QString cale = Cale_Blocare_Instanta();
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(Cale_Blocare_Instanta(), cale);
        QCOMPARE(cale, QDir::tempPath() + u"/Quorvel-"_s + QString::number(::geteuid()) + u"/Quorvel.lock"_s);
        QVERIFY(Blocheaza_Instanta_Unica());
        QVERIFY(QFile::exists(cale));
    }

    // Where the name in the temporary folder is not this user's alone (here
    // a folder anyone may write into), every run takes the same lock in the
    // home folder's cache, so that a second copy still meets the first.
    void blocareCandNumeleEsteAltcuiva()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QString folder = QDir::tempPath() + u"/Quorvel-"_s + QString::number(::geteuid());
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
        const QByteArray acasa = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(a.cale(u"acasa"_s)));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(a.cale(u"lipsa"_s)));
        const auto inapoi = qScopeGuard([&] {
            qputenv("HOME", acasa);
            qunsetenv("XDG_RUNTIME_DIR");
            QFile::setPermissions(folder, QFileDevice::Permissions(0x7700));
        });
        const QString cale = Cale_Blocare_Instanta();
        QCOMPARE(cale, a.cale(u"acasa"_s) + u"/.cache/Quorvel.lock"_s);
        QCOMPARE(Cale_Blocare_Instanta(), cale);
        QVERIFY(Blocheaza_Instanta_Unica());
        QLockFile alta(cale);
        QVERIFY(!alta.tryLock(0));
        Elibereaza_Instanta_Unica();
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
