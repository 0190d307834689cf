// The stock list and the ledgers on the generated company (5 000 products,
// a million lines over three years, three million over ten): the stock list
// at the file's last day and at today, its data against the cheapest way to
// the same figures (a query grouping by product, or the later lines summed by
// the caller), and the list window filled and painted; the ledgers' data against the plain movement query.
// The aims as "RATIO name measured aim" and "MS name measured aim" lines.
//   StockReportsBench [folder] [--regenerate] [--runs=N] [--years=N]
#include "bench/support/BenchSupport.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "resources/resource.h"
#include "sqlite3.h"
#include "stock/MyStocArticoleDialog.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cmath>
#include <ctime>
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

// The stock list's figures read with one query, one row per product: the
// product's columns the list shows and its stock at ?3. Two ways to the same
// figures; the cheaper one is the floor.
// The counted lines after the day, one row a line, signed as they move the
// stock.
#define LINES_AFTER_THE_DAY                                                                                       \
    L"SELECT a.produsID pr, a.cantitate q FROM Niruri h CROSS JOIN ArticoleNiruri a WHERE a.IDFactura = h.id AND " \
    L"h.dataCreare > ?3 AND h.status IS NOT 3 UNION ALL "                                                        \
    L"SELECT a.produsID, -a.cantitate FROM Facturi h CROSS JOIN ArticoleFacturi a WHERE a.IDFactura = h.id AND "   \
    L"h.dataCreare > ?3 AND h.status IS NOT 3 UNION ALL "                                                        \
    L"SELECT a.produsID, a.cantitate FROM IntrariGenerale h CROSS JOIN ArticoleIntrariGenerale a WHERE "          \
    L"a.IDIntrare = h.id AND h.dataCreare > ?3 AND h.status = 2 UNION ALL "                                      \
    L"SELECT a.produsID, -a.cantitate FROM IesiriGenerale h CROSS JOIN ArticoleIesiriGenerale a WHERE "           \
    L"a.IDIntrare = h.id AND h.dataCreare > ?3 AND h.status = 2"
// The stock kept on the product less its lines dated after the day.
const wchar_t kStoredLessAfter[] =
    L"SELECT p.id, p.denumire, p.UM, p.pretCumparare, p.categorie, p.stocReal - IFNULL(x.q, 0) FROM Produse p "
    L"LEFT JOIN (SELECT pr, TOTAL(q) q FROM (" LINES_AFTER_THE_DAY L") GROUP BY pr) x ON x.pr = p.id ORDER BY p.id";
// Every line up to the day summed by product.
const wchar_t kLinesUpTo[] =
    L"SELECT p.id, p.denumire, p.UM, p.pretCumparare, p.categorie, IFNULL(x.q, 0) FROM Produse p "
    L"LEFT JOIN (SELECT pr, TOTAL(q) q FROM ("
    L"SELECT a.produsID pr, a.cantitate q FROM Niruri h CROSS JOIN ArticoleNiruri a WHERE a.IDFactura = h.id AND "
    L"h.dataCreare <= ?3 AND h.status IS NOT 3 UNION ALL "
    L"SELECT a.produsID, -a.cantitate FROM Facturi h CROSS JOIN ArticoleFacturi a WHERE a.IDFactura = h.id AND "
    L"h.dataCreare <= ?3 AND h.status IS NOT 3 UNION ALL "
    L"SELECT a.produsID, a.cantitate FROM IntrariGenerale h CROSS JOIN ArticoleIntrariGenerale a WHERE "
    L"a.IDIntrare = h.id AND h.dataCreare <= ?3 AND h.status = 2 UNION ALL "
    L"SELECT a.produsID, -a.cantitate FROM IesiriGenerale h CROSS JOIN ArticoleIesiriGenerale a WHERE "
    L"a.IDIntrare = h.id AND h.dataCreare <= ?3 AND h.status = 2) GROUP BY pr) x ON x.pr = p.id ORDER BY p.id";
// At the last day nothing comes after: the stock kept on the product is it.
const wchar_t kStoredOnly[] =
    L"SELECT id, denumire, UM, pretCumparare, categorie, stocReal FROM Produse WHERE ?3 = ?3 ORDER BY id";

// The counted lines after the day, ungrouped (a grouping sorts them all):
// the third way, the lines summed by the caller into a table by product id.
const wchar_t kLinesAfter[] = LINES_AFTER_THE_DAY;

// The figures as the list shows them (a service, categorie 2, holds none),
// summed: both sides must answer the same.
double ListedStock(const std::wstring& category, double stock)
{
    return category == L"2" ? 0.0 : stock;
}

