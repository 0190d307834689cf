// The goods-received note, on screen and on paper. On paper a note with more
// rows than the table holds goes on over further sheets, each with the table
// and its headers again; the totals and the committee close the last sheet.
#include "printing/layouts/PrintedPage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/layouts/ScreenDrawing.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/PrintHelpers.h"
#include <algorithm>
#include "database/DocumentTables.h"
#include "database/qsql/QSqlError.h"
#include "framework/qdialog/QMessageBox.h"

namespace {

const Show A = Show::Always;
// The lines the item table holds from its first row (187) to its foot (500),
// as many as a printed sheet takes.
const RowRule kScreenRows{38, kNirRowsPerSheet};
const float kFirstRow = 190, kRowStep = 10;

constexpr TextStyle kDataText{ScreenFont::F7_7, 9, false};
constexpr TextStyle kCompanyText{ScreenFont::F6, 9, false};
constexpr TextStyle kText{ScreenFont::F6b, 7, false};

// The note's data keeps inside the title box, its total inside the value
// column's width.
constexpr Edges kTitleBoxEdges{0, 286, 150, FromRight(150)};
constexpr Edges kValueEdges{370, 426, 370, kInsetRight};

const PageRule kFrame[] = {
    {A, Stroke::Frame, {10, 10, 426, 599}, {kInset, kInset, kInsetRight, kInsetBottom}},
};

const PageRule kTitleBox[] = {
    {A, Stroke::Frame, {150, 79, 286, 116}, {150, 79, FromRight(150), 116}},
};

const PageRule kTableRules[] = {
    // when, stroke, screen (x1, y1, x2, y2), printed (x1, y1, x2, y2)
    {A, Stroke::Line, {10, 150, 426, 150}, {kInset, 150, kInsetRight, 150}},
    {A, Stroke::Line, {270, 163, 426, 163}, {270, 163, kInsetRight, 163}},
    {A, Stroke::Line, {10, 175, 426, 175}, {kInset, 175, kInsetRight, 175}},
    {A, Stroke::Line, {10, 185, 426, 185}, {kInset, 185, kInsetRight, 185}},
    {A, Stroke::Line, {10, 500, 426, 500}, {kInset, 500, kInsetRight, 500}},
    {A, Stroke::Line, {30, 150, 30, 500}, {30, 150, 30, 500}},
    {A, Stroke::Line, {190, 150, 190, 500}, {190, 150, 190, 500}},
    {A, Stroke::Line, {220, 150, 220, 500}, {220, 150, 220, 500}},
    {A, Stroke::Line, {270, 150, 270, 500}, {270, 150, 270, 500}},
    {A, Stroke::Line, {320, 163, 320, 500}, {320, 163, 320, 500}},
    // The value column's rule goes on screen only with VAT; on paper always.
    {Show::WithVat, Stroke::Line, {370, 163, 370, 500}, kNoPrintLine},
    {A, Stroke::Line, kNoScreenLine, {370, 163, 370, 500}},
};

const PageRule kTotalsRule[] = {
    {A, Stroke::Line, {10, 510, 426, 510}, {kInset, 510, kInsetRight, 510}},
};

const PageText kHead[] = {
    // when, style, screen text, screen box, printed text, printed place
    {A, {ScreenFont::F12, 12, false}, L"NOTA DE RECEPTIE SI CONSTATARE DIFERENTE", {100, 60, 400, 70}, kSameText, At(100, 60)},
    {A, kDataText, L"Nr.Nir: {numar}", {160, 82, 285, 92}, L"Nr.Nir:   {numar}", At(160, 82), kTitleBoxEdges},
    {A, kDataText, L"Data: {dataCreare}", {160, 92, 285, 102}, L"Data :   {dataCreare}", At(160, 92), kTitleBoxEdges},
    {A, kDataText, L"Nr.Factura: {serieNir}", {160, 102, 285, 112}, L"Nr.factura: {serieNir}", At(160, 102), kTitleBoxEdges},
    {A, kCompanyText, L"UNITATEA: {societateDenumire}", {20, 14, 250, 22}, L"Unitatea: {societateDenumire}", At(20, 14)},
    {A, kCompanyText, L"Nr.ord.Reg.Com/an : {societateNrReg}", {20, 22, 170, 30}, L"Nr.ord.Reg.Com/an: {societateNrReg}", At(20, 22)},
    {A, kCompanyText, L"C.I.F. : {societateCui}", {20, 30, 170, 38}, L"C.I.F: {societateCui}", At(20, 30)},
    {A, kCompanyText, L"Sediul : {societateAdresa}", {20, 38, 230, 46}, L"Sediul: {societateAdresa}", At(20, 38)},
    {A, kText, L"Subsemnatii, membrii comisiei de receptie, am procedat la receptionarea valorilor materiale furnizate de :",
     {15, 120, 370, 130},
     L"Subsemnatii, membrii comisiei de receptie, am procedat la receptionarea valorilor materiale furnizate de ",
     At(15, 120)},
    {A, kText, L"{clientNume} cu adresa in {clientAdresa}", {15, 130, 370, 140}, kSameText, At(15, 130)},
    {A, kText, L"Delegat: {delegatNume} cu auto nr.: {delegatAuto}", {15, 140, 370, 150}, kSameText, At(15, 140)},
    {A, kText, L"constatandu-se urmatoarele: ", {330, 140, 420, 150}, kSameText, At(330, 140)},
};

const PageText kTotals[] = {
    {A, kText, L"Total (fara TVA) :", {15, 501, 100, 511}, kSameText, At(15, 501)},
    {A, kText, L"{valoareFT}", {397, 501, 430, 511}, kSameText, LeftOfChars(397, 501), kValueEdges},
};

const PageText kTableHead[] = {
    {A, kText, L"Nr.", {15, 155, 25, 165}, kSameText, At(15, 155)},
    {A, kText, L"Crt.", {15, 165, 25, 175}, kSameText, At(15, 165)},
    {A, kText, L"Denumirea produselor", {80, 155, 170, 165}, kSameText, At(80, 155)},
    {A, kText, L"sau a serviciilor", {90, 165, 170, 175}, kSameText, At(90, 165)},
    {A, kText, L"U.M.", {200, 160, 240, 170}, kSameText, At(200, 160)},
    {A, kText, L"Cantitatea", {232, 155, 300, 165}, kSameText, At(232, 155)},
    {A, kText, L"conf. doc.", {232, 165, 300, 175}, kSameText, At(232, 165)},
    {A, kText, L"Cantitatea", {283, 165, 450, 175}, L"Cantitate", At(283, 165)},
    {A, kText, L"Receprionat", {333, 154, 450, 164}, kSameText, At(333, 154)},
    {A, kText, L"Pret unitar", {335, 165, 450, 175}, kSameText, At(335, 165)},
    {A, kText, L"Valoarea", {385, 165, 450, 175}, kSameText, At(385, 165)},
    // column numbers
    {A, kText, L"0", {19, 176, 25, 186}, kSameText, At(19, 176)},
    {A, kText, L"1", {110, 176, 120, 186}, kSameText, At(110, 176)},
    {A, kText, L"2", {205, 176, 215, 186}, kSameText, At(205, 176)},
    {A, kText, L"3", {245, 176, 255, 186}, kSameText, At(245, 176)},
    {A, kText, L"4", {295, 176, 305, 186}, kSameText, At(295, 176)},
    {A, kText, L"5", {345, 176, 355, 186}, kSameText, At(345, 176)},
    {A, kText, L"6(4x5)", {391, 176, 430, 186}, kSameText, At(391, 176)},
};

const PageText kCommittee[] = {
    // 20 units above the sheet's foot: at 585 on paper, and kept as far above
    // the frame's bottom side on the PDF's shorter page, where at 585 its
    // descenders crossed that side.
    {A, kText, L"Stampila si semnatura", {310, 585, 450, 595}, kSameText, At(310, FromBottom(20))},
    {A, {ScreenFont::F10, 10, false}, L"COMISIA DE RECEPTIE: ", {15, 512, 120, 522}, L"COMISIA DE RECEPTIE:", At(15, 512)},
};

// The printed rows: the quantity, unit, price and value stand left of their
// x by one unit per character, the quantity by document (column 3) is empty.
// Each keeps between its column's rules; a printed row holds one line, so a
// long name is set smaller there too.
const ItemColumn kItemColumns[] = {
    // when, field, screen left, screen right, printed x, the column's rules
    {A, ItemField::NrCrt, 17, 30, 19, {10, 30, kInset, 30}},
    {A, ItemField::PretUnitar, 335, 380, 345, {320, 370, 320, 370}},
    {A, ItemField::Denumire, 40, 188, 40, {0, 0, 30, 190}},
    {A, ItemField::Cantitate, 285, 320, 295, {270, 320, 270, 320}},
    {A, ItemField::Um, 200, 220, 205, {190, 220, 190, 220}},
    {A, ItemField::Valoare, 385, 430, 397, kValueEdges},
};

void PrintNirRows(PrintedPage& page, const std::vector<PrintedItem>& rows)
{
    const PrintGrid& g = page.Grid();
    page.UseFont(7);
    int y = g.Height(kFirstRow);
    for (const PrintedItem& row : rows) {
        for (const ItemColumn& column : kItemColumns) {
            const micro::utils::QString& text = ItemText(row.texts, column.field);
            int left = -1, right = -1;
            page.EdgesAtPixels(column.edges, left, right);
            page.TextAtPixels(text, g.Width(NirCellX(column, text)), y, Place::Left, right, left);
        }
        y = static_cast<int>(y + g.sy * kRowStep);
    }
}

} // namespace

