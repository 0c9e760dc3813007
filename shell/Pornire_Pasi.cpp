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
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QLockFile>& blocare()
{
    static std::unique_ptr<QLockFile> b;
    return b;
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

} // namespace

QString Cale_Blocare_Instanta()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = sys::ownTempFolder(u"Quorvel"_s);
    // Where another user holds that name, the cache folder of the user's
    // home: a folder made for this run alone would let a second copy run.
    if (folder.isEmpty()) {
        folder = QDir::home().filePath(u".cache"_s);
        if (!QDir().mkpath(folder))
            folder = QDir::homePath();
    }
    return QDir(folder).filePath(u"Quorvel.lock"_s);
}

bool Blocheaza_Instanta_Unica()
{
    if (blocare() && blocare()->isLocked())
        return true;
    auto b = std::make_unique<QLockFile>(Cale_Blocare_Instanta());
    b->setStaleLockTime(0); // only a dead owner's lock is stale
    if (!b->tryLock(0))
        return false;
    blocare() = std::move(b);
    blocareExecutabil() = sys::holdRunningExecutable(QCoreApplication::applicationFilePath());
    return true;
}

void Elibereaza_Instanta_Unica()
{
    blocare().reset();
    blocareExecutabil().release();
}

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
