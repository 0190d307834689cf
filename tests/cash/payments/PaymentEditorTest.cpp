#include <gtest/gtest.h>
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
    long long lower = 0, upper = 0;
    MyPlatiDialog::PeriodBounds(10, lower, upper);
    const long long today = upper - upper % 86400;
    // As the editor shows them: today 00:30, just inside and just outside the period, tomorrow.
    const long long shown[] = {today + 1800, lower + 60, lower - 60, upper + 3600};
    for (unsigned long long i = 0; i < 4; ++i)
        AddCashRow(tempDb, L"Plati", {partner, i + 1, L"", double(1 << i), 2, shown[i] - kPaymentDateShift});
    micro::utils::QString day;
    micro::utils::FormatTimeText(today, day, L"%d-%m-%Y");
    MyPlatiDialog list(nullptr);
    cash_tests::RunDialog(list, L"Plati", [&](HWND w) {
        const int rows = IDC_PLATI_LISTA;
        EXPECT_EQ(L"2|1|" + std::wstring(day.c_str()) + L"|2", ModalDriver::ListCell(w, rows, 0, 2) + L"|" +
                      ModalDriver::ListCell(w, rows, 1, 2) + L"|" + ModalDriver::ListCell(w, rows, 1, 0) + L"|" +
                      std::to_wstring(ModalDriver::ListRowCount(w, rows)));
    });
    EXPECT_DOUBLE_EQ(1, SumPartnerLedger(PartnerSupplier, partner, today, upper).credit);
}
