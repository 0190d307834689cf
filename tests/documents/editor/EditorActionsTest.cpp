#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;

namespace {

// A real click at a point of the screen, through the system's input queue.
void ClickAt(int x, int y)
{
    SetCursorPos(x, y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void ClickCentre(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Inside a popup menu's own loop: notes the enabled items, clicks the one named.
std::wstring g_item, g_enabled;
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = FindWindowW(L"#32768", nullptr);
    if (!window || !IsWindowVisible(window))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED))
            g_enabled += text + std::wstring(L"|");
        RECT r = {};
        if (g_item == text && GetMenuItemRect(nullptr, menu, i, &r))
            ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
}

} // namespace

// "Actiuni" offers what the status and type allow: a validated proforma can be
// reversed or turned into an invoice, which is stored as a new temporary one.
TEST_F(EditorTest, ActionsMenuTurnsAValidatedProformaIntoATemporaryInvoice)
{
    tempDb.Exec(L"insert into Proforme values (NULL, 2, 5, 0, 86400, 86400, 0, 0, 0, 0, 0, 0, '')");
    boxes.Answer(IDOK);
    MyFacturiDialog editor(nullptr);
    editor.tip = 1;
    editor.id = 1;
    ModalDriver driver;
    driver.When(EditorTitle(1), [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        g_item = L"Transformare in factura";
        SetTimer(nullptr, 0, 30, &PickFromMenu);
        ClickCentre(GetDlgItem(w, IDC_FE_ACTIONS));
    });
    driver.When(EditorTitle(0), [](HWND w) { ModalDriver::Click(w, IDC_FE_SAVE); });
    EXPECT_EQ(1, editor.DoModal());
    driver.Verify();
    EXPECT_EQ(L"Stornare|Transformare in factura|", g_enabled);
    EXPECT_EQ(L"1|2", tempDb.Text(L"select f.status || '|' || p.status from Facturi f, Proforme p"));
}

// "Sterge" lies over the line list and takes a real click at its centre.
TEST_F(EditorTest, LineButtonOverTheListTakesARealClick)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [](HWND w) {
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ClickCentre(GetDlgItem(w, IDC_FE_DELETE_LINE));
        ModalDriver::Pump(200);
        EXPECT_EQ(0, Rows(w));
    });
}

// The date pickers show the day first, as every list does.
TEST_F(EditorTest, DatePickersShowDayMonthYear)
{
    MyFacturiDialog editor(nullptr);
    editor.id = StoreInvoice(tempDb.AddClient(L"Client SRL"), 1, 0, 0); // issued 02-01-1970
    Run(editor, [](HWND w) { EXPECT_EQ(L"02-01-1970", Text(w, IDC_FE_ISSUE_DATE)); });
}
