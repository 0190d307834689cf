#include "tests/printing/support/RecordingTarget.h"
#include <cmath>
#include "printing/preview/FontFallback.h"
#include "tests/harness/Screenshot.h"

using micro::gui::QComPtr;

namespace layout_tests {

STDMETHODIMP RecordingTarget::QueryInterface(REFIID iid, void** out)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(ID2D1Resource) || iid == __uuidof(ID2D1RenderTarget)) {
        *out = static_cast<ID2D1RenderTarget*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

void RecordingTarget::DrawLine(D2D1_POINT_2F p0, D2D1_POINT_2F p1, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style)
{
    calls.push_back(DrawCall{DrawCall::Line, D2D1::RectF(p0.x, p0.y, p1.x, p1.y), L"", 0, width});
    m_inner->DrawLine(p0, p1, brush, width, style);
}

void RecordingTarget::DrawRectangle(const D2D1_RECT_F* rect, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style)
{
    calls.push_back(DrawCall{DrawCall::Frame, *rect, L"", 0, width});
    m_inner->DrawRectangle(rect, brush, width, style);
}

void RecordingTarget::FillRectangle(const D2D1_RECT_F* rect, ID2D1Brush* brush)
{
    calls.push_back(DrawCall{DrawCall::Fill, *rect, L"", 0, 0});
    m_inner->FillRectangle(rect, brush);
}

void RecordingTarget::DrawBitmap(ID2D1Bitmap* bitmap, const D2D1_RECT_F* dst, FLOAT opacity,
                                 D2D1_BITMAP_INTERPOLATION_MODE mode, const D2D1_RECT_F* src)
{
    calls.push_back(DrawCall{DrawCall::Bitmap, dst ? *dst : D2D1::RectF(), L"", 0, 0});
    m_inner->DrawBitmap(bitmap, dst, opacity, mode, src);
}

void RecordingTarget::DrawText(const WCHAR* text, UINT length, IDWriteTextFormat* format, const D2D1_RECT_F* rect,
                               ID2D1Brush* brush, D2D1_DRAW_TEXT_OPTIONS options, DWRITE_MEASURING_MODE mode)
{
    calls.push_back(DrawCall{DrawCall::Text, *rect, std::wstring(text, length), format->GetFontSize(), 0});
    m_inner->DrawText(text, length, format, rect, brush, options, mode);
}

PageCanvas::PageCanvas(float zoom) : m_ready(false), m_zoom(zoom), m_recorder(nullptr)
{
    QComPtr<IWICImagingFactory> wic;
    QComPtr<IDWriteFactory> dwrite;
    if (FAILED(micro::gui::GetWicFactory(&wic)) || FAILED(micro::gui::GetDWriteFactory(&dwrite)))
        return;
    if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                                 reinterpret_cast<void**>(&m_factory))))
        return;
    UINT w = static_cast<UINT>(std::ceil(kScreenPageWidth * zoom)), h = static_cast<UINT>(std::ceil(kScreenPageHeight * zoom));
    if (FAILED(wic->CreateBitmap(w, h, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &m_bitmap)))
        return;
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
    if (FAILED(m_factory->CreateWicBitmapRenderTarget(m_bitmap, &props, &m_target)))
        return;
    m_recorder = new RecordingTarget(m_target);
    D2D1_COLOR_F black = D2D1::ColorF(0, 0, 0, 1), white = D2D1::ColorF(1, 1, 1, 1);
    m_target->CreateSolidColorBrush(&black, nullptr, &m_black);
    m_target->CreateSolidColorBrush(&white, nullptr, &m_white);
    const float sizes[7] = {14, 16, 12, 7.7f, 6, 10, 6};
    for (int i = 0; i < 7; ++i) {
        if (FAILED(CreatePageTextFormat(dwrite, L"Arial Rounded MT", DWRITE_FONT_WEIGHT_NORMAL, sizes[i], &m_formats[i])))
            return;
    }
    m_ready = true;
}

PageCanvas::~PageCanvas()
{
    for (ID2D1Bitmap* b : m_bitmaps)
        b->Release();
    delete m_recorder;
}

ScreenPage PageCanvas::Page()
{
    return ScreenPage{m_recorder, m_black, m_white, background, logo, stamp, m_formats[0], m_formats[1],
                      m_formats[2], m_formats[3], m_formats[4], m_formats[5], m_formats[6]};
}

ID2D1Bitmap* PageCanvas::MakeBitmap(const std::string& encoded)
{
    QComPtr<IWICBitmapSource> source;
    if (FAILED(micro::gui::DecodeImageWithWic(encoded.data(), static_cast<UINT>(encoded.size()), &source, 0, 0)))
        return nullptr;
    ID2D1Bitmap* bitmap = nullptr;
    if (FAILED(m_target->CreateBitmapFromWicBitmap(source, nullptr, &bitmap)))
        return nullptr;
    m_bitmaps.push_back(bitmap);
    return bitmap;
}

void PageCanvas::Begin()
{
    m_target->BeginDraw();
    D2D1_COLOR_F black = D2D1::ColorF(0, 0, 0, 1);
    m_target->Clear(&black);
    D2D1_MATRIX_3X2_F scale = D2D1::Matrix3x2F::Scale(m_zoom, m_zoom);
    m_target->SetTransform(&scale);
    m_recorder->calls.clear();
}

HRESULT PageCanvas::End()
{
    return m_target->EndDraw(nullptr, nullptr);
}

bool PageCanvas::Save(const std::wstring& name)
{
    UINT w = 0, h = 0;
    m_bitmap->GetSize(&w, &h);
    WICRect all{0, 0, static_cast<INT>(w), static_cast<INT>(h)};
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    if (FAILED(m_bitmap->CopyPixels(&all, w * 4, static_cast<UINT>(pixels.size()), pixels.data())))
        return false;
    return testing_support::SavePixelsPng(pixels.data(), w, h, w * 4, name);
}

std::vector<DrawCall> CallsOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind)
{
    std::vector<DrawCall> out;
    for (const DrawCall& c : calls)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

const DrawCall* FindText(const std::vector<DrawCall>& calls, const std::wstring& text)
{
    for (const DrawCall& c : calls)
        if (c.kind == DrawCall::Text && c.text == text)
            return &c;
    return nullptr;
}

int CountText(const std::vector<DrawCall>& calls, const std::wstring& text)
{
    int n = 0;
    for (const DrawCall& c : calls)
        if (c.kind == DrawCall::Text && c.text == text)
            ++n;
    return n;
}

bool HasStroke(const std::vector<DrawCall>& calls, DrawCall::Kind kind, float x1, float y1, float x2, float y2)
{
    for (const DrawCall& c : calls)
        if (c.kind == kind && c.rect.left == x1 && c.rect.top == y1 && c.rect.right == x2 && c.rect.bottom == y2)
            return true;
    return false;
}

} // namespace layout_tests
