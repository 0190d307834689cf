// The receipt on paper: the page drawn into enhanced metafiles and read back
// record by record, and once through the real spooler.
#include <gtest/gtest.h>
#include "printing/receipts/PrintChitanta.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/HostTools.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using namespace layout_tests;
using namespace receipt_tests;

namespace {

const int kW = 4960;
const int kH = 7016;

micro::utils::QBuffer Bytes(const std::string& s)
{
    micro::utils::QBuffer b;
    b.Append(s.data(), static_cast<int>(s.size()));
    return b;
}

EmfPage DrawOnMetafile(int model, bool pictures, int width = kW, int height = kH)
{
    MetafileCanvas canvas;
    micro::utils::QBuffer logo, stamp;
    if (pictures) {
        logo = Bytes(LogoPicture());
        stamp = Bytes(StampPicture());
    }
    DrawChitantaPage(canvas.GetDC(), width, height, model, SampleTexts(), logo, stamp);
    return canvas.Finish();
}

const wchar_t kTitle[] = L"Chitanta seria: AB Nr.: 7";

} // namespace

TEST(ReceiptPrinted, TwoCopyPageHasItsPenFramesFontsTitlesAndPictures)
{
    EmfPage page = DrawOnMetafile(1, true);
    ASSERT_EQ(1u, page.penWidths.size());
    EXPECT_EQ(5, page.penWidths[0]);
    ASSERT_EQ(2u, page.strokes.size());
    EXPECT_TRUE(page.HasFrame(115, 115, 4844, 3450));
    EXPECT_TRUE(page.HasFrame(115, 3565, 4844, 6900));

    std::vector<EmfText> titles = page.StartingWith(kTitle);
    ASSERT_EQ(2u, titles.size());
    EXPECT_EQ(1666, titles[0].x);
    EXPECT_EQ(1275, titles[0].y);
    EXPECT_EQ(1666, titles[1].x);
    EXPECT_EQ(4725, titles[1].y);
    EXPECT_EQ(173, titles[0].fontHeight);
    EXPECT_EQ(700, titles[0].fontWeight);
    EXPECT_EQ(L"Arial Rounded MT Bold", titles[0].face);

    ASSERT_EQ(4u, page.pictures.size());
    EXPECT_FALSE(page.pictures[0].transparent);
    EXPECT_EQ(232, page.pictures[0].x);
    EXPECT_EQ(231, page.pictures[0].y);
    EXPECT_EQ(1579, page.pictures[0].w);
    EXPECT_EQ(579, page.pictures[0].h);
    EXPECT_EQ(231 + 3450, page.pictures[1].y);
    EXPECT_TRUE(page.pictures[2].transparent);
    EXPECT_EQ(3717, page.pictures[2].x);
    EXPECT_EQ(2110, page.pictures[2].y);
    EXPECT_EQ(673, page.pictures[2].w);
    EXPECT_EQ(672, page.pictures[2].h);
    EXPECT_EQ(2110 + 3450, page.pictures[3].y);
}

TEST(ReceiptPrinted, ThreeCopyAndOneCopyPagesAndNoObjectLeftBehind)
{
    Scale s(kW, kH);
    int third = static_cast<int>(kH / 3.0f - 10 * s.sy / 3.0f);
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EmfPage three = DrawOnMetafile(2, true);
    EmfPage one = DrawOnMetafile(3, true);
    EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));

    ASSERT_EQ(3u, three.strokes.size());
    int m = s.Y(10), r = static_cast<int>(kW - 10 * s.sy);
    EXPECT_TRUE(three.HasFrame(m, m, r, third));
    EXPECT_TRUE(three.HasFrame(m, static_cast<int>(third + 10 * s.sy), r, third + third));
    EXPECT_TRUE(three.HasFrame(m, static_cast<int>(third + third + 10 * s.sy), r, static_cast<int>(kH - 10 * s.sy)));
    std::vector<EmfText> titles = three.StartingWith(kTitle);
    ASSERT_EQ(3u, titles.size());
    EXPECT_EQ(s.X(200), titles[0].x);
    EXPECT_EQ(s.Y(40), titles[0].y);
    EXPECT_EQ(static_cast<int>(40 * s.sy + third), titles[1].y);
    EXPECT_EQ(static_cast<int>(40 * s.sy + third + third), titles[2].y);
    EXPECT_EQ(45u, three.texts.size());
    EXPECT_EQ(6u, three.pictures.size());
    EXPECT_EQ(s.Y(84), three.pictures[3].y);
    EXPECT_EQ(s.Y(117), three.Find(L"Am incasat de la Client Test SRL")->y);
    EXPECT_EQ(three.objectsCreated, three.objectsDeleted);

    ASSERT_EQ(1u, one.strokes.size());
    EXPECT_TRUE(one.HasFrame(m, m, r, 3450));
    EXPECT_EQ(15u, one.texts.size());
    EXPECT_EQ(2u, one.pictures.size());
    for (const EmfText& t : one.texts)
        EXPECT_LT(t.y, 3450) << testing_support::Narrow(t.text);
    EXPECT_EQ(one.objectsCreated, one.objectsDeleted);
}
