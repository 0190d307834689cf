#include <gtest/gtest.h>
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/Screenshot.h"

using cash_tests::AddCashRow;
using testing_support::ModalDriver;

namespace {

// Goods-received notes 12 (100) and 13 (80) of the supplier.
class PaymentEditor : public cash_tests::CashEditorTest {
protected:
    PaymentEditor() : CashEditorTest(cash_tests::kPayments) {}
    long long Count(const wchar_t* sql) { return tempDb.Scalar(sql); }
};

} // namespace

TEST_F(PaymentEditor, ValidationSpreadsTheAmountAndStornareGivesEveryNoteBackExactly)
{
    PickPartnerAndDocument(12);
    PickDocument(13);
    EXPECT_EQ(1, Run(0, L"Plata", [&](HWND hwnd) {
                  ModalDriver::Click(hwnd, IDC_PLATA_FURNIZOR);
                  ModalDriver::Click(hwnd, IDC_PLATA_ADAUGA_NIR);
                  EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::GetText(hwnd, IDC_PLATA_NUME));
                  EXPECT_EQ(L"180.00", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA));
                  EXPECT_EQ(L"   13,   12", ModalDriver::GetText(hwnd, IDC_PLATA_FACTURI));
                  ModalDriver::SetText(hwnd, IDC_PLATA_SUMA, L"150");
                  EXPECT_EQ(L" UNA SUTA CINCIZECI   LEI", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA_LITERE));
                  testing_support::SaveWindowPng(hwnd, L"payment_editor");
                  ModalDriver::Click(hwnd, IDC_PLATA_VALIDEAZA);
              }));
    EXPECT_TRUE(boxes.Saw(L"Restul de 50.00 va fi retras din factura   13\n Continuati ? ")) << boxes.Describe();
    EXPECT_DOUBLE_EQ(0, Balance(doc12));
    EXPECT_DOUBLE_EQ(30, Balance(doc13));
    EXPECT_DOUBLE_EQ(100, Balance(betaDoc12));
    EXPECT_EQ(L"2|PLT|1|   13,   12|150.0", Stored(L"status || '|' || serie || '|' || numar || '|' || facturi || '|' || suma"));
    EXPECT_EQ(2, Count(L"select count(*) from Alocari where sursa = 1"));
    EXPECT_EQ(1, Counter());

    unsigned long long id = static_cast<unsigned long long>(Count(L"select id from Plati"));
    boxes.Clear();
    EXPECT_EQ(1, Run(id, L"Plata - document validat", [&](HWND hwnd) {
                  EXPECT_EQ(2, ModalDriver::ListRowCount(hwnd, IDC_PLATA_NIRURI));
                  // Validated once, it takes nothing again, and Enter does not store it as temporary.
                  for (int button : {IDC_PLATA_VALIDEAZA, IDOK, IDC_PLATA_ADAUGA_NIR, IDC_PLATA_ANULEAZA}) {
                      EXPECT_FALSE(ModalDriver::IsEnabled(hwnd, button)) << button;
                      ModalDriver::Click(hwnd, button);
                  }
                  EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
                  EXPECT_DOUBLE_EQ(30, Balance(doc13));
                  ModalDriver::Click(hwnd, IDC_PLATA_STORNARE);
              }));
    EXPECT_TRUE(boxes.Saw(L"Stornare document ?"));
    EXPECT_DOUBLE_EQ(100, Balance(doc12));
    EXPECT_DOUBLE_EQ(80, Balance(doc13));
    EXPECT_EQ(3, Count(L"select status from Plati"));
    EXPECT_EQ(0, Count(L"select count(*) from Alocari"));
}

TEST_F(PaymentEditor, AnuleazaOfATemporaryPaymentMovesNoBalanceAndStornareIsOnlyForAValidatedOne)
{
    unsigned long long id = AddCashRow(tempDb, L"Plati", {partner, 5, L"  12", 100, 1, 1780000000});
    EXPECT_EQ(1, Run(id, L"Plata - document temporar", [](HWND hwnd) {
                  EXPECT_FALSE(ModalDriver::IsEnabled(hwnd, IDC_PLATA_STORNARE));
                  ModalDriver::Click(hwnd, IDC_PLATA_ANULEAZA);
              }));
    EXPECT_TRUE(boxes.Saw(L"Anularea implica pierderea numarului de PLATA ! \n Anulati PLATAa ?"));
    EXPECT_DOUBLE_EQ(100, Balance(doc12));
    EXPECT_EQ(3, Count(L"select status from Plati"));
}
