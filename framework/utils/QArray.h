#pragma once
#include <cstddef>
#include <cstring>
#include <new>

namespace micro {
namespace utils {

// Untyped growable array: {capacity, count, element size, data}. When full it
// grows by 4 while the capacity is up to 8, by 8 up to 64, by half above.
class QBaseArray {
public:
    explicit QBaseArray(int elementSize) : m_capacity(0), m_count(0), m_elementSize(elementSize), m_data(nullptr) {}
    ~QBaseArray();
    QBaseArray(const QBaseArray&) = delete;
    QBaseArray& operator=(const QBaseArray&) = delete;

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    static int NextCapacity(int capacity);

protected:
    void* ElementAt(int index) const { return static_cast<char*>(m_data) + static_cast<size_t>(index) * m_elementSize; }
    void* AddRaw(const void* element);
    void RemoveRaw(int index, int count);
    void ClearRaw();

    int m_capacity;
    int m_count;
    int m_elementSize;
    void* m_data;
};

// Growable array of trivially copyable values.
template <class T>
class QArray : public QBaseArray {
public:
    QArray() : QBaseArray(sizeof(T)) {}
    int Add(const T& value) { AddRaw(&value); return m_count - 1; }
    T& operator[](int index) { return *static_cast<T*>(ElementAt(index)); }
    const T& operator[](int index) const { return *static_cast<const T*>(ElementAt(index)); }
    T& GetAt(int index) { return (*this)[index]; }
    // Removes [index, index + count), the count cut to the elements present.
    void RemoveAt(int index, int count = 1) { RemoveRaw(index, count); }
    void RemoveAll() { ClearRaw(); }
};

// Growable array of pointers that owns its objects: removing deletes them.
template <class T>
class QObArray : public QBaseArray {
public:
    QObArray() : QBaseArray(sizeof(T*)) {}
    ~QObArray() { RemoveAll(); }

    int Add(T* element) { AddRaw(&element); return m_count - 1; }
    // An index outside the array answers null rather than reading past it.
    T* GetAt(int index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        return *static_cast<T**>(ElementAt(index));
    }
    T* operator[](int index) const { return GetAt(index); }
    // Deletes the elements in [index, index + count) (count cut to the
    // elements present) and closes the gap.
    void RemoveAt(int index, int count = 1)
    {
        if (index < 0 || index >= m_count || count <= 0)
            return;
        if (count > m_count - index)
            count = m_count - index;
        for (int i = index; i < index + count; ++i)
            delete *static_cast<T**>(ElementAt(i));
        RemoveRaw(index, count);
    }
    void RemoveAll() { RemoveAt(0, m_count); ClearRaw(); }
    // Hands the element over to the caller without deleting it.
    T* Detach(int index)
    {
        T* element = GetAt(index);
        if (element)
            RemoveRaw(index, 1);
        return element;
    }
};

} // namespace utils
} // namespace micro
