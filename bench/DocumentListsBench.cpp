// Times filling the invoice list tab and the invoice picker on the generated
// three-year database (100 000 headers, 70 000 of them invoices), each against
// a straight SQLite read of the same rows with the same partner-name look-up
// per row, in one run, and prints the ratios.
//
//   DocumentListsBench [folder] [--regenerate]
#include "bench/support/BenchSupport.h"
#include "database/Schema.h"
#include "database/MyRepository.h"
#include "documents/FacturiRecord.h"
#include "documents/MyCautareFacturiDialog.h"
#include "documents/MyFacturiPanel.h"
#include "sqlite3.h"
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <algorithm>
#include <cwchar>
#include <string>

namespace {

using bench::Stopwatch;

// The rows a list shows, read and turned into their texts straight on SQLite:
// the floor any list fill stands on.
double RawRead(sqlite3* handle, long long& rows)
{
    Stopwatch watch;
    sqlite3_stmt* headers = nullptr;
    sqlite3_stmt* name = nullptr;
    sqlite3_prepare16_v2(handle,
                         L"select id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold, "
                         L"agent from Facturi",
                         -1, &headers, nullptr);
    sqlite3_prepare16_v2(handle, L"select id,Nume from clienti WHERE id = ?", -1, &name, nullptr);
    rows = 0;
    wchar_t text[64];
    size_t characters = 0;
    while (sqlite3_step(headers) == SQLITE_ROW) {
        sqlite3_bind_int64(name, 1, sqlite3_column_int64(headers, 3));
        if (sqlite3_step(name) == SQLITE_ROW)
            characters += wcslen(static_cast<const wchar_t*>(sqlite3_column_text16(name, 1)));
        sqlite3_reset(name);
        for (int column = 5; column <= 8; ++column)
            characters += swprintf(text, 64, L"%.2f", sqlite3_column_double(headers, column));
        ++rows;
    }
    sqlite3_finalize(headers);
    sqlite3_finalize(name);
    if (characters == 0)
        wprintf(L"  (no texts read)\n");
    return watch.Milliseconds();
}

class HostWindow : public micro::gui::QWindow {
public:
    const wchar_t* GetClassName() override { return L"BrivaneBenchHost"; }
};

double FillPanel(int& rows)
{
    HostWindow host;
    host.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    host.MoveWindow(0, 0, 1000, 700);
    MyFacturiPanel panel(0);
    Stopwatch watch;
    panel.Create(&host, 1, 0);
    double ms = watch.Milliseconds();
    rows = panel.lista.GetItemCount();
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
        // The same load and rows again, without the window's own set-up.
        Stopwatch again;
        listaDocumente.Clear();
        inregistrari.RemoveAt(0, inregistrari.GetCount());
        LoadDocuments();
        FilterList();
        reloadMilliseconds = again.Milliseconds();
        EndDialog(IDCANCEL);
        return result;
    }
    double milliseconds = 0;
    double reloadMilliseconds = 0;
    int rows = 0;
};

void Report(const wchar_t* what, double ms, int rows, double raw)
{
    wprintf(L"  %-22ls %9.0f ms  %6d rows   ratio %.2f x (goal <= 1.5 x)\n", what, ms, rows, ms / raw);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    std::wstring folder = L"bench-out";
    bool regenerate = false;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--regenerate") == 0)
            regenerate = true;
        else
            folder = argv[i];
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\Societate";
    MyRepository db;
    bench::OpenBigCompany(db, path, regenerate);
    SetRepository(&db);

    // Each figure is the best of a few runs, so a passing hiccup of the
    // machine does not decide the ratio.
    const int kRuns = 3;
    long long rawRows = 0;
    RawRead(db.GetHandle(), rawRows); // warms the page cache for every run below
    double raw = 1e30, panel = 1e30, picking = 1e30, reload = 1e30;
    int panelRows = 0, pickerRows = 0;
    for (int run = 0; run < kRuns; ++run) {
        raw = std::min(raw, RawRead(db.GetHandle(), rawRows));
        panel = std::min(panel, FillPanel(panelRows));
        TimedPicker picker;
        picker.DoModal();
        picking = std::min(picking, picker.milliseconds);
        reload = std::min(reload, picker.reloadMilliseconds);
        pickerRows = picker.rows;
    }
    wprintf(L"  %-22ls %9.0f ms  %6lld rows\n", L"raw read + names", raw, rawRows);
    Report(L"invoice list tab", panel, panelRows, raw);
    Report(L"invoice picker", picking, pickerRows, raw);
    Report(L"picker reload", reload, pickerRows, raw);
    SetRepository(nullptr);
    db.Close();
    CoUninitialize();
    return 0;
}
