#include <gtest/gtest.h>
#include "cash/MyIncasareDialog.h"
#include "cash/ReceiptPrinting.h"
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"

using cash_tests::AddCashRow;
using cash_tests::AddDocument;
using cash_tests::Balance;
using micro::qsql::SqlFormat;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const wchar_t kEditor[] = L"Dialog";
const int kList = IDC_INCASARE_LISTA;

class ReceiptEditor : public testing_support::DatabaseTest {
protected:
    MessageBoxRecorder boxes;
    cash_tests::NestedSteps nested; // scripted before the run
    unsigned long long client = 0;
    unsigned long long a = 0, b = 0, c = 0;

    void SetUp() override
    {
        client = tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO123");
        tempDb.AddClient(L"Beta SRL");
        tempDb.Exec(L"update ConfigFacturi set numarChit = 4 where id = 1");
        a = AddDocument(tempDb, {client, 12, 100, 100});
        b = AddDocument(tempDb, {client, 13, 80, 80});
        c = AddDocument(tempDb, {client, 14, 60, 60, 1});
        AddDocument(tempDb, {client, 15, 500, 500, 3}); // cancelled: in no total
    }

    // The client picker chooses the row named name, then the unpaid picker its invoice.
    void ExpectClientAndInvoice(const wchar_t* name, int invoice)
    {
        cash_tests::ChooseInPicker(nested, L"Cautare Clienti", IDC_CAUTARE_CLIENTI_LIST, name);
        ExpectInvoice(invoice);
    }
    void ExpectInvoice(int number)
    {
        cash_tests::ChooseInPicker(nested, L"Facturi Nestinse", IDC_FACTURI_SCADENTE_LIST, std::to_wstring(number));
    }

    INT_PTR Run(unsigned long long receipt, std::function<void(HWND)> steps)
    {
        return cash_tests::RunEditor<MyIncasareDialog>(receipt, kEditor, nested, steps);
    }

    // A new receipt of amount over the invoices (12 and 13), validated through the editor.
    INT_PTR ValidateNewReceipt(const wchar_t* amount, std::function<void(HWND)> before = nullptr,
                               std::vector<int> invoices = {12, 13})
    {
        ExpectClientAndInvoice(L"D'Artagnan SRL", invoices[0]);
        for (size_t i = 1; i < invoices.size(); ++i)
            ExpectInvoice(invoices[i]);
        return Run(0, [&](HWND w) {
            ModalDriver::Click(w, IDC_INCASARE_ADAUGA_CLIENT);
            for (size_t i = 1; i < invoices.size(); ++i)
                ModalDriver::Click(w, IDC_INCASARE_ADD);
            ModalDriver::SetText(w, IDC_INCASARE_SUMA, amount);
            if (before)
                before(w);
            ModalDriver::Click(w, IDC_INCASARE_VALIDARE);
        });
    }
    unsigned long long LastReceipt() { return static_cast<unsigned long long>(tempDb.Scalar(L"select max(id) from Incasari")); }
};

} // namespace

