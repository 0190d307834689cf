// Printing through the real spooler: a PDF printer queue (tools/spooler.sh)
// turns each job into a file whose text is read back with pdftotext.
#include <gtest/gtest.h>
#include <windows.h>
#include <ctime>
#include <functional>
#include "database/DocumentTables.h"
#include "printing/PrintBackground.h"
#include "printing/layouts/PrinterLayouts.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/HostTools.h"

using namespace layout_tests;
using testing_support::DatabaseTest;
using testing_support::ModalDriver;

namespace {

class Spooler : public DatabaseTest {
protected:
    void SetUp() override
    {
        if (!printing_tests::SpoolerRunning())
            GTEST_SKIP() << "no print spooler with a default queue is running (start it with tools/spooler.sh)";
        SetCompany(tempDb);
        // The system print dialog wants a window to belong to.
        owner = CreateWindowExW(0, L"STATIC", L"Spooler test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override
    {
        printBackgroundChoice = PrintBackgroundNone;
        if (owner)
            DestroyWindow(owner);
    }
    HWND owner = nullptr;

    // Runs the print with the system print dialog answered "Print" (after the
    // receipt confirmation when asked); answers the words of the PDF it made,
    // found by a word only this job prints.
    std::string PrintToText(const std::function<bool()>& print, const std::string& marker, bool confirmReceipt = false)
    {
        long long since = time(nullptr);   // Wine and the queue share the host's clock
        ModalDriver driver(30000);
        if (confirmReceipt)
            driver.When(L"Confirmare date chitanta", [](HWND dialog) { ModalDriver::Click(dialog, IDOK); });
        driver.When(L"Print", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        EXPECT_TRUE(print());
        driver.Verify();
        std::string text = printing_tests::WaitForPrintedPdf("Dovodozi_Printout", marker, since);
        EXPECT_FALSE(text.empty()) << "the queue wrote no PDF holding " << marker;
        return text;
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
        std::string text = PrintToText(
            [&] {
                FacturaPrintJob job(f.documentId, DocumentInvoice, layout, owner);
                return layout == 1 ? PrintFacturaLayout1(job)
                                   : layout == 2 ? PrintFacturaChitantaLayout2(job) : PrintFacturaLayout3(job);
            },
            testing_support::Narrow(last), layout == 2);
        EXPECT_NE(std::string::npos, text.find(">FACTURA</word>")) << "layout " << layout << ":\n" << text;
        EXPECT_NE(std::string::npos, text.find(">Unu</word>")) << "layout " << layout;
    }

    // A note longer than one sheet goes on over a second.
    std::vector<std::wstring> names = ShortNames(39);
    std::wstring last = L"Raft" + std::to_wstring(GetTickCount());
    names.push_back(last);
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 12, names);
    std::string text = PrintToText(
        [&] {
            FacturaPrintJob job(f.documentId, DocumentGoodsReceived, 1, owner);
            return PrintNir(job);
        },
        testing_support::Narrow(last));
    EXPECT_NE(std::string::npos, text.find(">RECEPTIE</word>")) << text;
    EXPECT_NE(std::string::npos, text.find(">Unu</word>"));
    EXPECT_NE(std::string::npos, text.find("<page ", text.find("<page ") + 1)) << "one sheet only";
}
