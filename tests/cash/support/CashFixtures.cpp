#include "tests/cash/support/CashFixtures.h"
#include "database/qsql/SqlText.h"

namespace cash_tests {

unsigned long long AddDocument(testing_support::TempDatabase& db, const Document& d)
{
    double net = d.total / 1.19;
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (status, numar, client, dataCreare, valoareFT, valoareTVA, "
                                   L"valoareTTI, sold, serie) values (%d, %llu, %llu, 1700000000, %.17g, %.17g, "
                                   L"%.17g, %.17g, 'FX')",
                                   d.table, d.status, d.number, d.client, net, d.total - net, d.total, d.balance)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

double Balance(testing_support::TempDatabase& db, unsigned long long id, const wchar_t* table)
{
    return db.Number(micro::qsql::SqlFormat(L"select sold from %s where id = %llu", table, id).c_str());
}

unsigned long long AddCashRow(testing_support::TempDatabase& db, const wchar_t* table, const CashRow& r)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into %s (serie, numar, IDClient, facturi, suma, sumaStr, data, status, "
                                   L"tip, agent) values ('%s', %llu, %llu, '%s', %.17g, '%s', %lld, %d, %d, 0)",
                                   table, r.series, r.number, r.partner, r.facturi, r.amount, r.words, r.storedDate,
                                   r.status, r.type)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

} // namespace cash_tests
