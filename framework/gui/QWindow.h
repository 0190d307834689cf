#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/utils/QString.h"

namespace micro {
namespace gui {

// The base of every window object. Messages reach the object through the
// framework's window procedure, which calls one virtual handler per message.
// Each handler answers whether it handled the message and writes the result
// through `result`, preset to 0; unhandled messages go to DefWindowProcW.
// The handlers keep a fixed declaration order (the "slots" noted below); code
// must not depend on their position in the virtual table.
class QWindow {
public:
    QWindow();
    virtual ~QWindow();                                                         // slot 0
    QWindow(const QWindow&) = delete;
    QWindow& operator=(const QWindow&) = delete;

    virtual const wchar_t* GetClassName();                                      // slot 1
    // Registers the class named by GetClassName and creates the window with the
    // object as creation parameter. A style without the top bit given with a
    // parent gets WS_CHILD | WS_VISIBLE added.
    virtual bool Create(QWindow* parent, UINT id, DWORD style);                 // slot 2
    virtual void PreRegisterClass(WNDCLASSEXW& wc);                             // slot 3
    virtual void PreCreateWindow(CREATESTRUCTW& cs);                            // slot 4
    virtual bool OnCreate(CREATESTRUCTW* cs, LRESULT& result);                  // slot 5
    virtual bool OnDestroy(LRESULT& result);                                    // slot 6
    // The close handler: answers whether the window may close.
    virtual bool OnClose();                                                     // slot 7
    virtual bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result);  // slot 8
    virtual bool OnNotify(UINT id, NMHDR* header, LRESULT& result);             // slot 9
    virtual bool OnSize(UINT type, int cx, int cy, LRESULT& result);            // slot 10
    virtual bool OnPaint(LRESULT& result);                                      // slot 11
    virtual bool OnEraseBackground(HDC dc, LRESULT& result);                    // slot 12
    virtual bool OnMouseMove(UINT keys, int x, int y, LRESULT& result);         // slot 13
    virtual bool OnMouseLeave(LRESULT& result);                                 // slot 14
    virtual bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result);       // slot 15
    virtual bool OnLButtonUp(UINT keys, int x, int y, LRESULT& result);         // slot 16
    virtual bool OnLButtonDblClk(UINT keys, int x, int y, LRESULT& result);     // slot 17
    virtual bool OnRButtonDown(UINT keys, int x, int y, LRESULT& result);       // slot 18
    virtual bool OnRButtonUp(UINT keys, int x, int y, LRESULT& result);         // slot 19
    virtual bool OnMouseWheel(int delta, UINT keys, int x, int y, LRESULT& result); // slot 20
    virtual bool OnKeyDown(UINT key, UINT flags, LRESULT& result);              // slot 21
    virtual bool OnChar(UINT ch, UINT flags, LRESULT& result);                  // slot 22
    virtual bool OnTimer(UINT_PTR id, LRESULT& result);                         // slot 23
    virtual bool OnSetFocus(HWND previous, LRESULT& result);                    // slot 24
    virtual bool OnKillFocus(HWND next, LRESULT& result);                       // slot 25
    virtual bool OnDrawItem(UINT id, DRAWITEMSTRUCT* item, LRESULT& result);    // slot 26
    virtual bool OnMeasureItem(UINT id, MEASUREITEMSTRUCT* item, LRESULT& result); // slot 27
    virtual bool OnCtlColor(UINT message, HDC dc, HWND control, LRESULT& result); // slot 28
    virtual bool OnContextMenu(HWND window, int x, int y, LRESULT& result);    // slot 29
    virtual bool OnGetMinMaxInfo(MINMAXINFO* info, LRESULT& result);           // slot 30
    virtual bool OnSetCursor(HWND window, UINT hit, UINT message, LRESULT& result); // slot 31
    virtual bool OnDisplayChange(LRESULT& result);                              // slot 32
    // Every other message.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result); // slot 33

    HWND GetHandle() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }
    UINT GetId() const;

    void GetText(utils::QString& out) const;
    utils::QString GetText() const;
    void SetText(const wchar_t* text);
    void Show(int command = SW_SHOW) { ShowWindow(m_hwnd, command); }
    void Enable(bool enable) { EnableWindow(m_hwnd, enable ? TRUE : FALSE); }
    void Invalidate(bool erase = false) { InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE); }
    void MoveWindow(int x, int y, int cx, int cy, bool repaint = true);
    void Destroy();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hwnd, message, wParam, lParam);
    }

    // The object of a window the framework created and has not yet destroyed
    // (its WM_NCDESTROY removes it); nullptr for any other handle.
    static QWindow* FromHandle(HWND hwnd);
    // Runs one message through the object's handlers (used by the window and
    // subclass procedures and by tests).
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

protected:
    // Registering a class that already exists counts as success.
    static bool RegisterClassOnce(WNDCLASSEXW& wc);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // What FromHandle finds: set when a window procedure first sees its
    // window, removed (only while it still names that object) at WM_NCDESTROY.
    static void Remember(HWND hwnd, QWindow* object);
    static void Forget(HWND hwnd, QWindow* object);
    // Called for messages no handler took; window procedures answer DefWindowProcW.
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd;
    bool m_ownsHandle;

    friend class QDialogAccess;
};

// Asks the system for a mouse-leave notice while the mouse moves over the window.
class QTrackMouseEvent {
public:
    QTrackMouseEvent() : m_tracking(false) {}
    void TrackMouse(HWND hwnd);
    void ResetTracking() { m_tracking = false; }
    bool IsTracking() const { return m_tracking; }

private:
    bool m_tracking;
};

// Shows an error caught at a callback frame in a box titled "Error"; defined
// with the dialogs, used by every procedure that must not let an exception out.
void ReportCaughtException();

} // namespace gui
} // namespace micro
