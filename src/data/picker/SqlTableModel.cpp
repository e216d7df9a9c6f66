#include "SqlTableModel.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <deque>
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

// Whether a counted key orders before a text (given folded): Nulls and numbers order before
// every text.
bool ordersBefore(const Variant &key, const QByteArray &folded)
{
    return !isText(key) || foldNoCase(key.toText()) < folded;
}

// Page numbers count from the start row both ways: page -1 holds the rows just before it.
int floorDivide(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
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
    // Rows are numbered from the start row: 0 is the first row >= the start text, -1 the row
    // just before it. An anchor says that the rows with an ordering value >= key begin at rel.
    struct Anchor {
        int rel;
        QString key;
        QByteArray folded;
    };
    struct Page {
        int number;
        std::vector<std::vector<Variant>> rows; // an empty row: not read (yet)
        bool failed = false;
        int stamp = 0; // rows published when the page was read
    };
    // One ordered pass over the ordering column, forwards from the start or backwards from it.
    struct Pass {
        std::unique_ptr<DbResultSet> result;
        int counted = 0;
        bool complete = true;
        bool hasLast = false;
        Variant lastKey;    // the key of the row counted last
        int nextAnchor = 0; // no anchor from this pass before (forwards) or after (backwards) it
    };

    explicit Private(SqlTableModel *model) : q(model)
    {
        countTimer.setInterval(0);
        QObject::connect(&countTimer, &QTimer::timeout, q, [this] { backgroundStep(); });
    }
    ~Private()
    {
        close(forward);
        close(backward);
    }

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

    QString compare(const char *op, const QString &key) const
    {
        return orderExpression + QLatin1String(op) + dbUtility().SqlText(key);
    }

    QString orderBy(bool descending) const
    {
        const QString direction = descending ? QStringLiteral(" DESC") : QString();
        QString clause = QStringLiteral(" ORDER BY ") + orderExpression + direction;
        if (!keyExpression.isEmpty())
            clause += QStringLiteral(", ") + keyExpression + direction;
        return clause;
    }

    void fail(const std::exception &error) const { errorText = describe(error); }

    static void close(Pass &pass)
    {
        if (!pass.result)
            return;
        try {
            pass.result->Close();
        } catch (const std::exception &) {
            // Closing only releases the statement; there is nothing left to report.
        }
        pass.result.reset();
    }

    void reset()
    {
        countTimer.stop();
        close(forward);
        close(backward);
        forward = Pass{};
        backward = Pass{};
        connection.reset();
        queryText.clear();
        source.clear();
        names.clear();
        nameIndex.reset();
        visible.clear();
        orderVisible = -1;
        orderColumnSql.clear();
        orderExpression.clear();
        keyExpression.clear();
        start.clear();
        startFolded.clear();
        atEnd = false;
        keysBeforeDone = true;
        keyRowsBefore = 0;
        nullRowsBefore = 0;
        leadingNulls = -1;
        forwardTurn = true;
        anchors.clear();
        publishedBefore = 0;
        publishedAfter = 0;
        announced = true;
        pages.clear();
        errorText.clear();
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
        stride = pageSize;
        connection = std::move(with);
        queryText = sql;
        source = asSubquery(sql);
        columns = shown;
        // The text reaches the database in its ANSI form; start where the database sees it.
        start = openAtEnd ? QString() : ansiRoundTrip(startText);
        atEnd = openAtEnd;
        bool ok = true;
        try {
            open();
            advance(forward, pageSize, -1);
            advance(backward, pageSize, -1);
            publishedBefore = backward.counted;
            publishedAfter = forward.counted;
        } catch (const std::exception &error) {
            fail(error);
            close(forward);
            close(backward);
            forward.complete = true;
            backward.complete = true;
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

    bool isComplete() const { return forward.complete && backward.complete; }
    int published() const { return publishedBefore + publishedAfter; }

    // Reads the column names, chooses the ordering column and opens the counting passes.
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
        forward.complete = false;
        if (first == visible.end()) {
            start.clear();
            forward.result = run(QStringLiteral("SELECT 1 FROM ") + source);
            return;
        }
        orderVisible = static_cast<int>(first - visible.begin());
        orderColumnSql = quoteIdentifier(names.at(*first));
        orderExpression = orderColumnSql + QStringLiteral(" COLLATE NOCASE");
        const int key = keyColumn.isEmpty() ? -1 : nameIndex->columnIndex(keyColumn);
        if (key >= 0 && key != *first)
            keyExpression = quoteIdentifier(names.at(key));

        const QString select = QStringLiteral("SELECT ") + orderColumnSql + QStringLiteral(" FROM ") + source;
        if (atEnd) {
            // Backwards from the last row; rows with a Null key come after the others.
            forward.complete = true;
            backward.result = run(select + QStringLiteral(" WHERE ") + orderColumnSql +
                                  QStringLiteral(" IS NOT NULL") + orderBy(true));
            backward.complete = false;
            keysBeforeDone = false;
            backward.nextAnchor = -stride;
            return;
        }
        if (start.isEmpty()) {
            forward.result = run(select + orderBy(false));
            return;
        }
        startFolded = foldNoCase(start);
        forward.result = run(select + QStringLiteral(" WHERE ") + compare(" >= ", start) + orderBy(false));
        backward.result = run(select + QStringLiteral(" WHERE ") + compare(" < ", start) + orderBy(true));
        backward.complete = false;
        keysBeforeDone = false;
        anchors.push_back(Anchor{0, start, startFolded});
        forward.nextAnchor = stride;
        backward.nextAnchor = -stride;
    }

    void thinAnchors()
    {
        if (static_cast<int>(anchors.size()) <= anchorLimit)
            return;
        // Keep every other anchor; pages are then read from at most twice as far.
        std::deque<Anchor> kept;
        for (std::size_t i = 0; i < anchors.size(); i += 2)
            kept.push_back(std::move(anchors[i]));
        anchors = std::move(kept);
        stride *= 2;
    }

    // The key becomes an SQL literal that passes the ANSI conversion; a key that would not
    // survive it cannot mark where its rows begin.
    static bool canAnchor(const Variant &key)
    {
        if (!isText(key))
            return false;
        const QString text = key.toText();
        return ansiRoundTrip(text) == text;
    }

    // The row forwards at rel = forward.counted.
    void noteForwardKey(const Variant &key)
    {
        if (forward.hasLast && sameKey(key, forward.lastKey))
            return;
        forward.hasLast = true;
        forward.lastKey = key;
        if (start.isEmpty() && leadingNulls < 0 && !isNothing(key))
            leadingNulls = forward.counted;
        if (forward.counted < forward.nextAnchor || !canAnchor(key))
            return;
        QByteArray folded = foldNoCase(key.toText());
        if (anchors.empty() || anchors.back().folded != folded)
            anchors.push_back(Anchor{forward.counted, key.toText(), std::move(folded)});
        forward.nextAnchor = forward.counted + stride;
        thinAnchors();
    }

    // Backwards the first row of a key is the last one seen with it, at rel = -counted.
    void addBackwardAnchor()
    {
        const int rel = -backward.counted;
        if (!backward.hasLast || rel > backward.nextAnchor || !canAnchor(backward.lastKey))
            return;
        anchors.push_front(Anchor{rel, backward.lastKey.toText(), foldNoCase(backward.lastKey.toText())});
        backward.nextAnchor = rel - stride;
        thinAnchors();
    }

    // The row backwards at rel = -(backward.counted + 1).
    void noteBackwardKey(const Variant &key)
    {
        if (backward.hasLast && sameKey(key, backward.lastKey))
            return;
        addBackwardAnchor();
        backward.hasLast = true;
        backward.lastKey = key;
    }

    // Backwards, the rows whose key is Null come last: they are counted at once when the
    // rows with a key are done (there are few or none).
    void countNullsBefore()
    {
        keysBeforeDone = true;
        keyRowsBefore = backward.counted;
        backward.complete = true;
        nullRowsBefore = countWhere(orderColumnSql + QStringLiteral(" IS NULL"));
        backward.counted += nullRowsBefore;
    }

    // Counts rows until the pass has counted untilCount, or until budgetMs have passed
    // (negative: no such limit), or to its end.
    void advance(Pass &pass, int untilCount, int budgetMs)
    {
        const bool backwards = &pass == &backward;
        QElapsedTimer clock;
        clock.start();
        int steps = 0;
        try {
            while (pass.result) {
                if (pass.result->Eof()) {
                    close(pass);
                    if (backwards) {
                        addBackwardAnchor();
                        countNullsBefore();
                    }
                    pass.complete = true;
                    return;
                }
                if (untilCount >= 0 && pass.counted >= untilCount)
                    return;
                if (budgetMs >= 0 && (steps++ & 63) == 0 && clock.elapsed() >= budgetMs)
                    return;
                if (orderVisible >= 0) {
                    const Variant key = pass.result->value(0);
                    backwards ? noteBackwardKey(key) : noteForwardKey(key);
                }
                ++pass.counted;
                pass.result->MoveNext();
            }
        } catch (const std::exception &error) {
            // The rows counted so far stay listed; no more will come.
            fail(error);
            close(pass);
            pass.complete = true;
            if (backwards && !keysBeforeDone) {
                keysBeforeDone = true;
                keyRowsBefore = backward.counted;
            }
        }
    }

    // One counting step: at least a page of rows, then whatever the time budget allows.
    void step(Pass &pass)
    {
        advance(pass, pass.counted + pageSize, -1);
        advance(pass, -1, countStepMs);
    }

    // Makes the rows counted so far visible to views: those before the start at the top.
    void publish()
    {
        if (backward.counted > publishedBefore) {
            const Notifying guard(*this);
            q->beginInsertRows(QModelIndex(), 0, backward.counted - publishedBefore - 1);
            publishedBefore = backward.counted;
            q->endInsertRows();
        }
        if (forward.counted > publishedAfter) {
            const Notifying guard(*this);
            const int first = published();
            q->beginInsertRows(QModelIndex(), first, first + forward.counted - publishedAfter - 1);
            publishedAfter = forward.counted;
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

    void deferStep(Pass &pass)
    {
        bool &pending = &pass == &backward ? backwardStepPending : forwardStepPending;
        if (pending)
            return;
        pending = true;
        QTimer::singleShot(0, q, [this, &pass, &pending] {
            pending = false;
            if (!pass.complete) {
                step(pass);
                publish();
            }
        });
    }

    void countingStep(Pass &pass)
    {
        if (pass.complete)
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
        const bool forwards = backward.complete || (!forward.complete && forwardTurn);
        step(forwards ? forward : backward);
        publish();
    }

    // Whether every row between the text (folded) and the start is counted, so that the
    // text's row can be counted between anchors.
    bool covers(const QByteArray &folded) const
    {
        const bool fromBelow =
            backward.complete || (backward.counted == 0 ? !atEnd && folded >= startFolded
                                                        : ordersBefore(backward.lastKey, folded));
        const bool fromAbove =
            forward.complete || (forward.hasLast && !ordersBefore(forward.lastKey, folded));
        return fromBelow && fromAbove;
    }

    // The rel of the first row >= wanted, counted between the anchors around it.
    int relForText(const QString &wanted, const QByteArray &folded) const
    {
        const auto upper =
            std::lower_bound(anchors.begin(), anchors.end(), folded,
                             [](const Anchor &anchor, const QByteArray &key) { return anchor.folded < key; });
        const QString literal = dbUtility().SqlText(wanted);
        if (upper != anchors.end() && upper->folded == folded)
            return upper->rel;
        if (upper != anchors.begin()) {
            const Anchor &lower = *std::prev(upper);
            return lower.rel + countWhere(compare(" >= ", lower.key) + QStringLiteral(" AND ") +
                                          orderExpression + QStringLiteral(" < ") + literal);
        }
        if (upper != anchors.end()) {
            return upper->rel - countWhere(orderExpression + QStringLiteral(" >= ") + literal +
                                           QStringLiteral(" AND ") + compare(" < ", upper->key));
        }
        // No anchor at all: none of the keys counted could mark one.
        if (atEnd)
            return -countWhere(orderExpression + QStringLiteral(" >= ") + literal);
        return countWhere(QStringLiteral("(") + orderExpression + QStringLiteral(" < ") + literal +
                          QStringLiteral(" OR ") + orderColumnSql + QStringLiteral(" IS NULL)"));
    }

    // Reads `count` rows of sql into rows from slot on; backwards they come last row first.
    void readInto(const QString &text, std::vector<std::vector<Variant>> &rows, int slot, int count,
                  bool backwards) const
    {
        auto result = run(text);
        const int columnCount = result->columnCount();
        for (int i = 0; i < count && !result->Eof(); ++i) {
            std::vector<Variant> row;
            row.reserve(columnCount);
            for (int column = 0; column < columnCount; ++column)
                row.push_back(result->value(column));
            rows[static_cast<std::size_t>(backwards ? slot + count - 1 - i : slot + i)] = std::move(row);
            result->MoveNext();
        }
        result->Close();
    }

    static QString limit(int count, int offset)
    {
        return QStringLiteral(" LIMIT %1 OFFSET %2").arg(count).arg(offset);
    }

    // Rows [from, to) of those with a key (or of all rows when the list opened at its start),
    // read from the nearest anchor forwards or backwards.
    void readOrdered(int from, int to, std::vector<std::vector<Variant>> &rows, int slot) const
    {
        const QString select = QStringLiteral("SELECT * FROM ") + source;
        // Forwards: from the last anchor at or before `from`, or from the start.
        const auto after = std::upper_bound(anchors.begin(), anchors.end(), from,
                                            [](int rel, const Anchor &anchor) { return rel < anchor.rel; });
        const Anchor *ahead = after != anchors.begin() ? &*std::prev(after) : nullptr;
        int forwardCost = ahead ? from - ahead->rel : INT_MAX;
        const bool fromStart = from >= 0 && from < forwardCost;
        if (fromStart)
            forwardCost = from;
        // Backwards: from the first anchor at or after `to`, or from the start (the end of the
        // list when it opened there). Reading backwards skips Null keys, which lie before every
        // key: only rows known to have a key are read that way.
        const auto behind = std::lower_bound(anchors.begin(), anchors.end(), to,
                                             [](const Anchor &anchor, int rel) { return anchor.rel < rel; });
        const Anchor *below = behind != anchors.end() ? &*behind : nullptr;
        const Anchor startAnchor{0, start, startFolded};
        if (!below && !start.isEmpty() && to <= 0)
            below = &startAnchor;
        const bool fromEnd = !below && atEnd && to <= 0;
        const bool keysOnly = atEnd || !start.isEmpty() || (leadingNulls >= 0 && from >= leadingNulls);
        const int backwardCost = keysOnly && (below || fromEnd) ? (below ? below->rel : 0) - to : INT_MAX;

        if (backwardCost < forwardCost) {
            const QString before =
                below ? compare(" < ", below->key) : orderColumnSql + QStringLiteral(" IS NOT NULL");
            readInto(select + QStringLiteral(" WHERE ") + before + orderBy(true) +
                         limit(to - from, backwardCost),
                     rows, slot, to - from, true);
        } else if (fromStart) {
            const QString where =
                start.isEmpty() ? QString() : QStringLiteral(" WHERE ") + compare(" >= ", start);
            readInto(select + where + orderBy(false) + limit(to - from, from), rows, slot, to - from, false);
        } else if (ahead) {
            readInto(select + QStringLiteral(" WHERE ") + compare(" >= ", ahead->key) + orderBy(false) +
                         limit(to - from, forwardCost),
                     rows, slot, to - from, false);
        }
    }

    Page readPage(int number) const
    {
        Page page{number, std::vector<std::vector<Variant>>(static_cast<std::size_t>(pageSize)), false,
                  published()};
        const int first = number * pageSize;
        const int end = first + pageSize;
        try {
            if (orderVisible < 0) {
                readInto(QStringLiteral("SELECT * FROM ") + source + limit(pageSize, first), page.rows, 0,
                         pageSize, false);
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
                    const QString order =
                        keyExpression.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + keyExpression;
                    readInto(QStringLiteral("SELECT * FROM ") + source + QStringLiteral(" WHERE ") +
                                 orderColumnSql + QStringLiteral(" IS NULL") + order +
                                 limit(nullsTo - nullsFrom, nullsFrom - nullsStart),
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

    const std::vector<Variant> *row(int index) const
    {
        if (index < 0 || index >= published() || !connection)
            return nullptr;
        const int rel = index - publishedBefore;
        const int number = floorDivide(rel, pageSize);
        const auto slot = static_cast<std::size_t>(rel - number * pageSize);
        auto found = std::find_if(pages.begin(), pages.end(),
                                  [number](const Page &page) { return page.number == number; });
        if (found != pages.end()) {
            pages.splice(pages.begin(), pages, found);
            // A row the page could not hold when it was read (its Null keys not yet counted,
            // or beyond the rows then read) is read again once the passes have gone on.
            Page &page = pages.front();
            if (page.rows[slot].empty() && !page.failed && page.stamp != published())
                page = readPage(number);
        } else {
            pages.push_front(readPage(number));
            while (static_cast<int>(pages.size()) > cacheLimit)
                pages.pop_back();
        }
        const auto &values = pages.front().rows[slot];
        return values.empty() ? nullptr : &values;
    }

    SqlTableModel *const q;

    // Settings asked for, and those in force for the current query.
    int wantedPageSize = kDefaultPageSize;
    int wantedCacheLimit = kDefaultCacheLimit;
    int wantedAnchorLimit = kDefaultAnchorLimit;
    QString keyColumn;
    int countStepMs = kDefaultCountStepMs;
    bool background = false;
    int pageSize = kDefaultPageSize;
    int cacheLimit = kDefaultCacheLimit;
    int anchorLimit = kDefaultAnchorLimit;
    QTimer countTimer;

    DbConnectionPtr connection;
    QString queryText; // the caller's text
    QString source;    // the same as a parenthesised subquery
    QList<Column> columns;
    QStringList names;
    std::unique_ptr<MemoryResultSet> nameIndex; // finds a column by name as DbFields::Item does
    std::vector<int> visible;                   // per visible column: query column or -1
    int orderVisible = -1;
    QString orderColumnSql;
    QString orderExpression;
    QString keyExpression; // orders rows with equal keys; empty when there is none
    QString start;         // the start text as the database sees it; empty: the list's start
    QByteArray startFolded;
    bool atEnd = false; // opened after the last row: every row comes before the start

    Pass forward;
    Pass backward;
    bool keysBeforeDone = true; // the backward pass has read every row with a key
    int keyRowsBefore = 0;      // rows with a key before the start, once keysBeforeDone
    int nullRowsBefore = 0;
    int leadingNulls = -1; // rows with a Null key at the head of a list opened at its start
    bool forwardTurn = true;
    int stride = kDefaultPageSize;
    std::deque<Anchor> anchors; // ordered by rel and by key

    int publishedBefore = 0; // rows views have been told about, before and after the start
    int publishedAfter = 0;
    bool announced = true;
    int notifying = 0;
    bool forwardStepPending = false;
    bool backwardStepPending = false;

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

void SqlTableModel::setKeyColumn(const QString &name)
{
    d->keyColumn = name;
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
    else if (!d->isComplete())
        d->countTimer.start();
}

bool SqlTableModel::setQuery(DbConnectionPtr connection, const QString &sql, const QList<Column> &columns,
                             const QString &startText)
{
    return d->load(std::move(connection), sql, columns, startText, false);
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
    return d->isComplete();
}

void SqlTableModel::countAll()
{
    d->advance(d->forward, -1, -1);
    d->advance(d->backward, -1, -1);
    d->publish();
}

bool SqlTableModel::canFetchBefore() const
{
    return !d->backward.complete;
}

void SqlTableModel::fetchBefore()
{
    d->countingStep(d->backward);
}

int SqlTableModel::orderColumn() const
{
    return d->orderVisible;
}

int SqlTableModel::rowForPrefix(const QString &text)
{
    if (d->orderVisible < 0)
        return -1;
    const QString wanted = ansiRoundTrip(text);
    const QByteArray folded = foldNoCase(wanted);
    const bool counted = wanted.isEmpty() ? d->backward.complete : d->covers(folded);
    if (!counted) {
        // Open again at the text: an index seek, where counting up to it may take seconds.
        return d->reload(wanted, false) ? d->publishedBefore : -1;
    }
    if (wanted.isEmpty())
        return 0;
    int rel = 0;
    try {
        rel = d->relForText(wanted, folded);
    } catch (const std::exception &error) {
        d->fail(error);
        return -1;
    }
    return std::clamp(d->publishedBefore + rel, 0, d->published());
}

int SqlTableModel::lastRow()
{
    if (!d->forward.complete) {
        if (d->orderVisible >= 0) {
            d->reload(QString(), true);
        } else {
            d->advance(d->forward, -1, -1);
            d->publish();
        }
    }
    return rowCount() - 1;
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
    return parent.isValid() ? 0 : d->published();
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
    return !parent.isValid() && !d->forward.complete;
}

void SqlTableModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        d->countingStep(d->forward);
}

} // namespace orv

#include "moc_SqlTableModel.cpp"
