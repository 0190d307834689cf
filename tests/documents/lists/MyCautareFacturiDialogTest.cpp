#include <gtest/gtest.h>
#include <vector>
#include "printing/MyPrintDialog.h"
#include "tests/documents/lists/PickerTestSupport.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/Screenshot.h"

using namespace lists_test;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

int HeightOf(HWND dialog, int id)
{
    RECT rc;
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    return rc.bottom - rc.top;
}

class PickerTest : public testing_support::DatabaseTest {
protected:
    // Four invoices: statuses 1, 2, 1, 3; amounts 112, 12.5, 7, 100; the last
    // one with a line of product "Surub" (VAT code 1).
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
        AddLine(tempDb, L"ArticoleFacturi", product, 2.0, 10.0, ids[3]);
        AddLine(tempDb, L"ArticoleFacturi", product, 1.0, 4.0, ids[0]);
    }
    unsigned long long alfa = 0;
    unsigned long long product = 0;
    std::vector<unsigned long long> ids;
};

} // namespace

TEST_F(PickerTest, OpensWithEveryDocumentOfItsTypeAndItsValidateButton)
{
    AddFourInvoices();
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND h) {
        EXPECT_FALSE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(GetDlgItem(h, IDC_CAUTFACT_TEXT), GetFocus());
        EXPECT_EQ(4, Rows(h));
        EXPECT_EQ(L"10|Alfa SRL|14-11-2023|112.00|24.00|124.00|Temporar|124.00||",
                  RowText(h, IDC_CAUTFACT_DOCUMENTE, 0, 9));
        testing_support::SaveWindowPng(h, L"documents_lists_picker");
    });

    MyCautareFacturiDialog niruri(nullptr);
    niruri.tip = 3;
    RunPicker(niruri, L"Cautare Nota Intrare Receptie",
              [&](HWND h) { EXPECT_EQ(L"Valideaza NIR ", ModalDriver::GetText(h, IDC_CAUTFACT_VALIDARE)); });
}

TEST_F(PickerTest, SearchTextFiltersTheChosenFieldIgnoringCase)
{
    AddFourInvoices();
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND h) {
        EXPECT_EQ(3, Selected(h));
        EXPECT_EQ(ids[3], picker.idSelectat);

        ModalDriver::SelectCombo(h, IDC_CAUTFACT_CAMP, 2); // "Status": rows stay until the text changes
        EXPECT_EQ(4, Rows(h));
        Search(h, L"temp");
        ASSERT_EQ(2, Rows(h));
        EXPECT_EQ(2, picker.nrRanduri);
        EXPECT_EQ(L"Temporar", Cell(h, 0, 6));
        EXPECT_EQ(L"Temporar", Cell(h, 1, 6));
        EXPECT_EQ(ids[0], RowId(picker, 0));
        EXPECT_EQ(1, Selected(h));
        EXPECT_EQ(ids[2], picker.idSelectat);

        Search(h, L"temporar, mai lung decat orice camp");
        EXPECT_EQ(0, Rows(h));
        EXPECT_EQ(0, picker.nrRanduri);
        EXPECT_EQ(-1, Selected(h));
        Search(h, L"");
        EXPECT_EQ(4, Rows(h));

        ModalDriver::SelectCombo(h, IDC_CAUTFACT_CAMP, 3); // "Valoare FT"
        Search(h, L"12");
        ASSERT_EQ(2, Rows(h));
        EXPECT_EQ(L"112.00", Cell(h, 0, 3));
        EXPECT_EQ(L"12.50", Cell(h, 1, 3));
    });
}

TEST_F(PickerTest, DetailsShowTheLinesOfTheChosenDocument)
{
    AddFourInvoices();
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(picker, L"Facturi", [&](HWND h) {
        ModalDriver::Click(h, IDC_CAUTFACT_DETALII);
        EXPECT_TRUE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(270, HeightOf(h, IDC_CAUTFACT_DOCUMENTE));   // the documents make room
        EXPECT_EQ(130, HeightOf(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(L"1|" + std::to_wstring(product) + L"|Surub|10.00|2.00|Buc|RON|20.00|1.80|21.80|",
                  RowText(h, IDC_CAUTFACT_ARTICOLE, 0, 10));
        testing_support::SaveWindowPng(h, L"documents_lists_picker_details");

        ModalDriver::SelectListRow(h, IDC_CAUTFACT_DOCUMENTE, 0);
        EXPECT_EQ(1, ModalDriver::ListRowCount(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(L"4.00", ModalDriver::ListCell(h, IDC_CAUTFACT_ARTICOLE, 0, 3));

        ModalDriver::Click(h, IDC_CAUTFACT_DETALII);
        EXPECT_FALSE(ModalDriver::IsVisible(h, IDC_CAUTFACT_ARTICOLE));
        EXPECT_EQ(420, HeightOf(h, IDC_CAUTFACT_DOCUMENTE));
        EXPECT_TRUE(picker.articoleAscunse);
    });
}

TEST_F(PickerTest, NewAndDuplicatedDocumentsAreAppendedEvenWhenFilteredOut)
{
    AddFourInvoices();
    MyCautareFacturiDialog picker(nullptr);
    Header saved;
    saved.numar = 20;
    saved.client = alfa;
    saved.ft = 50.0;
    RunPicker(
        picker, L"Facturi",
        [&](HWND h) {
            Search(h, L"nimeni");
            ASSERT_EQ(0, Rows(h));
            ModalDriver::Click(h, IDC_CAUTFACT_NOU);
            ASSERT_EQ(1, Rows(h));
            EXPECT_EQ(5u, RowId(picker, 0));
            EXPECT_EQ(L"20", Cell(h, 0, 0));
            EXPECT_EQ(L"50.00", Cell(h, 0, 3));
            EXPECT_EQ(0, Selected(h));
            EXPECT_EQ(5, picker.inregistrari.GetCount());

            ModalDriver::Click(h, IDC_CAUTFACT_DUPLICARE);
            ASSERT_EQ(2, Rows(h));
            EXPECT_EQ(2, picker.nrRanduri);
            EXPECT_EQ(6u, RowId(picker, 1));
            EXPECT_EQ(1, Selected(h));
            ASSERT_EQ(6, picker.inregistrari.GetCount());
            EXPECT_STREQ(L"21", picker.inregistrari.GetAt(5)->numar);
        },
        [&](ModalDriver& driver) {
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_EQ(0u, EditorOf(editor)->documentNou);
                SaveLike(tempDb, editor, L"Facturi", saved);
            });
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_NE(0u, EditorOf(editor)->documentNou);
                saved.numar = 21;
                SaveLike(tempDb, editor, L"Facturi", saved);
            });
        });
}

