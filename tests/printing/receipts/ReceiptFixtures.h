#pragma once
#include <string>
#include "printing/receipts/ChitantaTexts.h"
#include "tests/harness/TempDatabase.h"

namespace receipt_tests {

// A receipt's texts as the print dialog would hold them.
ChitantaTexts SampleTexts();

// Names the company (row 1) and, when asked, stores a logo and a stamp.
void StoreCompany(testing_support::TempDatabase& db, bool withPictures);
// A client with every field the receipt shows; answers its id.
unsigned long long StoreClient(testing_support::TempDatabase& db);
// Small PNG pictures standing for a logo and a stamp.
std::string LogoPicture();
std::string StampPicture();

} // namespace receipt_tests
