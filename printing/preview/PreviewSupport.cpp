#include "printing/preview/PreviewSupport.h"
#include <algorithm>
#include <cmath>

HRESULT CreatePaintDcTarget(ID2D1Factory* factory, ID2D1DCRenderTarget** target)
{
    if (!factory)
        return E_POINTER;
    const D2D1_RENDER_TARGET_PROPERTIES properties = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE));
    return factory->CreateDCRenderTarget(&properties, target);
}

bool BindPaintTarget(HWND window, HDC paintDc, HRESULT made, ID2D1DCRenderTarget* target)
{
    RECT rc;
    GetClientRect(window, &rc);
    HRESULT hr = made;
    if (SUCCEEDED(hr))
        hr = target ? target->BindDC(paintDc, &rc) : E_POINTER;
    if (SUCCEEDED(hr) && !IsIconic(GetAncestor(window, GA_ROOT)))
        return true;
    FillBlack(window, paintDc);
    return false;
}

void FillBlack(HWND window, HDC dc)
{
    RECT rc;
    GetClientRect(window, &rc);
    COLORREF old = SetBkColor(dc, RGB(0, 0, 0));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, L"", 0, nullptr);
    SetBkColor(dc, old);
}

float ClampPreviewZoom(double zoom)
{
    if (zoom < kPreviewMinZoom)
        return kPreviewMinZoom;
    if (zoom > kPreviewMaxZoom)
        return kPreviewMaxZoom;
    return static_cast<float>(zoom);
}

namespace {
// A rule's width on paper, in page units.
const float kPageRuleWidth = 0.5f;
// Wine rasterises Direct2D without anti-aliasing: a stroke lights only the
// pixels whose centres it covers, so one narrower than a pixel shows or
// vanishes by where zoom and pan put it. Wider than one pixel it always
// covers a centre; the tenth more keeps it so when each edge is snapped to
// the rasteriser's sub-pixel grid (a sixteenth of a pixel at the coarsest)
// and zoom and pan are rounded to floats. Measured under Wine: 0.99 pixels
// misses some places; 1.004 already covers two pixels at some.
const float kMinRulePixels = 1.1f;
} // namespace

float ScreenRuleWidth(ID2D1RenderTarget* target)
{
    D2D1_MATRIX_3X2_F m;
    target->GetTransform(&m);
    float dpiX = 0, dpiY = 0;
    target->GetDpi(&dpiX, &dpiY);
    // Device pixels per page unit across a vertical rule and across a
    // horizontal one; the rule must make a pixel on the scarcer.
    float acrossVertical = std::hypot(m._11, m._12) * dpiX / 96.0f;
    float acrossHorizontal = std::hypot(m._21, m._22) * dpiY / 96.0f;
    float pixelsPerUnit = std::min(acrossVertical, acrossHorizontal);
    if (!(pixelsPerUnit > 0))
        return kPageRuleWidth;
    return std::max(kPageRuleWidth, kMinRulePixels / pixelsPerUnit);
}
