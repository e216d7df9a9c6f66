#pragma once

#include <cstdint>

namespace orv::menu {

// Sets the priority class (kPriorityNormal, kPriorityBelowNormal) of a process and answers the
// class it has afterwards, 0 when it cannot be read. The process is lProcessId; when that is 0,
// the process that owns window hWnd (a window no running process published is taken as this
// process's own, as hosts pass their own windows); when both are 0, this process. A process that
// cannot be changed is left as it is and only read. How the classes map onto Linux scheduling,
// and why lowering can always be undone: PosixProcessService.
std::int32_t fnSetProcessPriority(std::int32_t lProcessId, std::int32_t hWnd, std::int32_t lPriorityClass);

} // namespace orv::menu
