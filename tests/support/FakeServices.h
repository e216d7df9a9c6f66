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

// What the user does in a scripted picker.
class PickChoice {
public:
    static PickChoice row(std::size_t index); // the index-th row of the query, from 0
    static PickChoice withValue(const QString &column, const Variant &value); // the first row with that value
    static PickChoice cancel() { return {}; }

    // The chosen row index among the rows, or nullopt for none (cancel, or nothing matched).
    std::optional<std::size_t> choose(const QStringList &columns,
                                      const std::vector<std::vector<Variant>> &rows) const;
    bool isCancel() const { return m_description.isEmpty(); }
    QString description() const { return m_description; }

private:
    std::optional<std::size_t> m_index;
    QString m_column; // without regard to case
    Variant m_value;
    QString m_description;
};

// Everything the control did to one picker.
struct PickerRecord {
    struct Column {
        QString header;
        QString column;
        int flag;
    };

    QStringList calls; // the names of the settings and of Pick, in call order
    QString searchText;
    QString caption;
    QString keyField;
    QString queryText;
    DbConnectionPtr connection;
    std::vector<Column> columns;
    int rowsOffered = -1; // rows of the query at the last Pick
};

// Stands for the picking list: records every setting, and on Pick runs the query on the
// given connection and hands back the row the script chose, alone in a result set, or an
// empty result set for cancel. A choice that matches no row fails the running test and
// gives the empty result.
class ScriptedPicker final : public SearchPicker {
public:
    ScriptedPicker(std::shared_ptr<PickerRecord> record, PickChoice choice);

    void SearchText(const QString &text) override;
    void Caption(const QString &caption) override;
    void KeyField(const QString &column) override;
    void QueryText(const QString &sql) override;
    void Connection(DbConnectionPtr connection) override;
    void AddColumn(const QString &header, const QString &column, int flag) override;
    std::unique_ptr<DbResultSet> Pick() override;

private:
    std::shared_ptr<PickerRecord> m_record;
    PickChoice m_choice;
};

// Hands out ScriptedPickers, each with the next queued choice, and keeps their records.
// A picker created with no choice queued fails the running test and cancels.
class ScriptedPickerFactory final : public PickerFactory {
public:
    std::unique_ptr<SearchPicker> create(QWidget *parent) override;

    ScriptedPickerFactory &then(PickChoice choice);
    const std::vector<std::shared_ptr<PickerRecord>> &pickers() const { return m_records; }
    const PickerRecord &last() const; // fails the test when no picker was created
    std::size_t pendingChoices() const { return m_choices.size(); }

private:
    std::deque<PickChoice> m_choices;
    std::vector<std::shared_ptr<PickerRecord>> m_records;
};

} // namespace orv::test
