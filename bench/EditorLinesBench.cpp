// Times typing lines into the document editor: each line from the press of
// Adauga to its row shown, the first lines against the 200th, a company of
// 50 products against one of 5 000, and beside each invoice typed a bare
// list view of the editor list's make given as many rows (the list's own
// cost); then opening the editor on the 200-line invoice saved. Ratios in one run; the aims as machine-readable
// "MS name measured aim" and "RATIO name measured aim" lines.
//
//   EditorLinesBench [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "documents/MyFacturiDialog.h"
#include "framework/gui/QListRowWrite.h"
#include "resources/resource.h"
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <objbase.h>
#include <algorithm>
#include <memory>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::PrintRatio;
using bench::PrintTiming;
using bench::Stopwatch;
using bench::Timing;

const int kLines = 200;
// Invoices typed per company; line timings pooled by position.
const int kRounds = bench::ShortOr(1, 3);
int g_products = 50;
std::vector<double> g_lineTimes;
// The bare list's rows 1-10 and 191-200, one list after each typed invoice:
// rows written as the editor writes them, and rows inserted plainly.
std::vector<double> g_bareFirst, g_bareLast, g_plainFirst, g_plainLast, g_bareRow1;
MyFacturiDialog* g_editor = nullptr;
bool g_saved = false;

HWND EditorWindow()
{
    return g_editor ? g_editor->GetHandle() : nullptr;
}

// The editor's line list as made: its size, styles and columns, for a bare
// list view of the same make beside it.
struct ListMake {
    int width = 0, height = 0;
    LONG_PTR style = 0, exStyle = 0;
    DWORD listStyle = 0;
    std::vector<int> widths, formats;
};
ListMake g_make;
std::vector<double> BareListRows(bool asTheEditor);

void ReadListMake(HWND list)
{
    RECT r = {};
    GetWindowRect(list, &r);
    g_make.width = r.right - r.left;
    g_make.height = r.bottom - r.top;
    g_make.style = GetWindowLongPtrW(list, GWL_STYLE);
    g_make.exStyle = GetWindowLongPtrW(list, GWL_EXSTYLE);
    g_make.listStyle = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    g_make.widths.clear();
    g_make.formats.clear();
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH | LVCF_FMT;
    for (int c = 0; SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column)); ++c) {
        g_make.widths.push_back(column.cx);
        g_make.formats.push_back(column.fmt);
    }
}

// Lines name catalogue products, every tenth a product new to the catalogue.
void TypeLines()
{
    HWND w = g_editor->GetHandle();
    ReadListMake(g_editor->listaArticole);
    SetDlgItemTextW(w, IDC_FE_CLIENT_NAME, L"Client Bench SRL");
    for (int i = 0; i < kLines; ++i) {
        wchar_t name[32];
        if (i % 10 == 9)
            swprintf(name, 32, L"Produs nou %03d", i);
        else
            swprintf(name, 32, L"Produs %05d", 1 + (i * 37) % g_products);
        // The fields as typed; the line's own cost is the press of Adauga.
        SetDlgItemTextW(w, IDC_FE_PRODUCT, name);
        SetDlgItemTextW(w, IDC_FE_PRICE, L"10");
        SetDlgItemTextW(w, IDC_FE_QUANTITY, L"2");
        SetDlgItemTextW(w, IDC_FE_UNIT, L"Buc");
        UpdateWindow(w);
        Stopwatch watch;
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        UpdateWindow(w);
        UpdateWindow(g_editor->listaArticole);
        g_lineTimes.push_back(watch.Milliseconds());
    }
    g_editor->status = 1;
    g_saved = g_editor->SaveDocument();
    // Saved outside the editor's own commands, so it still asks.
    bench::CancelDiscarding(w);
}

// The editor's opening on a stored document, up to its window being ready.
class TimedEditor : public MyFacturiDialog {
public:
    TimedEditor() : MyFacturiDialog(nullptr) {}
    bool OnInitDialog() override
    {
        Stopwatch watch;
        bool result = MyFacturiDialog::OnInitDialog();
        milliseconds = watch.Milliseconds();
        rows = listaArticole.GetItemCount();
        EndDialog(IDCANCEL);
        return result;
    }
    double milliseconds = 0;
    int rows = 0;
};

