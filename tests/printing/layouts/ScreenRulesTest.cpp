// The rules of the screen pages (column rules, frames, boxes) show whole
// where the user looks: at the preview's opening zoom and pan, and at every
// wheel step from there, up past 2 (where the paper's 0.5 makes a pixel) and
// down to the smallest page. Each page is opened in the real preview, which
// runs its opening zoom at its first paint; the wheel turns it. What the
// window shows at the opening zoom is saved in test-out/ to be looked at.
#include <gtest/gtest.h>
#include "printing/layouts/ScreenDrawing.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/preview/MyPrewiev.h"
#include "printing/preview/PreviewSupport.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/RulePixels.h"
#include "tests/printing/support/ScreenText.h"

using namespace layout_tests;

namespace {

// Rules of both directions at places that fall on many fractions of a
// pixel, 15 units apart at least (3 pixels at the smallest zoom), and frames.
struct RuleSet {
    std::vector<ScreenLine> lines, frames;
};
RuleSet SweptRules()
{
    RuleSet set;
    for (int i = 0; i < 12; ++i)
        set.lines.push_back({10 + i * 15.37f, 10, 10 + i * 15.37f, 60});
    for (int i = 0; i < 8; ++i)
        set.lines.push_back({10, 70 + i * 15.37f, 190, 70 + i * 15.37f});
    for (int i = 0; i < 6; ++i) {
        float x = 205 + (i % 2) * 45.13f, y = 10 + (i / 2) * 40.71f;
        set.frames.push_back({x, y, x + 30.3f, y + 25.9f});
    }
    return set;
}

// The rules drawn on white under the view, as the pages draw them.
Frame DrawRules(ScreenCanvas& canvas, const RuleSet& set, const View& view)
{
    std::vector<unsigned> pixels = canvas.Draw([&](const ScreenPage& page) {
        page.target->SetTransform(D2D1::Matrix3x2F::Scale(view.zoom, view.zoom) *
                                  D2D1::Matrix3x2F::Translation(view.panX, view.panY));
        for (const ScreenLine& line : set.lines)
            DrawScreenLine(page, Stroke::Line, line);
        for (const ScreenLine& frame : set.frames)
            DrawScreenLine(page, Stroke::Frame, frame);
    });
    return Frame{pixels, canvas.Width(), canvas.Height()};
}

} // namespace

// Under the smallest zoom, zooms from 0.35 to 2.15 and the openings', pans
// on every quarter of a pixel and three DPIs, every rule shows along its
// whole length, and is no more than two pixels thick where the paper's 0.5
// would be under a pixel.
TEST(ScreenRules, EveryRuleShowsWholeAtEveryZoomPanAndDpi)
{
    RuleSet set = SweptRules();
    std::vector<float> zooms = {kPreviewMinZoom, 1.14998f, 1.2999f};
    for (int step = 0; step < 10; ++step)
        zooms.push_back(0.35f + 0.2f * step);
    for (float dpi : {96.0f, 120.0f, 144.0f}) {
        // Room for the rules (285 x 180 units) at the largest zoom.
        ScreenCanvas canvas(static_cast<unsigned>((285 * 2.2f + 85) * dpi / 96),
                            static_cast<unsigned>((180 * 2.2f + 1) * dpi / 96), dpi);
        for (float zoom : zooms) {
            for (float pan : {84.0f, 84.25f, 84.5f, 84.75f}) {
                View view{zoom, pan, pan - 84};
                view.dpi = dpi;
                Frame frame = DrawRules(canvas, set, view);
                std::string gaps;
                for (const ScreenLine& line : set.lines)
                    gaps += RuleGaps(frame, view, Stroke::Line, line);
                for (const ScreenLine& box : set.frames)
                    gaps += RuleGaps(frame, view, Stroke::Frame, box);
                ASSERT_EQ("", gaps);
                if (0.5f * zoom * dpi / 96 >= 1)
                    continue;
                for (const ScreenLine& line : set.lines)
                    EXPECT_GE(2, RuleThickness(frame, view, line)) << zoom << " " << pan << " " << dpi;
            }
        }
    }
}

