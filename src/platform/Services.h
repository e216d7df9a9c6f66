#pragma once

#include "data/SearchPicker.h"

#include <QPixmap>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QWidget;

namespace orv {

// The outside components the control calls on, each behind a small interface. Each thread
// has its own current instance of every service, created with its default on first use;
// a host or a test replaces one at a time with setX(), and reset with setX(nullptr).

// Message box styles and answers, as the suite numbers them.
enum MessageBoxStyle : int { kMbOkOnly = 0, kMbCritical = 16, kMbExclamation = 48, kMbInformation = 64 };
enum MessageBoxAnswer : int { kMbAnswerOk = 1 };

class MessageBoxService {
public:
    virtual ~MessageBoxService();
    virtual int show(QWidget *parent, const QString &text, int style, const QString &title) = 0;
};

// The numbers of the suite's texts and pictures that the control asks for.
enum ResourceText : int {
    kTextDescriptionCaption = 188, // caption of the description column, less its last character
    kTextProgramPathMissing = 627, // message: the folder of the management programs is not set
    kTextProgramNoWindow = 628,    // message: the started program showed no window in time
    kTextProgramNoWindowTitle = 1261,
    kTextSettingsAppName = 1368, // application name of the user settings; read it trimmed
};
enum ResourcePicture : int {
    kPictureCaptionCursor = 1, // mouse pointer over the clickable captions
    kPictureTreeClosed = 114,
    kPictureTreeOpen = 117,
    kPictureTreeLeaf = 560,
};

// Texts and pictures of the suite by number.
class ResourceService {
public:
    virtual ~ResourceService();
    virtual QString text(int id) = 0;
    virtual QPixmap picture(int id) = 0;
};

// The per-user settings store: application, section, key. Sections and keys compare
// without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore();
    virtual QString read(const QString &application, const QString &section, const QString &key,
                         const QString &defaultValue = {}) = 0;
    virtual void write(const QString &application, const QString &section, const QString &key,
                       const QString &value) = 0;
    virtual void deleteKey(const QString &application, const QString &section, const QString &key) = 0;
    virtual void deleteSection(const QString &application, const QString &section) = 0;
};

class ScreenService {
public:
    virtual ~ScreenService();
    virtual double twipsPerPixelX() = 0;
    virtual double twipsPerPixelY() = 0;
    // Shows or takes away the hourglass pointer; calls nest.
    virtual void setBusy(bool busy) = 0;
};

class PickerFactory {
public:
    virtual ~PickerFactory();
    virtual std::unique_ptr<SearchPicker> create(QWidget *parent) = 0;
};

// Top-level windows of this and other processes of the user, by handle (a Long), with named
// whole-number properties that every process sees. A property of a window whose process has
// ended reads as absent.
class WindowService {
public:
    virtual ~WindowService();
    virtual std::optional<std::int32_t> property(std::int32_t window, const QString &name) = 0;
    virtual void setProperty(std::int32_t window, const QString &name, std::int32_t value) = 0;
    virtual void removeProperty(std::int32_t window, const QString &name) = 0;
    // Shown on the screen (a minimized window counts as visible) by a process that still runs.
    virtual bool isVisible(std::int32_t window) = 0;
    // Asks the window's program to show it in its normal state and bring it to the front.
    virtual void restoreAndActivate(std::int32_t window) = 0;
    // The process that owns the window; 0 for a window no running process owns.
    virtual std::int64_t ownerProcess(std::int32_t window) = 0;
};

// Priority classes, as the suite numbers them.
enum PriorityClass : std::int32_t { kPriorityNormal = 0x20, kPriorityBelowNormal = 0x4000 };

// Programs started and waited on, and the priority of processes.
class ProcessService {
public:
    virtual ~ProcessService();
    // Starts the program file without arguments, detached from the caller, and answers its
    // process id; a program that cannot be started raises a RuntimeError (53).
    virtual std::int64_t start(const QString &program) = 0;
    // Blocks until the process has ended. False, at once, when there is no such process to wait on.
    virtual bool waitForExit(std::int64_t pid) = 0;
    virtual bool isRunning(std::int64_t pid) = 0;
    virtual std::int64_t currentProcess() = 0;
    // The priority class of a process; 0 when it cannot be read. Setting answers false when the
    // process cannot be changed.
    virtual std::int32_t priorityClass(std::int64_t pid) = 0;
    virtual bool setPriorityClass(std::int64_t pid, std::int32_t priorityClass) = 0;
};

namespace services {
MessageBoxService &messageBox();
ResourceService &resources();
bool hasResources();
SettingsStore &settings();
ScreenService &screen();
PickerFactory &pickers();
WindowService &windows();
ProcessService &processes();

void setMessageBox(std::shared_ptr<MessageBoxService> service);
void setResources(std::shared_ptr<ResourceService> service);
void setSettings(std::shared_ptr<SettingsStore> service);
void setScreen(std::shared_ptr<ScreenService> service);
void setPickers(std::shared_ptr<PickerFactory> service);
void setWindows(std::shared_ptr<WindowService> service);
void setProcesses(std::shared_ptr<ProcessService> service);
} // namespace services

// Hourglass for the life of the object.
class BusyCursor {
public:
    BusyCursor() { services::screen().setBusy(true); }
    ~BusyCursor() { services::screen().setBusy(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace orv
