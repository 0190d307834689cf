// The receipt page on screen, recorded call by call while it is drawn into a
// bitmap (saved to test-out/ for a person to look at), and the preview's
// device handling (zoom and pan are the shared control's, tested once).
#include <gtest/gtest.h>
#include "printing/receipts/MyChitantePrewiev.h"
#include "printing/preview/PreviewSupport.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/RecordingTarget.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using namespace layout_tests;
using namespace receipt_tests;

namespace {

struct Expected {
    int model;
    std::vector<D2D1_RECT_F> frames;
    std::vector<D2D1_RECT_F> pictures;  // logos, then stamps
    std::vector<float> copyShifts;
    D2D1_RECT_F title;                  // row 1 of the first copy
};

// Draws the model's page as the preview's next paint would, at zoom 2.
std::vector<DrawCall> DrawModel(int model, bool pictures, const std::wstring& png = L"")
{
    PageCanvas canvas(2.0f);
    EXPECT_TRUE(canvas.Ready());
    MyChitantePrewiev preview;
    static_cast<ChitantaTexts&>(preview) = SampleTexts();
    if (pictures) {
        std::string logo = LogoPicture(), stamp = StampPicture();
        preview.logo.Append(logo.data(), static_cast<int>(logo.size()));
        preview.stampila.Append(stamp.data(), static_cast<int>(stamp.size()));
    }
    preview.model = model;
    preview.zoom = 2.0f;
    EXPECT_EQ(S_OK, preview.RenderFrame(&canvas.Recorder()));
    if (!png.empty()) {
        EXPECT_TRUE(canvas.Save(png));
    }
    return canvas.Recorder().calls;
}

std::vector<const DrawCall*> TextsStartingWith(const std::vector<DrawCall>& calls, const std::wstring& prefix)
{
    std::vector<const DrawCall*> out;
    for (const DrawCall& c : calls)
        if (c.kind == DrawCall::Text && c.text.compare(0, prefix.size(), prefix) == 0)
            out.push_back(&c);
    return out;
}

void ExpectRect(const D2D1_RECT_F& want, const D2D1_RECT_F& got, const char* what)
{
    EXPECT_FLOAT_EQ(want.left, got.left) << what;
    EXPECT_FLOAT_EQ(want.top, got.top) << what;
    EXPECT_FLOAT_EQ(want.right, got.right) << what;
    EXPECT_FLOAT_EQ(want.bottom, got.bottom) << what;
}

} // namespace

TEST(ReceiptScreen, EachModelDrawsItsFramesPicturesAndFifteenTextsPerCopy)
{
    const Expected cases[] = {
        {3, {{10, 10, 426, 299}}, {{20, 20, 156, 70}, {320, 182, 378, 240}}, {0}, {148, 110, 420, 120}},
        {1,
         {{10, 10, 426, 299}, {10, 309, 426, 599}},
         {{20, 20, 156, 70}, {20, 319, 156, 369}, {320, 182, 378, 240}, {320, 481, 378, 539}},
         {0, 299},
         {148, 110, 420, 120}},
        {2,
         {{10, 10, 426, 200}, {10, 210, 426, 400}, {10, 410, 426, 599}},
         {{20, 20, 156, 70}, {20, 220, 156, 270}, {20, 420, 156, 470}, {320, 84, 378, 142}, {320, 284, 378, 342},
          {320, 484, 378, 542}},
         {0, 200, 400},
         {200, 40, 420, 50}},
    };
    for (const Expected& e : cases) {
        SCOPED_TRACE("model " + std::to_string(e.model));
        std::vector<DrawCall> calls = DrawModel(e.model, true, L"receipt_screen_model" + std::to_wstring(e.model));
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(DrawCall::Fill, calls[0].kind);
        ExpectRect(D2D1::RectF(0, 0, 436, 609), calls[0].rect, "white sheet");

        std::vector<DrawCall> frames = CallsOf(calls, DrawCall::Frame);
        ASSERT_EQ(e.frames.size(), frames.size());
        for (size_t i = 0; i < frames.size(); ++i) {
            ExpectRect(e.frames[i], frames[i].rect, "frame");
            EXPECT_FLOAT_EQ(0.5f, frames[i].stroke);
        }
        std::vector<DrawCall> pictures = CallsOf(calls, DrawCall::Bitmap);
        ASSERT_EQ(e.pictures.size(), pictures.size());
        for (size_t i = 0; i < pictures.size(); ++i)
            ExpectRect(e.pictures[i], pictures[i].rect, "logo or stamp");

        size_t copies = e.copyShifts.size();
        EXPECT_EQ(15 * copies, CallsOf(calls, DrawCall::Text).size());
        std::vector<const DrawCall*> titles = TextsStartingWith(calls, L"Chitanta seria: AB Nr.: 7");
        ASSERT_EQ(copies, titles.size());
        for (size_t c = 0; c < copies; ++c) {
            D2D1_RECT_F want = e.title;
            want.top += e.copyShifts[c];
            want.bottom += e.copyShifts[c];
            ExpectRect(want, titles[c]->rect, "title");
            EXPECT_FLOAT_EQ(14, titles[c]->fontSize);
        }
        // Nothing of model 3 below its one receipt.
        for (const DrawCall& c : calls) {
            if (e.model == 3 && c.kind != DrawCall::Fill) {
                EXPECT_LE(c.rect.top, 299) << testing_support::Narrow(c.text);
            }
        }
    }
}