// The product rows of a floor query stepped to its end, their texts read as
// the list would: the sum of the listed stocks (column 5, plus `later` by
// product id where given) in `checksum`.
void ReadFloorRows(sqlite3_stmt* stmt, const std::vector<double>* later, double& checksum, long long& rows)
{
    checksum = 0;
    rows = 0;
    size_t characters = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 1; c <= 2; ++c)
            if (const void* text = sqlite3_column_text16(stmt, c))
                characters += wcslen(static_cast<const wchar_t*>(text));
        const void* category = sqlite3_column_text16(stmt, 4);
        size_t product = static_cast<size_t>(sqlite3_column_int64(stmt, 0));
        double stock = sqlite3_column_double(stmt, 5);
        if (later && product < later->size())
            stock += (*later)[product];
        checksum += ListedStock(category ? static_cast<const wchar_t*>(category) : L"", stock);
        ++rows;
    }
    sqlite3_finalize(stmt);
    if (characters == 0)
        wprintf(L"  (no texts read)\n");
}

// A floor query giving every product's stock at the day.
void FloorRead(sqlite3* db, const wchar_t* sql, long long day, double& checksum, long long& rows)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare16_v2(db, sql, -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, 0);
    sqlite3_bind_int64(stmt, 2, 0);
    sqlite3_bind_int64(stmt, 3, day);
    ReadFloorRows(stmt, nullptr, checksum, rows);
}

// The stored stocks less the lines after the day summed here, by product
// id into a plain array, with the product columns: the same sum as the floors.
void FloorSummedHere(sqlite3* db, long long day, double& checksum, long long& rows)
{
    std::vector<double> stocks;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare16_v2(db, L"SELECT max(id) FROM Produse", -1, &stmt, nullptr);
    if (sqlite3_step(stmt) == SQLITE_ROW)
        stocks.assign(static_cast<size_t>(sqlite3_column_int64(stmt, 0)) + 1, 0.0);
    sqlite3_finalize(stmt);
    sqlite3_prepare16_v2(db, kLinesAfter, -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 3, day);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        long long product = sqlite3_column_int64(stmt, 0);
        if (product >= 0 && product < static_cast<long long>(stocks.size()))
            stocks[static_cast<size_t>(product)] -= sqlite3_column_double(stmt, 1);
    }
    sqlite3_finalize(stmt);
    sqlite3_prepare16_v2(db, kStoredOnly, -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 3, day);
    ReadFloorRows(stmt, &stocks, checksum, rows);
}

// The stock list's data as its window reads it, with the same checksum.
double ListData(long long day)
{
    double checksum = 0;
    ReadProductStocks(day, [&](const ProductStockRow& product) {
        checksum += ListedStock(product.category, product.stock);
    });
    return checksum;
}

// The stock list window: its opening (filled at today) up to painted, then
// refills at each day, each to the list painted.
MyStocArticoleDialog* g_stock = nullptr;
double g_openStart = 0, g_openMs = 0;
long long g_days[2] = {0, 0};
std::vector<double> g_fills[2];
int g_runs = 5, g_listRows = 0;

HWND StockWindow()
{
    return g_stock ? g_stock->GetHandle() : nullptr;
}

void RefillStockList()
{
    HWND w = g_stock->GetHandle();
    UpdateWindow(w);
    g_openMs = bench::Now() - g_openStart;
    for (int run = 0; run < g_runs; ++run)
        for (int d = 0; d < 2; ++d) {
            bench::SetPickerDay(w, IDC_STOC_DATA, g_days[d]);
            bench::Stopwatch watch;
            g_stock->FillStockList();
            UpdateWindow(w);
            UpdateWindow(g_stock->list);
            g_fills[d].push_back(watch.Milliseconds());
        }
    g_listRows = g_stock->list.GetItemCount();
    EndDialog(w, IDCANCEL);
}

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

