// Times the invoice list tab and the invoice picker on the generated
// three-year database (100 000 invoices) against a straight SQLite read of the
// same rows with the client names joined in SQL, the memory the tab keeps per
// row, and a keystroke of the picker's filter at 10 000, 100 000 and 300 000
// invoices against the same filter as an SQL LIKE. Ratios in one run, each
// also against its floor: the SQL read plus a bare virtual list view of as
// many rows created (or refilled), a row selected and painted. The aims as
// machine-readable "RATIO name measured aim" and "MS name measured aim" lines.
//
//   DocumentListsBench [folder] [--regenerate] [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/Schema.h"
#include "database/MyRepository.h"
#include "documents/FacturiRecord.h"
#include "documents/MyCautareFacturiDialog.h"
#include "documents/MyFacturiPanel.h"
#include "resources/resource.h"
#include "sqlite3.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <algorithm>
#include <cwchar>
#include <string>

namespace {

using bench::PrintRatio;
using bench::PrintTiming;
using bench::Stopwatch;
using bench::Timing;

int g_runs = 5;

// The rows the tab shows, read straight on SQLite with the client names
// joined: the floor any list fill stands on.
double RawRead(sqlite3* handle, long long& rows)
{
    Stopwatch watch;
    sqlite3_stmt* headers = nullptr;
    sqlite3_prepare16_v2(handle,
                         L"select f.id, f.status, f.numar, f.client, f.dataCreare, f.valoareFT, f.valoareTVA, "
                         L"f.valoareTTI, f.sold, c.Nume from Facturi f left join Clienti c on c.id = f.client",
                         -1, &headers, nullptr);
    rows = 0;
    size_t characters = 0;
    double sum = 0;
    while (sqlite3_step(headers) == SQLITE_ROW) {
        for (int column = 0; column < 5; ++column)
            sum += static_cast<double>(sqlite3_column_int64(headers, column));
        for (int column = 5; column <= 8; ++column)
            sum += sqlite3_column_double(headers, column);
        const void* name = sqlite3_column_text16(headers, 9);
        if (name)
            characters += wcslen(static_cast<const wchar_t*>(name));
        ++rows;
    }
    sqlite3_finalize(headers);
    if (characters == 0 || sum == 0)
        wprintf(L"  (no texts read)\n");
    return watch.Milliseconds();
}

// The bare virtual list: a report view of the lists' nine columns whose rows
// all read one short text, in a window of its own.
LRESULT CALLBACK BareHostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT) && info->item.cchTextMax > 0)
            lstrcpynW(info->item.pszText, L"1234.56", info->item.cchTextMax);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct BareList {
    HWND host = nullptr, list = nullptr;
    void Create()
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = &BareHostProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"BrivaneBareListHost";
            RegisterClassW(&wc);
            registered = true;
        }
        host = CreateWindowExW(0, L"BrivaneBareListHost", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 700,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
                               0, 0, 980, 650, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        for (int c = 0; c < 9; ++c) {
            LVCOLUMNW column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<wchar_t*>(L"Coloana");
            SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
    }
    // As a list shows new rows: the count set, the last row selected and shown, painted.
    void Fill(int rows)
    {
        SendMessageW(list, LVM_SETITEMCOUNT, 0, LVSICF_NOSCROLL);
        SendMessageW(list, LVM_SETITEMCOUNT, rows, LVSICF_NOSCROLL);
        if (rows > 0) {
            LVITEMW state = {};
            state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageW(list, LVM_SETITEMSTATE, rows - 1, reinterpret_cast<LPARAM>(&state));
            SendMessageW(list, LVM_ENSUREVISIBLE, rows - 1, FALSE);
        }
        UpdateWindow(host);
        UpdateWindow(list);
    }
    void Destroy() { DestroyWindow(host); }
};

// A bare virtual list made, filled with the rows and painted once.
double BareListMade(int rows)
{
    Stopwatch watch;
    BareList bare;
    bare.Create();
    bare.Fill(rows);
    double ms = watch.Milliseconds();
    bare.Destroy();
    return ms;
}

double Ratio(const Timing& measured, const Timing& floor)
{
    return floor.median > 0 ? measured.median / floor.median : 0.0;
}

