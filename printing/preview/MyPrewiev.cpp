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

// Shared by every document preview.
PreviewPointerState s_pointer = {0, false, {0, 0}};

} // namespace

const float MyPrewiev::kMinZoom = kPreviewMinZoom;
const float MyPrewiev::kMaxZoom = kPreviewMaxZoom;

MyPrewiev::MyPrewiev()
    : PagePreviewControl(s_pointer), document(nullptr), format14(nullptr), format16(nullptr), format12(nullptr),
      format7_7(nullptr), format6(nullptr), format10(nullptr), format6b(nullptr), blackBrush(nullptr),
      whiteBrush(nullptr), backgroundBitmap(nullptr)
{
}

MyPrewiev::~MyPrewiev()
{
    DiscardDeviceResources();
    delete document;
    document = nullptr;
    Destroy();
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

void MyPrewiev::ReloadDocument(int type, unsigned long long id)
{
    int layout = document ? document->model : FacturaLayoutFull;
    // Everything made for the page goes with it; the next paint makes it again.
    ReleaseTargetResources();
    delete document;
    document = nullptr;
    CreateDocument(type, id);
    SetModel(layout);
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
    drawTarget = renderTarget;
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
    HRESULT hr = drawTarget->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &blackBrush);
    if (SUCCEEDED(hr))
        hr = drawTarget->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &whiteBrush);
    if (SUCCEEDED(hr))
        hr = CreateTextFormats();
    if (FAILED(hr))
        return hr;
    MakeBackgroundBitmap();
    if (document)
        document->CreateResources(drawTarget);
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

// Everything the page draws lies on the sheet (what falls outside is black
// on black): the sheet is the picture kept between pan and zoom steps.
D2D1_SIZE_F MyPrewiev::KeptPageSize() const
{
    return document ? D2D1::SizeF(kScreenPageWidth, kScreenPageHeight) : D2D1::SizeF(0.0f, 0.0f);
}

void MyPrewiev::ReleaseTargetResources()
{
    ReleaseKeptPages();
    if (document)
        document->DiscardResources();
    ReleaseComPtr(backgroundBitmap);
    ReleaseTextFormats();
    ReleaseComPtr(blackBrush);
    ReleaseComPtr(whiteBrush);
    if (drawTarget != renderTarget)
        ReleaseComPtr(drawTarget);
    drawTarget = nullptr;
    ReleaseComPtr(renderTarget);
}

void MyPrewiev::MakeBackgroundBitmap()
{
    ReleaseComPtr(backgroundBitmap);
    if (!drawTarget || backgroundSource.IsEmpty())
        return;
    micro::gui::QComPtr<IWICBitmapSource> picture;
    if (SUCCEEDED(micro::gui::DecodeImageWithWic(backgroundSource.GetData(),
                                                 static_cast<UINT>(backgroundSource.GetCount()), &picture, 0, 0)))
        drawTarget->CreateBitmapFromWicBitmap(picture, nullptr, &backgroundBitmap);
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
    ScreenPage page = {drawTarget, blackBrush, whiteBrush, backgroundBitmap, nullptr,  nullptr, format14,
                       format16,   format12,   format7_7,  format6,          format10, format6b};
    return page;
}

void MyPrewiev::DrawContent()
{
    if (document)
        document->Draw();
}

HRESULT MyPrewiev::RenderToWicBitmap(IWICBitmap* bitmap)
{
    if (!EnsureFactories())
        return E_FAIL;
    ReleaseTargetResources();
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED),
        96.0f, 96.0f);
    HRESULT hr = d2dFactory->CreateWicBitmapRenderTarget(bitmap, props, &drawTarget);
    if (SUCCEEDED(hr))
        hr = CreateTargetResources();
    if (SUCCEEDED(hr))
        hr = DrawFrame();
    ReleaseTargetResources();
    return hr;
}

// No message is pumped on the way, so only the end state shows: about
// 1.14998 and 84 DIPs to the right.
void MyPrewiev::AnimateZoomIn(IDrawDocument*)
{
    if (openingZoomDone)
        return;
    openingZoomDone = true;
    StepZoomIn(1.15f);
}
