#include "printing/pdf/PdfInvoiceBlocks.h"
#include "framework/qdialog/QMessageBox.h"
#include <algorithm>
#include "database/DocumentTables.h"
#include "framework/qapp/QApplication.h"
#include "printing/pdf/PdfFile.h"
#include "printing/pdf/PdfText.h"

using micropdf::MakePDF;
using micro::utils::QString;

namespace {

// Columns of the item table and its footer, in points.
const float kTableColumns[] = {41.4f, 262.2f, 303.6f, 372.6f};
const float kTotalsColumn = 441.6f;
const float kVatValueColumn = 494.04f;
const float kVatRateColumn = 546.48f;
const float kFooterColumns[] = {96.6f, 358.8f};
// The frame stands 14 points in from the page's sides (13.8 on the full pages).
const float kFrameInset = 14.0f;
const float kFrameRight = 581.0f;
// A text stands a layout unit inside its column's rules.
const float kGap = UnitsX(kEdgeGap);

PdfTextRoom InColumn(float left, float right)
{
    return Between(left + kGap, right - kGap);
}

const float kTitleBoxLeft = 207.0f;
const float kTitleBoxTextX = 220.8f;
const float kTitleBoxTextSize = 11.2f;
const float kTitleBoxBottom = 203.0f;

struct TitleBlock {
    float size;
    const wchar_t* titles[2];
    float titleX[2];  // < 0: centred, this far left of the middle of the page
    float titleY[2];
    float boxTop;
    float lineY[3];
};

const TitleBlock kInvoiceTitle = {21.0f, {L"FACTURA", nullptr}, {-48.3f, 0}, {119.0f, 0}, 133.0f, {161.0f, 175.0f, 189.0f}};
const TitleBlock kProformaTitle = {19.6f, {L"FACTURA", L"PROFORMA"}, {252.54f, 242.88f}, {119.0f, 140.0f}, 152.6f,
                                   {170.8f, 184.8f, 198.8f}};
const TitleBlock kDeliveryNoteTitle = {19.6f, {L"AVIZ", L"EXPEDITIE"}, {280.14f, 252.54f}, {119.0f, 140.0f}, 152.6f,
                                       {170.8f, 184.8f, 198.8f}};

const wchar_t* const kTitleBoxLines[] = {
    L"Seria : {serie} Numar: {numar}",
    L"Data :   {dataCreare}",
    L"Data Scadenta :   {dataScadenta}",
};

const TitleBlock* TitleOfType(int type)
{
    switch (type) {
    case 0:
    case 4: return &kInvoiceTitle;
    case 1: return &kProformaTitle;
    case 2: return &kDeliveryNoteTitle;
    default: return nullptr;
    }
}

void DrawTitleBoxLines(MakePDF& pdf, const FacturaDate& doc, const float (&lineY)[3], float dy)
{
    pdf.SetFontSize(kTitleBoxTextSize);
    PdfTextRoom box = InColumn(kTitleBoxLeft, static_cast<float>(pdf.GetPageWidth()) - kTitleBoxLeft);
    for (int i = 0; i < 3; ++i)
        TextOutWithin(pdf, FillPattern(kTitleBoxLines[i], doc), kTitleBoxTextX, lineY[i] + dy, box);
}

// Column titles: which row of the head each stands on.
enum class HeadRow { Upper, Middle, Lower, Numbers };
struct HeadText {
    Show when;
    const wchar_t* text;
    float x;
    HeadRow row;
};
const HeadText kTableHead[] = {
    {Show::Always, L"Nr.", 20.7f, HeadRow::Upper},
    {Show::Always, L"Crt.", 20.7f, HeadRow::Lower},
    {Show::Always, L"Denumirea produselor", 103.5f, HeadRow::Upper},
    {Show::Always, L"sau a serviciilor", 117.3f, HeadRow::Lower},
    {Show::Always, L"U.M.", 276.0f, HeadRow::Middle},
    {Show::Always, L"Cantitatea", 317.4f, HeadRow::Middle},
    {Show::Always, L"Pret unitar", 386.4f, HeadRow::Upper},
    {Show::WithoutVat, L" -  lei  -", 393.3f, HeadRow::Lower},
    {Show::WithoutVat, L"Valoarea", 494.04f, HeadRow::Middle},
    {Show::WithVat, L"(fara T.V.A.)", 383.64f, HeadRow::Lower},
    {Show::WithVat, L"Valoarea", 448.5f, HeadRow::Middle},
    {Show::WithVat, L"Valoarea", 500.94f, HeadRow::Upper},
    {Show::WithVat, L"T.V.A.", 507.84f, HeadRow::Lower},
    {Show::WithVat, L"Cota", 552.0f, HeadRow::Upper},
    {Show::WithVat, L"T.V.A.", 550.62f, HeadRow::Lower},
    {Show::Always, L"0", 26.22f, HeadRow::Numbers},
    {Show::Always, L"1", 151.8f, HeadRow::Numbers},
    {Show::Always, L"2", 282.9f, HeadRow::Numbers},
    {Show::Always, L"3", 338.1f, HeadRow::Numbers},
    {Show::Always, L"4", 407.1f, HeadRow::Numbers},
    {Show::WithoutVat, L"5(3x4)", 500.94f, HeadRow::Numbers},
    {Show::WithVat, L"5(3x4)", 455.4f, HeadRow::Numbers},
    {Show::WithVat, L"6", 520.26f, HeadRow::Numbers},
    {Show::WithVat, L"7", 561.66f, HeadRow::Numbers},
};

float HeadRowY(const PdfHeadRows& rows, HeadRow row)
{
    switch (row) {
    case HeadRow::Upper: return rows.upper;
    case HeadRow::Middle: return rows.middle;
    case HeadRow::Lower: return rows.lower;
    case HeadRow::Numbers: break;
    }
    return rows.numbers;
}

// Partner rows by slot: y = 28 + slot * row step.
const float kPartnerTop = 28.0f;
const float kSellerX = 27.6f;
const float kBuyerFromRight = 193.2f;

const wchar_t* const kSellerRows[] = {
    L"VANZATOR: {societateDenumire}",
    L"Nr.ord.Reg.Com/an: {societateNrReg}",
    L"C.I.F: {societateCui}",
    L"Sediul: {societateAdresa}",
    L"Oras/Judet: {societateOras}",
    L"Tel/Fax: {societateTelefon}",
    L"Telefon:",
    L"Contul: {societateCont}",
    L"Banca: {societateBanca}",
    L"Contul:{societateCont2}",
    L"Banca:{societateBanca2}",
};

struct BuyerRow {
    int slot;
    const wchar_t* pattern;
    int wrapAfter;  // 0: never wrapped; else the continuation takes the next slot
};
const BuyerRow kBuyerRows[] = {
    {0, L"CUMPARATOR :{clientNume}", 33},
    {2, L"Nr.ord.Reg.Com/an: {clientNrReg}", 0},
    {3, L"C.I.F: {clientCod}", 0},
    {4, L"Sediul: {clientAdresa}", 42},
    {6, L"Oras/Judet: {clientOras}", 0},
    {7, L"Tel/Fax: {clientTelefon}", 0},
    {8, L"Punct lucru: {clientAdresaLiv}", 42},
    {10, L"Contul: {clientCont}", 0},
    {11, L"Banca: {clientBanca}", 0},
};

// The footer at its place on the full page.
const PdfPageText kFooter[] = {
    {Show::Always, L"Semnatura si", 20.7f, 705.6f},
    {Show::Always, L"stampila", 20.7f, 715.4f},
    {Show::Always, L"furnizorului", 20.7f, 725.2f},
    {Show::Always, L"Semnatura si", 365.7f, 705.6f},
    {Show::Always, L"stampila", 365.7f, 715.4f},
    {Show::Always, L"cumparatorului", 365.7f, 725.2f},

    {Show::Always, L"Date privind expeditia", 103.5f, 705.6f},
    {Show::Always, L"Numele agentului: {emitentNume} B.I./C.I.: {emitentCI}", 103.5f, 719.6f},
    {Show::Always, L"CNP {emitentCNP}", 103.5f, 733.6f},
    {Show::Always, L"Numele delegatului: {delegatNume}", 103.5f, 747.6f},
    {Show::Always, L"CNP: {delegatCNP} B.I./C.I. {delegatSerie}", 103.5f, 761.6f},
    {Show::Always, L"Mijloc de transport Nr: {delegatAuto}", 103.5f, 775.6f},
    {Show::Always, L"Expedierea s-a facut in prezenta noastra la ", 103.5f, 789.6f},
    {Show::Always, L"Data de: {dataCreare}", 103.5f, 803.6f},
    {Show::Always, L"Semnaturile ..............................................................................", 103.5f,
     817.6f},

    // The totals: in the totals column, the first rows split by the VAT column's rule.
    {Show::WithoutVat, L"Total :", 448.5f, 705.6f, kTotalsColumn, kFrameRight},
    {Show::WithoutVat, L"{valoareFT}", 469.2f, 733.6f, kTotalsColumn, kFrameRight},
    {Show::WithoutVat, L"{valoareFT}", 489.9f, 807.8f, kTotalsColumn, kFrameRight},
    {Show::WithoutVat, L"Total de plata:", 447.12f, 765.8f, kTotalsColumn, kFrameRight},
    {Show::WithVat, L"Total FT:", 448.5f, 705.6f, kTotalsColumn, kVatValueColumn},
    {Show::WithVat, L"Total TVA:", 503.7f, 705.6f, kVatValueColumn, kFrameRight},
    {Show::WithVat, L"{valoareTVA}", 538.2f, 733.6f, kVatValueColumn, kFrameRight},
    {Show::WithVat, L"(col.5+col.6)", 447.12f, 775.6f, kTotalsColumn, kFrameRight},
    {Show::WithVat, L"{valoareTTI}", 489.9f, 807.8f, kTotalsColumn, kFrameRight},
    {Show::WithVat, L"{valoareFT}", 455.4f, 733.6f, kTotalsColumn, kVatValueColumn},
    {Show::WithVat, L"Total de plata:", 447.12f, 765.8f, kTotalsColumn, kFrameRight},
};

// Item cells: right-aligned texts end at these layout-unit anchors, one unit
// (1.38 points) per character; each keeps between its column's rules.
const float kItemNameX = 55.2f;
const float kItemNumberX = 26.22f;
const float kItemRowStep = 14.0f;
enum ItemCell { PriceCell, NameCell, NumberCell, QuantityCell, UnitCell, ValueCell, VatValueCell, VatRateCell };
struct ItemCellPlace {
    ItemCell cell;
    Show when;
    float anchor;       // layout units; 0 for the cells placed at a fixed x
    float left, right;  // the column's rules (or frame), points
};
const ItemCellPlace kItemCells[] = {
    {PriceCell, Show::Always, 295.0f, kTableColumns[3], kTotalsColumn},
    {NameCell, Show::Always, 0, kTableColumns[0], kTableColumns[1]},
    {NumberCell, Show::Always, 0, kFrameInset, kTableColumns[0]},
    {QuantityCell, Show::Always, 245.0f, kTableColumns[2], kTableColumns[3]},
    {UnitCell, Show::Always, 205.0f, kTableColumns[1], kTableColumns[2]},
    {ValueCell, Show::WithVat, 335.0f, kTotalsColumn, kVatValueColumn},
    {ValueCell, Show::WithoutVat, 368.0f, kTotalsColumn, kFrameRight},
    {VatValueCell, Show::WithVat, 373.0f, kVatValueColumn, kVatRateColumn},
    {VatRateCell, Show::WithVat, 407.0f, kVatRateColumn, kFrameRight},
};

const QString& CellText(const ItemFactura& item, ItemCell cell)
{
    switch (cell) {
    case PriceCell: return item.pretUnitar;
    case NameCell: return item.denumire;
    case NumberCell: return item.nrCrt;
    case QuantityCell: return item.cantitate;
    case UnitCell: return item.um;
    case ValueCell: return item.valoare;
    case VatValueCell: return item.valoareTVA;
    case VatRateCell: break;
    }
    return item.cotaTVA;
}

void DrawRightAligned(MakePDF& pdf, const QString& text, const ItemCellPlace& place, float y)
{
    float x = UnitsX(place.anchor - static_cast<float>(text.GetLength()));
    TextOutWithin(pdf, text, x, y, InColumn(place.left, place.right));
}

// Where a name breaks onto its second line: at the last space within
// kPdfSplitName characters; a name longer than two such lines breaks near its
// middle, so that both lines are set smaller alike rather than the second alone.
int NameSplitLimit(const QString& name)
{
    return std::max(kPdfSplitName, (name.GetLength() + 1) / 2);
}

void DrawNameLine(MakePDF& pdf, const QString& text, const ItemCellPlace& place, float y)
{
    TextOutWithin(pdf, text, kItemNameX, y, InColumn(place.left, place.right));
}

} // namespace

