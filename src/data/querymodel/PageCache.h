#pragma once

#include "data/Variant.h"

#include <functional>
#include <list>
#include <vector>

namespace orv {

// The pages of a list read last, the most recently used first, up to a limit. Rows are
// numbered from the row the list opened at (rel 0), negative before it: page n holds the rows
// n * pageSize to (n + 1) * pageSize - 1, so page -1 holds the rows just before rel 0.
class PageCache {
public:
    using Row = std::vector<Variant>;
    struct Page {
        std::vector<Row> rows; // pageSize rows; an empty one was not read
        bool failed = false;   // the read failed: what it has is all it will have
    };
    // Reads the page whose first row is `first`.
    using Reader = std::function<Page(int first)>;

    explicit PageCache(Reader read) : m_read(std::move(read)) {}

    void reset(int pageSize, int limit);
    // The row at rel, with its page read when the cache does not hold it. A row its page could
    // not give when it was read is read again with the page once the generation (the rows the
    // list has) has changed, unless that read failed. Null when there is no such row.
    const Row *row(int rel, int generation);
    // Keeps a page read by other means, as if read when the list had `generation` rows.
    void insert(int number, Page page, int generation);
    int size() const { return static_cast<int>(m_pages.size()); }

private:
    struct Entry {
        int number;
        int generation; // when it was read
        Page page;
    };

    Reader m_read;
    int m_pageSize = 1;
    int m_limit = 1;
    std::list<Entry> m_pages; // the most recently used first
};

} // namespace orv
