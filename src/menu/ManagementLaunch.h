#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <optional>

namespace orv {
class FieldContext;
}

namespace orv::menu {

// How long a started management program has to show its window.
inline constexpr std::chrono::milliseconds kWindowWaitLimit{30000};

// For tests only: the window wait limit on this thread is `limit` for the life of the object.
class WindowWaitLimitOverride {
public:
    explicit WindowWaitLimitOverride(std::chrono::milliseconds limit);
    ~WindowWaitLimitOverride();
    WindowWaitLimitOverride(const WindowWaitLimitOverride &) = delete;
    WindowWaitLimitOverride &operator=(const WindowWaitLimitOverride &) = delete;

private:
    std::chrono::milliseconds m_previous;
};

// The name under which the calling application keeps its settings when the host names none:
// the file name, without extension, of the executable the field runs in.
QString componentExecutableName();

// Starts the management program of function lIDFunction for the entity lIDField of company
// lIDFirm, handing the call over through the user settings (the program's section and the
// caller's, vClientName or componentExecutableName()), waits until the program is closed and
// answers the id it left under the caller's "IDField"; 0 when nothing was started (no folder of
// the programs, no program for the function, no right, the program already running: its window
// comes to the front) or its window did not show within kWindowWaitLimit. hClient is the host
// window. While it waits the host's user interface is served unless DisableDoEvents is set; the
// host's process runs below normal priority meanwhile. Errors of the database, the settings or
// the start of the program are the exception of the call.
std::int32_t fnCallExe(FieldContext &field, std::int32_t lIDFunction, std::int32_t hClient,
                       std::int32_t lIDFirm, std::int32_t lIDField,
                       const std::optional<QString> &vClientName);

// The management launch for the field's own entity (Ctrl+G, the menu): the chart's program for an
// account field, then SetPDC of the account it left; the registry program otherwise, then the
// re-validation of the entry it left. box is the box in use, not read.
void sbRunApplication(FieldContext &field, int box);

// The entity kind the re-validation checks for a search type.
std::int16_t entityKindOf(std::int32_t searchType);

} // namespace orv::menu
