#pragma once

// VAT codes 0..3 are 24 %, 9 %, 5 % and 0 %; an unknown code is printed as
// 0 % and adds no VAT (multiplier 1.0).
const wchar_t* VatLabel(long long code);
double VatMultiplier(long long code);

// The discount as a whole percentage of (net value + price): truncated after
// narrowing to single precision, raised by 1 when the cut-off part exceeds 0.5.
int DiscountPercent(double price, double netValue);
// A stored discount line's percentage from its quantity and price and its
// document's net value: the original's line (-1 x price) and a reversing
// document's (1 x price, with the negated net value) read the same.
int DiscountLinePercent(double quantity, double price, double netValue);

// A line's VAT as the screen, the printer and the PDF all show it: from the
// unrounded line value, rounded once when shown with "%.2f".
double LineVat(double value, long long code);
