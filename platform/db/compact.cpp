// Compaction: VACUUM INTO a work copy, check it, replace the original.

#include "platform/db/internal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace db {

using detail::makeError;
using detail::sqliteError;

namespace {

Error runOn(sqlite3* h, const QString& sql, QString* firstValue = nullptr)
{
    const QByteArray u = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(h, u.constData(), int(u.size()), &st, nullptr);
    if (rc != SQLITE_OK) {
        Error e = sqliteError(h, rc);
        sqlite3_finalize(st);
        return e;
    }
    rc = sqlite3_step(st);
    if (rc == SQLITE_ROW && firstValue)
        *firstValue = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(st);
    Error e = rc == SQLITE_DONE ? Error() : sqliteError(h, rc);
    sqlite3_finalize(st);
    return e;
}

Error ioError(const QString& what)
{
    return makeError(Error::Kind::Io, ErrorNumber::General, what);
}

} // namespace

Error Connection::compactDatabase(const QString& path, const QString& workCopy)
{
    const QFileInfo src(path);
    if (!src.isFile())
        return makeError(Error::Kind::FileNotFound, ErrorNumber::General,
                         QStringLiteral("Could not find file '%1'.").arg(path));
    const QString original = src.absoluteFilePath();
    // Replacing the file under another process's connection would leave
    // that connection on the old file, and its next write failing.
    const Result<std::shared_ptr<detail::UseHold>> alone = detail::holdDatabase(original, true);
    if (!alone)
        return alone.error();
    for (const char* suffix : {"-journal", "-wal"})
        if (QFileInfo::exists(original + QString::fromLatin1(suffix)))
            return makeError(
                Error::Kind::Busy, ErrorNumber::General,
                QStringLiteral("'%1' has a '%2' file beside it: it is in use or was not closed cleanly.")
                    .arg(path, QString::fromLatin1(suffix)));
    const QFileInfo work(workCopy);
    const QString target = work.absoluteFilePath();
    if (target == original)
        return makeError(Error::Kind::InvalidArgument, ErrorNumber::General,
                         QStringLiteral("The work copy cannot be the database itself."));
    if (!work.absoluteDir().exists())
        return ioError(QStringLiteral("The work folder '%1' does not exist.").arg(work.absolutePath()));
    if (work.exists() && !QFile::remove(target))
        return ioError(QStringLiteral("Cannot remove the old work copy '%1'.").arg(workCopy));

    // 1. The compacted copy.
    {
        sqlite3* h = nullptr;
        const QByteArray file = original.toUtf8();
        int rc = sqlite3_open_v2(file.constData(), &h, SQLITE_OPEN_READONLY, nullptr);
        if (rc != SQLITE_OK) {
            Error e = sqliteError(h, rc, QStringLiteral("Cannot open '%1'").arg(path));
            sqlite3_close_v2(h);
            return e;
        }
        sqlite3_busy_timeout(h, 5000);
        Error e = runOn(h, QStringLiteral("VACUUM INTO ") + quoted(target));
        sqlite3_close_v2(h);
        if (e) {
            QFile::remove(target);
            e.description = QStringLiteral("Compaction of '%1' failed: %2").arg(path, e.description);
            return e;
        }
    }
    // 2. The copy must be sound.
    {
        sqlite3* h = nullptr;
        const QByteArray file = target.toUtf8();
        int rc = sqlite3_open_v2(file.constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        QString verdict;
        Error e = rc == SQLITE_OK ? runOn(h, QStringLiteral("PRAGMA integrity_check"), &verdict)
                                  : sqliteError(h, rc, QStringLiteral("Cannot open '%1'").arg(workCopy));
        if (!e)
            e = runOn(h, QStringLiteral("PRAGMA journal_mode=DELETE"));
        sqlite3_close_v2(h);
        if (!e && verdict != u"ok")
            e = makeError(
                Error::Kind::Io, ErrorNumber::General,
                QStringLiteral("The compacted copy of '%1' failed its check: %2").arg(path, verdict));
        if (e) {
            QFile::remove(target);
            return e;
        }
    }
    // 3. Replace the original in one rename from a side file beside it.
    const QString side = original + QStringLiteral(".compact-new");
    QFile::remove(side);
    if (!QFile::copy(target, side)) {
        QFile::remove(side);
        return ioError(QStringLiteral("Cannot write '%1'.").arg(side));
    }
    if (QFileInfo(side).size() != QFileInfo(target).size()) {
        QFile::remove(side);
        return ioError(QStringLiteral("The copy '%1' is incomplete.").arg(side));
    }
    if (std::rename(QFile::encodeName(side).constData(), QFile::encodeName(original).constData()) != 0) {
        QFile::remove(side);
        return ioError(QStringLiteral("Cannot replace '%1'.").arg(path));
    }
    return Error();
}

Error Connection::compact(const QString& path, const QString& workFolder)
{
    return compactDatabase(path, QDir(workFolder).filePath(QFileInfo(path).fileName()));
}

} // namespace db
