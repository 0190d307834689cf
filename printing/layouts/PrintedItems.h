#pragma once
#include <windows.h>
#include <vector>
#include "printing/layouts/PageContent.h"
#include "printing/VatAndDiscount.h"

// The item lines of a printed page, read afresh from the document's line
// table with the products' current name, unit and VAT code, before the print
// job starts (a database error then stops the page before anything is
// printed). Texts as the printed pages show them.
struct PrintedItem {
    ItemFactura texts;
    bool discount;  // product 0: the name carries the discount percentage
};

// Where a discount line's percentage takes the document's net value from.
enum class NetValueFrom { OwnHeader, InvoiceTable };

// The rows of "select id ... from <line table> where IDFactura = id" in query
// order; none for id 0. Throws micro::qsql::QSqlError.
std::vector<PrintedItem> ReadPrintedItems(unsigned long long id, int type, NetValueFrom net);

// How many of the items fit the rule.
int CountFittingItems(const std::vector<PrintedItem>& items, const RowRule& rule);

// Before a job that would leave lines out: asks ("Atentie", OK/Cancel) naming
// how many; answers whether to print.
bool ConfirmLeftOutLines(HWND owner, int leftOut);

// Reads the rows, shows a database error in a "Message" box (answering false)
// and asks about lines that do not fit; true when the page may be printed.
bool PrepareItemsForPrint(HWND owner, const FacturaDate& doc, int type, NetValueFrom net, const RowRule& rule,
                          std::vector<PrintedItem>& items);

class PrintedPage;

// The printed item table: font, first row's top and the long-name rule; the
// name is word-wrapped in (x, y) - (190, y + 9 or 18 units), a discount line
// stands on one line, the other columns are centred on their x.
struct PrintItemTable {
    Table<ItemColumn> columns;
    float fontHeight;
    float firstY;
    RowRule rule;
};
// Draws the items, each row also `offsets` device pixels lower for further
// copies of the table (the two-copy page).
void PrintItems(PrintedPage& page, const FacturaDate& doc, const std::vector<PrintedItem>& items,
                const PrintItemTable& table, const std::vector<int>& offsets);
