// The full invoice page (layout 1) of an invoice, proforma or delivery note,
// on screen and on paper.
#include "printing/layouts/InvoiceBlocks.h"
#include "printing/layouts/PrintedPage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/PrintBackground.h"
#include "printing/PrintHelpers.h"

const RowRule kPrintedRowsLayout1{kPrintLongName, 23};

namespace {

const Show A = Show::Always;
const Show V = Show::WithVat;
const Show N = Show::WithoutVat;

// The lines the item table holds from its first row (187) to its foot (500);
// rows beyond would fall over the signatures and totals.
const RowRule kScreenRows{kScreenLongName, 31};

const PageRule kRules[] = {
    // when, stroke, screen (x1, y1, x2, y2), printed (x1, y1, x2, y2)
    {A, Stroke::Frame, {10, 10, 426, 599}, {kInset, kInset, kInsetRight, kInsetBottom}},
    {A, Stroke::Line, {10, 150, 426, 150}, {kInset, 150, kInsetRight, 150}},
    {A, Stroke::Line, {10, 175, 426, 175}, {kInset, 175, kInsetRight, 175}},
    {A, Stroke::Line, {10, 185, 426, 185}, {kInset, 185, kInsetRight, 185}},
    {A, Stroke::Line, {10, 500, 426, 500}, {kInset, 500, kInsetRight, 500}},
    {A, Stroke::Line, {30, 150, 30, 500}, {30, 150, 30, 500}},
    {A, Stroke::Line, {190, 150, 190, 500}, {190, 150, 190, 500}},
    {A, Stroke::Line, {220, 150, 220, 500}, {220, 150, 220, 500}},
    {A, Stroke::Line, {270, 150, 270, 500}, {270, 150, 270, 500}},
    {A, Stroke::Line, {320, 150, 320, 599}, {320, 150, 320, kInsetBottom}},
    {V, Stroke::Line, {360, 150, 360, 545}, {358, 150, 358, 545}},
    {V, Stroke::Line, {400, 150, 400, 500}, {396, 150, 396, 500}},
    {A, Stroke::Line, {70, 500, 70, 599}, {70, 500, 70, kInsetBottom}},
    {A, Stroke::Line, {260, 500, 260, 599}, {260, 500, 260, kInsetBottom}},
    {A, Stroke::Line, {320, 545, 426, 545}, {320, 545, kInsetRight, 545}},
};

// Titles by document type; the proforma and the delivery note take two lines
// and push the document data 7 lower into a shorter box.
const PageText kInvoiceTitle[] = {
    {A, {ScreenFont::F16, 17, false}, L"FACTURA", {180, 70, 295, 100}, kSameText, At(PageCentre(35), 70)},
};
const PageText kProformaTitle[] = {
    {A, {ScreenFont::F16, 16, false}, L"FACTURA", {185, 70, 295, 85}, kSameText, At(183, 75)},
    {A, {ScreenFont::F16, 16, false}, L"PROFORMA", {175, 85, 295, 95}, kSameText, At(176, 90)},
};
const PageText kDeliveryNoteTitle[] = {
    {A, {ScreenFont::F16, 14, false}, L"AVIZ", {203, 70, 295, 85}, kSameText, At(203, 75)},
    {A, {ScreenFont::F16, 14, false}, L"EXPEDITIE", {183, 85, 295, 95}, kSameText, At(183, 90)},
};
const PageRule kTitleBox[] = {
    {A, Stroke::Frame, {150, 95, 286, 145}, {150, 95, FromRight(150), 145}},
};
const PageRule kShortTitleBox[] = {
    {A, Stroke::Frame, {150, 109, 286, 145}, {150, 109, FromRight(150), 145}},
};

struct TitleBlock {
    Table<PageText> titles;
    Table<PageRule> box;
    float dataShift;
};

bool TitleOfType(long long type, TitleBlock& block)
{
    switch (type) {
    case 0:
    case 4: block = {TableOf(kInvoiceTitle), TableOf(kTitleBox), 0}; return true;
    case 1: block = {TableOf(kProformaTitle), TableOf(kShortTitleBox), 7}; return true;
    case 2: block = {TableOf(kDeliveryNoteTitle), TableOf(kShortTitleBox), 7}; return true;
    default: return false;
    }
}

// What this page says differently from the page with the receipt.
const PageText kOwnTexts[] = {
    {N, kTableHeadText, L" -  lei  - ", {285, 162, 320, 172}, L" -  lei  -", Centred(295, 165)},
    {N, kTableHeadText, L"Valoarea", {355, 158, 420, 168}, kSameText, Centred(368, 160)},
    {N, kTableHeadText, L"5(3x4)", {360, 175, 405, 185}, kSameText, Centred(368, 176)},
    {A, kBodyText, L"stampila", {265, 512, 325, 523}, kSameText, At(265, 511)},
    {A, kBodyText, L"CNP: {delegatCNP} B.I./C.I.: {delegatSerie}", {75, 545, 250, 555},
     L"CNP: {delegatCNP} B.I./C.I. {delegatSerie}", At(75, 544)},
    {N, kBodyText, L"Total :", {325, 505, 385, 515}, kSameText, At(325, 504), kTotalsEdges},
    {V, kBodyText, L"Total FT:", {325, 505, 385, 515}, kSameText, At(325, 504), kValueEdges},
    {V, kBodyText, L"{valoareFT}", {330, 520, 410, 530}, kSameText, At(330, 524), kValueEdges},
    {N, kBodyText, L"{valoareFT}", {330, 520, 410, 530}, kSameText, At(330, 524), kTotalsEdges},
    {A, kBodyText, L"Total de plata:", {325, 550, 410, 560}, kSameText, At(324, 550), kTotalsEdges},
    {Show::VatOnCollection, kBodyText, L"TVA la incasare", {40, 490, 110, 500}, kSameText, At(40, 490)},
};

const ScreenBox kScreenBackground{10, 170, 426, 500};
const ScreenBox kScreenLogo{150, 11, 286, 70};
const ScreenBox kScreenStamp{11, 530, 69, 588};

} // namespace

