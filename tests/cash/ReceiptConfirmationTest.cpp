#include <gtest/gtest.h>
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"
#include "tests/harness/TempDatabase.h"

using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {
const wchar_t kCaption[] = L"Confirmare date chitanta";
const int kNumber = IDC_CREARE_CHITANTA_NUMAR;
const int kSeries = IDC_CREARE_CHITANTA_SERIE;
} // namespace

using ReceiptConfirmation = DatabaseTest;

// The counter is written by the caller, with the receipt it numbers.
TEST_F(ReceiptConfirmation, OkHandsTheTypedNumberAndSeriesBackAndWritesNothing)
{
    MyCreareChitantaFacturiDialog dialog(nullptr);
    ModalDriver driver;
    driver.When(kCaption, [](HWND hwnd) {
        testing_support::SaveWindowPng(hwnd, L"receipt_confirmation");
        EXPECT_EQ(L"0", ModalDriver::GetText(hwnd, kNumber));
        EXPECT_EQ(L"SRT", ModalDriver::GetText(hwnd, kSeries));
        ModalDriver::SetText(hwnd, kNumber, L"7");
        ModalDriver::SetText(hwnd, kSeries, L"O'K");
        ModalDriver::Click(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ(0, tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"));
    EXPECT_EQ(L"CNT", tempDb.Text(L"select serie_chit from ConfigFacturi where id = 1"));
    micro::utils::QString number, series;
    dialog.GetReceiptNumberAndSeries(number, series);
    EXPECT_STREQ(L"7", number.c_str());
    EXPECT_STREQ(L"O'K", series.c_str());
}

TEST_F(ReceiptConfirmation, NumbersThatAreNotPositiveAreRefusedAndCancelWritesNothing)
{
    MessageBoxRecorder boxes;
    MyCreareChitantaFacturiDialog dialog(nullptr);
    ModalDriver driver;
    driver.When(kCaption, [](HWND hwnd) {
        for (const wchar_t* typed : {L"abc", L"", L"0", L"12x", L"-3", L"99999999999"}) {
            ModalDriver::SetText(hwnd, kNumber, typed);
            ModalDriver::Click(hwnd, IDOK);
            EXPECT_TRUE(IsWindowVisible(hwnd)) << testing_support::Narrow(typed);
        }
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ(6u, boxes.Count());
    EXPECT_TRUE(boxes.SawCaption(L"Atentie"));
    EXPECT_EQ(0, tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"));
    EXPECT_EQ(L"CNT", tempDb.Text(L"select serie_chit from ConfigFacturi where id = 1"));
}
