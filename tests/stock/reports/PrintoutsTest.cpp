#include <set>
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;
using layout_tests::EmfPage;

namespace {

// A sheet's dialog with the controls that fill and print it (0: it has none).
struct Sheet {
    const wchar_t* name;
    int perPage;
    micro::qdialog::QDialog& dialog;
    const wchar_t* caption;
    int from, to, collect, list, print;
    std::set<int> seen;
};

// The sheet filled for 15-03-2024 and printed; answers the rows its list holds.
int Print(const Sheet& sheet)
{
    int rows = 0;
    RunDialog(sheet.dialog, sheet.caption, [&](HWND w) {
        for (int picker : {sheet.from, sheet.to})
            if (picker)
                ModalDriver::SetDate(w, picker, PickerDay(kDay));
        if (sheet.collect)
            ModalDriver::Click(w, sheet.collect);
        rows = ModalDriver::ListRowCount(w, sheet.list);
        ModalDriver::Click(w, sheet.print);
    });
    return rows;
}

} // namespace

class Printouts : public StockTest {};

TEST_F(Printouts, EachSheetBreaksAfterItsRowsPerPageWithNoBlankPageAndKeepsItsCoordinates)
{
    tempDb.Exec(L"update Societate set denumire = 'Firma Mea', adresa = 'Str. Lunga 1' where id = 1");
    long long product = Product(L"Cuie", L"kg", 2.5), client = tempDb.AddClient(L"Beta SRL");
    int invoices = 0;
    // One more row on every printout: an invoice of the product for the
    // ledgers, another product for the stock list.
    auto addRows = [&](int count) {
        for (int i = 0; i < count; ++i, ++invoices) {
            Line(L"Facturi", kDay + invoices, 2, client, invoices + 1, product, 1.5, 10);
            Product(L"Alt produs", L"buc", 1.0);
        }
    };
    MyStocArticoleDialog stock(nullptr);
    MyFisaDeMagazieDialog warehouse(nullptr);
    MyFisaDeArticolDialog article(nullptr), partner(nullptr);
    warehouse.productId = article.productId = product, article.chosenName = L"Cuie";
    partner.mode = 1, partner.partnerId = client;
    Sheet sheets[] = {
        {L"stock_list", 49, stock, L"Stoc articole", IDC_STOC_DATA, 0, 0, IDC_STOC_LISTA, IDC_STOC_TIPARESTE},
        {L"warehouse", 46, warehouse, L"Fisa de magazie", IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA,
         IDC_MAGAZIE_LISTA, IDC_MAGAZIE_TIPARIRE},
        {L"article", 50, article, L"Fisa de articol", IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, IDC_FISA_LISTA,
         IDC_FISA_TIPARIRE},
        {L"partner", 50, partner, L"Fisa de Client", IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, IDC_FISA_LISTA,
         IDC_FISA_TIPARIRE},
    };
    // What pages 1 and 2 of a sheet one row over a page show, and where.
    struct Spot {
        int sheet, page;
        std::wstring text;
        int x, y;
    } spots[] = {
        {0, 0, L"Lista stoc articole la data de : 15-03-24", X(15), Y(51)},
        // The total value under the table of every page, on the paper.
        {0, 0, L"TOTAL VALOARE STOCURI ", X(18), static_cast<int>(Y(95) + 480 * kSy) + Y(10)},
        {0, 1, L"TOTAL VALOARE STOCURI ", X(18), static_cast<int>(Y(95) + 10 * kSy) + Y(10)},
        {1, 0, L"Cuie", X(15), Y(71)},  // the name when there is no extended name
        {1, 0, std::to_wstring(product), X(27), Y(95)},
        {2, 0, L"Fisa de articol", X(280), Y(25)},
        {2, 0, L"Perioada de la 15-03-24 pana la 15-03-24", X(15), Y(51)},
        {2, 0, L"Cuie", X(300 - 4), Y(51)},
        {2, 0, L"-15.00", X(391 - 6), Y(95)},
        {2, 1, L"TOTAL", X(15), Y(95)},
        {3, 1, L"1", X(19), Y(95)},  // rows are numbered from 1 on every page
    };
    addRows(43);
    for (int step = 0; step < 8; ++step, addRows(1))
        for (int i = 0; i < 4; ++i) {
            Sheet& s = sheets[i];
            layout_tests::MetafileSink sink(kPageW, kPageH);
            int rows = Print(s);
            if (rows < s.perPage - 1 || rows > s.perPage + 1)
                continue;
            SCOPED_TRACE(testing_support::Narrow(s.name) + ", " + std::to_string(rows) + " rows");
            s.seen.insert(rows);
            const std::vector<EmfPage>& pages = sink.printedPages.at(0);
            ASSERT_EQ(rows > s.perPage ? 2u : 1u, pages.size());
            EXPECT_EQ(sink.printed[0].objectsCreated, sink.printed[0].objectsDeleted) << "every pen and font released";
            if (rows <= s.perPage)
                continue;
            for (const Spot& spot : spots)
                if (spot.sheet == i)
                    EXPECT_TRUE(At(pages[spot.page], spot.text, spot.x, spot.y)) << testing_support::Narrow(spot.text);
            int end = static_cast<int>(Y(95) + 10.0f * kSy);  // a short page closes under its last row
            EXPECT_TRUE(i != 2 || pages[0].HasLine(X(50), Y(62), X(50), kPageH - kMargin)) << "columns reach the end";
            EXPECT_TRUE(i != 3 || pages[1].HasLine(kMargin, end, kPageW - kMargin, end));
        }
    for (const Sheet& s : sheets)
        EXPECT_EQ(3u, s.seen.size()) << testing_support::Narrow(s.name);
}
