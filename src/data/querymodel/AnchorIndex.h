#pragma once

#include <QString>
#include <QStringView>

#include <deque>
#include <functional>

namespace orv {

// Where runs of ordering keys begin in an ordered list, noted every few hundred rows while the
// list is counted, so that a page can be read from a nearby key and a text's row counted
// between two keys. Rows are numbered from the row the list opened at (rel 0), negative before
// it. The anchors are ordered both by rel and by key. They lie at least a stride apart; beyond
// the limit every other one goes and the stride doubles, so the index stays small whatever
// the number of rows.
class AnchorIndex {
public:
    struct Anchor {
        int rel; // the first row whose key is >= key
        QString key;
    };
    // Orders two keys as the list does: less than, equal to or greater than 0.
    using Compare = std::function<int(QStringView, QStringView)>;

    explicit AnchorIndex(Compare compare) : m_compare(std::move(compare)) {}

    // Empties the index. A list opened at its first row takes an anchor at the first key
    // counted; any other opening row is found without one, so the first anchors come a stride
    // away from it either way.
    void reset(int stride, int limit, bool openedAtFirstRow);
    // The key of rel 0 when the list opened at a text.
    void addStart(const QString &key);
    // A run of rows with the key begins at rel, counted forwards (after) or backwards (before).
    void noteAfter(int rel, const QString &key);
    void noteBefore(int rel, const QString &key);
    // Whether a run that begins at rel would be noted; a caller with work to do on the key
    // asks first.
    bool dueAfter(int rel) const { return rel >= m_nextAfter; }
    bool dueBefore(int rel) const { return rel <= m_nextBefore; }

    // Null when there is no such anchor.
    const Anchor *lastAtOrBefore(int rel) const;
    const Anchor *firstAtOrAfter(int rel) const;
    const Anchor *lastBefore(QStringView key) const;
    const Anchor *firstNotBefore(QStringView key) const;

    int size() const { return static_cast<int>(m_anchors.size()); }
    int compare(QStringView left, QStringView right) const { return m_compare(left, right); }

private:
    void thin();
    std::deque<Anchor>::const_iterator firstKeyNotBefore(QStringView key) const;

    Compare m_compare;
    std::deque<Anchor> m_anchors;
    int m_stride = 1;
    int m_limit = 2;
    int m_nextAfter = 0;  // no anchor before it counting forwards
    int m_nextBefore = 0; // nor after it counting backwards
};

} // namespace orv
