#include "printing/InvoiceReceiptRow.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"

using micro::qsql::SqlFormat;

namespace {

// A receipt made from an invoice starts as temporary.
const unsigned long long kReceiptTemporary = 1;
const unsigned long long kReceiptFromInvoice = 0;
// Nobody signs in: receipts record user 0.
const unsigned long long kNoUser = 0;
const unsigned long long kConfigRow = 1;

} // namespace

unsigned long long WriteInvoiceReceipt(const InvoiceReceiptRow& row, ReceiptCounterSeries counterSeries)
{
    MyRepository& db = GetRepository();
    micro::qsql::QsqlTransaction transaction(db);
    db.ExecDML(SqlFormat(L"insert into  Incasari (serie, numar, IDClient, facturi, suma, sumaStr, data, status, tip, "
                         L"agent, documente) values ('%s', %llu, %llu, '%s', %.17g, '%s', %llu, %llu, %llu, %llu, "
                         L"'%llu')",
                         row.series.c_str(), row.number, row.clientId, row.invoices.c_str(), row.amount,
                         row.amountInWords.c_str(), row.date, kReceiptTemporary, kReceiptFromInvoice, kNoUser,
                         row.invoiceId));
    unsigned long long id = static_cast<unsigned long long>(db.LastInsertRowId());
    if (counterSeries == ReceiptCounterSeries::Store)
        db.ExecDML(SqlFormat(L"update ConfigFacturi set numarChit = %llu , serie_chit = '%s' where id = %llu ",
                             row.number, row.series.c_str(), kConfigRow));
    else
        db.ExecDML(SqlFormat(L"update ConfigFacturi set numarChit = %llu where id = %llu ", row.number, kConfigRow));
    transaction.Commit();
    return id;
}
