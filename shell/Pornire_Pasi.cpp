#include "shell/Pornire_Pasi.h"

#include "common/EU_Registrii_Operatii.h"
#include "common/Globale.h"
#include "common/Public_Citeste_Registrii.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Registrii_Setatri_Default.h"
#include "common/User_WorkStation_Name.h"
#include "common/Verifica_Exista_Fisier.h"
#include "platform/sys/file_lock.h"
#include "platform/sys/system.h"
#include "platform/ui/mesaj.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The running-copy locks this copy holds, one in each place of
// Cai_Blocare_Instanta that could hold one.
std::vector<std::unique_ptr<QLockFile>>& blocari()
{
    static std::vector<std::unique_ptr<QLockFile>> b;
    return b;
}

qint64& procesAltaCopie()
{
    static qint64 pid = 0;
    return pid;
}

std::optional<bool>& ecranVazutTest()
{
    static std::optional<bool> v;
    return v;
}

// Held on the program's own executable while it runs, so that the updater
// does not replace it under a running program (of any user).
sys::FileLock& blocareExecutabil()
{
    static sys::FileLock b;
    return b;
}

// A key's default value through the settings store, as text.
db::Result<QString> textValoare(const QString& cheie)
{
    db::Error eroare;
    const db::Variant v = Citeste_Valoare(Return_HKEY(u"HKEY_LOCAL_MACHINE"_s), cheie, QString(), &eroare);
    if (eroare)
        return eroare;
    return v.toText();
}

const QString kFisierBlocare = u"Quorvel.lock"_s;

// The platform name up to its options ("offscreen:size=..."), or the
// first of a list ("wayland;xcb").
QString numePlatforma(QString platforma)
{
    platforma = platforma.section(u';', 0, 0);
    return platforma.section(u':', 0, 0).trimmed().toLower();
}

} // namespace

QStringList Cai_Blocare_Instanta()
{
    QStringList cai;
    const QString cache = sys::userCacheFolder();
    if (!cache.isEmpty())
        cai << cache + u'/' + kFisierBlocare;
    const QString temp = sys::ownTempFolder(u"Quorvel"_s);
    if (!temp.isEmpty())
        cai << temp + u'/' + kFisierBlocare;
    return cai;
}

QString Cale_Blocare_Instanta()
{
    return Cai_Blocare_Instanta().value(0);
}