struct Entry {
    Timing line1, line100, line200;  // the single lines, one sample per round
    Timing first;   // lines 1..10
    Timing last;    // lines 191..200
    Timing all;
    Timing opening; // the editor opened on the saved invoice
    int rows = 0;
    long long stored = 0;
};

Entry TypeInvoice(int products, int runs)
{
    g_products = products;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"brivane-lines-bench-" + std::to_wstring(GetCurrentProcessId());
    DeleteFileW(path.c_str());
    Entry entry;
    {
        MyRepository db;
        CreateCompanyDatabase(db, path.c_str());
        SetRepository(&db);
        db.ExecDML(L"update Societate set denumire = 'Firma Bench SRL' where id = 1");
        {
            micro::qsql::QsqlTransaction transaction(db);
            micro::qsql::QsqlStatement st =
                db.CompileStatement(L"insert into Produse (denumire, UM, TVA, pretVanzare) values (?, 'Buc', 1, 10)");
            for (int i = 1; i <= products; ++i) {
                wchar_t name[32];
                swprintf(name, 32, L"Produs %05d", i);
                st.Bind(1, name);
                st.ExecDML();
            }
            transaction.Commit();
        }
        std::vector<double> first, last, all, line1, line100, line200;
        for (int round = 0; round < kRounds; ++round) {
            g_lineTimes.clear();
            MyFacturiDialog editor(nullptr);
            g_editor = &editor;
            bench::WhenShown(&EditorWindow, &TypeLines);
            editor.DoModal();
            g_editor = nullptr;
            if (products == 5000 && g_make.width > 0) {
                std::vector<double> bare = BareListRows(true), plain = BareListRows(false);
                g_bareRow1.push_back(bare.front());
                g_bareFirst.insert(g_bareFirst.end(), bare.begin(), bare.begin() + 10);
                g_bareLast.insert(g_bareLast.end(), bare.end() - 10, bare.end());
                g_plainFirst.insert(g_plainFirst.end(), plain.begin(), plain.begin() + 10);
                g_plainLast.insert(g_plainLast.end(), plain.end() - 10, plain.end());
            }
            if (g_lineTimes.size() == kLines) {
                first.insert(first.end(), g_lineTimes.begin(), g_lineTimes.begin() + 10);
                last.insert(last.end(), g_lineTimes.end() - 10, g_lineTimes.end());
                all.insert(all.end(), g_lineTimes.begin(), g_lineTimes.end());
                line1.push_back(g_lineTimes[0]);
                line100.push_back(g_lineTimes[99]);
                line200.push_back(g_lineTimes[199]);
            }
        }
        entry.stored = db.ExecScalar(L"select count(*) from ArticoleFacturi where IDFactura = 1");
        entry.first = bench::Summarize(first);
        entry.last = bench::Summarize(last);
        entry.all = bench::Summarize(all);
        entry.line1 = bench::Summarize(line1);
        entry.line100 = bench::Summarize(line100);
        entry.line200 = bench::Summarize(line200);
        std::vector<double> openings;
        for (int run = 0; run < runs; ++run) {
            TimedEditor editor;
            editor.id = 1;
            editor.DoModal();
            openings.push_back(editor.milliseconds);
            entry.rows = editor.rows;
        }
        entry.opening = bench::Summarize(openings);
        SetRepository(nullptr);
        db.Close();
    }
    DeleteFileW(path.c_str());
    return entry;
}

