#pragma once
#include <windows.h>

namespace micro {
namespace utils {

// Reference-counted UTF-16 text. The buffer is preceded by a header of three
// 32-bit fields (references, length, capacity); copies share the buffer and a
// change detaches first. A null buffer is the empty string.
class QString {
public:
    struct Header {
        LONG refs;
        int length;
        int capacity;
    };

    QString() : m_data(nullptr) {}
    QString(const QString& other);
    QString(QString&& other) noexcept : m_data(other.m_data) { other.m_data = nullptr; }
    // A value below 65536 given as the text names a string-table resource.
    QString(const wchar_t* text);
    QString(const wchar_t* text, int count);
    ~QString() { Release(); }

    QString& operator=(const QString& other);
    QString& operator=(QString&& other) noexcept;
    QString& operator=(const wchar_t* text);
    QString& operator+=(const QString& other) { Append(other.c_str()); return *this; }
    QString& operator+=(const wchar_t* text) { Append(text); return *this; }
    QString& operator+=(wchar_t ch) { wchar_t s[2] = {ch, 0}; Append(s); return *this; }

    operator const wchar_t*() const { return c_str(); }
    const wchar_t* c_str() const { return m_data ? m_data : L""; }
    wchar_t operator[](int index) const { return m_data[index]; }

    int GetLength() const { return m_data ? GetHeader()->length : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    bool HasBuffer() const { return m_data != nullptr; }
    int RefCount() const { return m_data ? GetHeader()->refs : 0; }

    // printf-style formatting of wide text (%s takes a wide string), at most
    // 15999 characters; replaces the content.
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    static QString Formatted(const wchar_t* format, ...);

    // Inserts before the character at index (appends past the end); answers the new length.
    int Insert(int index, const wchar_t* text);
    // Removes count characters at index; answers the new length.
    int Delete(int index, int count = 1);
    void Append(const wchar_t* text);
    void Append(const wchar_t* text, int count);
    QString Left(int count) const;
    QString Right(int count) const;
    QString Mid(int first, int count = -1) const;

    int Find(const wchar_t* what, int start = 0) const;
    int Find(wchar_t ch, int start = 0) const;
    int Compare(const wchar_t* other) const;
    int CompareNoCase(const wchar_t* other) const;
    bool ContainsNoCase(const wchar_t* what) const;
    void MakeUpper();
    void MakeLower();
    QString& Trim();

    // Direct access for APIs that write into a buffer: GetBuffer reserves at
    // least minLength characters plus the terminator; ReleaseBuffer fixes the
    // length (to the terminator when -1).
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);
    void Empty() { Release(); }

    // Loads a string-table resource of the program.
    bool LoadString(UINT id);

private:
    Header* GetHeader() const { return reinterpret_cast<Header*>(m_data) - 1; }
    static wchar_t* Allocate(int capacity);
    void Release();
    void Assign(const wchar_t* text, int count);
    // Makes the buffer private and able to hold capacity characters, keeping the text.
    void Reserve(int capacity);

    wchar_t* m_data;
};

QString operator+(const wchar_t* left, const QString& right);
QString operator+(const QString& left, const QString& right);
QString operator+(const QString& left, const wchar_t* right);
// True when either side is empty (an empty text differs from every text, even
// another empty one); otherwise a case-sensitive code-unit comparison.
bool operator!=(const QString& left, const QString& right);
// Plain equality of the texts; two empty strings are equal.
bool operator==(const QString& left, const QString& right);
bool operator==(const QString& left, const wchar_t* right);

} // namespace utils
} // namespace micro