TEST_F(ReceiptEditor, ValidationStoresTheReceiptBalancesAllocationsAndCounterAndCancellationGivesBack)
{
    ExpectClientAndInvoice(L"D'Artagnan SRL", 12);
    ExpectInvoice(12); // again: refused
    ExpectInvoice(13);
    ExpectInvoice(14);
    EXPECT_EQ(IDOK, Run(0, [&](HWND w) {
                  EXPECT_EQ(L"-0000005-", ModalDriver::GetText(w, IDC_INCASARE_NUMAR));
                  ModalDriver::Click(w, IDC_INCASARE_ADAUGA_CLIENT);
                  ModalDriver::Click(w, IDC_INCASARE_ADD);
                  EXPECT_TRUE(boxes.Saw(L"Factura a mai fost introdusa o data !"));
                  ModalDriver::Click(w, IDC_INCASARE_ADD);
                  ModalDriver::Click(w, IDC_INCASARE_ADD);
                  ASSERT_EQ(3, ModalDriver::ListRowCount(w, kList));
                  EXPECT_EQ(L" 14, 13, 12", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
                  EXPECT_EQ(L"240.00", ModalDriver::GetText(w, IDC_INCASARE_TOTAL_FACTURAT));
                  EXPECT_EQ(L" DOUA SUTE PATRUZECI   LEI", ModalDriver::GetText(w, IDC_INCASARE_SUMA_LITERE));
                  testing_support::SaveWindowPng(w, L"receipt_editor_three_rows");
                  ModalDriver::SelectListRow(w, kList, 2);
                  ModalDriver::Click(w, IDC_INCASARE_REMOVE);
                  EXPECT_EQ(L" 13, 12", ModalDriver::GetText(w, IDC_INCASARE_FACTURI));
                  ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"150");
                  ModalDriver::Click(w, IDC_INCASARE_VALIDARE);
              }));
    ASSERT_TRUE(boxes.Saw(L"Restul de 50.00 va fi retras din factura   13\n Continuati ? ")) << boxes.Describe();
    EXPECT_EQ(2, tempDb.Scalar(L"select status from Incasari"));
    EXPECT_EQ(5, tempDb.Scalar(L"select numar from Incasari"));
    EXPECT_EQ(L" 13, 12", tempDb.Text(L"select facturi from Incasari"));
    EXPECT_DOUBLE_EQ(150, tempDb.Number(L"select suma from Incasari"));
    EXPECT_EQ(L" UNA SUTA CINCIZECI   LEI", tempDb.Text(L"select sumaStr from Incasari"));
    EXPECT_EQ(5, tempDb.Scalar(L"select numarChit from ConfigFacturi"));
    EXPECT_DOUBLE_EQ(0, Balance(tempDb, a));
    EXPECT_DOUBLE_EQ(30, Balance(tempDb, b));
    EXPECT_DOUBLE_EQ(150, tempDb.Number(L"select sum(suma) from Alocari"));

    // Reopened: the rows in their saved order; Anulare gives the amount back.
    unsigned long long receipt = static_cast<unsigned long long>(tempDb.Scalar(L"select id from Incasari"));
    boxes.Clear();
    EXPECT_EQ(IDOK, Run(receipt, [&](HWND w) {
                  EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::GetText(w, IDC_INCASARE_CLIENT));
                  ASSERT_EQ(2, ModalDriver::ListRowCount(w, kList));
                  EXPECT_EQ(L"  12", ModalDriver::ListCell(w, kList, 0, 0));
                  EXPECT_EQ(L"150.00", ModalDriver::GetText(w, IDC_INCASARE_SUMA));
                  // What the edit shows now does not change what goes back.
                  ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"10");
                  ModalDriver::Click(w, IDC_INCASARE_ANULARE);
              }));
    EXPECT_EQ(L"Anulare", boxes.Last().caption);
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, a));
    EXPECT_DOUBLE_EQ(80, Balance(tempDb, b));
    EXPECT_EQ(3, tempDb.Scalar(L"select status from Incasari"));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));
}

