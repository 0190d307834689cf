#include "tests/printing/support/ScreenText.h"
#include <vector>
#include "framework/gui/QImage.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/preview/FontFallback.h"

using micro::gui::QComPtr;

namespace layout_tests {

namespace {

const UINT kWidth = 436, kHeight = 609;

std::vector<unsigned> Drawn(const std::function<void(const ScreenPage&)>& draw)
{
    QComPtr<IWICImagingFactory> wic;
    QComPtr<IWICBitmap> bitmap;
    QComPtr<ID2D1Factory> d2d;
    QComPtr<ID2D1RenderTarget> target;
    QComPtr<IDWriteFactory> dwrite;
    std::vector<unsigned> pixels(kWidth * kHeight);
    if (FAILED(micro::gui::GetWicFactory(&wic)) || FAILED(micro::gui::GetDWriteFactory(&dwrite)) ||
        FAILED(wic->CreateBitmap(kWidth, kHeight, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &bitmap)) ||
        FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2d)) ||
        FAILED(d2d->CreateWicBitmapRenderTarget(bitmap, D2D1::RenderTargetProperties(), &target)))
        return {};
    // The preview's sizes, in the order of its formats.
    const float sizes[] = {14, 16, 12, 7.7f, 6, 10, 6};
    QComPtr<IDWriteTextFormat> formats[7];
    for (int i = 0; i < 7; ++i)
        CreatePageTextFormat(dwrite, L"Arial Rounded MT", DWRITE_FONT_WEIGHT_NORMAL, sizes[i], &formats[i]);
    QComPtr<ID2D1SolidColorBrush> black, white;
    target->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &black);
    target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &white);
    ScreenPage page = {target, black,      white,      nullptr,    nullptr,    nullptr,   formats[0],
                       formats[1], formats[2], formats[3], formats[4], formats[5], formats[6]};
    target->BeginDraw();
    target->Clear(D2D1::ColorF(1, 1, 1, 1));
    draw(page);
    if (FAILED(target->EndDraw()) ||
        FAILED(bitmap->CopyPixels(nullptr, kWidth * 4, kWidth * kHeight * 4, reinterpret_cast<BYTE*>(pixels.data()))))
        return {};
    return pixels;
}

} // namespace

bool ScreenShows(const std::function<void(const ScreenPage&)>& draw, ScreenFont font, const std::wstring& text,
                 const ScreenBox& box, const ScreenBox& compared)
{
    std::vector<unsigned> page = Drawn(draw);
    std::vector<unsigned> alone = Drawn([&](const ScreenPage& p) { DrawScreenText(p, font, text.c_str(), box); });
    if (page.empty() || alone.empty())
        return false;
    int inked = 0;
    for (UINT y = static_cast<UINT>(compared.top); y < static_cast<UINT>(compared.bottom); ++y)
        for (UINT x = static_cast<UINT>(compared.left); x < static_cast<UINT>(compared.right); ++x) {
            if (page[y * kWidth + x] != alone[y * kWidth + x])
                return false;
            inked += (alone[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF;
        }
    // A text the fonts could not draw would compare equal to nothing drawn.
    return inked > 0;
}

} // namespace layout_tests
