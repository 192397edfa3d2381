#pragma once
// A first-in first-out store of at most a fixed number of items: once full, each new item takes the
// place of the oldest, so memory stays bounded however long items keep coming.

#include <cstddef>
#include <utility>
#include <vector>

namespace readings
{
template <typename T> class CRing
{
public:
    explicit CRing(std::size_t nCapacity) : m_nCapacity(nCapacity) {}

    std::size_t Capacity() const { return m_nCapacity; }
    std::size_t Size() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    bool Full() const { return m_items.size() == m_nCapacity; }

    // Item i, the oldest being 0.
    const T& operator[](std::size_t i) const { return m_items[(m_nOldest + i) % m_items.size()]; }
    const T& Oldest() const { return (*this)[0]; }
    const T& Newest() const { return (*this)[Size() - 1]; }

    // Adds an item; when the ring is full it replaces the oldest.
    void Push(T item)
    {
        if (!Full())
        {
            m_items.push_back(std::move(item));
            return;
        }
        m_items[m_nOldest] = std::move(item);
        m_nOldest = (m_nOldest + 1) % m_nCapacity;
    }

    void Clear()
    {
        m_items.clear();
        m_nOldest = 0;
    }

private:
    std::size_t m_nCapacity;
    std::vector<T> m_items; // grows to the capacity, then is reused in place
    std::size_t m_nOldest = 0;
};
} // namespace readings