TEST_F(ReceiptEditor, AValidatedReceiptChangesOnlyThroughGuardsThatGiveBackExactlyWhatItTook)
{
    // The first invoice was partly paid before; a later receipt pays on the second.
    tempDb.Exec(SqlFormat(L"update Facturi set sold = 60 where id = %llu", a).c_str());
    ASSERT_EQ(IDOK, ValidateNewReceipt(L"100"));
    unsigned long long receipt = LastReceipt();
    ASSERT_EQ(IDOK, ValidateNewReceipt(L"10", nullptr, {13}));
    unsigned long long later = LastReceipt();
    ASSERT_DOUBLE_EQ(0, Balance(tempDb, a));
    ASSERT_DOUBLE_EQ(30, Balance(tempDb, b));
    auto statusOf = [&](unsigned long long id) {
        return tempDb.Scalar(SqlFormat(L"select status from Incasari where id = %llu", id).c_str());
    };

    // Cancel at the guard, then Enter: nothing changes.
    boxes.Answer(IDCANCEL);
    EXPECT_EQ(IDCANCEL, Run(receipt, [&](HWND w) {
                  ModalDriver::Click(w, IDC_INCASARE_ADD);
                  EXPECT_EQ(L"Document deja inregistrat !", boxes.Last().caption);
                  EXPECT_EQ(2, ModalDriver::ListRowCount(w, kList));
                  ModalDriver::Click(w, IDOK);
              }));
    EXPECT_EQ(2, statusOf(receipt));
    EXPECT_DOUBLE_EQ(0, Balance(tempDb, a));
    EXPECT_DOUBLE_EQ(30, Balance(tempDb, b));

    // The revert command: back exactly what this receipt took, the later one keeps its own.
    EXPECT_EQ(IDOK, Run(receipt, [](HWND w) { ModalDriver::Click(w, IDC_INCASARE_REVERT); }));
    EXPECT_DOUBLE_EQ(60, Balance(tempDb, a));
    EXPECT_DOUBLE_EQ(70, Balance(tempDb, b));
    EXPECT_EQ(1, statusOf(receipt));
    EXPECT_EQ(L"10.0", tempDb.Text(L"select group_concat(suma) from Alocari"));
    // A temporary receipt has nothing to give back: the command only closes.
    EXPECT_EQ(IDCANCEL, Run(receipt, [](HWND w) { ModalDriver::Click(w, IDC_INCASARE_REVERT); }));
    EXPECT_DOUBLE_EQ(70, Balance(tempDb, b));

    // OK at the guard: balances back, stored as temporary, list emptied, then
    // the picker opens on the emptied receipt.
    nested.push_back({L"Facturi Nestinse", [](HWND w) { ModalDriver::Click(w, IDCANCEL); }});
    Run(later, [&](HWND w) {
        ModalDriver::Click(w, IDC_INCASARE_ADD);
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, kList));
    });
    EXPECT_EQ(1, statusOf(later));
    EXPECT_DOUBLE_EQ(80, Balance(tempDb, b));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));

    // Another client empties the list; cancelling its invoices leaves no client.
    nested.push_back({L"Cautare Clienti", [](HWND w) {
                          ModalDriver::SetText(w, IDC_CAUTARE_CLIENTI_FILTER, L"Beta");
                          ModalDriver::DoubleClickListRow(w, IDC_CAUTARE_CLIENTI_LIST, 0);
                      }});
    nested.push_back({L"Facturi Nestinse", [](HWND w) {
                          EXPECT_EQ(0, ModalDriver::ListRowCount(w, IDC_FACTURI_SCADENTE_LIST));
                          ModalDriver::Click(w, IDCANCEL);
                      }});
    boxes.Clear();
    Run(receipt, [&](HWND w) {
        ASSERT_EQ(2, ModalDriver::ListRowCount(w, kList));
        ModalDriver::Click(w, IDC_INCASARE_ADAUGA_CLIENT);
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, kList));
        EXPECT_EQ(L"", ModalDriver::GetText(w, IDC_INCASARE_CLIENT));
        ModalDriver::Click(w, IDOK);
        EXPECT_EQ(L"Message", boxes.Last().caption);
        EXPECT_EQ(L"Introduceti clientul !", boxes.Last().text);
    });
}

TEST_F(ReceiptEditor, RefusedOrFailedValidationWritesNothingAndKeepsTheEditorOpen)
{
    // Zero and unreadable amounts are refused before anything is planned.
    for (const wchar_t* amount : {L"0", L"abc"}) {
        boxes.Clear();
        ValidateNewReceipt(amount);
        EXPECT_TRUE(boxes.SawCaption(L"Atentie")) << boxes.Describe();
    }
    boxes.Clear();
    ValidateNewReceipt(L"90");
    EXPECT_TRUE(boxes.Saw(L"Suma introdusa nu poate sa acopere toate facturile introduse !"));

    tempDb.Exec(L"create trigger refuse before insert on Incasari begin select raise(abort, 'refused'); end");
    boxes.Clear();
    // Still open after the failure: the run closes it with Cancel.
    EXPECT_EQ(IDCANCEL, ValidateNewReceipt(L"180"));
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"refused"));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Incasari"));
    EXPECT_EQ(4, tempDb.Scalar(L"select numarChit from ConfigFacturi"));
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, a));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));
}

