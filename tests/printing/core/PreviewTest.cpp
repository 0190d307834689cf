#include <gtest/gtest.h>
#include <vector>
#include "framework/gui/QImage.h"
#include "printing/PrintBackground.h"
#include "printing/preview/DrawFactura.h"
#include "printing/preview/MyPrewiev.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/core/PreviewRender.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace printing_tests;

namespace {

class PreviewTest : public testing_support::DatabaseTest {
protected:
    // A visible preview of 400 x 300 pixels (a popup: it needs no parent).
    void Open(MyPrewiev& preview)
    {
        ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(preview, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    }
    void Paint(MyPrewiev& preview)
    {
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
    }
    void Wheel(MyPrewiev& preview, int delta)
    {
        SendMessageW(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    }
    void Mouse(MyPrewiev& preview, UINT message, int x, int y)
    {
        SendMessageW(preview, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
};

} // namespace

TEST_F(PreviewTest, WheelZoomsByWholeNotchesAndStaysInBounds)
{
    MyPrewiev preview;
    Open(preview);
    Wheel(preview, 60);
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);
    Wheel(preview, 60);
    EXPECT_NEAR(1.2f, preview.zoom, 1e-5);
    Wheel(preview, 200);   // one notch, the other 80 dropped
    EXPECT_NEAR(1.4f, preview.zoom, 1e-5);
    Wheel(preview, -120);
    EXPECT_NEAR(1.2f, preview.zoom, 1e-5);

    for (int i = 0; i < 60; ++i)
        Wheel(preview, 120);
    EXPECT_FLOAT_EQ(10.0f, preview.zoom);
    Wheel(preview, -120 * 80);
    EXPECT_FLOAT_EQ(0.2f, preview.zoom);
}

TEST_F(PreviewTest, DraggingPansByTheMouseMovementWhateverTheZoom)
{
    MyPrewiev preview;
    Open(preview);
    preview.zoom = 3.0f;
    Mouse(preview, WM_MOUSEMOVE, 100, 100);
    Mouse(preview, WM_LBUTTONDOWN, 100, 100);
    Mouse(preview, WM_MOUSEMOVE, 110, 105);
    EXPECT_FLOAT_EQ(10.0f, preview.panX);
    EXPECT_FLOAT_EQ(5.0f, preview.panY);
    Mouse(preview, WM_LBUTTONUP, 110, 105);
    Mouse(preview, WM_MOUSEMOVE, 200, 200);
    EXPECT_FLOAT_EQ(10.0f, preview.panX);
    EXPECT_FLOAT_EQ(5.0f, preview.panY);
}

TEST_F(PreviewTest, FirstPaintEndsZoomedInAndDeviceLossKeepsThePan)
{
    MyPrewiev preview;
    Open(preview);
    preview.CreateDocument(0, 0);
    Paint(preview);
    ASSERT_NE(nullptr, preview.GetWindowRenderTarget());
    EXPECT_NEAR(1.14998f, preview.zoom, 2e-4);
    EXPECT_NEAR(84.0f, preview.panX, 0.1);

    preview.HandleEndDraw(D2DERR_RECREATE_TARGET);
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);
    EXPECT_NEAR(84.0f, preview.panX, 0.1);
    EXPECT_EQ(nullptr, preview.GetWindowRenderTarget());
    Paint(preview);
    EXPECT_NE(nullptr, preview.GetWindowRenderTarget());
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);   // the opening zoom runs once per document
}

namespace {
// The window's pixels as the screen shows them.
std::vector<COLORREF> Grab(HWND window, int width, int height)
{
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; y += 2)
        for (int x = 0; x < width; x += 2)
            pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}
} // namespace

