#pragma once

#include "data/DbConnection.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <exception>
#include <memory>
#include <vector>

namespace orv {

// A read-only table over the rows of any SELECT text, for lists that may hold a million rows.
//
// The rows are ordered by the first visible column without regard to case (as SQLite's NOCASE
// collation orders texts), Nulls first, and then by the key column when one is set, so that
// rows with equal values come in one order whichever way they are read. The statements wrap
// the caller's text as a subquery and are written in the connection's dialect. Rows are read
// in pages as the view asks for them and only a bounded number of pages is kept (PageCache).
//
// A list opens at a start text: the first row whose ordering value is >= the text, found with
// an index seek. From there two ordered passes count the rows (CountingPass), one forwards to
// the end and one backwards to the start, in steps (a page each way at setQuery, the rest on a
// zero timer or when a view asks for more), so the model is usable at once: rows after the
// start are appended and rows before it inserted at the top as the passes reach them, and
// rowCount() grows until both have seen every row. On their way the passes note, every few
// hundred rows, the row at which a key value begins (AnchorIndex). A page is read with an
// index seek to the nearest anchor and a short OFFSET from there, forwards or backwards, and
// rowForPrefix() counts only the rows between two anchors; nothing reads from the start of
// the list.
//
// Column values are found by name as DbFields::Item finds them: without table prefix and
// without regard to case. Connection errors never escape: the model then shows what it could
// read (no rows after a failed setQuery), keeps the error and signals failed().
class LazyQueryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // One visible column: its header and the name of the query column that fills it.
    struct Column {
        QString header;
        QString name;
    };

    static constexpr int kDefaultPageSize = 256;
    static constexpr int kDefaultCacheLimit = 16;    // pages
    static constexpr int kDefaultAnchorLimit = 4096; // anchors
    static constexpr int kDefaultCountStepMs = 20;   // milliseconds of counting per step

    explicit LazyQueryModel(QObject *parent = nullptr);
    ~LazyQueryModel() override;

    // Settings; they apply from the next setQuery().
    void setPageSize(int rows);
    int pageSize() const;
    void setCacheLimit(int pages);
    void setAnchorLimit(int anchors);
    // The query column that tells rows with equal ordering values apart (the row's id); none
    // when empty or when the query has no such column.
    void setKeyColumn(const QString &name);
    // Several such columns, in order, for rows that only all of them tell apart (a UNION of
    // two tables, say); the query's columns among them count.
    void setKeyColumns(const QStringList &names);
    // Time given to each counting step after the first. With 0 a step counts one page of rows.
    void setCountStep(int milliseconds);
    // Whether the passes go on by themselves on a zero timer until every row is counted.
    void setBackgroundCounting(bool enabled);
    // For a SELECT that the engine evaluates whole before it gives its first row (a UNION, whose
    // rows it first sets apart): a list opened at its start reads its first page in its first
    // counting step, rather than evaluating the SELECT a second time for it. The count then
    // reads every column, so this does not suit a list the engine can read in order from an index.
    void setFirstPageWithCount(bool enabled);

    // Lists the rows of sql (a SELECT) read through connection, with the given visible columns
    // in order (every query column when none is given), opened at startText: the rows before
    // it come first, and rowForPrefix(startText) is where they end. False, with errorText(),
    // when the query cannot be run; the model is then empty.
    bool setQuery(DbConnectionPtr connection, const QString &sql, const QList<Column> &columns,
                  const QString &startText = QString());
    // Empties the model and closes everything it holds open on the connection.
    void clear();

    bool hasError() const;
    QString errorText() const;
    // The error itself, to raise again; null when the model had none since its last setQuery().
    std::exception_ptr error() const;

    // True once both passes have seen every row: rowCount() is then the number of rows.
    bool isCountComplete() const;
    // Counts the remaining rows now.
    void countAll();
    // Whether rows before the first row remain to be counted, and a counting step backwards
    // that inserts them at the top: the counterpart of canFetchMore() and fetchMore().
    bool canFetchBefore() const;
    void fetchBefore();

    // The visible column that orders the rows: the first visible column that the query has;
    // -1 when none has (the rows then come in the query's own order).
    int orderColumn() const;

    // The row of the first row whose ordering value is >= text, compared without regard to
    // case; rowCount() when every row is smaller, 0 (the first row of the list) for an empty
    // text, -1 when the model has no ordering column or a count fails. When the text lies
    // beyond the rows counted so far, the model opens again at the text (a model reset)
    // rather than counting every row up to it.
    int rowForPrefix(const QString &text);
    // The last row of the whole list, -1 when it has none. When rows after the last one
    // counted remain, an ordered list opens again at its end (a model reset) and counts
    // backwards from there; an unordered one counts them.
    int lastRow();

    // All columns of the query's rows, in the query's order, not only the visible ones.
    QStringList queryColumns() const;
    // All column values of one row (queryColumns() order); empty for a row out of range.
    std::vector<Variant> rowValues(int row) const;
    // One value of a row by query column name (table prefix and case ignored); Empty when the
    // row or the column does not exist.
    Variant value(int row, const QString &column) const;

    int cachedPageCount() const;
    int anchorCount() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

Q_SIGNALS:
    // Emitted once both passes have counted every row.
    void countComplete(int rows);
    // Emitted when a read fails: at setQuery(), in a counting step, or for a page that data()
    // asked for. A view's owner should take it queued, as it may come while the view paints.
    void failed(const QString &errorText);

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace orv
