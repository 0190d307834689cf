#include "bench/support/BigCompany.h"
#include "database/Lookups.h"
#include "resources/resource.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;

namespace {

// What every report says of one product (and one client) over (d1, d2].
struct Figures {
    long long listStock = 0;        // stock list at d2, in bani
    long long opening = 0;          // warehouse opening at d1 + 1 day
    long long closing = 0;          // warehouse's last "Stoc"
    long long warehouseMoves = 0;   // Σ Intrari - Iesiri of its rows
    int warehouseRows = 0;
    long long articleMoves = 0;     // article ledger TOTAL Intrari - Iesiri
    int articleRows = 0;
    long long partnerDebit = 0;     // client ledger "Total " Debit
};

class StockFigures : public ReportsTest {
protected:
    void SetUp() override
    {
        bench::CompanySize size;
        size.products = 40;
        size.clients = 12;
        size.suppliers = 6;
        size.agents = 2;
        size.invoices = 900;
        size.proformas = 20;
        size.deliveryNotes = 20;
        size.goodsReceived = 500;
        size.entries = 260;
        size.exits = 260;
        size.receipts = 250;
        size.payments = 80;
        size.averageLines = 3;
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

    Figures Collect(long long d1, long long d2)
    {
        Figures f;
        MyStocArticoleDialog list(nullptr);
        RunDialog(list, L"Stoc articole", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(d2));
            for (const auto& row : ListRows(w, IDC_STOC_LISTA, 3))
                if (row[0] == std::to_wstring(product))
                    f.listStock = Bani(row[2]);
        });
        MyFisaDeMagazieDialog warehouse(nullptr);
        warehouse.productId = product;
        RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(d1 + 86400, 0));
            ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(d2, 23));
            ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
            auto rows = ListRows(w, IDC_MAGAZIE_LISTA, 6);
            f.warehouseRows = static_cast<int>(rows.size());
            f.opening = Bani(rows.front()[5]);
            f.closing = Bani(rows.back()[5]);
            for (size_t i = 1; i < rows.size(); ++i)
                f.warehouseMoves += Bani(rows[i][3]) - Bani(rows[i][4]);
        });
        MyFisaDeArticolDialog article(nullptr);
        article.productId = product;
        RunDialog(article, L"Fisa de articol", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(d1 + 86400));
            ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(d2, 1));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            auto rows = ListRows(w, IDC_FISA_LISTA, 8);
            f.articleRows = static_cast<int>(rows.size()) - 2;
            f.articleMoves = Bani(rows.back()[4]) - Bani(rows.back()[5]);
        });
        MyFisaDeArticolDialog partner(nullptr);
        partner.mode = 1;
        partner.partnerId = client;
        RunDialog(partner, L"Fisa de Client", [&](HWND w) {
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(d1 + 86400));
            ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(d2));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            f.partnerDebit = Bani(ListRows(w, IDC_FISA_LISTA, 6).back()[3]);
        });
        return f;
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
            EXPECT_EQ(p.stock2, Bani(GetProductStockAtDate(p.d2, product)));
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
    // The stock list: every product at every second date.
    MyStocArticoleDialog list(nullptr);
    int differ = 0, listed = 0;
    RunDialog(list, L"Stoc articole", [&](HWND w) {
        for (size_t i = 0; i < pairs.size(); i += 2) {
            ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(pairs[i].d2));
            for (const auto& row : ListRows(w, IDC_STOC_LISTA, 3)) {
                long long id = _wtoi64(row[0].c_str());
                if (id <= 0)
                    continue;
                ++listed;
                bool service = (id % 20) == 0;
                if (Bani(row[2]) != (service ? 0 : Bani(ExpectedStock(id, EndOfDay(pairs[i].d2)))))
                    ++differ;
            }
        }
    });
    EXPECT_EQ(400, listed);
    EXPECT_EQ(0, differ);
}

TEST_F(StockFigures, CancellingAnInvoiceOrValidatingAnExitMovesEveryFigureByExactlyItsLines)
{
    long long d1 = bench::kFirstDay + 300 * 86400LL, d2 = bench::kFirstDay + 700 * 86400LL;
    long long invoice = tempDb.Scalar(micro::qsql::SqlFormat(
        L"select h.id from Facturi h join ArticoleFacturi a on a.IDFactura = h.id where a.produsID = %lld and "
        L"h.client = %lld and h.status = 2 and h.dataCreare > %lld and h.dataCreare < %lld order by h.id limit 1",
        product, client, d1 + 86400, d2).c_str());
    ASSERT_NE(0, invoice);
    double quantity = tempDb.Number(micro::qsql::SqlFormat(
        L"select total(cantitate) from ArticoleFacturi where IDFactura = %lld and produsID = %lld", invoice, product).c_str());
    long long lines = tempDb.Scalar(micro::qsql::SqlFormat(
        L"select count(*) from ArticoleFacturi where IDFactura = %lld and produsID = %lld", invoice, product).c_str());
    double total = tempDb.Number(micro::qsql::SqlFormat(L"select valoareTTI from Facturi where id = %lld", invoice).c_str());

    Figures before = Collect(d1, d2);
    db().ExecDML(micro::qsql::SqlFormat(L"update Facturi set status = 3 where id = %lld", invoice).c_str());
    Figures after = Collect(d1, d2);
    EXPECT_EQ(before.listStock + Bani(quantity), after.listStock);
    EXPECT_EQ(before.closing + Bani(quantity), after.closing);
    EXPECT_EQ(before.opening, after.opening);
    EXPECT_EQ(before.articleMoves + Bani(quantity), after.articleMoves);
    EXPECT_EQ(before.articleRows - lines, after.articleRows);
    EXPECT_EQ(before.warehouseRows - lines, after.warehouseRows);
    // Both totals are rounded to bani from the unrounded sums.
    EXPECT_NEAR(before.partnerDebit - Bani(total), after.partnerDebit, 1);

    // A temporary exit moves nothing until it is validated.
    long long exit = Exit(d1 + 100 * 86400, 1, product, 3.25);
    Figures pending = Collect(d1, d2);
    EXPECT_EQ(after.closing, pending.closing);
    EXPECT_EQ(after.articleRows, pending.articleRows);
    db().ExecDML(micro::qsql::SqlFormat(L"update IesiriGenerale set status = 2 where id = %lld", exit).c_str());
    Figures validated = Collect(d1, d2);
    EXPECT_EQ(after.listStock - 325, validated.listStock);
    EXPECT_EQ(after.closing - 325, validated.closing);
    EXPECT_EQ(after.articleMoves - 325, validated.articleMoves);
    EXPECT_EQ(after.articleRows + 1, validated.articleRows);
    EXPECT_EQ(after.warehouseRows + 1, validated.warehouseRows);
}
