#include "bench/support/BenchSupport.h"
#include <windows.h>
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

int RunsArgument(int argc, wchar_t** argv, int fallback)
{
    int runs = fallback;
    for (int i = 1; i < argc; ++i)
        if (wcsncmp(argv[i], L"--runs=", 7) == 0)
            runs = std::max(1, _wtoi(argv[i] + 7));
    return runs;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void OpenBigCompany(MyRepository& db, const std::wstring& path, bool regenerate, const CompanySize& size)
{
    if (regenerate)
        DeleteFileW(path.c_str());
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        OpenCompanyDatabase(db, path.c_str());
        wprintf(L"database: %ls (kept from an earlier run; --regenerate makes it anew)\n", path.c_str());
        return;
    }
    CreateCompanyDatabase(db, path.c_str());
    Stopwatch watch;
    CompanyGenerator generator(db, size);
    generator.Run();
    wprintf(L"database: %ls generated in %.1f s (%lld lines)\n", path.c_str(), watch.Milliseconds() / 1000.0,
            generator.lines);
}

unsigned long long MakeInvoice(MyRepository& db, const wchar_t* clientName, const wchar_t* city)
{
    db.ExecDML(L"update Societate set denumire = 'Firma Test SRL', adresa = 'Str. Lunga 3', cotaTVA = 0 where id = 1");
    db.ExecDML(SqlFormat(L"insert into Clienti (Nume, Adresa, Oras) values ('%s', 'Str. Scurta 1', '%s')", clientName,
                         city)
                   .c_str());
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

} // namespace bench