void DrawPdfTexts(MakePDF& pdf, const FacturaDate& doc, const Table<PdfPageText>& texts, float dy)
{
    for (size_t i = 0; i < texts.count; ++i) {
        const PdfPageText& text = texts.rows[i];
        if (!Shows(text.when, doc))
            continue;
        if (text.right > 0)
            TextOutWithin(pdf, FillPattern(text.pattern, doc), text.x, text.y + dy, InColumn(text.left, text.right));
        else
            pdf.TextOut(FillPattern(text.pattern, doc), text.x, text.y + dy);
    }
}

void DrawPdfGrid(MakePDF& pdf, const FacturaDate& doc, const PdfGrid& grid)
{
    float right = static_cast<float>(pdf.GetPageWidth()) - grid.margin;
    auto line = [&pdf](float x1, float y1, float x2, float y2) {
        pdf.MoveTo(x1, y1);
        pdf.LineTo(x2, y2);
    };
    for (float y : {grid.tableTop, grid.headBottom, grid.numbersBottom, grid.tableBottom})
        line(grid.margin, y, right, y);
    for (float x : kTableColumns)
        line(x, grid.tableTop, x, grid.tableBottom);
    line(kTotalsColumn, grid.tableTop, kTotalsColumn, grid.frameBottom);
    if (Shows(Show::WithVat, doc)) {
        line(kVatValueColumn, grid.tableTop, kVatValueColumn, grid.totalsRule);
        line(kVatRateColumn, grid.tableTop, kVatRateColumn, grid.tableBottom);
    }
    for (float x : kFooterColumns)
        line(x, grid.tableBottom, x, grid.frameBottom);
    line(kTotalsColumn, grid.totalsRule, right, grid.totalsRule);
}

