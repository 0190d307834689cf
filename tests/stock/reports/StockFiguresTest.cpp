#include "bench/support/BigCompany.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "resources/resource.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;

namespace {

class StockFigures : public ReportsTest {
protected:
    void SetUp() override
    {
        bench::CompanySize size;
        size.products = 40, size.clients = 12, size.suppliers = 6, size.agents = 2;
        size.invoices = 900, size.proformas = 20, size.deliveryNotes = 20, size.goodsReceived = 500;
        size.entries = 260, size.exits = 260, size.receipts = 250, size.payments = 80, size.averageLines = 3;
        bench::CompanyGenerator(db(), size).Run();
        // General movements and cash of every status.
        for (const wchar_t* table : {L"IntrariGenerale", L"IesiriGenerale", L"Incasari", L"Plati"})
            db().ExecDML(micro::qsql::SqlFormat(L"update %s set status = case when id %% 7 = 0 then 3 when id %% 4 = 0 "
                                                L"then 1 else 2 end",
                                                table)
                             .c_str());
        product = tempDb.Scalar(L"select produsID from ArticoleFacturi group by produsID order by count(*) desc, "
                                L"produsID limit 1");
        client = tempDb.Scalar(L"select client from Facturi group by client order by count(*) desc limit 1");
    }

    long long product = 0;
    long long client = 0;
};

} // namespace

TEST_F(StockFigures, EveryReportAgreesWithTheRuleOverRandomPeriods)
{
    struct Pair {
        long long d1, d2, stock1, stock2;
    };
    std::vector<Pair> pairs;
    bench::Random random(20240315);
    for (int i = 0; i < 20; ++i) {
        int first = random.Below(static_cast<int>(bench::kDays) - 2);
        int span = 1 + random.Below(static_cast<int>(bench::kDays) - 1 - first);
        long long d1 = bench::kFirstDay + first * 86400LL, d2 = d1 + span * 86400LL;
        pairs.push_back({d1, d2, Bani(ExpectedStock(product, EndOfDay(d1))), Bani(ExpectedStock(product, EndOfDay(d2)))});
    }
    // One run of each report walks all the periods.
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = product;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
        for (const Pair& p : pairs) {
            SCOPED_TRACE(testing::Message() << "warehouse " << p.d1 << " .. " << p.d2);
            ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(p.d1 + 86400, 0));
            ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(p.d2, 23));
            ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
            auto rows = ListRows(w, IDC_MAGAZIE_LISTA, 6);
            long long moves = 0;
            for (size_t i = 1; i < rows.size(); ++i)
                moves += Bani(rows[i][3]) - Bani(rows[i][4]);
            EXPECT_EQ(p.stock1, Bani(rows.front()[5]));
            EXPECT_EQ(p.stock1 + moves, Bani(rows.back()[5]));
            EXPECT_EQ(p.stock2, Bani(rows.back()[5]));
            EXPECT_EQ(p.stock2, Bani(GetProductStockAtDate(p.d2 + 3600, product)));
        }
    });
    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        for (const Pair& p : pairs) {
            SCOPED_TRACE(testing::Message() << "article " << p.d1 << " .. " << p.d2);
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(p.d1 + 86400));
            ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(p.d2, 1));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            auto total = ListRows(w, IDC_FISA_LISTA, 8).back();
            EXPECT_EQ(L"TOTAL", total[0]);
            EXPECT_EQ(p.stock2 - p.stock1, Bani(total[4]) - Bani(total[5]));
        }
    });
    MyStocArticoleDialog list(nullptr);
    RunDialog(list, L"Stoc articole", [&](HWND w) {
        for (const Pair& p : pairs) {
            ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(p.d2));
            EXPECT_EQ(p.stock2, Bani(ModalDriver::ListCell(w, IDC_STOC_LISTA, static_cast<int>(product) - 1, 2)));
        }
    });
}

// Every report reads the same rule, so moving one record shows in each
// figure the reports are made of by exactly its lines.
TEST_F(StockFigures, CancellingAnInvoiceOrValidatingAnExitMovesEveryFigureByExactlyItsLines)
{
    long long d1 = bench::kFirstDay + 300 * 86400LL, d2 = bench::kFirstDay + 700 * 86400LL;
    auto figures = [&]() {
        int rows = 0;
        ReadStockMovements(product, d1, d2, [&](const StockMovementRow&) { ++rows; });
        return std::vector<long long>{Bani(ReadAllStocks(d2)[product]), Bani(SumStockMovements(product, 0, d1).Stock()),
                                      Bani(SumStockMovements(product, d1, d2).Stock()), rows,
                                      Bani(SumPartnerLedger(PartnerClient, client, d1, d2).debit)};
    };
    long long invoice = tempDb.Scalar(micro::qsql::SqlFormat(
        L"select h.id from Facturi h join ArticoleFacturi a on a.IDFactura = h.id where a.produsID = %lld and "
        L"h.client = %lld and h.status = 2 and h.dataCreare between %lld and %lld limit 1", product, client, d1, d2).c_str());
    ASSERT_NE(0, invoice);
    std::wstring of = micro::qsql::SqlFormat(L" from ArticoleFacturi where IDFactura = %lld and produsID = %lld", invoice, product).c_str();
    long long quantity = Bani(tempDb.Number((L"select total(cantitate)" + of).c_str()));
    long long lines = tempDb.Scalar((L"select count(*)" + of).c_str());
    long long total = Bani(tempDb.Number(micro::qsql::SqlFormat(L"select valoareTTI from Facturi where id = %lld", invoice).c_str()));
    auto before = figures();
    db().ExecDML(micro::qsql::SqlFormat(L"update Facturi set status = 3 where id = %lld", invoice).c_str());
    auto after = figures();
    EXPECT_EQ((std::vector<long long>{before[0] + quantity, before[1], before[2] + quantity, before[3] - lines}),
              std::vector<long long>(after.begin(), after.begin() + 4));
    EXPECT_NEAR(before[4] - total, after[4], 1);  // both rounded from unrounded sums

    long long exit = Exit(d1 + 100 * 86400, 1, product, 3.25);
    EXPECT_EQ(after, figures()) << "a temporary exit moves nothing";
    db().ExecDML(micro::qsql::SqlFormat(L"update IesiriGenerale set status = 2 where id = %lld", exit).c_str());
    EXPECT_EQ((std::vector<long long>{after[0] - 325, after[1], after[2] - 325, after[3] + 1, after[4]}), figures());
}
