#pragma once
// Databases for the look-up tests, built with the repository's own SQL scripts
// (install/sql) through the database layer, in a temporary database folder.

#include "common/Globale.h"
#include "platform/db/db.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace fixture {

inline QString script(const QString& name)
{
    QFile f(qEnvironmentVariable("QUORVEL_SOURCE_DIR") + QStringLiteral("/install/sql/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// Creates the database from the named scripts, then runs the extra statements.
inline bool makeDatabase(const QString& path, const QStringList& scripts, const QString& extra = QString())
{
    if (db::Connection::createDatabase(path)) {
        qWarning("cannot create %s", qPrintable(path));
        return false;
    }
    db::Connection c;
    if (const db::Error e = c.open(path)) {
        qWarning("%s", qPrintable(e.text()));
        return false;
    }
    for (const QString& s : scripts) {
        const QString text = script(s);
        if (text.isEmpty()) {
            qWarning("missing script %s", qPrintable(s));
            return false;
        }
        if (const db::Error e = c.executeScript(text)) {
            qWarning("%s: %s", qPrintable(s), qPrintable(e.text()));
            return false;
        }
    }
    if (!extra.isEmpty()) {
        if (const db::Error e = c.executeScript(extra)) {
            qWarning("extra: %s", qPrintable(e.text()));
            return false;
        }
    }
    c.close();
    return true;
}

inline QStringList comunScripts()
{
    return {QStringLiteral("comun_schema.sql"), QStringLiteral("comun_tari_monezi.sql"),
            QStringLiteral("comun_judete.sql"), QStringLiteral("comun_orase.sql"), QStringLiteral("comun_seed.sql"),
            QStringLiteral("comun_versiuni.sql")};
}

inline QStringList tarifScripts()
{
    return {QStringLiteral("cn_schema.sql")};
}

// A database folder (ending in "/") with its CN/ folder.
class Folder
{
public:
    Folder()
    {
        m_base = m_dir.path() + QStringLiteral("/DataBase/");
        QDir().mkpath(m_base + QStringLiteral("CN"));
    }
    QString base() const { return m_base; }
    QString cn(const QString& file) const { return m_base + QStringLiteral("CN/") + file; }

private:
    QTemporaryDir m_dir;
    QString m_base;
};

// One HS_8 row in force (AN_END Null unless given).
inline QString hs8(const QString& cod, const QString& ext, const QString& descriere, const QString& um,
                   const QString& anEnd = QStringLiteral("NULL"))
{
    return QStringLiteral(
               "INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, AN_END, HS6_COD) "
               "VALUES ('%1', '%1%2', '%3', %4, 2014, %5, '%6');\n")
        .arg(cod, ext, QString(descriere).replace(u'\'', QStringLiteral("''")),
             um.isEmpty() ? QStringLiteral("NULL") : u'\'' + um + u'\'', anEnd, cod.left(6));
}

} // namespace fixture