int BenchMain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    bench::FolderArguments arguments = bench::ReadFolderArguments(argc, argv);
    std::wstring folder = arguments.folder;
    bool regenerate = arguments.regenerate;
    int runs = bench::RunsArgument(argc, argv, 5);
    bench::Boxes();
    MyRepository db;
    try {
        bench::OpenBigCompany(db, folder + L"\\Societate", regenerate);
        SetRepository(&db);
        bool indexed = PlansUseIndexes(db);
        bool agree = true;
        long long end = EndOfDay(bench::LastDayOf(bench::SizeFromCommandLine()));
        long long today = EndOfDay(static_cast<long long>(time(nullptr)));
        long long rows = 0;
        const wchar_t* dayNames[2] = {L"last day", L"today"};
        const char* aimNames[2] = {"stock_list_last_day", "stock_list_today"};
        long long days[2] = {end, today};
        bench::Timing data[2], floors[2];
        for (int d = 0; d < 2; ++d) {
            double ours = ListData(days[d]); // warms the pages both sides read
            // The cheapest way to the same figures: at the last day the
            // stored stock alone; at another day the cheapest of the two sums
            // in SQL and the later lines summed by the program (null here).
            const wchar_t* candidates[] = {d == 0 ? kStoredOnly : kStoredLessAfter, kLinesUpTo, nullptr};
            // Each run times the candidates and the list's data in turn, so a
            // busy moment of the machine weighs on all of them.
            std::vector<double> floorTimes[3], dataTimes;
            for (int run = 0; run < runs; ++run) {
                for (int c = 0; c < 3; ++c) {
                    double checksum = 0;
                    bench::Stopwatch watch;
                    if (candidates[c])
                        FloorRead(db.GetHandle(), candidates[c], days[d], checksum, rows);
                    else
                        FloorSummedHere(db.GetHandle(), days[d], checksum, rows);
                    floorTimes[c].push_back(watch.Milliseconds());
                    if (run == 0 && std::abs(checksum - ours) > 0.005 * (1 + std::abs(ours))) {
                        wprintf(L"  FIGURES DIFFER at the %ls: list %.2f, query %.2f\n", dayNames[d], ours, checksum);
                        agree = false;
                    }
                }
                bench::Stopwatch watch;
                ListData(days[d]);
                dataTimes.push_back(watch.Milliseconds());
            }
            const wchar_t* floorNames[3] = {L"stored stock less later lines grouped in SQL",
                                            L"lines up to the day grouped in SQL",
                                            L"stored stock less later lines summed here"};
            if (d == 0)
                floorNames[0] = L"stored stock alone";
            data[d] = bench::Summarize(dataTimes);
            wprintf(L"\nstock list at the %ls (%lld products)\n", dayNames[d], rows);
            bench::PrintTiming(L"the list's data (stocks and product rows)", data[d]);
            int c = 0;
            for (int k = 0; k < 3; ++k) {
                bench::Timing t = bench::Summarize(floorTimes[k]);
                bench::PrintTiming((std::wstring(L"way: ") + floorNames[k]).c_str(), t);
                if (t.median < bench::Summarize(floorTimes[c]).median)
                    c = k;
            }
            bench::Timing floor = bench::Summarize(floorTimes[c]);
            floors[d] = floor;
            bench::PrintTiming((std::wstring(L"floor: ") + floorNames[c]).c_str(), floor);
            bench::PrintTiming(L"probe: of which the stocks (ReadAllStocks)",
                               bench::Time(runs, [&] { ReadAllStocks(days[d]); }));
            bench::PrintTiming(L"probe: the product rows alone", bench::Time(runs, [&] {
                                   for (auto q = db.ExecQuery(L"select id, denumire, UM, pretCumparare, categorie "
                                                              L"from Produse order by id");
                                        !q.Eof(); q.NextRow())
                                       q.GetStringField(1);
                               }));
            bench::PrintRatio(L"list data / floor", data[d], floor, L"<= 1.5 x");
            wprintf(L"RATIO %hs %.2f 1.5\n", aimNames[d], floor.median > 0 ? data[d].median / floor.median : 0.0);
        }

        // The window itself: opened at today, then refilled at each day.
        g_runs = runs;
        g_days[0] = end;
        g_days[1] = today;
        {
            MyStocArticoleDialog dialog(nullptr);
            g_stock = &dialog;
            bench::WhenShown(&StockWindow, &RefillStockList);
            g_openStart = bench::Now();
            dialog.DoModal();
            g_stock = nullptr;
        }
        wprintf(L"\nstock list window, %d rows\n", g_listRows);
        wprintf(L"  %-40ls %10.2f ms\n", L"opened (at today), painted", g_openMs);
        for (int d = 0; d < 2; ++d) {
            std::wstring what = std::wstring(L"filled at the ") + dayNames[d] + L", painted";
            bench::Timing t = bench::Summarize(g_fills[d]);
            bench::PrintTiming(what.c_str(), t);
            wprintf(L"MS %hs_window %.2f 300\n", aimNames[d], t.median);
        }

        long long product = db.ExecScalar(L"select produsID from ArticoleFacturi group by produsID order by count(*) "
                                          L"desc limit 1");
        long long first = bench::kFirstDay;
        RawRows(db.GetHandle(), StockMovementsSql(), product, first, end, 7, rows);
        double raw = Median(runs, [&] { RawRows(db.GetHandle(), StockMovementsSql(), product, first, end, 7, rows); });
        double ours = Median(runs, [&] {
            double stock = SumStockMovements(product, 0, first - 1).Stock();
            ReadStockMovements(product, first, end, [&](const StockMovementRow& row) {
                stock += IsStockEntry(row.source) ? row.quantity : -row.quantity;
            });
        });
        wprintf(L"\nledgers of the busiest product (%lld) over the whole file: %lld rows\n", product, rows);
        Ratio(L"opening and movements (warehouse, article)", ours, raw);

        SetRepository(nullptr);
        db.Close();
        return indexed && agree ? 0 : 1;
    } catch (const micro::qsql::QSqlError& error) {
        wprintf(L"%ls\n", error.GetText().c_str());
        return 1;
    }
}
