#include "RuntimeError.h"

namespace orv {

RuntimeError::RuntimeError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{}

void raiseError(int number, const QString &description)
{
    throw RuntimeError(number, description);
}

void raiseInvalidUseOfNull()
{
    raiseError(kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null"));
}

void raiseOverflow()
{
    raiseError(kErrOverflow, QStringLiteral("Overflow"));
}

void raiseTypeMismatch()
{
    raiseError(kErrTypeMismatch, QStringLiteral("Type mismatch"));
}

} // namespace orv
