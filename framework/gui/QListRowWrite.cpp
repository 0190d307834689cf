#include "framework/gui/QListRowWrite.h"
#include "framework/gui/QGraphics.h"
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

bool SameBar(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

// The list's frame, both scroll bars in it, marked for drawing; not its client area.
void InvalidateFrame(HWND list, const RECT& client)
{
    RECT window = {};
    GetWindowRect(list, &window);
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&window), 2);
    HRGN frame = CreateRectRgnIndirect(&window), inside = CreateRectRgnIndirect(&client);
    CombineRgn(frame, frame, inside, RGN_DIFF);
    RedrawWindow(list, nullptr, frame, RDW_FRAME | RDW_INVALIDATE);
    DeleteObject(inside);
    DeleteObject(frame);
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

void QListRowWrite::SelectAndShow(int row)
{
    if (!m_hidden) {
        m_list.SelectItem(row);
        return;
    }
    if (m_count == 0 && m_list.GetItemCount() > 0)
        MeasureFirstRows();
    Show();
    HWND hwnd = m_list;
    RECT client = {};
    GetClientRect(hwnd, &client);
    bool barsChanged = ((GetWindowLongPtrW(hwnd, GWL_STYLE) ^ m_style) & (WS_HSCROLL | WS_VSCROLL)) != 0;
    bool scrolled = false;
    for (int i = 0; i < 2; ++i)
        scrolled = scrolled || ReadBar(hwnd, kBars[i]).nPos != m_bars[i].nPos;
    if (scrolled || (barsChanged && (client.right > m_client.right || client.bottom > m_client.bottom))) {
        // The view moved while hidden, or a scroll bar went and the client
        // area grew over it: nothing shown stands where it was.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        m_list.SelectItem(row);
        return;
    }
    if (barsChanged)
        InvalidateFrame(hwnd, client); // a bar came: the client area only lost what it covers
    InvalidateRowsWritten(client, row);
    SCROLLINFO beforeSelect[2];
    for (int i = 0; i < 2; ++i)
        beforeSelect[i] = ReadBar(hwnd, kBars[i]);
    m_list.SelectItem(row);
    for (int i = 0; i < 2; ++i) {
        if (barsChanged || !(m_style & kBarStyles[i]))
            continue; // drawn with the frame, or not there
        // A bar the selection scrolled is drawn already; one whose range
        // moved without it is drawn here.
        SCROLLINFO now = ReadBar(hwnd, kBars[i]);
        if (now.nPos == beforeSelect[i].nPos && !SameBar(now, m_bars[i])) {
            now.fMask = SIF_POS;
            SetScrollInfo(hwnd, kBars[i], &now, TRUE);
        }
    }
}

void QListRowWrite::MeasureFirstRows()
{
    // A list that had no rows measures them at its next paint and sets its
    // scroll bars again, drawing them; printed into a one-pixel bitmap while
    // hidden, that paint draws nothing on screen.
    HDC memory = CreateCompatibleDC(nullptr);
    {
        QSelectObject pixel(memory, CreateCompatibleBitmap(memory, 1, 1));
        SendMessageW(m_list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    }
    DeleteDC(memory);
}

void QListRowWrite::Show()
{
    HWND hwnd = m_list;
    m_hidden = false;
    DefWindowProcW(hwnd, WM_SETREDRAW, TRUE, 0);
    // Wine marks the frame of a window shown this way for repainting at its
    // first invalidation after; that mark is taken off here, unpainted: the
    // frame is redrawn only where it changed.
    RECT pixel = {0, 0, 1, 1};
    InvalidateRect(hwnd, &pixel, FALSE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME);
}

void QListRowWrite::InvalidateRowsWritten(const RECT& client, int selected)
{
    // Rows inserted or taken away move every row after them, up to the last
    // row the list had or has.
    HWND hwnd = m_list;
    int count = m_list.GetItemCount();
    int lastRow = std::max(m_firstRow, selected);
    if (count != m_count)
        lastRow = std::max(lastRow, std::max(count, m_count) - 1);
    RECT row0 = {};
    row0.left = LVIR_BOUNDS;
    if (count == 0 || !SendMessageW(hwnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0))) {
        InvalidateRect(hwnd, &client, TRUE);
        return;
    }
    int height = row0.bottom - row0.top;
    RECT rows = client;
    rows.top = std::max(client.top, row0.top + m_firstRow * height);
    rows.bottom = std::min(client.bottom, row0.top + (lastRow + 1) * height);
    if (rows.top < rows.bottom)
        InvalidateRect(hwnd, &rows, TRUE);
}

} // namespace gui
} // namespace micro
