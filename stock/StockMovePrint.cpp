#include "stock/StockMovePrint.h"
#include <cwchar>
#include "masterdata/NumberText.h"
#include "stock/LedgerSheet.h"

using micro::utils::QString;
using namespace stock_reports;

namespace {

// The title, heading and table fonts are the sheets'; the total has its own.
const ReportFont kTotalFont = {L"Typo Grotesk Black Italic", 9, FW_BLACK, true};

// The warehouse line, above the table.
const SheetLabel kWarehouseLabels[] = {
    {15, 51, L"DEPOZIT: MAGAZIE CENTRALA"},
    // The movement names no agent; the label stands alone.
    {320, 51, L"Agent: "},
};
// The table's headings.
const SheetLabel kTableLabels[] = {
    {15, 91, L"Nr."},
    {15, 97, L"Crt."},
    {70, 93, L"Denumire articol"},
    {185, 93, L"U.M."},
    {235, 93, L"Cantitate"},
    {303, 93, L"Pret unitar"},
    {370, 93, L"Valoare"},
};
const float kHeadingRules[] = {50, 60, 106, 89};
const float kColumnRules[] = {30, 170, 210, 280, 350};
const ReportRules kColumns = {kColumnRules, Count(kColumnRules)};

// Cells of a printed row, by index into StockMovePrintout's row.
const SheetCell kCells[] = {{0, 18, false}, {1, 40, false}, {2, 190, true}, {3, 245, true}, {4, 315, true}, {5, 382, true}};
const int kValueCell = 5;

void DrawHeading(ReportPage& page, const StockMovePrintout& doc)
{
    page.UsePen(ReportPen::Thick);
    page.Frame();
    for (float y : kHeadingRules)
        page.Rule(page.Y(y));
    DrawCompanyLines(page, doc.company);
    page.Text(200, 64, QString::Formatted(L"Nr.Doc.: %llu", doc.number));
    page.Text(200, 74, L"Data   : " + doc.date);
    page.UseFont(kSheetTitleFont);
    page.Text(280, 25, doc.kind == 0 ? L"Intrare Generala" : L"Iesire Generala");
    page.UseFont(kSheetTableFont);
    for (const SheetLabel& label : kWarehouseLabels)
        page.Text(label.x, label.y, label.text);
    DrawLabels(page, kTableLabels, Count(kTableLabels), kColumns);
}

} // namespace

void DrawStockMovePage(ReportPage& page, const StockMovePrintout& doc, uint32_t p)
{
    DrawHeading(page, doc);
    size_t first = static_cast<size_t>(p - 1) * kStockMoveRowsPerPage;
    size_t end = first + kStockMoveRowsPerPage;
    if (end > doc.rows.size())
        end = doc.rows.size();
    double total = 0.0;
    float step = page.sy * 10;
    int y = page.Y(109);
    CellReader cell = [&doc](int row, int index) { return doc.rows[row][index]; };
    for (size_t r = first; r < end; ++r, y = static_cast<int>(y + step)) {
        DrawRowCells(page, kCells, Count(kCells), kColumns, y, cell, static_cast<int>(r));
        total += StoredNumber(doc.rows[r][kValueCell].c_str());
    }
    int tableEnd = CloseTable(page, DrawRowRules(page, page.Y(117), static_cast<int>(end - first)), false);
    for (float x : kColumnRules)
        page.Line(page.X(x), page.Y(89), page.X(x), tableEnd);

    page.UseFont(kTotalFont);
    int totalY = tableEnd + page.Y(10);
    page.TextAtPixels(page.X(310), totalY, L"Total:");
    // Under the values' column, to the frame.
    page.TextAtPixels(page.X(372), totalY, QString::Formatted(L"%.2f", total), page.ColumnAt(kColumns, 372));
}

bool PrintStockMoveDocument(HWND owner, PrintPageRange& pages, const StockMovePrintout& doc)
{
    pages.pageCount = ReportPageCount(static_cast<int>(doc.rows.size()), kStockMoveRowsPerPage);
    return PrintReport(owner, pages, [&doc](ReportPage& page, uint32_t p) { DrawStockMovePage(page, doc, p); });
}