void DrawNirPage(const ScreenPage& page, const FacturaDate& doc)
{
    FillScreenPage(page);
    DrawScreenRules(page, doc, TableOf(kFrame));
    DrawScreenRules(page, doc, TableOf(kTitleBox));
    DrawScreenRules(page, doc, TableOf(kTableRules));
    DrawScreenRules(page, doc, TableOf(kTotalsRule));
    DrawScreenTexts(page, doc, TableOf(kHead));
    DrawScreenTexts(page, doc, TableOf(kTotals));
    DrawScreenTexts(page, doc, TableOf(kTableHead));
    DrawScreenTexts(page, doc, TableOf(kCommittee));
    DrawScreenItems(page, doc, ScreenItemTable{TableOf(kItemColumns), ScreenFont::F7_7, 187, kScreenRows});
}

std::vector<PageRule> ScreenRulesOfNir(const FacturaDate& doc)
{
    std::vector<PageRule> rules;
    for (Table<PageRule> table : {TableOf(kFrame), TableOf(kTitleBox), TableOf(kTableRules), TableOf(kTotalsRule)})
        AddScreenRules(rules, doc, table);
    return rules;
}

NirSheet NirSheetTables(int sheet, int sheets)
{
    bool first = sheet == 0, last = sheet == sheets - 1;
    NirSheet tables{{TableOf(kFrame)}, {}, TableOf(kItemColumns), kFirstRow, kRowStep};
    if (first)
        tables.rules.push_back(TableOf(kTitleBox));
    tables.rules.push_back(TableOf(kTableRules));
    if (last)
        tables.rules.push_back(TableOf(kTotalsRule));
    if (first)
        tables.texts.push_back(TableOf(kHead));
    if (last)
        tables.texts.push_back(TableOf(kTotals));
    tables.texts.push_back(TableOf(kTableHead));
    if (last)
        tables.texts.push_back(TableOf(kCommittee));
    return tables;
}

