#include "printing/preview/PreviewSupport.h"

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
