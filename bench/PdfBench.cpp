// Times the PDF export of a one-page invoice with 23 item lines: loading the
// document record, then writing the file in each layout (reading the rows,
// drawing and saving). Prints the median of each over the runs, with the
// file's size.
//
//   PdfBench [--runs=N]
#include <windows.h>
#include <objbase.h>
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "framework/qdialog/QMessageBox.h"
#include "printing/pdf/PdfExports.h"

using micro::qsql::SqlFormat;

namespace {

double Now()
{
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return 1000.0 * t.QuadPart / f.QuadPart;
}

template <class F>
double Median(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        f();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

unsigned long long MakeInvoice(MyRepository& db)
{
    db.ExecDML(L"update Societate set denumire = 'Firma Test SRL', adresa = 'Str. Lunga 3', cotaTVA = 0 where id = 1");
    db.ExecDML(L"insert into Clienti (Nume, Adresa, Oras) values ('\x0218tefan \x021A\x0103ran SRL', 'Str. Scurta 1', "
               L"'Ia\x0219i')");
    db.ExecDML(L"insert into Facturi (status, numar, client, dataCreare, dataScadenta, valoareFT, valoareTVA, "
               L"valoareTTI, serie) values (1, 7, 1, 1700000000, 1702592000, 1000, 240, 1240, 'FCT')");
    unsigned long long invoice = static_cast<unsigned long long>(db.LastInsertRowId());
    for (int i = 1; i <= 23; ++i) {
        db.ExecDML(SqlFormat(L"insert into Produse (denumire, UM, TVA) values ('Produs de test numarul %d', 'Buc', %d)",
                             i, i % 3));
        db.ExecDML(SqlFormat(L"insert into ArticoleFacturi (produsID, cantitate, valoareFT, IDFactura) values "
                             L"(%lld, %d, %f, %llu)",
                             db.LastInsertRowId(), i, 10.5 * i, invoice));
    }
    return invoice;
}

// Layouts 2 and 3 hold fewer lines and ask before leaving some out: the
// answer is OK, counted and not shown.
int boxesAnswered = 0;
int AnswerOk(HWND, const wchar_t*, const wchar_t*, UINT)
{
    ++boxesAnswered;
    return IDOK;
}

long long FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = 50;
    for (int i = 1; i < argc; ++i)
        if (wcsncmp(argv[i], L"--runs=", 7) == 0)
            runs = std::max(1, _wtoi(argv[i] + 7));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    micro::qdialog::SetMessageBoxHandler(&AnswerOk);

    CreateDirectoryW(L"bench-out", nullptr);
    const wchar_t* dbPath = L"bench-out\\PdfBench.db";
    DeleteFileW(dbPath);
    MyRepository db;
    CreateCompanyDatabase(db, dbPath);
    SetRepository(&db);
    unsigned long long invoice = MakeInvoice(db);

    double load = Median(runs, [&] { FacturaPrintJob job(invoice, 0, 1, nullptr); });
    FacturaPrintJob job(invoice, 0, 1, nullptr);
    wprintf(L"one invoice, 23 lines, %d runs (median)\n", runs);
    wprintf(L"  loading the record                  %8.2f ms\n", load);
    struct {
        const wchar_t* name;
        bool (*write)(const FacturaPrintJob&, const wchar_t*);
        const wchar_t* path;
    } layouts[] = {
        {L"layout 1 (full page)", &WriteFacturaPdfLayout1, L"bench-out\\pdf-layout1.pdf"},
        {L"layout 2 (with receipt, 14 lines)", &WriteFacturaChitantaPdfLayout2, L"bench-out\\pdf-layout2.pdf"},
        {L"layout 3 (two copies, 5 lines)", &WriteFacturaPdfLayout3, L"bench-out\\pdf-layout3.pdf"},
    };
    for (const auto& layout : layouts) {
        bool ok = true;
        boxesAnswered = 0;
        double write = Median(runs, [&] { ok = layout.write(job, layout.path) && ok; });
        wprintf(L"  writing %-34ls %8.2f ms  %6lld bytes%ls%ls\n", layout.name, write, FileSize(layout.path),
                boxesAnswered ? L"  (left-out lines confirmed)" : L"", ok ? L"" : L"  (NOT WRITTEN)");
    }
    SetRepository(nullptr);
    db.Close();
    DeleteFileW(dbPath);
    CoUninitialize();
    return 0;
}
