#pragma once
// A home folder of a test's own: HOME and the XDG folders that Qt and the
// libraries read (settings, caches, data) point into it, so that nothing a
// test does lands in the home of whoever runs the tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace acasa_test {

// Makes the folder (private) and points HOME, XDG_CONFIG_HOME,
// XDG_CACHE_HOME, XDG_DATA_HOME and XDG_STATE_HOME into it. False when the
// folder cannot be made; nothing is changed then.
inline bool Acasa_Proprie(const QString& folder)
{
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    const QByteArray acasa = QFile::encodeName(folder);
    qputenv("HOME", acasa);
    qputenv("XDG_CONFIG_HOME", acasa + "/.config");
    qputenv("XDG_CACHE_HOME", acasa + "/.cache");
    qputenv("XDG_DATA_HOME", acasa + "/.local/share");
    qputenv("XDG_STATE_HOME", acasa + "/.local/state");
    return true;
}

} // namespace acasa_test