// A bare list view of the editor list's make (size, styles, theme,
// columns) in a window of its own, each row added, filled, selected and
// painted: the list control's own cost for each row, to hold the editor's
// lines against, row by row. `asTheEditor`: each row written as one change
// drawn once, as the editor writes its lines; else inserted plainly, the list
// drawing every change (its scroll bars among them) as it comes.
std::vector<double> BareListRows(bool asTheEditor)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, g_make.width + 20,
                                g_make.height + 20, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExW(static_cast<DWORD>(g_make.exStyle), WC_LISTVIEWW, L"",
                                static_cast<DWORD>(g_make.style) | WS_CHILD | WS_VISIBLE, 0, 0, g_make.width,
                                g_make.height, host, nullptr, instance, nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, g_make.listStyle, g_make.listStyle);
    SetWindowTheme(list, L"explorer", nullptr);
    int columns = static_cast<int>(g_make.widths.size());
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.cx = g_make.widths[c];
        column.fmt = g_make.formats[c];
        column.pszText = const_cast<wchar_t*>(L"Coloana");
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    UpdateWindow(host);
    micro::gui::QListCtrl rows(list);
    std::vector<double> times;
    for (int i = 0; i < kLines; ++i) {
        Stopwatch watch;
        std::unique_ptr<micro::gui::QListRowWrite> write;
        if (asTheEditor)
            write.reset(new micro::gui::QListRowWrite(rows, i));
        wchar_t text[16];
        swprintf(text, 16, L"%d", i + 1);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < columns; ++c) {
            LVITEMW cell = {};
            cell.iSubItem = c;
            cell.pszText = const_cast<wchar_t*>(L"10.00");
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        }
        if (write)
            write->SelectAndShow(row);
        else
            rows.SelectItem(row);
        UpdateWindow(list);
        times.push_back(watch.Milliseconds());
    }
    DestroyWindow(host);
    return times;
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    int runs = bench::RunsArgument(argc, argv, 5);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    bench::Boxes();

    Entry small = TypeInvoice(50, runs);
    Entry big = TypeInvoice(5000, runs);
    wprintf(L"typing a %d-line invoice, a line from its fields to its row shown\n", kLines);
    PrintTiming(L"lines 1-10, 50 products", small.first);
    PrintTiming(L"lines 191-200, 50 products", small.last);
    PrintTiming(L"every line, 50 products", small.all);
    PrintTiming(L"lines 1-10, 5000 products", big.first);
    PrintTiming(L"lines 191-200, 5000 products", big.last);
    PrintTiming(L"every line, 5000 products", big.all);
    PrintTiming(L"line 1, 5000 products", big.line1);
    PrintTiming(L"line 100, 5000 products", big.line100);
    PrintTiming(L"line 200, 5000 products", big.line200);
    PrintRatio(L"200th line / 1st line (5000 products)", big.last, big.first, L"<= 1.2 x");
    PrintRatio(L"5000 products / 50 products", big.all, small.all, L"<= 1.2 x");
    Timing bareFirst = bench::Summarize(g_bareFirst), bareLast = bench::Summarize(g_bareLast);
    PrintTiming(L"bare list of the editor's make, row 1", bench::Summarize(g_bareRow1));
    PrintTiming(L"bare list of the editor's make, rows 1-10", bareFirst);
    PrintTiming(L"bare list of the editor's make, rows 191-200", bareLast);
    PrintTiming(L"the same, rows inserted plainly, rows 1-10", bench::Summarize(g_plainFirst));
    PrintTiming(L"the same, rows inserted plainly, rows 191-200", bench::Summarize(g_plainLast));
    // What the editor adds to its list's own cost, at the first lines and the last.
    double ownFirst = big.first.median - bareFirst.median, ownLast = big.last.median - bareLast.median;
    wprintf(L"  editor beyond its list, lines 1-10 / 191-200  %7.2f / %.2f ms\n", ownFirst, ownLast);
    wprintf(L"  a whole invoice typed, 5000 products     %10.0f ms  (%lld lines stored)\n",
            big.all.median * kLines, big.stored);
    wprintf(L"opening the editor on the %d-line invoice (%d rows)\n", kLines, big.rows);
    PrintTiming(L"editor opening, 5000 products", big.opening);
    wprintf(L"  goal                                     %10.0f ms\n", 250.0);
    wprintf(L"MS editor_line_every %.2f 30\n", big.all.median);
    wprintf(L"MS editor_line_1st %.2f 30\n", big.line1.median);
    wprintf(L"MS editor_line_100th %.2f 30\n", big.line100.median);
    wprintf(L"MS editor_line_200th %.2f 30\n", big.line200.median);
    wprintf(L"RATIO editor_lines_191_200_to_1_10 %.2f 1.2\n",
            big.first.median > 0 ? big.last.median / big.first.median : 0.0);

    CoUninitialize();
    return (small.stored == kLines && big.stored == kLines) ? 0 : 1;
}
