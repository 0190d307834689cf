#include <gtest/gtest.h>
#include "cash/CashCommands.h"
#include "cash/MyPlataDialog.h"
#include "cash/MyPlatiDialog.h"
#include "database/Schema.h"
#include "database/StockRule.h"
#include "framework/utils/TimeFormat.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"

using cash_tests::AddCashRow;
using testing_support::ModalDriver;

namespace {

// Goods-received notes 12 (100) and 13 (80) of the supplier.
class PaymentEditor : public cash_tests::CashEditorTest {
protected:
    PaymentEditor() : CashEditorTest(cash_tests::kPayments) {}
};

} // namespace

TEST_F(PaymentEditor, TheListAndTheLedgerTakeThePaymentsOfThePeriodByTheDayTheirEditorShows)
{
    tempDb.Exec(L"update ConfigFacturi set perioadaPreluare = 10");
    const long long lower = MyPlatiDialog::PeriodStart(10);
    const long long upper = lower + 10 * 86400; // today 23:59
    const long long today = upper - upper % 86400;
    // As the editor shows them: today 00:30, just inside and just outside the
    // period, tomorrow (listed: the list is its only way back to the editor).
    const long long shown[] = {today + 1800, lower + 60, lower - 60, upper + 3600};
    for (unsigned long long i = 0; i < 4; ++i)
        AddCashRow(tempDb, L"Plati", {partner, i + 1, L"", double(1 << i), 2, shown[i] - kPaymentDateShift});
    micro::utils::QString day;
    micro::utils::FormatTimeText(today, day, L"%d-%m-%Y");
    micro::qapp::QCommandTable commands;
    RegisterCashCommands(commands); // the editors the lists open
    MyPlatiDialog list(nullptr);
    cash_tests::RunDialog(list, L"Plati", [&](HWND w) {
        const int rows = IDC_PLATI_LISTA;
        EXPECT_EQ(L"2|1|" + std::wstring(day.c_str()) + L"|4|3", ModalDriver::ListCell(w, rows, 0, 2) + L"|" +
                      ModalDriver::ListCell(w, rows, 1, 2) + L"|" + ModalDriver::ListCell(w, rows, 1, 0) + L"|" +
                      ModalDriver::ListCell(w, rows, 2, 2) + L"|" +
                      std::to_wstring(ModalDriver::ListRowCount(w, rows)));
        // Tomorrow's payment opens in its editor from its row.
        unsigned long long opened = 0;
        ModalDriver editor;
        editor.When(L"Plata - document validat", [&](HWND e) {
            auto* payment = dynamic_cast<MyPlataDialog*>(micro::gui::QWindow::FromHandle(e));
            opened = payment ? payment->numar : 0;
            ModalDriver::Click(e, IDCANCEL);
        });
        ModalDriver::DoubleClickListRow(w, rows, 2);
        editor.Verify();
        EXPECT_EQ(4u, opened);
    });
    EXPECT_DOUBLE_EQ(1, SumPartnerLedger(PartnerSupplier, partner, today, upper).credit);
}
