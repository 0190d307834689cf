#include "printing/pdf/PdfExports.h"
#include "printing/layouts/InvoiceReceipt.h"
#include <cwchar>
#include "database/qsql/QSqlError.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "printing/pdf/PdfInvoiceBlocks.h"
#include "printing/pdf/PdfText.h"

using micropdf::MakePDF;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

const float kMargin = 13.8f;
const int kLayout2Lines = 14;
// The receipt takes the bottom of the page.
const float kReceiptHeight = 224.0f;
// The full page's footer moved up 150 layout units.
const float kFooterRaise = -210.0f;

const PdfPageText kVatOnCollection[] = {
    {Show::VatOnCollection, L"TVA la incasare", 55.2f, 469.0f},
};

// The receipt block, at size 9 but its title; positions in layout units.
struct ReceiptText {
    bool bold;
    const wchar_t* pattern;
    float x;
    float y;
};
const ReceiptText kReceiptTexts[] = {
    {true, L"Unitatea {societateDenumire}", 15, 464},
    {false, L"Nr.ord.Reg.Com/an: {societateNrReg}", 15, 474},
    {false, L"C.U.I.: {societateCui}", 15, 484},
    {false, L"Adresa {societateAdresa}", 15, 494},
    {false, L"Oras {societateOras}", 15, 504},
    {true, L"Am incasat de la {clientNume}", 15, 520},
    {false, L"Nr.ord.Reg.Com/an: {clientNrReg}", 15, 530},
    {false, L"C.U.I.: {clientCod}", 15, 540},
    {false, L"Adresa {clientAdresa}", 15, 550},
    {false, L"Orasul {clientOras}", 15, 560},
    {true, L"Suma de {chitantaSuma} ({chitantaSumaInLitere})", 15, 572},
    {false, L"Reprezentand contravaloare factura {serie} {numar}", 15, 585},
    {false, L"Stampila si semnatura", 310, 585},
};
const ReceiptText kReceiptTitle[] = {
    {true, L"Chitanta seria: {chitantaSerie} Nr.: {chitantaNumar}", 245, 480},
    {true, L"data  {chitantaData}", 275, 495},
};

void DrawReceipt(MakePDF& pdf, const FacturaDate& doc)
{
    pdf.SetFontSize(9);
    // A line that would pass the frame is set smaller to end as far from the
    // frame's right side as the texts start from its left.
    float width = static_cast<float>(pdf.GetPageWidth());
    float limit = width - kMargin - UnitsX(kEdgeGap), end = width - UnitsX(15);
    for (const ReceiptText& text : kReceiptTexts) {
        pdf.SetFont(text.bold ? "Helvetica-Bold" : "Helvetica");
        float x = UnitsX(text.x);
        TextOutWithin(pdf, FillPattern(text.pattern, doc), x, UnitsY(text.y), PdfTextRoom{x, limit, end});
    }
    pdf.SetFont("Helvetica-Bold");
    pdf.SetFontSize(14);
    for (const ReceiptText& text : kReceiptTitle) {
        float x = UnitsX(text.x);
        TextOutWithin(pdf, FillPattern(text.pattern, doc), x, UnitsY(text.y), PdfTextRoom{x, limit, end});
    }
}

// The invoice in the upper part of the page (up to 14 item lines, as on paper)
// and the receipt for its total in a frame below.
void DrawLayout2(MakePDF& pdf, const FacturaDate& doc, int type, const std::vector<PrintedItem>& items)
{
    pdf.AddPage();
    pdf.SetLineWidth(1);
    float width = static_cast<float>(pdf.GetPageWidth());
    float height = static_cast<float>(pdf.GetPageHeight());
    float invoiceBottom = height - kReceiptHeight;
    pdf.Rectangle(kMargin, kMargin, width - kMargin, invoiceBottom);
    DrawPdfGrid(pdf, doc, PdfGrid{kMargin, 210.0f, 245.0f, 259.0f, 483.0f, invoiceBottom, 546.0f});
    pdf.Rectangle(kMargin, invoiceBottom + kMargin, width - kMargin, height - kMargin);

    pdf.SetFont("Helvetica");
    DrawPdfTitleBlock(pdf, doc, type);
    pdf.SetFontSize(9.1f);
    DrawPdfFooter(pdf, doc, kFooterRaise);
    DrawPdfTableHead(pdf, doc, kFullHeadRows);
    DrawPdfPartners(pdf, doc, 14.0f);
    DrawPdfTexts(pdf, doc, TableOf(kVatOnCollection));
    pdf.SetFontSize(9.8f);
    DrawPdfItems(pdf, doc, items, 273.0f, {0.0f});
    DrawReceipt(pdf, doc);
}

} // namespace

bool CreatePdfInvoiceReceipt(FacturaPrintJob& job)
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
        QString question = L"Se va crea Chitanta cu numarul " + number + L" continuati ?";
        if (micro::qdialog::ShowMessageBox(owner, question, L"Atentie", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return false;
        StoreJobReceipt(job, static_cast<unsigned long long>(_wcstoi64(number.c_str(), nullptr, 10)), series);
        return true;
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
}

bool WriteFacturaChitantaPdfLayout2(const FacturaPrintJob& job, const wchar_t* path)
{
    return WriteInvoicePdf(job, path, kLayout2Lines, &DrawLayout2);
}

bool ReadLayout2PdfItems(const FacturaPrintJob& job, std::vector<PrintedItem>& items)
{
    return ReadInvoicePdfItems(job, kLayout2Lines, items);
}

bool WriteFacturaChitantaPdfLayout2(const FacturaPrintJob& job, const wchar_t* path,
                                    const std::vector<PrintedItem>& items)
{
    return DrawAndSaveInvoicePdf(job, path, items, &DrawLayout2);
}
