#include "tests/documents/support/EditorFixture.h"
#include <vector>
#include "framework/gui/QMainFrame.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"

using namespace editor_tests;

namespace {

struct MainWindowApp : micro::qapp::QApplication {
    micro::gui::QMainFrame frame;
    bool InitInstance() override { return true; }
    micro::gui::QMainFrame* GetMainFrame() override { return &frame; }
};

// A real click at the centre of a screen rectangle, through the system's input queue.
void ClickAt(RECT r)
{
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// Inside a popup menu's own loop: notes the enabled items and clicks "Transformare in factura".
std::wstring g_enabled;
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = FindWindowW(L"#32768", nullptr);
    HMENU menu = window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
    if (!menu || !IsWindowVisible(window) || !KillTimer(nullptr, timer))
        return;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        g_enabled += GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED ? L"" : text + std::wstring(L"|");
        RECT r;
        if (i == 3 && GetMenuItemRect(nullptr, menu, i, &r))
            ClickAt(r);
    }
}

} // namespace

// A validated proforma with a line reopened under the main window: day-first pickers,
// "Actiuni" -> "Transformare in factura" (a new temporary invoice), a line
// deleted by a real click on "Sterge" over the list, "Tiparire" -> "Save PDF": the file
// dialog and every box close back onto the dialog beneath them; the main window
// stays disabled and cannot be closed.
TEST_F(EditorTest, UserPathKeepsEveryModalWindowOverItsDialog)
{
    MainWindowApp app;
    ASSERT_TRUE(app.frame.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    HWND main = app.frame.GetHandle();
    wchar_t path[MAX_PATH];
    wcscat(path + GetTempPathW(MAX_PATH, path), L"brivane-user-path.pdf");
    tempDb.Exec(L"insert into Proforme values (NULL, 2, 5, 1, 86400, 86400, 0, 0, 0, 0, 0, 0, '')");
    StoreLine(L"ArticoleProforme", 1, tempDb.AddProduct(L"Ciment", 100.0, 0), 1, 100);
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 8 where id = 1");
    MyFacturiDialog editor(main);
    editor.tip = 1;
    editor.id = 1;
    std::vector<HWND> owners;
    BOOL mainEnabled = TRUE;
    ModalDriver driver;
    driver.When(EditorTitle(1), [&](HWND w) {
        EXPECT_EQ(L"02-01-1970", Text(w, IDC_FE_ISSUE_DATE));
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"D'Artagnan Import-Export SRL");
        SetTimer(nullptr, 0, 30, &PickFromMenu);
        ModalDriver::ClickOnScreen(w, IDC_FE_ACTIONS);
    });
    driver.When(EditorTitle(0), [](HWND w) {
        EXPECT_EQ(L"-0000009-", Text(w, IDC_FE_NUMBER));
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::ClickOnScreen(w, IDC_FE_DELETE_LINE);
        ModalDriver::Pump(200);
        EXPECT_EQ(1, Rows(w)) << "the click went to the list";
        PostMessageW(w, WM_COMMAND, IDC_FE_PRINT, 0);
    });
    driver.When(L"Tiparire", [](HWND print) { PostMessageW(print, WM_COMMAND, IDC_TIPARIRE_SAVE_PDF, 0); });
    driver.When(L"Save as", [&](HWND save) {
        ModalDriver::SetText(save, 1152, path);
        ModalDriver::Click(save, IDOK);
    });
    driver.When(L"Tiparire", [&](HWND print) {
        mainEnabled = IsWindowEnabled(main);
        for (HWND owner : {main, HWND(nullptr), print}) {
            micro::qdialog::ShowMessageBox(owner, L"?", L"Message", MB_OK);
            owners.push_back(boxes.Last().owner);
        }
        SendMessageW(main, WM_CLOSE, 0, 0); // Fisier -> Exit
        ModalDriver::Click(print, IDCANCEL);
    });
    driver.When(EditorTitle(0), [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    editor.DoModal();
    driver.Verify();
    EXPECT_EQ(L"Stornare|Transformare in factura|", g_enabled);
    // A new temporary invoice numbered on, with the proforma's line; the proforma as it was.
    EXPECT_EQ(L"1|2|9|1|1", tempDb.Text(L"select f.status || '|' || p.status || '|' || f.numar || '|' || (select "
                                       L"count(*) from ArticoleFacturi) || '|' || (select count(*) from "
                                       L"ArticoleProforme) from Facturi f, Proforme p"));
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(std::vector<HWND>(3, owners.back()), owners);
    EXPECT_TRUE(IsWindow(main));
    app.frame.Destroy();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
