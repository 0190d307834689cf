// Times the ledgers on the generated company: the article ledger and the
// warehouse card of the busiest product and the ledger of the busiest client,
// each from the press of "Colecteaza" to its list painted, against its floor:
// the same rows read through the stock rule plus a bare report list of as many
// rows filled and painted. Ratios in one run, and one "RATIO name measured
// aim" line per ledger.
//
//   LedgersBench [folder] [--regenerate] [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "resources/resource.h"
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
using bench::PrintTiming;
using bench::Stopwatch;
using bench::Timing;

long long g_from = 0, g_to = 0;

void SetPickerDay(HWND dialog, int id, long long seconds)
{
    FILETIME file;
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(seconds + 11644473600LL) * 10000000ULL;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME day;
    FileTimeToSystemTime(&file, &day);
    SendDlgItemMessageW(dialog, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
}

// A ledger dialog run modally: once shown, its period is set to the whole
// file and "Colecteaza" pressed `runs` times, each timed to the list painted.
micro::qdialog::QDialog* g_dialog = nullptr;
micro::gui::QListCtrl* g_list = nullptr;
int g_fromId = 0, g_toId = 0, g_collectId = 0, g_runs = 0, g_rows = 0;
std::vector<double> g_times;

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
    }
    g_rows = g_list->GetItemCount();
    EndDialog(w, IDCANCEL);
}

Timing RunLedger(micro::qdialog::QDialog& dialog, micro::gui::QListCtrl& list, int fromId, int toId, int collectId,
                 int runs, int& rows)
{
    g_dialog = &dialog;
    g_list = &list;
    g_fromId = fromId;
    g_toId = toId;
    g_collectId = collectId;
    g_runs = runs;
    g_times.clear();
    bench::WhenShown(&DialogWindow, &Collect);
    dialog.DoModal();
    rows = g_rows;
    g_dialog = nullptr;
    g_list = nullptr;
    return bench::Summarize(g_times);
}

// A bare report list of `columns` columns in a plain window of its own (its
// notices go to the default window procedure), made beforehand as the
// ledger's list is: the time of emptying it, inserting `rows` rows with their
// texts while it does not redraw, and painting it.
double BareReportList(int rows, int columns)
{
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 920, 520, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT |
                                LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 900, 500, host, nullptr,
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
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int r = 0; r < rows; ++r) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(L"01-01-2022");
        int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < columns; ++c) {
            LVITEMW cell = {};
            cell.iSubItem = c;
            cell.pszText = const_cast<wchar_t*>(L"1234.56");
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    double ms = watch.Milliseconds();
    DestroyWindow(host);
    return ms;
}

Timing Sum(const Timing& a, const Timing& b)
{
    Timing t;
    t.median = a.median + b.median;
    t.low = a.low + b.low;
    t.high = a.high + b.high;
    t.runs = std::min(a.runs, b.runs);
    return t;
}

void Report(const wchar_t* what, const char* name, const Timing& ledger, const Timing& data, const Timing& bare,
            int rows)
{
    Timing floor = Sum(data, bare);
    wprintf(L"%ls, %d rows\n", what, rows);
    PrintTiming(L"ledger collected and painted", ledger);
    PrintTiming(L"its rows read", data);
    PrintTiming(L"bare report list of as many rows", bare);
    PrintRatio(L"ledger / floor (rows read + bare list)", ledger, floor, L"<= 1.5 x");
    wprintf(L"RATIO %hs %.2f 1.5\n", name, floor.median > 0 ? ledger.median / floor.median : 0.0);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
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
    bench::OpenBigCompany(db, folder + L"\\Societate", regenerate);
    SetRepository(&db);
    g_from = bench::kFirstDay;
    g_to = EndOfDay(bench::kFirstDay + (bench::kDays - 1) * 86400);
    unsigned long long product = static_cast<unsigned long long>(db.ExecScalar(
        L"select produsID from ArticoleFacturi group by produsID order by count(*) desc limit 1"));
    unsigned long long client = static_cast<unsigned long long>(
        db.ExecScalar(L"select client from Facturi group by client order by count(*) desc limit 1"));

    int movements = 0, ledgerRows = 0, cardRows = 0, clientRows = 0, partnerRecords = 0;
    Timing movementsRead = bench::Time(runs, [&] {
        movements = 0;
        ReadStockMovements(product, g_from, g_to, [&](const StockMovementRow&) { ++movements; });
    });
    Timing partnerRead = bench::Time(runs, [&] {
        partnerRecords = 0;
        SumPartnerLedger(PartnerClient, client, 0, g_from - 1);
        ReadPartnerLedger(PartnerClient, client, g_from, g_to, [&](const PartnerLedgerRow&) { ++partnerRecords; });
    });

    MyFisaDeArticolDialog article(nullptr);
    article.mode = MyFisaDeArticolDialog::ModeArticle;
    article.productId = product;
    Timing articleT = RunLedger(article, article.list, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, runs,
                                ledgerRows);

    MyFisaDeMagazieDialog card(nullptr);
    card.productId = product;
    Timing cardT = RunLedger(card, card.list, IDC_MAGAZIE_DE_LA, IDC_MAGAZIE_LA, IDC_MAGAZIE_COLECTEAZA, runs,
                             cardRows);

    MyFisaDeArticolDialog partner(nullptr);
    partner.mode = MyFisaDeArticolDialog::ModeClient;
    partner.partnerId = client;
    Timing clientT = RunLedger(partner, partner.list, IDC_FISA_DE_LA, IDC_FISA_LA, IDC_FISA_COLECTEAZA, runs,
                               clientRows);

    auto bareTimes = [runs](int rows, int columns) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run)
            times.push_back(BareReportList(rows, columns));
        return bench::Summarize(times);
    };
    Timing bareArticle = bareTimes(ledgerRows, 8), bareCard = bareTimes(cardRows, 8);
    Timing bareClient = bareTimes(clientRows, 6);

    wprintf(L"busiest product %llu: %d movements; busiest client %llu: %d records\n", product, movements, client,
            partnerRecords);
    Report(L"article ledger, busiest product", "ledger_article", articleT, movementsRead, bareArticle, ledgerRows);
    Report(L"warehouse card, busiest product", "ledger_warehouse", cardT, movementsRead, bareCard, cardRows);
    Report(L"client ledger, busiest client", "ledger_client", clientT, partnerRead, bareClient, clientRows);
    SetRepository(nullptr);
    db.Close();
    CoUninitialize();
    return 0;
}
