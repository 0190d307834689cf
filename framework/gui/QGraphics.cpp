#include "framework/gui/QGraphics.h"

namespace micro {
namespace gui {

QPaintGraphics::QPaintGraphics(HWND hwnd) : m_hwnd(hwnd), m_ps()
{
    m_dc = BeginPaint(hwnd, &m_ps);
}

QPaintGraphics::~QPaintGraphics()
{
    EndPaint(m_hwnd, &m_ps);
}

QMemoryGraphics::QMemoryGraphics(HDC target, const RECT& area)
    : m_target(target), m_area(area), m_bitmap(nullptr), m_oldBitmap(nullptr)
{
    m_dc = CreateCompatibleDC(target);
    int cx = area.right - area.left, cy = area.bottom - area.top;
    m_bitmap = CreateCompatibleBitmap(target, cx > 0 ? cx : 1, cy > 0 ? cy : 1);
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    SetWindowOrgEx(m_dc, area.left, area.top, nullptr);
}

QMemoryGraphics::~QMemoryGraphics()
{
    SetWindowOrgEx(m_dc, 0, 0, nullptr);
    BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_dc, 0, 0,
           SRCCOPY);
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

} // namespace gui
} // namespace micro
