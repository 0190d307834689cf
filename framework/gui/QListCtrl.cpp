#include "framework/gui/QListCtrl.h"

namespace micro {
namespace gui {

bool QListCtrl::Create(QWindow* parent, UINT id, DWORD flag)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    if (flag)
        style |= LVS_REPORT;
    return CreateSystem(WC_LISTVIEWW, parent, id, style, WS_EX_CLIENTEDGE);
}

int QListCtrl::InsertColumn(int index, const wchar_t* title, int width, int format)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = index;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int QListCtrl::InsertItem(int row, const wchar_t* text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool QListCtrl::SetItem(int row, int column, UINT mask, const wchar_t* text, LPARAM data)
{
    LVITEMW item = {};
    item.mask = mask;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    item.lParam = data;
    return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool QListCtrl::SetItemData(int row, ULONG_PTR data)
{
    return SetItem(row, 0, LVIF_PARAM, nullptr, static_cast<LPARAM>(data));
}

int QListCtrl::GetItemText(int row, int column, utils::QString& out) const
{
    out.Empty();
    if (row < 0 || row >= GetItemCount())
        return 0;
    int size = 256;
    for (;;) {
        wchar_t* buffer = out.GetBuffer(size);
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = size;
        int n = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (n < size - 1 || size >= (1 << 24)) {
            out.ReleaseBuffer(n < 0 ? 0 : n);
            return out.GetLength();
        }
        size *= 2;
    }
}

utils::QString QListCtrl::GetItemText(int row, int column) const
{
    utils::QString text;
    GetItemText(row, column, text);
    return text;
}

int QListCtrl::GetItemTextToBuffer(int row, int column, wchar_t* buffer) const
{
    if (!buffer)
        return 0;
    buffer[0] = 0;
    if (row < 0 || row >= GetItemCount())
        return 0;
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = kTextBufferSize;
    int n = static_cast<int>(SendMessage(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (n < 0)
        n = 0;
    if (n > kTextBufferSize - 1)
        n = kTextBufferSize - 1;
    buffer[n] = 0;
    return n;
}

ULONG_PTR QListCtrl::GetItemData(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<ULONG_PTR>(item.lParam);
}

bool QListCtrl::SelectItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item)))
        return false;
    SendMessage(LVM_ENSUREVISIBLE, row, FALSE);
    return true;
}

int QListCtrl::FindItemByData(ULONG_PTR data) const
{
    int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (GetItemData(i) == data)
            return i;
    return -1;
}

} // namespace gui
} // namespace micro
