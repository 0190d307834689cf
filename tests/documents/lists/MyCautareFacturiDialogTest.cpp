#include <gtest/gtest.h>
#include <vector>
#include "printing/MyPrintDialog.h"
#include "tests/documents/lists/PickerTestSupport.h"
#include "tests/harness/MessageBoxRecorder.h"

using namespace lists_test;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

class PickerTest : public testing_support::DatabaseTest {
protected:
    // Four invoices of "Alfa SRL": statuses 1, 2, 1, 3; amounts 112, 12.5, 7,
    // 100; the first one with a line of product "Surub" (VAT code 1).
    void AddFourInvoices()
    {
        alfa = tempDb.AddClient(L"Alfa SRL");
        const int statuses[] = {1, 2, 1, 3};
        const double amounts[] = {112.0, 12.5, 7.0, 100.0};
        for (int i = 0; i < 4; ++i) {
            Header h;
            h.status = statuses[i];
            h.numar = 10 + i;
            h.client = alfa;
            h.ft = amounts[i];
            ids.push_back(AddHeader(tempDb, L"Facturi", h));
        }
        product = tempDb.AddProduct(L"Surub", 10.0, 1);
        printing_tests::AddLine(tempDb, L"ArticoleFacturi", ids[0], product, 1.0, 4.0);
    }
    unsigned long long alfa = 0;
    unsigned long long product = 0;
    std::vector<unsigned long long> ids;
};

} // namespace

// The details show a quantity of three decimals with them, a whole one with two.
TEST_F(PickerTest, DetailsShowAQuantitysThirdDecimalWhereItHasOne)
{
    unsigned long long client = tempDb.AddClient(L"Alfa SRL");
    Header h;
    h.numar = 10;
    h.client = client;
    h.ft = 22.5;
    unsigned long long id = AddHeader(tempDb, L"Facturi", h);
    printing_tests::AddLine(tempDb, L"ArticoleFacturi", id, tempDb.AddProduct(L"Vopsea", 10.13), 1.234, 10.13);
    printing_tests::AddLine(tempDb, L"ArticoleFacturi", id, tempDb.AddProduct(L"Pensula", 5), 2, 5);
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND w) {
        ModalDriver::Click(w, IDC_CAUTFACT_DETALII);
        ModalDriver::SelectListRow(w, IDC_CAUTFACT_DOCUMENTE, 0);
        EXPECT_EQ(L"1|1|Vopsea|10.13|1.234|Buc|RON|12.50|", RowText(w, IDC_CAUTFACT_ARTICOLE, 0, 8));
        EXPECT_EQ(L"2|2|Pensula|5.00|2.00|Buc|RON|10.00|", RowText(w, IDC_CAUTFACT_ARTICOLE, 1, 8));
    });
}

// Opened on every invoice with the last one chosen; the search text filters the
// chosen field ignoring case; the details show the chosen document's lines,
// and "Tiparire" prints it.
TEST_F(PickerTest, SearchesTheChosenFieldAndShowsTheChosenDocumentsLines)
{
    AddFourInvoices();
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND h) {
        EXPECT_EQ(GetDlgItem(h, IDC_CAUTFACT_TEXT), GetFocus());
        EXPECT_EQ(L"10|Alfa SRL|14-11-2023|112.00|24.00|124.00|Temporar|124.00||",
                  RowText(h, IDC_CAUTFACT_DOCUMENTE, 0, 9));
        EXPECT_EQ(L"4 3 4", State(picker, h));
        EXPECT_EQ(ids[3], picker.idSelectat);

        ModalDriver::SelectCombo(h, IDC_CAUTFACT_CAMP, 2); // "Status": rows stay until the text changes
        EXPECT_EQ(4, Rows(h));
        Search(h, L"temp");
        EXPECT_EQ(L"Temporar|Temporar|1", Cell(h, 0, 6) + L"|" + Cell(h, 1, 6) + L"|" +
                                                  std::to_wstring(picker.listaDocumente.RowId(0)));
        EXPECT_EQ(L"2 1 3", State(picker, h));
        EXPECT_EQ(ids[2], picker.idSelectat);
        Search(h, L"temporar, mai lung decat orice camp");
        EXPECT_EQ(L"0 -1 0", State(picker, h));
        Search(h, L"");
        EXPECT_EQ(4, Rows(h));
        ModalDriver::SelectCombo(h, IDC_CAUTFACT_CAMP, 3); // "Valoare FT"
        Search(h, L"12");
        ASSERT_EQ(2, Rows(h));
        EXPECT_EQ(L"112.00|12.50", Cell(h, 0, 3) + L"|" + Cell(h, 1, 3));

        EXPECT_FALSE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        ModalDriver::Click(h, IDC_CAUTFACT_DETALII);
        EXPECT_TRUE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        ModalDriver::SelectListRow(h, IDC_CAUTFACT_DOCUMENTE, 0);
        EXPECT_EQ(1, ModalDriver::ListRowCount(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(L"1|" + std::to_wstring(product) + L"|Surub|4.00|1.00|Buc|RON|4.00|0.36|4.36|",
                  RowText(h, IDC_CAUTFACT_ARTICOLE, 0, 10));
        ModalDriver::Click(h, IDC_CAUTFACT_DETALII);
        EXPECT_FALSE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        ModalDriver print;
        print.When(L"Tiparire", [&](HWND dialog) {
            MyPrintDialog* printing = dynamic_cast<MyPrintDialog*>(micro::gui::QWindow::FromHandle(dialog));
            ASSERT_TRUE(printing);
            EXPECT_EQ(std::make_pair(ids[0], 0LL), std::make_pair(printing->GetDocumentId(), printing->GetDocumentType()));
            EndDialog(dialog, IDCANCEL);
        });
        ModalDriver::Click(h, IDC_CAUTFACT_TIPARIRE);
        print.Verify();
    });
}

