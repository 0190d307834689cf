#include "printing/preview/DrawFactura.h"
#include "framework/gui/QImage.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/preview/MyPrewiev.h"

namespace {

void MakeBitmap(ID2D1RenderTarget* target, const micro::utils::QBuffer& bytes, ID2D1Bitmap** bitmap)
{
    if (*bitmap) {
        (*bitmap)->Release();
        *bitmap = nullptr;
    }
    if (bytes.IsEmpty())
        return;
    micro::gui::QComPtr<IWICBitmapSource> picture;
    if (SUCCEEDED(micro::gui::DecodeImageWithWic(bytes.GetData(), static_cast<UINT>(bytes.GetCount()), &picture, 0, 0)))
        target->CreateBitmapFromWicBitmap(picture, nullptr, bitmap);
}

} // namespace

DrawFactura::DrawFactura(MyPrewiev* ownerControl, unsigned long long id, int type)
    : IDrawDocument(ownerControl), FacturaDate(id, type), tipDocument(type), primulDesen(1), logoBitmap(nullptr),
      stampBitmap(nullptr)
{
}

DrawFactura::~DrawFactura()
{
    DiscardResources();
}

void DrawFactura::CreateResources(ID2D1RenderTarget* target)
{
    MakeBitmap(target, logo, &logoBitmap);
    MakeBitmap(target, stampila, &stampBitmap);
}

void DrawFactura::DiscardResources()
{
    if (logoBitmap) {
        logoBitmap->Release();
        logoBitmap = nullptr;
    }
    if (stampBitmap) {
        stampBitmap->Release();
        stampBitmap = nullptr;
    }
}

void DrawFactura::Draw()
{
    ScreenPage page = owner->GetScreenPage();
    page.logoBitmap = logoBitmap;
    page.stampBitmap = stampBitmap;
    if (model == FacturaLayoutFull)
        DrawFacturaLayout1(page, Record());
    else if (model == FacturaLayoutWithReceipt)
        DrawFacturaLayout2(page, Record());
    else
        DrawFacturaLayout3(page, Record());
    if (primulDesen) {
        owner->AnimateZoomIn(this);
        primulDesen = 0;
    }
}
