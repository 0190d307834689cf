#pragma once
#include "database/qsql/SqlText.h"
#include "tests/cash/support/CashFixtures.h"

namespace payment_tests {

struct Payment {
    unsigned long long supplier;
    unsigned long long number;
    const wchar_t* notes; // the facturi text
    double amount;
    int status;
    long long storedDate;
    int type = 0;
    const wchar_t* series = L"PLT";
};

inline unsigned long long AddPayment(testing_support::TempDatabase& db, const Payment& p)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into Plati (serie, numar, IDClient, facturi, suma, sumaStr, data, status, "
                                   L"tip, agent) values ('%s', %llu, %llu, '%s', %.17g, '', %lld, %d, %d, 0)",
                                   p.series, p.number, p.supplier, p.notes, p.amount, p.storedDate, p.status, p.type)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

} // namespace payment_tests
