#include <algorithm>
#include <vector>
#include "database/Lookups.h"
#include "stock/LedgerSheet.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"

using micro::utils::QString;
using namespace stock_reports;

namespace {

// Stock list.
const SheetLabel kStockLabels[] = {
    {15, 65, L"Nr."},        {15, 73, L"Crt."},   {80, 65, L"Denumirea produselor"}, {90, 73, L"sau a serviciilor"},
    {233, 70, L"Cantitate"}, {289, 70, L"U.M."},  {333, 70, L"Pret unitar"},         {383, 70, L"Valoarea"},
    {19, 84, L"0"},          {110, 84, L"1"},     {245, 84, L"2"},                   {295, 84, L"3"},
    {345, 84, L"4"},         {389, 84, L"5(2x4)"},
};
const SheetCell kStockCells[] = {{0, 19, false}, {1, 40, false}, {2, 245, true},
                                 {3, 295, true}, {4, 345, true}, {5, 395, true}};
const float kStockLines[] = {30, 220, 270, 320, 370};
// 48 rows a page leave the total's line, 10 units under the table, inside the frame.
const SheetLayout kStockSheet = {kStockLabels, Count(kStockLabels), kStockCells, Count(kStockCells),
                                 kStockLines,  Count(kStockLines),  48,          false, true};

// Article ledger.
const SheetLabel kArticleLabels[] = {
    {24, 70, L"Data"},     {56, 70, L"Tip"},    {88, 70, L"Nr.Doc."},      {163, 70, L"Client"},
    {239, 70, L"Intrari"}, {289, 70, L"Iesiri"}, {335, 70, L"Pret unitar"}, {385, 70, L"Valoarea"},
    {28, 84, L"1"},        {60, 84, L"2"},       {95, 84, L"3"},            {170, 84, L"4"},
    {245, 84, L"5"},       {295, 84, L"6"},      {345, 84, L"7"},           {395, 84, L"8"},
};
const SheetCell kArticleCells[] = {{0, 15, false}, {1, 59, true},  {2, 95, true},  {3, 125, false},
                                   {4, 245, true}, {5, 295, true}, {6, 345, true}, {7, 391, true}};
const float kArticleLines[] = {50, 70, 120, 220, 270, 320, 370};
const SheetLayout kArticleSheet = {kArticleLabels, Count(kArticleLabels), kArticleCells, Count(kArticleCells),
                                   kArticleLines,  Count(kArticleLines),  50,            false, true};

// Partner ledger.
const SheetLabel kPartnerLabels[] = {
    {15, 65, L"Nr."},      {15, 73, L"Crt."},     {42, 70, L"Tip Doc."}, {115, 70, L"Data"},
    {180, 70, L"Nr.Doc."}, {240, 70, L"Debit"},   {310, 70, L"Credit"},  {380, 70, L"Sold"},
    {19, 84, L"1"},        {52, 84, L"2"},        {120, 84, L"3"},       {186, 84, L"4"},
    {245, 84, L"5"},       {318, 84, L"6"},       {385, 84, L"7"},
};
const SheetCell kPartnerCells[] = {{0, 50, true},  {1, 104, true}, {2, 185, false},
                                   {3, 245, true}, {4, 315, true}, {5, 382, true}};
const float kPartnerLines[] = {30, 80, 160, 210, 280, 350};
const SheetLayout kPartnerSheet = {kPartnerLabels, Count(kPartnerLabels), kPartnerCells, Count(kPartnerCells),
                                   kPartnerLines,  Count(kPartnerLines),  50,            true, false};

// Warehouse ledger: its own page, 46 rows from y = 135.
const int kWarehouseRowsPerPage = 46;
const SheetLabel kWarehouseLabels[] = {
    {15, 51, L"MAGAZIA: "},
    {15, 61, L"Materialul ( produsul ),sortiment,calitate,marca,dimensiune:"},
    {27, 85, L"Cod:"},        {97, 85, L"U.M."},       {162, 85, L"Pret unitar"},
    {60, 110, L"Document"},   {23, 121, L"Data"},      {68, 121, L"Numar"},  {112, 121, L"Tip Doc."},
    {170, 116, L"Intrari"},   {240, 116, L"Iesiri"},   {310, 116, L"Stoc"},
    {358, 111, L"Data si semnatura"}, {368, 120, L"de control"},
};
const SheetCell kWarehouseCells[] = {{0, 15, false}, {2, 72, true},  {1, 118, true},
                                     {3, 175, true}, {4, 245, true}, {5, 315, true}};
const float kWarehouseHeadingRules[] = {50, 60, 83, 106, 132};
// The vertical lines, from `top` to `bottom` units: the three of the
// product's box, then the table's columns (0: down to the table's end); the
// first two start under "Document", which heads the columns they part.
struct ColumnLine {
    float x, top, bottom;
};
const ColumnLine kWarehouseLines[] = {{60, 83, 106},  {140, 83, 106}, {220, 83, 106}, {50, 119, 0},  {100, 119, 0},
                                      {140, 106, 0},  {210, 106, 0},  {280, 106, 0},  {350, 106, 0}};
const float kWarehouseFirstRow = 135;

// The lines that stand through a line of text at y units, left to right.
std::vector<float> WarehouseRulesAt(float y)
{
    std::vector<float> rules;
    for (const ColumnLine& line : kWarehouseLines)
        if (line.top <= y && (line.bottom == 0 || y < line.bottom))
            rules.push_back(line.x);
    std::sort(rules.begin(), rules.end());
    return rules;
}

// A text at (x, y) units, kept between the lines through its line.
void WarehouseText(ReportPage& page, float x, float y, const QString& text)
{
    std::vector<float> rules = WarehouseRulesAt(y);
    ReportRules through = {rules.data(), static_cast<int>(rules.size())};
    page.TextAtPixels(page.X(x), page.Y(y), text, page.ColumnAt(through, x));
}

void DrawWarehousePage(ReportPage& page, const MyFisaDeMagazieDialog& dialog, const QString& code,
                       const QString& price, uint32_t p)
{
    page.UsePen(ReportPen::Thick);
    page.Frame();
    for (float y : kWarehouseHeadingRules)
        page.Rule(page.Y(y));
    page.Line(page.margin, page.Y(119), page.X(140), page.Y(119));
    for (const ColumnLine& line : kWarehouseLines)
        if (line.bottom != 0)
            page.Line(page.X(line.x), page.Y(line.top), page.X(line.x), page.Y(line.bottom));
    DrawCompanyLines(page, dialog.company);
    page.UseFont(kSheetTitleFont);
    page.Text(280, 25, L"Fisa de magazie");
    page.UseFont(kSheetTableFont);
    for (const SheetLabel& label : kWarehouseLabels)
        WarehouseText(page, label.x, label.y, label.text);
    WarehouseText(page, 15, 71, dialog.productExtendedName);
    WarehouseText(page, 27, 95, code);
    WarehouseText(page, 97, 95, dialog.productUnit);
    WarehouseText(page, 162, 95, price);

    int first = static_cast<int>(p - 1) * kWarehouseRowsPerPage;
    int end = first + kWarehouseRowsPerPage < dialog.rowCount ? first + kWarehouseRowsPerPage : dialog.rowCount;
    float step = page.sy * 10;
    int y = page.Y(kWarehouseFirstRow);
    std::vector<float> rowRules = WarehouseRulesAt(kWarehouseFirstRow);
    ReportRules columns = {rowRules.data(), static_cast<int>(rowRules.size())};
    CellReader cells = ListCells(dialog.list);
    for (int r = first; r < end; ++r, y = static_cast<int>(y + step))
        DrawRowCells(page, kWarehouseCells, Count(kWarehouseCells), columns, y, cells, r);
    int tableEnd = CloseTable(page, DrawRowRules(page, page.Y(144), end - first), false);
    for (const ColumnLine& line : kWarehouseLines)
        if (line.bottom == 0)
            page.Line(page.X(line.x), page.Y(line.top), page.X(line.x), tableEnd);
}

// The chosen product or partner ends at 300 units on the period's line, kept
// after the period and inside the frame.
void DrawChosenName(ReportPage& page, const QString& period, const QString& name)
{
    page.UseFont(kSheetHeadingFont);
    ReportSpan after = page.FrameSpan();
    after.left = page.X(15) + page.TextWidth(period) + page.X(2);
    page.TextEndingAtPixels(300, page.Y(51), name, after);
}

} // namespace

