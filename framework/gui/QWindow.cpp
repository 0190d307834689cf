#include "framework/gui/QWindow.h"
#include "framework/utils/QError.h"
#include <windowsx.h>
#include <dwmapi.h>
#include <unordered_map>

namespace micro {
namespace gui {

namespace {
// Every message of every window looks its object up here. A window property
// would do, but under Wine each GetPropW is a round trip to the server (about
// four per list row in a report fill). One thread creates and destroys every
// window, so a plain map is enough. Never freed: windows outlive static
// destructors at exit.
std::unordered_map<HWND, QWindow*>& Objects()
{
    static auto* objects = new std::unordered_map<HWND, QWindow*>();
    return *objects;
}
}

QWindow::QWindow() : m_hwnd(nullptr), m_ownsHandle(true) {}

QWindow::~QWindow()
{
    HWND hwnd = m_hwnd;
    Destroy();
    // A window that outlives its object (a dialog's, ended by EndDialog) no longer reaches it.
    Forget(hwnd, this);
}

void QWindow::Destroy()
{
    // Handlers still run while the window goes; from the destructor they are
    // the base class's, which touch nothing of a derived object.
    HWND hwnd = m_hwnd;
    if (hwnd && m_ownsHandle)
        DestroyWindow(hwnd);
    m_hwnd = nullptr;
}

const wchar_t* QWindow::GetClassName() { return L"QWINDOW"; }

void QWindow::PreRegisterClass(WNDCLASSEXW& wc)
{
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
}

void QWindow::PreCreateWindow(CREATESTRUCTW&) {}

bool QWindow::RegisterClassOnce(WNDCLASSEXW& wc)
{
    WNDCLASSEXW existing = {sizeof(existing)};
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing))
        return true;
    if (RegisterClassExW(&wc))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool QWindow::Create(QWindow* parent, UINT id, DWORD style)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = &QWindow::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = GetClassName();
    PreRegisterClass(wc);
    if (!RegisterClassOnce(wc))
        return false;

    HWND parentHandle = parent ? parent->GetHandle() : nullptr;
    if (parentHandle && !(style & 0x80000000u))
        style |= WS_CHILD | WS_VISIBLE;
    CREATESTRUCTW cs = {};
    cs.lpCreateParams = this;
    cs.hInstance = instance;
    cs.hMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    cs.hwndParent = parentHandle;
    cs.cx = cs.cy = cs.x = cs.y = (style & WS_CHILD) ? 0 : CW_USEDEFAULT;
    cs.style = static_cast<LONG>(style);
    cs.lpszClass = wc.lpszClassName;
    cs.lpszName = L"";
    PreCreateWindow(cs);
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
    return hwnd != nullptr;
}

UINT QWindow::GetId() const
{
    return static_cast<UINT>(GetDlgCtrlID(m_hwnd));
}

void QWindow::GetText(utils::QString& out) const
{
    int length = GetWindowTextLengthW(m_hwnd);
    if (length <= 0) {
        out.Empty();
        return;
    }
    wchar_t* buffer = out.GetBuffer(length + 1);
    int n = GetWindowTextW(m_hwnd, buffer, length + 2);
    out.ReleaseBuffer(n);
}

utils::QString QWindow::GetText() const
{
    utils::QString text;
    GetText(text);
    return text;
}

void QWindow::SetText(const wchar_t* text)
{
    SetWindowTextW(m_hwnd, text ? text : L"");
}

void QWindow::MoveWindow(int x, int y, int cx, int cy, bool repaint)
{
    ::MoveWindow(m_hwnd, x, y, cx, cy, repaint ? TRUE : FALSE);
}

QWindow* QWindow::FromHandle(HWND hwnd)
{
    auto found = Objects().find(hwnd);
    return found == Objects().end() ? nullptr : found->second;
}

void QWindow::Remember(HWND hwnd, QWindow* object)
{
    if (hwnd)
        Objects()[hwnd] = object;
}

void QWindow::Forget(HWND hwnd, QWindow* object)
{
    auto found = Objects().find(hwnd);
    if (found != Objects().end() && found->second == object)
        Objects().erase(found);
}

