// Times the ledgers on the generated company: the article ledger and the
// warehouse card of the busiest product and the ledger of the busiest client,
// each from the press of "Colecteaza" to its list painted, against its floor:
// the same rows read with plain SQL plus a bare virtual list of as many rows
// given and painted. Ratios in one run, and one "RATIO name measured
// aim" line per ledger.
//
//   LedgersBench [folder] [--regenerate] [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "resources/resource.h"
#include "sqlite3.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cwchar>
#include <algorithm>
#include <string>
#include <vector>

namespace {

using bench::PrintRatio;
using bench::SetPickerDay;
using bench::PrintTiming;
using bench::Stopwatch;
using bench::Timing;

long long g_from = 0, g_to = 0;

// A bare virtual report list (LVS_OWNERDATA) of `columns` columns in a plain
// window of its own that answers every cell with one short text, made
// beforehand as the ledger's list is: the time of giving it `rows` rows and
// painting it.
LRESULT CALLBACK BareHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynW(item.pszText, item.iSubItem == 0 ? L"01-01-2022 " : L"1234.56", item.cchTextMax);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

double BareReportList(int rows, int columns)
{
    static ATOM hostClass = 0;
    if (!hostClass) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &BareHostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BareListHost";
        hostClass = RegisterClassW(&wc);
    }
    HWND host = CreateWindowExW(0, L"BareListHost", L"", WS_POPUP | WS_VISIBLE, 0, 0, 920, 520, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT |
                                LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 900, 500, host, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<wchar_t*>(L"Coloana");
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    UpdateWindow(host);
    Stopwatch watch;
    SendMessageW(list, LVM_SETITEMCOUNT, rows, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    double ms = watch.Milliseconds();
    DestroyWindow(host);
    return ms;
}

// A query stepped to its end with the bare library calls, its three integer
// parameters bound; answers the rows.
int PlainRead(const wchar_t* sql, long long p1, long long p2, long long p3)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare16_v2(GetRepository().GetHandle(), sql, -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, p1);
    sqlite3_bind_int64(stmt, 2, p2);
    sqlite3_bind_int64(stmt, 3, p3);
    int rows = 0;
    double checksum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            checksum += sqlite3_column_double(stmt, c);
        ++rows;
    }
    sqlite3_finalize(stmt);
    return checksum == 0.5 ? rows + 1 : rows;
}

// A ledger dialog run modally: once shown, its period is set to the whole
// file and "Colecteaza" pressed `runs` times, each timed to the list painted,
// and each followed by its floor's two parts (the rows read, a bare list of
// as many rows and columns), so a busy moment of the machine weighs on both.
micro::qdialog::QDialog* g_dialog = nullptr;
micro::gui::QListCtrl* g_list = nullptr;
int g_fromId = 0, g_toId = 0, g_collectId = 0, g_runs = 0, g_rows = 0, g_columns = 0;
void (*g_readRows)() = nullptr;
std::vector<double> g_times, g_reads, g_bares;

HWND DialogWindow()
{
    return g_dialog ? g_dialog->GetHandle() : nullptr;
}

void Collect()
{
    HWND w = g_dialog->GetHandle();
    SetPickerDay(w, g_fromId, g_from);
    SetPickerDay(w, g_toId, g_to);
    for (int run = 0; run < g_runs; ++run) {
        Stopwatch watch;
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(g_collectId, BN_CLICKED), 0);
        UpdateWindow(w);
        UpdateWindow(*g_list);
        g_times.push_back(watch.Milliseconds());
        Stopwatch read;
        g_readRows();
        g_reads.push_back(read.Milliseconds());
        g_bares.push_back(BareReportList(g_list->GetItemCount(), g_columns));
    }
    g_rows = g_list->GetItemCount();
    EndDialog(w, IDCANCEL);
}

struct LedgerTimes {
    Timing ledger, data, bare;
    int rows = 0;
};

