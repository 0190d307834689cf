#include <gtest/gtest.h>
#include <string>
#include "database/DocumentTables.h"
#include "database/qsql/SqlText.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/documents/support/EditorFixture.h"

using micro::qsql::SqlFormat;
using testing_support::ModalDriver;

namespace {

// A client invoiced 717.40 and 263.48 (invoices 1 and 2), who then sends 2 of
// a product back (a return invoice of -49.48 typed in its editor) and pays 800.00.
class ClientBalance : public editor_tests::EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        client = tempDb.AddClient(L"Gama SRL");
        tempDb.AddProduct(L"Ciment", 19.95, 0);
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 2");
        cash_tests::AddDocument(tempDb, {client, 1, 717.40, 717.40});
        cash_tests::AddDocument(tempDb, {client, 2, 263.48, 263.48});
    }

    // The partner picker, then the unpaid-documents picker: steps act on each.
    static void InPickers(cash_tests::NestedSteps& nested, const cash_tests::Steps& unpaid)
    {
        nested.push_back({L"Cautare Clienti", [](HWND w) {
                              ASSERT_EQ(L"Gama SRL", ModalDriver::ListCell(w, IDC_CAUTARE_CLIENTI_LIST, 0, 0));
                              ModalDriver::DoubleClickListRow(w, IDC_CAUTARE_CLIENTI_LIST, 0);
                          }});
        nested.push_back({L"Facturi Nestinse", unpaid});
    }
    static int RowOf(HWND picker, const wchar_t* number)
    {
        for (int row = 0; row < ModalDriver::ListRowCount(picker, IDC_FACTURI_SCADENTE_LIST); ++row)
            if (ModalDriver::ListCell(picker, IDC_FACTURI_SCADENTE_LIST, row, 0) == number)
                return row;
        return -1;
    }
    // The receipt editor's "Total Facturat", "Total Incasat" and "Sold".
    static std::wstring Totals(HWND w)
    {
        return Fields(w, {IDC_INCASARE_TOTAL_FACTURAT, IDC_INCASARE_TOTAL_INCASAT, IDC_INCASARE_SOLD});
    }

    unsigned long long client = 0;
};

} // namespace

// One figure on every screen: the partner ledger's balance, the sum of the
// client's balances and the receipt editor's, 131.40; the unpaid-documents
// picker shows the credit beside the invoice still owed, and refuses it.
TEST_F(ClientBalance, AReturnInvoiceIsACreditEveryScreenNets)
{
    RunDocument(DocumentReturnInvoice, 0, [](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Gama SRL");
        AddLine(w, L"Ciment", L"19.95", L"2", 0, false);
        ASSERT_EQ(L"49.48", Text(w, IDC_FE_TOTAL));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    ASSERT_EQ(L"3 -4948 -4948", Stored(L"select numar || ' ' || round(valoareTTI * 100) || ' ' || round(sold * 100) "
                                       L"from Facturi where numar = 3"));

    // 800.00 over both invoices: the second is paid in part, as asked.
    cash_tests::NestedSteps nested;
    InPickers(nested, [](HWND w) { ModalDriver::DoubleClickListRow(w, IDC_FACTURI_SCADENTE_LIST, RowOf(w, L"1")); });
    nested.push_back({L"Facturi Nestinse", [](HWND w) {
                          ModalDriver::DoubleClickListRow(w, IDC_FACTURI_SCADENTE_LIST, RowOf(w, L"2"));
                      }});
    EXPECT_EQ(IDOK, cash_tests::kReceipts.run(0, L"Dialog", nested, [](HWND w) {
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
                  ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"800");
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_VALIDARE);
              })) << boxes.Describe();
    EXPECT_EQ(13140, tempDb.Scalar(SqlFormat(L"select round(total(sold) * 100) from Facturi where client = %llu and "
                                             L"status < 3", client).c_str()));

    // A new receipt: the picker lists what is owed and the credit; the credit is not chosen.
    InPickers(nested, [](HWND w) {
        const int list = IDC_FACTURI_SCADENTE_LIST;
        EXPECT_EQ(L"2 rows|180.88|-49.48", std::to_wstring(ModalDriver::ListRowCount(w, list)) + L" rows|" +
                                              ModalDriver::ListCell(w, list, RowOf(w, L"2"), 7) + L"|" +
                                              ModalDriver::ListCell(w, list, RowOf(w, L"3"), 7));
        ModalDriver::DoubleClickListRow(w, IDC_FACTURI_SCADENTE_LIST, RowOf(w, L"3"));
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::DoubleClickListRow(w, IDC_FACTURI_SCADENTE_LIST, RowOf(w, L"2"));
    });
    boxes.Clear();
    cash_tests::kReceipts.run(0, L"Dialog", nested, [](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        EXPECT_EQ(L" 2", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
        EXPECT_EQ(L"931.40|800.00|131.40", Totals(w));
    });
    EXPECT_EQ(L"Factura 3 nu mai are sold de incasat !", boxes.Count() ? boxes.Boxes()[0].text : L"");

    // The partner ledger over every day ends on the same balance.
    MyFisaDeArticolDialog ledger(nullptr);
    ledger.mode = 1;
    ledger.partnerId = client;
    cash_tests::RunDialog(ledger, L"Fisa de Client", [](HWND w) {
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, SYSTEMTIME{2023, 1, 0, 1, 12, 0, 0, 0});
        ModalDriver::SetDate(w, IDC_FISA_LA, SYSTEMTIME{2099, 12, 0, 31, 12, 0, 0, 0});
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
        int last = ModalDriver::ListRowCount(w, IDC_FISA_LISTA) - 1;
        EXPECT_EQ(L"Total |931.40|800.00|131.40", ModalDriver::ListCell(w, IDC_FISA_LISTA, last, 0) + L"|" +
                                                    ModalDriver::ListCell(w, IDC_FISA_LISTA, last, 3) + L"|" +
                                                    ModalDriver::ListCell(w, IDC_FISA_LISTA, last, 4) + L"|" +
                                                    ModalDriver::ListCell(w, IDC_FISA_LISTA, last, 5));
    });
}
