#include "printing/preview/MyPrewiev.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/DrawFactura.h"
#include "printing/preview/DrawNir.h"
#include "printing/PrintBackground.h"
#include "printing/preview/FontFallback.h"
#include "printing/preview/PreviewSupport.h"

namespace {

const wchar_t kPageFamily[] = L"Arial Rounded MT";

// Shared by every preview: the wheel's pending delta and the last mouse position.
int s_wheelAccumulator = 0;
bool s_haveLastMouse = false;
POINT s_lastMouse = {0, 0};

} // namespace

const float MyPrewiev::kMinZoom = kPreviewMinZoom;
const float MyPrewiev::kMaxZoom = kPreviewMaxZoom;

MyPrewiev::MyPrewiev()
    : zoom(1.0f), panX(0), panY(0), dragging(0), document(nullptr), d2dFactory(nullptr), dwriteFactory(nullptr),
      format14(nullptr), format16(nullptr), format12(nullptr), format7_7(nullptr), format6(nullptr),
      format10(nullptr), format6b(nullptr), renderTarget(nullptr), target(nullptr), blackBrush(nullptr),
      whiteBrush(nullptr), backgroundBitmap(nullptr)
{
}

MyPrewiev::~MyPrewiev()
{
    DiscardDeviceResources();
    ReleaseComPtr(d2dFactory);
    ReleaseComPtr(dwriteFactory);
    delete document;
    document = nullptr;
    Destroy();
}

bool MyPrewiev::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    bool created = QControl::Create(parent, id, style);
    if (!EnsureFactories())
        return false;
    return created;
}

bool MyPrewiev::EnsureFactories()
{
    if (!d2dFactory && FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2dFactory)))
        return false;
    if (!dwriteFactory && FAILED(micro::gui::GetDWriteFactory(&dwriteFactory)))
        return false;
    return true;
}

void MyPrewiev::CreateDocument(int type, unsigned long long id)
{
    if (document || type < 0)
        return;
    if (type == 3)
        document = new DrawNir(this, id);
    else if (type <= 4)
        document = new DrawFactura(this, id, type);
}

void MyPrewiev::SetModel(int layout)
{
    if (document)
        document->model = layout;
    if (!m_hwnd)
        return;
    Invalidate(true);
    SetFocus(m_hwnd);
}

HRESULT MyPrewiev::CreateDeviceResources()
{
    if (renderTarget)
        return S_OK;
    HRESULT hr = CreatePaintDcTarget(d2dFactory, &renderTarget);
    if (FAILED(hr))
        return hr;
    target = renderTarget;
    hr = CreateTargetResources();
    // Half-made resources would be taken as ready at the next paint.
    if (FAILED(hr))
        ReleaseTargetResources();
    return hr;
}

// Everything made per render target: brushes, text formats, the background
// and the document's own bitmaps.
HRESULT MyPrewiev::CreateTargetResources()
{
    HRESULT hr = target->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &blackBrush);
    if (SUCCEEDED(hr))
        hr = target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &whiteBrush);
    if (SUCCEEDED(hr))
        hr = CreateTextFormats();
    if (FAILED(hr))
        return hr;
    MakeBackgroundBitmap();
    if (document)
        document->CreateResources(target);
    return S_OK;
}