void DrawPdfTitleBlock(MakePDF& pdf, const FacturaDate& doc, int type)
{
    const TitleBlock* block = TitleOfType(type);
    if (!block)
        return;
    float width = static_cast<float>(pdf.GetPageWidth());
    pdf.SetFontSize(block->size);
    for (int i = 0; i < 2 && block->titles[i]; ++i) {
        float x = block->titleX[i] < 0 ? width / 2 + block->titleX[i] : block->titleX[i];
        pdf.TextOut(block->titles[i], x, block->titleY[i]);
    }
    pdf.Rectangle(kTitleBoxLeft, block->boxTop, width - kTitleBoxLeft, kTitleBoxBottom);
    DrawTitleBoxLines(pdf, doc, block->lineY, 0);
}

void DrawPdfCompactTitleBlock(MakePDF& pdf, const FacturaDate& doc, float dy)
{
    static const float kLineY[3] = {128.8f, 142.8f, 156.8f};
    float width = static_cast<float>(pdf.GetPageWidth());
    pdf.SetFontSize(kInvoiceTitle.size);
    pdf.TextOut(L"FACTURA", width / 2 + kInvoiceTitle.titleX[0], 109.2f + dy);
    pdf.Rectangle(kTitleBoxLeft, 110.6f + dy, width - kTitleBoxLeft, 162.4f + dy);
    DrawTitleBoxLines(pdf, doc, kLineY, dy);
}

