#include "ResultList.h"

#include "data/RuntimeError.h"

#include "data/AnsiText.h"
#include "data/querymodel/LazyQueryModel.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace orv::browser {

ResultList::ResultList(QWidget *parent) : QTableView(parent), m_rows(new LazyQueryModel(this))
{
    // Rows of a UNION of accounts and branches: only all of these tell two of them apart.
    m_rows->setKeyColumns({QStringLiteral("IDConto"), QStringLiteral("IDRamo"), QStringLiteral("IDPadre")});
    m_rows->setBackgroundCounting(true);
    // A UNION is evaluated whole before its first row: the count brings the first page along.
    m_rows->setFirstPageWithCount(true);
    setModel(m_rows);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setAlternatingRowColors(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    Q_EMIT currentRowChanged(current.row());
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT confirmed();
    });
}

ResultList::~ResultList() = default;

void ResultList::setConnection(DbConnectionPtr connection)
{
    m_connection = std::move(connection);
}

void ResultList::refill(const QString &sql)
{
    m_source = fnAnsi2jet(sql);
    refresh();
}

void ResultList::refresh()
{
    QList<LazyQueryModel::Column> columns;
    if (m_configured) {
        for (const QString &name : std::as_const(m_names)) {
            if (!m_hidden.contains(name))
                columns.append({m_captions.value(name, name), name});
        }
    }
    const bool listed = m_rows->setQuery(m_connection, m_source, columns);
    if (!m_configured)
        m_names = m_rows->queryColumns();
    m_modelColumns = m_configured ? shownColumns() : m_names;
    applyWidths();
    // The model keeps its errors from the views; the dialog's caller or its user hears of them.
    if (!listed)
        raiseError(kErrDatabase, m_rows->errorText());
}

QString ResultList::sqlSource() const
{
    return m_source;
}

LazyQueryModel *ResultList::rows() const
{
    return m_rows;
}

int ResultList::rowCount() const
{
    return m_rows->rowCount();
}

int ResultList::currentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

Variant ResultList::value(const QString &column) const
{
    const int row = currentRow();
    return row < 0 ? Variant() : m_rows->value(row, column);
}

QStringList ResultList::columnNames() const
{
    return m_names;
}

QStringList ResultList::shownColumns() const
{
    QStringList shown;
    for (const QString &name : m_names) {
        if (!m_hidden.contains(name))
            shown << name;
    }
    return shown;
}

int ResultList::shownColumnWidth(const QString &name) const
{
    return m_widths.value(name, horizontalHeader()->defaultSectionSize());
}

void ResultList::setColumn(const QString &name, const QString &caption, int width, bool visible)
{
    m_configured = true;
    m_captions.insert(name, caption);
    if (width >= 0)
        m_widths.insert(name, width);
    if (visible)
        m_hidden.remove(name);
    else
        m_hidden.insert(name);
}

void ResultList::setColumnWidthByName(const QString &name, int width)
{
    m_widths.insert(name, width);
    applyWidths();
}

bool ResultList::columnsChanged() const
{
    return m_modelColumns != (m_configured ? shownColumns() : m_names);
}

void ResultList::applyWidths()
{
    for (int section = 0; section < m_modelColumns.size(); ++section) {
        const auto width = m_widths.constFind(m_modelColumns.at(section));
        if (width != m_widths.constEnd())
            setColumnWidth(section, *width);
    }
}

void ResultList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT confirmed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace orv::browser

#include "moc_ResultList.cpp"
