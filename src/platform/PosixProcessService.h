#pragma once

#include "Services.h"

#include <map>

namespace orv {

// True while the process exists and has not ended: a process that has ended but is not yet
// reaped by its parent (a zombie) counts as ended.
bool processRunning(std::int64_t pid);

// The default process service on Linux.
//
// Programs start detached (QProcess::startDetached): the caller keeps no child to reap, and the
// wait for a process that is not a child works through a pidfd, polling /proc where the kernel
// has none.
//
// Priorities. A Linux nice value belongs to each thread, and a process without CAP_SYS_NICE can
// raise it but never lower it again (RLIMIT_NICE is 0 on most systems): a process lowered by nice
// would stay lowered. So the service changes only what it can undo. Each process has its normal
// level, the one it was at when the service first touched it. Below normal puts every thread of
// the process under SCHED_BATCH, which any process may leave again, so a waking thread of the
// process no longer preempts the others; and, only where going back is allowed (CAP_SYS_NICE, or
// an RLIMIT_NICE that reaches back to the normal level), its nice goes 4 above normal as well
// (about 40% of the processor time of a normal thread that competes with it). Normal puts every
// thread back to SCHED_OTHER at the normal nice, threads started meanwhile included.
class PosixProcessService final : public ProcessService {
public:
    static constexpr int kBelowNormalNiceStep = 4;

    std::int64_t start(const QString &program) override;
    bool waitForExit(std::int64_t pid) override;
    bool isRunning(std::int64_t pid) override { return processRunning(pid); }
    std::int64_t currentProcess() override;
    // Below normal while any thread is under SCHED_BATCH or SCHED_IDLE or above the normal nice.
    std::int32_t priorityClass(std::int64_t pid) override;
    // Only normal and below normal are known; other classes change nothing and answer false.
    bool setPriorityClass(std::int64_t pid, std::int32_t priorityClass) override;

private:
    int normalNice(std::int64_t pid);
    std::map<std::int64_t, int> m_normalNice;
};

} // namespace orv
