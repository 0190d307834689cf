#pragma once
#include <vector>
#include "printing/FacturaDate.h"
#include "printing/layouts/PageContent.h"
#include "printing/layouts/PrintedItems.h"
#include "printing/pdf/MakePDF.h"

// The blocks of the invoice PDF pages, in points from the top-left corner of
// the A4 page. The three layouts place the same blocks: layouts 1 and 2 at
// the same points but for the footer (150 layout units higher with the
// receipt), layout 3 more compactly and twice. Positions are stored as the
// full page (layout 1) has them; a layout moves a block by its own offsets.

// Layout units as points.
inline float UnitsX(float u) { return u * 1.38f; }
inline float UnitsY(float v) { return v * 1.4f; }

// One text: a pattern of record fields (see FillPattern) and its baseline
// start; a figure keeps between the rules of its column, or the rule and the
// frame (right 0: anywhere on the page).
struct PdfPageText {
    Show when;
    const wchar_t* pattern;
    float x;
    float y;
    float left = 0, right = 0;
};
void DrawPdfTexts(micropdf::MakePDF& pdf, const FacturaDate& doc, const Table<PdfPageText>& texts, float dy = 0);

// The frame's rules around and inside the item table, drawn in this order: the
// rules across at the four table heights, the table's columns, the totals
// column, the VAT columns (with VAT only), the footer's columns and the rule
// under the totals' first rows.
struct PdfGrid {
    float margin;         // the rules across run from here to the page width less it
    float tableTop;
    float headBottom;     // under the column titles
    float numbersBottom;  // under the column numbers
    float tableBottom;
    float frameBottom;    // where the totals and footer columns end
    float totalsRule;
};
void DrawPdfGrid(micropdf::MakePDF& pdf, const FacturaDate& doc, const PdfGrid& grid);

// Title, its box and the series, number and dates inside it. Layouts 1 and 2
// choose the title by document type (no block for a type they do not know);
// layout 3 always says "FACTURA".
void DrawPdfTitleBlock(micropdf::MakePDF& pdf, const FacturaDate& doc, int type);
void DrawPdfCompactTitleBlock(micropdf::MakePDF& pdf, const FacturaDate& doc, float dy);

// Column titles and numbers of the item table at the heights of each layout.
struct PdfHeadRows {
    float upper;
    float middle;
    float lower;
    float numbers;
};
const PdfHeadRows kFullHeadRows = {224.0f, 231.0f, 238.0f, 256.2f};
void DrawPdfTableHead(micropdf::MakePDF& pdf, const FacturaDate& doc, const PdfHeadRows& rows, float dy = 0);

// Seller and buyer blocks: one row every rowStep points from y 28 (+ dy). The
// buyer's name and addresses wrap onto the next row.
void DrawPdfPartners(micropdf::MakePDF& pdf, const FacturaDate& doc, float rowStep, float dy = 0);

// Signature captions, expedition data and totals, dy points below their
// place on the full page.
void DrawPdfFooter(micropdf::MakePDF& pdf, const FacturaDate& doc, float dy);

// Splits a text longer than limit at its last space whose index is at most
// limit: first gets what stands before that space, rest the remainder from the
// space on. With no such space the text breaks at the limit. A text within
// the limit stays whole and rest is empty.
void SplitAtSpace(const micro::utils::QString& text, int limit, micro::utils::QString& first,
                  micro::utils::QString& rest);

// The item rows: names over kPdfLongName characters take two lines (the
// baseline moves twice), names over kPdfSplitName are drawn on two lines. A
// name stays inside its column, each line set smaller where it does not fit.
// Each cell is drawn once per copy offset before the next cell.
const int kPdfLongName = 35;
const int kPdfSplitName = 45;
void DrawPdfItems(micropdf::MakePDF& pdf, const FacturaDate& doc, const std::vector<PrintedItem>& items,
                  float firstBaseline, const std::vector<float>& copyOffsets);

// Draws one layout of the document on the writer's fresh document (page
// included) with the item lines already read.
typedef void (*PdfPageDrawing)(micropdf::MakePDF& pdf, const FacturaDate& doc, int type,
                               const std::vector<PrintedItem>& items);
// What every invoice writer does: refuses a type outside 0-4, reads the item
// lines (a database error shown in a "Message" box) and announces the lines
// that do not fit maxLines (OK/Cancel), draws and saves ("Error saving pdf
// file!" on failure). Answers whether the file was written.
bool WriteInvoicePdf(const FacturaPrintJob& job, const wchar_t* path, int maxLines, PdfPageDrawing draw);
// Its two halves, for a caller that must read and ask before writing anything else.
bool ReadInvoicePdfItems(const FacturaPrintJob& job, int maxLines, std::vector<PrintedItem>& items);
bool DrawAndSaveInvoicePdf(const FacturaPrintJob& job, const wchar_t* path, const std::vector<PrintedItem>& items,
                           PdfPageDrawing draw);
