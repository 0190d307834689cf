#include "cash/CellNumbers.h"
#include "masterdata/NumberText.h"
#include <cwchar>

unsigned long long CellInteger(const wchar_t* text)
{
    while (*text == L' ' || *text == L'\t')
        ++text;
    // A sign would wrap round to a huge number.
    return (*text >= L'0' && *text <= L'9') ? std::wcstoull(text, nullptr, 10) : 0;
}

double CellNumber(const wchar_t* text)
{
    return StoredNumber(text);
}
