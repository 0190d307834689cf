#include <gtest/gtest.h>
#include "documents/DocumentCommands.h"
#include "documents/MyFacturiPanel.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qapp/QCommandTable.h"
#include "resources/resource.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"

using namespace lists_test;
using testing_support::ModalDriver;

namespace {

const UINT kNewInvoice = 32798, kInvoiceList = 32842, kInvoicePicker = 32843;

class ListRefresh : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL' where id = 1");
        RegisterDocumentCommands(commands);
        ASSERT_TRUE(tabs.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(tabs, nullptr, 0, 0, 900, 400, SWP_NOZORDER);
        AddHeader(tempDb, L"Facturi", Header());
        ASSERT_TRUE(Run(kInvoiceList));
    }
    bool Run(UINT command) { return commands.Execute(command, {nullptr, &tabs, 0, 0}); }
    int ListedRows() { return static_cast<MyFacturiPanel*>(tabs.GetPage(0))->lista.GetItemCount(); }

    micro::qapp::QCommandTable commands;
    micro::gui::QTabContainer tabs;
    testing_support::MessageBoxRecorder boxes;
};

} // namespace

// An open list tab shows what the toolbar's editor and the picker stored.
TEST_F(ListRefresh, OpenListTabShowsDocumentsSavedFromTheToolbarAndThePicker)
{
    ASSERT_EQ(1, ListedRows());
    {
        ModalDriver driver;
        driver.When(L"Factura  ", [](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        Run(kNewInvoice);
        driver.Verify();
    }
    EXPECT_EQ(2, ListedRows());
    {
        ModalDriver driver;
        driver.When(L"Facturi", [&](HWND w) {
            AddHeader(tempDb, L"Facturi", Header());   // as the picker's copy stores it
            ModalDriver::Click(w, IDCANCEL);
        });
        Run(kInvoicePicker);
        driver.Verify();
    }
    EXPECT_EQ(3, ListedRows());
}
