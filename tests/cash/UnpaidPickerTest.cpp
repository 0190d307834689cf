#include <gtest/gtest.h>
#include "cash/MyFacturiScadenteList.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/ModalDriver.h"

using cash_tests::AddDocument;
using testing_support::DatabaseTest;
using testing_support::ModalDriver;

namespace {
const int kList = IDC_FACTURI_SCADENTE_LIST;
}

using UnpaidPicker = DatabaseTest;

TEST_F(UnpaidPicker, ListsThePartnersOpenDocumentsAndADoubleClickChoosesOne)
{
    unsigned long long client = tempDb.AddClient(L"D'Artagnan SRL");
    unsigned long long other = tempDb.AddClient(L"Beta");
    AddDocument(tempDb, {client, 11, 100, 100, 1});
    unsigned long long validated = AddDocument(tempDb, {client, 12, 150, 150, 2});
    AddDocument(tempDb, {client, 13, 100, 0});
    AddDocument(tempDb, {client, 14, 100, 0.004});
    AddDocument(tempDb, {client, 15, 100, 100, 3});
    AddDocument(tempDb, {client, 16, 100, 100, 4});
    AddDocument(tempDb, {other, 17, 100, 100});
    AddDocument(tempDb, {client, 18, 100, 100, 2, L"Niruri"});

    MyFacturiScadenteList picker(nullptr);
    picker.partnerId = client;
    ModalDriver driver;
    driver.When(L"Facturi Nestinse", [&](HWND hwnd) {
        ASSERT_EQ(2, ModalDriver::ListRowCount(hwnd, kList));
        EXPECT_EQ(L"11", ModalDriver::ListCell(hwnd, kList, 0, 0));
        EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::ListCell(hwnd, kList, 1, 1));
        EXPECT_EQ(L"150.00", ModalDriver::ListCell(hwnd, kList, 1, 5));
        EXPECT_EQ(L"Validat", ModalDriver::ListCell(hwnd, kList, 1, 6));
        EXPECT_EQ(L"150.0", ModalDriver::ListCell(hwnd, kList, 1, 7));
        // OK does not choose.
        ModalDriver::SelectListRow(hwnd, kList, 1);
        ModalDriver::Click(hwnd, IDOK);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        ModalDriver::DoubleClickListRow(hwnd, kList, 1);
    });
    EXPECT_EQ(IDOK, picker.DoModal());
    driver.Verify();
    EXPECT_EQ(validated, picker.chosenId);
    EXPECT_EQ(12u, picker.chosenNumber);
}

TEST_F(UnpaidPicker, GoodsReceivedKindListsNotesAndCancelAnswersTwo)
{
    unsigned long long supplier = tempDb.AddClient(L"Furnizor SA");
    AddDocument(tempDb, {supplier, 21, 100, 100});
    AddDocument(tempDb, {supplier, 22, 70, 70, 2, L"Niruri"});
    MyFacturiScadenteList picker(nullptr);
    picker.partnerId = supplier;
    picker.documentKind = MyFacturiScadenteList::KindGoodsReceived;
    ModalDriver driver;
    driver.When(L"Facturi Nestinse", [&](HWND hwnd) {
        ASSERT_EQ(1, ModalDriver::ListRowCount(hwnd, kList));
        EXPECT_EQ(L"22", ModalDriver::ListCell(hwnd, kList, 0, 0));
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, picker.DoModal());
    driver.Verify();
    EXPECT_EQ(0u, picker.chosenNumber);
}
