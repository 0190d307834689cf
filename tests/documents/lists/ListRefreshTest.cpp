#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "documents/DocumentCommands.h"
#include "documents/MyFacturiPanel.h"
#include "framework/gui/QTabContainer.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/documents/lists/PickerTestSupport.h"
#include "tests/harness/MessageBoxRecorder.h"

using namespace lists_test;
using testing_support::ModalDriver;

namespace {

// The document commands and a tab workspace for the list tabs they open.
struct ListTabs {
    ListTabs()
    {
        RegisterDocumentCommands(commands);
        tabs.Create(nullptr, 0, WS_POPUP);
    }
    micro::qapp::QCommandTable commands;
    micro::gui::QTabContainer tabs;
    const micro::qapp::QCommandContext context = {nullptr, &tabs, 0, 0};
};

} // namespace

// An open list tab shows what the toolbar's editor and the picker stored.
TEST(ListRefresh, OpenListTabShowsDocumentsSavedFromTheToolbarAndThePicker)
{
    testing_support::TempDatabase tempDb;
    testing_support::MessageBoxRecorder boxes;
    tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL'");
    ListTabs workspace;
    micro::qapp::QCommandTable& commands = workspace.commands;
    micro::gui::QTabContainer& tabs = workspace.tabs;
    const micro::qapp::QCommandContext& context = workspace.context;
    ASSERT_TRUE(tabs.GetHandle() && commands.Execute(32842, context)); // the invoice list
    ModalDriver driver;
    driver.When(L"Factura  ", [](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
        for (int id : {IDC_FE_PRODUCT, IDC_FE_PRICE, IDC_FE_QUANTITY, IDC_FE_UNIT}) // a line: "1" of each
            ModalDriver::SetText(w, id, L"1");
        ModalDriver::Click(w, IDOK);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    driver.When(L"Facturi", [&](HWND w) {
        AddHeader(tempDb, L"Facturi", Header()); // as the picker's copy stores it
        ModalDriver::Click(w, IDCANCEL);
    });
    MyFacturiPanel* list = static_cast<MyFacturiPanel*>(tabs.GetPage(0));
    commands.Execute(32798, context); // a new invoice
    EXPECT_EQ(1, list->lista.GetItemCount());
    commands.Execute(32843, context); // the invoice picker
    EXPECT_EQ(2, list->lista.GetItemCount());
    driver.Verify();
}

namespace {

class PickerRefresh : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL', cui = '1234' where id = 1");
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 40 where id = 1");
        client = tempDb.AddClient(L"Client Unu SRL");
        product = tempDb.AddProduct(L"Ciment", 100.0, 0);
    }
    // A stored document of the client, numbered numar, with one line of the product.
    unsigned long long StoreDocument(const wchar_t* table, const wchar_t* lineTable, int numar = 1)
    {
        Header h;
        h.numar = numar;
        h.client = client;
        unsigned long long id = AddHeader(tempDb, table, h);
        printing_tests::AddLine(tempDb, lineTable, id, product, 1, 100);
        return id;
    }
    // "Tiparire" in the editor: the document is saved, the print dialog closed.
    static void SaveThroughTiparire(HWND editor)
    {
        ModalDriver dialog;
        dialog.When(L"Tiparire", [](HWND p) { ModalDriver::Click(p, IDCANCEL); });
        ModalDriver::ClickOnScreen(editor, IDC_FE_PRINT);
        dialog.Verify();
    }
    testing_support::MessageBoxRecorder boxes;
    unsigned long long client = 0, product = 0;
};

} // namespace

