#pragma once
// A program folder of its own for a settings test: the seeded settings
// database and the seeded HKEY_LOCAL_MACHINE file copied into a temporary
// folder, the program and registry folders pointed there.

#include "common/Globale.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class Instalare_Setari
{
public:
    QString program;  // the program folder
    QString registru; // the registry folder
    QString hklm() const { return registru + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"); }
    QString regMdb() const { return program + QStringLiteral("/System/Registry/reg.mdb"); }

    // Lays out the folders; false (after a test failure) when the seeded
    // tree lacks a file.
    bool pregateste(bool peRegistru, const QString& numeProgram = QStringLiteral("app"))
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        if (!m_tmp->isValid())
            return false;
        registru = m_tmp->path() + QStringLiteral("/registry");
        if (!muta(numeProgram))
            return false;
        const QString seed = qEnvironmentVariable("QUORVEL_SEED_TREE");
        if (!QDir().mkpath(registru) ||
            !QFile::copy(seed + QStringLiteral("/Registry/HKEY_LOCAL_MACHINE.reg"), hklm())) {
            qWarning("the seeded tree %s lacks Registry/HKEY_LOCAL_MACHINE.reg", qPrintable(seed));
            return false;
        }
        qputenv("QUORVEL_REGISTRY_DIR", QFile::encodeName(registru));
        qunsetenv("QUORVEL_REGISTRY_READONLY");
        qputenv("HOME", QFile::encodeName(m_tmp->path() + QStringLiteral("/home")));
        Reseteaza_Globale_Setari();
        Drepturi_HKLM = peRegistru;
        ui::testing::setEnabled(true);
        ui::testing::clear();
        return true;
    }

    // A program folder of another name with the seeded settings database
    // (or, with pastreaza, the current one carried along), as when the
    // program moves.
    bool muta(const QString& numeProgram, bool pastreaza = false)
    {
        const QString nou = m_tmp->path() + u'/' + numeProgram;
        const QString sursa = pastreaza ? regMdb()
                                        : qEnvironmentVariable("QUORVEL_SEED_TREE") +
                                              QStringLiteral("/System/Registry/reg.mdb");
        if (!QDir().mkpath(nou + QStringLiteral("/System/Registry")) ||
            !QFile::copy(sursa, nou + QStringLiteral("/System/Registry/reg.mdb"))) {
            qWarning("cannot copy %s", qPrintable(sursa));
            return false;
        }
        QFile::setPermissions(nou + QStringLiteral("/System/Registry/reg.mdb"),
                              QFile::ReadOwner | QFile::WriteOwner);
        program = nou;
        qputenv("QUORVEL_PROGRAM_DIR", QFile::encodeName(program));
        return true;
    }

    QString radacina() const { return m_tmp->path(); }

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
};
