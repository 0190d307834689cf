#include <gtest/gtest.h>
#include <string>
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QDialog.h"
#include "resources/resource.h"
#include "shell/MyFrame.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

using testing_support::ModalDriver;

namespace {

// The program's main window as the application's, over a company with invoice 1.
class ModalOwners : public ::testing::Test {
protected:
    struct App : micro::qapp::QApplication {
        MyFrame frame;
        bool InitInstance() override { return true; }
        micro::gui::QMainFrame* GetMainFrame() override { return &frame; }
    };
    void SetUp() override
    {
        // Real boxes: their owner is the point.
        previousHandler = micro::qdialog::SetMessageBoxHandler(nullptr);
        cash_tests::AddDocument(tempDb, {tempDb.AddClient(L"D'Artagnan SRL"), 1, 119.0, 119.0});
        ASSERT_TRUE(app.frame.CreateMain());
        ShowWindow(app.frame, SW_SHOW);
        ModalDriver::Pump();
    }
    void TearDown() override
    {
        app.frame.Destroy();
        ModalDriver::Pump();
        micro::qdialog::SetMessageBoxHandler(previousHandler);
    }
    HWND Main() { return app.frame.GetHandle(); }
    // The caption of the window that owns `window`.
    static std::wstring OwnerOf(HWND window) { return ModalDriver::WindowText(GetWindow(window, GW_OWNER)); }

    testing_support::TempDatabase tempDb;
    App app;
    micro::qdialog::MessageBoxHandler previousHandler = nullptr;
};

} // namespace

// The invoices' picker from the menu, a document chosen, "Tiparire" clicked:
// the print dialog's preview cannot read the lines. The box that says so
// while the print dialog is still being set up belongs to it, not to the
// main window beneath the picker, which stays disabled throughout.
TEST_F(ModalOwners, ABoxRaisedWhileANestedDialogIsSetUpBelongsToThatDialog)
{
    std::wstring boxOwner, printOwner;
    BOOL mainEnabled = TRUE;
    ModalDriver driver;
    driver.When(L"Facturi", [&](HWND picker) {
        tempDb.Exec(L"drop table ArticoleFacturi");
        ModalDriver::SelectListRow(picker, IDC_CAUTFACT_DOCUMENTE, 0);
        ModalDriver::ClickOnScreen(picker, IDC_CAUTFACT_TIPARIRE);
    });
    driver.When(L"Message", [&](HWND box) {
        boxOwner = OwnerOf(box);
        ModalDriver::Click(box, IDOK);
    });
    driver.When(L"Tiparire", [&](HWND print) {
        printOwner = OwnerOf(print);
        mainEnabled = IsWindowEnabled(Main());
        ModalDriver::Click(print, IDCANCEL);
    });
    driver.When(L"Facturi", [](HWND picker) { ModalDriver::Click(picker, IDCANCEL); });
    SendMessageW(Main(), WM_COMMAND, ID_CMD_CAUTARE_FACTURI, 0);
    driver.Verify();
    EXPECT_EQ(L"Tiparire", boxOwner);
    EXPECT_EQ(L"Facturi", printOwner);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(Main()));
}
