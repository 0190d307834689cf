#include "printing/pdf/PdfExports.h"
#include "printing/pdf/PdfInvoiceBlocks.h"

using micropdf::MakePDF;

namespace {

const float kMargin = 13.8f;

const PdfPageText kVatOnCollection[] = {
    {Show::VatOnCollection, L"TVA la incasare", 55.2f, 679.0f},
};

// The full page: frame and grid, title block by type, footer, table head,
// partners, the VAT-on-collection mention and up to 23 item lines.
void DrawLayout1(MakePDF& pdf, const FacturaDate& doc, int type, const std::vector<PrintedItem>& items)
{
    pdf.AddPage();
    pdf.SetLineWidth(1);
    float width = static_cast<float>(pdf.GetPageWidth());
    float height = static_cast<float>(pdf.GetPageHeight());
    pdf.Rectangle(kMargin, kMargin, width - kMargin, height - kMargin);
    DrawPdfGrid(pdf, doc, PdfGrid{kMargin, 210.0f, 245.0f, 259.0f, 686.0f, height - kMargin, 749.0f});

    pdf.SetFont("Helvetica");
    DrawPdfTitleBlock(pdf, doc, type);
    pdf.SetFontSize(9.1f);
    DrawPdfFooter(pdf, doc, 0);
    DrawPdfTableHead(pdf, doc, kFullHeadRows);
    DrawPdfPartners(pdf, doc, 14.0f);
    DrawPdfTexts(pdf, doc, TableOf(kVatOnCollection));
    if (doc.id != 0) {
        pdf.SetFontSize(9.8f);
        DrawPdfItems(pdf, doc, items, 273.0f, {0.0f});
    }
}

} // namespace

bool WriteFacturaPdfLayout1(const FacturaPrintJob& job, const wchar_t* path)
{
    return WriteInvoicePdf(job, path, 23, &DrawLayout1);
}
