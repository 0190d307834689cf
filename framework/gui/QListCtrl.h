#pragma once
#include "framework/gui/QControl.h"

namespace micro {
namespace gui {

// Wrapper of a list view (report view).
class QListCtrl : public QSystemControl {
public:
    QListCtrl() {}
    explicit QListCtrl(HWND hwnd) : QSystemControl(hwnd) {}

    // Creates the list-view child window; a non-zero flag makes it a report view.
    bool Create(QWindow* parent, UINT id, DWORD flag) override;
    int InsertColumn(int index, const wchar_t* title, int width, int format = LVCFMT_LEFT);
    int InsertItem(int row, const wchar_t* text);
    bool SetItem(int row, int column, UINT mask, const wchar_t* text, LPARAM data = 0);
    bool SetItemText(int row, int column, const wchar_t* text) { return SetItem(row, column, LVIF_TEXT, text); }
    bool SetItemData(int row, ULONG_PTR data);
    // A cell's text of any length; empty when the cell does not exist.
    int GetItemText(int row, int column, utils::QString& out) const;
    utils::QString GetItemText(int row, int column) const;
    // A cell's text into a caller buffer of 512 characters, always terminated.
    int GetItemTextToBuffer(int row, int column, wchar_t* buffer) const;
    ULONG_PTR GetItemData(int row) const;
    // Selects and focuses the row and scrolls it into view; no row, no change.
    bool SelectItem(int row);
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetSelectedItem() const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    bool DeleteItem(int row) { return SendMessage(LVM_DELETEITEM, row) != 0; }
    void DeleteAllItems() { SendMessage(LVM_DELETEALLITEMS); }
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    int FindItemByData(ULONG_PTR data) const;

    static const int kTextBufferSize = 512;
};

} // namespace gui
} // namespace micro
