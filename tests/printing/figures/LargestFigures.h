#pragma once
#include <string>
#include <vector>
#include "printing/receipts/ChitantaTexts.h"
#include "tests/harness/TempDatabase.h"

namespace figures_tests {

// A stored document whose every figure column holds the widest figure a user
// can get stored. The editor takes quantities up to 999 999 999,999 and
// refuses a line or a document whose value with VAT passes 999 999 999,99
// either way; a return invoice's lines are stored negated, a discount line is
// negative. `figures` are the widest texts its pages show, `vatFigures` those
// shown only for a company that charges VAT. Its products are named with
// LongProductName, so that each of their rows takes two lines on screen.
struct LargestDocument {
    unsigned long long id;
    int type;
    std::vector<std::wstring> figures;
    std::vector<std::wstring> vatFigures;
};

// A return invoice: -999999999.999 x 0.01, -1 x 806451612.89 (its VAT at
// 24 % the largest a line can hold) and a discount of -999999999.99; the
// totals -999999999.99, VAT -193548387.09.
LargestDocument AddLargestReturnInvoice(testing_support::TempDatabase& db);
// The same invoice not returned: positive but for its discount, and owed
// its whole total, so that its receipt says the longest sum in words.
LargestDocument AddLargestInvoice(testing_support::TempDatabase& db);
// A goods-received note of -999999999.999 x 0.01, -1 x 999999999.99 and a
// discount of -999999999.99; its total -999999999.99.
LargestDocument AddLargestNote(testing_support::TempDatabase& db);

// The documents a page is checked with, stored for a company of the VAT
// code: the note alone, or both invoices (returned, then not).
std::vector<LargestDocument> AddLargestDocuments(testing_support::TempDatabase& db, int vatCode, bool note);

// 45 characters for a row under 10: two lines on every screen page, and on
// paper but in layout 3.
std::wstring LongProductName(int row);

// A receipt of the sum, in words, with the largest number a counter holds
// for the receipt and for the invoice it pays.
ChitantaTexts ReceiptOf(double sum);
// The largest sum, then ordinary sums whose line, the sum with its words,
// ends a little past the frame's right side but short of the sheet's edge:
// on paper (244.78), on screen (1114.78) or in the PDF (1147.78, and
// 1456.78 in its larger size).
const double kReceiptSums[] = {999999999.99, 244.78, 1114.78, 1147.78, 1456.78};

} // namespace figures_tests
