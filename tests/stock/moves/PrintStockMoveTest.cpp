#include <gtest/gtest.h>
#include "stock/StockMovePrint.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/harness/MessageBoxRecorder.h"

using layout_tests::EmfPage;
using layout_tests::EmfText;
using layout_tests::MetafileSink;
using micro::utils::QString;

namespace {

const int kW = 2479, kH = 3508;
const float sx = kW / 427.0f, sy = kH / 602.0f;
int X(float u) { return static_cast<int>(u * sx); }
int Y(float u) { return static_cast<int>(u * sy); }

StockMovePrintout Movement(int rows, int kind = 0)
{
    StockMovePrintout doc;
    doc.kind = kind;
    doc.number = 17;
    doc.date = L"05-03-26";
    doc.company.name = L"D'Artagnan SRL";
    doc.company.registration = L"J40/1/2020";
    doc.company.fiscalCode = L"RO123";
    doc.company.address = L"Str. Lunga 1";
    for (int r = 0; r < rows; ++r)
        doc.rows.push_back({QString::Formatted(L"%d", r + 1), L"Cui", L"kg", L"2.00", L"1.50",
                            QString::Formatted(L"%d.25", r + 1)});
    return doc;
}

std::vector<EmfPage> Print(const StockMovePrintout& doc, uint32_t& pageCount)
{
    MetafileSink sink(kW, kH);
    PrintPageRange range = {1, 0, 0};
    EXPECT_TRUE(PrintStockMoveDocument(nullptr, range, doc));
    EXPECT_EQ(sink.printed.at(0).objectsCreated, sink.printed.at(0).objectsDeleted) << "pens and fonts deleted";
    pageCount = range.pageCount;
    return sink.printedPages.at(0);
}

// The text drawn at x on the line of "Total:".
std::wstring TotalOf(const EmfPage& page)
{
    const EmfText* label = page.Find(L"Total:");
    for (const EmfText& t : page.texts)
        if (label && t.x == X(372) && t.y == label->y)
            return t.text;
    return L"";
}

} // namespace

TEST(PrintStockMove, PagesHoldFortySixRowsWithATotalEachAndNoBlankPage)
{
    struct Case {
        int rows;
        uint32_t pages;
        const wchar_t* firstTotal;
        const wchar_t* lastTotal;
    } cases[] = {{0, 1, L"0.00", L"0.00"}, {46, 1, L"1092.50", L"1092.50"}, {47, 2, L"1092.50", L"47.25"}};
    for (const Case& c : cases) {
        uint32_t count = 0;
        std::vector<EmfPage> pages = Print(Movement(c.rows), count);
        EXPECT_EQ(c.pages, count) << c.rows;
        ASSERT_EQ(c.pages, pages.size()) << c.rows;
        EXPECT_EQ(c.firstTotal, TotalOf(pages.front())) << c.rows;
        EXPECT_EQ(c.lastTotal, TotalOf(pages.back())) << c.rows;
    }
    // The range the user chose; a cancelled dialog prints nothing.
    MetafileSink sink(kW, kH);
    sink.fromPage = sink.toPage = 2;
    PrintPageRange range = {1, 0, 0};
    EXPECT_TRUE(PrintStockMoveDocument(nullptr, range, Movement(93)));
    EXPECT_EQ(3u, sink.pageCount);
    ASSERT_EQ(1u, sink.printedPages.at(0).size());
    const EmfText* first = sink.printedPages[0][0].Find(L"47");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(Y(109), first->y) << "page 2 starts at row 47";
    sink.cancel = true;
    EXPECT_FALSE(PrintStockMoveDocument(nullptr, range, Movement(1)));
}

TEST(PrintStockMove, HeadingsRowsAndRulesStandAtTheirUnits)
{
    uint32_t count = 0;
    EmfPage page = Print(Movement(2, 1), count).at(0);
    struct Expect {
        const wchar_t* text;
        float x, y;
    } texts[] = {
        {L"Iesire Generala", 280, 25}, {L"Unitatea: D'Artagnan SRL", 20, 14}, {L"Nr.ord.Reg.Com/an: J40/1/2020", 20, 22},
        {L"C.I.F: RO123", 20, 30}, {L"Sediul: Str. Lunga 1", 20, 38}, {L"Nr.Doc.: 17", 200, 64},
        {L"Data   : 05-03-26", 200, 74}, {L"DEPOZIT: MAGAZIE CENTRALA", 15, 51}, {L"Agent: ", 320, 51},
        {L"Nr.", 15, 91}, {L"Crt.", 15, 97}, {L"Denumire articol", 70, 93}, {L"U.M.", 185, 93},
        {L"Cantitate", 235, 93}, {L"Pret unitar", 303, 93}, {L"Valoare", 370, 93},
        // Row 1; numbers end one unit a character before their column's end.
        {L"1", 18, 109}, {L"Cui", 40, 109}, {L"1.25", 382 - 4, 109}, {L"1.50", 315 - 4, 109},
    };
    for (const Expect& e : texts) {
        const EmfText* t = page.Find(e.text);
        ASSERT_NE(nullptr, t) << testing_support::Narrow(e.text);
        EXPECT_EQ(X(e.x), t->x) << testing_support::Narrow(e.text);
        EXPECT_EQ(Y(e.y), t->y) << testing_support::Narrow(e.text);
    }
    EXPECT_EQ(Y(12), page.Find(L"Iesire Generala")->fontHeight);
    EXPECT_NE(L"Typo Grotesk Black Italic", page.Find(L"Total:")->face) << "a missing family falls back";
    EXPECT_EQ(static_cast<int>(Y(109) + sy * 10), page.Find(L"2.25")->y);
    int margin = Y(10), tableEnd = static_cast<int>(Y(117) + sy * 10);
    EXPECT_TRUE(page.HasFrame(margin, margin, kW - margin, kH - margin));
    for (int y : {Y(50), Y(60), Y(89), Y(106), Y(117), tableEnd})
        EXPECT_TRUE(page.HasLine(margin, y, kW - margin, y)) << y;
    EXPECT_TRUE(page.HasLine(X(170), Y(89), X(170), tableEnd));
    EXPECT_EQ(tableEnd + Y(10), page.Find(L"Total:")->y);
    EXPECT_EQ(L"3.50", TotalOf(page));
}

TEST(PrintStockMove, PageAsAPicture)
{
    // The page as a person sees it: A4 at 150 dpi on white paper.
    const int w = 1240, h = 1754;
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    {
        ReportPage paper(dc, w, h);
        DrawStockMovePage(paper, Movement(12), 1);
    }
    GdiFlush();
    for (int i = 0; i < w * h; ++i)
        static_cast<BYTE*>(bits)[i * 4 + 3] = 0xFF;  // GDI leaves alpha 0
    EXPECT_TRUE(testing_support::SavePixelsPng(bits, w, h, w * 4, L"stock_moves_printed_page"));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
