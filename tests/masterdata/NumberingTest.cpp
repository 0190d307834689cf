#include <gtest/gtest.h>
#include "masterdata/MyConfigFacturiDialog.h"
#include "masterdata/NumberText.h"
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
        EXPECT_EQ(L"FCT|40|CNT|PLT", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_FACTURI) + L"|" +
                                         ModalDriver::GetText(hwnd, IDC_CONFIG_NUMAR_FACTURA) + L"|" +
                                         ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_CHIT) + L"|" +
                                         ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_PLATI));
        ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_FACTURA, L"41");
        ModalDriver::SetText(hwnd, IDC_CONFIG_SERIE_FACTURI, L"O'K");
        ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_CHIT, L" 12 ");
        ModalDriver::Click(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ(L"41|O'K|12|3", tempDb.Text(L"select numarFactura || '|' || serie_facturi || '|' || numarChit || '|' || "
                                          L"numarNir from ConfigFacturi where id = 1"));

    // The stored series comes back as typed; a number that is not a whole
    // counter keeps the dialog open, and Cancel then stores nothing.
    MessageBoxRecorder boxes;
    MyConfigFacturiDialog again;
    driver.When(L"Configurare Facturi", [](HWND hwnd) {
        EXPECT_EQ(L"O'K|41", ModalDriver::GetText(hwnd, IDC_CONFIG_SERIE_FACTURI) + L"|" +
                                 ModalDriver::GetText(hwnd, IDC_CONFIG_NUMAR_FACTURA));
        ModalDriver::SetText(hwnd, IDC_CONFIG_SERIE_FACTURI, L"NOU");
        for (const wchar_t* typed : {L"abc", L"-1", L"", L"4.5", L"+5", L"2147483648"}) {
            ModalDriver::SetText(hwnd, IDC_CONFIG_NUMAR_PROFORMA, typed);
            ModalDriver::Click(hwnd, IDOK);
            EXPECT_TRUE(IsWindowVisible(hwnd)) << testing_support::Narrow(typed);
        }
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, again.DoModal());
    driver.Verify();
    ASSERT_EQ(6u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Atentie", boxes.Last().caption);
    EXPECT_EQ(L"O'K", tempDb.Text(L"select serie_facturi from ConfigFacturi where id = 1"));
}

// Every typed number goes through one reader: both separators, groups, the
// limits of each kind; anything else is refused and leaves the value alone.
TEST(NumberText, ReadsDecimalCommaAndGroupsAndRefusesLettersExcessAndBlanks)
{
    const struct {
        const wchar_t* text;
        bool (*parse)(const wchar_t*, double&);
        double expected; // -7 = refused
    } cases[] = {
        {L" 20,75 ", ParseAmount, 20.75},        {L"1.000,50", ParseAmount, 1000.5},
        {L"1 234,56", ParseAmount, 1234.56},     {L"1,234.56", ParseAmount, 1234.56},
        {L"1.000", ParseAmount, -7},             {L"-3,5", ParseAmount, -3.5},
        {L"999 999 999,99", ParseAmount, 999999999.99}, {L"0,500", ParseAmount, 0.5},
        {L"12abc", ParseAmount, -7},            {L"0.005", ParseAmount, -7},
        {L"", ParseAmount, -7},                 {L"1000000000", ParseAmount, -7},
        {L"1e308", ParsePrice, -7},             {L"inf", ParsePrice, -7},
        {L"1.2.3", ParsePrice, -7},             {L"12 34", ParsePrice, -7},
        {L"2,125", ParseQuantity, 2.125},       {L"2,1255", ParseQuantity, -7},
        {L"7,5", ParsePercent, 7.5},            {L"100,01", ParsePercent, -7},
        {L"-1", ParsePercent, -7},
    };
    for (const auto& c : cases) {
        double value = -7;
        bool taken = c.parse(c.text, value);
        EXPECT_EQ(c.expected != -7, taken) << testing_support::Narrow(c.text);
        EXPECT_DOUBLE_EQ(c.expected, value) << testing_support::Narrow(c.text);
    }
}

// A quantity shows its third decimal only where it has one, and the text it
// shows reads back as the quantity typed.
TEST(NumberText, AQuantityShowsItsThirdDecimalOnlyWhereItHasOne)
{
    const struct {
        double value;
        const wchar_t* shown;
    } cases[] = {
        {2, L"2.00"},         {1.5, L"1.50"},      {1.234, L"1.234"},    {1.230, L"1.23"},
        {-2, L"-2.00"},       {-1.234, L"-1.234"}, {0.004, L"0.004"},    {-0.0004, L"0.00"},
        {0.3 - 0.2 - 0.1, L"0.00"}, {1.2345, L"1.235"}, {999999999.999, L"999999999.999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, std::wstring(QuantityText(c.value).c_str())) << c.value;
    for (const wchar_t* typed : {L"1,234", L"0,05", L"-3", L"999 999 999,999", L"0.004"}) {
        double quantity = 0;
        ASSERT_TRUE(ParseQuantity(typed, quantity));
        EXPECT_EQ(quantity, StoredNumber(QuantityText(quantity).c_str())) << testing_support::Narrow(typed);
    }
}
