#pragma once
#include <vector>
#include "framework/gui/QControl.h"
#include "framework/utils/QString.h"

// What the receipt and the payment sides show, read and number alike.

// The status word of a receipt, a payment or a document they settle: " ? "
// for 0, then "Temporar", "Validat", "Anulat", "Stornat"; any other "?".
const wchar_t* CashStatusWord(long long status);
// The series of a new payment: the numbering settings' payment series, "PLT"
// when none is set.
micro::utils::QString PaymentSeries();

// The payment types, one combo line each; a stored type is the line's index,
// whatever ids the table gives its rows.
std::vector<micro::utils::QString> PaymentTypeLines();
// The line a stored type shows; empty when it names none.
micro::utils::QString PaymentTypeLine(const std::vector<micro::utils::QString>& lines, long long type);
void FillPaymentTypes(micro::gui::QCombo& combo);
// Selects the stored type's line; a type without a line selects none.
void SelectPaymentType(micro::gui::QCombo& combo, long long type);
// The type a save stores: the selected line; with none selected the stored
// type (0 when that is not a line index either).
long long ChosenPaymentType(const micro::gui::QCombo& combo, long long stored);

// The first number from `from` on that no row of table (Incasari, Plati)
// holds in the series.
unsigned long long FirstFreeNumber(const wchar_t* table, const micro::utils::QString& series,
                                   unsigned long long from);
