#include <gtest/gtest.h>
#include "documents/DocumentCommands.h"
#include "documents/MyFacturiPanel.h"
#include "framework/gui/QTabContainer.h"
#include "resources/resource.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/harness/MessageBoxRecorder.h"

using namespace lists_test;
using testing_support::ModalDriver;

// An open list tab shows what the toolbar's editor and the picker stored.
TEST(ListRefresh, OpenListTabShowsDocumentsSavedFromTheToolbarAndThePicker)
{
    testing_support::TempDatabase tempDb;
    testing_support::MessageBoxRecorder boxes;
    tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL'");
    micro::qapp::QCommandTable commands;
    RegisterDocumentCommands(commands);
    micro::gui::QTabContainer tabs;
    ASSERT_TRUE(tabs.Create(nullptr, 0, WS_POPUP));
    const micro::qapp::QCommandContext context = {nullptr, &tabs, 0, 0};
    ASSERT_TRUE(commands.Execute(32842, context)); // the invoice list
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
