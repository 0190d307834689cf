#include "resources/resource.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/Screenshot.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;

class Ledgers : public ReportsTest {
protected:
    // A ledger of the mode over the days of first and last, collected by its button.
    void Collect(HWND w, long long first, long long last)
    {
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(first, 18));
        ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(last, 3));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
    }
};

TEST_F(Ledgers, SupplierIsPickedAmongThePartnersWhereGoodsReceivedNotesNameIt)
{
    tempDb.AddClient(L"Alfa SRL");
    long long supplier = tempDb.AddClient(L"D'Artagnan Furnizor SRL");
    Nir(kDay, 2, supplier, 7, tempDb.AddProduct(L"Cuie", 1.0), 4);
    MyFisaDeArticolDialog supplierLedger(nullptr);
    supplierLedger.mode = 2;
    ModalDriver driver;
    testing_support::MessageBoxRecorder boxes;
    driver.When(L"Fisa de Furnizor", [&](HWND w) {
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);  // nobody chosen yet
            EXPECT_TRUE(boxes.Saw(L"Selectati un Client ")) << boxes.Describe();
            EXPECT_EQ(L"Cauta Furnizor", ModalDriver::GetText(w, IDC_FISA_SELECTEAZA));
            PostMessageW(w, WM_COMMAND, IDC_FISA_SELECTEAZA, 0);
        })
        .When(L"Cautare Clienti", [](HWND picker) {
            int id = GetDlgCtrlID(FindWindowExW(picker, nullptr, L"SysListView32", nullptr));
            for (int r = 0; r < ModalDriver::ListRowCount(picker, id); ++r)
                if (ModalDriver::ListCell(picker, id, r, 0) == L"D'Artagnan Furnizor SRL")
                    ModalDriver::DoubleClickListRow(picker, id, r);
        })
        .When(L"Fisa de Furnizor", [&](HWND w) {
            EXPECT_EQ(L"D'Artagnan Furnizor SRL", ModalDriver::GetText(w, IDC_FISA_NUME));
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(kDay));
            ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(kDay));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            EXPECT_EQ(L"NIR", ModalDriver::ListCell(w, IDC_FISA_LISTA, 1, 0));
            ModalDriver::Click(w, IDCANCEL);
        });
    supplierLedger.DoModal();
    driver.Verify();
    EXPECT_EQ(static_cast<unsigned long long>(supplier), supplierLedger.partnerId);

}

