#pragma once

#include "data/DbConnection.h"

#include <QStringView>

#include <functional>
#include <memory>

namespace orv {

// One ordered pass that counts the rows of a list, forwards from the row it opened at or
// backwards from it, a step at a time. When the rows are ordered, the first column is the
// ordering key and the pass tells where each run of equal keys begins.
class CountingPass {
public:
    // Orders two texts as the list does: 0 when it takes them as one key.
    using Compare = std::function<int(QStringView, QStringView)>;
    // Called with the key of the row about to be counted (row counted()) when a run of another
    // key begins there; lastKey() is still the key of the run before.
    using NewKey = std::function<void(const Variant &key)>;
    // Called with each row as it is counted, on its row.
    using RowSeen = std::function<void(const DbResultSet &row)>;

    CountingPass() = default;
    ~CountingPass() { close(); }
    CountingPass(const CountingPass &) = delete;
    CountingPass &operator=(const CountingPass &) = delete;

    // Starts counting the rows of result; keyed when they are ordered. `seen`, when given, is
    // shown every row counted.
    void start(std::unique_ptr<DbResultSet> result, bool keyed, Compare compare, RowSeen seen = {});
    // Stops the pass where it is and releases its rows; it counts no more.
    void close();
    // Back to a pass that has nothing to count.
    void reset();

    // Counts rows until `until` are counted (negative: no such limit), until `budgetMs` have
    // passed (negative: no such limit), or to the end of the rows. True when this call reached
    // the end. An error of the rows closes the pass and reaches the caller.
    bool advance(int until, int budgetMs, const NewKey &newKey);
    // Rows counted apart from the pass (rows it cannot read in its order).
    void addCounted(int rows) { m_counted += rows; }

    bool isComplete() const { return m_complete; }
    int counted() const { return m_counted; }
    bool hasLastKey() const { return m_hasLast; }
    const Variant &lastKey() const { return m_lastKey; }

private:
    bool sameKey(const Variant &a, const Variant &b) const;

    std::unique_ptr<DbResultSet> m_result;
    Compare m_compare;
    RowSeen m_seen;
    bool m_keyed = false;
    int m_counted = 0;
    bool m_complete = true;
    bool m_hasLast = false;
    Variant m_lastKey;
};

} // namespace orv
