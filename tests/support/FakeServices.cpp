#include "FakeServices.h"

#include "data/RuntimeError.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv::test {

int CapturedMessageBoxes::show(QWidget *, const QString &text, int style, const QString &title)
{
    m_messages.push_back({text, style, title});
    return kMbAnswerOk;
}

QStringList CapturedMessageBoxes::texts() const
{
    QStringList result;
    for (const Message &message : m_messages)
        result << message.text;
    return result;
}

void FixedScreen::setBusy(bool busy)
{
    if (busy) {
        ++m_depth;
        ++m_calls;
    } else if (m_depth > 0) {
        --m_depth;
    }
}

namespace {

class ScriptedPicker final : public SearchPicker {
public:
    ScriptedPicker(std::shared_ptr<PickerRecord> record, std::optional<PickChoice> choice)
        : m_record(std::move(record)), m_choice(std::move(choice))
    {}

    void SearchText(const QString &text) override { note("SearchText", m_record->searchText, text); }
    void Caption(const QString &caption) override { note("Caption", m_record->caption, caption); }
    void KeyField(const QString &column) override { note("KeyField", m_record->keyField, column); }
    void QueryText(const QString &sql) override { note("QueryText", m_record->queryText, sql); }
    void Connection(DbConnectionPtr connection) override
    {
        m_record->calls << QStringLiteral("Connection");
        m_record->connection = std::move(connection);
    }
    void AddColumn(const QString &header, const QString &column, int) override
    {
        m_record->calls << QStringLiteral("AddColumn");
        m_record->columns << (header == column ? header : header + u'=' + column);
    }
    std::unique_ptr<DbResultSet> Pick() override;

private:
    void note(const char *call, QString &setting, const QString &value)
    {
        m_record->calls << QString::fromLatin1(call);
        setting = value;
    }
    std::optional<std::size_t> choose(const QStringList &columns,
                                      const std::vector<std::vector<Variant>> &rows) const;

    std::shared_ptr<PickerRecord> m_record;
    std::optional<PickChoice> m_choice; // none: no choice was queued
};

std::optional<std::size_t> ScriptedPicker::choose(const QStringList &columns,
                                                  const std::vector<std::vector<Variant>> &rows) const
{
    if (!m_choice)
        ADD_FAILURE() << "A picker was opened with no scripted choice; it picks nothing";
    if (!m_choice || (!m_choice->index && m_choice->column.isEmpty()))
        return std::nullopt;
    if (m_choice->index && *m_choice->index < rows.size())
        return m_choice->index;
    for (std::size_t i = 0; i < rows.size() && !m_choice->index; ++i) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (columns[c].compare(m_choice->column, Qt::CaseInsensitive) == 0 &&
                rows[i][static_cast<std::size_t>(c)] == m_choice->value)
                return i;
        }
    }
    const QString wanted = m_choice->index
                               ? QStringLiteral("row %1").arg(*m_choice->index)
                               : m_choice->column + QStringLiteral(" = ") + m_choice->value.toText();
    ADD_FAILURE() << "The scripted picker found no " << wanted.toStdString() << " among " << rows.size()
                  << " rows of: " << m_record->queryText.toStdString();
    return std::nullopt;
}

std::unique_ptr<DbResultSet> ScriptedPicker::Pick()
{
    m_record->calls << QStringLiteral("Pick");
    if (!m_record->connection)
        raiseError(kErrNoConnection, QStringLiteral("The picking list has no connection"));
    std::unique_ptr<DbResultSet> result = m_record->connection->OpenResultSet(m_record->queryText);
    QStringList columns;
    for (int column = 0; column < result->columnCount(); ++column)
        columns << result->columnName(column);
    std::vector<std::vector<Variant>> rows;
    for (; !result->Eof(); result->MoveNext()) {
        rows.emplace_back();
        for (int column = 0; column < result->columnCount(); ++column)
            rows.back().push_back(result->value(column));
    }
    // In the order the list shows them: by the first column without regard to the case of the
    // ASCII letters, Nulls first, ties by the key; the query's own order is the engine's.
    const auto position = [&](const QString &name) {
        std::size_t at = 0;
        while (at < static_cast<std::size_t>(columns.size()) &&
               columns[static_cast<qsizetype>(at)].compare(name.section(u'.', -1), Qt::CaseInsensitive) != 0)
            ++at;
        return at;
    };
    if (!m_record->columns.isEmpty()) {
        const std::size_t first = position(m_record->columns.first().section(u'=', -1));
        const std::size_t key = position(m_record->keyField);
        const auto folded = [](const Variant &value) {
            QByteArray bytes = value.isNull() ? QByteArray() : '.' + value.toText().toUtf8();
            for (char &c : bytes)
                c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            return bytes;
        };
        std::stable_sort(rows.begin(), rows.end(), [&](const auto &a, const auto &b) {
            if (first >= a.size())
                return false;
            const QByteArray x = folded(a[first]), y = folded(b[first]);
            return x != y ? x < y : key < a.size() && a[key].toDouble() < b[key].toDouble();
        });
    }
    const std::optional<std::size_t> chosen = choose(columns, rows);
    if (!chosen)
        return MemoryResultSet::empty(columns);
    return std::make_unique<MemoryResultSet>(columns, std::vector<std::vector<Variant>>{rows[*chosen]});
}

} // namespace

std::unique_ptr<SearchPicker> ScriptedPickerFactory::create(QWidget *)
{
    m_records.push_back(std::make_shared<PickerRecord>());
    std::optional<PickChoice> choice;
    if (!m_choices.empty()) {
        choice = std::move(m_choices.front());
        m_choices.pop_front();
    }
    return std::make_unique<ScriptedPicker>(m_records.back(), std::move(choice));
}

const PickerRecord &ScriptedPickerFactory::last() const
{
    static const PickerRecord none;
    if (m_records.empty())
        ADD_FAILURE() << "No picker was opened";
    return m_records.empty() ? none : *m_records.back();
}

} // namespace orv::test
