#include "LookupSupport.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "platform/Services.h"

namespace orv::lookup {

void CurrentResultSet::open(DbConnection *connection, QString &sql)
{
    take(runSql(connection, sql));
}

void CurrentResultSet::take(std::unique_ptr<DbResultSet> rs)
{
    close();
    m_rs = std::move(rs);
}

void CurrentResultSet::close() noexcept
{
    if (m_rs)
        ignoringErrors([this] { m_rs->Close(); });
    m_rs.reset();
}

bool CurrentResultSet::hasRow() const
{
    return m_rs && !m_rs->Eof() && !m_rs->Bof();
}

DbResultSet &CurrentResultSet::operator*() const
{
    if (!m_rs)
        raiseError(kErrNoCurrentRow, QStringLiteral("The statement of this step did not run"));
    return *m_rs;
}

QString textOf(const DbResultSet &rs, const QString &column)
{
    return dbUtility().NullToValue(rs.Fields().Item(column)).toText();
}

std::int32_t longOf(const DbResultSet &rs, const QString &column)
{
    return dbUtility().NullToValue(rs.Fields().Item(column)).toLong();
}

std::int32_t parsedIdOf(const DbResultSet &rs, const QString &column)
{
    return leadingLong(dbUtility().NullToValue(rs.Fields().Item(column)));
}

void addColumns(SearchPicker &picker, std::initializer_list<PickerColumn> columns)
{
    for (const PickerColumn &c : columns)
        picker.AddColumn(QString::fromUtf8(c.header), QString::fromUtf8(c.column), 1);
}

SearchPicker &RunPicker::get()
{
    if (!m_picker) {
        m_picker = services::pickers().create(m_field.dialogParent());
        m_picker->Caption(m_field.state().CaptionSearch);
    }
    return *m_picker;
}

} // namespace orv::lookup
