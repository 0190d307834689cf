#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>
#include "database/qsql/SqlText.h"
#include "framework/gui/QControl.h"
#include "resources/resource.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include "tests/printing/support/MetafilePage.h"

namespace stock_test {

using testing_support::ModalDriver;
using Rows = std::vector<std::vector<std::wstring>>;

const long long kDay = 1710460800;  // 15-03-2024 00:00:00 UTC


// A picker value on the day of `seconds`, at an hour the reports must ignore.
inline SYSTEMTIME PickerDay(long long seconds, int hour = 15)
{
    return micro::gui::UnixToSystemTime(seconds - seconds % 86400 + hour * 3600 + 1234);
}
inline SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

using cash_tests::RunDialog;

// Every cell of a list, row by row.
Rows ListRows(HWND dialog, int listId, int columns);
// The cells of one row joined by '|'.
std::wstring RowText(HWND dialog, int listId, int row, std::initializer_list<int> columns);
using cash_tests::ColumnText;

// "Adauga Pozitie", the product picked by name, the quantity typed in place
// and the cell left (which commits it).
void AddRow(HWND editor, const wchar_t* productName, const wchar_t* quantity);
// A click on a cell of the movement's item list, as the list reports it.
void ClickCell(HWND editor, int row, int column);

class StockTest : public testing_support::DatabaseTest {
protected:
    // A product; with a stock, its stocReal and goods received long ago, so
    // the stock rule counts it too.
    long long Product(const wchar_t* name, const wchar_t* unit, double purchase, double stock = 0, int vat = 0,
                      double sale = 1.0);
    double StocReal(long long product)
    {
        return tempDb.Number(micro::qsql::SqlFormat(L"select stocReal from Produse where id = %lld", product).c_str());
    }
    void Exec(std::initializer_list<const wchar_t*> statements)
    {
        for (const wchar_t* sql : statements)
            tempDb.Exec(sql);
    }
    // A header of the table with one line per {product, quantity, price}; answers its id.
    long long Document(const wchar_t* header, long long date, int status, long long partner, long long number,
                       const std::vector<std::vector<double>>& lines);
    long long Line(const wchar_t* header, long long date, int status, long long partner, long long number,
                   long long product, double qty, double price)
    {
        return Document(header, date, status, partner, number, {{double(product), qty, price}});
    }

    // The movement editor of `kind` on `id` while `body` works on its window.
    INT_PTR RunEditor(int kind, unsigned long long id, std::function<void(HWND)> body);

    testing_support::MessageBoxRecorder boxes;
};

// Printed pages: A4 at 300 dpi in the page model's 427 x 602 units.
const int kPageW = 2479, kPageH = 3508;
const float kSx = kPageW / 427.0f, kSy = kPageH / 602.0f;
inline int X(float u) { return static_cast<int>(u * kSx); }
inline int Y(float u) { return static_cast<int>(u * kSy); }
const int kMargin = static_cast<int>(kSy * 10);

bool At(const layout_tests::EmfPage& page, const std::wstring& text, int x, int y);

} // namespace stock_test
