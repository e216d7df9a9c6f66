#pragma once

#include <QString>

#include <stdexcept>

namespace orv {

// Error numbers as the suite's runtime reports them; hosts compare against these.
enum RuntimeErrorNumber : int {
    kErrOverflow = 6,
    kErrOutOfStackSpace = 28, // a parent chain of the chart that loops
    kErrObjectNotSet = 91,    // an object that is gone, such as a list deleted with its window
    kErrTypeMismatch = 13,
    kErrInvalidUseOfNull = 94,
    kErrElementNotFound = 35601,
    kErrDatabase = 3000,     // the engine refused or failed a statement
    kErrNotReadOnly = 3001,  // a statement would write, or holds more than one statement
    kErrNoConnection = 3002, // a query ran while no connection was set
    kErrNoCurrentRow = 3021, // a column was read with no current row
    kErrItemNotFound = 3265, // a column name or position that the row does not have
    kErrForwardOnly = 3219,  // MoveFirst on a forward-only result set
};

// The one exception type of the library: a number and a description, as the host sees them.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString &description);

    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }

private:
    int m_number;
    QString m_description;
};

[[noreturn]] void raiseError(int number, const QString &description);
[[noreturn]] void raiseInvalidUseOfNull();
[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseTypeMismatch();

} // namespace orv
