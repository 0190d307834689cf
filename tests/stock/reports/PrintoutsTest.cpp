#include <set>
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;
using layout_tests::EmfPage;
using layout_tests::MetafileSink;

namespace {

enum Printout { StockListSheet, WarehouseSheet, ArticleSheet, PartnerSheet };

class Printouts : public StockTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea', adresa = 'Str. Lunga 1' where id = 1");
        product = Product(L"Cuie", L"kg", 2.5);
        client = tempDb.AddClient(L"Beta SRL");
    }
    // One more row on every printout: an invoice of the product for the
    // ledgers, another product for the stock list.
    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i, ++invoices) {
            Line(L"Facturi", kDay + invoices, 2, client, invoices + 1, product, 1.5, 10);
            Product(L"Alt produs", L"buc", 1.0);
        }
    }
    // The printout filled for 15-03-2024 and printed; answers the rows its list holds.
    int Print(Printout which)
    {
        int rows = 0;
        auto run = [&](auto& dialog, const wchar_t* caption, int from, int to, int collect, int list, int print) {
            RunDialog(dialog, caption, [&](HWND w) {
                for (int picker : {from, to})
                    if (picker)
                        ModalDriver::SetDate(w, picker, PickerDay(kDay));
                if (collect)
                    ModalDriver::Click(w, collect);
                rows = ModalDriver::ListRowCount(w, list);
                ModalDriver::Click(w, print);
            });
        };
        MyStocArticoleDialog stock(nullptr);
        MyFisaDeMagazieDialog warehouse(nullptr);
        MyFisaDeArticolDialog ledger(nullptr);
        warehouse.productId = ledger.productId = product;
        ledger.mode = which == PartnerSheet, ledger.partnerId = client, ledger.chosenName = L"Cuie";
        if (which == StockListSheet)
            run(stock, L"Stoc articole", IDC_STOC_DATA, 0, 0, IDC_STOC_LISTA, IDC_STOC_TIPARESTE);
        else if (which == WarehouseSheet)
            run(warehouse, L"Fisa de magazie", IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA,
                IDC_MAGAZIE_LISTA, IDC_MAGAZIE_TIPARIRE);
        else
            run(ledger, which == PartnerSheet ? L"Fisa de Client" : L"Fisa de articol", IDC_FISA_DE_LA, IDC_FISA_LA,
                IDC_FISA_COLECTEAZA, IDC_FISA_LISTA, IDC_FISA_TIPARIRE);
        return rows;
    }
    long long product = 0, client = 0;
    int invoices = 0;
};

} // namespace

TEST_F(Printouts, EachSheetBreaksAfterItsRowsPerPageWithNoBlankPageAndKeepsItsCoordinates)
{
    struct Sheet {
        Printout which;
        const wchar_t* name;
        int perPage;
        std::set<int> seen;
    } sheets[] = {{StockListSheet, L"stock_list", 50}, {WarehouseSheet, L"warehouse", 46},
                  {ArticleSheet, L"article", 50}, {PartnerSheet, L"partner", 50}};
    // Where pages 1 and 2 of a sheet one row over a page show what matters.
    struct Spot {
        Printout which;
        int page;
        std::wstring text;
        int x, y;
    } spots[] = {
        {StockListSheet, 0, L"Lista stoc articole la data de : 15-03-24", X(15), Y(51)},
        // A full table leaves the total value to a page of its own, not below the paper's edge.
        {StockListSheet, 1, L"TOTAL VALOARE STOCURI ", X(18), Y(95) + Y(10)},
        {WarehouseSheet, 0, std::to_wstring(product), X(27), Y(95)},
        {ArticleSheet, 0, L"Fisa de articol", X(280), Y(25)},
        {ArticleSheet, 0, L"Perioada de la 15-03-24 pana la 15-03-24", X(15), Y(51)},
        {ArticleSheet, 0, L"Cuie", X(300 - 4), Y(51)},
        {ArticleSheet, 0, L"-15.00", X(391 - 6), Y(95)},
        {ArticleSheet, 1, L"TOTAL", X(15), Y(95)},
        {PartnerSheet, 1, L"1", X(19), Y(95)},  // rows are numbered from 1 on every page
    };
    AddRows(3);
    for (const Sheet& s : sheets) {
        PictureSink picture(std::wstring(L"stock_reports_printed_") + s.name);
        Print(s.which);
    }
    AddRows(40);
    for (int step = 0; step < 8; ++step, AddRows(1))
        for (Sheet& s : sheets) {
            MetafileSink sink(kPageW, kPageH);
            int rows = Print(s.which);
            if (rows < s.perPage - 1 || rows > s.perPage + 1)
                continue;
            SCOPED_TRACE(testing_support::Narrow(s.name) + ", " + std::to_string(rows) + " rows");
            s.seen.insert(rows);
            const std::vector<EmfPage>& pages = sink.printedPages.at(0);
            ASSERT_EQ(rows > s.perPage ? 2u : 1u, pages.size());
            EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted) << "every pen and font released";
            for (const Spot& spot : spots)
                if (rows > s.perPage && spot.which == s.which)
                    EXPECT_TRUE(At(pages[spot.page], spot.text, spot.x, spot.y)) << testing_support::Narrow(spot.text);
            if (rows > s.perPage && s.which == ArticleSheet)
                EXPECT_TRUE(pages[0].HasLine(X(50), Y(62), X(50), kPageH - kMargin)) << "a full page's columns reach the end";
            int end = static_cast<int>(Y(95) + 10.0f * kSy);  // a short page closes under its last row
            if (rows > s.perPage && s.which == PartnerSheet)
                EXPECT_TRUE(pages[1].HasLine(kMargin, end, kPageW - kMargin, end));
            if (rows > s.perPage && s.which == StockListSheet)
                EXPECT_EQ(nullptr, pages[0].Find(L"TOTAL VALOARE STOCURI "));
        }
    for (const Sheet& s : sheets)
        EXPECT_EQ(3u, s.seen.size()) << testing_support::Narrow(s.name);
}
