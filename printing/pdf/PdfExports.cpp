#include "printing/pdf/PdfExports.h"
#include "database/DocumentTables.h"
#include "printing/pdf/PdfFile.h"

using micro::utils::QString;

namespace {

typedef bool (*PdfWriter)(const FacturaPrintJob& job, const wchar_t* path);

bool ChooseAndWrite(const FacturaPrintJob& job, PdfWriter write)
{
    QString path;
    if (!ChoosePdfFile(path))
        return true;
    return write(job, path);
}

// A type the pages do not know is refused before anything is asked.
bool RefuseUnknownType(const FacturaPrintJob& job)
{
    if (IsValidDocumentType(job.tipDocument))
        return false;
    ShowPdfSaveError();
    return true;
}

} // namespace

bool ExportFacturaPdfLayout1(FacturaPrintJob& job)
{
    if (RefuseUnknownType(job))
        return false;
    return ChooseAndWrite(job, &WriteFacturaPdfLayout1);
}

// The lines are read and their overflow asked about before the receipt is
// made: declining or a read error leaves no receipt behind.
bool ExportFacturaChitantaPdfLayout2(FacturaPrintJob& job)
{
    std::vector<PrintedItem> items;
    if (RefuseUnknownType(job) || !ReadLayout2PdfItems(job, items) || !CreatePdfInvoiceReceipt(job))
        return false;
    QString path;
    if (!ChoosePdfFile(path))
        return true;
    return WriteFacturaChitantaPdfLayout2(job, path, items);
}

bool ExportFacturaPdfLayout3(FacturaPrintJob& job)
{
    if (RefuseUnknownType(job))
        return false;
    return ChooseAndWrite(job, &WriteFacturaPdfLayout3);
}
