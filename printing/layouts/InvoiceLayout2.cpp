// The invoice with its receipt below (layout 2), on screen and on paper. The
// invoice part is the full page's, its footer 150 units higher.
#include "printing/layouts/InvoiceBlocks.h"
#include "printing/layouts/InvoiceReceipt.h"
#include "printing/layouts/PrintedPage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/PrintBackground.h"
#include "printing/PrintHelpers.h"

const RowRule kPrintedRowsLayout2{kPrintLongName, 14};

namespace {

const Show A = Show::Always;
const Show V = Show::WithVat;
const Show N = Show::WithoutVat;

const RowRule kScreenRows{kScreenLongName, 15};
// The invoice's footer stands this much higher than on the full page.
const float kFooterRaise = -150;

const PageRule kRules[] = {
    // when, stroke, screen (x1, y1, x2, y2), printed (x1, y1, x2, y2)
    {A, Stroke::Frame, {10, 10, 426, 449}, {10, 10, FromRight(10), FromBottom(160)}},
    {A, Stroke::Frame, {10, 459, 426, 599}, {10, FromBottom(150), FromRight(10), FromBottom(10)}},
    {A, Stroke::Line, {10, 150, 426, 150}, {10, 150, FromRight(10), 150}},
    {A, Stroke::Line, {10, 175, 426, 175}, {10, 175, FromRight(10), 175}},
    {A, Stroke::Line, {10, 185, 426, 185}, {10, 185, FromRight(10), 185}},
    {A, Stroke::Line, {10, 350, 426, 350}, {10, 350, FromRight(10), 350}},
    {A, Stroke::Line, {30, 150, 30, 350}, {30, 150, 30, 350}},
    {A, Stroke::Line, {190, 150, 190, 350}, {190, 150, 190, 350}},
    {A, Stroke::Line, {220, 150, 220, 350}, {220, 150, 220, 350}},
    {A, Stroke::Line, {270, 150, 270, 350}, {270, 150, 270, 350}},
    {A, Stroke::Line, {320, 150, 320, 449}, {320, 150, 320, FromBottom(160)}},
    {V, Stroke::Line, {360, 150, 360, 395}, {358, 150, 358, 395}},
    {V, Stroke::Line, {400, 150, 400, 350}, {396, 150, 396, 350}},
    {A, Stroke::Line, {70, 350, 70, 449}, {70, 350, 70, FromBottom(160)}},
    {A, Stroke::Line, {260, 350, 260, 449}, {260, 350, 260, FromBottom(160)}},
    {A, Stroke::Line, {320, 395, 426, 395}, {320, 395, FromRight(10), 395}},
    {A, Stroke::Frame, {150, 95, 286, 145}, {150, 95, FromRight(150), 145}},
};

const PageText kTitle[] = {
    {A, {ScreenFont::F16, 17, false}, L"FACTURA", {180, 70, 295, 100}, kSameText, At(PageCentre(35), 70)},
};

const PageText kOwnTableHead[] = {
    {N, kTableHeadText, L" -  lei  -", {285, 162, 370, 172}, L"-  lei  -", Centred(295, 165)},
    {N, kTableHeadText, L"Valoarea", {355, 158, 420, 168}, kSameText, Centred(368, 160)},
    {N, kTableHeadText, L"5(3x4)", {360, 175, 420, 185}, kSameText, Centred(368, 176)},
};

// At the full page's heights, like the shared footer they complete.
const PageText kOwnFooter[] = {
    {A, kBodyText, L"stampila", {265, 512, 345, 523}, kSameText, At(265, 511)},
    {A, kBodyText, L"CNP: {delegatCNP}  B.I/C.I: {delegatSerie}", {75, 545, 250, 555},
     L"CNP: {delegatCNP} B.I./C.I. {delegatSerie}", At(75, 544)},
    {N, kBodyText, L"Total :", {325, 505, 365, 515}, kSameText, At(325, 504), kTotalsEdges},
    {V, kBodyText, L"Total FT:", {325, 505, 365, 515}, kSameText, At(325, 504), kValueEdges},
    {V, kBodyText, L"{valoareFT}", {330, 520, 370, 530}, kSameText, At(330, 524), kValueEdges},
    {N, kBodyText, L"{valoareFT}", {330, 520, 370, 530}, kSameText, At(330, 524), kTotalsEdges},
    {A, kBodyText, L"Total de plata", {325, 550, 410, 560}, L"Total de plata:", At(324, 550), kTotalsEdges},
};

const PageText kVatOnCollection[] = {
    {Show::VatOnCollection, {ScreenFont::F6, 8, false}, L"TVA la incasare", {40, 340, 110, 350}, kSameText, At(40, 340)},
};

// The receipt's lines keep inside its frame; on paper every line does.
constexpr Edges kReceiptEdges{0, 426, 10, FromRight(10)};

constexpr TextStyle kReceiptText{ScreenFont::F6, 9, false};
constexpr TextStyle kReceiptBold{ScreenFont::F6, 9, true};

const PageText kReceipt[] = {
    {A, kReceiptBold, L"Unitatea: {societateDenumire}", {15, 464, 200, 474}, L"Unitatea {societateDenumire}", At(15, 464)},
    {A, kReceiptText, L"Nr.ord.Reg.com/an: {societateNrReg}", {15, 474, 200, 484}, L"Nr.ord.Reg.Com/an: {societateNrReg}", At(15, 474)},
    {A, kReceiptText, L"C.U.I.: {societateCui}", {15, 484, 200, 494}, kSameText, At(15, 484)},
    {A, kReceiptText, L"Adresa: {societateAdresa}", {15, 494, 200, 504}, L"Adresa {societateAdresa}", At(15, 494)},
    {A, kReceiptText, L"Oras/Judet: {societateOras}", {15, 504, 200, 514}, L"Oras {societateOras}", At(15, 504)},
    {A, kReceiptBold, L"Am incasat de la: {clientNume}", {15, 520, 200, 530}, L"Am incasat de la {clientNume}", At(15, 520)},
    {A, kReceiptText, L"Nr.ord.Reg.com/an: {clientNrReg}", {15, 530, 200, 540}, L"Nr.ord.Reg.Com/an: {clientNrReg}", At(15, 530)},
    {A, kReceiptText, L"C.U.I.: {clientCod}", {15, 540, 200, 550}, kSameText, At(15, 540)},
    {A, kReceiptText, L"Adresa: {clientAdresa}", {15, 550, 200, 560}, L"Adresa {clientAdresa}", At(15, 550)},
    {A, kReceiptText, L"Oras/Judet: {clientOras}", {15, 560, 200, 570}, L"Orasul {clientOras}", At(15, 560)},
    {A, {ScreenFont::F6, 11, true}, L"{chitantaSuma} ( {chitantaSumaInLitere} )", {15, 572, 400, 582},
     L"Suma de {chitantaSuma} ({chitantaSumaInLitere})", At(15, 572), kReceiptEdges},
    {A, kReceiptBold, L"Reprezentant contravaloare factura {serie} {numar}", {15, 585, 200, 595},
     L"Reprezentand contravaloare factura {serie} {numar}", At(15, 585), kReceiptEdges},
    {A, kReceiptBold, L"Stampila si semnatura", {310, 585, 440, 595}, kSameText, At(310, 585)},
    {A, {ScreenFont::F14, 14, true}, L"Chitanta seria {chitantaSerie} Nr. {chitantaNumar}", {245, 480, 440, 490},
     L"Chitanta seria: {chitantaSerie} Nr.: {chitantaNumar}", At(245, 480), kReceiptEdges},
    {A, {ScreenFont::F14, 14, true}, L"data {chitantaData}", {275, 495, 440, 505}, L"data  {chitantaData}", At(275, 495),
     kReceiptEdges},
};

const ScreenBox kScreenBackground{71.5f, 170, 374.5f, 410};
const ScreenBox kScreenLogo{150, 11, 286, 70};
const ScreenBox kScreenStamp{11, 380, 69, 438};
const ScreenBox kScreenReceiptStamp{310, 520, 368, 578};

} // namespace