TEST_F(PickerTest, EditingReselectsTheEditedDocumentWhateverItsPosition)
{
    unsigned long long alfa = tempDb.AddClient(L"Alfa SRL");
    unsigned long long beta = tempDb.AddClient(L"Beta SA");
    for (int i = 1; i <= 6; ++i) {
        Header h;
        h.numar = i;
        h.client = i == 2 ? beta : alfa;
        AddHeader(tempDb, L"Facturi", h);
    }
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(
        picker, L"Facturi",
        [&](HWND h) {
            Search(h, L"ALFA");
            ASSERT_EQ(5, Rows(h));
            int row = picker.listaDocumente.FindRow(5);
            ASSERT_EQ(3, row);
            ModalDriver::DoubleClickListRow(h, IDC_CAUTFACT_DOCUMENTE, row);
            EXPECT_EQ(5, Rows(h));
            EXPECT_EQ(3, Selected(h));
            EXPECT_EQ(5u, picker.idSelectat);
            EXPECT_EQ(L"999.00", Cell(h, 3, 3));
            EXPECT_EQ(L"Validat", Cell(h, 3, 6));
            EXPECT_STREQ(L"999.00", picker.inregistrari.GetAt(4)->valoareFT);

            // The list reports text changes and lost selections as item
            // changes too; they must not move the document the buttons act on.
            NMLISTVIEW change = {};
            change.hdr.hwndFrom = picker.listaDocumente;
            change.hdr.idFrom = IDC_CAUTFACT_DOCUMENTE;
            change.hdr.code = LVN_ITEMCHANGED;
            change.iItem = 0;
            change.uChanged = LVIF_TEXT;
            SendMessageW(h, WM_NOTIFY, IDC_CAUTFACT_DOCUMENTE, reinterpret_cast<LPARAM>(&change));
            change.iItem = 1;
            change.uChanged = LVIF_STATE;
            change.uOldState = LVIS_SELECTED;
            SendMessageW(h, WM_NOTIFY, IDC_CAUTFACT_DOCUMENTE, reinterpret_cast<LPARAM>(&change));
            EXPECT_EQ(5u, picker.idSelectat);
            EXPECT_EQ(3, picker.randSelectat);
        },
        [&](ModalDriver& driver) {
            driver.When(L"Factura  ", [&](HWND editor) {
                EXPECT_EQ(5u, EditorOf(editor)->id);
                Header h;
                h.numar = 5;
                h.client = alfa;
                h.status = 2;
                h.ft = 999.0;
                SaveLike(tempDb, editor, L"Facturi", h);
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
    ASSERT_EQ(3u, boxes.Count()) << boxes.Describe();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(L"Click pe documentul dorit pentru selectie !", boxes.Boxes()[i].text);
        EXPECT_EQ(L"Selectati documentul dorit", boxes.Boxes()[i].caption);
        EXPECT_TRUE(boxes.Boxes()[i].flags & MB_ICONINFORMATION);
    }
    EXPECT_EQ(L"Selectati un client !", boxes.Boxes()[2].text);
    EXPECT_EQ(L"Message", boxes.Boxes()[2].caption);
}

TEST_F(PickerTest, PrintOpensThePrintDialogForTheChosenDocument)
{
    Header proforma;
    proforma.client = tempDb.AddClient(L"Alfa SRL");
    AddHeader(tempDb, L"Proforme", proforma);
    unsigned long long second = AddHeader(tempDb, L"Proforme", proforma);
    MyCautareFacturiDialog picker(nullptr);
    picker.tip = 1;
    unsigned long long printedId = 0;
    long long printedType = -1;
    RunPicker(
        picker, L"Cautare Facturi Proforme", [&](HWND h) { ModalDriver::Click(h, IDC_CAUTFACT_TIPARIRE); },
        [&](ModalDriver& driver) {
            driver.When(L"Tiparire", [&](HWND dialog) {
                MyPrintDialog* print = dynamic_cast<MyPrintDialog*>(micro::gui::QWindow::FromHandle(dialog));
                ASSERT_TRUE(print);
                printedId = print->GetDocumentId();
                printedType = print->GetDocumentType();
                EndDialog(dialog, IDCANCEL);
            });
        });
    EXPECT_EQ(second, printedId);
    EXPECT_EQ(1, printedType);
}

