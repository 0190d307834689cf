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
    for (int i = 0; i < layout.labelCount; ++i)
        page.Text(layout.labels[i].x, layout.labels[i].y, layout.labels[i].text);
    int first = static_cast<int>(p - 1) * layout.rowsPerPage;
    int end = first + layout.rowsPerPage < rows ? first + layout.rowsPerPage : rows;
    int printed = end > first ? end - first : 0;
    float step = page.sy * 10;
    int y = page.Y(95);
    for (int r = first; r < end; ++r, y = static_cast<int>(y + step)) {
        if (layout.runningNumber)
            page.TextAtPixels(page.X(19), y, QString::Formatted(L"%d", r - first + 1));
        for (int c = 0; c < layout.cellCount; ++c) {
            const SheetCell& spec = layout.cells[c];
            QString text = cell(r, spec.column);
            if (spec.ending)
                page.TextEndingAtPixels(spec.x, y, text);
            else
                page.TextAtPixels(page.X(spec.x), y, text);
        }
    }

    page.UsePen(ReportPen::Thin);
    int rule = page.Y(104);
    for (int r = 1; r < printed; ++r, rule = static_cast<int>(rule + step))
        page.Rule(rule);
    page.UsePen(ReportPen::Thick);
    int tableEnd = static_cast<int>(page.Y(95) + 10.0f * printed * page.sy);
    bool above = tableEnd < static_cast<int>(page.H - page.sy * 15);
    if (!above)
        tableEnd = page.bottom;
    if (above || layout.closeAtBottom)
        page.Rule(tableEnd);
    for (int i = 0; i < layout.columnLineCount; ++i)
        page.Line(page.X(layout.columnLines[i]), page.Y(62), page.X(layout.columnLines[i]), tableEnd);
    return tableEnd;
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
