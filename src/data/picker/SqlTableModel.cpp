#include "SqlTableModel.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <exception>
#include <iterator>
#include <list>

namespace orv {

namespace {

// The bytes SQLite's NOCASE collation compares: UTF-8 with only the ASCII letters folded.
// Byte-wise comparison of two folded texts orders them as the database does.
QByteArray foldNoCase(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    for (char &c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return bytes;
}

bool isText(const Variant &value)
{
    return value.type() == Variant::Type::String;
}

bool isNothing(const Variant &value)
{
    return value.isNull() || value.isEmpty();
}

// Whether the ordering treats two keys as one value: texts equal but for the case of ASCII
// letters (NOCASE), equal numbers, or both Null. Runs once per counted row, so it allocates
// nothing.
bool sameKey(const Variant &a, const Variant &b)
{
    if (isNothing(a) || isNothing(b))
        return isNothing(a) && isNothing(b);
    if (isText(a) != isText(b))
        return false;
    if (!isText(a))
        return a.toDouble() == b.toDouble();
    const QString left = a.toText();
    const QString right = b.toText();
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i) {
        char16_t x = left.at(i).unicode();
        char16_t y = right.at(i).unicode();
        if (x == y)
            continue;
        if (x >= u'A' && x <= u'Z')
            x = static_cast<char16_t>(x - u'A' + u'a');
        if (y >= u'A' && y <= u'Z')
            y = static_cast<char16_t>(y - u'A' + u'a');
        if (x != y)
            return false;
    }
    return true;
}

QString quoteIdentifier(QString name)
{
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// The caller's text as a subquery. Trailing semicolons go; the line break keeps a trailing
// line comment from swallowing the closing parenthesis.
QString asSubquery(const QString &sql)
{
    QString text = sql.trimmed();
    while (text.endsWith(QLatin1Char(';')))
        text = text.chopped(1).trimmed();
    return QLatin1Char('(') + text + QLatin1String("\n)");
}

QString describe(const std::exception &error)
{
    if (const auto *runtime = dynamic_cast<const RuntimeError *>(&error))
        return runtime->description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

class SqlTableModel::Private {
public:
    // The row at which the rows with an ordering value >= key begin.
    struct Anchor {
        int row;
        QString key;
        QByteArray folded;
    };
    struct Page {
        int number;
        std::vector<std::vector<Variant>> rows;
    };

    explicit Private(SqlTableModel *model) : q(model)
    {
        countTimer.setInterval(0);
        QObject::connect(&countTimer, &QTimer::timeout, q, [this] { backgroundStep(); });
    }
    ~Private() { closePass(); }

    std::unique_ptr<DbResultSet> run(const QString &sql) const
    {
        QString text = sql;
        return runSql(connection.get(), text, kForwardOnly);
    }

    int countWhere(const QString &condition) const
    {
        auto result =
            run(QStringLiteral("SELECT count(*) FROM ") + source + QStringLiteral(" WHERE ") + condition);
        const int count = result->Eof() ? 0 : result->value(0).toLong();
        result->Close();
        return count;
    }

    void fail(const std::exception &error) const { errorText = describe(error); }

    void reset()
    {
        countTimer.stop();
        closePass();
        connection.reset();
        source.clear();
        names.clear();
        nameIndex.reset();
        visible.clear();
        orderVisible = -1;
        orderExpression.clear();
        counted = 0;
        published = 0;
        complete = true;
        announced = true;
        hasPrevious = false;
        previousKey = Variant();
        anchors.clear();
        pages.clear();
        errorText.clear();
    }

    // Reads the column names, chooses the ordering column and opens the counting pass.
    void open()
    {
        auto probe = run(QStringLiteral("SELECT * FROM ") + source + QStringLiteral(" LIMIT 0"));
        for (int column = 0; column < probe->columnCount(); ++column)
            names << probe->columnName(column);
        probe->Close();
        nameIndex = std::make_unique<MemoryResultSet>(names, std::vector<std::vector<Variant>>{});
        if (columns.isEmpty()) {
            // Nothing chosen: every column of the query, headed by its name.
            for (const QString &name : std::as_const(names))
                columns.append(Column{name, name});
        }
        for (const Column &column : std::as_const(columns))
            visible.push_back(nameIndex->columnIndex(column.name));
        const auto first = std::find_if(visible.begin(), visible.end(), [](int index) { return index >= 0; });
        if (first != visible.end()) {
            orderVisible = static_cast<int>(first - visible.begin());
            orderExpression = quoteIdentifier(names.at(*first)) + QStringLiteral(" COLLATE NOCASE");
            pass = run(QStringLiteral("SELECT ") + quoteIdentifier(names.at(*first)) +
                       QStringLiteral(" FROM ") + source + QStringLiteral(" ORDER BY ") + orderExpression);
        } else {
            pass = run(QStringLiteral("SELECT 1 FROM ") + source);
        }
        complete = false;
        announced = false;
        stride = pageSize;
        nextAnchorRow = 0;
    }

    void closePass()
    {
        if (!pass)
            return;
        try {
            pass->Close();
        } catch (const std::exception &) {
            // Closing only releases the statement; there is nothing left to report.
        }
        pass.reset();
    }

    void addAnchor(int row, const QString &key, QByteArray folded)
    {
        anchors.push_back(Anchor{row, key, std::move(folded)});
        if (static_cast<int>(anchors.size()) > anchorLimit) {
            // Keep every other anchor; pages are then read from at most twice as far.
            std::vector<Anchor> kept;
            kept.reserve(anchors.size() / 2 + 1);
            for (std::size_t i = 0; i < anchors.size(); i += 2)
                kept.push_back(std::move(anchors[i]));
            anchors = std::move(kept);
            stride *= 2;
        }
        nextAnchorRow = anchors.back().row + stride;
    }

    void noteKey(const Variant &key)
    {
        if (hasPrevious && sameKey(key, previousKey))
            return;
        hasPrevious = true;
        previousKey = key;
        if (counted < nextAnchorRow || key.type() != Variant::Type::String)
            return;
        // The key becomes an SQL literal that passes the ANSI conversion; a key that would not
        // survive it cannot mark where its rows begin.
        const QString text = key.toText();
        if (ansiRoundTrip(text) == text)
            addAnchor(counted, text, foldNoCase(text));
    }

    // Counts rows until untilCount rows are counted, until an anchor at or after untilKey is
    // known, or until budgetMs have passed (negative: no such limit), or to the end.
    void advance(int untilCount, const QByteArray *untilKey, int budgetMs)
    {
        if (!pass)
            return;
        QElapsedTimer clock;
        clock.start();
        int steps = 0;
        try {
            for (;;) {
                if (pass->Eof()) {
                    closePass();
                    complete = true;
                    return;
                }
                if (untilCount >= 0 && counted >= untilCount)
                    return;
                if (untilKey && !anchors.empty() && anchors.back().folded >= *untilKey)
                    return;
                if (budgetMs >= 0 && (steps++ & 63) == 0 && clock.elapsed() >= budgetMs)
                    return;
                if (orderVisible >= 0)
                    noteKey(pass->value(0));
                ++counted;
                pass->MoveNext();
            }
        } catch (const std::exception &error) {
            // The rows counted so far stay listed; no more will come.
            fail(error);
            closePass();
            complete = true;
        }
    }

    // One counting step: at least a page of rows, then whatever the time budget allows.
    void step()
    {
        advance(counted + pageSize, nullptr, -1);
        advance(-1, nullptr, countStepMs);
    }

    // Makes the rows counted so far visible to views.
    void publish()
    {
        if (counted > published) {
            const Notifying guard(*this);
            q->beginInsertRows(QModelIndex(), published, counted - 1);
            published = counted;
            q->endInsertRows();
        }
        if (complete && !announced) {
            announced = true;
            countTimer.stop();
            Q_EMIT q->countComplete(published);
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

    void deferStep()
    {
        if (stepPending)
            return;
        stepPending = true;
        QTimer::singleShot(0, q, [this] {
            stepPending = false;
            if (!complete)
                backgroundStep();
        });
    }

    void backgroundStep()
    {
        step();
        publish();
    }

    std::vector<std::vector<Variant>> readPage(int number) const
    {
        const int first = number * pageSize;
        int offset = first;
        QString sql = QStringLiteral("SELECT * FROM ") + source;
        if (orderVisible >= 0) {
            auto after = std::upper_bound(anchors.begin(), anchors.end(), first,
                                          [](int row, const Anchor &anchor) { return row < anchor.row; });
            if (after != anchors.begin()) {
                const Anchor &anchor = *std::prev(after);
                sql += QStringLiteral(" WHERE ") + orderExpression + QStringLiteral(" >= ") +
                       dbUtility().SqlText(anchor.key);
                offset = first - anchor.row;
            }
            sql += QStringLiteral(" ORDER BY ") + orderExpression;
        }
        sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(pageSize).arg(offset);

        std::vector<std::vector<Variant>> rows;
        try {
            auto result = run(sql);
            const int columnCount = result->columnCount();
            while (!result->Eof() && static_cast<int>(rows.size()) < pageSize) {
                std::vector<Variant> row;
                row.reserve(columnCount);
                for (int column = 0; column < columnCount; ++column)
                    row.push_back(result->value(column));
                rows.push_back(std::move(row));
                result->MoveNext();
            }
            result->Close();
        } catch (const std::exception &error) {
            fail(error); // the page stays empty rather than being asked for again and again
        }
        return rows;
    }

    const std::vector<Variant> *row(int index) const
    {
        if (index < 0 || index >= published || !connection)
            return nullptr;
        const int number = index / pageSize;
        auto found = std::find_if(pages.begin(), pages.end(),
                                  [number](const Page &page) { return page.number == number; });
        if (found != pages.end()) {
            pages.splice(pages.begin(), pages, found);
        } else {
            pages.push_front(Page{number, readPage(number)});
            while (static_cast<int>(pages.size()) > cacheLimit)
                pages.pop_back();
        }
        const auto &rows = pages.front().rows;
        const auto offset = static_cast<std::size_t>(index % pageSize);
        return offset < rows.size() ? &rows[offset] : nullptr;
    }

    SqlTableModel *const q;

    // Settings asked for, and those in force for the current query.
    int wantedPageSize = kDefaultPageSize;
    int wantedCacheLimit = kDefaultCacheLimit;
    int wantedAnchorLimit = kDefaultAnchorLimit;
    int countStepMs = kDefaultCountStepMs;
    bool background = false;
    int pageSize = kDefaultPageSize;
    int cacheLimit = kDefaultCacheLimit;
    int anchorLimit = kDefaultAnchorLimit;
    QTimer countTimer;

    DbConnectionPtr connection;
    QString source; // the caller's text as a parenthesised subquery
    QList<Column> columns;
    QStringList names;
    std::unique_ptr<MemoryResultSet> nameIndex; // finds a column by name as DbFields::Item does
    std::vector<int> visible;                   // per visible column: query column or -1
    int orderVisible = -1;
    QString orderExpression;

    std::unique_ptr<DbResultSet> pass;
    int counted = 0;   // rows the pass has seen
    int published = 0; // rows views have been told about
    bool complete = true;
    bool announced = true;
    int notifying = 0;
    bool stepPending = false;
    bool hasPrevious = false;
    Variant previousKey; // the key of the row counted last
    int stride = kDefaultPageSize;
    int nextAnchorRow = 0;
    std::vector<Anchor> anchors;

    mutable std::list<Page> pages; // most recently used first
    mutable QString errorText;
};

SqlTableModel::SqlTableModel(QObject *parent)
    : QAbstractTableModel(parent), d(std::make_unique<Private>(this))
{}

SqlTableModel::~SqlTableModel() = default;

void SqlTableModel::setPageSize(int rows)
{
    d->wantedPageSize = std::max(1, rows);
}

int SqlTableModel::pageSize() const
{
    return d->pageSize;
}

void SqlTableModel::setCacheLimit(int pages)
{
    d->wantedCacheLimit = std::max(1, pages);
}

void SqlTableModel::setAnchorLimit(int anchors)
{
    d->wantedAnchorLimit = std::max(2, anchors);
}

void SqlTableModel::setCountStep(int milliseconds)
{
    d->countStepMs = std::max(0, milliseconds);
}

void SqlTableModel::setBackgroundCounting(bool enabled)
{
    d->background = enabled;
    if (!enabled)
        d->countTimer.stop();
    else if (!d->complete)
        d->countTimer.start();
}

bool SqlTableModel::setQuery(DbConnectionPtr connection, const QString &sql, const QList<Column> &columns)
{
    const Private::Notifying guard(*d);
    beginResetModel();
    d->reset();
    d->pageSize = d->wantedPageSize;
    d->cacheLimit = d->wantedCacheLimit;
    d->anchorLimit = d->wantedAnchorLimit;
    d->connection = std::move(connection);
    d->source = asSubquery(sql);
    d->columns = columns;
    bool ok = true;
    try {
        d->open();
        d->step();
        d->published = d->counted;
    } catch (const std::exception &error) {
        d->fail(error);
        d->closePass();
        d->complete = true;
        d->announced = true;
        d->visible.assign(static_cast<std::size_t>(d->columns.size()), -1);
        d->orderVisible = -1;
        ok = false;
    }
    endResetModel();
    d->publish();
    if (d->background && !d->complete)
        d->countTimer.start();
    return ok && !hasError();
}

void SqlTableModel::clear()
{
    const Private::Notifying guard(*d);
    beginResetModel();
    d->reset();
    d->columns.clear();
    endResetModel();
}

bool SqlTableModel::hasError() const
{
    return !d->errorText.isEmpty();
}

QString SqlTableModel::errorText() const
{
    return d->errorText;
}

bool SqlTableModel::isCountComplete() const
{
    return d->complete;
}

void SqlTableModel::countAll()
{
    d->advance(-1, nullptr, -1);
    d->publish();
}

int SqlTableModel::orderColumn() const
{
    return d->orderVisible;
}

int SqlTableModel::rowForPrefix(const QString &text)
{
    if (d->orderVisible < 0)
        return -1;
    // The text reaches the database in its ANSI form; compare with what the database sees.
    const QString wanted = ansiRoundTrip(text);
    if (wanted.isEmpty())
        return 0;
    const QByteArray folded = foldNoCase(wanted);
    d->advance(-1, &folded, -1);
    d->publish();

    // After the pass, an anchor at or after the text is known unless the pass reached the end.
    const auto &anchors = d->anchors;
    const auto upper = std::lower_bound(
        anchors.begin(), anchors.end(), folded,
        [](const Private::Anchor &anchor, const QByteArray &key) { return anchor.folded < key; });
    const QString &ordered = d->orderExpression;
    const QString literal = dbUtility().SqlText(wanted);
    int row = 0;
    try {
        if (upper != anchors.begin()) {
            // Rows from the anchor below the text up to the text.
            const Private::Anchor &lower = *std::prev(upper);
            row = lower.row +
                  d->countWhere(ordered + QStringLiteral(" >= ") + dbUtility().SqlText(lower.key) +
                                QStringLiteral(" AND ") + ordered + QStringLiteral(" < ") + literal);
        } else if (upper != anchors.end()) {
            // Back from the first anchor: rows from the text up to it. Nulls come before both.
            row = upper->row -
                  d->countWhere(ordered + QStringLiteral(" >= ") + literal + QStringLiteral(" AND ") +
                                ordered + QStringLiteral(" < ") + dbUtility().SqlText(upper->key));
        } else {
            row = d->published - d->countWhere(ordered + QStringLiteral(" >= ") + literal);
        }
    } catch (const std::exception &error) {
        d->fail(error);
        return -1;
    }
    return std::clamp(row, 0, d->published);
}

QStringList SqlTableModel::queryColumns() const
{
    return d->names;
}

std::vector<Variant> SqlTableModel::rowValues(int row) const
{
    const std::vector<Variant> *values = d->row(row);
    return values ? *values : std::vector<Variant>{};
}

Variant SqlTableModel::value(int row, const QString &column) const
{
    const int index = d->nameIndex ? d->nameIndex->columnIndex(column) : -1;
    const std::vector<Variant> *values = index >= 0 ? d->row(row) : nullptr;
    if (!values || static_cast<std::size_t>(index) >= values->size())
        return Variant();
    return (*values)[static_cast<std::size_t>(index)];
}

int SqlTableModel::cachedPageCount() const
{
    return static_cast<int>(d->pages.size());
}

int SqlTableModel::anchorCount() const
{
    return static_cast<int>(d->anchors.size());
}

int SqlTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : d->published;
}

int SqlTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(d->columns.size());
}

QVariant SqlTableModel::data(const QModelIndex &index, int role) const
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

QVariant SqlTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section < 0 || section >= d->columns.size())
            return {};
        return d->columns.at(section).header;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SqlTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool SqlTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !d->complete;
}

void SqlTableModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || d->complete)
        return;
    if (d->notifying > 0) {
        d->deferStep();
        return;
    }
    d->step();
    d->publish();
}

} // namespace orv

#include "moc_SqlTableModel.cpp"
