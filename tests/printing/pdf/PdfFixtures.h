#pragma once
#include <string>
#include <vector>
#include "tests/harness/TempDatabase.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PdfPage.h"

namespace pdftest {

// One document line: a product made for it (none for a discount line), its
// quantity and unit price.
struct LineSpec {
    std::wstring name;
    double quantity = 3, price = 10;
    bool discount = false;
};
// "Produs 1" .. "Produs n" at quantity 1 and price 10 + row.
std::vector<LineSpec> ShortLines(int count);

// A company database with the company, its issuing user and a client filled in.
class PdfExportTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override;
    // A document of the type numbered `number` with the lines; the header's
    // net total is `net` (the lines' sum when negative). Answers its id.
    unsigned long long AddDocument(int type, long long number, const std::vector<LineSpec>& lines, double net = -1);
    // Writes the document in the layout (1-3) to test-out\pdf\name through
    // the layout's writer and reads the file back; false when nothing was written.
    bool WriteLayout(int layout, unsigned long long id, int type, const std::wstring& name, PdfPage& page);
    unsigned long long clientId = 0;
};

} // namespace pdftest
