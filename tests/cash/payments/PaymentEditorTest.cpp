#include <gtest/gtest.h>
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

TEST_F(PaymentEditor, AValidatedPaymentTakesNothingAgainAndAnuleazaOfATemporaryOneMovesNoBalance)
{
    ASSERT_EQ(1, ValidateNew(L"150"));
    boxes.Clear();
    Run(std::stoull(Stored(L"id")), L"Plata - document validat", [&](HWND hwnd) {
        // Enter does not store it as temporary either.
        for (int button : {IDC_PLATA_VALIDEAZA, IDOK, IDC_PLATA_ADAUGA_NIR, IDC_PLATA_ANULEAZA}) {
            EXPECT_FALSE(ModalDriver::IsEnabled(hwnd, button)) << button;
            ModalDriver::Click(hwnd, button);
        }
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_DOUBLE_EQ(30, Balance(doc13));
    EXPECT_EQ(L"2", Stored(L"status"));

    tempDb.Exec(L"delete from Plati");
    unsigned long long id = AddCashRow(tempDb, L"Plati", {partner, 5, L"  13", 30, 1, 1780000000});
    EXPECT_EQ(1, Run(id, L"Plata - document temporar", [](HWND hwnd) {
                  EXPECT_FALSE(ModalDriver::IsEnabled(hwnd, IDC_PLATA_STORNARE));
                  ModalDriver::Click(hwnd, IDC_PLATA_ANULEAZA);
              }));
    EXPECT_TRUE(boxes.Saw(L"Anularea implica pierderea numarului de PLATA ! \n Anulati PLATAa ?"));
    EXPECT_DOUBLE_EQ(30, Balance(doc13));
    EXPECT_EQ(L"3", Stored(L"status"));
}