int NirSheetsFor(size_t rows)
{
    return rows == 0 ? 1 : static_cast<int>((rows + kNirRowsPerSheet - 1) / kNirRowsPerSheet);
}

float NirCellX(const ItemColumn& column, const micro::utils::QString& text)
{
    bool fromLeft = column.field == ItemField::NrCrt || column.field == ItemField::Denumire;
    return fromLeft ? column.printX : column.printX - text.GetLength();
}

void DrawPrintedNirSheet(HDC dc, int width, int height, const FacturaDate& doc,
                         const std::vector<PrintedItem>& rows, int sheet, int sheets)
{
    PrintedPage page(dc, width, height, kPrintUnitsHigh, false);
    NirSheet tables = NirSheetTables(sheet, sheets);
    for (const Table<PageRule>& rules : tables.rules)
        page.Rules(doc, rules);
    for (const Table<PageText>& texts : tables.texts)
        page.Texts(doc, texts);
    PrintNirRows(page, rows);
}

bool PrintNir(FacturaPrintJob& job)
{
    std::vector<PrintedItem> rows;
    try {
        rows = ReadPrintedItems(job.id, DocumentGoodsReceived, NetValueFrom::OwnHeader);
    } catch (const micro::qsql::QSqlError& error) {
        micro::qdialog::ShowMessageBox(job.owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
    // The print dialog as for one page; the job opens no page of its own:
    // each sheet below is one.
    PrintPageRange one = {1, 0, 0};
    PrintJob print(job.owner, one);
    if (!print.IsOpen())
        return false;
    int sheets = NirSheetsFor(rows.size());
    for (int sheet = 0; sheet < sheets; ++sheet) {
        // Each sheet a page of the job, so the spooler and the job's sink count them.
        if (!print.StartPage(static_cast<uint32_t>(sheet + 1)))
            return false;
        size_t from = static_cast<size_t>(sheet) * kNirRowsPerSheet;
        size_t to = std::min(rows.size(), from + kNirRowsPerSheet);
        std::vector<PrintedItem> part(rows.begin() + from, rows.begin() + to);
        DrawPrintedNirSheet(print.GetDC(), print.GetWidth(), print.GetHeight(), job, part, sheet, sheets);
        if (!print.EndPage())
            return false;
    }
    return print.Finish();
}
