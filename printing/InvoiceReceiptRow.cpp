#include "printing/InvoiceReceiptRow.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"

using micro::qsql::SqlFormat;

namespace {

// A receipt made from an invoice starts as temporary. Typed for the SQL
// text's "%llu" and "%lld".
const unsigned long long kReceiptTemporary = StatusTemporary;
const unsigned long long kReceiptFromInvoice = 0;
// Nobody signs in: receipts record user 0.
const unsigned long long kNoUser = 0;
const unsigned long long kConfigRow = 1;
const long long kReceiptCancelled = StatusCancelled;

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

bool StoredInvoiceReceipt::Temporary() const
{
    return status == static_cast<long long>(kReceiptTemporary);
}

bool FindInvoiceReceipt(unsigned long long clientId, unsigned long long invoiceId,
                        const micro::utils::QString& invoiceNumber, StoredInvoiceReceipt& found)
{
    micro::utils::QString wanted(L" ");
    wanted += invoiceNumber;
    // Found through the client's receipts (an index), not by reading them all.
    micro::qsql::QsqlQuery q = GetRepository().ExecQuery(SqlFormat(
        L"select id, serie, numar, coalesce(status, 0), suma, data from Incasari where IDClient = %llu and facturi = "
        L"'%s' and coalesce(status, 0) <> %lld and coalesce(documente, '') in ('', '0', '%llu') order by id desc "
        L"limit 1",
        clientId, wanted.c_str(), kReceiptCancelled, invoiceId));
    if (q.Eof())
        return false;
    found.id = q.GetIdField(0);
    found.series = q.GetStringField(1);
    found.number = q.GetStringField(2);
    found.status = q.GetIntField(3);
    found.amount = q.GetFloatField(4, 0.0);
    found.dated = !q.FieldIsNull(5);
    found.date = q.GetIntField(5);
    return true;
}

void BringInvoiceReceipt(unsigned long long receiptId, unsigned long long clientId, double amount,
                         const micro::utils::QString& amountInWords)
{
    int changed = GetRepository().ExecDML(
        SqlFormat(L"update Incasari set IDClient = %llu, suma = %.17g, sumaStr = '%s' where id = %llu and "
                  L"status = %llu",
                  clientId, amount, amountInWords.c_str(), receiptId, kReceiptTemporary));
    if (changed != 1)
        throw micro::qsql::QSqlError(12 /* SQLITE_NOTFOUND */, L"Chitanta temporara a facturii nu mai exista.");
}

void MoveInvoiceReceipt(unsigned long long invoiceId, unsigned long long fromClient, unsigned long long toClient)
{
    GetRepository().ExecDML(SqlFormat(L"update Incasari set IDClient = %llu where IDClient = %llu and documente = "
                                      L"'%llu' and status = %llu and tip = %llu",
                                      toClient, fromClient, invoiceId, kReceiptTemporary, kReceiptFromInvoice));
}
