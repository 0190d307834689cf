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

// Paper proves a payment: a cancelled receipt, a new one never saved and a
// stored one whose amount was changed and not saved reach no model and no
// PDF (the print dialog never opens); the command says why.
TEST_F(ReceiptFromEditor, OnlyAReceiptAsStoredAndNotCancelledIsPrinted)
{
    unsigned long long cancelled =
        cash_tests::AddCashRow(tempDb, L"Incasari", {partner, 51, L" 12", 5, 3, 1700000000, 0, L"BRVC"});
    unsigned long long kept =
        cash_tests::AddCashRow(tempDb, L"Incasari", {partner, 52, L" 12", 384.5, 1, 1700000000, 0, L"BRVC"});
    layout_tests::MetafileSink sink(2479, 3508);
    Run(cancelled, L"Dialog", [](HWND w) { ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE); });
    Run(kept, L"Dialog", [](HWND w) {
        ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"100");
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE);
    });
    PickPartnerAndDocument(12);
    Run(0, L"Dialog", [](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE);
    });
    EXPECT_EQ("[Atentie] Chitanta este anulata si nu se mai tipareste !\n"
              "[Atentie] Salvati chitanta inainte de a o tipari !\n"
              "[Atentie] Salvati chitanta inainte de a o tipari !\n",
              boxes.Describe());
    EXPECT_EQ(0, sink.opened);
    EXPECT_EQ(L"2|384.5", Stored(L"count(*) || '|' || max(suma)"));
}