void DrawFacturaLayout2(const ScreenPage& page, const FacturaDate& doc)
{
    FillScreenPage(page);
    DrawScreenBitmap(page, page.backgroundBitmap, kScreenBackground);
    DrawScreenRules(page, doc, Table<PageRule>{kRules, 2});
    DrawScreenBitmap(page, page.logoBitmap, kScreenLogo);
    DrawScreenRules(page, doc, Table<PageRule>{kRules + 2, sizeof kRules / sizeof kRules[0] - 2});
    DrawScreenTexts(page, doc, TableOf(kTitle));
    DrawScreenTexts(page, doc, kDocumentData);
    DrawScreenTexts(page, doc, kSellerBlock);
    DrawScreenTexts(page, doc, kBuyerBlock);
    DrawScreenTexts(page, doc, kItemTableHead);
    DrawScreenTexts(page, doc, TableOf(kOwnTableHead));
    DrawScreenItems(page, doc, ScreenItemTable{kInvoiceItemColumns, ScreenFont::F7_7, 187, kScreenRows});
    DrawScreenBitmap(page, page.stampBitmap, kScreenStamp);
    DrawScreenTexts(page, doc, kInvoiceFooter, kFooterRaise);
    DrawScreenTexts(page, doc, TableOf(kOwnFooter), kFooterRaise);
    DrawScreenTexts(page, doc, TableOf(kReceipt));
    DrawScreenTexts(page, doc, TableOf(kVatOnCollection));
    DrawScreenBitmap(page, page.stampBitmap, kScreenReceiptStamp);
}

