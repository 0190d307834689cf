#include <gtest/gtest.h>
#include <string>
#include <vector>
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

// Another program's window, in front of ours for a second.
DWORD WINAPI OtherProgram(LPVOID)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"Alt program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 1000;)
        ModalDriver::Pump(20);
    DestroyWindow(window);
    return 0;
}

} // namespace

// Boxes raised when this thread's active window does not say which dialog is
// in front. The invoices' picker, a document chosen, "Tiparire" clicked: the
// print dialog's preview cannot read the lines, and says so while the print
// dialog is still being set up. A stock entry's "Valideaza" sent while another
// program is in front: its question. Each box belongs to the dialog it
// interrupts, and the main window stays disabled beneath the dialogs.
TEST_F(ModalOwners, ABoxBelongsToTheDialogBeingSetUpOrLeftOpenBehindAnotherProgram)
{
    std::vector<std::wstring> owners;
    std::vector<BOOL> mainEnabled;
    auto answer = [&](HWND box) {
        owners.push_back(OwnerOf(box));
        ModalDriver::Click(box, IDCANCEL);
        mainEnabled.push_back(IsWindowEnabled(Main()));
    };
    ModalDriver driver;
    driver.When(L"Facturi", [&](HWND picker) {
        tempDb.Exec(L"drop table ArticoleFacturi");
        ModalDriver::SelectListRow(picker, IDC_CAUTFACT_DOCUMENTE, 0);
        ModalDriver::ClickOnScreen(picker, IDC_CAUTFACT_TIPARIRE);
    });
    driver.When(L"Message", answer);
    driver.When(L"Tiparire", [](HWND print) { ModalDriver::Click(print, IDCANCEL); });
    driver.When(L"Facturi", [](HWND picker) { ModalDriver::Click(picker, IDCANCEL); });
    SendMessageW(Main(), WM_COMMAND, ID_CMD_CAUTARE_FACTURI, 0);

    driver.When(L"Intari generale  ", [](HWND list) {
        ModalDriver::ClickOnScreen(list, IDC_IG_CREARE);
        ModalDriver::Click(list, IDCANCEL);
    });
    driver.When(L"Intrare   ", [&](HWND editor) {
        HANDLE other = CreateThread(nullptr, 0, &OtherProgram, nullptr, 0, nullptr);
        for (DWORD start = GetTickCount(); GetActiveWindow() && GetTickCount() - start < 3000;)
            ModalDriver::Pump(20, false);
        EXPECT_EQ(nullptr, GetActiveWindow());
        ModalDriver::Click(editor, IDC_IGE_VALIDEAZA);
        WaitForSingleObject(other, 5000);
        CloseHandle(other);
        ModalDriver::Click(editor, IDCANCEL);
    });
    driver.When(L"Validare", answer);
    SendMessageW(Main(), WM_COMMAND, 32810, 0);
    driver.Verify();
    EXPECT_EQ((std::vector<std::wstring>{L"Tiparire", L"Intrare   "}), owners);
    EXPECT_EQ(std::vector<BOOL>(2, FALSE), mainEnabled);
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from IntrariGenerale"));
}