// A proforma turned into an invoice and saved keeps its own row in the
// proforma picker: its number, and a double click opens the proforma again.
TEST_F(PickerRefresh, ConvertedProformaKeepsItsOwnRow)
{
    unsigned long long proforma = StoreDocument(L"Proforme", L"ArticoleProforme", 5);
    MyCautareFacturiDialog picker(nullptr);
    picker.tip = DocumentProforma;
    unsigned long long reopened = 0;
    RunPicker(
        picker, L"Cautare Facturi Proforme",
        [&](HWND w) {
            boxes.Answer(IDOK); // "Transformati in factura ?"
            ModalDriver::DoubleClickListRow(w, IDC_CAUTFACT_DOCUMENTE, 0);
            EXPECT_EQ(L"5|Client Unu SRL|1", Cell(w, 0, 0) + L"|" + Cell(w, 0, 1) + L"|" +
                                                 std::to_wstring(Rows(w)));
            ModalDriver::DoubleClickListRow(w, IDC_CAUTFACT_DOCUMENTE, 0);
        },
        [&](ModalDriver& driver) {
            driver.When(L"Factura Proforma ", [](HWND e) {
                ModalDriver::Click(e, IDC_FE_TO_INVOICE); // "Actiuni" -> "Transformare in factura"
                ModalDriver::ClickOnScreen(e, IDC_FE_SAVE);
            });
            driver.When(L"Factura Proforma ", [&](HWND e) {
                reopened = EditorOf(e)->id;
                ModalDriver::Click(e, IDCANCEL);
            });
        });
    EXPECT_EQ(proforma, reopened);
    EXPECT_EQ(L"41|5", tempDb.Text(L"select (select group_concat(numar) from Facturi) || '|' || (select "
                                   L"group_concat(numar) from Proforme)"));
}

// An invoice stored by "  Chitanta" and closed with Esc is appended to the
// invoice picker it was made from.
TEST_F(PickerRefresh, InvoiceSavedThroughChitantaThenEscIsListed)
{
    MyCautareFacturiDialog picker(nullptr);
    RunPicker(
        picker, L"Facturi",
        [&](HWND w) {
            ASSERT_EQ(0, Rows(w));
            ModalDriver::ClickOnScreen(w, IDC_CAUTFACT_NOU);
            ASSERT_EQ(1, Rows(w));
            EXPECT_EQ(L"41|Client Unu SRL|124.00", Cell(w, 0, 0) + L"|" + Cell(w, 0, 1) + L"|" + Cell(w, 0, 5));
        },
        [&](ModalDriver& driver) {
            driver.When(L"Factura  ", [](HWND e) {
                ModalDriver::SetText(e, IDC_FE_CLIENT_NAME, L"Client Unu SRL");
                for (int id : {IDC_FE_PRODUCT, IDC_FE_UNIT})
                    ModalDriver::SetText(e, id, L"Ciment");
                ModalDriver::SetText(e, IDC_FE_PRICE, L"100");
                ModalDriver::SetText(e, IDC_FE_QUANTITY, L"1");
                ModalDriver::Click(e, IDOK);
                ModalDriver receipt;
                receipt.When(L"Confirmare date chitanta", [](HWND c) { ModalDriver::Click(c, IDOK); });
                receipt.When(L"Tiparire", [](HWND p) { ModalDriver::Click(p, IDCANCEL); });
                ModalDriver::ClickOnScreen(e, IDC_FE_RECEIPT);
                receipt.Verify();
                ModalDriver::Click(e, IDCANCEL);
            });
        });
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Incasari"));
}

