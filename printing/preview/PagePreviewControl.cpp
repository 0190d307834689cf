#include "printing/preview/PagePreviewControl.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/PreviewSupport.h"
#include <cmath>

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
    ReleaseKeptPages();
    ReleaseTargetResources();
}

void PagePreviewControl::ReleaseKeptPages()
{
    for (KeptPage& kept : keptPages)
        ReleaseComPtr(kept.picture);
    keptPages.clear();
}

namespace {
// Pictures kept at once: a few zoom levels back and forth.
const size_t kKeptPages = 3;
} // namespace

HRESULT PagePreviewControl::DrawKeptFrame(D2D1_SIZE_F page)
{
    // What the frame is drawn at; the page's first drawing may change the
    // zoom for the next frame.
    const float atZoom = zoom, atX = panX, atY = panY;
    const float wholeX = floorf(atX), wholeY = floorf(atY);
    const float fractionX = atX - wholeX, fractionY = atY - wholeY;
    ID2D1Bitmap* picture = nullptr;
    for (const KeptPage& kept : keptPages)
        if (kept.zoom == atZoom && kept.fractionX == fractionX && kept.fractionY == fractionY)
            picture = kept.picture;
    if (!picture) {
        ID2D1BitmapRenderTarget* offscreen = nullptr;
        D2D1_SIZE_F size = D2D1::SizeF(ceilf(page.width * atZoom) + 1.0f, ceilf(page.height * atZoom) + 1.0f);
        HRESULT hr = renderTarget->CreateCompatibleRenderTarget(size, &offscreen);
        if (FAILED(hr))
            return DrawFrame();
        drawTarget = offscreen;
        offscreen->SetAntialiasMode(renderTarget->GetAntialiasMode());
        offscreen->SetTextAntialiasMode(renderTarget->GetTextAntialiasMode());
        offscreen->BeginDraw();
        offscreen->Clear(D2D1::ColorF(0, 0, 0, 1));
        offscreen->SetTransform(D2D1::Matrix3x2F::Scale(atZoom, atZoom) *
                                D2D1::Matrix3x2F::Translation(fractionX, fractionY));
        DrawContent();
        hr = offscreen->EndDraw();
        drawTarget = renderTarget;
        if (SUCCEEDED(hr))
            hr = offscreen->GetBitmap(&picture);
        offscreen->Release();
        if (FAILED(hr))
            return hr;
        if (keptPages.size() >= kKeptPages) {
            ReleaseComPtr(keptPages.front().picture);
            keptPages.erase(keptPages.begin());
        }
        keptPages.push_back(KeptPage{atZoom, fractionX, fractionY, picture});
    }
    renderTarget->BeginDraw();
    renderTarget->Clear(D2D1::ColorF(0, 0, 0, 1));
    renderTarget->SetTransform(D2D1::Matrix3x2F::Identity());
    D2D1_SIZE_F size = picture->GetSize();
    D2D1_RECT_F where = D2D1::RectF(wholeX, wholeY, wholeX + size.width, wholeY + size.height);
    renderTarget->DrawBitmap(picture, &where, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR, nullptr);
    return renderTarget->EndDraw();
}

void PagePreviewControl::RepaintView()
{
    RECT waiting;
    bool otherChange = GetUpdateRect(m_hwnd, &waiting, FALSE) != FALSE;
    Invalidate(true);
    if (otherChange)
        return; // the next paint draws everything afresh
    viewStep = true;
    UpdateWindow(m_hwnd);
    viewStep = false;
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
    // Only a pan or zoom step reuses the kept pictures: any other paint may
    // show a changed page.
    if (!viewStep)
        ReleaseKeptPages();
    HRESULT hr = CreateDeviceResources();
    D2D1_SIZE_F page = KeptPageSize();
    if (BindPaintTarget(m_hwnd, dc, hr, renderTarget))
        HandleEndDraw(page.width > 0 && page.height > 0 ? DrawKeptFrame(page) : DrawFrame());
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
        RepaintView();
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
    pointer.wheelAccumulator = 0;
    RepaintView();
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
