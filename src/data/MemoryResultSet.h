#pragma once

#include "DbConnection.h"

#include <QStringList>

#include <vector>

namespace orv {

// A result set over rows held in memory: what a picker hands back for the chosen row,
// and an empty result when nothing was chosen. Always rewindable.
class MemoryResultSet final : public DbResultSet {
public:
    MemoryResultSet(QStringList columns, std::vector<std::vector<Variant>> rows);
    static std::unique_ptr<MemoryResultSet> empty(QStringList columns = {});

    void Close() override;
    bool Bof() const override;
    bool Eof() const override;
    void MoveNext() override;
    void MoveFirst() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    Variant value(int column) const override;

private:
    QStringList m_columns;
    std::vector<std::vector<Variant>> m_rows;
    std::size_t m_current = 0;
    bool m_closed = false;
};

} // namespace orv
