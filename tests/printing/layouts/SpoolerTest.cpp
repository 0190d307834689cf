// Printing through the real spooler: a PDF printer queue (tools/spooler.sh)
// turns each job into a file whose words are read back with pdftotext.
#include <gtest/gtest.h>
#include <windows.h>
#include "database/DocumentTables.h"
#include "printing/PrintBackground.h"
#include "printing/layouts/PrinterLayouts.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/PrintedSheet.h"

using namespace layout_tests;
using printing_tests::PrintedSheet;
using printing_tests::PrintThroughSpooler;

namespace {

class Spooler : public printing_tests::SpoolerTest {
protected:
    void SetUp() override
    {
        SpoolerTest::SetUp();
        if (!IsSkipped())
            SetCompany(tempDb);
    }
    void TearDown() override
    {
        printBackgroundChoice = PrintBackgroundNone;
        SpoolerTest::TearDown();
    }
};

} // namespace

// One database for all four jobs: a fresh company file opened after a print
// dialog has run in the process fails its first lock under Wine.
TEST_F(Spooler, EachLayoutAndTheGoodsReceivedNotePrintTitlePartnerAndLastProduct)
{
    // With the dialog's first built-in background under the table.
    printBackgroundChoice = PrintBackgroundFirst;
    for (int layout = 1; layout <= 3; ++layout) {
        std::wstring last = L"Scaun" + std::to_wstring(GetTickCount());
        InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 100 + layout, {L"Masa de lucru", last});
        PrintedSheet sheet;
        PrintThroughSpooler(
            [&] {
                FacturaPrintJob job(f.documentId, DocumentInvoice, layout, owner);
                return layout == 1 ? PrintFacturaLayout1(job)
                                   : layout == 2 ? PrintFacturaChitantaLayout2(job) : PrintFacturaLayout3(job);
            },
            testing_support::Narrow(last), sheet, layout == 2);
        EXPECT_TRUE(sheet.HasWord("FACTURA")) << "layout " << layout;
        EXPECT_TRUE(sheet.HasWord("Unu")) << "layout " << layout;
    }

    // A note longer than one sheet goes on over a second.
    std::vector<std::wstring> names = ShortNames(39);
    std::wstring last = L"Raft" + std::to_wstring(GetTickCount());
    names.push_back(last);
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 12, names);
    PrintedSheet sheet;
    PrintThroughSpooler(
        [&] {
            FacturaPrintJob job(f.documentId, DocumentGoodsReceived, 1, owner);
            return PrintNir(job);
        },
        testing_support::Narrow(last), sheet);
    EXPECT_TRUE(sheet.HasWord("RECEPTIE"));
    EXPECT_TRUE(sheet.HasWord("Unu"));
    EXPECT_LE(2, sheet.pages) << "one sheet only";
}
