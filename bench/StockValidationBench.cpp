// Times the validation of a 1 000-row general exit into stock: one
// transaction (the program's way) against every statement committing on its
// own (stock read, stock update, look-ups and ledger row per row, then the
// rows and the header), on a fresh company file of 1 000 products.
//
//   StockValidationBench [folder] [--runs=N]
#include "bench/support/BenchSupport.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "stock/StockMoveStore.h"
#include <windows.h>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using micro::qsql::SqlFormat;
using micro::utils::QString;

const int kRows = bench::ShortOr(100, 1000);
const long long kDate = 1767225600;  // 01-01-2026

std::vector<StockMoveRow> ExitRows(MyRepository& db)
{
    std::vector<StockMoveRow> rows;
    long long first = db.ExecScalar(L"select min(id) from Produse where id > 0");
    for (int k = 0; k < kRows; ++k)
        rows.push_back(StockMoveRow{static_cast<unsigned long long>(first + k), 1.0 + k % 3, 2.5, 2.5, 0.6, 3.1});
    return rows;
}

// The statements of a validation, each committing on its own.
void ValidateStatementByStatement(MyRepository& db, const std::vector<StockMoveRow>& rows)
{
    unsigned long long number = db.ExecScalar(L"select idIesiri from iduri where id = 1") + 1;
    for (const StockMoveRow& row : rows) {
        double stock = db.ExecQuery(SqlFormat(L"select id,stocReal from Produse where id = %llu", row.productId).c_str())
                           .GetFloatField(1, 0.0);
        db.ExecDML(SqlFormat(L"update Produse set stocReal = %.17g where id = %llu", stock - row.quantity,
                             row.productId)
                       .c_str());
        double stored = GetProductNumField(row.productId, 3);
        double price = GetProductNumField(row.productId, 5);
        QString unit;
        GetProductTextField(unit, row.productId, 6);
        db.ExecDML(SqlFormat(L"insert into Stocuri values ( NULL , %lld , 4 , %llu , 'IESIRE GENERALA' , %llu , %.17g , "
                             L"%.17g , %.17g , '%s'  )",
                             kDate, number, row.productId, stored, row.quantity, price, unit.c_str())
                       .c_str());
    }
    db.ExecDML(SqlFormat(L"delete from ArticoleIesiriGenerale where IDIntrare = %llu", number).c_str());
    for (const StockMoveRow& row : rows)
        db.ExecDML(SqlFormat(L"insert into ArticoleIesiriGenerale values ( NULL , %llu , %.17g , %llu , %.17g )",
                             row.productId, row.quantity, number, row.price)
                       .c_str());
    db.ExecDML(SqlFormat(L"insert into IesiriGenerale values (NULL, %lld, 2, 0, 0, 0, 0)", kDate - 7200).c_str());
    db.ExecDML(SqlFormat(L"update iduri set idIesiri = %llu where id = 1", number).c_str());
}

void Reset(MyRepository& db)
{
    micro::qsql::QsqlTransaction reset(db);
    db.ExecDML(L"update Produse set stocReal = 5000 where id > 0");
    db.ExecDML(L"delete from Stocuri");
    db.ExecDML(L"delete from ArticoleIesiriGenerale");
    db.ExecDML(L"delete from IesiriGenerale");
    db.ExecDML(L"update iduri set idIesiri = 0 where id = 1");
    reset.Commit();
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    bench::Boxes();
    std::wstring folder = bench::ReadFolderArguments(argc, argv).folder;
    int runs = bench::RunsArgument(argc, argv, 3);
    std::wstring path = folder + L"\\StockValidation";
    DeleteFileW(path.c_str());
    MyRepository db;
    CreateCompanyDatabase(db, path.c_str());
    SetRepository(&db);
    {
        micro::qsql::QsqlTransaction fill(db);
        // Every product received once long ago: the stock the validation checks.
        db.ExecDML(L"insert into Niruri (status, dataCreare) values (2, 0)");
        for (int k = 0; k < kRows; ++k) {
            db.ExecDML(SqlFormat(L"insert into Produse (denumire, UM, stocReal, pretVanzare, TVA, moneda) values "
                                 L"('Produs %d', 'buc', 5000, 4.5, 0, 0)",
                                 k)
                           .c_str());
            db.ExecDML(L"insert into ArticoleNiruri (produsID, cantitate, IDFactura) values (last_insert_rowid(), 5000, 1)");
        }
        fill.Commit();
    }
    std::vector<StockMoveRow> rows = ExitRows(db);

    std::vector<double> oneTimes, apartTimes;
    for (int run = 0; run < runs; ++run) {
        Reset(db);
        bench::Stopwatch one;
        StockMoveHeader header;
        header.date = kDate;
        if (ValidateStockMove(1, header, rows).Refused()) {
            wprintf(L"the exit was refused for want of stock\n");
            return 1;
        }
        oneTimes.push_back(one.Milliseconds());
        Reset(db);
        bench::Stopwatch each;
        ValidateStatementByStatement(db, rows);
        apartTimes.push_back(each.Milliseconds());
    }
    bench::Timing together = bench::Summarize(oneTimes), apart = bench::Summarize(apartTimes);
    wprintf(L"validating a %d-row general exit\n", kRows);
    bench::PrintTiming(L"one transaction", together);
    bench::PrintTiming(L"each statement on its own", apart);
    bench::PrintRatio(L"autocommit / one transaction", apart, together, L"(information)");
    // The validation's one transaction is there to be cheaper than its statements apart.
    bench::PrintAimRatio(L"stock_validation_transaction_to_autocommit",
                         apart.median > 0 ? together.median / apart.median : 0, 1.0);
    SetRepository(nullptr);
    db.Close();
    return 0;
}
