#include "tests/harness/ModalDriver.h"
#include "tests/harness/MessageBoxRecorder.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <utility>

namespace testing_support {

ModalDriver* ModalDriver::s_current = nullptr;

ModalDriver::ModalDriver(DWORD stepTimeoutMs)
    : m_next(0), m_stepStarted(GetTickCount()), m_timeout(stepTimeoutMs), m_timer(0), m_inTick(false),
      m_previous(s_current)
{
    s_current = this;
    m_timer = SetTimer(nullptr, 0, 20, &ModalDriver::TimerProc);
}

ModalDriver::~ModalDriver()
{
    if (m_timer)
        KillTimer(nullptr, m_timer);
    s_current = m_previous;
}

ModalDriver& ModalDriver::When(const std::wstring& caption, std::function<void(HWND)> action)
{
    if (m_steps.empty() || m_next >= m_steps.size())
        m_stepStarted = GetTickCount();
    m_steps.push_back({caption, std::move(action)});
    return *this;
}

void ModalDriver::Verify()
{
    for (const std::string& failure : m_failures)
        ADD_FAILURE() << failure;
    for (size_t i = m_next; i < m_steps.size(); ++i)
        ADD_FAILURE() << "modal step not reached: window \"" << Narrow(m_steps[i].caption) << "\"";
}

namespace {

struct FindData {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam)
{
    FindData* data = reinterpret_cast<FindData*>(lParam);
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return TRUE;
    if (ModalDriver::WindowText(hwnd) == *data->caption) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK EndProc(HWND hwnd, LPARAM)
{
    if (!IsWindowVisible(hwnd))
        return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (wcscmp(cls, L"#32770") == 0)
        EndDialog(hwnd, IDCANCEL);
    return TRUE;
}

} // namespace

HWND ModalDriver::FindWindowFor(const std::wstring& caption) const
{
    FindData data = {&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindProc, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

void CALLBACK ModalDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_current)
        s_current->Tick();
}

namespace {

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lParam)
{
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (IsWindowVisible(hwnd) && wcscmp(cls, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void ModalDriver::Tick()
{
    if (m_next >= m_steps.size()) {
        // Every step ran: a dialog nobody expected must not hang the test.
        HWND open = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialogProc, reinterpret_cast<LPARAM>(&open));
        if (!open) {
            m_stepStarted = GetTickCount();
        } else if (GetTickCount() - m_stepStarted > m_timeout) {
            m_failures.push_back("unexpected window \"" + Narrow(WindowText(open)) + "\" left open");
            m_stepStarted = GetTickCount();
            EndAllModal();
        }
        return;
    }
    HWND window = FindWindowFor(m_steps[m_next].caption);
    if (!window) {
        if (GetTickCount() - m_stepStarted > m_timeout) {
            m_failures.push_back("no window \"" + Narrow(m_steps[m_next].caption) + "\" appeared");
            m_next = m_steps.size();
            EndAllModal();
        }
        return;
    }
    Step step = m_steps[m_next++];
    m_stepStarted = GetTickCount();
    bool wasInTick = m_inTick;
    m_inTick = true;
    try {
        step.action(window);
    } catch (...) {
        m_failures.push_back("a modal step threw for \"" + Narrow(step.caption) + "\"");
        EndAllModal();
    }
    m_inTick = wasInTick;
    m_stepStarted = GetTickCount();
}

void ModalDriver::EndAllModal()
{
    EnumThreadWindows(GetCurrentThreadId(), &EndProc, 0);
}

void ModalDriver::Pump(DWORD milliseconds, bool timers)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, timers ? 0 : WM_TIMER - 1, PM_REMOVE) ||
               (!timers && PeekMessageW(&msg, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

std::wstring ModalDriver::WindowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    int n = GetWindowTextW(window, &text[0], length + 1);
    text.resize(n > 0 ? n : 0);
    return text;
}

void ModalDriver::SetText(HWND dialog, int id, const std::wstring& text)
{
    SetDlgItemTextW(dialog, id, text.c_str());
}

std::wstring ModalDriver::GetText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void ModalDriver::Click(HWND dialog, int id)
{
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

namespace {

// lParam: the id wanted in, the control found out.
BOOL CALLBACK FindShownControl(HWND child, LPARAM lParam)
{
    auto* wanted = reinterpret_cast<std::pair<int, HWND>*>(lParam);
    if (GetDlgCtrlID(child) == wanted->first && IsWindowVisible(child))
        wanted->second = child;
    return !wanted->second;
}

} // namespace

void ModalDriver::ClickOnScreen(HWND dialog, int id)
{
    std::pair<int, HWND> wanted = {id, nullptr};
    EnumChildWindows(dialog, &FindShownControl, reinterpret_cast<LPARAM>(&wanted));
    if (!wanted.second) {
        ADD_FAILURE() << "no visible control " << id << " to click";
        return;
    }
    // Other test programs share the screen: nothing may lie over the point clicked.
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
    RECT r;
    GetWindowRect(wanted.second, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[2] = {{INPUT_MOUSE}, {INPUT_MOUSE}};
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    // Timers wait: no later step may run on this window before the click's
    // own action is over (a modal window it opens pumps them itself).
    Pump(150, false);
}

bool ModalDriver::IsEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool ModalDriver::IsVisible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

void ModalDriver::SelectListRow(HWND dialog, int listId, int row)
{
    HWND list = GetDlgItem(dialog, listId);
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = listId;
    click.hdr.code = NM_CLICK;
    click.iItem = row;
    SendMessageW(dialog, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

static void SendItemActivate(HWND dialog, int listId, int row, UINT code)
{
    HWND list = GetDlgItem(dialog, listId);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = listId;
    click.hdr.code = code;
    click.iItem = row;
    SendMessageW(GetParent(list), WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

void ModalDriver::DoubleClickListRow(HWND dialog, int listId, int row)
{
    SelectListRow(dialog, listId, row);
    SendItemActivate(dialog, listId, row, NM_DBLCLK);
}

void ModalDriver::RightClickListRow(HWND dialog, int listId, int row)
{
    SelectListRow(dialog, listId, row);
    SendItemActivate(dialog, listId, row, NM_RCLICK);
}

int ModalDriver::ListRowCount(HWND dialog, int listId)
{
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LVM_GETITEMCOUNT, 0, 0));
}

int ModalDriver::ListSelectedRow(HWND dialog, int listId)
{
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, listId), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::wstring ModalDriver::ListCell(HWND dialog, int listId, int row, int column)
{
    wchar_t buffer[4096] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 4096;
    SendMessageW(GetDlgItem(dialog, listId), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void ModalDriver::SetDate(HWND dialog, int id, const SYSTEMTIME& time)
{
    HWND picker = GetDlgItem(dialog, id);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    NMDATETIMECHANGE change = {};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = id;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = time;
    SendMessageW(dialog, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change));
}

void ModalDriver::SelectCombo(HWND dialog, int id, int index)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

ShownWindows* ShownWindows::s_current = nullptr;

ShownWindows::ShownWindows()
    : m_hook(SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId())), m_previous(s_current)
{
    s_current = this;
}

ShownWindows::~ShownWindows()
{
    UnhookWindowsHookEx(m_hook);
    s_current = m_previous;
}

LRESULT CALLBACK ShownWindows::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && s_current && message->message == WM_SHOWWINDOW && message->wParam &&
        !(GetWindowLongW(message->hwnd, GWL_STYLE) & WS_CHILD))
        s_current->m_titles.push_back(ModalDriver::WindowText(message->hwnd));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace testing_support