// Opening makes the texts of the rows painted only (the first test reads and
// searches rows whose texts are made later).
TEST_F(PickerTest, OpeningFormatsOnlyThePaintedRows)
{
    Header h;
    h.client = tempDb.AddClient(L"Beta SRL");
    for (h.numar = 1; h.numar <= 100; ++h.numar)
        AddHeader(tempDb, L"Facturi", h);
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND window) {
        UpdateWindow(window);
        int pending = 0;
        for (int i = 0; i < 100; ++i)
            pending += picker.inregistrari.GetAt(i)->textsPending ? 1 : 0;
        EXPECT_GT(pending, 50);   // a page of the list holds some twenty rows
        Search(window, L"beta");   // the client's name: no other texts made
        for (int i = 0; i < 100; ++i)
            pending -= picker.inregistrari.GetAt(i)->textsPending ? 1 : 0;
        EXPECT_EQ(0, pending);
    });
    // A document saved before its row was painted keeps the texts saved.
    int i = 0;
    while (!picker.inregistrari.GetAt(i)->textsPending)
        ++i;
    MyFacturiDialog editor(nullptr);
    editor.numar = 77;
    FormatDocumentRowTexts(editor, *picker.inregistrari.GetAt(i));
    EXPECT_EQ(L"77", std::wstring(RecordCell(*picker.inregistrari.GetAt(i), RowNumar).c_str()));
}

// An edited document is chosen again where it now stands in the filtered list;
// new and duplicated documents are appended even when the filter hides them.
TEST_F(PickerTest, EditedDocumentIsReselectedAndNewOnesAppendedEvenWhenFilteredOut)
{
    AddFourInvoices();
    Header other;
    other.client = tempDb.AddClient(L"Beta SA");
    AddHeader(tempDb, L"Facturi", other);
    other.client = alfa;
    AddHeader(tempDb, L"Facturi", other); // id 6, row 4 once "ALFA" hides Beta
    Header saved;
    saved.client = alfa;
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(
        picker, L"Facturi",
        [&](HWND h) {
            Search(h, L"ALFA");
            ASSERT_EQ(5, Rows(h));
            ModalDriver::DoubleClickListRow(h, IDC_CAUTFACT_DOCUMENTE, 4);
            EXPECT_EQ(L"5 4 6", State(picker, h));
            EXPECT_EQ(6u, picker.idSelectat);
            EXPECT_EQ(L"999.00|Validat", Cell(h, 4, 3) + L"|" + Cell(h, 4, 6));
            // The list reports text changes and lost selections as item
            // changes too; they must not move the document the buttons act on.
            NMLISTVIEW change = {};
            change.hdr.hwndFrom = picker.listaDocumente;
            change.hdr.idFrom = IDC_CAUTFACT_DOCUMENTE;
            change.hdr.code = LVN_ITEMCHANGED;
            change.uChanged = LVIF_TEXT;
            SendMessageW(h, WM_NOTIFY, IDC_CAUTFACT_DOCUMENTE, reinterpret_cast<LPARAM>(&change));
            change.iItem = 1;
            change.uChanged = LVIF_STATE;
            change.uOldState = LVIS_SELECTED;
            SendMessageW(h, WM_NOTIFY, IDC_CAUTFACT_DOCUMENTE, reinterpret_cast<LPARAM>(&change));
            EXPECT_EQ(6u, picker.idSelectat);
            EXPECT_EQ(4, picker.randSelectat);

            Search(h, L"nimeni");
            ASSERT_EQ(0, Rows(h));
            ModalDriver::Click(h, IDC_CAUTFACT_NOU);
            EXPECT_EQ(L"1 0 7", State(picker, h));
            EXPECT_EQ(L"20|50.00", Cell(h, 0, 0) + L"|" + Cell(h, 0, 3));
            ModalDriver::Click(h, IDC_CAUTFACT_DUPLICARE);
            EXPECT_EQ(L"2 1 8", State(picker, h));
            EXPECT_EQ(L"21", Cell(h, 1, 0));
        },
        [&](ModalDriver& driver) {
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_EQ(6u, EditorOf(editor)->id);
                Header h = saved;
                h.status = 2;
                h.ft = 999.0;
                SaveLike(tempDb, editor, L"Facturi", h);
            });
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_EQ(0u, EditorOf(editor)->documentNou);
                saved.numar = 20;
                saved.ft = 50.0;
                SaveLike(tempDb, editor, L"Facturi", saved);
            });
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_NE(0u, EditorOf(editor)->documentNou);
                saved.numar = 21;
                SaveLike(tempDb, editor, L"Facturi", saved);
            });
        });
}

TEST_F(PickerTest, ActionsWithoutAChosenDocumentAreRefused)
{
    MessageBoxRecorder boxes;
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND h) {
        ModalDriver::Click(h, IDC_CAUTFACT_TIPARIRE);
        ModalDriver::Click(h, IDC_CAUTFACT_DUPLICARE);
        ModalDriver::Click(h, IDOK);
        EXPECT_TRUE(IsWindow(h));
    });
    EXPECT_EQ("[Selectati documentul dorit] Click pe documentul dorit pentru selectie !\n"
              "[Selectati documentul dorit] Click pe documentul dorit pentru selectie !\n"
              "[Message] Selectati un client !\n",
              boxes.Describe());
    EXPECT_TRUE(boxes.Boxes()[0].flags & MB_ICONINFORMATION);
}
