#include "tests/printing/support/ScreenText.h"
#include <vector>
#include "framework/gui/QImage.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/preview/FontFallback.h"

using micro::gui::QComPtr;

namespace layout_tests {

namespace {

const UINT kWidth = 436, kHeight = 609;

} // namespace

struct ScreenCanvas::Resources {
    QComPtr<IWICBitmap> bitmap;
    QComPtr<ID2D1Factory> d2d;
    QComPtr<ID2D1RenderTarget> target;
    QComPtr<IDWriteTextFormat> formats[7];
    QComPtr<ID2D1SolidColorBrush> black, white;
};

ScreenCanvas::ScreenCanvas(float zoom)
    : m_resources(new Resources), m_zoom(zoom), m_width(static_cast<UINT>(kWidth * zoom)),
      m_height(static_cast<UINT>(kHeight * zoom))
{
    Make(0);   // the default
}

ScreenCanvas::ScreenCanvas(unsigned width, unsigned height, float dpi)
    : m_resources(new Resources), m_zoom(1), m_width(width), m_height(height)
{
    Make(dpi);
}

void ScreenCanvas::Make(float dpi)
{
    QComPtr<IWICImagingFactory> wic;
    QComPtr<IDWriteFactory> dwrite;
    Resources& r = *m_resources;
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties();
    props.dpiX = props.dpiY = dpi;
    if (FAILED(micro::gui::GetWicFactory(&wic)) || FAILED(micro::gui::GetDWriteFactory(&dwrite)) ||
        FAILED(wic->CreateBitmap(m_width, m_height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &r.bitmap)) ||
        FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &r.d2d)) ||
        FAILED(r.d2d->CreateWicBitmapRenderTarget(r.bitmap, props, &r.target))) {
        r.target.Release();
        return;
    }
    // The preview's sizes, in the order of its formats.
    const float sizes[] = {14, 16, 12, 7.7f, 6, 10, 6};
    for (int i = 0; i < 7; ++i)
        CreatePageTextFormat(dwrite, L"Arial Rounded MT", DWRITE_FONT_WEIGHT_NORMAL, sizes[i], &r.formats[i]);
    r.target->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &r.black);
    r.target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &r.white);
}

ScreenCanvas::~ScreenCanvas() = default;

std::vector<unsigned> ScreenCanvas::Draw(const std::function<void(const ScreenPage&)>& draw)
{
    Resources& r = *m_resources;
    ScreenPage page = {r.target,     r.black,      r.white,      nullptr,      nullptr,      nullptr,     r.formats[0],
                       r.formats[1], r.formats[2], r.formats[3], r.formats[4], r.formats[5], r.formats[6]};
    return DrawFrame([&](ID2D1RenderTarget* target) {
        target->BeginDraw();
        target->SetTransform(D2D1::Matrix3x2F::Identity());
        target->Clear(D2D1::ColorF(1, 1, 1, 1));
        target->SetTransform(D2D1::Matrix3x2F::Scale(m_zoom, m_zoom));
        draw(page);
        return target->EndDraw();
    });
}

std::vector<unsigned> ScreenCanvas::DrawFrame(const std::function<HRESULT(ID2D1RenderTarget*)>& frame)
{
    Resources& r = *m_resources;
    std::vector<unsigned> pixels(m_width * m_height);
    BYTE* bytes = reinterpret_cast<BYTE*>(pixels.data());
    if (!r.target || FAILED(frame(r.target)) ||
        FAILED(r.bitmap->CopyPixels(nullptr, m_width * 4, m_width * m_height * 4, bytes)))
        return {};
    return pixels;
}

std::vector<unsigned> DrawnScreenPage(const std::function<void(const ScreenPage&)>& draw, float zoom)
{
    ScreenCanvas canvas(zoom);
    return canvas.Draw(draw);
}

bool ScreenShows(const std::function<void(const ScreenPage&)>& draw, ScreenFont font, const std::wstring& text,
                 const ScreenBox& box, const ScreenBox& compared, const Edges& edges)
{
    std::vector<unsigned> page = DrawnScreenPage(draw);
    std::vector<unsigned> alone =
        DrawnScreenPage([&](const ScreenPage& p) { DrawScreenText(p, font, text.c_str(), box, edges); });
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