std::vector<PageRule> ScreenRulesOfLayout2(const FacturaDate& doc)
{
    std::vector<PageRule> rules;
    AddScreenRules(rules, doc, TableOf(kRules));
    return rules;
}

void DrawPrintedLayout2(HDC dc, int width, int height, const FacturaPrintJob& job,
                        const std::vector<PrintedItem>& items, const micro::utils::QBuffer& background)
{
    PrintedPage page(dc, width, height, kPrintUnitsHigh);
    const PrintGrid& g = page.Grid();

    int bw = g.Width(303), bh = g.Height(240);
    page.Picture(background, bw, bh,
                    {{g.Width(71.5f), g.Height(170), bw, bh, PrintedPage::Copy::Opaque}});
    page.Rules(job, TableOf(kRules));
    int lw = static_cast<int>(g.W - g.sx * 300), lh = g.Height(50);
    page.Picture(job.logo, lw, lh, {{g.Width(150), g.Height(11), lw, lh, PrintedPage::Copy::Opaque}});
    int sw = g.Width(58), sh = g.Height(58);
    page.Picture(job.stampila, sw, sh,
                 {{g.Width(11), g.Height(380), sw, sh, PrintedPage::Copy::Transparent},
                  {g.Width(310), g.Height(520), sw, sh, PrintedPage::Copy::Transparent}});

    page.Texts(job, TableOf(kTitle));
    page.Texts(job, kDocumentData);
    page.Texts(job, kItemTableHead);
    page.Texts(job, TableOf(kOwnTableHead));
    page.Texts(job, kInvoiceFooter, kFooterRaise);
    page.Texts(job, TableOf(kOwnFooter), kFooterRaise);
    page.Texts(job, kSellerBlock);
    page.Texts(job, kBuyerBlock);
    page.Texts(job, TableOf(kVatOnCollection));
    PrintItems(page, job, items, PrintItemTable{kInvoiceItemColumns, 8, 190, kPrintedRowsLayout2}, {0});
    page.Texts(job, TableOf(kReceipt));
}

bool PrintFacturaChitantaLayout2(FacturaPrintJob& job)
{
    std::vector<PrintedItem> items;
    if (!PrepareItemsForPrint(job.owner, job, job.tipDocument, NetValueFrom::OwnHeader, kPrintedRowsLayout2, items))
        return false;
    if (!EnsureInvoiceReceipt(job))
        return false;
    micro::utils::QBuffer background;
    LoadPrintBackground(background);
    PrintJob print(job.owner);
    if (!print.IsOpen())
        return false;
    DrawPrintedLayout2(print.GetDC(), print.GetWidth(), print.GetHeight(), job, items, background);
    return print.Finish();
}
