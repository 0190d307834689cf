#pragma once
// Small rules shared by the editor's source files.
#include <cwchar>
#include <cstdlib>
#include "framework/utils/QString.h"
#include "masterdata/NumberText.h"
#include "printing/VatAndDiscount.h"

namespace facturi_editor {

// Line-list columns.
enum Column {
    ColNr = 0, ColId, ColName, ColUnitPrice, ColQuantity, ColUnit, ColCurrency, ColNet, ColVat, ColGross, ColVatText,
};

// The editor shows and computes VAT as the printed pages do.
using ::VatLabel;
using ::VatMultiplier;

// A number the editor itself wrote into a cell ("12.50", "-1", a stored
// quantity with all its decimals); anything else reads 0.
inline double CellAmount(const wchar_t* text)
{
    return StoredNumber(text);
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
