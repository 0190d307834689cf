#pragma once
#include "framework/gui/QWindow.h"

namespace micro {
namespace gui {

// Base of the program's own child controls (class "QCTRL").
class QControl : public QWindow, public QTrackMouseEvent {
public:
    const wchar_t* GetClassName() override;
    bool OnMouseMove(UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseLeave(LRESULT& result) override;
};

// Thin wrapper of a system control. Attached to an existing handle (a dialog's
// control) it does not own it; created by Create it does.
class QSystemControl : public QWindow {
public:
    QSystemControl() {}
    explicit QSystemControl(HWND hwnd) { Attach(hwnd); }
    void Attach(HWND hwnd)
    {
        if (m_ownsHandle && m_hwnd)
            Destroy();
        m_hwnd = hwnd;
        m_ownsHandle = false;
    }
    void Attach(HWND dialog, int id) { Attach(GetDlgItem(dialog, id)); }

protected:
    // Creates a system control of the class with the given styles as child of parent.
    bool CreateSystem(const wchar_t* className, QWindow* parent, UINT id, DWORD style, DWORD exStyle = 0);
};

class QEdit : public QSystemControl {
public:
    QEdit() {}
    explicit QEdit(HWND hwnd) : QSystemControl(hwnd) {}
    void SetReadOnly(bool readOnly) { SendMessage(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
    void SetLimit(int limit) { SendMessage(EM_SETLIMITTEXT, limit); }
    void SetSelection(int first, int last) { SendMessage(EM_SETSEL, first, last); }
};

class QLabel : public QSystemControl {
public:
    QLabel() {}
    explicit QLabel(HWND hwnd) : QSystemControl(hwnd) {}
};

class QButton : public QSystemControl {
public:
    QButton() {}
    explicit QButton(HWND hwnd) : QSystemControl(hwnd) {}
    bool Create(QWindow* parent, UINT id, DWORD style) override;
    bool IsChecked() const { return SendMessage(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) { SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetIcon(HICON icon) { SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)); }
    void SetBitmap(HBITMAP bitmap) { SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)); }
};

class QCombo : public QSystemControl {
public:
    QCombo() {}
    explicit QCombo(HWND hwnd) : QSystemControl(hwnd) {}
    int AddString(const wchar_t* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, const wchar_t* text)
    {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text)));
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    void SetItemData(int index, ULONG_PTR data) { SendMessage(CB_SETITEMDATA, index, static_cast<LPARAM>(data)); }
    ULONG_PTR GetItemData(int index) const { return static_cast<ULONG_PTR>(SendMessage(CB_GETITEMDATA, index)); }
    utils::QString GetItemText(int index) const;
    int FindStringExact(const wchar_t* text, int after = -1) const
    {
        return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, after, reinterpret_cast<LPARAM>(text)));
    }
};

class QDateTimeSelector : public QSystemControl {
public:
    QDateTimeSelector() {}
    explicit QDateTimeSelector(HWND hwnd) : QSystemControl(hwnd) {}
    bool GetSystemTime(SYSTEMTIME& time) const
    {
        return SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID;
    }
    bool SetSystemTime(const SYSTEMTIME& time)
    {
        return SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)) != 0;
    }
    // The picker's date and time taken as UTC, as Unix seconds.
    long long GetUnixTime() const;
    // Shows Unix seconds as a UTC date and time.
    void SetUnixTime(long long seconds);
    // Shows the date as every document and list of the program does
    // ("06-12-2026"), not in the system's short-date form.
    void SetDayMonthYearFormat() { SendMessage(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd-MM-yyyy")); }
};

// Unix seconds and a SYSTEMTIME read as UTC, without time-zone conversion.
long long SystemTimeToUnix(const SYSTEMTIME& time);
SYSTEMTIME UnixToSystemTime(long long seconds);

} // namespace gui
} // namespace micro