namespace {

class ScreenRulesOfPages : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        SetCompany(tempDb);
        SetCompanyImages(tempDb);
    }

    // The document of the type opened in the layout as the print dialog
    // opens it, the page's rules checked at the opening zoom and at every
    // wheel step.
    void Check(int type, int layout, std::vector<PageRule> (*rules)(const FacturaDate&), const std::wstring& name)
    {
        unsigned long long id = AddDocument(tempDb, type, 1, ShortNames(3)).documentId;
        std::vector<PageRule> pageRules = rules(FacturaDate(id, type));
        ASSERT_GT(pageRules.size(), 5u);
        MyPrewiev preview;
        // Room for the whole page at the opening zoom.
        ASSERT_TRUE(preview.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
        SetWindowPos(preview, nullptr, 0, 0, 600, 720, SWP_NOZORDER);
        preview.CreateDocument(type, id);
        preview.SetModel(layout);
        // The first paint runs the opening zoom; the second shows it.
        Paint(preview);
        Paint(preview);
        EXPECT_NEAR(1.14998f, preview.zoom, 2e-4);
        EXPECT_NEAR(84.0f, preview.panX, 0.1);
        View opening{preview.zoom, preview.panX, preview.panY};
        testing_support::SaveWindowPng(preview, L"rules-" + name);
        EXPECT_EQ("", Gaps(FrameOfWindow(preview), opening, pageRules))
            << "the window of " << testing_support::Narrow(name);
        ExpectRulesShow(preview, pageRules, name);
        // The wheel steps are drawn off screen only: a hidden window does
        // not paint each one as well.
        ShowWindow(preview, SW_HIDE);
        // Up to 2.15 a notch at a time, back to the opening at once, then
        // down as far as the zoom goes.
        for (int notch = 0; notch < 5; ++notch) {
            TurnWheel(preview, 1);
            ExpectRulesShow(preview, pageRules, name);
        }
        TurnWheel(preview, -5);
        EXPECT_NEAR(1.14998f, preview.zoom, 1e-3);
        for (float last = 0; preview.zoom != last;) {
            last = preview.zoom;
            TurnWheel(preview, -1);
            ExpectRulesShow(preview, pageRules, name);
        }
        EXPECT_FLOAT_EQ(MyPrewiev::kMinZoom, preview.zoom);
    }

    static void Paint(MyPrewiev& preview)
    {
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
    }
    static std::string Gaps(const Frame& frame, const View& view, const std::vector<PageRule>& rules)
    {
        std::string gaps;
        for (const PageRule& rule : rules)
            gaps += RuleGaps(frame, view, rule.stroke, rule.screen);
        return gaps;
    }
    // The preview's next frame at its own zoom and pan, the whole page in it.
    static void ExpectRulesShow(MyPrewiev& preview, const std::vector<PageRule>& rules, const std::wstring& name)
    {
        View view{preview.zoom, preview.panX, preview.panY};
        Frame frame = FrameOfBitmap(FrameWidth(view), FrameHeight(view),
                                    [&](IWICBitmap* bitmap) { return preview.RenderToWicBitmap(bitmap); });
        EXPECT_EQ("", Gaps(frame, view, rules)) << testing_support::Narrow(name);
    }
};

} // namespace

// The invoice's title box, and the proforma's shorter one.
TEST_F(ScreenRulesOfPages, Layout1)
{
    Check(0, 1, ScreenRulesOfLayout1, L"layout1");
    Check(1, 1, ScreenRulesOfLayout1, L"layout1-proforma");
}

TEST_F(ScreenRulesOfPages, Layout2) { Check(0, 2, ScreenRulesOfLayout2, L"layout2"); }

TEST_F(ScreenRulesOfPages, Layout3BothCopies) { Check(0, 3, ScreenRulesOfLayout3, L"layout3"); }

TEST_F(ScreenRulesOfPages, GoodsReceivedNote) { Check(3, 1, ScreenRulesOfNir, L"note"); }
