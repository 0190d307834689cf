#pragma once
// Small rules shared by the editor's source files.
#include <cwchar>
#include <cstdlib>
#include <vector>
#include "cash/Settlement.h"
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
    return MoneyText(value);
}

// A stored date is the chosen day: the time of day is dropped.
inline unsigned long long DayOf(unsigned long long seconds)
{
    return seconds - seconds % 86400ULL;
}

// The table receipts or payments settle for a document type; none for
// proformas and delivery notes.
const settlement::DocumentTable* SettledTable(int tip);
// The refusal when another document of the type and series holds the number
// (reservedId: the document's own id), empty when it is free.
micro::utils::QString NumberTakenText(int tip, const micro::utils::QString& series, unsigned long long number,
                                      unsigned long long reservedId);
// "Factura 5 este incasata cu 100.00 prin chitanta CNT 7" (an invoice),
// "NIR-ul 5 este platit ... prin plata PLT 3" (a NIR): why the total cannot
// fall below what was taken, or the document cannot be closed.
micro::utils::QString SettledText(int tip, unsigned long long number, long long takenBani,
                                  const std::vector<settlement::LiveAllocation>& owners);

} // namespace facturi_editor
