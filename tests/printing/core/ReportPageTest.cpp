#include <gtest/gtest.h>
#include <vector>
#include "printing/ReportPage.h"
#include "tests/printing/support/MetafilePage.h"

using layout_tests::EmfPage;
using layout_tests::MetafileSink;

namespace {

const int kWidth = 2479, kHeight = 3508;  // A4 at 300 dpi
const ReportFont kMissingFamily = {L"Typo Grotesk Black Italic", 9, FW_BLACK, true};

// Draws a page number and one right-ended number on each page printed.
std::vector<uint32_t> PrintNumbered(uint32_t pageCount, bool& printed)
{
    std::vector<uint32_t> drawn;
    PrintPageRange pages = {pageCount, 0, 0};
    printed = PrintReport(nullptr, pages, [&](ReportPage& page, uint32_t p) {
        drawn.push_back(p);
        page.Frame();
        page.UsePen(ReportPen::Thin);
        page.Rule(page.Y(50));
        page.UseFont(kMissingFamily);
        page.Text(20, 14, micro::utils::QString::Formatted(L"Pagina %u", p));
        page.TextEndingAt(382, 109, L"12.50");
    });
    return drawn;
}

} // namespace

TEST(ReportPage, PageCountHasNoBlankTrailingPage)
{
    struct Case {
        int rows, perPage;
        uint32_t pages;
    } cases[] = {{0, 46, 1}, {1, 46, 1}, {46, 46, 1}, {47, 46, 2}, {92, 46, 2}, {93, 46, 3}, {-3, 46, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.pages, ReportPageCount(c.rows, c.perPage)) << c.rows << " rows";
}

TEST(ReportPage, PrintsTheChosenRangeAtScaledUnitsAndReleasesEverything)
{
    MetafileSink sink(kWidth, kHeight);
    sink.fromPage = 2;
    sink.toPage = 3;
    bool printed = false;
    std::vector<uint32_t> drawn = PrintNumbered(4, printed);
    ASSERT_TRUE(printed);
    EXPECT_EQ((std::vector<uint32_t>{2, 3}), drawn);
    EXPECT_EQ(4u, sink.pageCount);
    ASSERT_EQ(1u, sink.printedPages.size());
    const std::vector<EmfPage>& pages = sink.printedPages[0];
    ASSERT_EQ(2u, pages.size());

    float sx = kWidth / 427.0f, sy = kHeight / 602.0f;
    int margin = static_cast<int>(sy * 10);
    for (size_t i = 0; i < pages.size(); ++i) {
        const layout_tests::EmfText* title = pages[i].Find(i == 0 ? L"Pagina 2" : L"Pagina 3");
        ASSERT_NE(nullptr, title);
        EXPECT_EQ(static_cast<int>(20 * sx), title->x);
        EXPECT_EQ(static_cast<int>(14 * sy), title->y);
        EXPECT_EQ(static_cast<int>(9 * sy), title->fontHeight);
        EXPECT_NE(L"Typo Grotesk Black Italic", title->face) << "a family that is not installed falls back";
        // "12.50" has five characters: it starts five units before 382.
        const layout_tests::EmfText* amount = pages[i].Find(L"12.50");
        ASSERT_NE(nullptr, amount);
        EXPECT_EQ(static_cast<int>(377 * sx), amount->x);
        EXPECT_TRUE(pages[i].HasFrame(margin, margin, kWidth - margin, kHeight - margin));
        EXPECT_TRUE(pages[i].HasLine(margin, static_cast<int>(50 * sy), kWidth - margin, static_cast<int>(50 * sy)));
    }
    const EmfPage& job = sink.printed[0];
    EXPECT_EQ((std::vector<int>{static_cast<int>(sy * 0.5f), static_cast<int>(sy * 0.2f)}), job.penWidths);
    EXPECT_EQ(job.objectsCreated, job.objectsDeleted) << "every pen and font is deleted";
}

TEST(ReportPage, CancelledDialogDrawsNothing)
{
    MetafileSink sink(kWidth, kHeight);
    sink.cancel = true;
    bool printed = true;
    EXPECT_TRUE(PrintNumbered(2, printed).empty());
    EXPECT_FALSE(printed);
    EXPECT_TRUE(sink.printed.empty());
}
