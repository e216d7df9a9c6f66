#pragma once

#include "data/DbConnection.h"
#include "data/SearchPicker.h"
#include "field/FieldContext.h"

#include <QString>

#include <initializer_list>
#include <memory>

namespace orv::lookup {

// Runs one step of a lookup whose errors are ignored: a step that fails, whatever it throws,
// has no effect beyond what it did before failing, and the lookup goes on with the next step.
template <typename Step> bool ignoringErrors(Step &&step) noexcept
{
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

// The current result set of a lookup. A statement that runs replaces it (the previous set is
// closed); one that fails leaves it as it was, like any step that had no effect. The set still
// held when the lookup ends is closed then.
class CurrentResultSet {
public:
    CurrentResultSet() = default;
    CurrentResultSet(const CurrentResultSet &) = delete;
    CurrentResultSet &operator=(const CurrentResultSet &) = delete;
    ~CurrentResultSet() { close(); }

    // Runs sql on the connection (the text crosses to ANSI and back in place).
    void open(DbConnection *connection, QString &sql);
    void take(std::unique_ptr<DbResultSet> rs);
    void close() noexcept;

    // Neither EOF nor BOF: the current row is a candidate. False when there is no set.
    bool hasRow() const;
    DbResultSet &operator*() const;
    DbResultSet *operator->() const { return &**this; }

private:
    std::unique_ptr<DbResultSet> m_rs;
};

// bRicercaInCorso for the life of a lookup run: cleared when the run ends, however it ends.
class SearchInProgress {
public:
    explicit SearchInProgress(FieldWork &w) : m_w(w) { m_w.bRicercaInCorso = true; }
    ~SearchInProgress()
    {
        if (!m_handedOver)
            m_w.bRicercaInCorso = false;
    }
    // The run ends in a command that clears the flag when it ends.
    void handOver() { m_handedOver = true; }
    SearchInProgress(const SearchInProgress &) = delete;
    SearchInProgress &operator=(const SearchInProgress &) = delete;

private:
    FieldWork &m_w;
    bool m_handedOver = false;
};

// Column values of the current row, Null read as "" or 0.
QString textOf(const DbResultSet &rs, const QString &column);
std::int32_t longOf(const DbResultSet &rs, const QString &column);
// Null-safe, as text, then the leading-number parse: how ids that may be Null are read.
std::int32_t parsedIdOf(const DbResultSet &rs, const QString &column);

struct PickerColumn {
    const char *header;
    const char *column;
};
void addColumns(SearchPicker &picker, std::initializer_list<PickerColumn> columns);

// The picking list of one run, created at its first use with the field's CaptionSearch.
class RunPicker {
public:
    explicit RunPicker(FieldContext &field) : m_field(field) {}
    SearchPicker &get();

private:
    FieldContext &m_field;
    std::unique_ptr<SearchPicker> m_picker;
};

} // namespace orv::lookup
