#include "framework/utils/QBuffer.h"
#include <cstdlib>
#include <cstring>
#include <new>

namespace micro {
namespace utils {

QBuffer::QBuffer(const QBuffer& other) : QBuffer()
{
    AppendBuffer(other);
}

QBuffer& QBuffer::operator=(const QBuffer& other)
{
    if (this != &other) {
        m_count = 0;
        AppendBuffer(other);
    }
    return *this;
}

QBuffer::~QBuffer()
{
    std::free(m_data);
}

void QBuffer::Free()
{
    std::free(m_data);
    m_data = nullptr;
    m_capacity = 0;
    m_count = 0;
}

void QBuffer::Grow(int needed)
{
    // Grow by half a large buffer, else to the size plus 1 KiB; never below
    // what the caller needs.
    long long capacity = m_capacity > 4096 ? m_capacity + m_capacity / 2LL : needed + 1024LL;
    if (capacity < needed)
        capacity = needed;
    if (capacity > 0x7fffffffLL)
        throw std::bad_alloc();
    unsigned char* data = static_cast<unsigned char*>(std::realloc(m_data, static_cast<size_t>(capacity)));
    if (!data)
        throw std::bad_alloc();
    m_data = data;
    m_capacity = static_cast<int>(capacity);
}

void QBuffer::Append(const void* bytes, int count)
{
    if (!bytes || count <= 0)
        return;
    long long needed = static_cast<long long>(m_count) + count;
    if (needed > 0x7fffffffLL)
        throw std::bad_alloc();
    if (needed > m_capacity)
        Grow(static_cast<int>(needed));
    std::memcpy(m_data + m_count, bytes, count);
    m_count = static_cast<int>(needed);
}

} // namespace utils
} // namespace micro
