// Times the database work a busy company's day is made of, on a generated
// three-year database: the stock of every product at a date (through the
// look-up, against the same sums run straight on SQLite), and saving a
// 200-line invoice in one transaction against statement by statement.
//
//   DatabaseBench [folder] [--regenerate]
#include "bench/support/BenchSupport.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/Schema.h"
#include "sqlite3.h"
#include <windows.h>
#include <cmath>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::Stopwatch;

// The stock rule written out as four plain sums: goods received and invoices
// count unless cancelled, general entries and exits only once validated.
const wchar_t* const kStockSums[] = {
    L"SELECT SUM(cantitate) FROM ArticoleNiruri JOIN Niruri ON ArticoleNiruri.IDFactura = Niruri.id WHERE "
    L"ArticoleNiruri.produsID = ? AND dataCreare BETWEEN 0 AND ? AND status IS NOT 3",
    L"SELECT SUM(cantitate) FROM ArticoleIntrariGenerale JOIN IntrariGenerale ON ArticoleIntrariGenerale.IDIntrare = "
    L"IntrariGenerale.id WHERE ArticoleIntrariGenerale.produsID = ? AND dataCreare BETWEEN 0 AND ? AND status = 2",
    L"SELECT SUM(cantitate) FROM ArticoleFacturi JOIN Facturi ON ArticoleFacturi.IDFactura = Facturi.id WHERE "
    L"ArticoleFacturi.produsID = ? AND dataCreare BETWEEN 0 AND ? AND status IS NOT 3",
    L"SELECT SUM(cantitate) FROM ArticoleIesiriGenerale JOIN IesiriGenerale ON ArticoleIesiriGenerale.IDIntrare = "
    L"IesiriGenerale.id WHERE ArticoleIesiriGenerale.produsID = ? AND dataCreare BETWEEN 0 AND ? AND status = 2",
};

void Counts(MyRepository& db)
{
    const wchar_t* tables[] = {L"Produse", L"Clienti", L"Facturi", L"Proforme", L"Avize", L"Niruri",
                               L"IntrariGenerale", L"IesiriGenerale", L"ArticoleFacturi", L"ArticoleProforme",
                               L"ArticoleAvize", L"ArticoleNiruri", L"ArticoleIntrariGenerale",
                               L"ArticoleIesiriGenerale", L"Incasari", L"Plati", L"Stocuri"};
    long long headers = 0, lines = 0;
    for (const wchar_t* table : tables) {
        long long n = db.ExecScalar(micro::qsql::SqlFormat(L"select count(*) from %s", table).c_str());
        if (wcsncmp(table, L"Articole", 8) == 0)
            lines += n;
        else if (wcscmp(table, L"Produse") && wcscmp(table, L"Clienti") && wcscmp(table, L"Incasari") &&
                 wcscmp(table, L"Plati") && wcscmp(table, L"Stocuri"))
            headers += n;
        wprintf(L"  %-24ls %9lld\n", table, n);
    }
    wprintf(L"  %-24ls %9lld\n  %-24ls %9lld\n", L"document headers", headers, L"document lines", lines);
}

// Every stock and report query must find its rows through an index.
bool PlansUseIndexes(MyRepository& db)
{
    bool ok = true;
    for (const wchar_t* sql : kStockSums) {
        std::wstring text = std::wstring(L"EXPLAIN QUERY PLAN ") + sql;
        for (size_t p; (p = text.find(L'?')) != std::wstring::npos;)
            text.replace(p, 1, L"1");
        micro::qsql::QsqlQuery q = db.ExecQuery(text.c_str());
        for (; !q.Eof(); q.NextRow()) {
            std::wstring step = q.GetStringField(3).c_str();
            wprintf(L"  plan: %ls\n", step.c_str());
            if (step.find(L"SCAN") != std::wstring::npos)
                ok = false;
        }
    }
    return ok;
}

// A general movement's stored date lies kMovementDateShift before the day it
// counts on: the last stored moment of a period for the sum `i` of kStockSums.
long long MovementBound(int i, long long end)
{
    return i == 1 || i == 3 ? end - kMovementDateShift : end;
}

// The same four sums, prepared once and bound per product, straight on
// SQLite in one read transaction: the best these queries can do.
std::vector<double> RawStock(sqlite3* handle, long long end, int products)
{
    sqlite3_stmt* statements[4];
    for (int i = 0; i < 4; ++i)
        sqlite3_prepare16_v2(handle, kStockSums[i], -1, &statements[i], nullptr);
    std::vector<double> stock(products + 1);
    sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    for (int p = 0; p <= products; ++p) {
        double sums[4];
        for (int i = 0; i < 4; ++i) {
            sqlite3_bind_int64(statements[i], 1, p);
            sqlite3_bind_int64(statements[i], 2, MovementBound(i, end));
            sums[i] = sqlite3_step(statements[i]) == SQLITE_ROW ? sqlite3_column_double(statements[i], 0) : 0.0;
            sqlite3_reset(statements[i]);
        }
        stock[p] = sums[0] + sums[1] - sums[2] - sums[3];
    }
    for (sqlite3_stmt* st : statements)
        sqlite3_finalize(st);
    sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    return stock;
}

