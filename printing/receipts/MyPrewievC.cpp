#include "printing/receipts/MyPrewievC.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/FontFallback.h"
#include "printing/preview/PreviewSupport.h"

using micro::gui::QComPtr;

namespace {

// Shared by every receipt preview: the wheel's pending delta and the last
// mouse position (taken from the first move seen).
int s_wheelAccumulator = 0;
bool s_haveLastMouse = false;
POINT s_lastMouse = {0, 0};

const wchar_t kRounded[] = L"Arial Rounded MT";
const wchar_t kRoundedBold[] = L"Arial Rounded MT Bold";

} // namespace

MyPrewievC::MyPrewievC()
    : model(ChitantaTwoCopies), d2dFactory(nullptr), dwriteFactory(nullptr), formatBold8(nullptr),
      formatTitle14(nullptr), formatBold9(nullptr), formatNormal8(nullptr), renderTarget(nullptr),
      blackBrush(nullptr), whiteBrush(nullptr), logoBitmap(nullptr), stampBitmap(nullptr), zoom(1.0f), panX(0),
      panY(0), dragging(false), firstPaint(0), drawTarget(nullptr)
{
}

MyPrewievC::~MyPrewievC()
{
    DiscardDeviceResources();
    ReleaseComPtr(d2dFactory);
    ReleaseComPtr(dwriteFactory);
    Destroy();
}

bool MyPrewievC::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    bool created = QControl::Create(parent, id, style);
    if (!EnsureFactories())
        return false;
    return created;
}

bool MyPrewievC::EnsureFactories()
{
    if (!d2dFactory && FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2dFactory)))
        return false;
    if (!dwriteFactory && FAILED(micro::gui::GetDWriteFactory(&dwriteFactory)))
        return false;
    return true;
}

HRESULT MyPrewievC::CreateDeviceResources()
{
    if (renderTarget)
        return S_OK;
    if (!EnsureFactories())
        return E_POINTER;
    HRESULT hr = CreatePaintDcTarget(d2dFactory, &renderTarget);
    if (FAILED(hr))
        return hr;
    drawTarget = renderTarget;
    CreateTargetResources();
    return S_OK;
}

// Brushes, text formats and bitmaps for drawTarget. What an earlier target
// left is released first, so nothing is made twice over.
HRESULT MyPrewievC::CreateTargetResources()
{
    ReleaseComPtr(blackBrush);
    ReleaseComPtr(whiteBrush);
    ReleaseComPtr(logoBitmap);
    ReleaseComPtr(stampBitmap);
    HRESULT hr = drawTarget->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &blackBrush);
    if (SUCCEEDED(hr))
        hr = drawTarget->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &whiteBrush);
    if (SUCCEEDED(hr))
        hr = CreateTextFormats();
    logoBitmap = MakeBitmap(logo);
    stampBitmap = MakeBitmap(stampila);
    return hr;
}

