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

namespace {

// Another program's window in front of ours for a while, on a thread of its own.
class OtherProgramInFront {
public:
    OtherProgramInFront() : m_shown(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_end(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
        WaitForSingleObject(m_shown, 5000);
        // Our thread learns of it from its own queue.
        for (DWORD start = GetTickCount(); GetActiveWindow() && GetTickCount() - start < 3000;)
            ModalDriver::Pump(20, false);
    }
    ~OtherProgramInFront()
    {
        SetEvent(m_end);
        WaitForSingleObject(m_thread, 5000);
        for (HANDLE h : {m_thread, m_shown, m_end})
            CloseHandle(h);
    }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        OtherProgramInFront* that = static_cast<OtherProgramInFront*>(self);
        HWND window = CreateWindowExW(0, L"STATIC", L"Alt program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                      nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        SetEvent(that->m_shown);
        while (MsgWaitForMultipleObjects(1, &that->m_end, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        DestroyWindow(window);
        return 0;
    }
    HANDLE m_shown, m_end, m_thread;
};

} // namespace

// A stock entry's "Valideaza" while another program is in front (the click
// is sent, as a slow machine delivers it after the user moved on): the
// question belongs to the entry's editor, and the main window stays disabled
// beneath the list and the editor once it is answered.
TEST_F(ModalOwners, AQuestionAskedWhileAnotherProgramIsInFrontBelongsToTheDialogItInterrupts)
{
    std::wstring boxOwner;
    BOOL mainEnabled = TRUE;
    ModalDriver driver;
    driver.When(L"Intari generale  ", [](HWND list) {
        ModalDriver::ClickOnScreen(list, IDC_IG_CREARE);
        ModalDriver::Click(list, IDCANCEL);
    });
    driver.When(L"Intrare   ", [&](HWND editor) {
        {
            OtherProgramInFront other;
            ASSERT_EQ(nullptr, GetActiveWindow());
            ModalDriver::Click(editor, IDC_IGE_VALIDEAZA);
            mainEnabled = IsWindowEnabled(Main());
        }
        ModalDriver::Click(editor, IDCANCEL);
    });
    driver.When(L"Validare", [&](HWND box) {
        boxOwner = OwnerOf(box);
        ModalDriver::Click(box, IDCANCEL);
    });
    SendMessageW(Main(), WM_COMMAND, 32810, 0);
    driver.Verify();
    EXPECT_EQ(L"Intrare   ", boxOwner);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from IntrariGenerale"));
}
