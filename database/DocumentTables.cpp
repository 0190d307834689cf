#include "database/DocumentTables.h"
#include <cstddef>
#include <cwchar>
#include <string>

namespace {
template <size_t N>
const wchar_t* Pick(const wchar_t* const (&names)[N], long long index)
{
    return (index >= 0 && index < static_cast<long long>(N)) ? names[index] : names[0];
}
}

const wchar_t* DocumentHeaderTable(int type)
{
    static const wchar_t* const names[] = {L"Facturi", L"Proforme", L"Avize", L"Niruri", L"Facturi"};
    return Pick(names, type);
}

const wchar_t* DocumentLineTable(int type)
{
    static const wchar_t* const names[] = {L"ArticoleFacturi", L"ArticoleProforme", L"ArticoleAvize",
                                           L"ArticoleNiruri", L"ArticoleFacturi"};
    return Pick(names, type);
}

const wchar_t* DocumentIdColumn(int type)
{
    static const wchar_t* const names[] = {L"idFactura", L"idProforma", L"idAvize", L"idNir", L"idFactura"};
    return Pick(names, type);
}

const wchar_t* DocumentCounterColumn(int type)
{
    static const wchar_t* const names[] = {L"numarFactura", L"numarProforma", nullptr, L"numarNir", L"numarFactura"};
    return Pick(names, type);
}

const wchar_t* DocumentStatusWord(long long status)
{
    static const wchar_t* const words[] = {L"?", L"Temporar", L"Validat", L"Anulat", L"Stornat"};
    return Pick(words, status);
}

std::vector<unsigned long long> ListedNumbers(const wchar_t* facturi)
{
    // Read from the end: the last number is the first row.
    std::vector<unsigned long long> numbers;
    std::wstring text = facturi ? facturi : L"";
    std::wstring token;
    for (long long i = static_cast<long long>(text.size()) - 1; i >= -1; --i) {
        wchar_t ch = i >= 0 ? text[static_cast<size_t>(i)] : L' ';
        if (ch != L',' && ch != L' ') {
            token.insert(token.begin(), ch);
            continue;
        }
        if (!token.empty())
            numbers.push_back(token[0] >= L'0' && token[0] <= L'9' ? std::wcstoull(token.c_str(), nullptr, 10) : 0);
        token.clear();
    }
    return numbers;
}
