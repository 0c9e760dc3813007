#pragma once
// A stand-in for the desktop's opener (xdg-open) or a viewer: a shell script
// in the test's folder that notes the file it was given and ends with the
// exit status it was made with. Its folder comes first on PATH while the
// object lives, so that a program looked up by name finds it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

class Deschizator_Test
{
public:
    // `comenzi`: what the script runs before it ends with `cod` (none: it
    // ends at once).
    Deschizator_Test(const QString& folder, int cod, const QString& nume = QStringLiteral("xdg-open"),
                     const QString& comenzi = QString())
        : m_folder(folder), m_cale(folder + u'/' + nume), m_path(qgetenv("PATH"))
    {
        QDir().mkpath(folder);
        QFile script(m_cale);
        m_ok = script.open(QIODevice::WriteOnly) &&
               script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n%2\nexit %3\n")
                                .arg(primite(), comenzi)
                                .arg(cod)
                                .toUtf8()) > 0;
        script.close();
        m_ok = m_ok && script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(folder) + ':' + m_path);
    }
    ~Deschizator_Test() { qputenv("PATH", m_path); }
    Deschizator_Test(const Deschizator_Test&) = delete;
    Deschizator_Test& operator=(const Deschizator_Test&) = delete;

    bool ok() const { return m_ok; }
    // The script's full path (a viewer's path as the settings hold it).
    QString cale() const { return m_cale; }
    // The files it was given, in order.
    QStringList fisiere() const
    {
        QFile f(primite());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QString primite() const { return m_cale + QStringLiteral(".primite"); }

    QString m_folder;
    QString m_cale;
    QByteArray m_path;
    bool m_ok = false;
};
