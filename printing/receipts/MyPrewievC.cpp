#include "printing/receipts/MyPrewievC.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/FontFallback.h"
#include "printing/preview/PreviewSupport.h"

using micro::gui::QComPtr;

namespace {

// Shared by every receipt preview.
PreviewPointerState s_pointer = {0, false, {0, 0}};

const wchar_t kRounded[] = L"Arial Rounded MT";
const wchar_t kRoundedBold[] = L"Arial Rounded MT Bold";

} // namespace

MyPrewievC::MyPrewievC()
    : PagePreviewControl(s_pointer), model(ChitantaTwoCopies), formatBold8(nullptr), formatTitle14(nullptr),
      formatBold9(nullptr), formatNormal8(nullptr), blackBrush(nullptr), whiteBrush(nullptr), logoBitmap(nullptr),
      stampBitmap(nullptr), firstPaint(0)
{
}

MyPrewievC::~MyPrewievC()
{
    DiscardDeviceResources();
    Destroy();
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

void MyPrewievC::DrawContent()
{
    DrawPage();
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

// 11 999 steps: zoom ends about 1.2999 and the page about 96 DIPs to the right.
void MyPrewievC::AnimateZoomIn()
{
    StepZoomIn(1.3);
}