class HostWindow : public micro::gui::QWindow {
public:
    const wchar_t* GetClassName() override { return L"BrivaneBenchHost"; }
};

// The tab made, filled and painted once.
double FillPanel(int& rows, double* bytesPerRow = nullptr, long long type = 0)
{
    HostWindow host;
    host.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    host.MoveWindow(0, 0, 1000, 700);
    size_t before = bench::PrivateBytes();
    double ms = 0;
    {
        MyFacturiPanel panel(type);
        Stopwatch watch;
        panel.Create(&host, 1, 0);
        panel.MoveWindow(0, 0, 1000, 700);
        UpdateWindow(panel.lista);
        ms = watch.Milliseconds();
        rows = panel.lista.GetItemCount();
        if (bytesPerRow)
            *bytesPerRow = rows > 0 ? static_cast<double>(bench::PrivateBytes() - before) / rows : 0.0;
    }
    host.Destroy();
    return ms;
}

// The picker's whole opening (load, rows, selection), ended as soon as it is shown.
class TimedPicker : public MyCautareFacturiDialog {
public:
    TimedPicker() : MyCautareFacturiDialog(nullptr) {}
    bool OnInitDialog() override
    {
        Stopwatch watch;
        bool result = MyCautareFacturiDialog::OnInitDialog();
        milliseconds = watch.Milliseconds();
        rows = listaDocumente.GetItemCount();
        EndDialog(IDCANCEL);
        return result;
    }
    double milliseconds = 0;
    int rows = 0;
};

// The picker's opening up to its window shown and painted.
MyCautareFacturiDialog* g_opening = nullptr;
double g_openingStart = 0, g_openingMs = 0;

HWND OpeningWindow()
{
    return g_opening ? g_opening->GetHandle() : nullptr;
}

void OpeningPainted()
{
    UpdateWindow(g_opening->GetHandle());
    UpdateWindow(g_opening->listaDocumente);
    g_openingMs = bench::Now() - g_openingStart;
    EndDialog(g_opening->GetHandle(), IDCANCEL);
}

double PickerOpeningPainted()
{
    MyCautareFacturiDialog picker(nullptr);
    g_opening = &picker;
    bench::WhenShown(&OpeningWindow, &OpeningPainted);
    g_openingStart = bench::Now();
    picker.DoModal();
    g_opening = nullptr;
    return g_openingMs;
}

// What is typed into the picker's filter, a character a keystroke.
const wchar_t kTyped[] = L"Client 012";

MyCautareFacturiDialog* g_picker = nullptr;
std::vector<double> g_keystrokes, g_painting, g_again;
std::vector<int> g_keystrokeRows;
int g_lastRows = 0;

HWND PickerWindow()
{
    return g_picker ? g_picker->GetHandle() : nullptr;
}

// Types the filter a character at a time, each keystroke timed to its
// painted list, then clears it again; closes the picker.
void TypeFilter()
{
    HWND edit = GetDlgItem(g_picker->GetHandle(), IDC_CAUTFACT_TEXT);
    for (int run = 0; run < 2; ++run) {
        for (size_t n = 1; n <= wcslen(kTyped); ++n) {
            std::wstring text(kTyped, n);
            Stopwatch watch;
            SetWindowTextW(edit, text.c_str());
            double filtered = watch.Milliseconds();
            UpdateWindow(g_picker->GetHandle());
            UpdateWindow(g_picker->listaDocumente);
            g_keystrokes.push_back(watch.Milliseconds());
            g_painting.push_back(g_keystrokes.back() - filtered);
            g_keystrokeRows.push_back(g_picker->listaDocumente.GetItemCount());
        }
        g_lastRows = g_picker->listaDocumente.GetItemCount();
        // Probe: the last filter applied again, painted: the list control's
        // emptying, new count and selection with the same rows.
        for (int again = 0; again < 5; ++again) {
            Stopwatch watch;
            g_picker->FilterList();
            UpdateWindow(g_picker->listaDocumente);
            g_again.push_back(watch.Milliseconds());
        }
        SetWindowTextW(edit, L"");
    }
    EndDialog(g_picker->GetHandle(), IDCANCEL);
}

