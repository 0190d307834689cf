#include "resources/resource.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/harness/Screenshot.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;
using layout_tests::EmfPage;
using layout_tests::EmfText;
using layout_tests::MetafileSink;

namespace {

const int kW = 2479, kH = 3508;  // A4 at 300 dpi
const float sx = kW / 427.0f, sy = kH / 602.0f;
int X(float u) { return static_cast<int>(u * sx); }
int Y(float u) { return static_cast<int>(u * sy); }
const int kMargin = static_cast<int>(sy * 10);
// The k-th row of a page, each 10 units below the truncated one before.
int RowY(int k, float first = 95)
{
    int y = Y(first);
    for (int i = 0; i < k; ++i)
        y = static_cast<int>(y + sy * 10);
    return y;
}

// The first page of a print job drawn into a white A4 picture at 150 dpi,
// through the same seam as a printer.
class PictureSink : public PrintJobSink {
public:
    explicit PictureSink(const std::wstring& name) : m_name(name), m_previous(SetPrintJobSink(this)) {}
    ~PictureSink() override { SetPrintJobSink(m_previous); }
    HDC OpenDevice(HWND, int& width, int& height) override
    {
        width = 1240;
        height = 1754;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        PatBlt(m_dc, 0, 0, width, height, WHITENESS);
        return m_dc;
    }
    void ChoosePages(PrintPageRange& pages) override { pages.fromPage = pages.toPage = 1; }
    void CloseDevice(HDC dc, bool) override
    {
        GdiFlush();
        for (int i = 0; i < 1240 * 1754; ++i)
            static_cast<BYTE*>(m_bits)[i * 4 + 3] = 0xFF;
        EXPECT_TRUE(testing_support::SavePixelsPng(m_bits, 1240, 1754, 1240 * 4, m_name));
        SelectObject(dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(dc);
    }

private:
    std::wstring m_name;
    PrintJobSink* m_previous;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};

bool At(const EmfPage& page, const std::wstring& text, int x, int y)
{
    for (const EmfText& t : page.texts)
        if (t.text == text && t.x == x && t.y == y)
            return true;
    return false;
}

class Printouts : public ReportsTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea', nrreg = 'J40/1/2020', cui = 'RO123', "
                    L"adresa = 'Str. Lunga 1' where id = 1");
        product = tempDb.AddProduct(L"Cuie", 1.0, 0, L"kg", 2.5);
        client = tempDb.AddClient(L"Beta SRL");
    }
    // An article ledger of `lines` invoice lines of the product on kDay, printed.
    void PrintArticleLedger(int lines, unsigned long long mode = 0)
    {
        for (int i = 0; i < lines; ++i) {
            Invoice(kDay + i, 2, client, i + 1, product, 1.5, 10);
            if (mode == 1)
                Cash(L"Incasari", kDay + i, 2, client, i + 1, 1);
        }
        MyFisaDeArticolDialog dialog(nullptr);
        dialog.mode = mode;
        dialog.productId = product;
        dialog.partnerId = client;
        dialog.chosenName = mode == 0 ? L"Cuie" : L"Beta SRL";
        RunDialog(dialog, mode == 0 ? L"Fisa de articol" : L"Fisa de Client", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(kDay));
            ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(kDay));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            ModalDriver::Click(w, IDC_FISA_TIPARIRE);
        });
    }
    long long product = 0, client = 0;
};

} // namespace

TEST_F(Printouts, PagesHoldFiftyRowsWithNoBlankPageAfterAFullOne)
{
    struct Case {
        int lines;  // data rows; the sheet adds the empty row and TOTAL
        uint32_t pages;
    } cases[] = {{46, 1}, {47, 1}, {48, 1}, {49, 2}};
    int added = 0;
    for (const Case& c : cases) {
        MetafileSink sink(kW, kH);
        PrintArticleLedger(c.lines - added);
        added = c.lines;
        ASSERT_EQ(1u, sink.printedPages.size()) << c.lines;
        EXPECT_EQ(c.pages, sink.pageCount) << c.lines;
        EXPECT_EQ(c.pages, sink.printedPages[0].size()) << c.lines;
        EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted) << "every pen and font is released";
    }
}

TEST_F(Printouts, ArticleSheetDrawsItsTableAtItsCoordinates)
{
    MetafileSink sink(kW, kH);
    PrintArticleLedger(49);
    ASSERT_EQ(2u, sink.printedPages.at(0).size());
    const EmfPage& first = sink.printedPages[0][0];
    EXPECT_TRUE(At(first, L"Fisa de articol", X(280), Y(25)));
    EXPECT_TRUE(At(first, L"Perioada de la 15-03-24 pana la 15-03-24", X(15), Y(51)));
    EXPECT_TRUE(At(first, L"Unitatea: Firma Mea", X(20), Y(14)));
    EXPECT_TRUE(At(first, L"Sediul: Str. Lunga 1", X(20), Y(38)));
    EXPECT_TRUE(At(first, L"Cuie", X(300 - 4), Y(51)));
    EXPECT_TRUE(At(first, L"Valoarea", X(385), Y(70)));
    EXPECT_TRUE(At(first, L"8", X(395), Y(84)));
    EXPECT_TRUE(At(first, L"15-03-2024 ", X(15), Y(95)));
    EXPECT_TRUE(At(first, L"-15.00", X(391 - 6), Y(95)));
    EXPECT_TRUE(At(first, L"Beta SRL", X(125), RowY(1)));
    EXPECT_TRUE(first.HasFrame(kMargin, kMargin, kW - kMargin, kH - kMargin));
    EXPECT_TRUE(first.HasLine(kMargin, Y(83), kW - kMargin, Y(83)));
    // A full page runs its columns to the bottom edge.
    EXPECT_TRUE(first.HasLine(X(50), Y(62), X(50), kH - kMargin));
    // Page 2 holds only the closing TOTAL row, at the first row's place.
    const EmfPage& second = sink.printedPages[0][1];
    EXPECT_TRUE(At(second, L"TOTAL", X(15), Y(95)));
    EXPECT_TRUE(At(second, L"73.50", X(295 - 5), Y(95)));
    EXPECT_EQ(0, second.Count(L"-15.00"));
}

