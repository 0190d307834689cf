#include <gtest/gtest.h>
#include "stock/StockMovePrint.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/stock/moves/MovesFixture.h"

using layout_tests::EmfPage;
using layout_tests::EmfText;
using layout_tests::MetafileSink;
using micro::utils::QString;
using namespace moves_test;

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
    doc.companyName = L"D'Artagnan SRL";
    doc.companyRegNo = L"J40/1/2020";
    doc.companyFiscalCode = L"RO123";
    doc.companyAddress = L"Str. Lunga 1";
    for (int r = 0; r < rows; ++r)
        doc.rows.push_back({QString::Formatted(L"%d", r + 1), L"Cui", L"kg", L"2.00", L"1.50",
                            QString::Formatted(L"%d.25", r + 1)});
    return doc;
}

// The y of the text, or -1.
int YOf(const EmfPage& page, const wchar_t* text)
{
    const EmfText* t = page.Find(text);
    return t ? t->y : -1;
}

} // namespace

TEST(PrintStockMove, PagesHoldFortySixRowsWithATotalEachAndNoBlankPage)
{
    struct Case {
        int rows;
        size_t pages;
        const wchar_t* lastTotal;
    } cases[] = {{0, 1, L"0.00"}, {46, 1, L"1092.50"}, {47, 2, L"47.25"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        MetafileSink sink(kW, kH);
        PrintPageRange range = {1, 0, 0};
        ASSERT_TRUE(PrintStockMoveDocument(nullptr, range, Movement(c.rows)));
        EXPECT_EQ(c.pages, range.pageCount);
        ASSERT_EQ(c.pages, sink.printedPages.at(0).size());
        const EmfPage& last = sink.printedPages[0].back();
        std::vector<EmfText> totals = last.StartingWith(L"Total:");
        ASSERT_EQ(1u, totals.size());
        std::wstring sum;
        for (const EmfText& t : last.texts)
            if (t.x == X(372) && t.y == totals[0].y)
                sum = t.text;
        EXPECT_EQ(c.lastTotal, sum);
        // Every page has the headings; objects made are all deleted.
        for (const EmfPage& page : sink.printedPages[0])
            EXPECT_EQ(1, page.Count(L"Intrare Generala"));
        EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted);
    }
}

TEST(PrintStockMove, HeadingsRowsAndRulesStandAtTheirUnits)
{
    MetafileSink sink(kW, kH);
    PrintPageRange range = {1, 0, 0};
    ASSERT_TRUE(PrintStockMoveDocument(nullptr, range, Movement(2, 1)));
    const EmfPage& page = sink.printedPages.at(0).at(0);
    struct Expect {
        const wchar_t* text;
        float x, y;
    } texts[] = {
        {L"Iesire Generala", 280, 25},       {L"Unitatea: D'Artagnan SRL", 20, 14},
        {L"Nr.ord.Reg.Com/an: J40/1/2020", 20, 22}, {L"C.I.F: RO123", 20, 30},
        {L"Sediul: Str. Lunga 1", 20, 38},   {L"Nr.Doc.: 17", 200, 64},
        {L"Data   : 05-03-26", 200, 74},     {L"DEPOZIT: MAGAZIE CENTRALA", 15, 51},
        {L"Agent: ", 320, 51},               {L"Nr.", 15, 91},
        {L"Crt.", 15, 97},                   {L"Denumire articol", 70, 93},
        {L"U.M.", 185, 93},                  {L"Cantitate", 235, 93},
        {L"Pret unitar", 303, 93},           {L"Valoare", 370, 93},
    };
    for (const Expect& e : texts) {
        const EmfText* t = page.Find(e.text);
        ASSERT_NE(nullptr, t) << testing_support::Narrow(e.text);
        EXPECT_EQ(X(e.x), t->x) << testing_support::Narrow(e.text);
        EXPECT_EQ(Y(e.y), t->y) << testing_support::Narrow(e.text);
    }
    EXPECT_EQ(Y(12), page.Find(L"Iesire Generala")->fontHeight);
    EXPECT_EQ(Y(7), page.Find(L"Crt.")->fontHeight);
    // Row 2: ten units below row 1; numbers end one unit a character before their column's end.
    int row2 = static_cast<int>(Y(109) + sy * 10);
    EXPECT_EQ(row2, YOf(page, L"2"));
    const EmfText* value = page.Find(L"2.25");
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(X(382 - 4), value->x);
    EXPECT_EQ(X(18), page.Find(L"2")->x);
    int margin = Y(10);
    EXPECT_TRUE(page.HasFrame(margin, margin, kW - margin, kH - margin));
    for (float y : {50.0f, 60.0f, 89.0f, 106.0f, 117.0f})
        EXPECT_TRUE(page.HasLine(margin, Y(y), kW - margin, Y(y))) << y;
    int tableEnd = static_cast<int>(Y(117) + sy * 10);
    EXPECT_TRUE(page.HasLine(margin, tableEnd, kW - margin, tableEnd));
    EXPECT_TRUE(page.HasLine(X(170), Y(89), X(170), tableEnd));
    EXPECT_EQ(tableEnd + Y(10), YOf(page, L"Total:"));
    EXPECT_NE(nullptr, page.Find(L"3.50"));
}

TEST_F(MovesTest, PrintedFromTheEditorWithItsRowsAndDate)
{
    Product(L"Cui", 5, 2.5, 0, 0, L"kg");
    tempDb.Exec(L"update Societate set denumire = 'Firma Mea' where id = 1");
    MetafileSink sink(kW, kH);
    MyIntrariGeneraleDialogEdit editor(nullptr);
    RunEditor(editor, 0, 0, [&](HWND w) {
        ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2026, 3, 5, 10));
        AddRow(w, L"Cui", L"4");
        ModalDriver::Click(w, IDC_IGE_TIPARIRE);
        EXPECT_TRUE(IsWindowVisible(w));
    });
    const EmfPage& page = sink.printedPages.at(0).at(0);
    EXPECT_NE(nullptr, page.Find(L"Data   : 05-03-26"));
    EXPECT_NE(nullptr, page.Find(L"Unitatea: Firma Mea"));
    EXPECT_NE(nullptr, page.Find(L"Nr.Doc.: 1"));
    EXPECT_NE(nullptr, page.Find(L"10.00"));
    EXPECT_NE(nullptr, page.Find(L"4.00"));
    EXPECT_EQ(0, Count(L"select count(*) from IntrariGenerale")) << "printing stores nothing";
}

TEST(PrintStockMove, PageAsPicture)
{
    // A4 at 150 dpi, white, for a person to look at.
    const int w = 1240, h = 1754;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_TRUE(bitmap);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    {
        ReportPage page(dc, w, h);
        DrawStockMovePage(page, Movement(12), 1);
    }
    GdiFlush();
    // GDI leaves the alpha bytes 0; the picture is opaque paper.
    for (int i = 0; i < w * h; ++i)
        static_cast<BYTE*>(bits)[i * 4 + 3] = 0xFF;
    EXPECT_TRUE(testing_support::SavePixelsPng(bits, w, h, w * 4, L"stock_moves_printed_page"));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
