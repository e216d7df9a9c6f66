#include "SettingsFileLock_p.h"

#include "data/RuntimeError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace orv::detail {

namespace {

constexpr int kErrPathFileAccess = 75;

// A wait for the lock in a thread of its own, so that the caller can give up after a time-out.
// The kernel wakes a blocked flock() as soon as the lock is released, which polling could not
// match: a writer that polls may miss every short gap between another's changes. Once the
// caller gives up, the waiter closes the descriptor as soon as it has the lock, or stays
// blocked until the program that holds it lets go or ends.
struct Waiter {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    int error = 0;
};

// 0 once the lock is held, ETIMEDOUT when the time ran out (the descriptor then belongs to the
// waiting thread), or the error of flock().
int lockWithin(int handle, std::chrono::milliseconds timeout)
{
    if (::flock(handle, LOCK_EX | LOCK_NB) == 0)
        return 0;
    if (errno != EWOULDBLOCK && errno != EINTR)
        return errno;
    auto waiter = std::make_shared<Waiter>();
    std::thread thread;
    try {
        thread = std::thread([waiter, handle] {
            int result;
            do {
                result = ::flock(handle, LOCK_EX);
            } while (result < 0 && errno == EINTR);
            const int error = result < 0 ? errno : 0;
            const std::lock_guard<std::mutex> guard(waiter->mutex);
            if (waiter->abandoned) {
                ::close(handle);
                return;
            }
            waiter->error = error;
            waiter->done = true;
            waiter->finished.notify_one();
        });
    } catch (const std::system_error &error) {
        return error.code().value();
    }
    thread.detach();
    std::unique_lock<std::mutex> guard(waiter->mutex);
    if (waiter->finished.wait_for(guard, timeout, [&] { return waiter->done; }))
        return waiter->error;
    waiter->abandoned = true;
    return ETIMEDOUT;
}

} // namespace

SettingsFileLock::SettingsFileLock(const QString &settingsFile, std::chrono::milliseconds timeout)
{
    const QString path = settingsFile + QStringLiteral(".lock");
    const QByteArray nativePath = QFile::encodeName(path);
    do {
        m_handle = ::open(nativePath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    } while (m_handle < 0 && errno == EINTR);
    if (m_handle < 0)
        raiseError(kErrPathFileAccess, QStringLiteral("Cannot open the lock file %1: %2")
                                           .arg(QDir::toNativeSeparators(path), qt_error_string()));

    // flock() locks belong to the open file description, so two threads of one process that
    // each open the file exclude each other as two processes do, and the lock taken by the
    // waiting thread is this object's.
    const int error = lockWithin(m_handle, timeout);
    if (error == 0)
        return;
    if (error != ETIMEDOUT)
        ::close(m_handle);
    if (error == ETIMEDOUT)
        raiseError(kErrPathFileAccess,
                   QStringLiteral("The settings file %1 is locked by another program; try again when "
                                  "it has finished")
                       .arg(QDir::toNativeSeparators(settingsFile)));
    raiseError(kErrPathFileAccess, QStringLiteral("Cannot lock the settings file %1: %2")
                                       .arg(QDir::toNativeSeparators(settingsFile), qt_error_string(error)));
}

SettingsFileLock::~SettingsFileLock()
{
    ::close(m_handle); // closing the last descriptor releases the lock
}

} // namespace orv::detail
