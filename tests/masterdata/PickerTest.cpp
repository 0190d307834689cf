#include <gtest/gtest.h>
#include "masterdata/MasterDataDialogs.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const int kPartnerList = IDC_CAUTARE_CLIENTI_LIST;
const int kPartnerFilter = IDC_CAUTARE_CLIENTI_FILTER;

int RowOf(HWND dialog, int list, const std::wstring& name)
{
    for (int row = 0; row < ModalDriver::ListRowCount(dialog, list); ++row)
        if (ModalDriver::ListCell(dialog, list, row, 0) == name)
            return row;
    return -1;
}

} // namespace

using PartnerPicker = DatabaseTest;

TEST_F(PartnerPicker, SupplierModeFiltersByNameWarnsWithoutARowAndAnswersTheChosenId)
{
    MessageBoxRecorder boxes;
    tempDb.AddClient(L"Client Unu");
    tempDb.AddSupplier(L"Alfa Distributie");
    unsigned long long quoted = tempDb.AddSupplier(L"D'Artagnan SRL");
    tempDb.AddSupplier(L"Ștefan 50% Grup");
    MyCautareClientiDialog picker(nullptr);
    picker.table = 1;
    ModalDriver driver;
    driver.When(L"Cautare Furnizori", [&](HWND dialog) {
        EXPECT_EQ(3, ModalDriver::ListRowCount(dialog, kPartnerList)); // suppliers only
        ModalDriver::Click(dialog, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "OK without a row";
        ModalDriver::SetText(dialog, kPartnerFilter, L"ȘTEFAN");
        ASSERT_EQ(1, ModalDriver::ListRowCount(dialog, kPartnerList));
        EXPECT_EQ(L"Ștefan 50% Grup", ModalDriver::ListCell(dialog, kPartnerList, 0, 0));
        ModalDriver::SetText(dialog, kPartnerFilter, L"0%");
        EXPECT_EQ(1, ModalDriver::ListRowCount(dialog, kPartnerList)); // % is no wildcard
        ModalDriver::SetText(dialog, kPartnerFilter, L"");
        ModalDriver::SelectListRow(dialog, kPartnerList, RowOf(dialog, kPartnerList, L"D'Artagnan SRL"));
        ModalDriver::SetText(dialog, kPartnerFilter, L"d'art");
        EXPECT_EQ(0, ModalDriver::ListSelectedRow(dialog, kPartnerList)); // the choice survives the filter
        ModalDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, picker.DoModal());
    driver.Verify();
    EXPECT_EQ(quoted, picker.selectedId);

    // A database error is shown and the picker still opens; Cancel answers no id.
    tempDb.Exec(L"drop table Furnizori");
    MyCautareClientiDialog failing(nullptr);
    failing.table = 1;
    failing.selectedId = 7;
    driver.When(L"Cautare Furnizori", [](HWND dialog) {
        EXPECT_EQ(0, ModalDriver::ListRowCount(dialog, kPartnerList));
        ModalDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, failing.DoModal());
    driver.Verify();
    EXPECT_EQ(0u, failing.selectedId);
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Atentie", boxes.Boxes()[0].caption);
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(0u, boxes.Last().text.find(L"SQLITE_ERROR[1]: no such table"));
}

using ProductPicker = DatabaseTest;

TEST_F(ProductPicker, OkReadsTheQuantityWithPointOrCommaAndRefusesText)
{
    unsigned long long cement = tempDb.AddProduct(L"Ciment", 25.5);
    tempDb.AddProduct(L"Var", 10);
    MessageBoxRecorder boxes;
    MyCautareProduseDialog picker(nullptr);
    ModalDriver driver;
    driver.When(L"Cautare Produse", [&](HWND dialog) {
        EXPECT_EQ(2, ModalDriver::ListRowCount(dialog, IDC_CAUTARE_PRODUSE_LIST));
        EXPECT_EQ(-1, RowOf(dialog, IDC_CAUTARE_PRODUSE_LIST, L"Discount"));
        int row = RowOf(dialog, IDC_CAUTARE_PRODUSE_LIST, L"Ciment");
        EXPECT_EQ(L"25.50", ModalDriver::ListCell(dialog, IDC_CAUTARE_PRODUSE_LIST, row, 2));
        ModalDriver::SelectListRow(dialog, IDC_CAUTARE_PRODUSE_LIST, row);
        ModalDriver::SetText(dialog, IDC_CAUTARE_PRODUSE_CANTITATE, L"trei");
        ModalDriver::Click(dialog, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog));
        ModalDriver::SetText(dialog, IDC_CAUTARE_PRODUSE_CANTITATE, L"3.500"); // 3,5 or 3500
        ModalDriver::Click(dialog, IDOK);
        EXPECT_TRUE(IsWindowVisible(dialog));
        ModalDriver::SetText(dialog, IDC_CAUTARE_PRODUSE_CANTITATE, L" 3,5 ");
        ModalDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, picker.DoModal());
    driver.Verify();
    EXPECT_EQ(cement, picker.selectedId);
    EXPECT_DOUBLE_EQ(3.5, picker.quantity);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(L"Atentie", boxes.Last().caption);
    EXPECT_EQ(NumberRefusal(NumberField::Quantity, L"3.500").c_str(), boxes.Last().text);
}
