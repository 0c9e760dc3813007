// The use locks of database files between the program's processes.

#include "platform/db/internal.h"
#include "platform/sys/file_lock.h"

#include <QFileInfo>
#include <QMutex>

namespace db::detail {

namespace {

// How long an open waits for a compaction or an update of another process
// to end, and how long those wait for a brief use of another process.
constexpr int kSharedWaitMs = 5000;
constexpr int kExclusiveWaitMs = 1000;

// One lock per file and process: a second lock of the same process on the
// same file would be dropped with the first on file systems whose locks
// belong to the process (NFS), and would count as another user elsewhere.
struct Use
{
    sys::FileLock lock;
    int holds = 0;
};

// Both outlive every static: a connection that a process-wide record set
// keeps open is released by the exit's destructors, after these would be gone.
QMutex& registryMutex()
{
    static auto* m = new QMutex;
    return *m;
}

QHash<QString, Use*>& registry()
{
    static auto* r = new QHash<QString, Use*>;
    return *r;
}

QString keyOf(const QString& path)
{
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? fi.absoluteFilePath() : canonical;
}

Error inUse(const QString& path, const QString& by)
{
    return makeError(Error::Kind::Busy, ErrorNumber::General,
                     QStringLiteral("Could not use '%1'; file already in use %2.").arg(path, by));
}

} // namespace

class UseHold
{
public:
    explicit UseHold(QString key) : m_key(std::move(key)) {}
    ~UseHold()
    {
        const QMutexLocker locker(&registryMutex());
        Use* use = registry().value(m_key);
        if (use && --use->holds == 0) {
            registry().remove(m_key);
            delete use; // releases the lock
        }
    }
    UseHold(const UseHold&) = delete;
    UseHold& operator=(const UseHold&) = delete;

private:
    QString m_key;
};

Result<std::shared_ptr<UseHold>> holdDatabase(const QString& path, bool exclusive)
{
    const QString key = keyOf(path);
    const QMutexLocker locker(&registryMutex());
    if (Use* use = registry().value(key)) {
        if (exclusive)
            return inUse(path, QStringLiteral("by another connection of this program"));
        ++use->holds;
        return std::make_shared<UseHold>(key);
    }
    sys::FileLock lock = sys::FileLock::acquire(
        key + QStringLiteral(".lock"), exclusive ? sys::FileLock::Mode::Exclusive : sys::FileLock::Mode::Shared,
        exclusive ? kExclusiveWaitMs : kSharedWaitMs, true);
    if (lock.state() == sys::FileLock::State::Busy)
        return inUse(path, exclusive ? QStringLiteral("by another process of the program")
                                     : QStringLiteral("alone by another process of the program "
                                                      "(a compaction or an update)"));
    // A folder where no lock file can be made (read-only) is used without
    // one: nobody can write or replace a database there either.
    auto* use = new Use{std::move(lock), 1};
    registry().insert(key, use);
    return std::make_shared<UseHold>(key);
}

} // namespace db::detail
