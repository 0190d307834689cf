#include <gtest/gtest.h>
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "framework/utils/QError.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"

using namespace micro;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

class ProbeWindow : public gui::QWindow {
public:
    const wchar_t* GetClassName() override { return L"BrivaneProbe"; }
    bool OnCommand(UINT id, UINT, HWND, LRESULT& result) override
    {
        commands.push_back(id);
        if (id == 13)
            throw utils::QError(L"handler failed");
        result = 42;
        return true;
    }
    std::vector<UINT> commands;
};

} // namespace

TEST(QWindowTest, DispatchesToHandlersAndContainsExceptions)
{
    MessageBoxRecorder boxes;
    ProbeWindow window;
    ASSERT_TRUE(window.Create(nullptr, 0, WS_OVERLAPPEDWINDOW));
    ProbeWindow second; // registering the same class again is success
    ASSERT_TRUE(second.Create(nullptr, 0, WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(&window, gui::QWindow::FromHandle(window.GetHandle()));
    HWND gone = second.GetHandle();
    DestroyWindow(gone);
    EXPECT_EQ(nullptr, gui::QWindow::FromHandle(gone));
    EXPECT_EQ(42, window.SendMessage(WM_COMMAND, 7));
    EXPECT_EQ(0, window.SendMessage(WM_COMMAND, 13));
    EXPECT_EQ(42, window.SendMessage(WM_COMMAND, 43));
    EXPECT_EQ((std::vector<UINT>{7, 13, 43}), window.commands);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"handler failed", boxes.Last().text);
    EXPECT_EQ(L"Error", boxes.Last().caption);
    EXPECT_TRUE(boxes.Last().flags & MB_ICONERROR);
}

namespace {

class TestDialog : public qdialog::QDialog {
public:
    TestDialog() : QDialog(IDD_TEST_DIALOG, nullptr), accept(false) {}
    bool UpdateData(bool toControls) override
    {
        if (toControls) {
            SetItemText(IDC_TEST_EDIT, L"start");
            return true;
        }
        text = GetItemText(IDC_TEST_EDIT);
        return accept;
    }
    bool OnButton(UINT id) override
    {
        if (id == IDC_TEST_EDIT + 100)
            throw utils::QError(L"button failed");
        return QDialog::OnButton(id);
    }
    bool accept;
    utils::QString text;
};

} // namespace

TEST(QDialogTest, OkIsRefusedWhileUpdateDataSaysNo)
{
    MessageBoxRecorder boxes;
    TestDialog dialog;
    ModalDriver driver;
    bool stillOpen = false;
    HWND shown = nullptr;
    driver.When(L"Test dialog", [&](HWND hwnd) {
        shown = hwnd;
        EXPECT_EQ(&dialog, gui::QWindow::FromHandle(hwnd));
        EXPECT_EQ(L"start", ModalDriver::GetText(hwnd, IDC_TEST_EDIT));
        ModalDriver::SetText(hwnd, IDC_TEST_EDIT, L"D'Artagnan");
        ModalDriver::Click(hwnd, IDOK);
        stillOpen = IsWindow(hwnd) && IsWindowVisible(hwnd);
        // A handler that throws is reported and the dialog stays open.
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT + 100, 0), 0);
        EXPECT_TRUE(IsWindowVisible(hwnd));
        dialog.accept = true;
        ModalDriver::Click(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ(nullptr, gui::QWindow::FromHandle(shown));
    EXPECT_TRUE(stillOpen);
    EXPECT_STREQ(L"D'Artagnan", dialog.text.c_str());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"button failed", boxes.Last().text);
}

// Closing with something typed asks first; Esc on that box (IDCANCEL) and
// "No" keep the dialog open with what was typed, only "Yes" discards it.
TEST(QDialogTest, TypedChangesAreDiscardedOnlyOnYes)
{
    MessageBoxRecorder boxes;
    for (int answer : {IDCANCEL, IDNO, IDYES})
        boxes.Answer(answer);
    TestDialog dialog;
    dialog.AskBeforeDiscarding();
    std::vector<std::wstring> after;
    ModalDriver driver;
    driver.When(L"Test dialog", [&](HWND hwnd) {
        ModalDriver::SetText(hwnd, IDC_TEST_EDIT, L"typed");
        for (int i = 0; i < 3; ++i) {
            ModalDriver::Click(hwnd, IDCANCEL);
            after.push_back(IsWindowVisible(hwnd) ? ModalDriver::GetText(hwnd, IDC_TEST_EDIT) : L"closed");
        }
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    driver.Verify();
    EXPECT_EQ((std::vector<std::wstring>{L"typed", L"typed", L"closed"}), after);
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_EQ(L"Modificarile nu au fost salvate. Renuntati la ele ?", boxes.Last().text);
}

namespace {

class FailingSetUpDialog : public TestDialog {
public:
    bool OnInitDialog() override
    {
        SetItemText(IDC_TEST_EDIT, L"half");
        throw utils::QError(L"set-up failed");
    }
};

} // namespace

// A dialog whose set-up fails says why once and is never shown half-filled:
// the run ends with IDCANCEL, and the next dialog opens as usual.
TEST(QDialogTest, ADialogWhoseSetUpFailsIsNeverShown)
{
    MessageBoxRecorder boxes;
    testing_support::ShownWindows shown;
    // Without steps the driver ends (and reports) a dialog left open.
    ModalDriver driver(2000);
    FailingSetUpDialog failing;
    EXPECT_EQ(IDCANCEL, failing.DoModal());
    EXPECT_EQ(std::vector<std::wstring>(), shown.Titles());
    EXPECT_EQ("[Error] set-up failed\n", boxes.Describe());

    TestDialog next;
    driver.When(L"Test dialog", [](HWND hwnd) { ModalDriver::Click(hwnd, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, next.DoModal());
    driver.Verify();
}

TEST(QListCtrlTest, ReadsLongCellsWholeAndClampsTheFixedBuffer)
{
    ProbeWindow host;
    ASSERT_TRUE(host.Create(nullptr, 0, WS_OVERLAPPEDWINDOW));
    gui::QListCtrl list;
    ASSERT_TRUE(list.Create(&host, 5, 1));
    list.InsertColumn(0, L"A", 100);
    list.InsertColumn(1, L"B", 100);
    std::wstring longText(1000, L'ă');
    ASSERT_EQ(0, list.InsertItem(0, L"first"));
    list.SetItem(0, 1, LVIF_TEXT, longText.c_str());
    utils::QString cell;
    EXPECT_EQ(1000, list.GetItemText(0, 1, cell));
    EXPECT_EQ(longText, std::wstring(cell.c_str()));
    wchar_t buffer[gui::QListCtrl::kTextBufferSize + 8];
    wmemset(buffer, L'#', gui::QListCtrl::kTextBufferSize + 8);
    int n = list.GetItemTextToBuffer(0, 1, buffer);
    EXPECT_EQ(511, n);
    EXPECT_EQ(0, buffer[511]);
    EXPECT_EQ(L'#', buffer[512]);
}
