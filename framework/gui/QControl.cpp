#include "framework/gui/QControl.h"

namespace micro {
namespace gui {

const wchar_t* QControl::GetClassName() { return L"QCTRL"; }

bool QControl::OnMouseMove(UINT, int, int, LRESULT&)
{
    TrackMouse(m_hwnd);
    return false;
}

bool QControl::OnMouseLeave(LRESULT&)
{
    ResetTracking();
    return false;
}

bool QSystemControl::CreateSystem(const wchar_t* className, QWindow* parent, UINT id, DWORD style, DWORD exStyle)
{
    if (m_hwnd && m_ownsHandle)
        Destroy();
    HWND parentHandle = parent ? parent->GetHandle() : nullptr;
    if (parentHandle && !(style & 0x80000000u))
        style |= WS_CHILD | WS_VISIBLE;
    m_hwnd = CreateWindowExW(exStyle, className, L"", style, 0, 0, 0, 0, parentHandle,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    m_ownsHandle = true;
    return m_hwnd != nullptr;
}

bool QButton::Create(QWindow* parent, UINT id, DWORD style)
{
    return CreateSystem(L"BUTTON", parent, id, style);
}

utils::QString QCombo::GetItemText(int index) const
{
    utils::QString text;
    int length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index));
    if (length > 0) {
        wchar_t* buffer = text.GetBuffer(length + 1);
        int n = static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer)));
        text.ReleaseBuffer(n > 0 ? n : 0);
    }
    return text;
}

long long SystemTimeToUnix(const SYSTEMTIME& time)
{
    FILETIME ft;
    if (!SystemTimeToFileTime(&time, &ft))
        return 0;
    ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(ticks / 10000000ULL) - 11644473600LL;
}

SYSTEMTIME UnixToSystemTime(long long seconds)
{
    ULONGLONG ticks = static_cast<ULONGLONG>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME st = {};
    FileTimeToSystemTime(&ft, &st);
    return st;
}

long long QDateTimeSelector::GetUnixTime() const
{
    SYSTEMTIME st = {};
    if (!GetSystemTime(st))
        return 0;
    return SystemTimeToUnix(st);
}

void QDateTimeSelector::SetUnixTime(long long seconds)
{
    SetSystemTime(UnixToSystemTime(seconds));
}

} // namespace gui
} // namespace micro
