#include <gtest/gtest.h>
#include <string>
#include "database/DocumentTables.h"
#include "database/Schema.h"
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
    static void InPickers(cash_tests::NestedSteps& nested, const cash_tests::Steps& unpaid,
                          const wchar_t* partnerPicker = L"Cautare Clienti", const wchar_t* partner = L"Gama SRL")
    {
        nested.push_back({partnerPicker, [partner](HWND w) {
                              ASSERT_EQ(partner, ModalDriver::ListCell(w, IDC_CAUTARE_CLIENTI_LIST, 0, 0));
                              ModalDriver::DoubleClickListRow(w, IDC_CAUTARE_CLIENTI_LIST, 0);
                          }});
        nested.push_back({L"Facturi Nestinse", unpaid});
    }
    // A double-click on the credit leaves the picker open; the document owed is chosen.
    static void RefuseCreditThenChoose(HWND picker, const wchar_t* credit, const wchar_t* owed)
    {
        ModalDriver::DoubleClickListRow(picker, IDC_FACTURI_SCADENTE_LIST, RowOf(picker, credit));
        EXPECT_TRUE(IsWindowVisible(picker));
        ModalDriver::DoubleClickListRow(picker, IDC_FACTURI_SCADENTE_LIST, RowOf(picker, owed));
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

    // The partner ledger's last row over every day: total, debit, credit, balance.
    std::wstring LedgerTotal()
    {
        std::wstring total;
        MyFisaDeArticolDialog ledger(nullptr);
        ledger.mode = 1;
        ledger.partnerId = client;
        cash_tests::RunDialog(ledger, L"Fisa de Client", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, SYSTEMTIME{2023, 1, 0, 1, 12, 0, 0, 0});
            ModalDriver::SetDate(w, IDC_FISA_LA, SYSTEMTIME{2099, 12, 0, 31, 12, 0, 0, 0});
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            int last = ModalDriver::ListRowCount(w, IDC_FISA_LISTA) - 1;
            for (int column : {0, 3, 4, 5})
                total += (column ? L"|" : L"") + ModalDriver::ListCell(w, IDC_FISA_LISTA, last, column);
        });
        return total;
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
        RefuseCreditThenChoose(w, L"3", L"2");
    });
    boxes.Clear();
    cash_tests::kReceipts.run(0, L"Dialog", nested, [](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        EXPECT_EQ(L" 2", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
        EXPECT_EQ(L"931.40|800.00|131.40", Totals(w));
    });
    EXPECT_EQ(L"Factura 3 nu mai are sold de incasat !", boxes.Count() ? boxes.Boxes()[0].text : L"");

    // The partner ledger over every day ends on the same balance.
    EXPECT_EQ(L"Total |931.40|800.00|131.40", LedgerTotal());
}

// An older file without balances or allocation records, whose receipt of
// 800.00 (listing invoice 2, then 1) was validated there: opened, the balances
// net what that receipt took as its validation spread it, 263.48 then 536.52,
// so the ledger, the sum of balances and the receipt editor agree on 131.40.
TEST_F(ClientBalance, AnOlderFilesReceiptsWithoutRecordsAreNettedFromTheBalancesAddedAtOpen)
{
    std::wstring path = tempDb.Path();
    cash_tests::AddDocument(tempDb, {client, 3, -49.48, 0});
    cash_tests::AddCashRow(tempDb, L"Incasari", {client, 1, L" 1, 2", 800.0, 2, 1700000000, 0, L"CNT"});
    cash_tests::AddCashRow(tempDb, L"Incasari", {client, 2, L" 1", 50.0, 3, 1700000000, 0, L"CNT"}); // cancelled
    for (const wchar_t* older : {L"drop table Alocari", L"alter table Facturi drop column serie",
                                 L"alter table Facturi drop column sold", L"PRAGMA user_version = 0"})
        tempDb.Exec(older);
    tempDb.Db().Close();
    ASSERT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(L"18088 0 -4948", Stored(L"select group_concat(round(sold * 100), ' ') from Facturi"));

    cash_tests::NestedSteps nested;
    InPickers(nested, [](HWND w) {
        EXPECT_EQ(2, ModalDriver::ListRowCount(w, IDC_FACTURI_SCADENTE_LIST));
        ModalDriver::DoubleClickListRow(w, IDC_FACTURI_SCADENTE_LIST, RowOf(w, L"1"));
    });
    cash_tests::kReceipts.run(0, L"Dialog", nested, [](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        EXPECT_EQ(L"931.40|800.00|131.40", Totals(w));
    });
    EXPECT_EQ(L"Total |931.40|800.00|131.40", LedgerTotal());
}

// The supplier's side: two sacks sent back on a NIR typed in its editor are a
// credit of the supplier's; the payment's picker lists it beside the NIR still
// owed and refuses to pay it, and the payment editor nets it.
TEST_F(ClientBalance, GoodsSentBackToASupplierAreACreditThePaymentNets)
{
    unsigned long long supplier = tempDb.AddClient(L"Furnizor SRL");
    unsigned long long owed = cash_tests::AddDocument(tempDb, {supplier, 7, 80.0, 80.0, 2, L"Niruri"});
    StoreLine(L"ArticoleNiruri", owed, 1, 5, 10, L"0");
    tempDb.Exec(L"update ConfigFacturi set numarNir = 7");
    RunDocument(DocumentGoodsReceived, 0, [](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Furnizor SRL");
        ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F100");
        AddLine(w, L"Ciment", L"10", L"-2", 0, false);
        ModalDriver::Click(w, IDC_FE_VALIDATE);
    });
    ASSERT_EQ(L"8 -2480 -2480", Stored(L"select numar || ' ' || round(valoareTTI * 100) || ' ' || round(sold * 100) "
                                       L"from Niruri where numar = 8")) << boxes.Describe();
    cash_tests::NestedSteps nested;
    InPickers(
        nested,
        [](HWND w) {
            ASSERT_EQ(2, ModalDriver::ListRowCount(w, IDC_FACTURI_SCADENTE_LIST));
            RefuseCreditThenChoose(w, L"8", L"7");
        },
        L"Cautare Furnizori", L"Furnizor SRL");
    boxes.Clear();
    cash_tests::kPayments.run(0, L"Plata", nested, [](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_PLATA_FURNIZOR);
        EXPECT_EQ(L"55.20", ModalDriver::GetText(w, IDC_PLATA_SOLD));
    });
    EXPECT_EQ(L"Factura 8 nu mai are sold de plata !", boxes.Count() ? boxes.Boxes()[0].text : L"");
}
