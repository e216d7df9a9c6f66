#pragma once

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orv {

// The prepared statements of one connection by the text they were prepared from, the least
// recently used dropped first once `capacity` are kept. What a back end keeps per statement is
// `Entry`; the entries it drops come back to it, so that it can release them on its engine.
template <typename Entry> class StatementCache {
public:
    explicit StatementCache(std::size_t capacity) : m_capacity(capacity) {}

    // The entry of `key`, now the most recently used; null when there is none.
    Entry *find(const std::string &key)
    {
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return nullptr;
        m_order.splice(m_order.begin(), m_order, found->second);
        return &found->second->second;
    }

    // Keeps `entry` under `key` (which has none yet); gives back the entry it drops to make room.
    std::optional<Entry> insert(const std::string &key, Entry entry)
    {
        std::optional<Entry> dropped;
        if (m_order.size() >= m_capacity) {
            dropped = std::move(m_order.back().second);
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        m_order.emplace_front(key, std::move(entry));
        m_index.emplace(key, m_order.begin());
        return dropped;
    }

    // Empties the cache and gives back every entry.
    std::vector<Entry> clear()
    {
        std::vector<Entry> all;
        for (auto &[key, entry] : m_order)
            all.push_back(std::move(entry));
        m_order.clear();
        m_index.clear();
        return all;
    }

private:
    using Order = std::list<std::pair<std::string, Entry>>;
    std::size_t m_capacity;
    Order m_order;
    std::unordered_map<std::string, typename Order::iterator> m_index;
};

} // namespace orv
