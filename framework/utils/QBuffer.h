#pragma once
#include <cstddef>

namespace micro {
namespace utils {

// Growable byte array {capacity, count, element size 1, data}, used for images and blobs.
class QBuffer {
public:
    QBuffer() : m_capacity(0), m_count(0), m_elementSize(1), m_data(nullptr) {}
    QBuffer(const QBuffer& other);
    QBuffer& operator=(const QBuffer& other);
    ~QBuffer();

    // Appends count bytes; a count of 0 or less appends nothing.
    void Append(const void* bytes, int count);
    void AppendBuffer(const QBuffer& other) { Append(other.m_data, other.m_count); }
    void Clear() { m_count = 0; }
    void Free();

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    bool IsEmpty() const { return m_count == 0; }
    const unsigned char* GetData() const { return m_data; }
    unsigned char* GetData() { return m_data; }

private:
    void Grow(int needed);

    int m_capacity;
    int m_count;
    int m_elementSize;
    unsigned char* m_data;
};

} // namespace utils
} // namespace micro
