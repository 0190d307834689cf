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

bool ExportFacturaChitantaPdfLayout2(FacturaPrintJob& job)
{
    if (RefuseUnknownType(job) || !CreatePdfInvoiceReceipt(job))
        return false;
    return ChooseAndWrite(job, &WriteFacturaChitantaPdfLayout2);
}

bool ExportFacturaPdfLayout3(FacturaPrintJob& job)
{
    if (RefuseUnknownType(job))
        return false;
    return ChooseAndWrite(job, &WriteFacturaPdfLayout3);
}