TEST_F(Printouts, PartnerSheetNumbersRowsFromOneOnEveryPage)
{
    MetafileSink sink(kW, kH);
    PrintArticleLedger(30, 1);  // 60 rows, the opening and the two closing rows
    ASSERT_EQ(2u, sink.printedPages.at(0).size());
    const EmfPage& first = sink.printedPages[0][0];
    const EmfPage& second = sink.printedPages[0][1];
    EXPECT_TRUE(At(first, L"Fisa de client", X(280), Y(25)));
    EXPECT_TRUE(At(first, L"Cumuli", X(50 - 6), Y(95)));
    EXPECT_TRUE(At(first, L"1", X(19), Y(95)));
    EXPECT_TRUE(At(first, L"Tip Doc.", X(42), Y(70)));
    EXPECT_TRUE(At(second, L"1", X(19), Y(95)));
    EXPECT_TRUE(At(second, L"13", X(19), RowY(12)));
    EXPECT_TRUE(At(second, L"Total ", X(50 - 6), RowY(12)));
    // A short page closes its table under its last row.
    int end = static_cast<int>(Y(95) + 10.0f * 13 * sy);
    EXPECT_TRUE(second.HasLine(kMargin, end, kW - kMargin, end));
    EXPECT_TRUE(second.HasLine(X(350), Y(62), X(350), end));
}

TEST_F(Printouts, StockListAndWarehouseSheetsAndTheirPictures)
{
    Nir(kDay, 2, client, 1, product, 4);
    {
        MetafileSink sink(kW, kH);
        MyStocArticoleDialog list(nullptr);
        RunDialog(list, L"Stoc articole", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
            ModalDriver::Click(w, IDC_STOC_TIPARESTE);
        });
        ASSERT_EQ(1u, sink.printedPages.size());
        const EmfPage& page = sink.printedPages[0].at(0);
        EXPECT_TRUE(At(page, L"Stoc articole", X(280), Y(25)));
        EXPECT_TRUE(At(page, L"Lista stoc articole la data de : 15-03-24", X(15), Y(51)));
        EXPECT_TRUE(At(page, L"5(2x4)", X(389), Y(84)));
        EXPECT_TRUE(At(page, L"10.00", X(395 - 5), Y(95)));
        int tableEnd = static_cast<int>(Y(95) + 10.0f * 2 * sy);  // the product and the empty row
        EXPECT_TRUE(At(page, L"TOTAL VALOARE STOCURI ", X(18), tableEnd + Y(10)));
        EXPECT_EQ(0, page.Count(L"TOTAL"));
        EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted);
    }
    {
        MetafileSink sink(kW, kH);
        MyFisaDeMagazieDialog warehouse(nullptr);
        warehouse.productId = product;
        RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) { ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE); });
        ASSERT_EQ(1u, sink.printedPages.at(0).size());
        const EmfPage& page = sink.printedPages[0][0];
        EXPECT_TRUE(At(page, L"Fisa de magazie", X(280), Y(25)));
        EXPECT_TRUE(At(page, std::to_wstring(product), X(27), Y(95)));
        EXPECT_TRUE(At(page, L"2.50", X(162), Y(95)));
        EXPECT_TRUE(At(page, L"kg", X(97), Y(95)));
        // Before any fill: an empty table closed at 144 units.
        EXPECT_TRUE(page.HasLine(kMargin, Y(144), kW - kMargin, Y(144)));
        EXPECT_TRUE(page.HasLine(X(50), Y(119), X(50), Y(144)));
    }
    {
        PictureSink picture(L"stock_reports_printed_stock_list");
        MyStocArticoleDialog list(nullptr);
        RunDialog(list, L"Stoc articole", [&](HWND w) { ModalDriver::Click(w, IDC_STOC_TIPARESTE); });
    }
    {
        PictureSink picture(L"stock_reports_printed_warehouse");
        MyFisaDeMagazieDialog warehouse(nullptr);
        warehouse.productId = product;
        RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay - 86400));
            ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay));
            ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
            ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
        });
    }
    for (unsigned long long mode : {0ULL, 1ULL}) {
        PictureSink picture(mode == 0 ? L"stock_reports_printed_article" : L"stock_reports_printed_partner");
        PrintArticleLedger(mode == 0 ? 5 : 3, mode);
    }
}
