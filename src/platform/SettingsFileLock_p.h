#pragma once

#include <QString>

namespace orv::detail {

// An exclusive advisory lock on a file, held for the object's lifetime. It excludes other
// processes and other threads of this process alike, and a process that dies releases it.
// The file is created when missing and left in place afterwards. Raises a RuntimeError
// when the lock cannot be taken.
class SettingsFileLock {
public:
    explicit SettingsFileLock(const QString &path);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock &) = delete;
    SettingsFileLock &operator=(const SettingsFileLock &) = delete;

private:
    int m_handle = -1;
};

} // namespace orv::detail
