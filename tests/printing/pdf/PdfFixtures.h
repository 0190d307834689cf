#pragma once
#include <string>
#include <vector>
#include "tests/harness/TempDatabase.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PdfReader.h"

namespace pdftest {

// One document line: a product made for it (or the discount article when
// discount is set), its quantity and unit price.
struct LineSpec {
    std::wstring name;
    double quantity;
    double price;
    int vatCode;
    bool discount;
};
LineSpec Line(const std::wstring& name, double quantity = 3, double price = 10, int vatCode = 0);
LineSpec DiscountLine(double price);
// "Produs 1" .. "Produs n" at quantity 1 and price 10 + row.
std::vector<LineSpec> ShortLines(int count);
// A product name of exactly `length` characters, ending in " <row>".
std::wstring NameOfLength(int length, int row);

// A temporary company database with the company, its issuing user and a
// client filled in, and helpers for documents.
class PdfExportTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override;
    // 0 = 24 % (the default), 3 = no VAT.
    void SetCompanyVat(int vatCode, int vatOnCollection = 0);
    void SetClient(const wchar_t* name, const wchar_t* city);
    // A document of the type numbered `number` with the lines; the header's
    // net total is `net` (the lines' sum when negative). Answers its id.
    unsigned long long AddDocument(int type, long long number, const std::vector<LineSpec>& lines, double net = -1);
    void SetReceiptCounter(long long number);

    // Writes the document in the layout (1-3) to test-out\pdf\name through
    // the layout's writer and reads the file back; false when nothing was written.
    bool WriteLayout(int layout, unsigned long long id, int type, const std::wstring& name, PdfPage& page);
    unsigned long long clientId = 0;
};

} // namespace pdftest
