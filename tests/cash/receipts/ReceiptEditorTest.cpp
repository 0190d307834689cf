#include <gtest/gtest.h>
#include "cash/CashCommands.h"
#include "cash/MyIncasariDialog.h"
#include "cash/ReceiptPrinting.h"
#include "database/qsql/SqlText.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"

using cash_tests::AddDocument;
using micro::qsql::SqlFormat;
using testing_support::ModalDriver;

namespace {

std::wstring g_printed;
INT_PTR FakePrinter(HWND, const ReceiptPrintRequest& r)
{
    g_printed = std::to_wstring(r.clientId) + L"|" + std::to_wstring(r.amount) + L"|" + r.series + r.facturi + L"|" +
                r.receiptSeries + L" " + r.number;
    return IDCANCEL;
}

const wchar_t kEditor[] = L"Dialog";
const int kList = IDC_INCASARE_LISTA;

// Invoices 12 (100) and 13 (80) validated, 14 (60) temporary, 15 cancelled.
class ReceiptEditor : public cash_tests::CashEditorTest {
protected:
    ReceiptEditor() : CashEditorTest(cash_tests::kReceipts)
    {
        tempDb.Exec(L"update ConfigFacturi set numarChit = 4 where id = 1");
        AddDocument(tempDb, {partner, 14, 60, 60, 1});
        AddDocument(tempDb, {partner, 15, 500, 500, 3});
    }
    unsigned long long LastReceipt() { return static_cast<unsigned long long>(tempDb.Scalar(L"select max(id) from Incasari")); }
    long long StatusOf(unsigned long long id) { return std::stoll(Stored(L"status", id)); }
};

} // namespace

TEST_F(ReceiptEditor, RowsAreListedOnceTheAmountFollowsThemAndTheClientsTotalLeavesOutTheCancelledInvoice)
{
    PickPartnerAndDocument(12);
    PickDocument(12); // again: refused
    PickDocument(13);
    PickDocument(14);
    Run(0, kEditor, [&](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
        EXPECT_TRUE(boxes.Saw(L"Factura a mai fost introdusa o data !"));
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
        ASSERT_EQ(3, ModalDriver::ListRowCount(w, kList));
        EXPECT_EQ(L" 14, 13, 12", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
        EXPECT_EQ(L"240.00", ModalDriver::GetText(w, IDC_INCASARE_TOTAL_FACTURAT)); // not 740
        EXPECT_EQ(L" DOUA SUTE PATRUZECI   LEI", ModalDriver::GetText(w, IDC_INCASARE_SUMA_LITERE));
        ModalDriver::SelectListRow(w, kList, 2);
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_REMOVE);
        EXPECT_EQ(L" 13, 12", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
        EXPECT_EQ(L"180.00", ModalDriver::GetText(w, IDC_INCASARE_SUMA));
    });
}

TEST_F(ReceiptEditor, AValidatedReceiptChangesOnlyThroughGuardsThatGiveBackExactlyWhatItTook)
{
    // The first invoice was partly paid before; a later receipt pays on the second.
    tempDb.Exec(SqlFormat(L"update Facturi set sold = 60 where id = %llu", doc12).c_str());
    ASSERT_EQ(IDOK, ValidateNew(L"100"));
    unsigned long long receipt = LastReceipt();
    ASSERT_EQ(IDOK, ValidateNew(L"10", {13}));
    unsigned long long later = LastReceipt();
    ASSERT_EQ(L"0|30|3", Books());

    // Cancel at the guard, print, then Enter: nothing changes; the print is of
    // the receipt as stored, and a typed amount not stored is not printed.
    boxes.Answer(IDCANCEL);
    tempDb.Exec(L"update ConfigFacturi set serie_chit = 'NOU'"); // the receipt stays CNT
    SetReceiptPrinter(&FakePrinter);
    EXPECT_EQ(IDCANCEL, Run(receipt, kEditor, [&](HWND w) {
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
                  EXPECT_EQ(L"Document deja inregistrat !", boxes.Last().caption);
                  EXPECT_EQ(2, ModalDriver::ListRowCount(w, kList));
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE);
                  // Every series its own.
                  EXPECT_EQ(std::to_wstring(partner) + L"|100.000000|FX 13, 12|CNT 5", g_printed);
                  g_printed.clear();
                  ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"70");
                  ModalDriver::ClickOnScreen(w, IDC_INCASARE_TIPARIRE);
                  ModalDriver::Click(w, IDOK);
              }));
    SetReceiptPrinter(nullptr);
    EXPECT_EQ(L"", g_printed);
    EXPECT_EQ(L"Salvati chitanta inainte de a o tipari !", boxes.Last().text);
    EXPECT_EQ(L"100.0", Stored(L"suma", receipt));
    EXPECT_EQ(2, StatusOf(receipt));
    EXPECT_EQ(L"0|30|3", Books());

    // The revert command: back exactly what this receipt took, the later one keeps its own.
    EXPECT_EQ(IDOK, Run(receipt, kEditor, [](HWND w) { ModalDriver::Click(w, IDC_INCASARE_REVERT); }));
    EXPECT_EQ(L"60|70|1", Books());
    EXPECT_EQ(1, StatusOf(receipt));
    // A temporary receipt has nothing to give back: the command only closes.
    EXPECT_EQ(IDCANCEL, Run(receipt, kEditor, [](HWND w) { ModalDriver::Click(w, IDC_INCASARE_REVERT); }));
    EXPECT_DOUBLE_EQ(70, Balance(doc13));

    // OK at the guard: balances back, stored as temporary, list emptied, then
    // the picker opens on the emptied receipt.
    nested.push_back({L"Facturi Nestinse", [](HWND w) { ModalDriver::Click(w, IDCANCEL); }});
    Run(later, kEditor, [&](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADD);
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, kList));
    });
    EXPECT_EQ(1, StatusOf(later));
    EXPECT_EQ(L"60|80|0", Books());

    // Another client's invoice replaces the rows.
    PickPartnerAndDocument(12, L"Beta SRL");
    Run(receipt, kEditor, [&](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_INCASARE_ADAUGA_CLIENT);
        EXPECT_EQ(L"Beta SRL", ModalDriver::GetText(w, IDC_INCASARE_CLIENT));
        EXPECT_EQ(L" 12", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
        EXPECT_EQ(1, ModalDriver::ListRowCount(w, kList));
    });
}


