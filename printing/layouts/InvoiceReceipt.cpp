#include "printing/layouts/InvoiceReceipt.h"
#include <cwchar>
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/NumberText.h"
#include "printing/InvoiceReceiptRow.h"

using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

unsigned long long InsertReceipt(const FacturaPrintJob& job, unsigned long long number, const QString& series)
{
    InvoiceReceiptRow row;
    row.series = series;
    row.number = number;
    row.clientId = job.clientId;
    row.invoices = L" " + job.numar;
    row.amount = StoredNumber(job.valoareTTI.c_str());
    row.amountInWords = job.totalInLitere;
    row.date = job.dataCreareSecunde;
    return WriteInvoiceReceipt(row, ReceiptCounterSeries::Store);
}

} // namespace

bool JobHasHeaderRow(const FacturaPrintJob& job)
{
    if (job.id == 0 || !IsValidDocumentType(job.tipDocument))
        return false;
    QString sql = QString::Formatted(L"select count(*) from %s where id = %llu", DocumentHeaderTable(job.tipDocument),
                                     job.id);
    return GetRepository().ExecScalar(sql) > 0;
}

bool EnsureInvoiceReceipt(FacturaPrintJob& job)
{
    if (job.chitantaId != 0)
        return true;
    HWND owner = micro::qdialog::ModalOwner();
    try {
        if (!JobHasHeaderRow(job))
            return true;
        MyCreareChitantaFacturiDialog dialog(owner);
        dialog.SetReceiptNumberAndSeries(job.chitantaNumar.c_str(), job.chitantaSerie.c_str());
        if (dialog.DoModal() != IDOK)
            return false;
        QString number, series;
        dialog.GetReceiptNumberAndSeries(number, series);
        // The dialog accepted only a counter.
        unsigned long long n = 0;
        ParseCounter(number.c_str(), n);
        // The receipt row, the counter and the series: one transaction.
        unsigned long long id = InsertReceipt(job, n, series);
        job.chitantaNumar.Format(L"%llu", n);
        job.chitantaSerie = series;
        job.chitantaId = id;
        return true;
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
}
