#include "bench/support/BenchSupport.h"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <cwchar>
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "database/qsql/SqlText.h"

using micro::qsql::SqlFormat;

namespace bench {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

bool ShortRun()
{
    static int cached = -1;
    if (cached < 0) {
        int argc = 0;
        wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        cached = 0;
        for (int i = 1; argv && i < argc; ++i)
            if (wcscmp(argv[i], L"--short") == 0)
                cached = 1;
        LocalFree(argv);
    }
    return cached == 1;
}

int ShortOr(int brief, int full)
{
    return ShortRun() ? brief : full;
}

int RunsArgument(int argc, wchar_t** argv, int fallback)
{
    int runs = ShortOr(1, fallback);
    for (int i = 1; i < argc; ++i)
        if (wcsncmp(argv[i], L"--runs=", 7) == 0)
            runs = std::max(1, _wtoi(argv[i] + 7));
    return runs;
}

static std::wstring ProgramName()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n < MAX_PATH ? n : 0);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

FolderArguments ReadFolderArguments(int argc, wchar_t** argv)
{
    FolderArguments arguments;
    if (ShortRun()) {
        CreateDirectoryW(L"bench-short", nullptr);
        arguments.folder = L"bench-short\\" + ProgramName();
    }
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--regenerate") == 0)
            arguments.regenerate = true;
        else if (argv[i][0] != L'-')
            arguments.folder = argv[i];
    }
    CreateDirectoryW(arguments.folder.c_str(), nullptr);
    return arguments;
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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

Timing Summarize(const std::vector<double>& values)
{
    Timing t;
    if (values.empty())
        return t;
    t.median = Median(values);
    t.low = *std::min_element(values.begin(), values.end());
    t.high = *std::max_element(values.begin(), values.end());
    t.runs = static_cast<int>(values.size());
    return t;
}

testing_support::MessageBoxRecorder& Boxes()
{
    struct Echoing : testing_support::MessageBoxRecorder {
        Echoing() { Echo(true); }
    };
    static Echoing boxes;
    return boxes;
}

void CancelDiscarding(HWND dialog)
{
    testing_support::MessageBoxRecorder& boxes = Boxes();
    boxes.Answer(IDYES);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    boxes.ClearAnswers();
}

void PrintTiming(const wchar_t* what, const Timing& t)
{
    wprintf(L"  %-40ls %10.2f ms  (%.2f .. %.2f, %d runs)\n", what, t.median, t.low, t.high, t.runs);
}

void PrintRatio(const wchar_t* what, const Timing& measured, const Timing& base, const wchar_t* goal)
{
    double ratio = base.median > 0 ? measured.median / base.median : 0.0;
    double low = base.high > 0 ? measured.low / base.high : 0.0;
    double high = base.low > 0 ? measured.high / base.low : 0.0;
    wprintf(L"  ratio %-34ls %10.2f x   (%.2f .. %.2f)  goal %ls\n", what, ratio, low, high, goal);
}

size_t PrivateBytes()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof(info)) == sizeof(info);) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= p)
            break;
        p = next;
    }
    return total;
}

namespace {

void PrintAim(const wchar_t* kind, const wchar_t* name, double measured, double aim)
{
    std::wstring token = name;
    std::replace(token.begin(), token.end(), L' ', L'_');
    wprintf(L"%ls %ls %.2f %.2f\n", kind, token.c_str(), measured, aim);
}

bool SameSizes(const CompanySize& a, const CompanySize& b)
{
    return a.products == b.products && a.clients == b.clients && a.suppliers == b.suppliers &&
           a.agents == b.agents && a.invoices == b.invoices && a.proformas == b.proformas &&
           a.deliveryNotes == b.deliveryNotes && a.goodsReceived == b.goodsReceived && a.entries == b.entries &&
           a.exits == b.exits && a.receipts == b.receipts && a.payments == b.payments &&
           a.averageLines == b.averageLines && a.years == b.years;
}

// Whether the file holds what the generator makes for `size` (it numbers
// every table's rows from 1, so the last id is the count).
bool HoldsSizes(MyRepository& db, const CompanySize& size)
{
    struct Count {
        const wchar_t* table;
        int expected;
    } counts[] = {{L"Produse", size.products}, {L"Clienti", size.clients}, {L"Facturi", size.invoices},
                  {L"Proforme", size.proformas}, {L"Avize", size.deliveryNotes}, {L"Niruri", size.goodsReceived},
                  {L"IntrariGenerale", size.entries}, {L"IesiriGenerale", size.exits},
                  {L"Incasari", size.receipts}, {L"Plati", size.payments}};
    for (const Count& c : counts)
        if (db.ExecScalar(SqlFormat(L"select max(id) from %s", c.table).c_str()) != c.expected)
            return false;
    // The last invoice is dated on the last of the years.
    long long last = db.ExecScalar(L"select max(dataCreare) from Facturi");
    return last >= kFirstDay + (size.Days() - 2) * 86400 && last < kFirstDay + (size.Days() + 1) * 86400;
}

} // namespace

