#include "PosixProcessService.h"

#include "data/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr int kErrFileNotFound = 53;
constexpr int kCapSysNice = 23;

// The thread ids of a process.
QList<pid_t> threadsOf(std::int64_t pid)
{
    QList<pid_t> tids;
    const QStringList names =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        tids << static_cast<pid_t>(name.toLongLong());
    return tids;
}

bool hasCapSysNice()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("CapEff:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> kCapSysNice) & 1U;
    }
    return false;
}

// Whether a thread raised from `nice` may come back down to it.
bool canReturnTo(int nice)
{
    if (hasCapSysNice())
        return true;
    rlimit limit{};
    return getrlimit(RLIMIT_NICE, &limit) == 0 && 20 - static_cast<long>(limit.rlim_cur) <= nice;
}

int threadNice(pid_t tid, bool &ok)
{
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    ok = errno == 0;
    return nice;
}

bool setThread(pid_t tid, int policy, int nice)
{
    const sched_param param{};
    if (sched_setscheduler(tid, policy, &param) != 0 && errno != ESRCH)
        return false;
    return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0 || errno == ESRCH;
}

} // namespace

bool processRunning(std::int64_t pid)
{
    if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) S ...": the state follows the last ')'.
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    const char state = close >= 0 && close + 2 < text.size() ? text.at(close + 2) : 'R';
    return state != 'Z' && state != 'X';
}

std::int64_t PosixProcessService::start(const QString &program)
{
    qint64 pid = 0;
    if (!QProcess::startDetached(program, {}, QString(), &pid) || pid <= 0)
        raiseError(kErrFileNotFound,
                   QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(program)));
    return pid;
}

bool PosixProcessService::waitForExit(std::int64_t pid)
{
    if (pid <= 0)
        return false;
    const long fd = syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0);
    if (fd < 0) {
        if (errno != ENOSYS)
            return false;
        if (!processRunning(pid))
            return false;
        while (processRunning(pid))
            QThread::msleep(20);
        return true;
    }
    pollfd ready{static_cast<int>(fd), POLLIN, 0};
    while (poll(&ready, 1, -1) < 0 && errno == EINTR) {
    }
    close(static_cast<int>(fd));
    return true;
}

std::int64_t PosixProcessService::currentProcess()
{
    return getpid();
}

int PosixProcessService::normalNice(std::int64_t pid)
{
    const auto known = m_normalNice.find(pid);
    if (known != m_normalNice.end())
        return known->second;
    bool ok = false;
    const int nice = threadNice(static_cast<pid_t>(pid), ok);
    return m_normalNice[pid] = ok ? nice : 0;
}

std::int32_t PosixProcessService::priorityClass(std::int64_t pid)
{
    const QList<pid_t> tids = threadsOf(pid);
    if (tids.isEmpty())
        return 0;
    const int normal = normalNice(pid);
    for (const pid_t tid : tids) {
        bool ok = false;
        const int policy = sched_getscheduler(tid);
        const int nice = threadNice(tid, ok);
        if (policy == SCHED_BATCH || policy == SCHED_IDLE || (ok && nice > normal))
            return kPriorityBelowNormal;
    }
    return kPriorityNormal;
}

bool PosixProcessService::setPriorityClass(std::int64_t pid, std::int32_t priorityClass)
{
    if (priorityClass != kPriorityNormal && priorityClass != kPriorityBelowNormal)
        return false;
    const QList<pid_t> tids = threadsOf(pid);
    if (tids.isEmpty())
        return false;
    const int normal = normalNice(pid);
    const bool below = priorityClass == kPriorityBelowNormal;
    const int nice = below && canReturnTo(normal) ? std::min(19, normal + kBelowNormalNiceStep) : normal;
    bool done = true;
    for (const pid_t tid : tids)
        done = setThread(tid, below ? SCHED_BATCH : SCHED_OTHER, nice) && done;
    return done;
}

} // namespace orv
