// Times one invoice page in layout 1 with 23 item lines, drawn on paper into an
// enhanced metafile (A4 at 600 and 300 dpi) and on screen into a WIC bitmap
// (zoom 1 and 2), with the reading of its printed rows apart. Prints the median
// of each over the runs.
//
//   PagesBench [--runs=N]
#include <windows.h>
#include <d2d1.h>
#include <objbase.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>
#include "bench/support/BenchSupport.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "framework/gui/QImage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/preview/FontFallback.h"

using micro::gui::QComPtr;
using micro::qsql::SqlFormat;

namespace {

using bench::Median;

double PaperPage(const FacturaPrintJob& job, const std::vector<PrintedItem>& items, int width, int height, int runs)
{
    micro::utils::QBuffer noBackground;
    return Median(runs, [&] {
        HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        DrawPrintedLayout1(dc, width, height, job, items, noBackground);
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    });
}

double ScreenPageTime(const FacturaDate& doc, float zoom, int runs)
{
    QComPtr<ID2D1Factory> factory;
    QComPtr<IWICImagingFactory> wic;
    QComPtr<IDWriteFactory> dwrite;
    D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr, reinterpret_cast<void**>(&factory));
    micro::gui::GetWicFactory(&wic);
    micro::gui::GetDWriteFactory(&dwrite);
    QComPtr<IWICBitmap> bitmap;
    wic->CreateBitmap(static_cast<UINT>(436 * zoom), static_cast<UINT>(609 * zoom), GUID_WICPixelFormat32bppPBGRA,
                      WICBitmapCacheOnLoad, &bitmap);
    D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT, D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED));
    QComPtr<ID2D1RenderTarget> target;
    if (!factory || !bitmap || FAILED(factory->CreateWicBitmapRenderTarget(bitmap, &props, &target)))
        return -1;
    QComPtr<ID2D1SolidColorBrush> black, white;
    D2D1_COLOR_F b = D2D1::ColorF(0, 0, 0, 1), w = D2D1::ColorF(1, 1, 1, 1);
    target->CreateSolidColorBrush(&b, nullptr, &black);
    target->CreateSolidColorBrush(&w, nullptr, &white);
    QComPtr<IDWriteTextFormat> formats[7];
    const float sizes[7] = {14, 16, 12, 7.7f, 6, 10, 6};
    for (int i = 0; i < 7; ++i)
        CreatePageTextFormat(dwrite, L"Arial Rounded MT", DWRITE_FONT_WEIGHT_NORMAL, sizes[i], &formats[i]);
    ScreenPage page{target, black, white, nullptr, nullptr, nullptr, formats[0], formats[1], formats[2],
                    formats[3], formats[4], formats[5], formats[6]};
    D2D1_MATRIX_3X2_F scale = D2D1::Matrix3x2F::Scale(zoom, zoom);
    return Median(runs, [&] {
        target->BeginDraw();
        target->SetTransform(&scale);
        DrawFacturaLayout1(page, doc);
        target->EndDraw(nullptr, nullptr);
    });
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = bench::RunsArgument(argc, argv, 50);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"brivane-pages-bench-" + std::to_wstring(GetCurrentProcessId());
    int status = 0;
    {
        MyRepository db;
        CreateCompanyDatabase(db, path.c_str());
        SetRepository(&db);
        unsigned long long invoice = bench::MakeInvoice(db, L"Client Unu SRL", L"");
        FacturaPrintJob job(invoice, 0, 1, nullptr);
        std::vector<PrintedItem> items;
        double read = Median(runs, [&] { items = ReadPrintedItems(invoice, 0, NetValueFrom::OwnHeader); });
        if (items.size() != 23) {
            wprintf(L"expected 23 printed rows, read %u\n", static_cast<unsigned>(items.size()));
            status = 1;
        }
        wprintf(L"layout 1, 23 lines, median of %d runs\n", runs);
        wprintf(L"  reading the printed rows           %8.2f ms\n", read);
        wprintf(L"  printed page, metafile 4960x7016   %8.2f ms\n", PaperPage(job, items, 4960, 7016, runs));
        wprintf(L"  printed page, metafile 2479x3508   %8.2f ms\n", PaperPage(job, items, 2479, 3508, runs));
        wprintf(L"  screen page, WIC bitmap zoom 1     %8.2f ms\n", ScreenPageTime(job, 1.0f, runs));
        wprintf(L"  screen page, WIC bitmap zoom 2     %8.2f ms\n", ScreenPageTime(job, 2.0f, runs));
        SetRepository(nullptr);
        db.Close();
    }
    DeleteFileW(path.c_str());
    CoUninitialize();
    return status;
}
