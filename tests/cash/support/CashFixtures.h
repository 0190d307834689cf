#pragma once
#include <string>
#include "tests/harness/TempDatabase.h"

namespace cash_tests {

struct Document {
    unsigned long long client;
    unsigned long long number;
    double total;
    double balance;
    int status = 2;
    const wchar_t* table = L"Facturi";
};

// A document header with its amounts (net and VAT split 100:19 of the total);
// answers its id.
unsigned long long AddDocument(testing_support::TempDatabase& db, const Document& document);
double Balance(testing_support::TempDatabase& db, unsigned long long id, const wchar_t* table = L"Facturi");

} // namespace cash_tests