TEST_F(ReceiptEditor, ANumberTakenMeanwhileGivesTheNextFreeOneAndAStoredReceiptKeepsItsSeriesAndValues)
{
    ValidateNewReceipt(L"180", [&](HWND) {
        tempDb.Exec(L"insert into Incasari (serie, numar, IDClient, suma, status) values ('CNT', 5, 0, 1, 1)");
    });
    EXPECT_EQ(6, tempDb.Scalar(L"select numar from Incasari where suma = 180"));
    EXPECT_EQ(6, tempDb.Scalar(L"select numarChit from ConfigFacturi"));
    EXPECT_TRUE(boxes.SawCaption(L"Atentie")) << boxes.Describe();

    // A stored temporary receipt of another series, type 0.
    tempDb.Exec(L"update ConfigFacturi set serie_chit = 'XYZ' where id = 1");
    unsigned long long stored =
        AddCashRow(tempDb, L"Incasari", {client, 3, L" 14", 60.125, 1, 1700000000, 0, L"ABC", L"ALT"});
    EXPECT_EQ(IDOK, Run(stored, [&](HWND w) {
                  EXPECT_EQ(L"-0000003-", ModalDriver::GetText(w, IDC_INCASARE_NUMAR));
                  EXPECT_EQ(0, static_cast<int>(SendDlgItemMessageW(w, IDC_INCASARE_TIP, CB_GETCURSEL, 0, 0)));
                  // No line chosen is not a type: the stored one stays.
                  SendDlgItemMessageW(w, IDC_INCASARE_TIP, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                  ModalDriver::Click(w, IDOK);
              }));
    EXPECT_EQ(L"ABC", tempDb.Text(SqlFormat(L"select serie from Incasari where id = %llu", stored).c_str()));
    EXPECT_EQ(0, tempDb.Scalar(SqlFormat(L"select tip from Incasari where id = %llu", stored).c_str()));
    // Saved without changes: exactly what was stored.
    EXPECT_EQ(L"60.125|ALT|1700000000", tempDb.Text(SqlFormat(L"select suma || '|' || sumaStr || '|' || data from "
                                                              L"Incasari where id = %llu", stored).c_str()));
    EXPECT_EQ(6, tempDb.Scalar(L"select numarChit from ConfigFacturi"));
}

namespace {
unsigned long long g_openedId = 0;
std::wstring g_printed;
INT_PTR FakeDocumentEditor(HWND, int type, uint64_t id)
{
    g_openedId = type == 0 ? id : 0;
    GetRepository().ExecDML(SqlFormat(L"update Facturi set sold = 55.5 where id = %llu", id).c_str());
    return IDOK;
}
INT_PTR FakePrinter(HWND, const ReceiptPrintRequest& r)
{
    g_printed = std::to_wstring(r.clientId) + L"|" + std::to_wstring(r.amount) + L"|" + r.facturi + L"|" + r.number +
                L"|" + r.date;
    return IDCANCEL;
}
} // namespace

TEST_F(ReceiptEditor, TheInvoiceOpensByIdAndPrintingTakesTheReceiptsTextsWithoutStoringAnything)
{
    unsigned long long receipt = AddCashRow(tempDb, L"Incasari", {client, 3, L" 13, 12", 80, 1, 1700000000, 1, L"CNT"});
    RegisterEditor(EditorKind::Document, &FakeDocumentEditor);
    SetReceiptPrinter(&FakePrinter);
    Run(receipt, [&](HWND w) {
        ModalDriver::DoubleClickListRow(w, kList, 1);
        EXPECT_EQ(b, g_openedId);
        EXPECT_EQ(L"  55.50", ModalDriver::ListCell(w, kList, 1, 6));
        EXPECT_EQ(L"155.50", ModalDriver::GetText(w, IDC_INCASARE_SUMA));
        ModalDriver::SetText(w, IDC_INCASARE_SUMA, L"70");
        ModalDriver::Click(w, IDC_INCASARE_TIPARIRE);
    });
    EXPECT_EQ(std::to_wstring(client) + L"|70.000000| 13, 12|3|14-11-2023", g_printed);
    EXPECT_DOUBLE_EQ(80, tempDb.Number(L"select suma from Incasari"));
    RegisterEditor(EditorKind::Document, nullptr);
    SetReceiptPrinter(nullptr);
}