// One grouped pass per table: what a report over all products could run instead.
std::vector<double> GroupedStock(MyRepository& db, long long end, int products)
{
    std::vector<double> stock(products + 1, 0.0);
    const wchar_t* parts[][4] = {{L"ArticoleNiruri", L"Niruri", L"IDFactura", L"status IS NOT 3"},
                                 {L"ArticoleIntrariGenerale", L"IntrariGenerale", L"IDIntrare", L"status = 2"},
                                 {L"ArticoleFacturi", L"Facturi", L"IDFactura", L"status IS NOT 3"},
                                 {L"ArticoleIesiriGenerale", L"IesiriGenerale", L"IDIntrare", L"status = 2"}};
    for (int i = 0; i < 4; ++i) {
        micro::qsql::QsqlQuery q = db.ExecQuery(
            micro::qsql::SqlFormat(L"SELECT produsID, SUM(cantitate) FROM %s JOIN %s ON %s.%s = %s.id WHERE dataCreare "
                                   L"BETWEEN 0 AND %lld AND %s GROUP BY produsID",
                                   parts[i][0], parts[i][1], parts[i][0], parts[i][2], parts[i][1],
                                   MovementBound(i, end), parts[i][3])
                .c_str());
        for (; !q.Eof(); q.NextRow()) {
            long long p = q.GetIntField(0);
            if (p >= 0 && p <= products)
                stock[p] += (i < 2 ? 1 : -1) * q.GetFloatField(1);
        }
    }
    return stock;
}

// False when a way of summing the stock answers otherwise than the look-up.
bool StockBench(MyRepository& db, int products)
{
    long long date = bench::kFirstDay + 800 * 86400LL + 12 * 3600;
    long long end = EndOfDay(date);
    wprintf(L"\nstock of every product (%d) at the end of day %lld\n", products, end);

    // The first pass reads the pages every later pass needs; the three timed
    // ones then compare the same warm work.
    Stopwatch coldWatch;
    RawStock(db.GetHandle(), end, products);
    GroupedStock(db, end, products);
    double coldMs = coldWatch.Milliseconds();

    const int runs = bench::ShortOr(1, 3);
    std::vector<double> lookup(products + 1);
    bench::Timing lookupT = bench::Time(runs, [&] {
        for (int p = 0; p <= products; ++p)
            lookup[p] = GetProductStockAtDate(date, p);
    });
    double lookupMs = lookupT.median;

    // The same look-ups inside one read transaction: the file is locked and
    // its change counter checked once instead of once a statement.
    bench::Timing heldT = bench::Time(runs, [&] {
        micro::qsql::QsqlTransaction read(db);
        for (int p = 0; p <= products; ++p)
            GetProductStockAtDate(date, p);
    });
    double heldMs = heldT.median;

    std::vector<double> raw;
    bench::Timing rawT = bench::Time(runs, [&] { raw = RawStock(db.GetHandle(), end, products); });
    double rawMs = rawT.median;

    std::vector<double> grouped;
    bench::Timing groupedT = bench::Time(runs, [&] { grouped = GroupedStock(db, end, products); });
    double groupedMs = groupedT.median;

    // One small look-up (a product's name) outside any transaction, against
    // the same inside one.
    micro::utils::QString name;
    bench::Timing singleT = bench::Time(runs, [&] {
        for (int p = 1; p <= std::min(products, 1000); ++p)
            GetProductTextField(name, p, 1);
    });
    bench::Timing singleHeldT = bench::Time(runs, [&] {
        micro::qsql::QsqlTransaction read(db);
        for (int p = 1; p <= std::min(products, 1000); ++p)
            GetProductTextField(name, p, 1);
    });

    int differ = 0, differGrouped = 0;
    for (int p = 0; p <= products; ++p) {
        if (std::llround(lookup[p] * 100) != std::llround(raw[p] * 100))
            ++differ;
        if (std::llround(lookup[p] * 100) != std::llround(grouped[p] * 100))
            ++differGrouped;
    }
    wprintf(L"  first passes (cold)        %9.1f ms\n", coldMs);
    wprintf(L"  look-up per product        %9.1f ms  (%.3f ms a product)\n", lookupMs, lookupMs / (products + 1));
    wprintf(L"  look-ups in one transaction %8.1f ms\n", heldMs);
    wprintf(L"  raw SQLite, best case     %9.1f ms\n", rawMs);
    wprintf(L"  grouped, one pass a table  %9.1f ms\n", groupedMs);
    wprintf(L"  ratio look-up / raw        %9.2f\n", lookupMs / rawMs);
    wprintf(L"  ratio look-up / grouped    %9.2f\n", lookupMs / groupedMs);
    wprintf(L"  ratio look-up / look-ups in one transaction %.2f\n", lookupMs / heldMs);
    wprintf(L"  products whose answers differ: raw %d, grouped %d\n", differ, differGrouped);
    bench::PrintTiming(L"stock look-ups, every product", lookupT);
    bench::PrintTiming(L"the same in one transaction", heldT);
    bench::PrintTiming(L"raw SQLite, prepared once", rawT);
    bench::PrintTiming(L"grouped, one pass a table", groupedT);
    bench::PrintRatio(L"stock look-ups / prepared sums", lookupT, rawT, L"<= 1.5 x");
    bench::PrintAimRatio(L"stock-lookups/prepared-sums", lookupT.median / rawT.median, 1.5);
    bench::PrintTiming(L"1000 single look-ups", singleT);
    bench::PrintTiming(L"1000 single look-ups in a transaction", singleHeldT);
    bench::PrintRatio(L"single look-up / in a transaction", singleT, singleHeldT, L"<= 3 x");
    bench::PrintAimRatio(L"single-lookup/in-transaction", singleT.median / singleHeldT.median, 3);
    return differ == 0 && differGrouped == 0;
}

