// The stock list and the ledgers on the generated company (5 000 products,
// about a million lines over three years): each report's data against the
// plain query that computes the same figures, as ratios in one run.
//   StockReportsBench [folder] [--regenerate] [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "sqlite3.h"
#include <cwchar>
#include <string>
#include <vector>

using bench::Median;

namespace {

// Steps a query to its end with the bare library calls; answers the rows and a
// checksum of column `sum` so nothing is optimised away.
double RawRows(sqlite3* db, const wchar_t* sql, long long p1, long long p2, long long p3, int sum, long long& rows)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare16_v2(db, sql, -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, p1);
    sqlite3_bind_int64(stmt, 2, p2);
    sqlite3_bind_int64(stmt, 3, p3);
    double total = 0.0;
    rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        total += sqlite3_column_double(stmt, sum);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return total;
}

// Every product's stock in one grouped query, the rule spelled out per table.
const wchar_t kGroupedStock[] =
    L"SELECT p, TOTAL(q) FROM ("
    L"SELECT a.produsID p, a.cantitate q FROM Niruri h CROSS JOIN ArticoleNiruri a WHERE a.IDFactura = h.id AND "
    L"h.dataCreare <= ?3 AND h.status IS NOT 3 UNION ALL "
    L"SELECT a.produsID, -a.cantitate FROM Facturi h CROSS JOIN ArticoleFacturi a WHERE a.IDFactura = h.id AND "
    L"h.dataCreare <= ?3 AND h.status IS NOT 3 UNION ALL "
    L"SELECT a.produsID, a.cantitate FROM IntrariGenerale h CROSS JOIN ArticoleIntrariGenerale a WHERE "
    L"a.IDIntrare = h.id AND h.dataCreare <= ?3 AND h.status = 2 UNION ALL "
    L"SELECT a.produsID, -a.cantitate FROM IesiriGenerale h CROSS JOIN ArticoleIesiriGenerale a WHERE "
    L"a.IDIntrare = h.id AND h.dataCreare <= ?3 AND h.status = 2) GROUP BY p";

void Ratio(const wchar_t* what, double ours, double raw)
{
    wprintf(L"  %-44ls %9.1f ms   raw %9.1f ms   ratio %.2f\n", what, ours, raw, raw > 0 ? ours / raw : 0.0);
}

bool PlansUseIndexes(MyRepository& db)
{
    bool indexed = true;
    for (const wchar_t* sql : {StockMovementsSql(), StockSumsSql(), AllStocksSql(), PartnerLedgerSql(PartnerClient),
                               PartnerLedgerSql(PartnerSupplier)}) {
        for (auto q = db.ExecQuery((std::wstring(L"EXPLAIN QUERY PLAN ") + sql).c_str()); !q.Eof(); q.NextRow()) {
            std::wstring step = q.GetStringField(3).c_str();
            if (step.find(L"SCAN a") != std::wstring::npos || step.find(L"SCAN Articole") != std::wstring::npos) {
                wprintf(L"  LINE TABLE SCANNED: %ls\n", step.c_str());
                indexed = false;
            }
        }
    }
    wprintf(L"  %ls\n", indexed ? L"no report query scans a line table" : L"A LINE TABLE IS SCANNED");
    return indexed;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring folder = L"bench-out";
    bool regenerate = false;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--regenerate") == 0)
            regenerate = true;
        else if (argv[i][0] != L'-')
            folder = argv[i];
    }
    int runs = bench::RunsArgument(argc, argv, 5);
    CreateDirectoryW(folder.c_str(), nullptr);
    MyRepository db;
    try {
        bench::OpenBigCompany(db, folder + L"\\Societate", regenerate);
        SetRepository(&db);
        bool indexed = PlansUseIndexes(db);
        long long end = EndOfDay(bench::kFirstDay + (bench::kDays - 1) * 86400);
        long long rows = 0;

        // Warm the pages both sides read, then compare.
        ReadAllStocks(end);
        double raw = Median(runs, [&] { RawRows(db.GetHandle(), kGroupedStock, 0, 0, end, 1, rows); });
        double ours = Median(runs, [&] {
            auto stocks = ReadAllStocks(end);
            for (auto q = db.ExecQuery(L"select id, denumire, UM, pretCumparare, categorie from Produse order by id");
                 !q.Eof(); q.NextRow())
                stocks.find(q.GetIdField(0));
        });
        wprintf(L"\nstock list at the last day (%lld products with lines)\n", rows);
        Ratio(L"grouped stock and the product rows", ours, raw);

        long long product = db.ExecScalar(L"select produsID from ArticoleFacturi group by produsID order by count(*) "
                                          L"desc limit 1");
        long long first = bench::kFirstDay;
        RawRows(db.GetHandle(), StockMovementsSql(), product, first, end, 7, rows);
        raw = Median(runs, [&] { RawRows(db.GetHandle(), StockMovementsSql(), product, first, end, 7, rows); });
        ours = Median(runs, [&] {
            double stock = SumStockMovements(product, 0, first - 1).Stock();
            ReadStockMovements(product, first, end, [&](const StockMovementRow& row) {
                stock += IsStockEntry(row.source) ? row.quantity : -row.quantity;
            });
        });
        wprintf(L"\nledgers of the busiest product (%lld) over three years: %lld rows\n", product, rows);
        Ratio(L"opening and movements (warehouse, article)", ours, raw);

        SetRepository(nullptr);
        db.Close();
        return indexed ? 0 : 1;
    } catch (const micro::qsql::QSqlError& error) {
        wprintf(L"%ls\n", error.GetText().c_str());
        return 1;
    }
}