void DrawFacturaLayout1(const ScreenPage& page, const FacturaDate& doc)
{
    FillScreenPage(page);
    DrawScreenBitmap(page, page.backgroundBitmap, kScreenBackground);
    DrawScreenBitmap(page, page.logoBitmap, kScreenLogo);
    DrawScreenRules(page, doc, TableOf(kRules));
    TitleBlock title;
    if (TitleOfType(doc.tip, title)) {
        DrawScreenTexts(page, doc, title.titles);
        DrawScreenTexts(page, doc, kDocumentData, title.dataShift);
        DrawScreenRules(page, doc, title.box);
    }
    DrawScreenTexts(page, doc, kSellerBlock);
    DrawScreenTexts(page, doc, kBuyerBlock);
    DrawScreenTexts(page, doc, kItemTableHead);
    DrawScreenItems(page, doc, ScreenItemTable{kInvoiceItemColumns, ScreenFont::F7_7, 187, kScreenRows});
    DrawScreenBitmap(page, page.stampBitmap, kScreenStamp);
    DrawScreenTexts(page, doc, kInvoiceFooter);
    DrawScreenTexts(page, doc, TableOf(kOwnTexts));
}

std::vector<PageRule> ScreenRulesOfLayout1(const FacturaDate& doc)
{
    std::vector<PageRule> rules;
    AddScreenRules(rules, doc, TableOf(kRules));
    TitleBlock title;
    if (TitleOfType(doc.tip, title))
        AddScreenRules(rules, doc, title.box);
    return rules;
}

void DrawPrintedLayout1(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background)
{
    PrintedPage page(dc, width, height, kPrintUnitsHigh);
    const PrintGrid& g = page.Grid();

    int bw = static_cast<int>(g.W - g.sx * 20), bh = static_cast<int>(g.H - g.sy * 255);
    page.Picture(background, bw, bh,
                    {{static_cast<int>(g.sy * 10), g.Height(150), static_cast<int>(g.W - g.sy * 10),
                      static_cast<int>(g.H - g.sy * 105), PrintedPage::Copy::Opaque},
                     {g.Width(10), g.Height(150), bw, bh, PrintedPage::Copy::Transparent}});
    page.Rules(job, TableOf(kRules));

    int lw = static_cast<int>(g.W - g.sx * 150 - g.sx * 150), lh = g.Height(50);
    page.Picture(job.logo, lw, lh, {{g.Width(150), g.Height(11), lw, lh, PrintedPage::Copy::Opaque}});
    int sw = g.Width(58), sh = g.Height(58);
    page.Picture(job.stampila, sw, sh, {{g.Width(11), g.Height(530), sw, sh, PrintedPage::Copy::Transparent}});

    TitleBlock title;
    if (TitleOfType(job.tipDocument, title)) {
        page.Texts(job, title.titles);
        page.Rules(job, title.box);
        page.Texts(job, kDocumentData, title.dataShift);
    }
    page.Texts(job, kInvoiceFooter);
    page.Texts(job, TableOf(kOwnTexts));
    page.Texts(job, kItemTableHead);
    page.Texts(job, kSellerBlock);
    page.Texts(job, kBuyerBlock);
    PrintItems(page, job, items, PrintItemTable{kInvoiceItemColumns, 8, 190, kPrintedRowsLayout1}, {0});
}

bool PrintFacturaLayout1(FacturaPrintJob& job)
{
    std::vector<PrintedItem> items;
    if (!PrepareItemsForPrint(job.owner, job, job.tipDocument, NetValueFrom::OwnHeader, kPrintedRowsLayout1, items))
        return false;
    micro::utils::QBuffer background;
    LoadPrintBackground(background);
    PrintJob print(job.owner);
    if (!print.IsOpen())
        return false;
    DrawPrintedLayout1(print.GetDC(), print.GetWidth(), print.GetHeight(), job, items, background);
    return print.Finish();
}
