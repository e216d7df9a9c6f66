#pragma once

#include "Services.h"

namespace orv {

// The default window service: a folder of small files that every process of the user shares,
// beside the settings store (FileSettingsStore::defaultDirectory() + "/windows").
//
//   <handle>.window          "<pid> <visible>" of a window published by its program (PublishedWindow)
//   <handle>.<property>      "<pid> <value>": a property, <pid> the process that owns the window
//   <handle>.restore         a request to the owner to restore its window and bring it to the front
//
// A property of a window that no program published belongs to the process that set it. Property
// names compare without regard to case. A file whose process has ended reads as absent and is
// removed when it is read. Files are replaced whole, so a reader never sees half a value.
class FileWindowRegistry final : public WindowService {
public:
    FileWindowRegistry();
    explicit FileWindowRegistry(QString directory);

    static QString defaultDirectory();
    QString directory() const { return m_directory; }

    std::optional<std::int32_t> property(std::int32_t window, const QString &name) override;
    void setProperty(std::int32_t window, const QString &name, std::int32_t value) override;
    void removeProperty(std::int32_t window, const QString &name) override;
    bool isVisible(std::int32_t window) override;
    void restoreAndActivate(std::int32_t window) override;
    std::int64_t ownerProcess(std::int32_t window) override;

    // For the program that owns a window (PublishedWindow).
    void publish(std::int32_t window, bool visible);
    // Removes the window and every property and request on it.
    void unpublish(std::int32_t window);
    // Takes the pending restore request of the window, if there is one.
    bool takeRestoreRequest(std::int32_t window);

private:
    QString fileOf(std::int32_t window, const QString &suffix) const;
    // The pid and number of a file, when its process still runs.
    std::optional<std::pair<std::int64_t, std::int64_t>> readLive(const QString &path) const;
    void writeFile(const QString &path, std::int64_t pid, std::int64_t value) const;

    QString m_directory;
};

} // namespace orv