// The invoice tab shows an invoice made from a proforma in the proforma
// picker or tab.
TEST_F(PickerRefresh, InvoiceTabShowsAnInvoiceMadeFromAProformaInItsPickerOrTab)
{
    StoreDocument(L"Proforme", L"ArticoleProforme");
    ListTabs workspace;
    micro::qapp::QCommandTable& commands = workspace.commands;
    micro::gui::QTabContainer& tabs = workspace.tabs;
    const micro::qapp::QCommandContext& context = workspace.context;
    ASSERT_TRUE(tabs.GetHandle() && commands.Execute(32842, context)); // the invoice list
    MyFacturiPanel* invoices = static_cast<MyFacturiPanel*>(tabs.GetPage(0));
    ASSERT_EQ(0, invoices->lista.GetItemCount());
    boxes.Answer(IDOK); // "Transformati in factura ?"
    ModalDriver driver;
    driver.When(L"Cautare Facturi Proforme", [](HWND w) {
        ModalDriver::DoubleClickListRow(w, IDC_CAUTFACT_DOCUMENTE, 0);
        ModalDriver::Click(w, IDCANCEL);
    });
    driver.When(L"Factura Proforma ", [](HWND e) {
        ModalDriver::Click(e, IDC_FE_TO_INVOICE); // "Actiuni" -> "Transformare in factura"
        ModalDriver::ClickOnScreen(e, IDC_FE_SAVE);
    });
    commands.Execute(32849, context); // the proforma picker
    driver.Verify();
    EXPECT_EQ(1, invoices->lista.GetItemCount());
    // The same from the proforma tab.
    ASSERT_TRUE(commands.Execute(32845, context));
    HWND proformas = tabs.GetPage(1)->GetHandle();
    ModalDriver again;
    again.When(L"Factura Proforma ", [](HWND e) {
        ModalDriver::Click(e, IDC_FE_TO_INVOICE);
        ModalDriver::ClickOnScreen(e, IDC_FE_SAVE);
    });
    boxes.Answer(IDOK);
    ModalDriver::DoubleClickListRow(proformas, IDC_FACTURI_PANEL_LIST, 0);
    again.Verify();
    EXPECT_EQ(2, invoices->lista.GetItemCount());
    EXPECT_EQ(1, static_cast<MyFacturiPanel*>(tabs.GetPage(1))->lista.GetItemCount());
}

// A stored invoice changed and saved through "Tiparire", then closed with Esc
// or the close box: its row in the picker shows what was stored.
TEST_F(PickerRefresh, RowOfADocumentSavedThroughTiparireShowsItHoweverTheEditorCloses)
{
    StoreDocument(L"Facturi", L"ArticoleFacturi");
    int quantity = 1;
    for (bool closeBox : {false, true}) {
        ++quantity;
        MyCautareFacturiDialog picker(nullptr);
        RunPicker(
            picker, L"Facturi",
            [&](HWND w) {
                ModalDriver::DoubleClickListRow(w, IDC_CAUTFACT_DOCUMENTE, 0);
                std::wstring stored = tempDb.Text(L"select printf('%.2f', valoareTTI) from Facturi");
                EXPECT_EQ(stored, Cell(w, 0, 5)) << closeBox;
                EXPECT_NE(L"124.00", stored) << closeBox;
            },
            [&](ModalDriver& driver) {
                driver.When(L"Factura  ", [&](HWND e) {
                    ModalDriver::SetText(e, IDC_FE_PRODUCT, L"Ciment");
                    ModalDriver::SetText(e, IDC_FE_PRICE, L"100");
                    ModalDriver::SetText(e, IDC_FE_QUANTITY, std::to_wstring(quantity));
                    ModalDriver::SetText(e, IDC_FE_UNIT, L"Buc");
                    ModalDriver::Click(e, IDOK);
                    SaveThroughTiparire(e);
                    if (closeBox)
                        SendMessageW(e, WM_SYSCOMMAND, SC_CLOSE, 0);
                    else
                        ModalDriver::Click(e, IDCANCEL);
                });
            });
    }
}

// Another part's list opens a stored document through the editor entry and
// reads its rows again after a 1: a document saved through "Tiparire" and
// closed with Esc answers 1 too; closed without a save, 2.
TEST_F(PickerRefresh, EditorEntryAnswersOneWhenTheRunStoredAnything)
{
    unsigned long long invoice = StoreDocument(L"Facturi", L"ArticoleFacturi");
    micro::qapp::QCommandTable commands;
    RegisterDocumentCommands(commands);
    for (bool print : {false, true}) {
        ModalDriver driver;
        driver.When(L"Factura  ", [print](HWND e) {
            if (print)
                SaveThroughTiparire(e);
            ModalDriver::Click(e, IDCANCEL);
        });
        EXPECT_EQ(print ? 1 : IDCANCEL, OpenEditor(EditorKind::Document, nullptr, DocumentInvoice, invoice));
        driver.Verify();
    }
    RegisterEditor(EditorKind::Document, nullptr);
}
