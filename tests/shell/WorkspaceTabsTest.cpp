#include <gtest/gtest.h>
#include "cash/CashCommands.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "shell/MyFrame.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/ModalDriver.h"

using testing_support::ModalDriver;

namespace {

const UINT kInvoiceTab = 32842, kNirTab = 32813;

// Stands for a receipt or payment editor that settles what it is given: the
// document's balance drops to 0.
const wchar_t* g_settled = nullptr;
INT_PTR SettlingEditor(HWND, int, uint64_t)
{
    GetRepository().ExecDML(micro::qsql::SqlFormat(L"update %s set sold = 0", g_settled).c_str());
    return IDOK;
}

// The main window over a company with invoice 1 and NIR 1, each owing 100.00.
class WorkspaceTabs : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        unsigned long long partner = tempDb.AddClient(L"Gama SRL");
        cash_tests::AddDocument(tempDb, {partner, 1, 100.0, 100.0});
        cash_tests::AddDocument(tempDb, {partner, 1, 100.0, 100.0, 2, L"Niruri"});
        ASSERT_TRUE(frame.CreateMain());
        SetWindowPos(frame, nullptr, 0, 0, 1000, 640, SWP_NOZORDER | SWP_SHOWWINDOW);
        ModalDriver::Pump();
    }
    void TearDown() override
    {
        frame.Destroy();
        ModalDriver::Pump();
        // The real editors again for the tests after.
        micro::qapp::QCommandTable commands;
        RegisterCashCommands(commands);
    }
    // The "Sold" cell of the tab's only row.
    std::wstring Balance(int tab)
    {
        return ModalDriver::ListCell(frame.tabs.GetPage(tab)->GetHandle(), IDC_FACTURI_PANEL_LIST, 0, 7);
    }

    MyFrame frame;
};

} // namespace

// The invoice and NIR tabs stay open while a receipt and a payment are made
// from their lists: each tab shows the balance the editor left, not the one
// it read when it opened.
TEST_F(WorkspaceTabs, ATabShowsTheBalanceAReceiptOrPaymentLeft)
{
    frame.ExecuteCommand(kInvoiceTab, 0, 0);
    frame.ExecuteCommand(kNirTab, 0, 0);
    ASSERT_EQ(2, frame.tabs.GetPageCount());
    ASSERT_EQ(L"100.00|100.00", Balance(0) + L"|" + Balance(1));
    const struct {
        const cash_tests::Side& side;
        const wchar_t* documents;
        int tab;
    } cases[] = {{cash_tests::kReceipts, L"Facturi", 0}, {cash_tests::kPayments, L"Niruri", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side.name);
        g_settled = c.documents;
        RegisterEditor(c.side.editor, &SettlingEditor);
        ModalDriver driver;
        driver.When(c.side.table, [&](HWND w) {
            ModalDriver::ClickOnScreen(w, c.side.addRow);
            ModalDriver::Click(w, IDCANCEL);
        });
        frame.ExecuteCommand(c.side.command, 0, 0);
        driver.Verify();
        EXPECT_EQ(L"0.00", Balance(c.tab));
    }
}
