#include "framework/utils/QString.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <new>
#include <utility>

namespace micro {
namespace utils {

namespace {
const int kMaxFormat = 16000;
const int kStackFormat = 512;
}

wchar_t* QString::Allocate(int capacity)
{
    if (capacity < 0)
        throw std::bad_alloc();
    size_t bytes = sizeof(Header) + (static_cast<size_t>(capacity) + 1) * sizeof(wchar_t);
    Header* h = static_cast<Header*>(std::malloc(bytes));
    if (!h)
        throw std::bad_alloc();
    h->refs = 1;
    h->length = 0;
    h->capacity = capacity;
    wchar_t* data = reinterpret_cast<wchar_t*>(h + 1);
    data[0] = 0;
    return data;
}

void QString::Release()
{
    if (m_data) {
        Header* h = GetHeader();
        if (InterlockedDecrement(&h->refs) == 0)
            std::free(h);
        m_data = nullptr;
    }
}

QString::QString(const QString& other) : m_data(other.m_data)
{
    if (m_data)
        InterlockedIncrement(&GetHeader()->refs);
}

QString::QString(const wchar_t* text) : m_data(nullptr)
{
    if (text && IS_INTRESOURCE(text))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    else if (text)
        Assign(text, static_cast<int>(wcslen(text)));
}

QString::QString(const wchar_t* text, int count) : m_data(nullptr)
{
    if (text && count > 0)
        Assign(text, count);
}

QString& QString::operator=(const QString& other)
{
    if (m_data != other.m_data) {
        Release();
        m_data = other.m_data;
        if (m_data)
            InterlockedIncrement(&GetHeader()->refs);
    }
    return *this;
}

QString& QString::operator=(QString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_data = other.m_data;
        other.m_data = nullptr;
    }
    return *this;
}

QString& QString::operator=(const wchar_t* text)
{
    if (text && IS_INTRESOURCE(text)) {
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
        return *this;
    }
    if (!text || !*text) {
        Release();
        return *this;
    }
    // The text may live inside our own buffer: copy before releasing.
    QString copy(text, static_cast<int>(wcslen(text)));
    *this = std::move(copy);
    return *this;
}

void QString::Assign(const wchar_t* text, int count)
{
    wchar_t* data = Allocate(count);
    std::memcpy(data, text, count * sizeof(wchar_t));
    data[count] = 0;
    Release();
    m_data = data;
    GetHeader()->length = count;
}

void QString::Reserve(int capacity)
{
    int length = GetLength();
    if (capacity < length)
        capacity = length;
    if (m_data && GetHeader()->refs == 1 && GetHeader()->capacity >= capacity)
        return;
    wchar_t* data = Allocate(capacity);
    if (length)
        std::memcpy(data, m_data, length * sizeof(wchar_t));
    data[length] = 0;
    reinterpret_cast<Header*>(data)[-1].length = length;
    Release();
    m_data = data;
}

// Most texts fit a small stack buffer; only longer ones pay for the big heap
// one, formatted a second time from a copy of the arguments.
void QString::FormatV(const wchar_t* format, va_list args)
{
    if (!format)
        format = L"";
    va_list again;
    va_copy(again, args);
    wchar_t local[kStackFormat];
    wchar_t* text = local;
    std::unique_ptr<wchar_t, void (*)(void*)> heap(nullptr, std::free);
    // _vsnwprintf reads %s as a wide string under mingw; vswprintf does not.
    // A result filling the whole count may have been cut: take the long way.
    int n = _vsnwprintf(local, kStackFormat - 1, format, args);
    if (n < 0 || n >= kStackFormat - 1) {
        heap.reset(static_cast<wchar_t*>(std::malloc(kMaxFormat * sizeof(wchar_t))));
        if (!heap) {
            va_end(again);
            throw std::bad_alloc();
        }
        text = heap.get();
        n = _vsnwprintf(text, kMaxFormat - 1, format, again);
        if (n < 0 || n > kMaxFormat - 1)
            n = kMaxFormat - 1;
    }
    va_end(again);
    text[n] = 0;
    if (n == 0)
        Release();
    else
        Assign(text, n);
}

void QString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

QString QString::Formatted(const wchar_t* format, ...)
{
    QString s;
    va_list args;
    va_start(args, format);
    s.FormatV(format, args);
    va_end(args);
    return s;
}

int QString::Insert(int index, const wchar_t* text)
{
    if (!text || !*text)
        return GetLength();
    int length = GetLength();
    if (length == 0) {
        *this = text;
        return GetLength();
    }
    if (index < 0)
        index = 0;
    if (index > length)
        index = length;
    QString keep(text); // text may point into our buffer
    int add = keep.GetLength();
    Reserve(length + add);
    std::memmove(m_data + index + add, m_data + index, (length - index + 1) * sizeof(wchar_t));
    std::memcpy(m_data + index, keep.m_data, add * sizeof(wchar_t));
    GetHeader()->length = length + add;
    return length + add;
}

int QString::Delete(int index, int count)
{
    int length = GetLength();
    if (index < 0 || index >= length || count <= 0)
        return length;
    if (count > length - index)
        count = length - index;
    Reserve(length);
    std::memmove(m_data + index, m_data + index + count, (length - index - count + 1) * sizeof(wchar_t));
    GetHeader()->length = length - count;
    if (length - count == 0)
        Release();
    return GetLength();
}

void QString::Append(const wchar_t* text)
{
    if (text && !IS_INTRESOURCE(text))
        Append(text, static_cast<int>(wcslen(text)));
}

void QString::Append(const wchar_t* text, int count)
{
    if (!text || count <= 0)
        return;
    if (!m_data) {
        Assign(text, count);
        return;
    }
    QString keep(text, count);
    int length = GetLength();
    int capacity = GetHeader()->capacity;
    if (GetHeader()->refs != 1 || capacity < length + count)
        Reserve(length + count > capacity ? length + count + length / 2 : capacity);
    std::memcpy(m_data + length, keep.m_data, count * sizeof(wchar_t));
    m_data[length + count] = 0;
    GetHeader()->length = length + count;
}

QString QString::Left(int count) const
{
    int length = GetLength();
    if (count > length)
        count = length;
    return count > 0 ? QString(m_data, count) : QString();
}

QString QString::Right(int count) const
{
    int length = GetLength();
    if (count > length)
        count = length;
    return count > 0 ? QString(m_data + length - count, count) : QString();
}

QString QString::Mid(int first, int count) const
{
    int length = GetLength();
    if (first < 0)
        first = 0;
    if (first >= length)
        return QString();
    if (count < 0 || count > length - first)
        count = length - first;
    return QString(m_data + first, count);
}

int QString::Find(const wchar_t* what, int start) const
{
    int length = GetLength();
    if (!what || start < 0 || start > length)
        return -1;
    const wchar_t* hit = wcsstr(c_str() + start, what);
    return hit ? static_cast<int>(hit - c_str()) : -1;
}

int QString::Find(wchar_t ch, int start) const
{
    int length = GetLength();
    for (int i = start < 0 ? 0 : start; i < length; ++i)
        if (m_data[i] == ch)
            return i;
    return -1;
}

int QString::Compare(const wchar_t* other) const
{
    return wcscmp(c_str(), other ? other : L"");
}

int QString::CompareNoCase(const wchar_t* other) const
{
    return _wcsicmp(c_str(), other ? other : L"");
}

bool QString::ContainsNoCase(const wchar_t* what) const
{
    if (!what || !*what)
        return true;
    QString hay(*this), needle(what);
    hay.MakeLower();
    needle.MakeLower();
    return hay.Find(needle.c_str()) >= 0;
}

void QString::MakeUpper()
{
    if (!m_data)
        return;
    Reserve(GetLength());
    CharUpperBuffW(m_data, GetLength());
}

void QString::MakeLower()
{
    if (!m_data)
        return;
    Reserve(GetLength());
    CharLowerBuffW(m_data, GetLength());
}

QString& QString::Trim()
{
    int length = GetLength();
    int first = 0, last = length;
    while (first < last && iswspace(m_data[first]))
        ++first;
    while (last > first && iswspace(m_data[last - 1]))
        --last;
    if (first != 0 || last != length)
        *this = Mid(first, last - first);
    return *this;
}

wchar_t* QString::GetBuffer(int minLength)
{
    Reserve(minLength < GetLength() ? GetLength() : minLength);
    if (!m_data) {
        m_data = Allocate(0);
    }
    return m_data;
}

void QString::ReleaseBuffer(int newLength)
{
    if (!m_data)
        return;
    Header* h = GetHeader();
    if (newLength < 0 || newLength > h->capacity)
        newLength = static_cast<int>(wcsnlen(m_data, h->capacity));
    m_data[newLength] = 0;
    h->length = newLength;
    if (newLength == 0)
        Release();
}

bool QString::LoadString(UINT id)
{
    const wchar_t* resource = nullptr;
    int n = ::LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (n <= 0 || !resource) {
        Release();
        return false;
    }
    Assign(resource, n);
    return true;
}

QString operator+(const wchar_t* left, const QString& right)
{
    QString s(left);
    s.Append(right.c_str(), right.GetLength());
    return s;
}

QString operator+(const QString& left, const QString& right)
{
    QString s(left);
    s.Append(right.c_str(), right.GetLength());
    return s;
}

QString operator+(const QString& left, const wchar_t* right)
{
    QString s(left);
    s.Append(right);
    return s;
}

bool operator!=(const QString& left, const QString& right)
{
    if (left.IsEmpty() || right.IsEmpty())
        return true;
    return wcscmp(left.c_str(), right.c_str()) != 0;
}

bool operator==(const QString& left, const QString& right)
{
    return wcscmp(left.c_str(), right.c_str()) == 0;
}

bool operator==(const QString& left, const wchar_t* right)
{
    return wcscmp(left.c_str(), right ? right : L"") == 0;
}

} // namespace utils
} // namespace micro
