#include "framework/qdialog/ShownState.h"
#include <commctrl.h>
#include <cwctype>

namespace micro {
namespace qdialog {

namespace {

std::wstring TextOf(HWND control)
{
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
    return text;
}

std::wstring ListCells(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::wstring cells = std::to_wstring(rows);
    wchar_t cell[512];
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = cell;
            item.cchTextMax = 512;
            cell[0] = 0;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            cells += L'\x1f';
            cells += cell;
        }
    return cells;
}

std::wstring PickedDate(HWND picker)
{
    SYSTEMTIME time = {};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    wchar_t text[32];
    swprintf(text, 32, L"%04u%02u%02u%02u%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
    return text;
}

bool IsCheckBox(HWND button)
{
    switch (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return true;
    default: return false;
    }
}

std::wstring StateOf(HWND control)
{
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    for (wchar_t* c = name; *c; ++c)
        *c = static_cast<wchar_t>(std::towlower(*c));
    std::wstring kind = name;
    if (kind == L"edit" || kind == L"combobox" || kind.find(L"richedit") != std::wstring::npos)
        return TextOf(control);
    if (kind == L"syslistview32")
        return ListCells(control);
    if (kind == L"sysdatetimepick32")
        return PickedDate(control);
    if (kind == L"button" && IsCheckBox(control))
        return std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0));
    return std::wstring();
}

BOOL CALLBACK AddState(HWND control, LPARAM state)
{
    // The style, not IsWindowVisible: the state is first read before the dialog shows.
    if (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) {
        std::wstring& text = *reinterpret_cast<std::wstring*>(state);
        text += std::to_wstring(GetDlgCtrlID(control)) + L'\x1e' + StateOf(control) + L'\x1d';
    }
    return TRUE;
}

} // namespace

std::wstring ShownState(HWND window)
{
    std::wstring state;
    EnumChildWindows(window, &AddState, reinterpret_cast<LPARAM>(&state));
    return state;
}

} // namespace qdialog
} // namespace micro
