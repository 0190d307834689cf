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
// Page 1 of a job drawn into a white A4 picture at 150 dpi, through the
// printer's seam, for a person to look at.
struct PictureSink : public PrintJobSink {
    explicit PictureSink(const std::wstring& name) : m_name(name), m_previous(SetPrintJobSink(this)) {}
    ~PictureSink() override { SetPrintJobSink(m_previous); }
    HDC OpenDevice(HWND, int& width, int& height) override
    {
        BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width = 1240, -(height = 1754), 1, 32, BI_RGB}};
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, m_bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        return dc;
    }
    void CloseDevice(HDC dc, bool) override
    {
        GdiFlush();
        for (int i = 0; i < 1240 * 1754; ++i)
            static_cast<BYTE*>(m_bits)[i * 4 + 3] = 0xFF;  // opaque paper
        EXPECT_TRUE(testing_support::SavePixelsPng(m_bits, 1240, 1754, 1240 * 4, m_name));
        DeleteDC(dc);
        DeleteObject(m_bitmap);
    }

    std::wstring m_name;
    PrintJobSink* m_previous;
    HBITMAP m_bitmap = nullptr;
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
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea', adresa = 'Str. Lunga 1' where id = 1");
        product = tempDb.AddProduct(L"Cuie", 1.0, 0, L"kg", 2.5);
        client = tempDb.AddClient(L"Beta SRL");
    }
    // `lines` more invoice lines (and receipts for the client sheet), then a print of that ledger.
    void PrintLedger(int lines, unsigned long long mode = 0)
    {
        for (int i = 0; i < lines; ++i) {
            Line(L"Facturi", kDay + i, 2, client, i + 1, product, 1.5, 10);
            if (mode == 1)
                Cash(L"Incasari", kDay + i, 2, client, i + 1, 1);
        }
        MyFisaDeArticolDialog dialog(nullptr);
        dialog.mode = mode, dialog.productId = product, dialog.partnerId = client, dialog.chosenName = L"Cuie";
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

TEST_F(Printouts, ArticleSheetHoldsFiftyRowsAPageAtItsCoordinates)
{
    // Data rows, then the empty row and TOTAL: 48 rows fit one page, 49 do not.
    uint32_t expected[] = {1, 1, 2};
    for (int i = 0; i < 3; ++i) {
        MetafileSink sink(kW, kH);
        PrintLedger(i == 0 ? 47 : 1);
        EXPECT_EQ(expected[i], sink.pageCount) << 47 + i << " lines";
        ASSERT_EQ(expected[i], sink.printedPages.at(0).size());
        EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted) << "every pen and font is released";
        if (i < 2)
            continue;
        const EmfPage& first = sink.printedPages[0][0];
        EXPECT_TRUE(At(first, L"Fisa de articol", X(280), Y(25)));
        EXPECT_TRUE(At(first, L"Perioada de la 15-03-24 pana la 15-03-24", X(15), Y(51)));
        EXPECT_TRUE(At(first, L"Cuie", X(300 - 4), Y(51)));
        EXPECT_TRUE(At(first, L"-15.00", X(391 - 6), Y(95)));
        EXPECT_TRUE(first.HasLine(X(50), Y(62), X(50), kH - kMargin)) << "a full page's columns reach the bottom edge";
        const EmfPage& second = sink.printedPages[0][1];
        EXPECT_TRUE(At(second, L"TOTAL", X(15), Y(95)));
    }
}

TEST_F(Printouts, PartnerSheetNumbersRowsFromOneOnEveryPage)
{
    MetafileSink sink(kW, kH);
    PrintLedger(30, 1);  // 63 rows: the opening, 60 records and the two closing rows
    ASSERT_EQ(2u, sink.printedPages.at(0).size());
    const EmfPage& second = sink.printedPages[0][1];
    EXPECT_TRUE(At(second, L"1", X(19), Y(95)));
    ASSERT_NE(nullptr, second.Find(L"13"));
    EXPECT_EQ(X(19), second.Find(L"13")->x);
    int end = static_cast<int>(Y(95) + 10.0f * 13 * sy);  // a short page closes under its last row
    EXPECT_TRUE(second.HasLine(kMargin, end, kW - kMargin, end));
}

TEST_F(Printouts, StockListAndWarehouseSheetsAndPicturesOfEveryPrintout)
{
    Line(L"Niruri", kDay, 2, client, 1, product, 4, 10);
    MetafileSink sink(kW, kH);
    MyStocArticoleDialog list(nullptr);
    RunDialog(list, L"Stoc articole", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        ModalDriver::Click(w, IDC_STOC_TIPARESTE);
    });
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = product;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) { ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE); });
    ASSERT_EQ(2u, sink.printedPages.size());
    const EmfPage& stock = sink.printedPages[0].at(0);
    EXPECT_TRUE(At(stock, L"Lista stoc articole la data de : 15-03-24", X(15), Y(51)));
    int tableEnd = static_cast<int>(Y(95) + 10.0f * 2 * sy);  // the product and the empty row
    EXPECT_TRUE(At(stock, L"TOTAL VALOARE STOCURI ", X(18), tableEnd + Y(10)));
    const EmfPage& card = sink.printedPages[1].at(0);
    EXPECT_TRUE(At(card, std::to_wstring(product), X(27), Y(95)));
    EXPECT_TRUE(card.HasLine(kMargin, Y(144), kW - kMargin, Y(144))) << "before any fill: an empty table";

    for (const wchar_t* name : {L"stock_list", L"warehouse", L"article", L"partner"}) {
        PictureSink picture(std::wstring(L"stock_reports_printed_") + name);
        if (name[0] == L's')
            RunDialog(list, L"Stoc articole", [&](HWND w) { ModalDriver::Click(w, IDC_STOC_TIPARESTE); });
        else if (name[0] == L'w')
            RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
                ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay));
                ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay));
                ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
                ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
            });
        else
            PrintLedger(3, name[0] == L'p');
    }
}
