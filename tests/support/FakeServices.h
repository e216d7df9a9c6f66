#pragma once

#include "data/MemoryResultSet.h"
#include "platform/Services.h"

#include <QStringList>

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace orv::test {

// Installs a service on the current thread for the life of the object, then puts the
// thread's default back. The object gives access to the concrete service:
//     ServiceOverride<CapturedMessageBoxes> boxes;
//     ...
//     EXPECT_EQ(boxes->messages().size(), 1u);
template <typename Service> class ServiceOverride {
public:
    ServiceOverride() : ServiceOverride(std::make_shared<Service>()) {}
    explicit ServiceOverride(std::shared_ptr<Service> service) : m_service(std::move(service))
    {
        install(m_service);
    }
    ~ServiceOverride() { install(std::shared_ptr<Service>()); }
    ServiceOverride(const ServiceOverride &) = delete;
    ServiceOverride &operator=(const ServiceOverride &) = delete;

    Service &operator*() const { return *m_service; }
    Service *operator->() const { return m_service.get(); }
    const std::shared_ptr<Service> &get() const { return m_service; }

private:
    // One overload per service interface; the concrete type picks the one it derives from.
    static void install(std::shared_ptr<MessageBoxService> s) { services::setMessageBox(std::move(s)); }
    static void install(std::shared_ptr<ResourceService> s) { services::setResources(std::move(s)); }
    static void install(std::shared_ptr<SettingsStore> s) { services::setSettings(std::move(s)); }
    static void install(std::shared_ptr<ScreenService> s) { services::setScreen(std::move(s)); }
    static void install(std::shared_ptr<PickerFactory> s) { services::setPickers(std::move(s)); }
    static void install(std::shared_ptr<WindowService> s) { services::setWindows(std::move(s)); }
    static void install(std::shared_ptr<ProcessService> s) { services::setProcesses(std::move(s)); }

    std::shared_ptr<Service> m_service;
};

// Keeps every message instead of showing it, and answers OK.
class CapturedMessageBoxes final : public MessageBoxService {
public:
    struct Message {
        QString text;
        int style;
        QString title;
    };

    int show(QWidget *parent, const QString &text, int style, const QString &title) override;

    const std::vector<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); }

private:
    std::vector<Message> m_messages;
};

// A fixed screen: 15 twips per pixel both ways, and a counter for the hourglass.
class FixedScreen final : public ScreenService {
public:
    double twipsPerPixelX() override { return 15.0; }
    double twipsPerPixelY() override { return 15.0; }
    void setBusy(bool busy) override;

    int busyDepth() const { return m_depth; }
    int busyCalls() const { return m_calls; } // number of setBusy(true) calls

private:
    int m_depth = 0;
    int m_calls = 0;
};

// What the user does in a scripted picker: picks the index-th row of the query (from 0), the first
// row with that value in the column (named without regard to case), or nothing.
struct PickChoice {
    static PickChoice row(std::size_t index) { return {index, {}, {}}; }
    static PickChoice withValue(const QString &column, const Variant &value) { return {{}, column, value}; }
    static PickChoice cancel() { return {}; }

    std::optional<std::size_t> index;
    QString column;
    Variant value;
};

// Everything the control did to one picker: the names of the settings and of Pick in call
// order, the settings, and the columns as "header=column", or the header alone when the
// column has the same name.
struct PickerRecord {
    QStringList calls;
    QString searchText, caption, keyField, queryText;
    DbConnectionPtr connection;
    QStringList columns;
};

// Stands for the picking list: hands out pickers that record every setting and, on Pick, run
// the query on the given connection, order its rows as the list does (a choice by index counts
// in that order) and hand back the row of the next queued choice alone in
// a result set, or an empty result set. A picker opened with no choice queued, or a choice that
// matches no row, fails the running test and picks nothing.
class ScriptedPickerFactory final : public PickerFactory {
public:
    std::unique_ptr<SearchPicker> create(QWidget *parent) override;

    ScriptedPickerFactory &then(PickChoice choice)
    {
        m_choices.push_back(std::move(choice));
        return *this;
    }
    const std::vector<std::shared_ptr<PickerRecord>> &pickers() const { return m_records; }
    const PickerRecord &last() const; // fails the test when no picker was created
    std::size_t pendingChoices() const { return m_choices.size(); }

private:
    std::deque<PickChoice> m_choices;
    std::vector<std::shared_ptr<PickerRecord>> m_records;
};

} // namespace orv::test
