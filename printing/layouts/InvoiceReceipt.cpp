#include "printing/layouts/InvoiceReceipt.h"
#include <cwchar>
#include "cash/CashMessages.h"
#include "cash/CashText.h"
#include "cash/MyCreareChitantaFacturiDialog.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/NumberText.h"
#include "printing/InvoiceReceiptRow.h"

using micro::qsql::QSqlError;
using micro::utils::QString;

bool JobHasHeaderRow(const FacturaPrintJob& job)
{
    if (job.id == 0 || !IsValidDocumentType(job.tipDocument))
        return false;
    QString sql = QString::Formatted(L"select count(*) from %s where id = %llu", DocumentHeaderTable(job.tipDocument),
                                     job.id);
    return GetRepository().ExecScalar(sql) > 0;
}

JobReceipt CheckJobReceipt(const FacturaPrintJob& job, HWND owner)
{
    if (!JobHasHeaderRow(job))
        return JobReceipt::Ready;
    if (RefusedReceiptForDocumentType(owner, job.tipDocument))
        return JobReceipt::Refused;
    // Nothing is collected on a cancelled or reversed invoice: a receipt it
    // kept would print as one that stands.
    if (RefusedReceiptForClosedInvoice(owner, job.clientId, job.id))
        return JobReceipt::Refused;
    if (job.chitantaId != 0 && !job.chitantaTemporara)
        return JobReceipt::Ready;
    // A paid invoice prints no receipt it does not have: one made now, or its
    // temporary one, would collect its money twice.
    if (RefusedReceiptForSettledInvoice(owner, job.clientId, job.id))
        return JobReceipt::Refused;
    return job.chitantaId != 0 ? JobReceipt::ToBring : JobReceipt::ToMake;
}

void ProposeReceipt(QString& number, QString& series)
{
    GetDocumentSeries(series, 2);
    // A counter left behind the receipts (set back in the settings) proposes
    // the next number the series does not hold yet.
    unsigned long long next = static_cast<unsigned long long>(GetInvoiceConfigValue(10)) + 1;
    number.Format(L"%llu", FirstFreeNumber(L"Incasari", series, next));
}

void StoreJobReceipt(FacturaPrintJob& job, unsigned long long number, const QString& series)
{
    InvoiceReceiptRow row;
    row.series = series;
    row.number = number;
    row.clientId = job.clientId;
    row.invoices = L" " + job.numar;
    row.invoiceId = job.id;
    row.amount = StoredNumber(job.chitantaSuma.c_str());
    row.amountInWords = job.chitantaSumaInLitere;
    row.date = job.dataCreareSecunde;
    job.chitantaId = WriteInvoiceReceipt(row, ReceiptCounterSeries::Store);
    job.chitantaNumar.Format(L"%llu", number);
    job.chitantaSerie = series;
}

void BringJobReceipt(const FacturaPrintJob& job)
{
    BringInvoiceReceipt(job.chitantaId, job.clientId, StoredNumber(job.chitantaSuma.c_str()), job.chitantaSumaInLitere);
}

bool EnsureInvoiceReceipt(FacturaPrintJob& job)
{
    HWND owner = micro::qdialog::ModalOwner();
    try {
        JobReceipt need = CheckJobReceipt(job, owner);
        if (need == JobReceipt::ToBring)
            BringJobReceipt(job);
        if (need != JobReceipt::ToMake)
            return need != JobReceipt::Refused;
        QString number, series;
        ProposeReceipt(number, series);
        MyCreareChitantaFacturiDialog dialog(owner);
        dialog.SetReceiptNumberAndSeries(number.c_str(), series.c_str());
        if (dialog.DoModal() != IDOK)
            return false;
        dialog.GetReceiptNumberAndSeries(number, series);
        // The dialog accepted only a counter.
        unsigned long long n = 0;
        ParseCounter(number.c_str(), n);
        // The receipt row, the counter and the series: one transaction.
        StoreJobReceipt(job, n, series);
        return true;
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
}