void DrawPdfTableHead(MakePDF& pdf, const FacturaDate& doc, const PdfHeadRows& rows, float dy)
{
    for (const HeadText& text : kTableHead) {
        if (Shows(text.when, doc))
            pdf.TextOut(text.text, text.x, HeadRowY(rows, text.row) + dy);
    }
}

void DrawPdfPartners(MakePDF& pdf, const FacturaDate& doc, float rowStep, float dy)
{
    auto rowY = [&](int slot) { return kPartnerTop + rowStep * static_cast<float>(slot) + dy; };
    int slot = 0;
    for (const wchar_t* pattern : kSellerRows)
        pdf.TextOut(FillPattern(pattern, doc), kSellerX, rowY(slot++));

    float buyerX = static_cast<float>(pdf.GetPageWidth()) - kBuyerFromRight;
    // A name too long even for two lines still shows whole, set smaller
    // inside the frame, as far from its side as the seller from the other.
    float width = static_cast<float>(pdf.GetPageWidth());
    PdfTextRoom right{buyerX, width - kFrameInset - kGap, width - kSellerX};
    for (const BuyerRow& row : kBuyerRows) {
        QString text = FillPattern(row.pattern, doc), first, rest;
        if (row.wrapAfter > 0)
            SplitAtSpace(text, row.wrapAfter, first, rest);
        else
            first = text;
        if (!rest.IsEmpty())
            TextOutWithin(pdf, rest, buyerX, rowY(row.slot + 1), right);
        TextOutWithin(pdf, first, buyerX, rowY(row.slot), right);
    }
}

