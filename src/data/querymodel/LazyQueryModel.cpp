#include "LazyQueryModel.h"

#include "AnchorIndex.h"
#include "CountingPass.h"
#include "ListStatements.h"
#include "PageCache.h"

#include "data/AnsiText.h"
#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"
#include "data/SqlDialect.h"

#include <QTimer>

#include <algorithm>
#include <climits>
#include <exception>

namespace orv {

namespace {

using Row = PageCache::Row;

bool isText(const Variant &value)
{
    return value.type() == Variant::Type::String;
}

bool isNothing(const Variant &value)
{
    return value.isNull() || value.isEmpty();
}

// The key becomes an SQL literal that passes the ANSI conversion; a key that would not
// survive it cannot mark where its rows begin.
bool canAnchor(const Variant &key)
{
    if (!isText(key))
        return false;
    const QString text = key.toText();
    return ansiRoundTrip(text) == text;
}

QString describe(const std::exception &error)
{
    if (const auto *runtime = dynamic_cast<const RuntimeError *>(&error))
        return runtime->description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

// Opens the list, drives the two counting passes and tells the views what they counted,
// finds a text's row, and reads pages from the nearest anchor.
class LazyQueryModel::Private {
public:
    explicit Private(LazyQueryModel *model)
        : q(model), anchors([this](QStringView a, QStringView b) { return compare(a, b); }),
          pages([this](int first) { return readPage(first); })
    {
        countTimer.setInterval(0);
        QObject::connect(&countTimer, &QTimer::timeout, q, [this] { backgroundStep(); });
    }

    // Orders two keys as the list does.
    int compare(QStringView a, QStringView b) const { return dialect->compareCaseInsensitive(a, b); }

    std::unique_ptr<DbResultSet> run(const QString &sql, int options = kForwardOnly) const
    {
        QString text = sql;
        return runSql(connection.get(), text, options);
    }
    // The rows of a counting pass, read a step at a time long after they were opened.
    std::unique_ptr<DbResultSet> stream(const QString &sql) const { return run(sql, kStreamed); }

    int count(const QString &sql) const
    {
        auto result = run(sql);
        const int rows = result->Eof() ? 0 : result->value(0).toLong();
        result->Close();
        return rows;
    }

    // Called from the handler of the error.
    void fail(const std::exception &error) const
    {
        errorText = describe(error);
        failure = std::current_exception();
        Q_EMIT q->failed(errorText);
    }

    void reset()
    {
        countTimer.stop();
        forward.reset();
        firstPage.clear();
        backward.reset();
        connection.reset();
        dialect = nullptr;
        queryText.clear();
        statements = ListStatements();
        names.clear();
        nameIndex.reset();
        visible.clear();
        orderVisible = -1;
        start.clear();
        atEnd = false;
        keysBeforeDone = true;
        keyRowsBefore = 0;
        nullRowsBefore = 0;
        leadingNulls = -1;
        forwardTurn = true;
        anchors.reset(pageSize, anchorLimit, true);
        publishedBefore = 0;
        publishedAfter = 0;
        announced = true;
        pages.reset(pageSize, cacheLimit);
        errorText.clear();
        failure = nullptr;
    }

    bool load(DbConnectionPtr with, const QString &sql, const QList<Column> &shown, const QString &startText,
              bool openAtEnd)
    {
        const Notifying guard(*this);
        q->beginResetModel();
        reset();
        pageSize = wantedPageSize;
        cacheLimit = wantedCacheLimit;
        anchorLimit = wantedAnchorLimit;
        pages.reset(pageSize, cacheLimit);
        connection = std::move(with);
        queryText = sql;
        columns = shown;
        // The text reaches the database in its ANSI form; start where the database sees it.
        start = openAtEnd ? QString() : ansiRoundTrip(startText);
        atEnd = openAtEnd;
        bool ok = true;
        try {
            open();
            advance(forward, pageSize, -1);
            advance(backward, pageSize, -1);
            publishedBefore = backward.counted();
            publishedAfter = forward.counted();
            if (!firstPage.empty()) {
                firstPage.resize(static_cast<std::size_t>(pageSize));
                pages.insert(0, PageCache::Page{std::move(firstPage), false}, published());
                firstPage.clear();
            }
        } catch (const std::exception &error) {
            fail(error);
            forward.close();
            backward.close();
            visible.assign(static_cast<std::size_t>(columns.size()), -1);
            orderVisible = -1;
            ok = false;
        }
        announced = !ok;
        q->endResetModel();
        publish();
        if (background && !isComplete())
            countTimer.start();
        return ok && errorText.isEmpty();
    }

    // Opens again where the caller asks, with the same query.
    bool reload(const QString &startText, bool openAtEnd)
    {
        const DbConnectionPtr with = connection;
        const QString sql = queryText;
        const QList<Column> shown = columns;
        return load(with, sql, shown, startText, openAtEnd);
    }

    bool isComplete() const { return forward.isComplete() && backward.isComplete(); }
    int published() const { return publishedBefore + publishedAfter; }

    // Reads the column names, chooses the ordering column and starts the counting passes.
    void open()
    {
        if (!connection)
            raiseError(kErrNoConnection, QStringLiteral("No database connection is set"));
        dialect = &connection->dialect();
        statements = ListStatements(*dialect, queryText);
        auto probe = run(statements.columnNames());
        for (int column = 0; column < probe->columnCount(); ++column)
            names << probe->columnName(column);
        probe->Close();
        nameIndex = std::make_unique<MemoryResultSet>(names, std::vector<Row>{});
        if (columns.isEmpty()) {
            // Nothing chosen: every column of the query, headed by its name.
            for (const QString &name : std::as_const(names))
                columns.append(Column{name, name});
        }
        for (const Column &column : std::as_const(columns))
            visible.push_back(nameIndex->columnIndex(column.name));
        const auto first = std::find_if(visible.begin(), visible.end(), [](int index) { return index >= 0; });
        if (first == visible.end()) {
            start.clear();
            forward.start(stream(statements.everyRow()), false, {});
            return;
        }
        orderVisible = static_cast<int>(first - visible.begin());
        QStringList tieBreakers;
        for (const QString &name : std::as_const(keyColumns)) {
            const int key = name.isEmpty() ? -1 : nameIndex->columnIndex(name);
            if (key >= 0 && key != *first)
                tieBreakers << names.at(key);
        }
        statements.setOrder(names.at(*first), tieBreakers);
        anchors.reset(pageSize, anchorLimit, !atEnd && start.isEmpty());
        const CountingPass::Compare keys = [this](QStringView a, QStringView b) { return compare(a, b); };

        if (atEnd) {
            // Backwards from the last row; rows with a Null key come after the others.
            backward.start(stream(statements.keysFromLast()), true, keys);
            keysBeforeDone = false;
            return;
        }
        if (start.isEmpty()) {
            if (!firstPageWithCount) {
                forward.start(stream(statements.keysFromFirst()), true, keys);
                return;
            }
            // The key first, then the row's columns: the rows of the first page are kept.
            firstPage.clear();
            forward.start(stream(statements.keysAndRowsFromFirst()), true, keys,
                          [this](const DbResultSet &rs) {
                              if (static_cast<int>(firstPage.size()) >= pageSize)
                                  return;
                              Row row;
                              row.reserve(static_cast<std::size_t>(rs.columnCount() - 1));
                              for (int column = 1; column < rs.columnCount(); ++column)
                                  row.push_back(rs.value(column));
                              firstPage.push_back(std::move(row));
                          });
            return;
        }
        forward.start(stream(statements.keysFrom(start)), true, keys);
        backward.start(stream(statements.keysBefore(start)), true, keys);
        keysBeforeDone = false;
        anchors.addStart(start);
    }

    // A run of a new key begins forwards at rel = forward.counted().
    void noteForwardKey(const Variant &key)
    {
        const int rel = forward.counted();
        if (start.isEmpty() && leadingNulls < 0 && !isNothing(key))
            leadingNulls = rel;
        if (anchors.dueAfter(rel) && canAnchor(key))
            anchors.noteAfter(rel, key.toText());
    }

    // Backwards the first row of a key is the last one seen with it, at rel = -counted.
    void addBackwardAnchor()
    {
        const int rel = -backward.counted();
        if (backward.hasLastKey() && anchors.dueBefore(rel) && canAnchor(backward.lastKey()))
            anchors.noteBefore(rel, backward.lastKey().toText());
    }

    // Backwards, the rows whose key is Null come last: they are counted at once when the
    // rows with a key are done (there are few or none).
    void countNullsBefore()
    {
        keysBeforeDone = true;
        keyRowsBefore = backward.counted();
        nullRowsBefore = count(statements.countWithoutKey());
        backward.addCounted(nullRowsBefore);
    }

    // Counts rows until the pass has counted untilCount, or until budgetMs have passed
    // (negative: no such limit), or to its end.
    void advance(CountingPass &pass, int untilCount, int budgetMs)
    {
        const bool backwards = &pass == &backward;
        try {
            const bool ended = pass.advance(untilCount, budgetMs, [&](const Variant &key) {
                backwards ? addBackwardAnchor() : noteForwardKey(key);
            });
            if (ended && backwards) {
                addBackwardAnchor();
                countNullsBefore();
            }
        } catch (const std::exception &error) {
            // The rows counted so far stay listed; no more will come.
            fail(error);
            pass.close();
            if (backwards && !keysBeforeDone) {
                keysBeforeDone = true;
                keyRowsBefore = backward.counted();
            }
        }
    }

    // One counting step: at least a page of rows, then whatever the time budget allows.
    void step(CountingPass &pass)
    {
        advance(pass, pass.counted() + pageSize, -1);
        advance(pass, -1, countStepMs);
    }

    // Makes the rows counted so far visible to views: those before the start at the top.
    void publish()
    {
        if (backward.counted() > publishedBefore) {
            const Notifying guard(*this);
            q->beginInsertRows(QModelIndex(), 0, backward.counted() - publishedBefore - 1);
            publishedBefore = backward.counted();
            q->endInsertRows();
        }
        if (forward.counted() > publishedAfter) {
            const Notifying guard(*this);
            const int first = published();
            q->beginInsertRows(QModelIndex(), first, first + forward.counted() - publishedAfter - 1);
            publishedAfter = forward.counted();
            q->endInsertRows();
        }
        if (isComplete() && !announced) {
            announced = true;
            countTimer.stop();
            Q_EMIT q->countComplete(published());
        }
    }

    // Set while the model tells its listeners about a change. A listener that asks for more
    // rows from inside such a notification gets them right after it, not in the middle of it.
    struct Notifying {
        explicit Notifying(Private &model) : p(model) { ++p.notifying; }
        ~Notifying() { --p.notifying; }
        Notifying(const Notifying &) = delete;
        Notifying &operator=(const Notifying &) = delete;
        Private &p;
    };

    void deferStep(CountingPass &pass)
    {
        bool &pending = &pass == &backward ? backwardStepPending : forwardStepPending;
        if (pending)
            return;
        pending = true;
        QTimer::singleShot(0, q, [this, &pass, &pending] {
            pending = false;
            if (!pass.isComplete()) {
                step(pass);
                publish();
            }
        });
    }

    void countingStep(CountingPass &pass)
    {
        if (pass.isComplete())
            return;
        if (notifying > 0) {
            deferStep(pass);
            return;
        }
        step(pass);
        publish();
    }

    void backgroundStep()
    {
        forwardTurn = !forwardTurn;
        const bool forwards = backward.isComplete() || (!forward.isComplete() && forwardTurn);
        step(forwards ? forward : backward);
        publish();
    }

    // Whether a key orders before a text: Nulls and numbers order before every text.
    bool ordersBefore(const Variant &key, const QString &text) const
    {
        return !isText(key) || compare(key.toText(), text) < 0;
    }

    // Whether every row between the text and the start is counted, so that the text's row
    // can be counted between anchors.
    bool covers(const QString &text) const
    {
        const bool fromBelow =
            backward.isComplete() || (backward.counted() == 0 ? !atEnd && compare(text, start) >= 0
                                                              : ordersBefore(backward.lastKey(), text));
        const bool fromAbove =
            forward.isComplete() || (forward.hasLastKey() && !ordersBefore(forward.lastKey(), text));
        return fromBelow && fromAbove;
    }

    // The rel of the first row >= wanted, counted between the anchors around it.
    int relForText(const QString &wanted) const
    {
        const AnchorIndex::Anchor *upper = anchors.firstNotBefore(wanted);
        if (upper && compare(upper->key, wanted) == 0)
            return upper->rel;
        if (const AnchorIndex::Anchor *lower = anchors.lastBefore(wanted))
            return lower->rel + count(statements.countBetween(lower->key, wanted));
        if (upper)
            return upper->rel - count(statements.countBetween(wanted, upper->key));
        // No anchor at all: none of the keys counted could mark one.
        if (atEnd)
            return -count(statements.countFrom(wanted));
        return count(statements.countBefore(wanted));
    }

    // Reads `count` rows of sql into rows from slot on; backwards they come last row first.
    void readInto(const QString &sql, std::vector<Row> &rows, int slot, int rowCount, bool backwards) const
    {
        auto result = run(sql);
        const int columnCount = result->columnCount();
        for (int i = 0; i < rowCount && !result->Eof(); ++i) {
            Row row;
            row.reserve(columnCount);
            for (int column = 0; column < columnCount; ++column)
                row.push_back(result->value(column));
            rows[static_cast<std::size_t>(backwards ? slot + rowCount - 1 - i : slot + i)] = std::move(row);
            result->MoveNext();
        }
        result->Close();
    }

    // Rows [from, to) of those with a key (or of all rows when the list opened at its start),
    // read from the nearest anchor forwards or backwards.
    void readOrdered(int from, int to, std::vector<Row> &rows, int slot) const
    {
        const int wanted = to - from;
        // Forwards: from the last anchor at or before `from`, or from the start.
        const AnchorIndex::Anchor *ahead = anchors.lastAtOrBefore(from);
        int forwardCost = ahead ? from - ahead->rel : INT_MAX;
        const bool fromStart = from >= 0 && from < forwardCost;
        if (fromStart)
            forwardCost = from;
        // Backwards: from the first anchor at or after `to`, or from the start (the end of the
        // list when it opened there). Reading backwards skips Null keys, which lie before every
        // key: only rows known to have a key are read that way.
        const AnchorIndex::Anchor *below = anchors.firstAtOrAfter(to);
        const AnchorIndex::Anchor startAnchor{0, start};
        if (!below && !start.isEmpty() && to <= 0)
            below = &startAnchor;
        const bool fromEnd = !below && atEnd && to <= 0;
        const bool keysOnly = atEnd || !start.isEmpty() || (leadingNulls >= 0 && from >= leadingNulls);
        const int backwardCost = keysOnly && (below || fromEnd) ? (below ? below->rel : 0) - to : INT_MAX;

        if (backwardCost < forwardCost) {
            readInto(below ? statements.rowsBefore(below->key, wanted, backwardCost)
                           : statements.rowsFromLast(wanted, backwardCost),
                     rows, slot, wanted, true);
        } else if (fromStart) {
            readInto(start.isEmpty() ? statements.rowsFromFirst(wanted, from)
                                     : statements.rowsFrom(start, wanted, from),
                     rows, slot, wanted, false);
        } else if (ahead) {
            readInto(statements.rowsFrom(ahead->key, wanted, forwardCost), rows, slot, wanted, false);
        }
    }

    PageCache::Page readPage(int first) const
    {
        PageCache::Page page{std::vector<Row>(static_cast<std::size_t>(pageSize)), false};
        const int end = first + pageSize;
        try {
            if (orderVisible < 0) {
                readInto(statements.page(pageSize, first), page.rows, 0, pageSize, false);
                return page;
            }
            int from = first;
            const int keysStart = -keyRowsBefore;
            if (keysBeforeDone && nullRowsBefore > 0 && first < keysStart) {
                // Rows whose key is Null: the first rows of a list that opened at a text.
                const int nullsStart = keysStart - nullRowsBefore;
                const int nullsFrom = std::max(first, nullsStart);
                const int nullsTo = std::min(end, keysStart);
                if (nullsFrom < nullsTo) {
                    readInto(statements.rowsWithoutKey(nullsTo - nullsFrom, nullsFrom - nullsStart),
                             page.rows, nullsFrom - first, nullsTo - nullsFrom, false);
                }
                from = keysStart;
            }
            if (from < end)
                readOrdered(from, end, page.rows, from - first);
        } catch (const std::exception &error) {
            fail(error); // the page stays empty rather than being asked for again and again
            page.failed = true;
        }
        return page;
    }

    const Row *row(int index) const
    {
        if (index < 0 || index >= published() || !connection)
            return nullptr;
        return pages.row(index - publishedBefore, published());
    }

    LazyQueryModel *const q;

    // Settings asked for, and those in force for the current query.
    int wantedPageSize = kDefaultPageSize;
    int wantedCacheLimit = kDefaultCacheLimit;
    int wantedAnchorLimit = kDefaultAnchorLimit;
    QStringList keyColumns;
    int countStepMs = kDefaultCountStepMs;
    bool background = false;
    bool firstPageWithCount = false;
    std::vector<Row> firstPage; // read by the first counting step
    int pageSize = kDefaultPageSize;
    int cacheLimit = kDefaultCacheLimit;
    int anchorLimit = kDefaultAnchorLimit;
    QTimer countTimer;

    DbConnectionPtr connection;
    const SqlDialect *dialect = nullptr; // the connection's
    QString queryText;                   // the caller's text
    ListStatements statements;
    QList<Column> columns;
    QStringList names;
    std::unique_ptr<MemoryResultSet> nameIndex; // finds a column by name as DbFields::Item does
    std::vector<int> visible;                   // per visible column: query column or -1
    int orderVisible = -1;
    QString start;      // the start text as the database sees it; empty: the list's start
    bool atEnd = false; // opened after the last row: every row comes before the start

    CountingPass forward;
    CountingPass backward;
    bool keysBeforeDone = true; // the backward pass has read every row with a key
    int keyRowsBefore = 0;      // rows with a key before the start, once keysBeforeDone
    int nullRowsBefore = 0;
    int leadingNulls = -1; // rows with a Null key at the head of a list opened at its start
    bool forwardTurn = true;
    AnchorIndex anchors;

    int publishedBefore = 0; // rows views have been told about, before and after the start
    int publishedAfter = 0;
    bool announced = true;
    int notifying = 0;
    bool forwardStepPending = false;
    bool backwardStepPending = false;

    mutable PageCache pages;
    mutable QString errorText;
    mutable std::exception_ptr failure;
};

LazyQueryModel::LazyQueryModel(QObject *parent)
    : QAbstractTableModel(parent), d(std::make_unique<Private>(this))
{}

LazyQueryModel::~LazyQueryModel() = default;

void LazyQueryModel::setPageSize(int rows)
{
    d->wantedPageSize = std::max(1, rows);
}

int LazyQueryModel::pageSize() const
{
    return d->pageSize;
}

void LazyQueryModel::setCacheLimit(int pages)
{
    d->wantedCacheLimit = std::max(1, pages);
}

void LazyQueryModel::setAnchorLimit(int anchors)
{
    d->wantedAnchorLimit = std::max(2, anchors);
}

void LazyQueryModel::setKeyColumn(const QString &name)
{
    d->keyColumns = QStringList{name};
}

void LazyQueryModel::setKeyColumns(const QStringList &names)
{
    d->keyColumns = names;
}

void LazyQueryModel::setCountStep(int milliseconds)
{
    d->countStepMs = std::max(0, milliseconds);
}

void LazyQueryModel::setBackgroundCounting(bool enabled)
{
    d->background = enabled;
    if (!enabled)
        d->countTimer.stop();
    else if (!d->isComplete())
        d->countTimer.start();
}

void LazyQueryModel::setFirstPageWithCount(bool enabled)
{
    d->firstPageWithCount = enabled;
}

bool LazyQueryModel::setQuery(DbConnectionPtr connection, const QString &sql, const QList<Column> &columns,
                              const QString &startText)
{
    return d->load(std::move(connection), sql, columns, startText, false);
}

void LazyQueryModel::clear()
{
    const Private::Notifying guard(*d);
    beginResetModel();
    d->reset();
    d->columns.clear();
    endResetModel();
}

bool LazyQueryModel::hasError() const
{
    return !d->errorText.isEmpty();
}

QString LazyQueryModel::errorText() const
{
    return d->errorText;
}

std::exception_ptr LazyQueryModel::error() const
{
    return d->failure;
}

bool LazyQueryModel::isCountComplete() const
{
    return d->isComplete();
}

void LazyQueryModel::countAll()
{
    d->advance(d->forward, -1, -1);
    d->advance(d->backward, -1, -1);
    d->publish();
}

bool LazyQueryModel::canFetchBefore() const
{
    return !d->backward.isComplete();
}

void LazyQueryModel::fetchBefore()
{
    d->countingStep(d->backward);
}

int LazyQueryModel::orderColumn() const
{
    return d->orderVisible;
}

int LazyQueryModel::rowForPrefix(const QString &text)
{
    if (d->orderVisible < 0)
        return -1;
    const QString wanted = ansiRoundTrip(text);
    const bool counted = wanted.isEmpty() ? d->backward.isComplete() : d->covers(wanted);
    if (!counted) {
        // Open again at the text: an index seek, where counting up to it may take seconds.
        return d->reload(wanted, false) ? d->publishedBefore : -1;
    }
    if (wanted.isEmpty())
        return 0;
    int rel = 0;
    try {
        rel = d->relForText(wanted);
    } catch (const std::exception &error) {
        d->fail(error);
        return -1;
    }
    return std::clamp(d->publishedBefore + rel, 0, d->published());
}

int LazyQueryModel::lastRow()
{
    if (!d->forward.isComplete()) {
        if (d->orderVisible >= 0) {
            d->reload(QString(), true);
        } else {
            d->advance(d->forward, -1, -1);
            d->publish();
        }
    }
    return rowCount() - 1;
}

QStringList LazyQueryModel::queryColumns() const
{
    return d->names;
}

std::vector<Variant> LazyQueryModel::rowValues(int row) const
{
    const std::vector<Variant> *values = d->row(row);
    return values ? *values : std::vector<Variant>{};
}

Variant LazyQueryModel::value(int row, const QString &column) const
{
    const int index = d->nameIndex ? d->nameIndex->columnIndex(column) : -1;
    const std::vector<Variant> *values = index >= 0 ? d->row(row) : nullptr;
    if (!values || static_cast<std::size_t>(index) >= values->size())
        return Variant();
    return (*values)[static_cast<std::size_t>(index)];
}

int LazyQueryModel::cachedPageCount() const
{
    return d->pages.size();
}

int LazyQueryModel::anchorCount() const
{
    return d->anchors.size();
}

int LazyQueryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : d->published();
}

int LazyQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(d->columns.size());
}

QVariant LazyQueryModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return {};
    const int source = d->visible.at(static_cast<std::size_t>(index.column()));
    const std::vector<Variant> *values = source >= 0 ? d->row(index.row()) : nullptr;
    if (!values || static_cast<std::size_t>(source) >= values->size())
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    const Variant &value = (*values)[static_cast<std::size_t>(source)];
    if (role == Qt::TextAlignmentRole) {
        switch (value.type()) {
        case Variant::Type::Integer:
        case Variant::Type::Long:
        case Variant::Type::Double:
        case Variant::Type::Currency:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        default:
            return {};
        }
    }
    if (value.isNull() || value.isEmpty())
        return QString();
    return value.toText();
}

QVariant LazyQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section < 0 || section >= d->columns.size())
            return {};
        return d->columns.at(section).header;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags LazyQueryModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool LazyQueryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !d->forward.isComplete();
}

void LazyQueryModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        d->countingStep(d->forward);
}

} // namespace orv

#include "moc_LazyQueryModel.cpp"
