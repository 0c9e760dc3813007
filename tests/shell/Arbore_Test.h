#pragma once
// A fresh copy of the seeded program folder for one test, with the program
// folder, the registry files and the runtime folder pointed at it, the
// message boxes answered by the test, and the process-wide values reset.

#include "common/Globale.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class Arbore_Test
{
public:
    Arbore_Test()
    {
        const QString sursa = qEnvironmentVariable("QUORVEL_SEED_TREE");
        m_ok = !sursa.isEmpty() && QDir(sursa).exists() && m_dir.isValid() && copiaza(sursa, radacina());
        qputenv("QUORVEL_PROGRAM_DIR", radacina().toUtf8());
        qputenv("QUORVEL_REGISTRY_DIR", (radacina() + QStringLiteral("/Registry")).toUtf8());
        qputenv("XDG_RUNTIME_DIR", radacina().toUtf8());
        qunsetenv("QUORVEL_REGISTRY_READONLY");
        reseteaza();
        Folder_BazaDate = folderBazaDate();
        Folder_Sistem = radacina() + QStringLiteral("/System/");
        Cale_Comun = Folder_BazaDate + QStringLiteral("Comun.mdb");
        ui::testing::setEnabled(true);
        ui::testing::clear();
    }
    ~Arbore_Test()
    {
        ui::Forms::unloadAllForTests();
        reseteaza();
        ui::testing::clear();
    }
    Arbore_Test(const Arbore_Test&) = delete;
    Arbore_Test& operator=(const Arbore_Test&) = delete;

    bool ok() const { return m_ok; }
    QString radacina() const { return m_dir.path(); }
    QString folderBazaDate() const { return radacina() + QStringLiteral("/System/DataBase/"); }
    QString cale(const QString& relativ) const { return radacina() + u'/' + relativ; }

    // A connection of the test's own to one of the tree's databases.
    db::Connection deschide(const QString& relativ) const
    {
        db::Connection c;
        const db::Error e = c.open(cale(relativ));
        if (e)
            qWarning("%s", qPrintable(e.text()));
        return c;
    }

    // The texts of the message boxes shown so far, in order.
    static QStringList mesaje()
    {
        QStringList t;
        for (const ui::testing::Call& c : ui::testing::messages())
            t << c.text;
        return t;
    }

private:
    static void reseteaza()
    {
        Reseteaza_Globale_Firma();
        Reseteaza_Globale_Sistem();
        Reseteaza_Globale_Setari();
    }

    static bool copiaza(const QString& de, const QString& la)
    {
        QDirIterator it(de, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString sursa = it.next();
            const QString tinta = la + sursa.mid(de.size());
            if (it.fileInfo().isDir()) {
                if (!QDir().mkpath(tinta))
                    return false;
            } else if (!QFile::copy(sursa, tinta)) {
                return false;
            }
        }
        return true;
    }

    QTemporaryDir m_dir;
    bool m_ok = false;
};

#define VERIFICA_ARBORE(a)                                                                                   \
    do {                                                                                                     \
        if (!(a).ok())                                                                                       \
            QFAIL("the seeded program folder (QUORVEL_SEED_TREE) could not be copied");                      \
    } while (false)
