#pragma once

#include "Services.h"

#include <chrono>

namespace orv {

// The default per-user settings store: one UTF-8 text file per application in a folder of
// the user's configuration, named after the case-folded application name, with [section]
// headers and key=value lines. Application names, sections and keys compare without regard to case; the
// file keeps the spelling under which a section or key was first written.
//
// Several processes and threads may use the same files at once: every change takes an
// exclusive lock, re-reads the file under it and replaces the file atomically (a flushed
// temporary file in the same folder renamed over it), so no writer loses another's values and
// a reader sees either the old or the new file. Reads take no lock and always read the file,
// so they see other processes' writes at once. A lock held by another program for longer than
// the lock time-out raises a RuntimeError (75) that says so, instead of freezing the caller.
//
// A file that is not in this format (bytes that are not UTF-8, or a line that is neither blank,
// nor a "[section]" header, nor a "key=value" entry after a header) is never read as defaults
// and then overwritten: the first read or change that meets it renames it to
// "<file>.unreadable-<date>-<time>", the user is told in a message box (a thread other than
// the application's logs it instead), and the settings start again from their defaults.
//
// Deleting a key or a section that does not exist does nothing. A file that cannot be
// opened, or a change that cannot be stored, raises a RuntimeError (75, path/file access).
class FileSettingsStore final : public SettingsStore {
public:
    static constexpr std::chrono::milliseconds kLockTimeout = std::chrono::seconds(5);

    // Stores under defaultDirectory().
    FileSettingsStore();
    explicit FileSettingsStore(const QString &directory,
                               std::chrono::milliseconds lockTimeout = kLockTimeout);
    ~FileSettingsStore() override;

    // $ORV_SETTINGS_DIR when it is set and not empty, otherwise the generic configuration
    // folder followed by "/OrvSearch".
    static QString defaultDirectory();

    QString directory() const;
    // The file that holds the settings of an application.
    QString filePath(const QString &application) const;

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue = {}) override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
    void deleteKey(const QString &application, const QString &section, const QString &key) override;
    void deleteSection(const QString &application, const QString &section) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace orv
