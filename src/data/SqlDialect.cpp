#include "SqlDialect.h"

namespace orv {

SqlDialect::~SqlDialect() = default;

} // namespace orv
