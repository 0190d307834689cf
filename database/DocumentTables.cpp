#include "database/DocumentTables.h"
#include <cstddef>

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
