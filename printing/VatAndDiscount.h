#pragma once
#include "framework/utils/QString.h"

// VAT codes 0..3 are 24 %, 9 %, 5 % and 0 %; an unknown code is printed as
// 0 % and adds no VAT (multiplier 1.0).
const wchar_t* VatLabel(long long code);
double VatMultiplier(long long code);

// A discount as its line's name shows it: at most two decimals, a decimal
// comma, no trailing zeros ("10", "7,5", "12,25").
micro::utils::QString PercentText(double percent);
// The percentage a discount of `price` was made with, to two decimals: of the
// net value before it, which is the document's net value after it (the sum of
// rounded line values) plus the discount's own value rounded to bani. 0 on a
// zero denominator.
double DiscountPercent(double price, double netValue);
// A stored discount line's percentage from its quantity and price and its
// document's net value: the original's line (-1 x price) and a reversing
// document's (1 x price, with the negated net value) read the same.
double DiscountLinePercent(double quantity, double price, double netValue);

// A line's VAT from its unrounded value.
double LineVat(double value, long long code);

// A line's money as the editor, the save, the screen pages, the printer and
// the PDF all count it: its net value and its VAT each rounded to bani once,
// its value with VAT their sum, so that net + VAT = total on every line and
// in every sum of lines.
struct LineAmounts {
    double net;
    double vat;
    double gross;
};
LineAmounts RoundedLine(double net, double vat);
// A line of unrounded net value `net` taxed at VAT code `code`.
LineAmounts LineAtRate(double net, long long code);

// A document's totals: the sums of its lines' rounded amounts, kept in bani.
class DocumentTotals {
public:
    DocumentTotals() = default;
    // Totals summed so far (each already in bani), to add further lines to.
    DocumentTotals(double net, double vat, double gross);
    void Add(const LineAmounts& line);
    double Net() const;
    double Vat() const;
    double Gross() const;
    bool operator==(const DocumentTotals& other) const;
    // The largest of the three differences, in bani.
    long long Distance(const DocumentTotals& other) const;

private:
    long long m_net = 0, m_vat = 0, m_gross = 0;
};
