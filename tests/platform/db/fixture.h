#pragma once
// A database made by the layer in a temporary folder, from a schema script.

#include "platform/db/db.h"

#include <QTemporaryDir>
#include <QTest>

namespace dbtest {

// Creates <dir>/<name>, runs the script on it and opens it.
inline db::Connection makeDatabase(const QTemporaryDir& dir, const QString& name, const QString& script)
{
    const QString path = dir.filePath(name);
    db::Connection cn;
    if (const db::Error e = db::Connection::createDatabase(path)) {
        qWarning("%s", qPrintable(e.text()));
        return cn;
    }
    if (const db::Error e = cn.open(path)) {
        qWarning("%s", qPrintable(e.text()));
        return cn;
    }
    if (const db::Error e = cn.executeScript(script))
        qWarning("%s", qPrintable(e.text()));
    return cn;
}

// The first column of the first row as text ("<null>" for Null), or the error.
inline QString scalar(db::Connection& cn, const QString& sql)
{
    auto rs = cn.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs)
        return QStringLiteral("ERROR ") + rs.error().text();
    if (rs->eof())
        return QStringLiteral("<no row>");
    const db::Variant v = rs->value(0);
    return v.isNull() ? QStringLiteral("<null>") : v.toText();
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

} // namespace dbtest
