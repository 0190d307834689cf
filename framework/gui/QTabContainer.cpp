#include "framework/gui/QTabContainer.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QTheme.h"

namespace micro {
namespace gui {

QTabContainer::QTabContainer() : m_selected(-1), m_font(nullptr) {}

QTabContainer::~QTabContainer()
{
    // Pages are children: destroy them before our own window goes.
    m_pages.RemoveAll();
    Destroy();
    if (m_font)
        DeleteObject(m_font);
}

const wchar_t* QTabContainer::GetClassName() { return L"QTABCONTAINER"; }

bool QTabContainer::AddPage(QPanel* page)
{
    if (!page || !m_hwnd)
        return false;
    if (!page->GetHandle() && !page->Create(this, 1000 + m_pages.GetCount(), 0))
        return false;
    m_pages.Add(page);
    SelectPage(m_pages.GetCount() - 1);
    return true;
}

utils::QString QTabContainer::GetPageTitle(int index) const
{
    QPanel* page = m_pages.GetAt(index);
    return page ? page->GetTitle() : utils::QString();
}

bool QTabContainer::ClosePage(int index)
{
    QPanel* page = m_pages.GetAt(index);
    if (!page || !page->Close())
        return false;
    m_pages.RemoveAt(index, 1);
    if (m_selected >= m_pages.GetCount())
        m_selected = m_pages.GetCount() - 1;
    SelectPage(m_selected);
    return true;
}

void QTabContainer::SelectPage(int index)
{
    if (index < 0 || index >= m_pages.GetCount()) {
        m_selected = -1;
        Invalidate(true);
        return;
    }
    m_selected = index;
    for (int i = 0; i < m_pages.GetCount(); ++i)
        ShowWindow(m_pages.GetAt(i)->GetHandle(), i == index ? SW_SHOW : SW_HIDE);
    LayoutPages();
    Invalidate(true);
}

void QTabContainer::LayoutPages()
{
    if (!m_hwnd)
        return;
    RECT rc;
    GetClientRect(m_hwnd, &rc);
    for (int i = 0; i < m_pages.GetCount(); ++i)
        m_pages.GetAt(i)->MoveWindow(0, kStripHeight, rc.right, rc.bottom > kStripHeight ? rc.bottom - kStripHeight : 0);
}

RECT QTabContainer::TabRect(int index) const
{
    RECT rc = {2, 2, 2, kStripHeight};
    HDC dc = ::GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, m_font ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i <= index && i < m_pages.GetCount(); ++i) {
        utils::QString title = GetPageTitle(i);
        SIZE size = {};
        GetTextExtentPoint32W(dc, title.c_str(), title.GetLength(), &size);
        rc.left = rc.right;
        rc.right = rc.left + size.cx + 44;
    }
    SelectObject(dc, old);
    ::ReleaseDC(m_hwnd, dc);
    return rc;
}

RECT QTabContainer::CloseRect(int index) const
{
    RECT tab = TabRect(index);
    RECT rc = {tab.right - 20, tab.top + 7, tab.right - 8, tab.top + 19};
    return rc;
}

bool QTabContainer::OnEraseBackground(HDC, LRESULT& result)
{
    result = 1;
    return true;
}

bool QTabContainer::OnPaint(LRESULT& result)
{
    QPaintGraphics paint(m_hwnd);
    RECT client;
    GetClientRect(m_hwnd, &client);
    RECT strip = {0, 0, client.right, kStripHeight};
    QMemoryGraphics g(paint, strip);
    QTheme* theme = QTheme::GetCurrent();
    if (!m_font) {
        NONCLIENTMETRICSW ncm = {sizeof(ncm)};
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        m_font = CreateFontIndirectW(&ncm.lfMessageFont);
    }
    HBRUSH stripBrush = CreateSolidBrush(theme->tabStrip);
    FillRect(g, &strip, stripBrush);
    DeleteObject(stripBrush);
    HGDIOBJ oldFont = SelectObject(g, m_font);
    SetBkMode(g, TRANSPARENT);
    HPEN pen = CreatePen(PS_SOLID, 1, theme->border);
    HGDIOBJ oldPen = SelectObject(g, pen);
    for (int i = 0; i < m_pages.GetCount(); ++i) {
        RECT tab = TabRect(i);
        bool active = i == m_selected;
        HBRUSH brush = CreateSolidBrush(active ? theme->tabActive : theme->tabInactive);
        HGDIOBJ oldBrush = SelectObject(g, brush);
        RoundRect(g, tab.left, tab.top, tab.right - 2, tab.bottom + 4, 6, 6);
        SelectObject(g, oldBrush);
        DeleteObject(brush);
        SetTextColor(g, active ? theme->tabActiveText : theme->tabText);
        utils::QString title = GetPageTitle(i);
        RECT text = {tab.left + 10, tab.top, tab.right - 24, tab.bottom};
        DrawTextW(g, title.c_str(), title.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        RECT close = CloseRect(i);
        DrawTextW(g, L"\u00d7", 1, &close, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(g, oldPen);
    DeleteObject(pen);
    SelectObject(g, oldFont);
    if (m_pages.GetCount() == 0) {
        RECT rest = {0, kStripHeight, client.right, client.bottom};
        HBRUSH back = CreateSolidBrush(theme->background);
        FillRect(paint, &rest, back);
        DeleteObject(back);
    }
    result = 0;
    return true;
}

bool QTabContainer::OnSize(UINT, int, int, LRESULT&)
{
    LayoutPages();
    Invalidate(true);
    return false;
}

bool QTabContainer::OnLButtonDown(UINT, int x, int y, LRESULT& result)
{
    POINT pt = {x, y};
    for (int i = 0; i < m_pages.GetCount(); ++i) {
        RECT close = CloseRect(i);
        if (PtInRect(&close, pt)) {
            ClosePage(i);
            return true;
        }
        RECT tab = TabRect(i);
        if (PtInRect(&tab, pt)) {
            SelectPage(i);
            return true;
        }
    }
    result = 0;
    return false;
}

bool QTabContainer::OnDestroy(LRESULT&)
{
    m_pages.RemoveAll();
    m_selected = -1;
    return false;
}

} // namespace gui
} // namespace micro