HRESULT MyPrewievC::CreateTextFormats()
{
    ReleaseTextFormats();
    struct Made {
        const wchar_t* family;
        DWRITE_FONT_WEIGHT weight;
        float size;
        IDWriteTextFormat** format;
    } order[] = {{kRounded, DWRITE_FONT_WEIGHT_BOLD, 9, &formatBold9},
                 {kRoundedBold, DWRITE_FONT_WEIGHT_BOLD, 14, &formatTitle14},
                 {kRounded, DWRITE_FONT_WEIGHT_BOLD, 8, &formatBold8},
                 {kRounded, DWRITE_FONT_WEIGHT_NORMAL, 8, &formatNormal8}};
    for (const Made& m : order) {
        HRESULT hr = CreatePageTextFormat(dwriteFactory, m.family, m.weight, m.size, m.format);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void MyPrewievC::ReleaseTextFormats()
{
    ReleaseComPtr(formatBold8);
    ReleaseComPtr(formatTitle14);
    ReleaseComPtr(formatBold9);
    ReleaseComPtr(formatNormal8);
}

ID2D1Bitmap* MyPrewievC::MakeBitmap(const micro::utils::QBuffer& picture)
{
    if (picture.IsEmpty())
        return nullptr;
    QComPtr<IWICBitmapSource> source;
    ID2D1Bitmap* bitmap = nullptr;
    if (FAILED(micro::gui::DecodeImageWithWic(picture.GetData(), static_cast<UINT>(picture.GetCount()), &source, 0,
                                              0)) ||
        FAILED(drawTarget->CreateBitmapFromWicBitmap(source, nullptr, &bitmap)))
        return nullptr;
    return bitmap;
}

// Bitmaps belong to the target that made them, so they go with it.
void MyPrewievC::ReleaseTargetResources()
{
    ReleaseComPtr(logoBitmap);
    ReleaseComPtr(stampBitmap);
    ReleaseTextFormats();
    ReleaseComPtr(blackBrush);
    ReleaseComPtr(whiteBrush);
    ReleaseComPtr(renderTarget);
    drawTarget = nullptr;
}

void MyPrewievC::DiscardDeviceResources()
{
    zoom = 1.0f;
    ReleaseTargetResources();
}

HRESULT MyPrewievC::DrawFrame()
{
    drawTarget->BeginDraw();
    drawTarget->Clear(D2D1::ColorF(0, 0, 0, 1));
    drawTarget->SetTransform(D2D1::Matrix3x2F::Scale(zoom, zoom) * D2D1::Matrix3x2F::Translation(panX, panY));
    DrawPage();
    return drawTarget->EndDraw();
}

void MyPrewievC::HandleEndDraw(HRESULT hr)
{
    if (hr == static_cast<HRESULT>(D2DERR_RECREATE_TARGET))
        DiscardDeviceResources();
}

bool MyPrewievC::OnPaint(LRESULT& result)
{
    result = 0;
    micro::gui::QPaintGraphics dc(m_hwnd);
    HRESULT hr = CreateDeviceResources();
    if (BindPaintTarget(m_hwnd, dc, hr, renderTarget))
        HandleEndDraw(DrawFrame());
    return true;
}

// Every pixel is painted by the paint handler; erasing first only flickers.
bool MyPrewievC::OnEraseBackground(HDC, LRESULT& result)
{
    result = 1;
    return true;
}

HRESULT MyPrewievC::RenderFrame(ID2D1RenderTarget* target)
{
    if (!target || !EnsureFactories())
        return E_POINTER;
    ReleaseTargetResources();
    drawTarget = target;
    CreateTargetResources();
    HRESULT hr = DrawFrame();
    ReleaseTargetResources();
    return hr;
}

// The window target is bound to the client rectangle at every paint.
bool MyPrewievC::OnSize(UINT, int, int, LRESULT& result)
{
    result = 0;
    return true;
}

bool MyPrewievC::OnLButtonDown(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = true;
    return true;
}

bool MyPrewievC::OnLButtonUp(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = false;
    return true;
}

bool MyPrewievC::OnMouseMove(UINT keys, int x, int y, LRESULT& result)
{
    QControl::OnMouseMove(keys, x, y, result);
    result = 0;
    if (!s_haveLastMouse) {
        s_lastMouse = POINT{x, y};
        s_haveLastMouse = true;
    }
    if (dragging) {
        panX += static_cast<float>(x - s_lastMouse.x);
        panY += static_cast<float>(y - s_lastMouse.y);
        Invalidate(true);
    }
    s_lastMouse = POINT{x, y};
    return true;
}

// Whole notches of 120 only; a remainder left when a notch completes is dropped.
bool MyPrewievC::OnMouseWheel(int delta, UINT, int, int, LRESULT& result)
{
    result = 0;
    s_wheelAccumulator += delta;
    if (s_wheelAccumulator > -WHEEL_DELTA && s_wheelAccumulator < WHEEL_DELTA)
        return true;
    zoom = ClampPreviewZoom(zoom + (s_wheelAccumulator / WHEEL_DELTA) * 0.2);
    Invalidate(true);
    s_wheelAccumulator = 0;
    return true;
}

// 11 999 steps: zoom ends about 1.2999 and the page about 96 DIPs to the right.
void MyPrewievC::AnimateZoomIn()
{
    float value = 0.1f;
    do {
        zoom = ClampPreviewZoom(value);
        if (m_hwnd)
            Invalidate(true);
        value = static_cast<float>(static_cast<double>(value) + 0.0001);
        panX = static_cast<float>(static_cast<double>(panX) + 0.008);
    } while (1.3 > value);
}
