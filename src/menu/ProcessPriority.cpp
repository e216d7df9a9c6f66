#include "ProcessPriority.h"

#include "platform/Services.h"

namespace orv::menu {

std::int32_t fnSetProcessPriority(std::int32_t lProcessId, std::int32_t hWnd, std::int32_t lPriorityClass)
{
    ProcessService &processes = services::processes();
    std::int64_t pid = lProcessId;
    if (pid == 0 && hWnd != 0)
        pid = services::windows().ownerProcess(hWnd);
    if (pid == 0)
        pid = processes.currentProcess();
    processes.setPriorityClass(pid, lPriorityClass);
    return processes.priorityClass(pid);
}

} // namespace orv::menu
