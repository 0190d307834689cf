#pragma once
#include <string>
#include "tests/harness/TempDatabase.h"

namespace printing_tests {

// A document header in the type's table; answers its id.
unsigned long long AddHeader(testing_support::TempDatabase& db, const wchar_t* table, long long number,
                             unsigned long long client, double net, double vat, double total,
                             const wchar_t* series = L"FCT", unsigned long long delegate = 0,
                             long long created = 1700000000, long long due = 1702592000);
void AddLine(testing_support::TempDatabase& db, const wchar_t* table, unsigned long long document,
             unsigned long long product, double quantity, double price);
void AddReceipt(testing_support::TempDatabase& db, const wchar_t* facturi, const wchar_t* series, long long number,
                unsigned long long client, int status);
// A small PNG of solid colour, as a stored picture would be.
std::string SolidPng(unsigned width, unsigned height, unsigned char r, unsigned char g, unsigned char b);

} // namespace printing_tests
