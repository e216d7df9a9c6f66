// The registry fields of the demo form as a clerk uses them: codes and names typed and left,
// an ambiguous code picked from the list, Ctrl+R, and a code that names nobody.
#include "Tour.h"

#include "data/MemoryResultSet.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <deque>
#include <optional>

namespace orv::demo {

namespace {

// What the clerk does in the next picking list: the first row whose column holds the value,
// or nothing (no column).
struct Choice {
    QString column;
    QString value;
};

// A picking list that runs its statement, says what it shows, and picks as the tour says.
class TourPicker final : public SearchPicker {
public:
    TourPicker(DemoForm &form, std::optional<Choice> choice) : m_form(form), m_choice(std::move(choice)) {}

    void SearchText(const QString &text) override { m_searchText = text; }
    void Caption(const QString &caption) override { m_caption = caption; }
    void KeyField(const QString &) override {}
    void QueryText(const QString &sql) override { m_sql = sql; }
    void Connection(DbConnectionPtr connection) override { m_connection = std::move(connection); }
    void AddColumn(const QString &header, const QString &, int) override { m_headers << header; }

    std::unique_ptr<DbResultSet> Pick() override
    {
        std::unique_ptr<DbResultSet> rs = m_connection->OpenResultSet(m_sql);
        QStringList columns;
        for (int c = 0; c < rs->columnCount(); ++c)
            columns << rs->columnName(c);
        std::vector<std::vector<Variant>> rows;
        for (; !rs->Eof(); rs->MoveNext()) {
            std::vector<Variant> row;
            for (int c = 0; c < rs->columnCount(); ++c)
                row.push_back(rs->value(c));
            rows.push_back(std::move(row));
        }
        rs->Close();

        say(m_form, QStringLiteral("  picking list \"%1\": %2 rows, columns %3, search text \"%4\"")
                        .arg(m_caption)
                        .arg(rows.size())
                        .arg(m_headers.join(QStringLiteral(", ")), m_searchText));
        // Column names as the engine spells them: PostgreSQL folds unquoted names to lower case.
        int column = -1;
        for (int c = 0; m_choice && c < columns.size(); ++c) {
            if (columns.at(c).compare(m_choice->column, Qt::CaseInsensitive) == 0)
                column = c;
        }
        for (const auto &row : rows) {
            if (column >= 0 && row[static_cast<std::size_t>(column)].toText() == m_choice->value) {
                say(m_form, QStringLiteral("  the clerk picks %1 %2").arg(m_choice->column, m_choice->value));
                return std::make_unique<MemoryResultSet>(columns, std::vector<std::vector<Variant>>{row});
            }
        }
        say(m_form, QStringLiteral("  the clerk closes the list without picking"));
        return MemoryResultSet::empty(columns);
    }

private:
    DemoForm &m_form;
    std::optional<Choice> m_choice;
    QString m_searchText, m_caption, m_sql;
    QStringList m_headers;
    DbConnectionPtr m_connection;
};

class TourPickers final : public PickerFactory {
public:
    explicit TourPickers(DemoForm &form) : m_form(form) {}
    std::unique_ptr<SearchPicker> create(QWidget *) override
    {
        std::optional<Choice> choice;
        if (!m_script.empty()) {
            choice = m_script.front();
            m_script.pop_front();
        }
        return std::make_unique<TourPicker>(m_form, std::move(choice));
    }
    void next(std::optional<Choice> choice) { m_script.push_back(std::move(choice)); }

private:
    DemoForm &m_form;
    std::deque<std::optional<Choice>> m_script;
};

QLineEdit *boxOf(OrvSearchACS2 *field, int box)
{
    return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(box));
}

void shows(DemoForm &form, OrvSearchACS2 *field)
{
    say(form, QStringLiteral("  the field shows \"%1\" \"%2\" \"%3\", IDAnagrafica %4")
                  .arg(field->Code(), field->Description(), field->SecondDescription())
                  .arg(field->IDAnagrafica()));
}

void registryTour(DemoForm &form)
{
    auto pickers = std::make_shared<TourPickers>(form);
    services::setPickers(pickers);

    OrvSearchACS2 *customer = form.field(OrvSearchCustomers);
    say(form, QStringLiteral("Customer field: the clerk types C001 and presses Tab"));
    typeInto(customer, 0, QStringLiteral("C001"));
    pressTab(customer, 0);
    shows(form, customer);

    OrvSearchACS2 *supplier = form.field(OrvSearchSuppliers);
    say(form, QStringLiteral(
                  "Supplier field: the clerk types the beginning of a name, \"dell'\", and leaves the box"));
    typeInto(supplier, 1, QStringLiteral("dell'"));
    pressTab(supplier, 1);
    shows(form, supplier);

    OrvSearchACS2 *agent = form.field(OrvSearchAgents);
    say(form, QStringLiteral("Agent field: A01 belongs to two agents"));
    pickers->next(Choice{QStringLiteral("Anagrafica"), QStringLiteral("Sartori")});
    typeInto(agent, 0, QStringLiteral("A01"));
    pressTab(agent, 0);
    shows(form, agent);

    OrvSearchACS2 *collaborator = form.field(OrvSearchCollaborators);
    say(form, QStringLiteral("Collaborator field: Ctrl+R in the code box"));
    pickers->next(Choice{QStringLiteral("Codice"), QStringLiteral("CO03")});
    boxOf(collaborator, 0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(boxOf(collaborator, 0), Qt::Key_R, Qt::ControlModifier);
    shows(form, collaborator);

    say(form, QStringLiteral("Customer field, documents may be issued only: C007 is blocked"));
    customer->setAttivaFiltroBlocco(true);
    pickers->next(std::nullopt);
    typeInto(customer, 0, QStringLiteral("C007")); // the box selects its text as the focus comes in
    pressTab(customer, 0);
    shows(form, customer);
    say(form, QStringLiteral("  the focus is back in the code box: %1")
                  .arg(QApplication::focusWidget() == boxOf(customer, 0) ? QStringLiteral("yes")
                                                                         : QStringLiteral("no")));
    // The clerk clears the code, so that leaving the box asks nothing more.
    boxOf(customer, 0)->selectAll();
    QTest::keyClick(boxOf(customer, 0), Qt::Key_Delete);
    customer->setAttivaFiltroBlocco(false);

    services::setPickers(nullptr);
}

const TourSection section(30, "Registry fields: codes and names typed, picked and searched", registryTour);

} // namespace
} // namespace orv::demo
