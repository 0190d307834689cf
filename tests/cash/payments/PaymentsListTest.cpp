#include <gtest/gtest.h>
#include <ctime>
#include "cash/MyPlatiDialog.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"

using cash_tests::AddCashRow;
using testing_support::ModalDriver;

namespace {

const int kList = IDC_PLATI_LISTA;

class PaymentsList : public testing_support::DatabaseTest {
protected:
    void TearDown() override { RegisterEditor(EditorKind::Payment, nullptr); }
    // Runs the list; steps act on it, then "Iesire" closes it.
    void Run(std::function<void(HWND)> steps)
    {
        MyPlatiDialog list(nullptr);
        ModalDriver driver;
        driver.When(L"Plati", [&](HWND hwnd) {
            steps(hwnd);
            ModalDriver::Click(hwnd, IDCANCEL);
        });
        list.DoModal();
        driver.Verify();
    }
};

std::wstring Column(HWND hwnd, int column)
{
    std::wstring cells;
    for (int row = 0; row < ModalDriver::ListRowCount(hwnd, kList); ++row)
        cells += (row ? L"|" : L"") + ModalDriver::ListCell(hwnd, kList, row, column);
    return cells;
}

} // namespace

TEST_F(PaymentsList, ShowsThePeriodsPaymentsFiltersAsTheUserTypesAndReloadsOnlyAfterTheEditorSaved)
{
    static unsigned long long opened;
    static INT_PTR answer;
    opened = 99;
    answer = 0;
    // The editor stores a payment of today and answers as told.
    RegisterEditor(EditorKind::Payment, [](HWND, int, uint64_t id) -> INT_PTR {
        opened = id;
        GetRepository().ExecDML(micro::qsql::SqlFormat(L"insert into Plati (numar, IDClient, suma, data, status, tip) "
                                                       L"values (20, 0, 5, %lld, 1, 0)",
                                                       static_cast<long long>(time(nullptr)) - 7200)
                                    .c_str());
        return answer;
    });
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    unsigned long long dart = tempDb.AddClient(L"D'Artagnan SRL");
    unsigned long long beta = tempDb.AddClient(L"Beta SA");
    long long today = static_cast<long long>(time(nullptr)) - 7200;
    unsigned long long first = AddCashRow(tempDb, L"Plati", {dart, 7, L"   3", 1234567.89, 2, today - 86400, 3});
    AddCashRow(tempDb, L"Plati", {beta, 8, L"   4", 112.5, 3, today, 0});
    AddCashRow(tempDb, L"Plati", {beta, 9, L"   5", 50, 1, today - 31 * 86400, 0}); // before the period
    AddCashRow(tempDb, L"Plati", {beta, 10, L"   6", 50, 1, today + 2 * 86400, 0}); // after today
    Run([&](HWND hwnd) {
        testing_support::SaveWindowPng(hwnd, L"payments_list");
        EXPECT_EQ(L"7|8", Column(hwnd, 2));
        EXPECT_EQ(L"1234567.89|112.50", Column(hwnd, 5));
        EXPECT_EQ(L"Cec|Numerar", Column(hwnd, 8)); // the combo's lines, whatever the ids
        EXPECT_EQ(L"Validat|Anulat", Column(hwnd, 1));
        // The search is the receipts list's: one field proves it is wired here.
        ModalDriver::SelectCombo(hwnd, IDC_PLATI_CAMP, 3);
        ModalDriver::SetText(hwnd, IDC_PLATI_TEXT, L"4567.8");
        EXPECT_EQ(L"7", Column(hwnd, 2));
        ModalDriver::SetText(hwnd, IDC_PLATI_TEXT, L"");
        // Enter does not close the list.
        ModalDriver::Click(hwnd, IDOK);
        EXPECT_TRUE(IsWindowVisible(hwnd));

        ModalDriver::DoubleClickListRow(hwnd, kList, 0);
        EXPECT_EQ(first, opened);
        EXPECT_EQ(2, ModalDriver::ListRowCount(hwnd, kList));
        answer = 1;
        ModalDriver::Click(hwnd, IDC_PLATI_NOUA);
        EXPECT_EQ(0u, opened);
        EXPECT_EQ(4, ModalDriver::ListRowCount(hwnd, kList));
    });
}
