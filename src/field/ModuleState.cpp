#include "ModuleState.h"

namespace orv {

ModuleState &moduleState()
{
    thread_local ModuleState state;
    return state;
}

} // namespace orv
