#pragma once
#include <string>
#include <vector>
#include "printing/FacturaDate.h"
#include "tests/harness/TempDatabase.h"

namespace printing_tests {

// A document header in the type's table; answers its id.
unsigned long long AddHeader(testing_support::TempDatabase& db, const wchar_t* table, long long number,
                             unsigned long long client, double net, double vat, double total,
                             const wchar_t* series = L"FCT", unsigned long long delegate = 0,
                             long long created = 1700000000, long long due = 1702592000);
void AddLine(testing_support::TempDatabase& db, const wchar_t* table, unsigned long long document,
             unsigned long long product, double quantity, double price);
// A small PNG of solid colour, as a stored picture would be (made by the
// host's ImageMagick).
std::string SolidPng(unsigned width, unsigned height, unsigned char r, unsigned char g, unsigned char b);

} // namespace printing_tests

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
