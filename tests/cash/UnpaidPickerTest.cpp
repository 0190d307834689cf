#include <gtest/gtest.h>
#include "cash/MyFacturiScadenteList.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/ModalDriver.h"

using cash_tests::AddDocument;
using cash_tests::Document;
using testing_support::ModalDriver;

using UnpaidPicker = testing_support::DatabaseTest;

TEST_F(UnpaidPicker, ListsOnlyThePartnersOpenDocumentsAndADoubleClickChoosesOneById)
{
    const int list = IDC_FACTURI_SCADENTE_LIST;
    unsigned long long client = tempDb.AddClient(L"D'Artagnan SRL");
    AddDocument(tempDb, {client, 11, 100, 100, 1});
    unsigned long long validated = AddDocument(tempDb, {client, 12, 150, 150, 2});
    for (Document closed : {Document{client, 13, 100, 0}, {client, 14, 100, 0.004}, {client, 15, 100, 100, 3},
                            {client, 16, 100, 100, 4}, {tempDb.AddClient(L"Beta"), 17, 100, 100},
                            {client, 18, 70, 70, 2, L"Niruri"}})
        AddDocument(tempDb, closed);

    MyFacturiScadenteList picker(nullptr);
    picker.partnerId = client;
    ModalDriver driver;
    driver.When(L"Facturi Nestinse", [&](HWND w) {
        ASSERT_EQ(2, ModalDriver::ListRowCount(w, list));
        EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::ListCell(w, list, 1, 1));
        EXPECT_EQ(L"Validat", ModalDriver::ListCell(w, list, 1, 6));
        EXPECT_EQ(L"150.0", ModalDriver::ListCell(w, list, 1, 7));
        // OK does not choose; the note asks for a double-click.
        ModalDriver::SelectListRow(w, list, 1);
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::DoubleClickListRow(w, list, 1);
    });
    EXPECT_EQ(IDOK, picker.DoModal());
    driver.Verify();
    EXPECT_EQ(validated, picker.chosenId);
    EXPECT_EQ(12u, picker.chosenNumber);
}
