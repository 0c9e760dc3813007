#pragma once
// Advisory locks between the processes of the program, on one machine or on
// a shared folder: a shared lock says "in use", an exclusive one "only I".
//
// The system holds the lock for the open file and drops it when the process
// ends however it ends, so a killed process leaves no lock behind. A lock
// file made for the purpose (create) is removed again by the last holder that
// releases it; a holder checks after locking that the file it locked is still
// the one under the name, so a removal never lets two holders miss each other.

#include <QString>

namespace sys {

class FileLock
{
public:
    enum class Mode { Shared, Exclusive };
    enum class State {
        Held,        // this object holds the lock
        Busy,        // another holder's lock stood in the way until the wait ended
        Unavailable, // the file cannot be opened or locked here (a read-only folder, a file
                     // system without locks): nothing is known about other holders
    };

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks path, trying again for up to waitMs while another holder's lock
    // stands in the way. create: the file is a lock file of its own, made
    // when missing and removed by its last holder.
    static FileLock acquire(const QString& path, Mode mode, int waitMs, bool create);

    State state() const { return m_state; }
    bool isHeld() const { return m_state == State::Held; }
    // Drops the lock (and a lock file nobody else holds).
    void release();

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
    bool m_lockFile = false; // a lock file of its own: removed by its last holder
    QString m_path;
};

// A running program holds a shared lock on its own executable for its whole
// run, so that an updater can tell the program runs (any user, any machine
// that shares the folder). Held until the returned lock goes.
FileLock holdRunningExecutable(const QString& executable);
// True when some process holds that lock on the file.
bool isExecutableRunning(const QString& executable);

} // namespace sys