// Pan and zoom steps reuse the page drawn before: they must show what a
// fresh paint shows, and never hide a page changed meanwhile.
TEST_F(PreviewTest, PanAndZoomStepsShowWhatAFreshPaintShows)
{
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 1, 0, 10, 2.4, 12.4);
    MyPrewiev preview;
    Open(preview);
    preview.CreateDocument(0, invoice);
    Paint(preview);
    Paint(preview);
    Mouse(preview, WM_LBUTTONDOWN, 100, 100);
    Mouse(preview, WM_MOUSEMOVE, 100, 100);
    for (int step = 0; step < 4; ++step) {
        if (step % 2)
            Wheel(preview, step == 1 ? 120 : -120);
        else
            Mouse(preview, WM_MOUSEMOVE, 100 - 7 * (step + 1), 100 - 5 * (step + 1));
        std::vector<COLORREF> stepped = Grab(preview, 400, 300);
        // The same frame drawn directly, without a kept picture.
        Frame direct;
        ASSERT_TRUE(RenderPreview(preview, 400, 300, direct));
        int differ = 0;
        for (UINT y = 0, i = 0; y < 300; y += 2)
            for (UINT x = 0; x < 400; x += 2, ++i) {
                unsigned rgb = direct.Pixel(x, y);
                COLORREF expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
                differ += stepped[i] != expected;
            }
        // Edges may round to the next pixel (the page is moved whole, not
        // drawn again at the new offset); a misplaced or stale page differs
        // in far more.
        EXPECT_LT(differ, static_cast<int>(stepped.size()) / 50) << "step " << step;
        Paint(preview);
        EXPECT_TRUE(stepped == Grab(preview, 400, 300)) << "step " << step;
    }
    // A page changed but not yet painted, then a pan step: the change shows.
    Paint(preview);
    std::vector<COLORREF> plain = Grab(preview, 400, 300);
    preview.SetBackgroundResource(IDJ_FUNDAL1);
    Mouse(preview, WM_MOUSEMOVE, 60, 60);
    Mouse(preview, WM_MOUSEMOVE, 60, 60);
    UpdateWindow(preview);
    std::vector<COLORREF> changed = Grab(preview, 400, 300);
    Paint(preview);
    EXPECT_TRUE(changed == Grab(preview, 400, 300));
    EXPECT_FALSE(changed == plain);
    Mouse(preview, WM_LBUTTONUP, 60, 60);
}

TEST_F(PreviewTest, BackgroundIsMadeOnEachRenderTargetFromItsPicture)
{
    MyPrewiev preview;
    Open(preview);
    preview.CreateDocument(0, 0);
    // Chosen before the first paint: no target yet, nothing to crash on.
    ASSERT_TRUE(preview.SetBackgroundResource(IDJ_FUNDAL1));
    EXPECT_EQ(nullptr, preview.GetBackgroundBitmap());
    Paint(preview);
    EXPECT_NE(nullptr, preview.GetBackgroundBitmap());
    preview.HandleEndDraw(D2DERR_RECREATE_TARGET);
    EXPECT_EQ(nullptr, preview.GetBackgroundBitmap());
    Paint(preview);
    EXPECT_NE(nullptr, preview.GetBackgroundBitmap());
    preview.ClearBackground();
    EXPECT_EQ(nullptr, preview.GetBackgroundBitmap());
    EXPECT_FALSE(preview.HasBackground());
}

TEST_F(PreviewTest, DocumentsOfEveryTypeDrawAWhitePageOthersStayBlack)
{
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 1, 0, 10, 2.4, 12.4);
    struct Case {
        int type;
        int model;
        bool page;
        const wchar_t* png;
    } cases[] = {{0, 1, true, L"preview_invoice_layout1"}, {0, 2, true, L"preview_invoice_layout2"},
                 {0, 7, true, L"preview_invoice_layout3"}, {1, 1, true, nullptr},
                 {2, 1, true, nullptr},                    {3, 1, true, L"preview_nir"},
                 {4, 1, true, L"preview_return_invoice"},  {5, 1, false, nullptr}};
    for (const Case& c : cases) {
        MyPrewiev preview;
        preview.CreateDocument(c.type, invoice);
        EXPECT_EQ(c.page, preview.GetDocument() != nullptr) << "type " << c.type;
        preview.SetModel(c.model);
        Frame frame;
        ASSERT_TRUE(RenderPreview(preview, 100, 100, frame));   // the first draw runs the opening zoom
        preview.zoom = 2.0f;
        preview.panX = preview.panY = 0;
        ASSERT_TRUE(RenderPreview(preview, 900, 1240, frame, c.png ? c.png : L""));
        EXPECT_EQ(c.page ? 0xFFFFFFu : 0u, frame.Pixel(400, 600)) << "type " << c.type;
        EXPECT_EQ(0u, frame.Pixel(890, 1230)) << "type " << c.type;   // outside the 872 x 1218 page
    }
}
