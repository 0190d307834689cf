// Times one invoice page in layout 1 with 23 item lines, drawn on paper into an
// enhanced metafile (A4 at 600 and 300 dpi) and on screen into a WIC bitmap
// (zoom 1 and 2), with the reading of its printed rows apart; then the
// on-screen preview window painting invoices of 23, 200 and 400 lines, and a
// zoom and a pan step of the 23-line one, and zoom steps to levels not drawn
// before. Prints medians and spreads, and the aim as a RATIO line.
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
#include "printing/preview/MyPrewiev.h"

using micro::gui::QComPtr;
using micro::qsql::SqlFormat;

namespace {


bench::Timing PaperPage(const FacturaPrintJob& job, const std::vector<PrintedItem>& items, int width, int height, int runs)
{
    micro::utils::QBuffer noBackground;
    return bench::Time(runs, [&] {
        HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        DrawPrintedLayout1(dc, width, height, job, items, noBackground);
        DeleteEnhMetaFile(CloseEnhMetaFile(dc));
    });
}

bench::Timing ScreenPageTime(const FacturaDate& doc, float zoom, int runs)
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
        return bench::Timing();
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
    return bench::Time(runs, [&] {
        target->BeginDraw();
        target->SetTransform(&scale);
        DrawFacturaLayout1(page, doc);
        target->EndDraw(nullptr, nullptr);
    });
}

// The preview window of a stored invoice: a full paint (the page chosen
// again), a zoom step (one wheel notch in or out) and a pan step (a drag of a
// few pixels).
struct PreviewTimes {
    bench::Timing full, zoom, pan, newZoom;
};

PreviewTimes PreviewPaints(unsigned long long invoice, int runs)
{
    PreviewTimes times;
    MyPrewiev preview;
    if (!preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE))
        return times;
    SetWindowPos(preview, nullptr, 0, 0, 900, 760, SWP_NOZORDER);
    preview.CreateDocument(0, invoice);
    preview.SetModel(FacturaLayoutFull);
    UpdateWindow(preview); // the opening paint and its zoom
    times.full = bench::Time(runs, [&] {
        preview.SetModel(FacturaLayoutFull);
        UpdateWindow(preview);
    });
    int notch = 0;
    times.zoom = bench::Time(runs, [&] {
        short delta = (notch++ % 2) ? -WHEEL_DELTA : WHEEL_DELTA;
        SendMessageW(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        UpdateWindow(preview);
    });
    // Eight wheel notches inward (two in a short run), each to a zoom level the window has not
    // drawn before, as long as the zoom still grows.
    std::vector<double> fresh;
    for (int notchIn = 0; notchIn < bench::ShortOr(2, 8); ++notchIn) {
        float before = preview.zoom;
        bench::Stopwatch watch;
        SendMessageW(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(WHEEL_DELTA)), 0);
        UpdateWindow(preview);
        if (preview.zoom <= before)
            break;
        fresh.push_back(watch.Milliseconds());
    }
    times.newZoom = bench::Summarize(fresh);
    SendMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    int step = 0;
    times.pan = bench::Time(runs, [&] {
        int x = 300 + ((step++ % 2) ? 0 : 6);
        SendMessageW(preview, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 300));
        UpdateWindow(preview);
    });
    SendMessageW(preview, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    preview.Destroy();
    return times;
}

} // namespace

int Run(int argc, wchar_t** argv);

int BenchMain(int argc, wchar_t** argv)
{
    try {
        return Run(argc, argv);
    } catch (const micro::qsql::QSqlError& error) {
        wprintf(L"database error: %ls\n", error.GetText().c_str());
        return 2;
    }
}

int Run(int argc, wchar_t** argv)
{
    int runs = bench::RunsArgument(argc, argv, 50);
    bench::Boxes();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"brivane-pages-bench-" + std::to_wstring(GetCurrentProcessId());
    int status = 0;
    DeleteFileW(path.c_str()); // left by a run that was stopped
    {
        MyRepository db;
        CreateCompanyDatabase(db, path.c_str());
        SetRepository(&db);
        unsigned long long invoice = bench::MakeInvoice(db, L"Client Unu SRL", L"");
        FacturaPrintJob job(invoice, 0, 1, nullptr);
        std::vector<PrintedItem> items;
        bench::Timing read = bench::Time(runs, [&] { items = ReadPrintedItems(invoice, 0, NetValueFrom::OwnHeader); });
        if (items.size() != 23) {
            wprintf(L"expected 23 printed rows, read %u\n", static_cast<unsigned>(items.size()));
            status = 1;
        }
        wprintf(L"layout 1, 23 lines, %d runs\n", runs);
        bench::PrintTiming(L"reading the printed rows", read);
        bench::PrintTiming(L"printed page, metafile 4960x7016", PaperPage(job, items, 4960, 7016, runs));
        bench::PrintTiming(L"printed page, metafile 2479x3508", PaperPage(job, items, 2479, 3508, runs));
        bench::PrintTiming(L"screen page, WIC bitmap zoom 1", ScreenPageTime(job, 1.0f, runs));
        bench::PrintTiming(L"screen page, WIC bitmap zoom 2", ScreenPageTime(job, 2.0f, runs));

        int previewRuns = bench::ShortOr(1, std::max(3, runs / 5));
        wprintf(L"preview window 900x760, layout 1, %d runs each\n", previewRuns);
        PreviewTimes lines23 = PreviewPaints(invoice, previewRuns);
        unsigned long long invoice200 = bench::MakeInvoice(db, L"Client Doi SRL", L"", 200);
        PreviewTimes lines200 = PreviewPaints(invoice200, previewRuns);
        unsigned long long invoice400 = bench::MakeInvoice(db, L"Client Trei SRL", L"", 400);
        PreviewTimes lines400 = PreviewPaints(invoice400, previewRuns);
        bench::PrintTiming(L"full paint, 23 lines", lines23.full);
        bench::PrintTiming(L"full paint, 200 lines", lines200.full);
        bench::PrintTiming(L"full paint, 400 lines", lines400.full);
        bench::PrintTiming(L"zoom step, 23 lines", lines23.zoom);
        bench::PrintTiming(L"pan step, 23 lines", lines23.pan);
        bench::PrintTiming(L"zoom step, 200 lines", lines200.zoom);
        bench::PrintRatio(L"200 lines / 23 lines", lines200.full, lines23.full, L"<= 1.2 x");
        bench::PrintRatio(L"400 lines / 23 lines", lines400.full, lines23.full, L"<= 1.2 x");
        bench::PrintRatio(L"zoom step / full paint", lines23.zoom, lines23.full, L"<= 0.2 x");
        bench::PrintRatio(L"pan step / full paint", lines23.pan, lines23.full, L"<= 0.2 x");
        bench::PrintTiming(L"zoom step to a new level, 23 lines", lines23.newZoom);
        bench::PrintTiming(L"zoom step to a new level, 200 lines", lines200.newZoom);
        bench::PrintRatio(L"new-level zoom step / full paint", lines23.newZoom, lines23.full, L"(none)");
        wprintf(L"RATIO preview_200_lines_to_23 %.2f 1.2\n",
                lines23.full.median > 0 ? lines200.full.median / lines23.full.median : 0.0);
        SetRepository(nullptr);
        db.Close();
    }
    DeleteFileW(path.c_str());
    CoUninitialize();
    return status;
}
