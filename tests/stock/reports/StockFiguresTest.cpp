#include "bench/support/BigCompany.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/harness/Screenshot.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

class StockFigures : public StockTest {};

TEST_F(StockFigures, EveryReportAgreesWithTheRuleOverRandomPeriods)
{
    bench::CompanySize size;
    size.products = 40, size.clients = 12, size.suppliers = 6, size.agents = 2;
    size.invoices = 900, size.proformas = 20, size.deliveryNotes = 20, size.goodsReceived = 500;
    size.entries = 260, size.exits = 260, size.receipts = 250, size.payments = 80, size.averageLines = 3;
    bench::CompanyGenerator(db(), size).Run();
    // General movements and cash of every status.
    for (const wchar_t* table : {L"IntrariGenerale", L"IesiriGenerale", L"Incasari", L"Plati"})
        db().ExecDML(micro::qsql::SqlFormat(L"update %s set status = iif(id %% 7 = 0, 3, iif(id %% 4 = 0, 1, 2))", table));
    db().ExecDML(RecomputeAllStoredStockSql());
    long long product = tempDb.Scalar(L"select produsID from ArticoleFacturi group by produsID order by count(*) desc, "
                                      L"produsID limit 1");
    struct Pair { long long d1, d2, stock1, stock2; };
    std::vector<Pair> pairs;
    bench::Random random(20240315);
    for (int i = 0; i < 20; ++i) {
        int first = random.Below(static_cast<int>(bench::kDays) - 2);
        int span = 1 + random.Below(static_cast<int>(bench::kDays) - 1 - first);
        long long d1 = bench::kFirstDay + first * 86400LL, d2 = d1 + span * 86400LL;
        pairs.push_back({d1, d2, Bani(ExpectedStock(product, EndOfDay(d1))), Bani(ExpectedStock(product, EndOfDay(d2)))});
    }
    // The three reports open one over another and walk the periods together.
    MyFisaDeMagazieDialog warehouse(nullptr);
    MyFisaDeArticolDialog article(nullptr);
    MyStocArticoleDialog list(nullptr);
    warehouse.productId = article.productId = product;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND wh) {
        RunDialog(article, L"Fisa de articol", [&](HWND ar) {
            RunDialog(list, L"Stoc articole", [&](HWND st) {
                for (const Pair& p : pairs) {
                    ModalDriver::SetDate(wh, IDC_MAGAZIE_DE_LA, PickerDay(p.d1 + 86400, 0));
                    ModalDriver::SetDate(wh, IDC_MAGAZIE_LA, PickerDay(p.d2, 23));
                    ModalDriver::Click(wh, IDC_MAGAZIE_COLECTEAZA);
                    Rows rows = ListRows(wh, IDC_MAGAZIE_LISTA, 6);
                    long long moves = 0;
                    for (size_t i = 1; i < rows.size(); ++i)
                        moves += Bani(rows[i][3]) - Bani(rows[i][4]);
                    EXPECT_EQ(p.stock1, Bani(rows.front()[5]));
                    EXPECT_EQ(p.stock1 + moves, p.stock2);
                    EXPECT_EQ(p.stock2, Bani(rows.back()[5]));
                    EXPECT_EQ(p.stock2, Bani(GetProductStockAtDate(p.d2 + 3600, product)));

                    ModalDriver::SetDate(ar, IDC_FISA_DE_LA, PickerDay(p.d1 + 86400));
                    ModalDriver::SetDate(ar, IDC_FISA_LA, PickerDay(p.d2, 1));
                    ModalDriver::Click(ar, IDC_FISA_COLECTEAZA);
                    auto total = ListRows(ar, IDC_FISA_LISTA, 8).back();
                    EXPECT_EQ(p.stock2 - p.stock1, Bani(total[4]) - Bani(total[5]));

                    ModalDriver::SetDate(st, IDC_STOC_DATA, PickerDay(p.d2));
                    EXPECT_EQ(p.stock2, Bani(ModalDriver::ListCell(st, IDC_STOC_LISTA, static_cast<int>(product) - 1, 2)));
                }
                testing_support::SaveWindowPng(wh, L"stock_reports_warehouse_ledger");
            });
        });
    });
}
