// The receipt on paper: the page drawn into enhanced metafiles and read back
// record by record.
#include <gtest/gtest.h>
#include "printing/receipts/PrintChitanta.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using namespace layout_tests;
using namespace receipt_tests;

namespace {

const int kW = 4960;
const int kH = 7016;

EmfPage DrawOnMetafile(int model)
{
    std::string pictures[] = {LogoPicture(), StampPicture()};
    micro::utils::QBuffer logo, stamp;
    logo.Append(pictures[0].data(), static_cast<int>(pictures[0].size()));
    stamp.Append(pictures[1].data(), static_cast<int>(pictures[1].size()));
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawChitantaPage(dc, kW, kH, model, SampleTexts(), logo, stamp);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    EmfPage page = ReadMetafile(metafile);
    DeleteEnhMetaFile(metafile);
    return page;
}

const wchar_t kTitle[] = L"Chitanta seria: AB Nr.: 7";

} // namespace

TEST(ReceiptPrinted, EachModelPrintsItsCopiesFramesTitlesAndPicturesAndReleasesEveryObject)
{
    Scale s(kW, kH);
    int m = s.Y(10), r = static_cast<int>(kW - 10 * s.sy), third = static_cast<int>(kH / 3.0f - 10 * s.sy / 3.0f);
    const struct {
        int model;
        std::vector<RECT> frames;
        std::vector<POINT> titles;
        size_t texts, pictures;
    } cases[] = {
        {1, {{115, 115, 4844, 3450}, {115, 3565, 4844, 6900}}, {{1666, 1275}, {1666, 4725}}, 30, 4},
        {2,
         {{m, m, r, third},
          {m, static_cast<int>(third + 10 * s.sy), r, third + third},
          {m, static_cast<int>(third + third + 10 * s.sy), r, static_cast<int>(kH - 10 * s.sy)}},
         {{s.X(200), s.Y(40)},
          {s.X(200), static_cast<int>(40 * s.sy + third)},
          {s.X(200), static_cast<int>(40 * s.sy + third + third)}},
         45, 6},
        {3, {{m, m, r, 3450}}, {{1666, 1275}}, 15, 2},
    };
    for (const auto& c : cases) {
        EmfPage page = DrawOnMetafile(c.model);
        ASSERT_EQ(1u, page.penWidths.size());
        EXPECT_EQ(5, page.penWidths[0]);
        ASSERT_EQ(c.frames.size(), page.strokes.size()) << c.model;
        for (const RECT& f : c.frames)
            EXPECT_TRUE(page.HasFrame(f.left, f.top, f.right, f.bottom)) << c.model;
        std::vector<EmfText> titles = page.StartingWith(kTitle);
        ASSERT_EQ(c.titles.size(), titles.size()) << c.model;
        for (size_t i = 0; i < titles.size(); ++i)
            EXPECT_EQ(std::vector<int>({c.titles[i].x, c.titles[i].y}), std::vector<int>({titles[i].x, titles[i].y}));
        EXPECT_EQ(L"173 700 Arial Rounded MT Bold", std::to_wstring(titles[0].fontHeight) + L" " +
                                                       std::to_wstring(titles[0].fontWeight) + L" " + titles[0].face);
        EXPECT_EQ(c.texts, page.texts.size()) << c.model;
        EXPECT_EQ(c.pictures, page.pictures.size()) << c.model;
        EXPECT_EQ(page.objectsCreated, page.objectsDeleted) << c.model;
    }

    // The two-copy page: the logo opaque, the stamp keyed, each repeated a copy lower.
    EmfPage page = DrawOnMetafile(1);
    const EmfPicture expected[] = {{false, 232, 231, 1579, 579}, {false, 232, 231 + 3450, 1579, 579},
                                   {true, 3717, 2110, 673, 672}, {true, 3717, 2110 + 3450, 673, 672}};
    for (int i = 0; i < 4; ++i) {
        const EmfPicture &e = expected[i], &p = page.pictures[i];
        EXPECT_EQ(std::vector<int>({e.transparent, e.x, e.y, e.w, e.h}),
                  std::vector<int>({p.transparent, p.x, p.y, p.w, p.h})) << i;
    }
    EXPECT_EQ(s.Y(117), DrawOnMetafile(2).Find(L"Am incasat de la Client Test SRL")->y);
}