// The validate command itself, sent to the editor of a cancelled receipt (its
// button is disabled, the command still arrives): nothing is settled or stored.
TEST_F(ReceiptEditor, ACancelledReceiptIgnoresTheValidateCommandSentToIt)
{
    unsigned long long cancelled =
        cash_tests::AddCashRow(tempDb, L"Incasari", {partner, 3, L" 13, 12", 150, 3, 1700000000, 0, L"CNT"});
    const wchar_t* row = L"status || '|' || suma || '|' || data || '|' || facturi";
    const std::wstring before = Stored(row, cancelled) + L"|" + Books();
    Run(cancelled, kEditor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"150");
        ModalDriver::Click(w, IDC_INCASARE_VALIDARE);
    });
    EXPECT_EQ(before, Stored(row, cancelled) + L"|" + Books());
    EXPECT_EQ(L"3|150.0|1700000000| 13, 12|100|80|0", before);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// REMOVE on a validated receipt gives its money back and stores it as
// temporary at once: closed with Esc afterwards, the receipts list it was
// opened from shows it so.
TEST_F(ReceiptEditor, TheListShowsAReceiptGivenBackThroughRemoveThenEsc)
{
    ASSERT_EQ(IDOK, ValidateNew(L"150"));
    micro::qapp::QCommandTable commands;
    RegisterCashCommands(commands); // the editor the list opens
    MyIncasariDialog list(nullptr);
    cash_tests::RunDialog(list, L"Incasari", [&](HWND w) {
        ASSERT_EQ(L"Validat", cash_tests::ColumnText(w, IDC_INCASARI_LISTA, 1));
        boxes.Answer(IDOK);  // give the money back
        boxes.Answer(IDYES); // and leave the row removed unsaved
        ModalDriver editor;
        editor.When(kEditor, [](HWND e) {
            ModalDriver::SelectListRow(e, kList, 0);
            ModalDriver::ClickOnScreen(e, IDC_INCASARE_REMOVE);
            ModalDriver::Click(e, IDCANCEL);
        });
        ModalDriver::DoubleClickListRow(w, IDC_INCASARI_LISTA, 0);
        editor.Verify();
        EXPECT_EQ(L"Temporar", cash_tests::ColumnText(w, IDC_INCASARI_LISTA, 1));
    });
    EXPECT_TRUE(boxes.SawCaption(L"Document deja inregistrat !")) << boxes.Describe();
    EXPECT_EQ(L"100|80|0", Books());
}
