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
