#include "stock/StockMovePrint.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;
using layout_tests::EmfPage;
using layout_tests::MetafileSink;

namespace {

StockMovePrintout Movement(int rows, int kind = 0)
{
    StockMovePrintout doc;
    doc.kind = kind;
    doc.number = 17;
    doc.date = L"05-03-26";
    doc.company = {L"D'Artagnan SRL", L"J40/1/2020", L"RO123", L"Str. Lunga 1"};
    for (int r = 1; r <= rows; ++r)
        doc.rows.push_back({std::to_wstring(r).c_str(), L"Cui", L"kg", L"2.00", L"1.50",
                            (std::to_wstring(r) + L".25").c_str()});
    return doc;
}

// The text drawn at the total's column on the line of "Total:".
std::wstring TotalOf(const EmfPage& page)
{
    for (const layout_tests::EmfText& t : page.texts)
        if (page.Find(L"Total:") && t.x == X(372) && t.y == page.Find(L"Total:")->y)
            return t.text;
    return L"";
}

} // namespace

TEST(PrintStockMove, PagesHoldFortySixRowsWithATotalEachNoBlankPageAndTextsAtTheirUnits)
{
    struct Case {
        int rows;
        const wchar_t* firstTotal;
        const wchar_t* lastTotal;  // of page 2 where there is one
    } cases[] = {{0, L"0.00", nullptr}, {46, L"1092.50", nullptr}, {47, L"1092.50", L"47.25"}};
    PrintPageRange range = {1, 0, 0};
    for (const Case& c : cases) {
        MetafileSink sink(kPageW, kPageH);
        EXPECT_TRUE(PrintStockMoveDocument(nullptr, range, Movement(c.rows)));
        EXPECT_EQ(sink.printed.at(0).objectsCreated, sink.printed.at(0).objectsDeleted) << "pens and fonts deleted";
        const std::vector<EmfPage>& pages = sink.printedPages.at(0);
        ASSERT_EQ(c.lastTotal ? 2u : 1u, pages.size()) << c.rows;
        EXPECT_EQ(c.firstTotal, TotalOf(pages.front())) << c.rows;
        EXPECT_EQ(c.lastTotal ? c.lastTotal : c.firstTotal, TotalOf(pages.back())) << c.rows;
    }

    // An exit of two rows.
    MetafileSink sink(kPageW, kPageH);
    PrintStockMoveDocument(nullptr, range, Movement(2, 1));
    const EmfPage& page = sink.printedPages.at(0).at(0);
    struct Expect {
        const wchar_t* text;
        float x, y;
    } texts[] = {
        {L"Iesire Generala", 280, 25}, {L"Unitatea: D'Artagnan SRL", 20, 14}, {L"Nr.Doc.: 17", 200, 64},
        {L"Data   : 05-03-26", 200, 74},
        // Row 1; numbers end one unit a character before their column's end.
        {L"1", 18, 109}, {L"Cui", 40, 109}, {L"1.25", 382 - 4, 109}, {L"1.50", 315 - 4, 109},
    };
    for (const Expect& e : texts)
        EXPECT_TRUE(At(page, e.text, X(e.x), Y(e.y))) << testing_support::Narrow(e.text);
    EXPECT_EQ(static_cast<int>(Y(109) + kSy * 10), page.Find(L"2.25")->y);
    // The table closes under its last row; the total stands under it.
    int tableEnd = static_cast<int>(Y(117) + kSy * 10);
    EXPECT_TRUE(page.HasLine(kMargin, tableEnd, kPageW - kMargin, tableEnd));
    EXPECT_TRUE(page.HasLine(X(170), Y(89), X(170), tableEnd));
    EXPECT_EQ(tableEnd + Y(10), page.Find(L"Total:")->y);
}