// The same filters as an SQL LIKE over the joined names, each stepped to the end.
Timing SqlFilter(sqlite3* handle, int& rows)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare16_v2(handle,
                         L"select f.id from Facturi f left join Clienti c on c.id = f.client where c.Nume like ?",
                         -1, &st, nullptr);
    std::vector<double> times;
    for (int run = 0; run < 2; ++run) {
        for (size_t n = 1; n <= wcslen(kTyped); ++n) {
            std::wstring pattern = L"%" + std::wstring(kTyped, n) + L"%";
            Stopwatch watch;
            sqlite3_bind_text16(st, 1, pattern.c_str(), -1, SQLITE_TRANSIENT);
            rows = 0;
            while (sqlite3_step(st) == SQLITE_ROW)
                ++rows;
            sqlite3_reset(st);
            times.push_back(watch.Milliseconds());
        }
    }
    sqlite3_finalize(st);
    return bench::Summarize(times);
}

// The tab against its floor on the open file, a "RATIO list_tab_N" line.
void ListTabAgainstFloor(MyRepository& db)
{
    long long rows = 0;
    int panelRows = 0;
    RawRead(db.GetHandle(), rows); // warms the page cache
    std::vector<double> raw, panel, bare;
    for (int run = 0; run < g_runs; ++run) {
        raw.push_back(RawRead(db.GetHandle(), rows));
        panel.push_back(FillPanel(panelRows));
        bare.push_back(BareListMade(panelRows));
    }
    Timing rawT = bench::Summarize(raw), panelT = bench::Summarize(panel), bareT = bench::Summarize(bare);
    Timing floor = Sum(rawT, bareT);
    wprintf(L"invoice list tab, %lld invoices (%d rows)\n", rows, panelRows);
    PrintTiming(L"SQLite read, names joined", rawT);
    PrintTiming(L"bare virtual list made, filled, painted", bareT);
    PrintTiming(L"invoice list tab, filled and painted", panelT);
    PrintRatio(L"list tab / floor (SQL + bare list)", panelT, floor, L"<= 1.5 x");
    wprintf(L"RATIO list_tab_%lld %.2f 1.5\n", rows, Ratio(panelT, floor));
}