void PrintAimRatio(const wchar_t* name, double measured, double aim)
{
    PrintAim(L"RATIO", name, measured, aim);
}

void PrintAimMs(const wchar_t* name, double measured, double aim)
{
    PrintAim(L"MS", name, measured, aim);
}

CompanySize SizeFromCommandLine()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    CompanySize size = ShortRun() ? CompanySize::Short() : CompanySize();
    for (int i = 1; argv && i < argc; ++i)
        if (wcsncmp(argv[i], L"--years=", 8) == 0 && _wtoi(argv[i] + 8) > 0)
            size = CompanySize::OfYears(_wtoi(argv[i] + 8));
    LocalFree(argv);
    return size;
}

void OpenBigCompany(MyRepository& db, const std::wstring& path, bool regenerate, const CompanySize& wanted)
{
    CompanySize size = SameSizes(wanted, CompanySize()) ? SizeFromCommandLine() : wanted;
    if (regenerate)
        DeleteFileW(path.c_str());
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        OpenCompanyDatabase(db, path.c_str());
        if (HoldsSizes(db, size)) {
            wprintf(L"database: %ls, %d years (kept from an earlier run; --regenerate makes it anew)\n",
                    path.c_str(), size.years);
            return;
        }
        wprintf(L"database: %ls holds other sizes: made anew\n", path.c_str());
        db.Close();
        DeleteFileW(path.c_str());
    }
    CreateCompanyDatabase(db, path.c_str());
    Stopwatch watch;
    CompanyGenerator generator(db, size);
    generator.Run();
    wprintf(L"database: %ls, %d years, generated in %.1f s (%lld lines)\n", path.c_str(), size.years,
            watch.Milliseconds() / 1000.0, generator.lines);
}

unsigned long long MakeInvoice(MyRepository& db, const wchar_t* clientName, const wchar_t* city, int lines)
{
    db.ExecDML(L"update Societate set denumire = 'Firma Test SRL', adresa = 'Str. Lunga 3', cotaTVA = 0 where id = 1");
    db.ExecDML(SqlFormat(L"insert into Clienti (Nume, Adresa, Oras) values ('%s', 'Str. Scurta 1', '%s')", clientName,
                         city)
                   .c_str());
    db.ExecDML(L"insert into Facturi (status, numar, client, dataCreare, dataScadenta, valoareFT, valoareTVA, "
               L"valoareTTI, serie) values (1, 7, 1, 1700000000, 1702592000, 1000, 240, 1240, 'FCT')");
    unsigned long long invoice = static_cast<unsigned long long>(db.LastInsertRowId());
    for (int i = 1; i <= lines; ++i) {
        db.ExecDML(SqlFormat(L"insert into Produse (denumire, UM, TVA) values ('Produs de test numarul %d', 'Buc', %d)",
                             i, i % 3));
        db.ExecDML(SqlFormat(L"insert into ArticoleFacturi (produsID, cantitate, valoareFT, IDFactura) values "
                             L"(%lld, %d, %f, %llu)",
                             db.LastInsertRowId(), i, 10.5 * i, invoice));
    }
    return invoice;
}

} // namespace bench

namespace bench {
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
} // namespace bench

namespace {
HWND (*g_window)() = nullptr;
void (*g_work)() = nullptr;

void CALLBACK WhenShownTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND w = g_window ? g_window() : nullptr;
    if (!w || !IsWindowVisible(w))
        return;
    KillTimer(nullptr, timer);
    void (*work)() = g_work;
    g_work = nullptr;
    g_window = nullptr;
    if (work)
        work();
}
} // namespace

namespace bench {
void WhenShown(HWND (*window)(), void (*work)())
{
    g_window = window;
    g_work = work;
    SetTimer(nullptr, 0, 20, &WhenShownTick);
}
} // namespace bench
