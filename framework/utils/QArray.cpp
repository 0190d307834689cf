#include "framework/utils/QArray.h"
#include <cstdlib>

namespace micro {
namespace utils {

QBaseArray::~QBaseArray()
{
    std::free(m_data);
}

int QBaseArray::NextCapacity(int capacity)
{
    if (capacity > 64)
        return capacity + capacity / 2;
    if (capacity > 8)
        return capacity + 8;
    return capacity + 4;
}

void* QBaseArray::AddRaw(const void* element)
{
    if (m_count == m_capacity) {
        int capacity = NextCapacity(m_capacity);
        void* data = std::realloc(m_data, static_cast<size_t>(capacity) * m_elementSize);
        if (!data)
            throw std::bad_alloc();
        m_data = data;
        m_capacity = capacity;
    }
    void* slot = ElementAt(m_count);
    std::memcpy(slot, element, m_elementSize);
    ++m_count;
    return slot;
}

void QBaseArray::RemoveRaw(int index, int count)
{
    if (index < 0 || index >= m_count || count <= 0)
        return;
    if (count > m_count - index)
        count = m_count - index;
    std::memmove(ElementAt(index), ElementAt(index + count),
                 static_cast<size_t>(m_count - index - count) * m_elementSize);
    m_count -= count;
}

void QBaseArray::ClearRaw()
{
    std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_count = 0;
}

} // namespace utils
} // namespace micro
