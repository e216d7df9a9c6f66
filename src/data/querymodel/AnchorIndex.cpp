#include "AnchorIndex.h"

#include <algorithm>
#include <iterator>

namespace orv {

void AnchorIndex::reset(int stride, int limit, bool openedAtFirstRow)
{
    m_anchors.clear();
    m_stride = std::max(1, stride);
    m_limit = std::max(2, limit);
    m_nextAfter = openedAtFirstRow ? 0 : m_stride;
    m_nextBefore = -m_stride;
}

void AnchorIndex::addStart(const QString &key)
{
    m_anchors.push_back(Anchor{0, key});
}

void AnchorIndex::noteAfter(int rel, const QString &key)
{
    if (!dueAfter(rel))
        return;
    if (m_anchors.empty() || m_compare(m_anchors.back().key, key) != 0)
        m_anchors.push_back(Anchor{rel, key});
    m_nextAfter = rel + m_stride;
    thin();
}

void AnchorIndex::noteBefore(int rel, const QString &key)
{
    if (!dueBefore(rel))
        return;
    m_anchors.push_front(Anchor{rel, key});
    m_nextBefore = rel - m_stride;
    thin();
}

void AnchorIndex::thin()
{
    if (static_cast<int>(m_anchors.size()) <= m_limit)
        return;
    // Keep every other anchor; pages are then read from at most twice as far.
    std::deque<Anchor> kept;
    for (std::size_t i = 0; i < m_anchors.size(); i += 2)
        kept.push_back(std::move(m_anchors[i]));
    m_anchors = std::move(kept);
    m_stride *= 2;
}

const AnchorIndex::Anchor *AnchorIndex::lastAtOrBefore(int rel) const
{
    const auto after = std::upper_bound(m_anchors.begin(), m_anchors.end(), rel,
                                        [](int wanted, const Anchor &anchor) { return wanted < anchor.rel; });
    return after != m_anchors.begin() ? &*std::prev(after) : nullptr;
}

const AnchorIndex::Anchor *AnchorIndex::firstAtOrAfter(int rel) const
{
    const auto found = std::lower_bound(m_anchors.begin(), m_anchors.end(), rel,
                                        [](const Anchor &anchor, int wanted) { return anchor.rel < wanted; });
    return found != m_anchors.end() ? &*found : nullptr;
}

std::deque<AnchorIndex::Anchor>::const_iterator AnchorIndex::firstKeyNotBefore(QStringView key) const
{
    return std::lower_bound(
        m_anchors.begin(), m_anchors.end(), key,
        [this](const Anchor &anchor, QStringView wanted) { return m_compare(anchor.key, wanted) < 0; });
}

const AnchorIndex::Anchor *AnchorIndex::lastBefore(QStringView key) const
{
    const auto found = firstKeyNotBefore(key);
    return found != m_anchors.begin() ? &*std::prev(found) : nullptr;
}

const AnchorIndex::Anchor *AnchorIndex::firstNotBefore(QStringView key) const
{
    const auto found = firstKeyNotBefore(key);
    return found != m_anchors.end() ? &*found : nullptr;
}

} // namespace orv