LedgerTimes RunLedger(micro::qdialog::QDialog& dialog, micro::gui::QListCtrl& list, int fromId, int toId,
                      int collectId, int columns, void (*readRows)(), int runs)
{
    g_dialog = &dialog;
    g_list = &list;
    g_fromId = fromId;
    g_toId = toId;
    g_collectId = collectId;
    g_runs = runs;
    g_columns = columns;
    g_readRows = readRows;
    g_times.clear();
    g_reads.clear();
    g_bares.clear();
    bench::WhenShown(&DialogWindow, &Collect);
    dialog.DoModal();
    LedgerTimes times;
    times.rows = g_rows;
    times.ledger = bench::Summarize(g_times);
    times.data = bench::Summarize(g_reads);
    times.bare = bench::Summarize(g_bares);
    g_dialog = nullptr;
    g_list = nullptr;
    return times;
}

// The rows each ledger stands on, read with plain SQL: the movement query
// and the sums before the period, or the partner's records and sums.
unsigned long long g_product = 0, g_client = 0;
int g_movements = 0, g_records = 0;

void ReadMovements()
{
    g_movements = PlainRead(StockMovementsSql(), static_cast<long long>(g_product), g_from, g_to);
}

void ReadCard()
{
    PlainRead(StockSumsSql(), static_cast<long long>(g_product), 0, g_from - 1);
    ReadMovements();
}

void ReadClient()
{
    PlainRead(PartnerLedgerSql(PartnerClient), static_cast<long long>(g_client), 0, g_from - 1);
    g_records = PlainRead(PartnerLedgerSql(PartnerClient), static_cast<long long>(g_client), g_from, g_to);
}

void Report(const wchar_t* what, const char* name, const LedgerTimes& t)
{
    Timing floor = Sum(t.data, t.bare);
    wprintf(L"%ls, %d rows\n", what, t.rows);
    PrintTiming(L"ledger collected and painted", t.ledger);
    PrintTiming(L"its rows read", t.data);
    PrintTiming(L"bare virtual list of as many rows", t.bare);
    PrintRatio(L"ledger / floor (plain SQL + bare virtual list)", t.ledger, floor, L"<= 1.5 x");
    wprintf(L"RATIO %hs %.2f 1.5\n", name, floor.median > 0 ? t.ledger.median / floor.median : 0.0);
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
    bench::OpenBigCompany(db, folder + L"\\Societate", regenerate);
    SetRepository(&db);
    g_from = bench::kFirstDay;
    // The whole file, however many years it spans.
    g_to = EndOfDay(bench::LastDayOf(bench::SizeFromCommandLine()));
    g_product = static_cast<unsigned long long>(db.ExecScalar(
        L"select produsID from ArticoleFacturi group by produsID order by count(*) desc limit 1"));
    g_client = static_cast<unsigned long long>(
        db.ExecScalar(L"select client from Facturi group by client order by count(*) desc limit 1"));
    ReadCard(); // warms the pages every run below reads
    ReadClient();

    // Each list's own columns: eight in the article ledger, six in the card and the client ledger.
    MyFisaDeArticolDialog article(nullptr);
    article.mode = MyFisaDeArticolDialog::ModeArticle;
    article.productId = g_product;
    LedgerTimes articleT =
        RunLedger(article, article.list, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, 8, &ReadMovements, runs);

    MyFisaDeMagazieDialog card(nullptr);
    card.productId = g_product;
    LedgerTimes cardT = RunLedger(card, card.list, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA, 6,
                                  &ReadCard, runs);

    MyFisaDeArticolDialog partner(nullptr);
    partner.mode = MyFisaDeArticolDialog::ModeClient;
    partner.partnerId = g_client;
    LedgerTimes clientT =
        RunLedger(partner, partner.list, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, 6, &ReadClient, runs);

    wprintf(L"busiest product %llu: %d movements; busiest client %llu: %d records\n", g_product, g_movements,
            g_client, g_records);
    Report(L"article ledger, busiest product", "ledger_article", articleT);
    Report(L"warehouse card, busiest product", "ledger_warehouse", cardT);
    Report(L"client ledger, busiest client", "ledger_client", clientT);
    SetRepository(nullptr);
    db.Close();
    CoUninitialize();
    return 0;
}
