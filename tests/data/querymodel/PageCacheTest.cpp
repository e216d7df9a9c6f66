#include "data/querymodel/PageCache.h"

#include <gtest/gtest.h>

using namespace orv;

// Pages of two rows, two pages kept. The reader gives the rows up to `last`, and fails on the
// page from 6; each step names the pages (by first row) that reading its row reads.
TEST(PageCache, ReadsAPageOnceKeepsTheLastUsedAndReadsAgainOnlyWhatAGrownListCanFill)
{
    std::vector<int> reads;
    int last = 4;
    PageCache cache([&](int first) {
        reads.push_back(first);
        PageCache::Page page{std::vector<PageCache::Row>(2), first == 6};
        for (int rel = first; rel < first + 2 && rel <= last && !page.failed; ++rel)
            page.rows[static_cast<std::size_t>(rel - first)] = {Variant(rel)};
        return page;
    });
    cache.reset(2, 2);
    const struct {
        int rel, generation, last;
        std::vector<int> reads;
        bool found;
    } steps[] = {
        {-1, 0, 4, {-2}, true}, {-2, 0, 4, {}, true}, {0, 0, 4, {0}, true},  {-1, 0, 4, {}, true},
        {2, 0, 4, {2}, true},   {-2, 0, 4, {}, true}, {1, 0, 4, {0}, true},  {5, 0, 4, {4}, false},
        {5, 0, 5, {}, false},   {5, 1, 5, {4}, true}, {7, 1, 9, {6}, false}, {7, 2, 9, {}, false},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.rel);
        reads.clear();
        last = step.last;
        const PageCache::Row *row = cache.row(step.rel, step.generation);
        EXPECT_EQ(reads, step.reads);
        ASSERT_EQ(row != nullptr, step.found);
        EXPECT_EQ(row ? row->at(0).toLong() : step.rel, step.rel);
        EXPECT_LE(cache.size(), 2);
    }
}
