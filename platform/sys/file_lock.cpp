#include "platform/sys/file_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {
namespace {

// True when the open file is still the one under the name.
bool sameFile(int fd, const QByteArray& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

} // namespace

FileLock::~FileLock()
{
    release();
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_fd(other.m_fd), m_state(other.m_state), m_lockFile(other.m_lockFile), m_path(std::move(other.m_path))
{
    other.m_fd = -1;
    other.m_state = State::Unavailable;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_fd = other.m_fd;
        m_state = other.m_state;
        m_lockFile = other.m_lockFile;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
        other.m_state = State::Unavailable;
    }
    return *this;
}

FileLock FileLock::acquire(const QString& path, Mode mode, int waitMs, bool create)
{
    FileLock lock;
    lock.m_path = path;
    lock.m_lockFile = create;
    const QByteArray name = QFile::encodeName(path);
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        // Locks need no write access: a file of another user, or a running
        // executable (which cannot be opened for writing), is read.
        int fd = create ? ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666) : -1;
        if (fd < 0)
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return lock;
        if (::flock(fd, operation) != 0) {
            const int error = errno;
            ::close(fd);
            if (error != EWOULDBLOCK && error != EINTR)
                return lock; // no locks on this file system
            if (deadline.hasExpired()) {
                lock.m_state = State::Busy;
                return lock;
            }
            QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(deadline.remainingTime(), 1, 20)));
            continue;
        }
        // The last holder removes a lock file: one removed (or replaced)
        // between the open and the lock is not the one others lock now.
        if (create && !sameFile(fd, name)) {
            ::close(fd);
            if (deadline.hasExpired()) {
                lock.m_state = State::Busy;
                return lock;
            }
            continue;
        }
        lock.m_fd = fd;
        lock.m_state = State::Held;
        return lock;
    }
}

void FileLock::release()
{
    if (m_fd < 0)
        return;
    if (m_lockFile) {
        // Nobody else holds it when it can be made exclusive at once.
        const QByteArray name = QFile::encodeName(m_path);
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0 && sameFile(m_fd, name))
            ::unlink(name.constData());
    }
    ::close(m_fd);
    m_fd = -1;
    m_state = State::Unavailable;
}

FileLock holdRunningExecutable(const QString& executable)
{
    return FileLock::acquire(executable, FileLock::Mode::Shared, 0, false);
}

bool isExecutableRunning(const QString& executable)
{
    return FileLock::acquire(executable, FileLock::Mode::Exclusive, 0, false).state() ==
           FileLock::State::Busy;
}

} // namespace sys