Blocare_Instanta Blocheaza_Instanta_Unica()
{
    if (blocari().empty()) {
        std::vector<std::unique_ptr<QLockFile>> luate;
        for (const QString& cale : Cai_Blocare_Instanta()) {
            auto b = std::make_unique<QLockFile>(cale);
            b->setStaleLockTime(0); // only a dead owner's lock is stale
            if (b->tryLock(0)) {
                luate.push_back(std::move(b));
                continue;
            }
            if (b->error() == QLockFile::LockFailedError) {
                qint64 pid = 0;
                QString calculator;
                QString aplicatie;
                const bool info = b->getLockInfo(&pid, &calculator, &aplicatie);
                if (info && pid > 0 && calculator == QSysInfo::machineHostName() &&
                    ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                    continue; // a dead copy's lock in a folder that cannot be written: no place here
                procesAltaCopie() = info ? pid : 0;
                return Blocare_Instanta::Alta_Copie; // the locks taken so far go
            }
            // A place that can hold no lock file here (read-only): the
            // other places still tell the copies apart.
        }
        if (luate.empty())
            return Blocare_Instanta::Fara_Loc;
        blocari() = std::move(luate);
    }
    if (!blocareExecutabil().isHeld() && QCoreApplication::instance())
        blocareExecutabil() = sys::holdRunningExecutable(QCoreApplication::applicationFilePath());
    return Blocare_Instanta::Luata;
}

void Elibereaza_Instanta_Unica()
{
    blocari().clear();
    blocareExecutabil().release();
}

qint64 Proces_Alta_Copie()
{
    return procesAltaCopie();
}

QString Text_Ruleaza_Deja()
{
    const std::optional<QString> utilizator = sys::userName();
    QString text = u"Quorvel ruleaza deja pentru utilizatorul "_s +
                   (utilizator ? *utilizator : QString::number(::geteuid()));
    if (procesAltaCopie() > 0)
        text += u" (procesul "_s + QString::number(procesAltaCopie()) + u')';
    return text + u": aceasta pornire se opreste."_s;
}

QString Text_Fara_Loc_Blocare()
{
    return u"Programul nu poate porni: fisierul care arata ca ruleaza nu poate fi creat nici in "_s +
           QDir::homePath() + u"/.cache, nici in "_s + QDir::tempPath() + u"/Quorvel-"_s +
           QString::number(::geteuid()) + u" (folderul nu este al utilizatorului sau nu poate fi scris)."_s;
}

QString Platforma_Ceruta(const QStringList& argumente)
{
    const qsizetype i = argumente.indexOf(u"-platform"_s);
    if (i > 0 && i + 1 < argumente.size())
        return numePlatforma(argumente.at(i + 1));
    return numePlatforma(qEnvironmentVariable("QT_QPA_PLATFORM"));
}

bool Ecran_Nevazut(const QString& platforma)
{
    if (ecranVazutTest())
        return !*ecranVazutTest();
    // The virtual display scripts/run.sh starts where there is none.
    if (!qEnvironmentVariableIsEmpty("QUORVEL_VIRTUAL_DISPLAY"))
        return true;
    const QString nume = numePlatforma(platforma);
    if (nume == u"offscreen" || nume == u"minimal")
        return true;
    return Fara_Afisaj(nume);
}

bool Fara_Afisaj(const QString& platforma)
{
    const QString nume = numePlatforma(platforma);
    const bool x = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (nume.isEmpty())
        return !x && !wayland; // the desktop's own choice of the two
    if (nume.startsWith(u"xcb"))
        return !x;
    if (nume.startsWith(u"wayland"))
        return !wayland;
    return false; // offscreen, minimal, or a screen of its own (eglfs, linuxfb, vnc)
}

QString Text_Fara_Afisaj()
{
    return u"Quorvel nu poate porni: nu are niciun ecran pe care sa se deschida (nu este setata variabila DISPLAY, "
           u"nici WAYLAND_DISPLAY). Porniti programul dintr-o sesiune grafica sau prin ssh -X."_s;
}

std::optional<int> Refuza_Fara_Ecran(Blocare_Instanta blocare, const QString& platforma)
{
    const bool faraAfisaj = !ecranVazutTest() && Fara_Afisaj(platforma);
    if ((blocare == Blocare_Instanta::Luata && !faraAfisaj) || !Ecran_Nevazut(platforma))
        return std::nullopt;
    const QString text = blocare == Blocare_Instanta::Alta_Copie ? Text_Ruleaza_Deja()
                         : blocare == Blocare_Instanta::Fara_Loc ? Text_Fara_Loc_Blocare()
                                                                 : Text_Fara_Afisaj();
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
    return 1;
}

namespace testing {
void Seteaza_Ecran_Vazut(std::optional<bool> vazut)
{
    ecranVazutTest() = vazut;
}
} // namespace testing

db::Error Inregistreaza_Drepturi(bool drepturi)
{
    db::Connection setari;
    if (db::Error e = setari.open(Cale_Baza_Registri()))
        return e;
    const db::Result<qint64> r = setari.execute(
        u"UPDATE [RegTable_Value]"_s + u" SET [Value]='"_s + (drepturi ? u"1"_s : u"0"_s) + u"'"_s +
        u" WHERE [WIN_HKEY_Name]="_s + QString::number(-2147483646) + u" AND [HKEY_Name]='"_s +
        u"SOFTWARE\\VELMORANT\\Quorvel"_s + u"'"_s + u" AND [String]='"_s + u"Drepturi"_s + u"'"_s);
    setari.close();
    if (!r)
        return r.error();
    return {};
}

db::Result<Stare_Initializare> Initializeaza_Aplicatia()
{
    Drepturi_HKLM = Scrie_Registru_Windows(Return_HKEY(u"HKEY_LOCAL_MACHINE"_s),
                                           u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s,
                                           u"Can_Be_Deleted"_s, db::Variant(u"No Value"_s), 1);
    if (db::Error e = Inregistreaza_Drepturi(Drepturi_HKLM))
        return e;

    if (db::Error e = Initializeaza_Registrii_EU())
        return e;
    if (db::Error e = Scrie_Setari_Implicite())
        return e;
    Citeste_Registrii_Culori();
    Citeste_Registrii_Zecimale();
    Citeste_Registrii_FileLocation();

    Cale_Comun = Folder_BazaDate + u"Comun.mdb"_s;
    if (!Exista_Fisier(Cale_Comun)) {
        ui::msgBox(u"EROARE MAJORA, NU EXISTA FISIERUL : "_s + u"\r\n"_s + Cale_Comun, ui::Icon::None,
                   ui::Buttons::Ok);
        return Stare_Initializare::Fara_Comun;
    }

    const db::Result<QString> iexplore =
        textValoare(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"_s);
    if (!iexplore)
        return iexplore.error();
    Cale_IExplore = *iexplore;
    Exista_IExplore = Exista_Fisier(Cale_IExplore);
    const db::Result<QString> acrord =
        textValoare(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\AcroRd32.exe"_s);
    if (!acrord)
        return acrord.error();
    Cale_AcroRd32 = *acrord;
    Exista_AcroRd32 = Exista_Fisier(Cale_AcroRd32);

    Nume_Calculator = Citeste_Nume_Calculator();
    return Stare_Initializare::Gata;
}
