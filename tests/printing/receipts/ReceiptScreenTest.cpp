// The receipt page on screen: each model drawn into a bitmap, and the
// preview's device handling.
#include <gtest/gtest.h>
#include <d2d1.h>
#include "framework/gui/QImage.h"
#include "printing/AmountToWords.h"
#include "printing/receipts/MyChitantePrewiev.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/receipts/ReceiptFixtures.h"
#include "tests/printing/support/RulePixels.h"
#include "tests/printing/support/ScreenText.h"

using namespace receipt_tests;

namespace {

// The model's page drawn at zoom 1 (436 x 609), its pixels as BGRA.
std::vector<unsigned char> DrawnPage(int model, const ChitantaTexts& texts)
{
    const UINT w = 436, h = 609;
    micro::gui::QComPtr<IWICImagingFactory> wic;
    micro::gui::QComPtr<IWICBitmap> bitmap;
    micro::gui::QComPtr<ID2D1Factory> d2d;
    micro::gui::QComPtr<ID2D1RenderTarget> target;
    EXPECT_HRESULT_SUCCEEDED(micro::gui::GetWicFactory(&wic));
    EXPECT_HRESULT_SUCCEEDED(wic->CreateBitmap(w, h, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &bitmap));
    EXPECT_HRESULT_SUCCEEDED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2d));
    EXPECT_HRESULT_SUCCEEDED(d2d->CreateWicBitmapRenderTarget(bitmap, D2D1::RenderTargetProperties(), &target));
    MyChitantePrewiev preview;
    static_cast<ChitantaTexts&>(preview) = texts;
    preview.model = model;
    preview.zoom = 1.0f;
    EXPECT_EQ(S_OK, preview.RenderFrame(target));
    std::vector<unsigned char> pixels(w * h * 4);
    bitmap->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size()), pixels.data());
    return pixels;
}

bool Dark(const std::vector<unsigned char>& pixels, UINT x, UINT y)
{
    const unsigned char* p = &pixels[(y * 436 + x) * 4];
    return p[0] + p[1] + p[2] < 384;
}

// Dark pixels in each of `bands` equal horizontal bands of the page.
std::vector<int> InkPerBand(int model, int bands)
{
    const UINT w = 436, h = 609;
    std::vector<unsigned char> pixels = DrawnPage(model, SampleTexts());
    std::vector<int> ink(bands, 0);
    for (UINT y = 0; y < h; ++y)
        for (UINT x = 0; x < w; ++x)
            ink[y * bands / h] += Dark(pixels, x, y);
    return ink;
}

} // namespace

TEST(ReceiptScreen, EachModelDrawsItsCopiesOnAWhitePage)
{
    std::vector<int> one = InkPerBand(3, 2);
    EXPECT_GT(one[0], 500);
    EXPECT_EQ(0, one[1]);   // nothing below the one receipt
    std::vector<int> two = InkPerBand(1, 2);
    EXPECT_GT(two[0], 500);
    EXPECT_GT(two[1], 500);
    std::vector<int> three = InkPerBand(2, 3);
    for (int band : three)
        EXPECT_GT(band, 500);
}

// An amount in words that would run off the sheet is set smaller on its own
// line: nothing is drawn between the frame and the sheet's edge, nor in the
// gap above the next row.
TEST(ReceiptScreen, ALongAmountInWordsStaysOnItsLineInsideTheFrame)
{
    ChitantaTexts texts = SampleTexts();
    texts.suma = L"777777.77";
    texts.sumaInLitere = AmountToWords(777777.77);
    std::vector<unsigned char> pixels = DrawnPage(3, texts);
    int outside = 0, between = 0, onLine = 0;
    for (UINT y = 265; y < 290; ++y)
        for (UINT x = 427; x < 436; ++x)
            outside += Dark(pixels, x, y);
    for (UINT x = 15; x < 420; ++x) {
        between += Dark(pixels, x, 278);
        for (UINT y = 265; y < 275; ++y)
            onLine += x > 380 && Dark(pixels, x, y);
    }
    EXPECT_EQ(0, outside);
    EXPECT_EQ(0, between);
    EXPECT_GT(onLine, 10); // its last words reach the right of the line
}

