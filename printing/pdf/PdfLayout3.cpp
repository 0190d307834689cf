#include "printing/pdf/PdfExports.h"
#include "printing/pdf/PdfInvoiceBlocks.h"

using micropdf::MakePDF;

namespace {

const float kMargin = 14.0f;
// The lower copy stands this much below the upper one: half the page less half a margin.
const float kCopyOffset = 414.0f;
// The full page's footer moved up to the upper copy.
const float kFooterRaise = -407.4f;

const PdfHeadRows kCompactHeadRows = {179.2f, 186.2f, 190.4f, 204.4f};

const PdfPageText kVatOnCollection[] = {
    {Show::VatOnCollection, L"TVA la incasare", 55.2f, 162.4f},
};

// The invoice twice on the sheet: two frames, the same blocks in each half,
// up to 5 item lines drawn in both, then the lower grid.
void DrawLayout3(MakePDF& pdf, const FacturaDate& doc, int type, const std::vector<PrintedItem>& items)
{
    (void)type;
    pdf.AddPage();
    pdf.SetLineWidth(1);
    float width = static_cast<float>(pdf.GetPageWidth());
    float height = static_cast<float>(pdf.GetPageHeight());
    pdf.Rectangle(kMargin, kMargin, width - kMargin, 414.0f);
    DrawPdfGrid(pdf, doc, PdfGrid{kMargin, 168.0f, 194.6f, 208.6f, 287.0f, 414.0f, 343.0f});
    pdf.Rectangle(kMargin, 428.0f, width - kMargin, height - kMargin);

    for (float offset : {0.0f, kCopyOffset}) {
        pdf.SetFont("Helvetica");
        DrawPdfCompactTitleBlock(pdf, doc, offset);
        pdf.SetFontSize(9.1f);
        DrawPdfTableHead(pdf, doc, kCompactHeadRows, offset);
        DrawPdfPartners(pdf, doc, 11.2f, offset);
        DrawPdfTexts(pdf, doc, TableOf(kVatOnCollection), offset);
        DrawPdfFooter(pdf, doc, kFooterRaise + offset);
    }
    if (doc.id != 0)
        DrawPdfItems(pdf, doc, items, 218.0f, {0.0f, kCopyOffset});
    // The lower grid has its own heights, not everywhere the upper ones moved down.
    DrawPdfGrid(pdf, doc, PdfGrid{kMargin, 582.0f, 608.6f, 622.6f, 702.0f, height - kMargin, 764.0f});
}

} // namespace

bool WriteFacturaPdfLayout3(const FacturaPrintJob& job, const wchar_t* path)
{
    return WriteInvoicePdf(job, path, 5, &DrawLayout3);
}