bool MyStocArticoleDialog::PrintStockList()
{
    QString heading = L"Lista stoc articole la data de : " + dateText;
    // The total value stands under the table of every page.
    return PrintSheetOf(m_hwnd, pages, kStockSheet, rowCount, [&](ReportPage& page, uint32_t p) {
        int tableEnd = DrawSheetPage(page, kStockSheet, company, L"Stoc articole", heading, ListCells(list), rowCount, p);
        page.UseFont(kSheetTableFont);
        int y = tableEnd + page.Y(10);
        page.TextEndingAtPixels(40, y, L"TOTAL VALOARE STOCURI ", page.FrameSpan());
        // Under the values' column.
        page.TextEndingAtPixels(395, y, list.GetItemText(rowCount, 5), page.ColumnAt(kStockSheet.Rules(), 394.5f));
    });
}

bool MyFisaDeArticolDialog::PrintArticleSheet()
{
    QString heading = L"Perioada de la " + periodStartText + L" pana la " + periodEndText;
    int rows = lastRowIndex + 1;
    return PrintSheetOf(m_hwnd, pages, kArticleSheet, rows, [&](ReportPage& page, uint32_t p) {
        DrawSheetPage(page, kArticleSheet, company, L"Fisa de articol", heading, ListCells(list), rows, p);
        DrawChosenName(page, heading, chosenName);
    });
}

bool MyFisaDeArticolDialog::PrintPartnerSheet()
{
    QString heading = L"Perioada de la " + periodStartText + L" pana la " + periodEndText;
    const wchar_t* title = mode == ModeSupplier ? L"Fisa de furnizor" : L"Fisa de client";
    int rows = lastRowIndex + 1;
    return PrintSheetOf(m_hwnd, pages, kPartnerSheet, rows, [&](ReportPage& page, uint32_t p) {
        DrawSheetPage(page, kPartnerSheet, company, title, heading, ListCells(list), rows, p);
        DrawChosenName(page, heading, chosenName);
    });
}

bool MyFisaDeMagazieDialog::PrintSheet()
{
    if (productId != 0) {
        GetProductTextField(productExtendedName, productId, 2);
        // A product without an extended name is printed under its name.
        if (productExtendedName.IsEmpty())
            GetProductTextField(productExtendedName, productId, 1);
        GetProductTextField(productUnit, productId, 6);
        productPrice = GetProductNumField(productId, 4);
    }
    QString code = QString::Formatted(L"%d", static_cast<int>(productId));
    QString price = Amount(productPrice);
    pages.pageCount = ReportPageCount(rowCount, kWarehouseRowsPerPage);
    return PrintReport(m_hwnd, pages,
                       [&](ReportPage& page, uint32_t p) { DrawWarehousePage(page, *this, code, price, p); });
}
