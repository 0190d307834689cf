#pragma once
#include <windows.h>

namespace micro {
namespace gui {

// Owner of a device context; the kinds release it the way it was obtained.
class QGraphics {
public:
    QGraphics() : m_dc(nullptr) {}
    virtual ~QGraphics() {}
    QGraphics(const QGraphics&) = delete;
    QGraphics& operator=(const QGraphics&) = delete;
    HDC GetDC() const { return m_dc; }
    operator HDC() const { return m_dc; }

protected:
    HDC m_dc;
};

// BeginPaint/EndPaint for WM_PAINT.
class QPaintGraphics : public QGraphics {
public:
    explicit QPaintGraphics(HWND hwnd);
    ~QPaintGraphics() override;
    const PAINTSTRUCT& GetPaintStruct() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps;
};

// A double buffer over a target DC: draw on this, the destructor copies it back.
class QMemoryGraphics : public QGraphics {
public:
    QMemoryGraphics(HDC target, const RECT& area);
    ~QMemoryGraphics() override;

private:
    HDC m_target;
    RECT m_area;
    HBITMAP m_bitmap;
    HGDIOBJ m_oldBitmap;
};

// Selects a GDI object into a DC for its lifetime and, when owning, deletes it after.
class QSelectObject {
public:
    QSelectObject(HDC dc, HGDIOBJ object, bool owns = true) : m_dc(dc), m_object(object), m_owns(owns)
    {
        m_old = object ? SelectObject(dc, object) : nullptr;
    }
    ~QSelectObject()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_owns && m_object)
            DeleteObject(m_object);
    }
    QSelectObject(const QSelectObject&) = delete;
    QSelectObject& operator=(const QSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
    bool m_owns;
};

// Shows the wait cursor for its lifetime.
class QWaitCursor {
public:
    QWaitCursor() : m_old(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~QWaitCursor() { SetCursor(m_old); }
    QWaitCursor(const QWaitCursor&) = delete;
    QWaitCursor& operator=(const QWaitCursor&) = delete;

private:
    HCURSOR m_old;
};

} // namespace gui
} // namespace micro