void DrawPdfFooter(MakePDF& pdf, const FacturaDate& doc, float dy)
{
    DrawPdfTexts(pdf, doc, TableOf(kFooter), dy);
}

void SplitAtSpace(const QString& text, int limit, QString& first, QString& rest)
{
    int length = text.GetLength();
    if (length <= limit) {
        first = text;
        rest.Empty();
        return;
    }
    int at = limit;
    for (int i = std::min(limit, length - 1); i >= 0; --i) {
        if (text[i] == L' ') {
            at = i;
            break;
        }
    }
    first = text.Left(at);
    rest = text.Mid(at);
}

void DrawPdfItems(MakePDF& pdf, const FacturaDate& doc, const std::vector<PrintedItem>& items, float firstBaseline,
                  const std::vector<float>& copyOffsets)
{
    float y = firstBaseline;
    for (const PrintedItem& item : items) {
        const QString& name = item.texts.denumire;
        QString firstLine = name, secondLine;
        if (!item.discount)
            SplitAtSpace(name, NameSplitLimit(name), firstLine, secondLine);
        for (const ItemCellPlace& place : kItemCells) {
            if (!Shows(place.when, doc))
                continue;
            for (float offset : copyOffsets) {
                if (place.cell == NameCell) {
                    if (!secondLine.IsEmpty())
                        DrawNameLine(pdf, secondLine, place, y + kItemRowStep + offset);
                    DrawNameLine(pdf, firstLine, place, y + offset);
                } else if (place.cell == NumberCell) {
                    TextOutWithin(pdf, item.texts.nrCrt, kItemNumberX, y + offset, InColumn(place.left, place.right));
                } else {
                    DrawRightAligned(pdf, CellText(item.texts, place.cell), place, y + offset);
                }
            }
        }
        y = static_cast<float>(static_cast<int>(y + kItemRowStep));
        if (!item.discount && name.GetLength() > kPdfLongName)
            y = static_cast<float>(static_cast<int>(y + kItemRowStep));
    }
}

bool ReadInvoicePdfItems(const FacturaPrintJob& job, int maxLines, std::vector<PrintedItem>& items)
{
    if (!IsValidDocumentType(job.tipDocument)) {
        ShowPdfSaveError();
        return false;
    }
    RowRule rule = {kPdfLongName, maxLines};
    return PrepareItemsForPrint(micro::qdialog::ModalOwner(), job, job.tipDocument, NetValueFrom::OwnHeader, rule,
                                items);
}

bool DrawAndSaveInvoicePdf(const FacturaPrintJob& job, const wchar_t* path, const std::vector<PrintedItem>& items,
                           PdfPageDrawing draw)
{
    try {
        MakePDF pdf;
        draw(pdf, job, job.tipDocument, items);
        return SavePdfFile(pdf, path);
    } catch (...) {
        ShowPdfSaveError();
        return false;
    }
}

bool WriteInvoicePdf(const FacturaPrintJob& job, const wchar_t* path, int maxLines, PdfPageDrawing draw)
{
    std::vector<PrintedItem> items;
    if (!ReadInvoicePdfItems(job, maxLines, items))
        return false;
    return DrawAndSaveInvoicePdf(job, path, items, draw);
}
