#include "framework/gui/QListRowWrite.h"
#include <algorithm>

namespace micro {
namespace gui {

namespace {

const int kBars[2] = {SB_HORZ, SB_VERT};
const LONG_PTR kBarStyles[2] = {WS_HSCROLL, WS_VSCROLL};

SCROLLINFO ReadBar(HWND list, int bar)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(list, bar, &info))
        info.nMin = info.nMax = info.nPage = info.nPos = 0;
    return info;
}

bool SameRange(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage;
}

} // namespace

QListRowWrite::QListRowWrite(QListCtrl& list, int firstRow) : m_list(list), m_firstRow(firstRow)
{
    HWND hwnd = m_list;
    if (!hwnd || !IsWindowVisible(hwnd))
        return; // nothing on screen to spare
    // Hiding validates the list: what it still owed the screen is drawn first.
    UpdateWindow(hwnd);
    m_style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    m_count = m_list.GetItemCount();
    GetClientRect(hwnd, &m_client);
    for (int i = 0; i < 2; ++i)
        m_bars[i] = ReadBar(hwnd, kBars[i]);
    DefWindowProcW(hwnd, WM_SETREDRAW, FALSE, 0);
    m_hidden = true;
}

QListRowWrite::~QListRowWrite()
{
    if (!m_hidden)
        return;
    Show();
    RedrawWindow(m_list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void QListRowWrite::Show()
{
    HWND hwnd = m_list;
    m_hidden = false;
    DefWindowProcW(hwnd, WM_SETREDRAW, TRUE, 0);
    // Wine marks the frame of a window shown this way for repainting at its
    // first invalidation after; that mark is taken off here, unpainted: the
    // frame is redrawn below only where it changed.
    RECT pixel = {0, 0, 1, 1};
    InvalidateRect(hwnd, &pixel, FALSE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME);
}

void QListRowWrite::SelectAndShow(int row)
{
    HWND hwnd = m_list;
    if (!m_hidden) {
        m_list.SelectItem(row);
        return;
    }
    if (m_count == 0 && m_list.GetItemCount() > 0) {
        // A list that had no rows measures them at its next paint and sets
        // its scroll bars again, drawing them; printed into a one-pixel
        // bitmap while hidden, that paint draws nothing on screen.
        HDC screen = GetDC(hwnd);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
        HGDIOBJ old = SelectObject(memory, pixel);
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        SelectObject(memory, old);
        DeleteObject(pixel);
        DeleteDC(memory);
        ReleaseDC(hwnd, screen);
    }
    Show();
    RECT client = {};
    GetClientRect(hwnd, &client);
    bool barsChanged = ((GetWindowLongPtrW(hwnd, GWL_STYLE) ^ m_style) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    if (barsChanged && (client.right > m_client.right || client.bottom > m_client.bottom)) {
        // A scroll bar went: the client area grew over it.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        m_list.SelectItem(row);
        return;
    }
    if (barsChanged) {
        // A scroll bar came: the client area only lost what it now covers.
        // The frame is drawn again, both bars with it.
        RECT window = {};
        GetWindowRect(hwnd, &window);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&window), 2);
        HRGN frame = CreateRectRgnIndirect(&window), inside = CreateRectRgnIndirect(&client);
        CombineRgn(frame, frame, inside, RGN_DIFF);
        RedrawWindow(hwnd, nullptr, frame, RDW_FRAME | RDW_INVALIDATE);
        DeleteObject(inside);
        DeleteObject(frame);
    }
    // The rows written: inserted rows move every row after them.
    int count = m_list.GetItemCount();
    int lastRow = count != m_count ? count - 1 : std::max(m_firstRow, row);
    RECT first = {}, last = {};
    first.left = last.left = LVIR_BOUNDS;
    if (m_firstRow < count && lastRow < count &&
        SendMessageW(hwnd, LVM_GETITEMRECT, m_firstRow, reinterpret_cast<LPARAM>(&first)) &&
        SendMessageW(hwnd, LVM_GETITEMRECT, lastRow, reinterpret_cast<LPARAM>(&last))) {
        RECT rows = client;
        rows.top = std::max(client.top, first.top);
        rows.bottom = std::min(client.bottom, last.bottom);
        if (rows.top < rows.bottom)
            InvalidateRect(hwnd, &rows, TRUE);
    }
    SCROLLINFO beforeSelect[2];
    for (int i = 0; i < 2; ++i)
        beforeSelect[i] = ReadBar(hwnd, kBars[i]);
    m_list.SelectItem(row);
    for (int i = 0; i < 2; ++i) {
        if (barsChanged || !(m_style & kBarStyles[i]))
            continue; // drawn with the frame, or not there
        SCROLLINFO now = ReadBar(hwnd, kBars[i]);
        bool redrawnBySelect = now.nPos != beforeSelect[i].nPos;
        if (!redrawnBySelect && (!SameRange(now, m_bars[i]) || now.nPos != m_bars[i].nPos)) {
            now.fMask = SIF_POS;
            SetScrollInfo(hwnd, kBars[i], &now, TRUE);
        }
    }
}

} // namespace gui
} // namespace micro