// The document editor's save of a new 200-line invoice: lines, then header.
double SaveInvoice(MyRepository& db, bool oneTransaction, int products)
{
    long long reserved = db.ExecScalar(L"Select MAX(id) from Facturi") + 1;
    long long number = GetInvoiceConfigValue(8) + 1;
    Stopwatch watch;
    auto save = [&] {
        db.DeleteDocumentItems(DocumentInvoice, reserved);
        for (int k = 0; k < 200; ++k)
            db.InsertDocumentItem(DocumentInvoice, 1 + (k * 37) % products, 1 + k % 5, 10.0 + k, reserved, 0);
        db.SaveDocumentHeader(DocumentInvoice, 0, false, StatusTemporary, number, 1, bench::kFirstDay, bench::kFirstDay,
                              0, 0, 1000.0, 190.0, 1190.0, 1190.0, L"BRV");
    };
    if (oneTransaction) {
        micro::qsql::QsqlTransaction transaction(db);
        MyRepository::ThrowErrors raise(db);
        save();
        transaction.Commit();
    } else {
        save();
    }
    return watch.Milliseconds();
}

void SaveBench(MyRepository& db, int products)
{
    // The generated file is shared with other benchmarks: the invoices saved
    // here are taken out again afterwards.
    long long lastId = db.ExecScalar(L"select max(id) from Facturi");
    long long lastNumber = GetInvoiceConfigValue(8);
    long long lastRecorded = db.ExecScalar(L"select idFactura from iduri where id = 1");
    const int runs = bench::ShortOr(1, 5);
    std::vector<double> together, apart;
    for (int i = 0; i < runs; ++i) {
        together.push_back(SaveInvoice(db, true, products));
        apart.push_back(SaveInvoice(db, false, products));
    }
    wprintf(L"\nsaving a new 200-line invoice\n");
    bench::Timing one = bench::Summarize(together), each = bench::Summarize(apart);
    bench::PrintTiming(L"one transaction", one);
    bench::PrintTiming(L"each statement on its own", each);
    bench::PrintRatio(L"autocommit / one transaction", each, one, L"(information)");

    micro::qsql::QsqlTransaction undo(db);
    db.ExecDML(micro::qsql::SqlFormat(L"delete from ArticoleFacturi where IDFactura > %lld", lastId).c_str());
    db.ExecDML(micro::qsql::SqlFormat(L"delete from Facturi where id > %lld", lastId).c_str());
    db.ExecDML(micro::qsql::SqlFormat(L"update ConfigFacturi set numarFactura = %lld where id = 1", lastNumber).c_str());
    db.ExecDML(micro::qsql::SqlFormat(L"update iduri set idFactura = %lld where id = 1", lastRecorded).c_str());
    undo.Commit();
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    bench::Boxes();
    bench::FolderArguments arguments = bench::ReadFolderArguments(argc, argv);
    std::wstring folder = arguments.folder;
    bool regenerate = arguments.regenerate;
    std::wstring pragma;
    for (int i = 1; i < argc; ++i)
        if (wcsncmp(argv[i], L"--pragma=", 9) == 0)
            pragma = argv[i] + 9;
    std::wstring path = folder + L"\\Societate";
    bench::CompanySize size = bench::SizeFromCommandLine();
    MyRepository db;
    try {
        bench::OpenBigCompany(db, path, regenerate, size);
        SetRepository(&db);
        if (!pragma.empty()) {
            db.ExecQuery((L"PRAGMA " + pragma).c_str());
            wprintf(L"PRAGMA %ls\n", pragma.c_str());
        }
        Counts(db);
        wprintf(L"\nquery plans of the stock sums\n");
        bool indexed = PlansUseIndexes(db);
        wprintf(L"  %ls\n", indexed ? L"every line table is searched through an index" : L"A LINE TABLE IS SCANNED");
        bool agree = StockBench(db, size.products);
        SaveBench(db, size.products);
        SetRepository(nullptr);
        db.Close();
        return indexed && agree ? 0 : 1;
    } catch (const micro::qsql::QSqlError& error) {
        wprintf(L"%ls\n", error.GetText().c_str());
        return 2;
    }
}
