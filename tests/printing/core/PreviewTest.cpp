#include <gtest/gtest.h>
#include <vector>
#include "framework/gui/QImage.h"
#include "printing/preview/MyPrewiev.h"
#include "resources/resource.h"
#include "tests/printing/support/PrintFixtures.h"

namespace {

class PreviewTest : public testing_support::DatabaseTest {
protected:
    // A visible preview of 400 x 300 pixels (a popup: it needs no parent).
    void Open(MyPrewiev& preview)
    {
        ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(preview, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    }
    static void Paint(MyPrewiev& preview)
    {
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
    }
    static void Send(MyPrewiev& preview, UINT message, WPARAM wParam, int x = 0, int y = 0)
    {
        SendMessageW(preview, message, wParam, MAKELPARAM(x, y));
    }
};

// The preview's next frame drawn off screen at width x height, as 0xRRGGBB
// per pixel.
std::vector<unsigned> Render(MyPrewiev& preview, UINT width, UINT height)
{
    micro::gui::QComPtr<IWICImagingFactory> factory;
    micro::gui::QComPtr<IWICBitmap> bitmap;
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    if (FAILED(micro::gui::GetWicFactory(&factory)) ||
        FAILED(factory->CreateBitmap(width, height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &bitmap)) ||
        FAILED(preview.RenderToWicBitmap(bitmap)) ||
        FAILED(bitmap->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(pixels.data()))))
        return std::vector<unsigned>();
    for (unsigned& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// The page at zoom 2 from the top-left corner, once the opening zoom has run.
std::vector<unsigned> AtZoomTwo(MyPrewiev& preview, UINT width, UINT height)
{
    if (Render(preview, 100, 100).empty())
        return std::vector<unsigned>();
    preview.zoom = 2.0f;
    preview.panX = preview.panY = 0;
    return Render(preview, width, height);
}

} // namespace

TEST_F(PreviewTest, WheelZoomsByWholeNotchesWithinBoundsAndDragPans)
{
    MyPrewiev preview;
    Open(preview);
    // Whole notches only (200 is one, the other 80 dropped), within [0.2, 10].
    const struct {
        int delta, times;
        float zoom;
    } wheel[] = {{60, 1, 1.0f}, {60, 1, 1.2f}, {200, 1, 1.4f}, {-120, 1, 1.2f}, {120, 60, 10.0f}, {-9600, 1, 0.2f}};
    for (const auto& w : wheel) {
        for (int i = 0; i < w.times; ++i)
            Send(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(w.delta))));
        EXPECT_NEAR(w.zoom, preview.zoom, 1e-5) << w.delta;
    }
    // Dragging pans by the mouse movement whatever the zoom.
    preview.zoom = 3.0f;
    Send(preview, WM_MOUSEMOVE, 0, 100, 100);
    Send(preview, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    Send(preview, WM_MOUSEMOVE, 0, 110, 105);
    Send(preview, WM_LBUTTONUP, 0, 110, 105);
    Send(preview, WM_MOUSEMOVE, 0, 200, 200);
    EXPECT_FLOAT_EQ(10.0f, preview.panX);
    EXPECT_FLOAT_EQ(5.0f, preview.panY);
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
    unsigned long long invoice = printing_tests::AddHeader(tempDb, L"Facturi", 1, 0, 10, 2.4, 12.4);
    auto mouse = [](MyPrewiev& p, UINT message, int x, int y) {
        Send(p, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, x, y);
    };
    MyPrewiev preview;
    Open(preview);
    preview.CreateDocument(0, invoice);
    Paint(preview);
    Paint(preview);
    mouse(preview, WM_LBUTTONDOWN, 100, 100);
    mouse(preview, WM_MOUSEMOVE, 100, 100);
    for (int step = 0; step < 4; ++step) {
        if (step % 2)
            Send(preview, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(step == 1 ? 120 : -120))));
        else
            mouse(preview, WM_MOUSEMOVE, 100 - 7 * (step + 1), 100 - 5 * (step + 1));
        std::vector<COLORREF> stepped = Grab(preview, 400, 300);
        // The same frame drawn directly, without a kept picture.
        std::vector<unsigned> direct = Render(preview, 400, 300);
        ASSERT_FALSE(direct.empty());
        int differ = 0;
        for (UINT y = 0, i = 0; y < 300; y += 2)
            for (UINT x = 0; x < 400; x += 2, ++i) {
                unsigned rgb = direct[y * 400 + x];
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
    mouse(preview, WM_MOUSEMOVE, 60, 60);
    mouse(preview, WM_MOUSEMOVE, 60, 60);
    UpdateWindow(preview);
    std::vector<COLORREF> changed = Grab(preview, 400, 300);
    Paint(preview);
    EXPECT_TRUE(changed == Grab(preview, 400, 300));
    EXPECT_FALSE(changed == plain);
    mouse(preview, WM_LBUTTONUP, 60, 60);
}

TEST_F(PreviewTest, FirstPaintZoomsInOnceAndADeviceLossRemakesTargetAndBackground)
{
    MyPrewiev preview;
    Open(preview);
    preview.CreateDocument(0, 0);
    // Chosen before the first paint: no target yet, nothing to crash on.
    ASSERT_TRUE(preview.SetBackgroundResource(IDJ_FUNDAL1));
    EXPECT_EQ(nullptr, preview.GetBackgroundBitmap());
    Paint(preview);
    ASSERT_NE(nullptr, preview.GetWindowRenderTarget());
    EXPECT_NE(nullptr, preview.GetBackgroundBitmap());
    EXPECT_NEAR(1.14998f, preview.zoom, 2e-4);
    EXPECT_NEAR(84.0f, preview.panX, 0.1);

    preview.HandleEndDraw(D2DERR_RECREATE_TARGET);
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);
    EXPECT_EQ(nullptr, preview.GetWindowRenderTarget());
    EXPECT_EQ(nullptr, preview.GetBackgroundBitmap());
    Paint(preview);
    EXPECT_NE(nullptr, preview.GetWindowRenderTarget());
    EXPECT_NE(nullptr, preview.GetBackgroundBitmap());
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);   // the opening zoom runs once per document
}

