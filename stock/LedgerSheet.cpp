#include "stock/LedgerSheet.h"

using micro::utils::QString;

namespace stock_reports {

const ReportFont kSheetTitleFont = {L"Arial Bold", 12, FW_BOLD, false};
const ReportFont kSheetHeadingFont = {L"Arial Rounded MT Bold", 9, FW_NORMAL, false};
const ReportFont kSheetTableFont = {L"Arial Rounded MT Bold", 7, FW_NORMAL, false};

namespace {
const float kFrameRules[] = {50, 83, 62, 92};
}

void DrawCompanyLines(ReportPage& page, const CompanyHeading& company)
{
    page.UseFont(kSheetHeadingFont);
    page.Text(20, 14, L"Unitatea: " + company.name);
    page.Text(20, 22, L"Nr.ord.Reg.Com/an: " + company.registration);
    page.Text(20, 30, L"C.I.F: " + company.fiscalCode);
    page.Text(20, 38, L"Sediul: " + company.address);
}

int DrawSheetPage(ReportPage& page, const SheetLayout& layout, const CompanyHeading& company, const wchar_t* title,
                  const QString& headingLine, const CellReader& cell, int rows, uint32_t p)
{
    page.UsePen(ReportPen::Thick);
    page.Frame();
    for (float y : kFrameRules)
        page.Rule(page.Y(y));
    page.UseFont(kSheetHeadingFont);
    page.Text(15, 51, headingLine);
    DrawCompanyLines(page, company);
    page.UseFont(kSheetTitleFont);
    page.Text(280, 25, title);

    page.UseFont(kSheetTableFont);
    DrawLabels(page, layout.labels, layout.labelCount, layout.Rules());
    int first = static_cast<int>(p - 1) * layout.rowsPerPage;
    int end = first + layout.rowsPerPage < rows ? first + layout.rowsPerPage : rows;
    int printed = end > first ? end - first : 0;
    float step = page.sy * 10;
    int y = page.Y(95);
    for (int r = first; r < end; ++r, y = static_cast<int>(y + step)) {
        if (layout.runningNumber)
            page.TextAtPixels(page.X(19), y, QString::Formatted(L"%d", r - first + 1),
                              page.ColumnAt(layout.Rules(), 19));
        DrawRowCells(page, layout.cells, layout.cellCount, layout.Rules(), y, cell, r);
    }
    DrawRowRules(page, page.Y(104), printed);
    int tableEnd = CloseTable(page, static_cast<int>(page.Y(95) + 10.0f * printed * page.sy), layout.closeAtBottom);
    for (int i = 0; i < layout.columnLineCount; ++i)
        page.Line(page.X(layout.columnLines[i]), page.Y(62), page.X(layout.columnLines[i]), tableEnd);
    return tableEnd;
}

void DrawRowCells(ReportPage& page, const SheetCell* cells, int count, const ReportRules& rules, int y,
                  const CellReader& cell, int row)
{
    for (int c = 0; c < count; ++c) {
        QString text = cell(row, cells[c].column);
        // A number ending on its column's right rule belongs to that column.
        ReportSpan column = page.ColumnAt(rules, cells[c].ending ? cells[c].x - 0.5f : cells[c].x);
        if (cells[c].ending)
            page.TextEndingAtPixels(cells[c].x, y, text, column);
        else
            page.TextAtPixels(page.X(cells[c].x), y, text, column);
    }
}

void DrawLabels(ReportPage& page, const SheetLabel* labels, int count, const ReportRules& rules)
{
    for (int i = 0; i < count; ++i)
        page.TextAtPixels(page.X(labels[i].x), page.Y(labels[i].y), labels[i].text,
                          page.ColumnAt(rules, labels[i].x));
}

int DrawRowRules(ReportPage& page, int firstRule, int rows)
{
    page.UsePen(ReportPen::Thin);
    float step = page.sy * 10;
    int rule = firstRule;
    for (int r = 1; r < rows; ++r, rule = static_cast<int>(rule + step))
        page.Rule(rule);
    return rule;
}

int CloseTable(ReportPage& page, int end, bool closeAtBottom)
{
    page.UsePen(ReportPen::Thick);
    bool above = end < static_cast<int>(page.H - page.sy * 15);
    if (!above)
        end = page.bottom;
    if (above || closeAtBottom)
        page.Rule(end);
    return end;
}

bool PrintSheetOf(HWND owner, PrintPageRange& pages, const SheetLayout& layout, int rows,
                  const std::function<void(ReportPage&, uint32_t)>& draw)
{
    pages.pageCount = ReportPageCount(rows, layout.rowsPerPage);
    return PrintReport(owner, pages, draw);
}

CellReader ListCells(const micro::gui::QListCtrl& list)
{
    return [&list](int row, int column) { return list.GetItemText(row, column); };
}

} // namespace stock_reports
