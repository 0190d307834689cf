#include "stock/StockMovePrint.h"
#include <cwchar>

using micro::utils::QString;

namespace {

const ReportFont kTitleFont = {L"Arial Bold", 12, FW_BOLD, false};
const ReportFont kTotalFont = {L"Typo Grotesk Black Italic", 9, FW_BLACK, true};
const ReportFont kHeadingFont = {L"Arial Rounded MT Bold", 9, FW_NORMAL, false};
const ReportFont kTableFont = {L"Arial Rounded MT Bold", 7, FW_NORMAL, false};

struct Label {
    float x, y;
    const wchar_t* text;
};

// The table's fixed words.
const Label kTableLabels[] = {
    {15, 51, L"DEPOZIT: MAGAZIE CENTRALA"},
    // The movement names no agent; the label stands alone.
    {320, 51, L"Agent: "},
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

// Cells of a printed row: left-aligned at x, or ending at x (numbers).
struct Cell {
    int index; // into StockMovePrintout's row
    float x;
    bool ending;
};
const Cell kCells[] = {{0, 18, false}, {1, 40, false}, {2, 190, true}, {3, 245, true}, {4, 315, true}, {5, 382, true}};
const int kValueCell = 5;

void DrawHeading(ReportPage& page, const StockMovePrintout& doc)
{
    page.UsePen(ReportPen::Thick);
    page.Frame();
    for (float y : kHeadingRules)
        page.Rule(page.Y(y));
    page.UseFont(kHeadingFont);
    page.Text(20, 14, L"Unitatea: " + doc.companyName);
    page.Text(20, 22, L"Nr.ord.Reg.Com/an: " + doc.companyRegNo);
    page.Text(20, 30, L"C.I.F: " + doc.companyFiscalCode);
    page.Text(20, 38, L"Sediul: " + doc.companyAddress);
    page.Text(200, 64, QString::Formatted(L"Nr.Doc.: %llu", doc.number));
    page.Text(200, 74, L"Data   : " + doc.date);
    page.UseFont(kTitleFont);
    page.Text(280, 25, doc.kind == 0 ? L"Intrare Generala" : L"Iesire Generala");
    page.UseFont(kTableFont);
    for (const Label& label : kTableLabels)
        page.Text(label.x, label.y, label.text);
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
    for (size_t r = first; r < end; ++r, y = static_cast<int>(y + step)) {
        for (const Cell& cell : kCells) {
            const QString& text = doc.rows[r][cell.index];
            if (cell.ending)
                page.TextEndingAtPixels(cell.x, y, text);
            else
                page.TextAtPixels(page.X(cell.x), y, text);
        }
        total += wcstod(doc.rows[r][kValueCell].c_str(), nullptr);
    }

    page.UsePen(ReportPen::Thin);
    int tableEnd = page.Y(117);
    for (size_t r = first + 1; r < end; ++r, tableEnd = static_cast<int>(tableEnd + step))
        page.Rule(tableEnd);
    page.UsePen(ReportPen::Thick);
    if (tableEnd < static_cast<int>(page.H - page.sy * 15))
        page.Rule(tableEnd);
    else
        tableEnd = page.bottom;
    for (float x : kColumnRules)
        page.Line(page.X(x), page.Y(89), page.X(x), tableEnd);

    page.UseFont(kTotalFont);
    int totalY = tableEnd + page.Y(10);
    page.TextAtPixels(page.X(310), totalY, L"Total:");
    page.TextAtPixels(page.X(372), totalY, QString::Formatted(L"%.2f", total));
}

bool PrintStockMoveDocument(HWND owner, PrintPageRange& pages, const StockMovePrintout& doc)
{
    pages.pageCount = ReportPageCount(static_cast<int>(doc.rows.size()), kStockMoveRowsPerPage);
    return PrintReport(owner, pages, [&doc](ReportPage& page, uint32_t p) { DrawStockMovePage(page, doc, p); });
}
