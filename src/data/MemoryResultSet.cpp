#include "MemoryResultSet.h"

#include "RuntimeError.h"

namespace orv {

MemoryResultSet::MemoryResultSet(QStringList columns, std::vector<std::vector<Variant>> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{}

std::unique_ptr<MemoryResultSet> MemoryResultSet::empty(QStringList columns)
{
    return std::make_unique<MemoryResultSet>(std::move(columns), std::vector<std::vector<Variant>>{});
}

void MemoryResultSet::Close()
{
    m_closed = true;
    m_rows.clear();
}

bool MemoryResultSet::Bof() const
{
    return m_rows.empty();
}

bool MemoryResultSet::Eof() const
{
    return m_closed || m_current >= m_rows.size();
}

void MemoryResultSet::MoveNext()
{
    if (Eof())
        raiseError(kErrNoCurrentRow,
                   QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    ++m_current;
}

void MemoryResultSet::MoveFirst()
{
    m_current = 0;
}

int MemoryResultSet::columnCount() const
{
    return static_cast<int>(m_columns.size());
}

QString MemoryResultSet::columnName(int column) const
{
    return m_columns.value(column);
}

Variant MemoryResultSet::value(int column) const
{
    if (Eof())
        raiseError(kErrNoCurrentRow,
                   QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
    const auto &row = m_rows[m_current];
    if (column < 0 || static_cast<std::size_t>(column) >= row.size())
        raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(column));
    return row[static_cast<std::size_t>(column)];
}

} // namespace orv
