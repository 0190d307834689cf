#pragma once
#include <windows.h>
#include <functional>
#include <initializer_list>
#include <vector>
#include "database/qsql/QSqlError.h"
#include "framework/gui/QListCtrl.h"
#include "framework/utils/QString.h"

// What the stock list and the ledgers share: the company heading, the list
// set-up, the period of two pickers and the texts of their cells.
namespace stock_reports {

// Societate row 1 as the printed headings show it.
struct CompanyHeading {
    micro::utils::QString name, registration, fiscalCode, address;
    // Reads row 1; a database error leaves to the caller.
    void Load();
};

struct ListColumn {
    const wchar_t* title;
    int width;
    int format;
};

// Full-row selection, info tips, double buffering and the explorer look.
void StyleList(micro::gui::QListCtrl& list);
void InsertColumns(micro::gui::QListCtrl& list, const ListColumn* columns, int count);
template <size_t N>
void InsertColumns(micro::gui::QListCtrl& list, const ListColumn (&columns)[N])
{
    InsertColumns(list, columns, static_cast<int>(N));
}
// Attached, styled, and the columns.
void SetUpList(micro::gui::QListCtrl& list, HWND dialog, int id, const ListColumn* columns, int count);
template <size_t N>
void SetUpList(micro::gui::QListCtrl& list, HWND dialog, int id, const ListColumn (&columns)[N])
{
    SetUpList(list, dialog, id, columns, static_cast<int>(N));
}

// Whole days: the first second of the start picker's day and the last second
// of the end picker's day, whatever time of day the pickers hold.
struct Period {
    long long start;
    long long end;
};
Period ReadPeriod(HWND dialog, int startId, int endId);
// The picker's date as Unix seconds (its time taken as UTC).
long long ReadPickerDate(HWND dialog, int id);

// Pickers show the program's day-month-year form.
void SetDayMonthYear(HWND dialog, std::initializer_list<int> ids);

// "%.2f"; a figure that rounds to nothing reads "0.00".
micro::utils::QString Amount(double value);
// A value in whole bani, held in a double: a quantity times a price can pass
// what bani in 64 bits hold (and would read back as nonsense), while a double
// keeps whole bani exact up to 90 000 billion lei.
double BaniOf(double value);
// Local date "%d-%m-%Y " (trailing blank) as the ledgers show it.
micro::utils::QString LedgerDate(long long seconds);
// A row at the end of the list with its cells (null cells stay empty).
int AppendRow(micro::gui::QListCtrl& list, const wchar_t* const* cells, int count, LPARAM data = 0);

// Holds a list's painting off while a fill adds its rows (under Wine a
// painted list costs milliseconds a row), and repaints it once at the end.
class ListFill {
public:
    explicit ListFill(micro::gui::QListCtrl& list);
    ~ListFill();
    ListFill(const ListFill&) = delete;
    ListFill& operator=(const ListFill&) = delete;

private:
    micro::gui::QListCtrl& m_list;
};

// The rows of a report list kept by its window, shown by a list view made
// with LVS_OWNERDATA: the list asks for the cells it paints, so a fill of
// thousands of rows costs what a bare virtual list of as many rows costs, and
// a row's texts are made only when they are shown or read back (a print, a
// double-click). A row is either an item of the window's own, whose cells
// `itemText` makes, or a row of fixed texts (an opening, a total).
class ReportRows {
public:
    typedef std::function<micro::utils::QString(size_t item, int column)> ItemText;
    ReportRows(micro::gui::QListCtrl& list, ItemText itemText);

    // No rows, the list shown empty at once: a notice during the next fill
    // (an error box) finds no row that is going.
    void Clear();
    void AppendItem(size_t item, LPARAM data = 0);
    // Null cells stay empty; answers the row's index.
    int AppendRow(const wchar_t* const* cells, int count, LPARAM data = 0);
    // Gives the list the rows collected; it repaints once.
    void Show();

    int Count() const { return static_cast<int>(m_rows.size()); }
    LPARAM Data(int row) const;
    micro::utils::QString Text(int row, int column) const;
    // Answers the list's LVN_GETDISPINFOW; false for any other notice.
    bool AnswerDisplayInfo(const NMHDR* header) const;

private:
    struct Row {
        size_t item;
        int fixed;  // first of the row's texts in m_texts, or -1 for an item
        int count;
        LPARAM data;
    };
    micro::gui::QListCtrl& m_list;
    ItemText m_itemText;
    std::vector<Row> m_rows;
    std::vector<micro::utils::QString> m_texts;
};

// A database error of a fill, in one box titled "Message" over the dialog.
void ShowFillError(HWND dialog, const micro::qsql::QSqlError& error);

} // namespace stock_reports
