#include "printing/receipts/PreviewSupport.h"

void FillWindowBlack(HWND window)
{
    HDC dc = GetDC(window);
    if (!dc)
        return;
    RECT rc;
    GetClientRect(window, &rc);
    COLORREF old = SetBkColor(dc, RGB(0, 0, 0));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, L"", 0, nullptr);
    SetBkColor(dc, old);
    ReleaseDC(window, dc);
}

float ClampPreviewZoom(double zoom)
{
    if (zoom < kPreviewMinZoom)
        return kPreviewMinZoom;
    if (zoom > kPreviewMaxZoom)
        return kPreviewMaxZoom;
    return static_cast<float>(zoom);
}