// The zoom and pan are the shared control's (tested with the invoice
// preview); the receipt's own pictures and fonts are remade on a new target.
TEST(ReceiptPreviewWindow, ALostDeviceRemakesThePicturesAndFonts)
{
    MyChitantePrewiev preview;
    std::string logo = LogoPicture();
    preview.logo.Append(logo.data(), static_cast<int>(logo.size()));
    ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
    SetWindowPos(preview, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    for (int paint = 0; paint < 2; ++paint) {
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
        ASSERT_NE(nullptr, preview.renderTarget);
        EXPECT_NE(nullptr, preview.logoBitmap);
        EXPECT_NE(nullptr, preview.formatTitle14);
        preview.HandleEndDraw(D2DERR_RECREATE_TARGET);
        EXPECT_EQ(nullptr, preview.renderTarget);
        EXPECT_EQ(nullptr, preview.logoBitmap);
    }
}

namespace {

// The gaps in every copy's frame on what the preview drew at the view.
std::string FrameGaps(const layout_tests::Frame& frame, const layout_tests::View& view, int model)
{
    std::string gaps;
    for (const D2D1_RECT_F& r : ChitantaScreenFrames(model))
        gaps += layout_tests::RuleGaps(frame, view, Stroke::Frame, {r.left, r.top, r.right, r.bottom});
    return gaps;
}

// The preview's next frame at its own zoom and pan, on a canvas that holds
// the whole page.
std::string FrameGapsOf(MyChitantePrewiev& preview, layout_tests::ScreenCanvas& canvas)
{
    layout_tests::View view{preview.zoom, preview.panX, preview.panY};
    std::vector<unsigned> pixels =
        canvas.DrawFrame([&](ID2D1RenderTarget* target) { return preview.RenderFrame(target); });
    return FrameGaps(layout_tests::Frame{pixels, canvas.Width(), canvas.Height()}, view, preview.model);
}

} // namespace

// Every copy's frame shows whole where the user looks first, the opening
// zoom (about 1.2999, 96 to the right) the preview runs at its first paint,
// and at every wheel step from there: up past 2 and down as far as the zoom
// goes. The window at the opening zoom is saved in test-out/.
TEST(ReceiptPreviewWindow, EveryFrameShowsWholeFromTheOpeningZoomAtEveryWheelStep)
{
    // Room for the page at the largest zoom tried, 2.1.
    layout_tests::ScreenCanvas canvas(static_cast<unsigned>(436 * 2.1f + 100), static_cast<unsigned>(609 * 2.1f + 4),
                                      96);
    for (int model : {1, 2, 3}) {
        MyChitantePrewiev preview;
        static_cast<ChitantaTexts&>(preview) = SampleTexts();
        std::string logo = LogoPicture(), stamp = StampPicture();
        preview.logo.Append(logo.data(), static_cast<int>(logo.size()));
        preview.stampila.Append(stamp.data(), static_cast<int>(stamp.size()));
        preview.model = model;
        preview.firstPaint = 1;
        ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(preview, nullptr, 0, 0, 680, 800, SWP_NOZORDER);
        for (int paint = 0; paint < 2; ++paint) {
            InvalidateRect(preview, nullptr, TRUE);
            UpdateWindow(preview);
        }
        EXPECT_NEAR(1.2999f, preview.zoom, 2e-4);
        EXPECT_NEAR(96.0f, preview.panX, 0.1);
        layout_tests::View opening{preview.zoom, preview.panX, preview.panY};
        testing_support::SaveWindowPng(preview, L"rules-receipt-" + std::to_wstring(model));
        EXPECT_EQ("", FrameGaps(layout_tests::FrameOfWindow(preview), opening, model)) << "model " << model;
        EXPECT_EQ("", FrameGapsOf(preview, canvas)) << "model " << model;
        // The wheel steps are drawn off screen only.
        ShowWindow(preview, SW_HIDE);
        for (int notch = 0; notch < 4; ++notch) {
            layout_tests::TurnWheel(preview, 1);
            EXPECT_EQ("", FrameGapsOf(preview, canvas)) << "model " << model;
        }
        layout_tests::TurnWheel(preview, -4);
        for (float last = 0; preview.zoom != last;) {
            last = preview.zoom;
            layout_tests::TurnWheel(preview, -1);
            EXPECT_EQ("", FrameGapsOf(preview, canvas)) << "model " << model;
        }
        EXPECT_NEAR(0.2f, preview.zoom, 1e-6);
    }
}