HRESULT MyPrewiev::CreateTextFormats()
{
    ReleaseTextFormats();
    struct Made {
        float size;
        IDWriteTextFormat** format;
    } order[] = {{16, &format16}, {7.7f, &format7_7}, {6, &format6}, {12, &format12},
                 {14, &format14}, {6, &format6b},   {10, &format10}};
    for (const Made& m : order) {
        HRESULT hr = CreatePageTextFormat(dwriteFactory, kPageFamily, DWRITE_FONT_WEIGHT_NORMAL, m.size, m.format);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void MyPrewiev::ReleaseTextFormats()
{
    ReleaseComPtr(format14);
    ReleaseComPtr(format16);
    ReleaseComPtr(format12);
    ReleaseComPtr(format7_7);
    ReleaseComPtr(format6);
    ReleaseComPtr(format10);
    ReleaseComPtr(format6b);
}

void MyPrewiev::ReleaseTargetResources()
{
    if (document)
        document->DiscardResources();
    ReleaseComPtr(backgroundBitmap);
    ReleaseTextFormats();
    ReleaseComPtr(blackBrush);
    ReleaseComPtr(whiteBrush);
    if (target != renderTarget)
        ReleaseComPtr(target);
    target = nullptr;
    ReleaseComPtr(renderTarget);
}

void MyPrewiev::DiscardDeviceResources()
{
    zoom = 1.0f;
    ReleaseTargetResources();
}

void MyPrewiev::MakeBackgroundBitmap()
{
    ReleaseComPtr(backgroundBitmap);
    if (!target || backgroundSource.IsEmpty())
        return;
    micro::gui::QComPtr<IWICBitmapSource> picture;
    if (SUCCEEDED(micro::gui::DecodeImageWithWic(backgroundSource.GetData(),
                                                 static_cast<UINT>(backgroundSource.GetCount()), &picture, 0, 0)))
        target->CreateBitmapFromWicBitmap(picture, nullptr, &backgroundBitmap);
}

void MyPrewiev::SetBackgroundImage(const void* bytes, int count)
{
    backgroundSource.Clear();
    backgroundSource.Append(bytes, count);
    MakeBackgroundBitmap();
    if (m_hwnd)
        Invalidate(true);
}

bool MyPrewiev::SetBackgroundResource(UINT id)
{
    micro::utils::QBuffer bytes;
    if (!LoadJpgResource(id, bytes))
        return false;
    SetBackgroundImage(bytes.GetData(), bytes.GetCount());
    return true;
}

void MyPrewiev::ClearBackground()
{
    SetBackgroundImage(nullptr, 0);
}

ScreenPage MyPrewiev::GetScreenPage() const
{
    ScreenPage page = {target,  blackBrush, whiteBrush, backgroundBitmap, nullptr,  nullptr, format14,
                       format16, format12,  format7_7,  format6,          format10, format6b};
    return page;
}

HRESULT MyPrewiev::DrawFrame()
{
    target->BeginDraw();
    target->Clear(D2D1::ColorF(0, 0, 0, 1));
    target->SetTransform(D2D1::Matrix3x2F::Scale(zoom, zoom) * D2D1::Matrix3x2F::Translation(panX, panY));
    if (document)
        document->Draw();
    return target->EndDraw();
}

void MyPrewiev::HandleEndDraw(HRESULT hr)
{
    if (hr == D2DERR_RECREATE_TARGET)
        DiscardDeviceResources();
}

bool MyPrewiev::OnPaint(LRESULT& result)
{
    result = 0;
    micro::gui::QPaintGraphics dc(m_hwnd);
    HRESULT hr = CreateDeviceResources();
    if (BindPaintTarget(m_hwnd, dc, hr, renderTarget))
        HandleEndDraw(DrawFrame());
    return true;
}

// Every pixel is painted by the paint handler; erasing first only flickers.
bool MyPrewiev::OnEraseBackground(HDC, LRESULT& result)
{
    result = 1;
    return true;
}

HRESULT MyPrewiev::RenderToWicBitmap(IWICBitmap* bitmap)
{
    if (!EnsureFactories())
        return E_FAIL;
    ReleaseTargetResources();
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
        96.0f, 96.0f);
    HRESULT hr = d2dFactory->CreateWicBitmapRenderTarget(bitmap, props, &target);
    if (SUCCEEDED(hr))
        hr = CreateTargetResources();
    if (SUCCEEDED(hr))
        hr = DrawFrame();
    ReleaseTargetResources();
    return hr;
}

// The window target is bound to the client rectangle at every paint.
bool MyPrewiev::OnSize(UINT, int, int, LRESULT& result)
{
    result = 0;
    return true;
}

bool MyPrewiev::OnLButtonDown(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = 1;
    return true;
}

bool MyPrewiev::OnLButtonUp(UINT, int, int, LRESULT& result)
{
    result = 0;
    dragging = 0;
    return true;
}

bool MyPrewiev::OnMouseMove(UINT keys, int x, int y, LRESULT& result)
{
    QControl::OnMouseMove(keys, x, y, result);
    result = 0;
    if (!s_haveLastMouse) {
        s_lastMouse.x = x;
        s_lastMouse.y = y;
        s_haveLastMouse = true;
    }
    if (dragging) {
        panX += static_cast<float>(x - s_lastMouse.x);
        panY += static_cast<float>(y - s_lastMouse.y);
        Invalidate(true);
    }
    s_lastMouse.x = x;
    s_lastMouse.y = y;
    return true;
}

bool MyPrewiev::OnMouseWheel(int delta, UINT, int, int, LRESULT& result)
{
    result = 0;
    s_wheelAccumulator += delta;
    if (s_wheelAccumulator > -WHEEL_DELTA && s_wheelAccumulator < WHEEL_DELTA)
        return true;
    SetZoom(zoom + 0.2 * (s_wheelAccumulator / WHEEL_DELTA));
    Invalidate(true);
    s_wheelAccumulator = 0;
    return true;
}

void MyPrewiev::SetZoom(double value)
{
    zoom = ClampPreviewZoom(value);
}

// No message is pumped on the way, so only the end state shows: about
// 1.14998 and 84 DIPs to the right.
void MyPrewiev::AnimateZoomIn(IDrawDocument*)
{
    float z = 0.1f;
    do {
        SetZoom(z);
        if (m_hwnd)
            Invalidate(true);
        z = static_cast<float>(static_cast<double>(z) + 0.0001);
        panX = static_cast<float>(static_cast<double>(panX) + 0.008);
    } while (z < 1.15f);
}
