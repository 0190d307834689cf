#include "printing/preview/PagePreviewControl.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/PreviewSupport.h"

PagePreviewControl::PagePreviewControl(PreviewPointerState& sharedPointer)
    : zoom(1.0f), panX(0), panY(0), dragging(false), d2dFactory(nullptr), dwriteFactory(nullptr),
      renderTarget(nullptr), drawTarget(nullptr), pointer(sharedPointer)
{
}

PagePreviewControl::~PagePreviewControl()
{
    ReleaseComPtr(d2dFactory);
    ReleaseComPtr(dwriteFactory);
}

bool PagePreviewControl::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    bool created = QControl::Create(parent, id, style);
    if (!EnsureFactories())
        return false;
    return created;
}

bool PagePreviewControl::EnsureFactories()
{
    if (!d2dFactory && FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2dFactory)))
        return false;
    if (!dwriteFactory && FAILED(micro::gui::GetDWriteFactory(&dwriteFactory)))
        return false;
    return true;
}

void PagePreviewControl::DiscardDeviceResources()
{
    zoom = 1.0f;
    ReleaseTargetResources();
}

HRESULT PagePreviewControl::DrawFrame()
{
    drawTarget->BeginDraw();
    drawTarget->Clear(D2D1::ColorF(0, 0, 0, 1));
    drawTarget->SetTransform(D2D1::Matrix3x2F::Scale(zoom, zoom) * D2D1::Matrix3x2F::Translation(panX, panY));
    DrawContent();
    return drawTarget->EndDraw();
}

void PagePreviewControl::HandleEndDraw(HRESULT hr)
{
    if (hr == static_cast<HRESULT>(D2DERR_RECREATE_TARGET))
        DiscardDeviceResources();
}

bool PagePreviewControl::OnPaint(LRESULT& result)
{
    result = 0;
    micro::gui::QPaintGraphics dc(m_hwnd);
    HRESULT hr = CreateDeviceResources();
    if (BindPaintTarget(m_hwnd, dc, hr, renderTarget))
        HandleEndDraw(DrawFrame());
    return true;
}

// Every pixel is painted by the paint handler; erasing first only flickers.
bool PagePreviewControl::OnEraseBackground(HDC, LRESULT& result)
{
    result = 1;
    return true;
}

// The window target is bound to the client rectangle at every paint.
bool PagePreviewControl::OnSize(UINT, int, int, LRESULT& result)
{
    result = 0;
    return true;
}

bool PagePreviewControl::OnLButtonDown(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = true;
    return true;
}

bool PagePreviewControl::OnLButtonUp(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = false;
    return true;
}

bool PagePreviewControl::OnMouseMove(UINT keys, int x, int y, LRESULT& result)
{
    QControl::OnMouseMove(keys, x, y, result);
    result = 0;
    if (!pointer.haveLastMouse) {
        pointer.lastMouse = POINT{x, y};
        pointer.haveLastMouse = true;
    }
    if (dragging) {
        panX += static_cast<float>(x - pointer.lastMouse.x);
        panY += static_cast<float>(y - pointer.lastMouse.y);
        Invalidate(true);
    }
    pointer.lastMouse = POINT{x, y};
    return true;
}

// Whole notches of 120 only; a remainder left when a notch completes is dropped.
bool PagePreviewControl::OnMouseWheel(int delta, UINT, int, int, LRESULT& result)
{
    result = 0;
    pointer.wheelAccumulator += delta;
    if (pointer.wheelAccumulator > -WHEEL_DELTA && pointer.wheelAccumulator < WHEEL_DELTA)
        return true;
    SetZoom(zoom + 0.2 * (pointer.wheelAccumulator / WHEEL_DELTA));
    Invalidate(true);
    pointer.wheelAccumulator = 0;
    return true;
}

void PagePreviewControl::SetZoom(double value)
{
    zoom = ClampPreviewZoom(value);
}

void PagePreviewControl::StepZoomIn(double end)
{
    float value = 0.1f;
    do {
        SetZoom(value);
        if (m_hwnd)
            Invalidate(true);
        value = static_cast<float>(static_cast<double>(value) + 0.0001);
        panX = static_cast<float>(static_cast<double>(panX) + 0.008);
    } while (value < end);
}
