#pragma once
// Small rules shared by the editor's source files.
#include <cwchar>
#include <cstdlib>
#include "framework/utils/QString.h"

namespace facturi_editor {

// Line-list columns.
enum Column {
    ColNr = 0, ColId, ColName, ColUnitPrice, ColQuantity, ColUnit, ColCurrency, ColNet, ColVat, ColGross, ColVatText,
};

// VAT codes 0..3 are 24 %, 9 %, 5 % and 0 %; an unknown code counts as 0 %.
inline const wchar_t* VatLabel(long long code)
{
    static const wchar_t* const labels[] = {L"24%", L"9%", L"5%", L"0%"};
    return (code >= 0 && code <= 3) ? labels[code] : L"0%";
}
inline double VatMultiplier(long long code)
{
    static const double factors[] = {1.24, 1.09, 1.05, 1.0};
    return (code >= 0 && code <= 3) ? factors[code] : 1.0;
}

// A number typed or shown in a cell ("12.50", "-1"); no digits read 0.
inline double ParseAmount(const wchar_t* text)
{
    return text ? wcstod(text, nullptr) : 0.0;
}

inline micro::utils::QString Amount(double value)
{
    return micro::utils::QString::Formatted(L"%.2f", value);
}

// A stored date is the chosen day: the time of day is dropped.
inline unsigned long long DayOf(unsigned long long seconds)
{
    return seconds - seconds % 86400ULL;
}

} // namespace facturi_editor