TEST_F(PreviewTest, DocumentsOfEveryTypeDrawAWhitePageOthersStayBlack)
{
    unsigned long long invoice = printing_tests::AddHeader(tempDb, L"Facturi", 1, 0, 10, 2.4, 12.4);
    const struct {
        int type, model;
        bool page;
    } cases[] = {{0, 1, true}, {0, 2, true}, {0, 7, true}, {1, 1, true},
                 {2, 1, true}, {3, 1, true}, {4, 1, true}, {5, 1, false}};
    for (const auto& c : cases) {
        MyPrewiev preview;
        preview.CreateDocument(c.type, invoice);
        EXPECT_EQ(c.page, preview.GetDocument() != nullptr) << "type " << c.type;
        preview.SetModel(c.model);
        std::vector<unsigned> frame = AtZoomTwo(preview, 900, 1240);
        ASSERT_FALSE(frame.empty());
        EXPECT_EQ(c.page ? 0xFFFFFFu : 0u, frame[600 * 900 + 400]) << "type " << c.type;
        EXPECT_EQ(0u, frame[1230 * 900 + 890]) << "type " << c.type;   // outside the 872 x 1218 page
    }
}

// A table full (31 lines) and overfull (200) look alike below its foot (500)
// and left of the totals column (320): signatures and transport texts only.
TEST_F(PreviewTest, ScreenPagesDrawNoRowsBelowTheirItemTable)
{
    layout_tests::SetCompany(tempDb);
    for (int type : {0, 3}) {
        std::vector<unsigned> frames[2];
        for (int k = 0; k < 2; ++k) {
            MyPrewiev preview;
            preview.CreateDocument(type, layout_tests::AddDocument(tempDb, type, 1 + k,
                                                                   layout_tests::ShortNames(k ? 200 : 31)).documentId);
            preview.SetModel(1);
            frames[k] = AtZoomTwo(preview, 872, 1218);
            ASSERT_FALSE(frames[k].empty());
        }
        int differing = 0;
        for (int y = 2 * 502; y < 2 * 599; ++y)
            for (int x = 2 * 11; x < 2 * 318; ++x)
                differing += frames[0][y * 872 + x] != frames[1][y * 872 + x];
        EXPECT_EQ(0, differing) << "type " << type;
    }
}