TEST_F(Ledgers, PartnerLedgerListsEveryCountedRecordOnceWithRunningBalance)
{
    long long client = tempDb.AddClient(L"Beta SRL");
    long long start = kDay + 86400;
    Invoice(kDay + 100, 2, client, 1, 1, 10, 10);         // before: validated, debited into the opening
    Invoice(kDay + 200, 3, client, 2, 1, 10, 99);         // cancelled: nowhere
    Cash(L"Incasari", kDay + 300, 2, client, 1, 30);      // before: credited into the opening
    Invoice(start, 2, client, 3, 1, 5, 10);               // the period's first second: a row, not the opening
    Cash(L"Incasari", start + 50, 2, client, 2, 20);
    Cash(L"Incasari", start + 50, 2, client, 3, 20);      // the same second: both listed
    Cash(L"Incasari", start + 60, 1, client, 4, 500);     // temporary: no credit
    Cash(L"Incasari", start + 70, 2, client, 5, 1, 12);   // a payment type above 10 is still a credit
    Invoice(start + 86399, 1, client, 4, 1, 2, 10);       // temporary invoice, last second of the day

    MyFisaDeArticolDialog dialog(nullptr);
    dialog.mode = 1;
    dialog.partnerId = client;
    RunDialog(dialog, L"Fisa de Client", [&](HWND w) {
        Collect(w, start, start);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-16", L" - ", L"100.00", L"30.00", L"70.00"},
                        {L"FV", L"2024-03-16", L"3", L"50.00", L" 0 ", L"120.00"},
                        {L"CHIT", L"2024-03-16", L"2", L" 0 ", L"20.00", L"100.00"},
                        {L"CHIT", L"2024-03-16", L"3", L" 0 ", L"20.00", L"80.00"},
                        {L"CHIT", L"2024-03-16", L"5", L" 0 ", L"1.00", L"79.00"},
                        {L"FV", L"2024-03-16", L"4", L"20.00", L" 0 ", L"99.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"170.00", L"71.00", L"99.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
        EXPECT_EQ(7, dialog.lastRowIndex);
        testing_support::SaveWindowPng(w, L"stock_reports_partner_ledger");
        // The closing balance is the next day's opening.
        Collect(w, start + 86400, start + 86400);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-17", L" - ", L"170.00", L"71.00", L"99.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"170.00", L"71.00", L"99.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
    });
    // A partner without records has no opening line.
    MyFisaDeArticolDialog empty(nullptr);
    empty.mode = 1;
    empty.partnerId = tempDb.AddClient(L"Gama SRL");
    RunDialog(empty, L"Fisa de Client", [&](HWND w) {
        Collect(w, start, start);
        EXPECT_EQ((Rows{{L" ", L""}, {L"Total ", L""}}), ListRows(w, IDC_FISA_LISTA, 2));
        EXPECT_EQ(L"0.00", ModalDriver::ListCell(w, IDC_FISA_LISTA, 1, 5));
        EXPECT_EQ(1, empty.lastRowIndex);
    });
}

TEST_F(Ledgers, ArticleAndWarehouseLedgersListIdenticalLinesTwiceInOrder)
{
    long long product = tempDb.AddProduct(L"Cuie", 1.0);
    long long client = tempDb.AddClient(L"Beta SRL");
    Entry(kDay - 86400, 2, product, 100);                                    // opening
    Document(L"Facturi", kDay + 10, 2, client, 9, {{double(product), 3, 5}, {double(product), 3, 5}});
    Nir(kDay + 10, 2, client, 4, product, 10, 2);
    Entry(kDay + 20, 1, product, 1000);                                      // temporary: not a movement yet
    Exit(kDay + 30, 2, product, 1.5, 4);
    Entry(kDay + 40, 2, product, 0.25, 8);

    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(kDay));
        ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(kDay));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
        EXPECT_EQ((Rows{{L"15-03-2024 ", L"FV", L"9", L"Beta SRL", L"0", L"3.00", L"5.00", L"-15.00"},
                        {L"15-03-2024 ", L"FV", L"9", L"Beta SRL", L"0", L"3.00", L"5.00", L"-15.00"},
                        {L"15-03-2024 ", L"NIR", L"4", L"Beta SRL", L"10.00", L"0", L"2.00", L"20.00"},
                        {L"15-03-2024 ", L"EG", L"1", L"IESIRE GENERALA", L"0", L"1.50", L"4.00", L"-6.00"},
                        {L"15-03-2024 ", L"IG", L"3", L"INTRARE GENERALA", L"0.25", L"0", L"8.00", L"2.00"},
                        {L"", L"", L"", L"", L"", L"", L"", L""},
                        {L"TOTAL", L"", L"", L"", L"10.25", L"7.50", L"", L"-14.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 8));
        EXPECT_EQ(6, article.lastRowIndex);
        testing_support::SaveWindowPng(w, L"stock_reports_article_ledger");
    });
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = product;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay, 23));
        ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay, 0));
        ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
        EXPECT_EQ((Rows{{L"15-03-2024 ", L"", L"", L"100.00", L"0.00", L"100.00"},
                        {L"15-03-2024 ", L"FV", L"9", L"0", L"3.00", L"97.00"},
                        {L"15-03-2024 ", L"FV", L"9", L"0", L"3.00", L"94.00"},
                        {L"15-03-2024 ", L"NIR", L"4", L"10.00", L"0", L"104.00"},
                        {L"15-03-2024 ", L"EG", L"1", L"0", L"1.50", L"102.50"},
                        {L"15-03-2024 ", L"IG", L"3", L"0.25", L"0", L"102.75"}}),
                  ListRows(w, IDC_MAGAZIE_LISTA, 6));
        EXPECT_EQ(6, warehouse.rowCount);
        testing_support::SaveWindowPng(w, L"stock_reports_warehouse_ledger");
    });
}

TEST_F(Ledgers, DoubleClickOpensTheRecordOfTheRowByItsIdAndType)
{
    long long product = tempDb.AddProduct(L"Cuie", 1.0);
    long long client = tempDb.AddClient(L"Beta SRL");
    Invoice(kDay - 86400, 2, client, 7, product, 1);               // same number, another day
    long long invoice = Invoice(kDay, 2, client, 7, product, 1);
    long long nir = Nir(kDay + 1, 2, client, 7, product, 1);
    long long entry = Entry(kDay + 2, 2, product, 1);
    long long exit = Exit(kDay + 3, 2, product, 1);
    long long receipt = Cash(L"Incasari", kDay + 4, 2, client, 7, 1);
    long long payment = Cash(L"Plati", kDay + 5, 2, client, 7, 1);
    struct Case {
        unsigned long long mode;
        const wchar_t* caption;
        std::vector<OpenedEditor> expected;  // row by row; the closing rows open nothing
    } cases[] = {
        {0, L"Fisa de articol",
         {{EditorKind::Document, 0, uint64_t(invoice)}, {EditorKind::Document, 3, uint64_t(nir)},
          {EditorKind::StockMovement, 0, uint64_t(entry)}, {EditorKind::StockMovement, 1, uint64_t(exit)}}},
        {1, L"Fisa de Client", {{EditorKind::Document, 0, uint64_t(invoice)}, {EditorKind::Receipt, 0, uint64_t(receipt)}}},
        {2, L"Fisa de Furnizor", {{EditorKind::Document, 3, uint64_t(nir)}, {EditorKind::Payment, 0, uint64_t(payment)}}},
    };
    for (const Case& c : cases) {
        EditorSpy spy;
        MyFisaDeArticolDialog dialog(nullptr);
        dialog.mode = c.mode;
        dialog.productId = product;
        dialog.partnerId = client;
        RunDialog(dialog, c.caption, [&](HWND w) {
            Collect(w, kDay, kDay);
            int rows = ModalDriver::ListRowCount(w, IDC_FISA_LISTA);
            for (int r = 0; r < rows; ++r)
                ModalDriver::DoubleClickListRow(w, IDC_FISA_LISTA, r);
        });
        EXPECT_EQ(c.expected, EditorSpy::opened) << testing_support::Narrow(c.caption);
    }
}
