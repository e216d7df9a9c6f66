#include "SettingsFileLock_p.h"

#include "data/RuntimeError.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace orv::detail {

namespace {
constexpr int kErrPathFileAccess = 75;
// How often a held lock is tried again while waiting for it.
constexpr std::chrono::milliseconds kRetryInterval{20};
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
    // each open the file exclude each other as two processes do. The lock is polled rather
    // than awaited in flock(), which could block the user interface for good behind a
    // process that hangs, for example on a network home folder.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::flock(m_handle, LOCK_EX | LOCK_NB) < 0) {
        const int error = errno;
        const auto now = std::chrono::steady_clock::now();
        if (error == EINTR)
            continue;
        if (error == EWOULDBLOCK && now < deadline) {
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(kRetryInterval, deadline - now));
            continue;
        }
        ::close(m_handle);
        if (error == EWOULDBLOCK)
            raiseError(kErrPathFileAccess,
                       QStringLiteral("The settings file %1 is locked by another program; try again when "
                                      "it has finished")
                           .arg(QDir::toNativeSeparators(settingsFile)));
        raiseError(kErrPathFileAccess,
                   QStringLiteral("Cannot lock the settings file %1: %2")
                       .arg(QDir::toNativeSeparators(settingsFile), qt_error_string(error)));
    }
}

SettingsFileLock::~SettingsFileLock()
{
    ::close(m_handle); // closing the last descriptor releases the lock
}

} // namespace orv::detail
