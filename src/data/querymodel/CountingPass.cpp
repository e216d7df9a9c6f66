#include "CountingPass.h"

#include <QElapsedTimer>

#include <exception>

namespace orv {

namespace {

bool isNothing(const Variant &value)
{
    return value.isNull() || value.isEmpty();
}

bool isText(const Variant &value)
{
    return value.type() == Variant::Type::String;
}

} // namespace

void CountingPass::start(std::unique_ptr<DbResultSet> result, bool keyed, Compare compare, RowSeen seen)
{
    reset();
    m_result = std::move(result);
    m_keyed = keyed;
    m_compare = std::move(compare);
    m_seen = std::move(seen);
    m_complete = false;
}

void CountingPass::close()
{
    m_complete = true;
    if (!m_result)
        return;
    try {
        m_result->Close();
    } catch (const std::exception &) {
        // Closing only releases the statement; there is nothing left to report.
    }
    m_result.reset();
}

void CountingPass::reset()
{
    close();
    m_keyed = false;
    m_seen = nullptr;
    m_counted = 0;
    m_hasLast = false;
    m_lastKey = Variant();
}

// Whether the ordering takes two keys as one: texts the comparison finds equal, equal
// numbers, or both Null.
bool CountingPass::sameKey(const Variant &a, const Variant &b) const
{
    if (isNothing(a) || isNothing(b))
        return isNothing(a) && isNothing(b);
    if (isText(a) != isText(b))
        return false;
    if (!isText(a))
        return a.toDouble() == b.toDouble();
    return m_compare(a.toText(), b.toText()) == 0;
}

bool CountingPass::advance(int until, int budgetMs, const NewKey &newKey)
{
    QElapsedTimer clock;
    clock.start();
    int steps = 0;
    try {
        while (m_result) {
            if (m_result->Eof()) {
                close();
                return true;
            }
            if (until >= 0 && m_counted >= until)
                return false;
            if (budgetMs >= 0 && (steps++ & 63) == 0 && clock.elapsed() >= budgetMs)
                return false;
            if (m_keyed) {
                const Variant key = m_result->value(0);
                if (!m_hasLast || !sameKey(key, m_lastKey)) {
                    newKey(key);
                    m_hasLast = true;
                    m_lastKey = key;
                }
            }
            if (m_seen)
                m_seen(*m_result);
            ++m_counted;
            m_result->MoveNext();
        }
    } catch (...) {
        close(); // the rows counted so far stay counted; no more will come
        throw;
    }
    return false;
}

} // namespace orv
