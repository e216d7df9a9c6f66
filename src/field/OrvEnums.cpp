#include "OrvEnums.h"

// The enumerations meta-object (Q_NAMESPACE) is compiled with this library.
