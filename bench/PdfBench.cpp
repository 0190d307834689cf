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
#include "bench/support/BenchSupport.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "printing/pdf/PdfExports.h"

using micro::qsql::SqlFormat;

namespace {


long long FileSize(const wchar_t* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    int runs = bench::RunsArgument(argc, argv, 50);
    int receipts = bench::ShortOr(2000, 40000);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // Layouts 2 and 3 hold fewer lines and ask before leaving some out: the answer is OK.
    testing_support::MessageBoxRecorder& boxes = bench::Boxes();
    boxes.Echo(false);

    std::wstring folder = bench::ReadFolderArguments(argc, argv).folder;
    std::wstring dbFile = folder + L"\\PdfBench.db";
    const wchar_t* dbPath = dbFile.c_str();
    DeleteFileW(dbPath);
    MyRepository db;
    CreateCompanyDatabase(db, dbPath);
    SetRepository(&db);
    unsigned long long invoice = bench::MakeInvoice(db, L"\x0218tefan \x021A\x0103ran SRL", L"Ia\x0219i");

    bench::Timing load = bench::Time(runs, [&] { FacturaPrintJob job(invoice, 0, 1, nullptr); });
    FacturaPrintJob job(invoice, 0, 1, nullptr);
    wprintf(L"one invoice, 23 lines, %d runs (median)\n", runs);
    bench::PrintTiming(L"loading the record", load);
    {
        // The same with many receipts of other clients on file.
        micro::qsql::QsqlTransaction transaction(db);
        micro::qsql::QsqlStatement st = db.CompileStatement(
            L"insert into Incasari values (NULL, 'CNT', ?, ?, ' 5', 10, 'zece', 1700000000, 2, 0, 0, NULL)");
        for (int i = 1; i <= receipts; ++i) {
            st.Bind(1, static_cast<long long>(i));
            st.Bind(2, static_cast<long long>(2 + i % 2000));
            st.ExecDML();
        }
        transaction.Commit();
    }
    bench::Timing loadMany = bench::Time(runs, [&] { FacturaPrintJob job(invoice, 0, 1, nullptr); });
    bench::PrintTiming(L"loading the record, with the receipts", loadMany);
    wprintf(L"  (%d receipts of other clients on file)\n", receipts);
    bench::PrintRatio(L"many receipts / none", loadMany, load, L"about 1 x (found by index)");
    // The invoice's receipt is found by index, however many others are on file.
    bench::PrintAimRatio(L"pdf_record_many_receipts_to_none", load.median > 0 ? loadMany.median / load.median : 0,
                         1.2);
    struct {
        const wchar_t* name;
        bool (*write)(const FacturaPrintJob&, const wchar_t*);
        std::wstring path;
    } layouts[] = {
        {L"layout 1 (full page)", &WriteFacturaPdfLayout1, folder + L"\\pdf-layout1.pdf"},
        {L"layout 2 (with receipt, 14 lines)", &WriteFacturaChitantaPdfLayout2, folder + L"\\pdf-layout2.pdf"},
        {L"layout 3 (two copies, 5 lines)", &WriteFacturaPdfLayout3, folder + L"\\pdf-layout3.pdf"},
    };
    bool written = true;
    for (const auto& layout : layouts) {
        bool ok = true;
        boxes.Clear();
        bench::Timing write = bench::Time(runs, [&] { ok = layout.write(job, layout.path.c_str()) && ok; });
        bench::PrintTiming((std::wstring(L"writing ") + layout.name).c_str(), write);
        wprintf(L"  %6lld bytes%ls%ls\n", FileSize(layout.path.c_str()),
                boxes.Count() ? L"  (left-out lines confirmed)" : L"", ok ? L"" : L"  (NOT WRITTEN)");
        written = written && ok;
    }
    SetRepository(nullptr);
    db.Close();
    DeleteFileW(dbPath);
    CoUninitialize();
    return written ? 0 : 1;
}
