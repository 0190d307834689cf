#include <gtest/gtest.h>
#include <vector>
#include "printing/ReportPage.h"
#include "tests/printing/support/MetafilePage.h"

TEST(ReportPage, PrintsTheChosenRangeOnePageModelAndNothingWhenCancelled)
{
    layout_tests::MetafileSink sink(2479, 3508);
    sink.fromPage = 2;
    sink.toPage = 3;
    std::vector<uint32_t> drawn;
    PrintPageRange pages = {4, 0, 0};
    auto draw = [&](ReportPage& page, uint32_t p) {
        drawn.push_back(p);
        page.UseFont({L"Typo Grotesk Black Italic", 9, FW_BLACK, true});
        page.Text(20, 14, micro::utils::QString::Formatted(L"Pagina %u", p));
    };
    ASSERT_TRUE(PrintReport(nullptr, pages, draw));
    EXPECT_EQ((std::vector<uint32_t>{2, 3}), drawn);
    EXPECT_EQ(4u, sink.pageCount);
    const std::vector<layout_tests::EmfPage>& printed = sink.printedPages.at(0);
    ASSERT_EQ(2u, printed.size());
    ASSERT_NE(nullptr, printed[1].Find(L"Pagina 3"));
    EXPECT_EQ(static_cast<int>(14 * 3508 / 602.0f), printed[1].Find(L"Pagina 3")->y);
    EXPECT_NE(L"Typo Grotesk Black Italic", printed[1].Find(L"Pagina 3")->face) << "a missing family falls back";
    EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted);

    sink.cancel = true;
    drawn.clear();
    EXPECT_FALSE(PrintReport(nullptr, pages, draw));
    EXPECT_TRUE(drawn.empty());
}