TEST(ReceiptScreen, TextsCarryTheScreenLabelsFormatsAndTheTwoCopyExceptions)
{
    std::vector<DrawCall> calls = DrawModel(1, false);
    EXPECT_TRUE(CallsOf(calls, DrawCall::Bitmap).empty());

    const DrawCall* date = FindText(calls, L"data 06-12-2026");
    ASSERT_TRUE(date);
    EXPECT_FLOAT_EQ(176, date->rect.left);
    EXPECT_EQ(2, CountText(calls, L"NrOrd.Reg.Com: J40/1/2000"));
    EXPECT_EQ(2, CountText(calls, L"C.I.F. : RO123"));
    EXPECT_EQ(2, CountText(calls, L"C.U.I.: RO777"));
    const DrawCall* amount =
        FindText(calls, L"Suma de 1456.78 ( una mie patru sute cincizeci si sase   lei si  saptezeci si opt  bani )");
    ASSERT_TRUE(amount);
    EXPECT_FLOAT_EQ(9, amount->fontSize);
    EXPECT_FLOAT_EQ(265, amount->rect.top);

    // The company name ends at 400 in the upper copy, 500 in the lower; the
    // company address at 500 in the upper, 300 in the lower.
    std::vector<const DrawCall*> names = TextsStartingWith(calls, L"Unitatea ");
    ASSERT_EQ(2u, names.size());
    EXPECT_FLOAT_EQ(400, names[0]->rect.right);
    EXPECT_FLOAT_EQ(500, names[1]->rect.right);
    EXPECT_FLOAT_EQ(454, names[1]->rect.top);
    std::vector<const DrawCall*> addresses = TextsStartingWith(calls, L"Adresa Bd.");
    ASSERT_EQ(2u, addresses.size());
    EXPECT_FLOAT_EQ(500, addresses[0]->rect.right);
    EXPECT_FLOAT_EQ(300, addresses[1]->rect.right);

    // Elsewhere the company name runs to 500.
    std::vector<DrawCall> one = DrawModel(3, false);
    EXPECT_FLOAT_EQ(500, FindText(one, L"Unitatea Firma Test SRL")->rect.right);
}

namespace {

class ReceiptPreviewWindow : public ::testing::Test {
protected:
    void Open(MyChitantePrewiev& preview)
    {
        ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(preview, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    }
    static void Paint(MyChitantePrewiev& preview)
    {
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
    }
};

} // namespace

TEST_F(ReceiptPreviewWindow, FirstPageZoomsInOnceAndALostDeviceStartsAfresh)
{
    MyChitantePrewiev preview;
    std::string logo = LogoPicture();
    preview.logo.Append(logo.data(), static_cast<int>(logo.size()));
    preview.firstPaint = 1;
    Open(preview);
    Paint(preview);
    ASSERT_NE(nullptr, preview.renderTarget);
    EXPECT_NE(nullptr, preview.logoBitmap);
    EXPECT_EQ(nullptr, preview.stampBitmap);
    EXPECT_EQ(0, preview.firstPaint);
    EXPECT_NEAR(1.2999f, preview.zoom, 1e-4);
    EXPECT_NEAR(96.0f, preview.panX, 0.05);

    preview.panY = 7;
    preview.HandleEndDraw(D2DERR_RECREATE_TARGET);
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);
    EXPECT_NEAR(96.0f, preview.panX, 0.05);
    EXPECT_FLOAT_EQ(7, preview.panY);
    EXPECT_EQ(nullptr, preview.renderTarget);
    EXPECT_EQ(nullptr, preview.blackBrush);
    EXPECT_EQ(nullptr, preview.logoBitmap);

    Paint(preview);
    EXPECT_NE(nullptr, preview.renderTarget);
    EXPECT_NE(nullptr, preview.logoBitmap);
    EXPECT_NE(nullptr, preview.formatTitle14);
    EXPECT_FLOAT_EQ(1.0f, preview.zoom);   // no second opening zoom

    // A zero-sized window keeps the target; the next paint draws at the new size.
    SetWindowPos(preview, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_NE(nullptr, preview.renderTarget);
    SetWindowPos(preview, nullptr, 0, 0, 320, 200, SWP_NOZORDER | SWP_NOMOVE);
    Paint(preview);
    D2D1_SIZE_U size = preview.renderTarget->GetPixelSize();
    EXPECT_EQ(320u, size.width);
    EXPECT_EQ(200u, size.height);
}
