#include "Services.h"

#include "FileSettingsStore.h"
#include "FileWindowRegistry.h"
#include "PosixProcessService.h"
#include "QtMessageBoxService.h"
#include "QtPickerFactory.h"
#include "QtScreenService.h"
#include "SuiteResources.h"

namespace orv {

MessageBoxService::~MessageBoxService() = default;
ResourceService::~ResourceService() = default;
SettingsStore::~SettingsStore() = default;
ScreenService::~ScreenService() = default;
PickerFactory::~PickerFactory() = default;
WindowService::~WindowService() = default;
ProcessService::~ProcessService() = default;

namespace {

// The services of one thread. An empty slot means "the default, created on first use".
struct ThreadServices {
    std::shared_ptr<MessageBoxService> messageBox;
    std::shared_ptr<ResourceService> resources;
    std::shared_ptr<SettingsStore> settings;
    std::shared_ptr<ScreenService> screen;
    std::shared_ptr<PickerFactory> pickers;
    std::shared_ptr<WindowService> windows;
    std::shared_ptr<ProcessService> processes;
};

thread_local ThreadServices t_services;

template <typename Default, typename Service> Service &currentOrDefault(std::shared_ptr<Service> &slot)
{
    if (!slot)
        slot = std::make_shared<Default>();
    return *slot;
}

} // namespace

namespace services {

MessageBoxService &messageBox()
{
    return currentOrDefault<QtMessageBoxService>(t_services.messageBox);
}

ResourceService &resources()
{
    return currentOrDefault<SuiteResources>(t_services.resources);
}

bool hasResources()
{
    return t_services.resources != nullptr;
}

SettingsStore &settings()
{
    return currentOrDefault<FileSettingsStore>(t_services.settings);
}

ScreenService &screen()
{
    return currentOrDefault<QtScreenService>(t_services.screen);
}

PickerFactory &pickers()
{
    return currentOrDefault<QtPickerFactory>(t_services.pickers);
}

WindowService &windows()
{
    return currentOrDefault<FileWindowRegistry>(t_services.windows);
}

ProcessService &processes()
{
    return currentOrDefault<PosixProcessService>(t_services.processes);
}

void setWindows(std::shared_ptr<WindowService> service)
{
    t_services.windows = std::move(service);
}

void setProcesses(std::shared_ptr<ProcessService> service)
{
    t_services.processes = std::move(service);
}

void setMessageBox(std::shared_ptr<MessageBoxService> service)
{
    t_services.messageBox = std::move(service);
}

void setResources(std::shared_ptr<ResourceService> service)
{
    t_services.resources = std::move(service);
}

void setSettings(std::shared_ptr<SettingsStore> service)
{
    t_services.settings = std::move(service);
}

void setScreen(std::shared_ptr<ScreenService> service)
{
    t_services.screen = std::move(service);
}

void setPickers(std::shared_ptr<PickerFactory> service)
{
    t_services.pickers = std::move(service);
}

} // namespace services
} // namespace orv
