#pragma once
// A copy of the seeded program folder with the updater's folders pointed at
// it, the installed executable replaced by a small file carrying a version
// record, and an update package built in a temporary folder.

#include "shell/Arbore_Test.h"
#include "updater/Globale_Update.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

class Mediu_Actualizare
{
public:
    Mediu_Actualizare()
    {
        Reseteaza_Globale_Update();
        Folder_BazaDate_Update = arbore.folderBazaDate();
        Folder_Program_Update = arbore.radacina() + u'/';
        Folder_Pachet_Update = m_pachet.path() + u'/';
        m_ok = arbore.ok() && m_pachet.isValid() &&
               scrieFisier(arbore.cale(QStringLiteral("Quorvel")), executabil(QStringLiteral("2.3.0.0")));
    }
    ~Mediu_Actualizare() { Reseteaza_Globale_Update(); }
    Mediu_Actualizare(const Mediu_Actualizare&) = delete;
    Mediu_Actualizare& operator=(const Mediu_Actualizare&) = delete;

    bool ok() const { return m_ok; }
    QString pachet(const QString& relativ) const { return m_pachet.filePath(relativ); }

    // An executable file (a shell script) that carries a version record, or
    // none for an empty version.
    static QByteArray executabil(const QString& versiune)
    {
        QByteArray octeti = "#!/bin/sh\nexit 0\n";
        if (!versiune.isEmpty())
            octeti += QByteArray("QUORVEL_FILE_") + "VERSION=" + versiune.toLatin1() + '\0';
        return octeti + QByteArray(64, 'x');
    }

    // Writes a file whole, making its folder; executable when it is one.
    static bool scrieFisier(const QString& cale, const QByteArray& octeti)
    {
        QDir().mkpath(QFileInfo(cale).absolutePath());
        QFile f(cale);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octeti) != octeti.size())
            return false;
        f.close();
        if (octeti.startsWith("#!"))
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                             QFileDevice::ExeOther);
        return true;
    }

    static QByteArray citeste(const QString& cale)
    {
        QFile f(cale);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool scriePachet(const QString& relativ, const QByteArray& octeti) const
    {
        return scrieFisier(pachet(relativ), octeti);
    }

    static inline const QByteArray kGrila = "SELECT TIP,Cod_Fiscal,Anul,Luna FROM INTRASTAT\r\n";

    // The package the tests start from: two common scripts and a third whose
    // name ends in "sql" without a dot, a file that is no script, two company
    // scripts (the first ending with its separator), the executable of the
    // version given ("" for none), the grid query file and two tariff
    // databases.
    bool scriePachetComplet(const QString& versiuneExe) const
    {
        bool ok =
            scriePachet(QStringLiteral("SQL/Comun/01_tabel.sql"),
                        "CREATE TABLE Actualizare_Comun (Cod TEXT(10) COLLATE NOCASE PRIMARY KEY)") &&
            scriePachet(QStringLiteral("SQL/Comun/02_rand.SQL"),
                        "INSERT INTO Actualizare_Comun (Cod) VALUES ('A')\r\n") &&
            scriePachet(QStringLiteral("SQL/Comun/03_randsql"),
                        "INSERT INTO Actualizare_Comun (Cod) VALUES ('B')") &&
            scriePachet(QStringLiteral("SQL/Comun/citeste.txt"), "this is no SQL") &&
            scriePachet(QStringLiteral("SQL/DB/01_coloane.sql"),
                        "ALTER TABLE Intrastat ADD COLUMN Nou TEXT(20)\r\nGO\r\n"
                        "CREATE TABLE Versiune_DB (Nr INTEGER)\r\nGO\r\n"
                        "INSERT INTO Versiune_DB (Nr) VALUES (1)\r\nGO\r\n") &&
            scriePachet(QStringLiteral("SQL/DB/02_rand.sql"), "INSERT INTO Versiune_DB (Nr) VALUES (2)") &&
            scriePachet(QStringLiteral("SYSTEM/SQL/Intrastat.txt"), kGrila);
        ok = ok && scriePachet(QStringLiteral("EXE/Quorvel"), executabil(versiuneExe));
        QDir().mkpath(pachet(QStringLiteral("Tarif")));
        for (const QString& nume : {QStringLiteral("CN2026.mdb"), QStringLiteral("CN2027.mdb")}) {
            const QString cale = pachet(QStringLiteral("Tarif/") + nume);
            db::Connection c;
            ok = ok && !db::Connection::createDatabase(cale) && !c.open(cale) &&
                 c.execute(QStringLiteral("CREATE TABLE Tarif_Nou (Cod TEXT(8))"));
        }
        return ok;
    }

    Arbore_Test arbore;

private:
    QTemporaryDir m_pachet;
    bool m_ok = false;
};

#define VERIFICA_MEDIU(m)                                                                                    \
    do {                                                                                                     \
        if (!(m).ok())                                                                                       \
            QFAIL("the seeded program folder or the package folder could not be made");                      \
    } while (false)
