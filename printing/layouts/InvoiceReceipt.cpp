#include "printing/layouts/InvoiceReceipt.h"
#include <cwchar>
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"

using micro::qsql::QsqlTransaction;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

const long long kReceiptTemporary = 1;
const long long kReceiptFromInvoice = 0;
// No user is signed in: receipts record user 0.
const unsigned long long kNoUser = 0;

// Writes the counter and the receipt row; both or neither.
unsigned long long InsertReceipt(const FacturaPrintJob& job, unsigned long long number, const QString& series)
{
    MyRepository& db = GetRepository();
    QsqlTransaction transaction(db);
    db.ExecDML(QString::Formatted(L"update ConfigFacturi set numarChit = %llu where id = %llu ", number, 1ULL));
    QString invoiceReference = L" " + job.numar;
    db.ExecDML(micro::qsql::SqlFormat(
        L"insert into  Incasari values (   NULL ,   '%s'  ,   %llu  ,   %llu  ,   '%s'  ,   %f    ,   '%s'  ,   %llu  ,"
        L"   %llu  ,   %llu  ,   %llu     ) ",
        series.c_str(), number, job.clientId, invoiceReference.c_str(), wcstod(job.valoareTTI.c_str(), nullptr),
        job.totalInLitere.c_str(), job.dataCreareSecunde, kReceiptTemporary, kReceiptFromInvoice, kNoUser));
    unsigned long long id = static_cast<unsigned long long>(db.LastInsertRowId());
    transaction.Commit();
    return id;
}

} // namespace

bool EnsureInvoiceReceipt(FacturaPrintJob& job)
{
    if (job.chitantaId != 0)
        return true;
    HWND owner = micro::qapp::GetMainWindow();
    try {
        // The dialog stores a changed number as the counter: that write joins
        // the receipt's, so a refused insert leaves the counter as it was.
        QsqlTransaction transaction(GetRepository());
        MyCreareChitantaFacturiDialog dialog(owner);
        dialog.SetReceiptNumberAndSeries(job.chitantaNumar.c_str(), job.chitantaSerie.c_str());
        if (dialog.DoModal() != IDOK)
            return false;
        QString number, series;
        dialog.GetReceiptNumberAndSeries(number, series);
        unsigned long long n = wcstoull(number.c_str(), nullptr, 10);
        unsigned long long id = InsertReceipt(job, n, series);
        transaction.Commit();
        job.chitantaNumar.Format(L"%llu", n);
        job.chitantaSerie = series;
        job.chitantaId = id;
        return true;
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
}
