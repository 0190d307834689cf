#include <gtest/gtest.h>
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"

using testing_support::ModalDriver;

using ReceiptConfirmation = testing_support::DatabaseTest;

// The counter is written by the caller, with the receipt it numbers. (That the
// proposed number and series are shown and the typed ones handed back, the
// receipt layout's printing test shows.) CNT 7 is stored: 7 is refused in that
// series, taken in another.
TEST_F(ReceiptConfirmation, RefusesNumbersThatAreNotPositiveOrHeldInTheSeriesAndWritesNothing)
{
    cash_tests::AddCashRow(tempDb, L"Incasari", {1, 7, L" 1", 10, 1, 1700000000, 0, L"CNT"});
    const int number = IDC_CREARE_CHITANTA_NUMAR, series = IDC_CREARE_CHITANTA_SERIE;
    testing_support::MessageBoxRecorder boxes;
    MyCreareChitantaFacturiDialog dialog(nullptr);
    dialog.SetReceiptNumberAndSeries(L"125", L"CNT");
    EXPECT_EQ(IDOK, cash_tests::RunDialog(dialog, L"Confirmare date chitanta", [&](HWND hwnd) {
        for (const wchar_t* typed : {L"abc", L"", L"0", L"12x", L"-3", L"99999999999", L"7"}) {
            ModalDriver::SetText(hwnd, number, typed);
            ModalDriver::Click(hwnd, IDOK);
            EXPECT_TRUE(IsWindowVisible(hwnd)) << testing_support::Narrow(typed);
        }
        EXPECT_EQ(7u, boxes.Count());
        EXPECT_TRUE(boxes.SawCaption(L"Atentie"));
        EXPECT_EQ(L"Exista deja o chitanta cu numarul 7 in seria CNT !", boxes.Last().text);
        ModalDriver::SetText(hwnd, number, L"7");
        ModalDriver::SetText(hwnd, series, L"O'K");
        ModalDriver::ClickOnScreen(hwnd, IDOK);
    }));
    EXPECT_EQ(0, tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"));
    EXPECT_EQ(L"CNT", tempDb.Text(L"select serie_chit from ConfigFacturi where id = 1"));
}
