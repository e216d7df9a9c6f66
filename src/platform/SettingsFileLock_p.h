#pragma once

#include <QString>

#include <chrono>

namespace orv::detail {

// An exclusive advisory lock that guards one settings file, held for the object's lifetime.
// It is taken on a separate file, the settings file's name followed by ".lock", which is
// created when missing and never replaced: a lock on the settings file itself would stop
// guarding anything once a change renames a new file over it. It excludes other processes and
// other threads of this process alike, and a process that dies releases it.
//
// The lock is awaited for at most `timeout`; then, or when the lock file cannot be opened, a
// RuntimeError (75) is raised that names the settings file.
class SettingsFileLock {
public:
    SettingsFileLock(const QString &settingsFile, std::chrono::milliseconds timeout);
    ~SettingsFileLock();
    SettingsFileLock(const SettingsFileLock &) = delete;
    SettingsFileLock &operator=(const SettingsFileLock &) = delete;

private:
    int m_handle = -1;
};

} // namespace orv::detail
