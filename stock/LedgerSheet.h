#pragma once
#include <functional>
#include "printing/ReportPage.h"
#include "stock/ReportSupport.h"

// The printed page the stock list and the article and partner ledgers share:
// frame, company lines, a heading line, a table of list rows 10 units apart
// from y = 95 with its column numbers at y = 84, and the column lines from
// y = 62 down to the table's end. What differs is said in a SheetLayout.
namespace stock_reports {

// How many entries a table of the page holds.
template <size_t N, class T>
constexpr int Count(const T (&)[N])
{
    return static_cast<int>(N);
}

extern const ReportFont kSheetTitleFont;
extern const ReportFont kSheetHeadingFont;
extern const ReportFont kSheetTableFont;

struct SheetLabel {
    float x, y;
    const wchar_t* text;
};

// One printed cell of a row: list column, x in units, and whether the text
// ends at x (numbers) or starts there.
struct SheetCell {
    int column;
    float x;
    bool ending;
};

struct SheetLayout {
    const SheetLabel* labels;
    int labelCount;
    const SheetCell* cells;
    int cellCount;
    const float* columnLines;
    int columnLineCount;
    int rowsPerPage;
    // The partner sheet numbers its rows from 1 on every page, at x = 19.
    bool runningNumber;
    // The line closing the table is drawn even at the bottom edge.
    bool closeAtBottom;

    ReportRules Rules() const { return ReportRules{columnLines, columnLineCount}; }
};

// A list cell's text, read back from the list on the screen.
typedef std::function<micro::utils::QString(int row, int column)> CellReader;

// The cells of list row `row` on one printed line at y pixels, each kept in
// its column between `rules`.
void DrawRowCells(ReportPage& page, const SheetCell* cells, int count, const ReportRules& rules, int y,
                  const CellReader& cell, int row);
// Fixed texts, each kept in its column between `rules`.
void DrawLabels(ReportPage& page, const SheetLabel* labels, int count, const ReportRules& rules);
// The thin rules between `rows` printed rows, 10 units apart from `firstRule`
// pixels down; answers where the next rule would go.
int DrawRowRules(ReportPage& page, int firstRule, int rows);
// The thick rule closing a table at `end` pixels when it ends above the
// bottom margin; answers the table's end (the bottom edge when it does not,
// ruled there only when `closeAtBottom`).
int CloseTable(ReportPage& page, int end, bool closeAtBottom);

// Draws page p of a sheet of `rows` rows; answers the table's end in pixels.
int DrawSheetPage(ReportPage& page, const SheetLayout& layout, const CompanyHeading& company, const wchar_t* title,
                  const micro::utils::QString& headingLine, const CellReader& cell, int rows, uint32_t p);

// Sets the page count of a sheet of `rows` rows and prints it, `draw` once a page.
bool PrintSheetOf(HWND owner, PrintPageRange& pages, const SheetLayout& layout, int rows,
                  const std::function<void(ReportPage&, uint32_t)>& draw);

// The company lines at x = 20 in the heading font.
void DrawCompanyLines(ReportPage& page, const CompanyHeading& company);

// A reader of the cells of a list control.
CellReader ListCells(const micro::gui::QListCtrl& list);

} // namespace stock_reports
