#include "tests/printing/core/PreviewRender.h"
#include "framework/gui/QImage.h"
#include "tests/harness/Screenshot.h"

namespace printing_tests {

unsigned Frame::Pixel(UINT x, UINT y) const
{
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return (static_cast<unsigned>(p[2]) << 16) | (static_cast<unsigned>(p[1]) << 8) | p[0];
}

bool RenderPreview(MyPrewiev& preview, UINT width, UINT height, Frame& frame, const std::wstring& name)
{
    micro::gui::QComPtr<IWICImagingFactory> factory;
    micro::gui::QComPtr<IWICBitmap> bitmap;
    if (FAILED(micro::gui::GetWicFactory(&factory)) ||
        FAILED(factory->CreateBitmap(width, height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &bitmap)))
        return false;
    if (FAILED(preview.RenderToWicBitmap(bitmap)))
        return false;
    frame.width = width;
    frame.height = height;
    frame.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    if (FAILED(bitmap->CopyPixels(nullptr, width * 4, static_cast<UINT>(frame.pixels.size()), frame.pixels.data())))
        return false;
    if (!name.empty())
        testing_support::SavePixelsPng(frame.pixels.data(), width, height, width * 4, name);
    return true;
}

} // namespace printing_tests
