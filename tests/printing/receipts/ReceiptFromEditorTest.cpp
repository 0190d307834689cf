// Receipts printed from the receipt editor through the real print dialog:
// what the paper says about the receipt is what the books hold.
#include <gtest/gtest.h>
#include "cash/ReceiptPrinting.h"
#include "printing/PrintingCommands.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PrintFixtures.h"

using testing_support::ModalDriver;

namespace {

class ReceiptFromEditor : public cash_tests::CashEditorTest {
protected:
    ReceiptFromEditor() : CashEditorTest(cash_tests::kReceipts)
    {
        micro::qapp::QCommandTable commands;
        RegisterPrintingCommands(commands);
        layout_tests::SetCompany(tempDb);
    }
    ~ReceiptFromEditor() override { SetReceiptPrinter(nullptr); }
};

} // namespace

// The numbering settings' receipt series changed after a receipt was stored:
// that receipt is printed with the series it was issued under.
TEST_F(ReceiptFromEditor, AStoredReceiptPrintsTheSeriesItWasIssuedUnder)
{
    unsigned long long stored =
        cash_tests::AddCashRow(tempDb, L"Incasari", {partner, 3, L" 12", 40, 1, 1700000000, 0, L"VECHE"});
    tempDb.Exec(L"update ConfigFacturi set serie_chit = 'NOUA', numarChit = 8 where id = 1");

    layout_tests::MetafileSink sink(2479, 3508);
    nested.push_back({L"Tiparire", [](HWND w) {
                          ModalDriver::Click(w, IDC_TIPARIRE_PRINT);
                          ModalDriver::Click(w, IDCANCEL);
                      }});
    Run(stored, L"Dialog", [](HWND w) { ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE); });
    ASSERT_EQ(1u, sink.printed.size()) << boxes.Describe();
    EXPECT_EQ(2u, sink.printed[0].StartingWith(L"Chitanta seria: VECHE Nr.: 3").size());
    EXPECT_TRUE(sink.printed[0].StartingWith(L"Chitanta seria: NOUA").empty());
}