bool QWindow::OnCreate(CREATESTRUCTW*, LRESULT&) { return false; }
bool QWindow::OnDestroy(LRESULT&) { return false; }
bool QWindow::OnClose() { return true; }
bool QWindow::OnCommand(UINT, UINT, HWND, LRESULT&) { return false; }
bool QWindow::OnNotify(UINT, NMHDR*, LRESULT&) { return false; }
bool QWindow::OnSize(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnPaint(LRESULT&) { return false; }
bool QWindow::OnEraseBackground(HDC, LRESULT&) { return false; }
bool QWindow::OnMouseMove(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnMouseLeave(LRESULT&) { return false; }
bool QWindow::OnLButtonDown(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnLButtonUp(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnLButtonDblClk(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnRButtonDown(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnRButtonUp(UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnMouseWheel(int, UINT, int, int, LRESULT&) { return false; }
bool QWindow::OnKeyDown(UINT, UINT, LRESULT&) { return false; }
bool QWindow::OnChar(UINT, UINT, LRESULT&) { return false; }
bool QWindow::OnTimer(UINT_PTR, LRESULT&) { return false; }
bool QWindow::OnSetFocus(HWND, LRESULT&) { return false; }
bool QWindow::OnKillFocus(HWND, LRESULT&) { return false; }
bool QWindow::OnDrawItem(UINT, DRAWITEMSTRUCT*, LRESULT&) { return false; }
bool QWindow::OnMeasureItem(UINT, MEASUREITEMSTRUCT*, LRESULT&) { return false; }
bool QWindow::OnCtlColor(UINT, HDC, HWND, LRESULT&) { return false; }
bool QWindow::OnContextMenu(HWND, int, int, LRESULT&) { return false; }
bool QWindow::OnGetMinMaxInfo(MINMAXINFO*, LRESULT&) { return false; }
bool QWindow::OnSetCursor(HWND, UINT, UINT, LRESULT&) { return false; }
bool QWindow::OnDisplayChange(LRESULT&) { return false; }
bool QWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT QWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT QWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    LRESULT result = 0;
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    UINT keys = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE: handled = OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam), result); break;
    case WM_DESTROY: handled = OnDestroy(result); break;
    case WM_CLOSE: handled = !OnClose(); break;
    case WM_COMMAND:
        handled = OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam), result);
        break;
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        handled = OnNotify(header ? static_cast<UINT>(header->idFrom) : 0, header, result);
        break;
    }
    case WM_SIZE: handled = OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam), result); break;
    case WM_PAINT: handled = OnPaint(result); break;
    case WM_ERASEBKGND: handled = OnEraseBackground(reinterpret_cast<HDC>(wParam), result); break;
    case WM_MOUSEMOVE: handled = OnMouseMove(keys, x, y, result); break;
    case WM_MOUSELEAVE: handled = OnMouseLeave(result); break;
    case WM_LBUTTONDOWN: handled = OnLButtonDown(keys, x, y, result); break;
    case WM_LBUTTONUP: handled = OnLButtonUp(keys, x, y, result); break;
    case WM_LBUTTONDBLCLK: handled = OnLButtonDblClk(keys, x, y, result); break;
    case WM_RBUTTONDOWN: handled = OnRButtonDown(keys, x, y, result); break;
    case WM_RBUTTONUP: handled = OnRButtonUp(keys, x, y, result); break;
    case WM_MOUSEWHEEL:
        handled = OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_KEYSTATE_WPARAM(wParam), x, y, result);
        break;
    case WM_KEYDOWN: handled = OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam), result); break;
    case WM_CHAR: handled = OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam), result); break;
    case WM_TIMER: handled = OnTimer(wParam, result); break;
    case WM_SETFOCUS: handled = OnSetFocus(reinterpret_cast<HWND>(wParam), result); break;
    case WM_KILLFOCUS: handled = OnKillFocus(reinterpret_cast<HWND>(wParam), result); break;
    case WM_DRAWITEM:
        handled = OnDrawItem(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam), result);
        break;
    case WM_MEASUREITEM:
        handled = OnMeasureItem(static_cast<UINT>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), result);
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
        handled = OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
        break;
    case WM_CONTEXTMENU: handled = OnContextMenu(reinterpret_cast<HWND>(wParam), x, y, result); break;
    case WM_GETMINMAXINFO: handled = OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam), result); break;
    case WM_SETCURSOR:
        handled = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam), result);
        break;
    case WM_DISPLAYCHANGE: handled = OnDisplayChange(result); break;
    default: handled = OnMessage(message, wParam, lParam, result); break;
    }
    return result;
}

LRESULT CALLBACK QWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT dwmResult = 0;
    if (DwmDefWindowProc(hwnd, message, wParam, lParam, &dwmResult))
        return dwmResult;

    QWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        CREATESTRUCTW* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<QWindow*>(cs->lpCreateParams);
        if (self) {
            self->m_hwnd = hwnd;
            Remember(hwnd, self);
        }
    } else {
        self = FromHandle(hwnd);
    }
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        bool handled = false;
        result = self->Dispatch(message, wParam, lParam, handled);
        if (!handled)
            result = self->DefaultProc(message, wParam, lParam);
    } catch (...) {
        ReportCaughtException();
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        Forget(hwnd, self);
        if (self->m_hwnd == hwnd)
            self->m_hwnd = nullptr;
    }
    return result;
}

void QTrackMouseEvent::TrackMouse(HWND hwnd)
{
    if (m_tracking)
        return;
    TRACKMOUSEEVENT tme = {sizeof(tme)};
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    m_tracking = TrackMouseEvent(&tme) != FALSE;
}

} // namespace gui
} // namespace micro
