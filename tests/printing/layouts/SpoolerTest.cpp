// Printing through the real spooler: a PDF printer queue (tools/spooler.sh)
// turns each job into a file whose text is read back with pdftotext.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>
#include <functional>
#include "database/DocumentTables.h"
#include "printing/PrintBackground.h"
#include "printing/layouts/PrinterLayouts.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "database/qsql/QSqlError.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/LayoutFixtures.h"
#include "tests/printing/support/HostTools.h"

using namespace layout_tests;
using testing_support::DatabaseTest;
using testing_support::ModalDriver;

namespace {

bool HasDefaultPrinter()
{
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    return length > 0;
}

std::string NewestPdf()
{
    std::string out;
    pdftest::RunOnHost("ls -t \"$HOME\"/PDF/*.pdf 2>/dev/null | head -n 1", out, 10000);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

class Spooler : public DatabaseTest {
protected:
    void SetUp() override
    {
        if (!HasDefaultPrinter())
            GTEST_SKIP() << "no printer queue: run tools/spooler.sh to start one";
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
    // receipt confirmation when asked) and answers the text of the PDF it made.
    std::string PrintToText(const std::function<bool()>& print, bool confirmReceipt = false)
    {
        std::string before = NewestPdf();
        ModalDriver driver(30000);
        if (confirmReceipt)
            driver.When(L"Confirmare date chitanta", [](HWND dialog) { ModalDriver::Click(dialog, IDOK); });
        driver.When(L"Print", [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        try {
            EXPECT_TRUE(print());
        } catch (const micro::qsql::QSqlError& error) {
            ADD_FAILURE() << testing_support::Narrow(error.GetText().c_str());
        }
        driver.Verify();
        std::string file;
        for (int i = 0; i < 300; ++i) {
            file = NewestPdf();
            if (!file.empty() && file != before)
                break;
            Sleep(100);
        }
        EXPECT_NE(before, file) << "the queue wrote no new PDF";
        std::string text;
        for (int i = 0; i < 50; ++i) {
            Sleep(200);
            if (pdftest::RunOnHost("pdftotext -layout '" + file + "' -", text, 20000) == 0 && !text.empty())
                break;
        }
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
        InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 100 + layout, {L"Masa de lucru", L"Scaun rotativ"});
        std::string text = PrintToText(
            [&] {
                FacturaPrintJob job(f.documentId, DocumentInvoice, layout, owner);
                return layout == 1 ? PrintFacturaLayout1(job)
                                   : layout == 2 ? PrintFacturaChitantaLayout2(job) : PrintFacturaLayout3(job);
            },
            layout == 2);
        EXPECT_NE(std::string::npos, text.find("FACTURA")) << "layout " << layout << ":\n" << text;
        EXPECT_NE(std::string::npos, text.find("Client Unu SRL")) << "layout " << layout;
        EXPECT_NE(std::string::npos, text.find("Scaun rotativ")) << "layout " << layout;
    }

    // A note longer than one sheet goes on over a second.
    std::vector<std::wstring> names = ShortNames(39);
    names.push_back(L"Raft metalic");
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 12, names);
    std::string text = PrintToText([&] {
        FacturaPrintJob job(f.documentId, DocumentGoodsReceived, 1, owner);
        return PrintNir(job);
    });
    EXPECT_NE(std::string::npos, text.find("NOTA DE RECEPTIE SI CONSTATARE DIFERENTE")) << text;
    EXPECT_NE(std::string::npos, text.find("Client Unu SRL"));
    EXPECT_NE(std::string::npos, text.find("Raft metalic"));
    EXPECT_NE(std::string::npos, text.find('\f')) << "one sheet only";
}
