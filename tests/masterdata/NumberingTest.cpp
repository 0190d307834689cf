#include <gtest/gtest.h>
#include "masterdata/MyConfigFacturiDialog.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

using NumberingSettings = DatabaseTest;

TEST_F(NumberingSettings, ShowsStoredValuesStoresTheEditedOnesAndRefusesBadNumbers)
{
    tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FCT', numarFactura = 40, numarNir = 3 where id = 1");
    MyConfigFacturiDialog dialog;
    ModalDriver driver;
    driver.When(L"Configurare Facturi", [](HWND hwnd) {
        EXPECT_EQ(L"FCT", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_FACTURI));
        EXPECT_EQ(L"40", ModalDriver::GetText(hwnd, IDC_CONFIG_NUMAR_FACTURA));
        EXPECT_EQ(L"CNT", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_CHIT));
        EXPECT_EQ(L"PLT", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_PLATI));
        ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_FACTURA, L"41");
        ModalDriver::SetText(hwnd, IDC_CONFIG_SERIE_FACTURI, L"O'K");
        ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_CHIT, L" 12 ");
        ModalDriver::Click(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ(41, tempDb.Scalar(L"select numarFactura from ConfigFacturi where id = 1"));
    EXPECT_EQ(L"O'K", tempDb.Text(L"select serie_facturi from ConfigFacturi where id = 1"));
    EXPECT_EQ(12, tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"));
    EXPECT_EQ(3, tempDb.Scalar(L"select numarNir from ConfigFacturi where id = 1"));

    // The stored series comes back as typed; a number that is not a whole
    // counter keeps the dialog open, and Cancel then stores nothing.
    MessageBoxRecorder boxes;
    MyConfigFacturiDialog again;
    ModalDriver second;
    second.When(L"Configurare Facturi", [](HWND hwnd) {
        EXPECT_EQ(L"O'K", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_FACTURI));
        EXPECT_EQ(L"41", ModalDriver::GetText(hwnd, IDC_CONFIG_NUMAR_FACTURA));
        ModalDriver::SetText(hwnd, IDC_CONFIG_SERIE_FACTURI, L"NOU");
        for (const wchar_t* typed : {L"abc", L"-1", L"", L"4.5", L"+5", L"2147483648"}) {
            ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_PROFORMA, typed);
            ModalDriver::Click(hwnd, IDOK);
            EXPECT_TRUE(IsWindowVisible(hwnd)) << testing_support::Narrow(typed);
        }
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, again.DoModal());
    second.Verify();
    ASSERT_EQ(6u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Atentie", boxes.Last().caption);
    EXPECT_EQ(L"O'K", tempDb.Text(L"select serie_facturi from ConfigFacturi where id = 1"));
}
