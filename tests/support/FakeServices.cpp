#include "FakeServices.h"

#include "data/RuntimeError.h"

#include <gtest/gtest.h>

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

PickChoice PickChoice::row(std::size_t index)
{
    PickChoice choice;
    choice.m_index = index;
    choice.m_description = QStringLiteral("row %1").arg(index);
    return choice;
}

PickChoice PickChoice::withValue(const QString &column, const Variant &value)
{
    PickChoice choice;
    choice.m_column = column;
    choice.m_value = value;
    choice.m_description = QStringLiteral("the first row with %1 = %2").arg(column, value.toText());
    return choice;
}

std::optional<std::size_t> PickChoice::choose(const QStringList &columns,
                                              const std::vector<std::vector<Variant>> &rows) const
{
    if (m_index)
        return *m_index < rows.size() ? m_index : std::nullopt;
    for (std::size_t i = 0; i < rows.size() && !isCancel(); ++i) {
        for (qsizetype column = 0; column < columns.size(); ++column) {
            if (columns[column].compare(m_column, Qt::CaseInsensitive) == 0 &&
                rows[i][static_cast<std::size_t>(column)] == m_value)
                return i;
        }
    }
    return std::nullopt;
}

ScriptedPicker::ScriptedPicker(std::shared_ptr<PickerRecord> record, PickChoice choice)
    : m_record(std::move(record)), m_choice(std::move(choice))
{}

void ScriptedPicker::SearchText(const QString &text)
{
    m_record->calls << QStringLiteral("SearchText");
    m_record->searchText = text;
}

void ScriptedPicker::Caption(const QString &caption)
{
    m_record->calls << QStringLiteral("Caption");
    m_record->caption = caption;
}

void ScriptedPicker::KeyField(const QString &column)
{
    m_record->calls << QStringLiteral("KeyField");
    m_record->keyField = column;
}

void ScriptedPicker::QueryText(const QString &sql)
{
    m_record->calls << QStringLiteral("QueryText");
    m_record->queryText = sql;
}

void ScriptedPicker::Connection(DbConnectionPtr connection)
{
    m_record->calls << QStringLiteral("Connection");
    m_record->connection = std::move(connection);
}

void ScriptedPicker::AddColumn(const QString &header, const QString &column, int flag)
{
    m_record->calls << QStringLiteral("AddColumn");
    m_record->columns.push_back({header, column, flag});
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
        std::vector<Variant> row;
        for (int column = 0; column < result->columnCount(); ++column)
            row.push_back(result->value(column));
        rows.push_back(std::move(row));
    }
    result->Close();

    m_record->rowsOffered = static_cast<int>(rows.size());
    const std::optional<std::size_t> chosen = m_choice.choose(columns, rows);
    if (!chosen) {
        if (!m_choice.isCancel())
            ADD_FAILURE() << "The scripted picker found no row for " << m_choice.description().toStdString()
                          << " among " << rows.size() << " rows of: " << m_record->queryText.toStdString();
        return MemoryResultSet::empty(columns);
    }
    return std::make_unique<MemoryResultSet>(columns, std::vector<std::vector<Variant>>{rows[*chosen]});
}

std::unique_ptr<SearchPicker> ScriptedPickerFactory::create(QWidget *)
{
    auto record = std::make_shared<PickerRecord>();
    m_records.push_back(record);
    if (m_choices.empty()) {
        ADD_FAILURE() << "A picker was opened with no scripted choice; it cancels";
        return std::make_unique<ScriptedPicker>(record, PickChoice::cancel());
    }
    PickChoice choice = std::move(m_choices.front());
    m_choices.pop_front();
    return std::make_unique<ScriptedPicker>(record, std::move(choice));
}

ScriptedPickerFactory &ScriptedPickerFactory::then(PickChoice choice)
{
    m_choices.push_back(std::move(choice));
    return *this;
}

const PickerRecord &ScriptedPickerFactory::last() const
{
    if (m_records.empty()) {
        ADD_FAILURE() << "No picker was opened";
        static const PickerRecord none;
        return none;
    }
    return *m_records.back();
}

} // namespace orv::test
