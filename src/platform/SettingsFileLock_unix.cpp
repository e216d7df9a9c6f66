#include "SettingsFileLock_p.h"

#include "data/RuntimeError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orv::detail {

namespace {
constexpr int kErrPathFileAccess = 75;
}

SettingsFileLock::SettingsFileLock(const QString &path)
{
    const QByteArray nativePath = QFile::encodeName(path);
    do {
        m_handle = ::open(nativePath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    } while (m_handle < 0 && errno == EINTR);
    if (m_handle < 0)
        raiseError(kErrPathFileAccess,
                   QStringLiteral("Cannot open the lock file %1: %2").arg(path, qt_error_string()));

    // flock() locks belong to the open file description, so two threads of one process that
    // each open the file exclude each other as two processes do.
    int result;
    do {
        result = ::flock(m_handle, LOCK_EX);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        const QString reason = qt_error_string();
        ::close(m_handle);
        raiseError(kErrPathFileAccess, QStringLiteral("Cannot lock %1: %2").arg(path, reason));
    }
}

SettingsFileLock::~SettingsFileLock()
{
    ::close(m_handle); // closing the last descriptor releases the lock
}

} // namespace orv::detail
