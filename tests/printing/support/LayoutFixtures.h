#pragma once
#include <string>
#include <vector>
#include "printing/FacturaDate.h"
#include "tests/harness/TempDatabase.h"

namespace layout_tests {

// A company, a client and an invoice with lines, as the page tests want them.
struct InvoiceFixture {
    unsigned long long clientId = 0;
    unsigned long long documentId = 0;
    std::vector<unsigned long long> products;
};

// Names the company and the client and sets the company's VAT code (3: no VAT).
void SetCompany(testing_support::TempDatabase& db, int vatCode = 0, int vatOnCollection = 0);
// A document of the type with one line per name (quantity 2, price 10 + row).
InvoiceFixture AddDocument(testing_support::TempDatabase& db, int type, long long number,
                           const std::vector<std::wstring>& productNames);
// "Produs 1" .. "Produs n", or names of the given length ending in their row number.
std::vector<std::wstring> ShortNames(int count);
std::wstring NameOfLength(int length, int row);

} // namespace layout_tests

namespace layout_tests {

// Stores pictures as the company's logo, stamp and background.
void SetCompanyImages(testing_support::TempDatabase& db);

// Device pixels of page units on a printed page of width x height (605 or 602 units high).
struct Scale {
    Scale(int width, int height, float unitsHigh = 605.0f)
        : W(width), H(height), sx(width / 427.0f), sy(height / unitsHigh) {}
    int X(float units) const { return static_cast<int>(units * sx); }
    int Y(float units) const { return static_cast<int>(units * sy); }
    int W, H;
    float sx, sy;
};

} // namespace layout_tests
