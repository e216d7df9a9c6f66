#pragma once

#include "data/SearchPicker.h"

#include <QPixmap>
#include <QString>

#include <memory>

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

namespace services {
MessageBoxService &messageBox();
ResourceService &resources();
bool hasResources();
SettingsStore &settings();
ScreenService &screen();
PickerFactory &pickers();

void setMessageBox(std::shared_ptr<MessageBoxService> service);
void setResources(std::shared_ptr<ResourceService> service);
void setSettings(std::shared_ptr<SettingsStore> service);
void setScreen(std::shared_ptr<ScreenService> service);
void setPickers(std::shared_ptr<PickerFactory> service);
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
