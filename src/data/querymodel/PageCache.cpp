#include "PageCache.h"

#include <algorithm>

namespace orv {

namespace {

// Rounds towards minus infinity, so that the rows just before rel 0 fall in page -1.
int floorDivide(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

bool holds(const PageCache::Page &page, std::size_t slot)
{
    return slot < page.rows.size() && !page.rows[slot].empty();
}

} // namespace

void PageCache::reset(int pageSize, int limit)
{
    m_pages.clear();
    m_pageSize = std::max(1, pageSize);
    m_limit = std::max(1, limit);
}

const PageCache::Row *PageCache::row(int rel, int generation)
{
    const int number = floorDivide(rel, m_pageSize);
    const auto slot = static_cast<std::size_t>(rel - number * m_pageSize);
    auto found = std::find_if(m_pages.begin(), m_pages.end(),
                              [number](const Entry &entry) { return entry.number == number; });
    if (found != m_pages.end()) {
        m_pages.splice(m_pages.begin(), m_pages, found);
        Entry &entry = m_pages.front();
        if (!holds(entry.page, slot) && !entry.page.failed && entry.generation != generation)
            entry = Entry{number, generation, m_read(number * m_pageSize)};
    } else {
        m_pages.push_front(Entry{number, generation, m_read(number * m_pageSize)});
        while (static_cast<int>(m_pages.size()) > m_limit)
            m_pages.pop_back();
    }
    const Page &page = m_pages.front().page;
    return holds(page, slot) ? &page.rows[slot] : nullptr;
}

void PageCache::insert(int number, Page page, int generation)
{
    m_pages.remove_if([number](const Entry &entry) { return entry.number == number; });
    m_pages.push_front(Entry{number, generation, std::move(page)});
    while (static_cast<int>(m_pages.size()) > m_limit)
        m_pages.pop_back();
}

} // namespace orv