void PickerKeystrokes(const std::wstring& folder, bool regenerate, int invoices)
{
    bench::CompanySize size;
    size.invoices = invoices;
    size.proformas = size.deliveryNotes = size.goodsReceived = size.entries = size.exits = 10;
    size.receipts = size.payments = 10;
    size.averageLines = 2;
    std::wstring path = folder + L"\\Picker" + std::to_wstring(invoices);
    MyRepository db;
    bench::OpenBigCompany(db, path, regenerate, size);
    SetRepository(&db);
    // The list tab's aim stands at 100 000 invoices: measured on this file too.
    if (invoices == bench::ShortOr(1000, 100000))
        ListTabAgainstFloor(db);
    int sqlRows = 0;
    SqlFilter(db.GetHandle(), sqlRows); // warms the page cache
    Timing sql = SqlFilter(db.GetHandle(), sqlRows);
    g_keystrokes.clear();
    g_painting.clear();
    g_again.clear();
    g_keystrokeRows.clear();
    {
        MyCautareFacturiDialog picker(nullptr);
        g_picker = &picker;
        bench::WhenShown(&PickerWindow, &TypeFilter);
        picker.DoModal();
        g_picker = nullptr;
    }
    Timing keystroke = bench::Summarize(g_keystrokes);
    // Floor of a keystroke: the SQL filter plus a bare virtual list refilled
    // with the rows that keystroke left, painted.
    std::vector<double> refills;
    {
        BareList bare;
        bare.Create();
        bare.Fill(1);
        for (int rows : g_keystrokeRows) {
            Stopwatch watch;
            bare.Fill(rows);
            refills.push_back(watch.Milliseconds());
        }
        bare.Destroy();
    }
    Timing refill = bench::Summarize(refills);
    Timing floor = Sum(sql, refill);
    wprintf(L"picker filter \"%ls\" typed a character at a time, %d invoices (%d rows left, SQL %d)\n", kTyped,
            invoices, g_lastRows, sqlRows);
    PrintTiming(L"picker keystroke, painted", keystroke);
    PrintTiming(L"probe: of which the list's painting", bench::Summarize(g_painting));
    PrintTiming(L"probe: the same filter again, same rows", bench::Summarize(g_again));
    PrintTiming(L"SQL LIKE over the joined names", sql);
    PrintTiming(L"bare virtual list refilled, painted", refill);
    PrintRatio(L"picker keystroke / SQL LIKE", keystroke, sql, L"(none)");
    PrintRatio(L"picker keystroke / floor", keystroke, floor, L"<= 1.3 x");
    wprintf(L"RATIO picker_keystroke_%d %.2f 1.3\n", invoices, Ratio(keystroke, floor));
    SetRepository(nullptr);
    db.Close();
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    bench::FolderArguments arguments = bench::ReadFolderArguments(argc, argv);
    std::wstring folder = arguments.folder;
    bool regenerate = arguments.regenerate;
    g_runs = bench::RunsArgument(argc, argv, 5);
    bench::Boxes();
    std::wstring path = folder + L"\\Societate";
    {
        MyRepository db;
        bench::OpenBigCompany(db, path, regenerate);
        SetRepository(&db);

        long long rawRows = 0;
        RawRead(db.GetHandle(), rawRows); // warms the page cache for every run below
        std::vector<double> raw, panel, picking, bare, painted;
        int panelRows = 0, pickerRows = 0;
        // Measured first, before any fill has left freed memory to reuse.
        double bytesPerRow = 0;
        FillPanel(panelRows, &bytesPerRow);
        for (int run = 0; run < g_runs; ++run) {
            raw.push_back(RawRead(db.GetHandle(), rawRows));
            panel.push_back(FillPanel(panelRows));
            TimedPicker picker;
            picker.DoModal();
            picking.push_back(picker.milliseconds);
            pickerRows = picker.rows;
            bare.push_back(BareListMade(panelRows));
            painted.push_back(PickerOpeningPainted());
        }
        // Probe: the same tab over 5 000 proformas, nearly all of it the
        // window's own making and painting.
        std::vector<double> small;
        int smallRows = 0;
        for (int run = 0; run < g_runs; ++run)
            small.push_back(FillPanel(smallRows, nullptr, 1));
        Timing rawT = bench::Summarize(raw), panelT = bench::Summarize(panel), pickT = bench::Summarize(picking);
        wprintf(L"invoice lists, %lld invoices (tab %d rows, picker %d rows)\n", rawRows, panelRows, pickerRows);
        PrintTiming(L"SQLite read, names joined", rawT);
        PrintTiming(L"invoice list tab, filled and painted", panelT);
        PrintTiming(L"invoice picker opening", pickT);
        PrintTiming(L"probe: proforma tab, 5 000 rows", bench::Summarize(small));
        PrintRatio(L"list tab / SQLite read", panelT, rawT, L"<= 1.5 x");
        PrintRatio(L"picker opening / SQLite read", pickT, rawT, L"(none)");
        Timing bareT = bench::Summarize(bare), paintedT = bench::Summarize(painted);
        Timing floor = Sum(rawT, bareT);
        PrintTiming(L"bare virtual list made, filled, painted", bareT);
        PrintTiming(L"invoice picker opening, painted", paintedT);
        PrintRatio(L"list tab / floor (SQL + bare list)", panelT, floor, L"<= 1.5 x");
        PrintRatio(L"picker opening painted / floor", paintedT, floor, L"(none)");
        wprintf(L"RATIO list_tab_%lld %.2f 1.5\n", rawRows, Ratio(panelT, floor));
        wprintf(L"MS picker_opening_painted_%lld %.2f 300\n", rawRows, paintedT.median);
        wprintf(L"  memory kept by the list tab per row      %10.3f KB  goal <= 0.15 KB\n", bytesPerRow / 1024.0);
        SetRepository(nullptr);
        db.Close();
    }
    for (int invoices : {bench::ShortOr(300, 10000), bench::ShortOr(1000, 100000), bench::ShortOr(3000, 300000)})
        PickerKeystrokes(folder, regenerate, invoices);
    CoUninitialize();
    return 0;
}
