#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <string>
#include <vector>
#include "database/qsql/SqlText.h"
#include "framework/gui/QControl.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

namespace reports_test {

using testing_support::ModalDriver;
using Rows = std::vector<std::vector<std::wstring>>;

const long long kDay = 1710460800;  // 15-03-2024 00:00:00 UTC

inline long long Bani(double amount) { return std::llround(amount * 100.0); }
inline long long Bani(const std::wstring& cell) { return Bani(_wtof(cell.c_str())); }

// A picker value on the day of `seconds`, at an hour the reports must ignore.
inline SYSTEMTIME PickerDay(long long seconds, int hour = 15)
{
    return micro::gui::UnixToSystemTime(seconds - seconds % 86400 + hour * 3600 + 1234);
}

class ReportsTest : public testing_support::DatabaseTest {
protected:
    // A header of the table with one line per {product, quantity, price}; answers its id.
    long long Document(const wchar_t* header, long long date, int status, long long partner, long long number,
                       const std::vector<std::vector<double>>& lines);
    long long Line(const wchar_t* header, long long date, int status, long long partner, long long number,
                   long long product, double qty, double price)
    {
        return Document(header, date, status, partner, number, {{double(product), qty, price}});
    }
    // A receipt (Incasari) or payment (Plati); answers its id.
    long long Cash(const wchar_t* table, long long date, int status, long long partner, long long number,
                   double amount, int type = 1);
    // The stock by the rule written out table by table, for comparison.
    double ExpectedStock(long long product, long long end);
};

// Runs a dialog modally while `action` works on it, then closes it.
template <class Dialog>
void RunDialog(Dialog& dialog, const std::wstring& caption, std::function<void(HWND)> action)
{
    ModalDriver driver;
    driver.When(caption, [&](HWND window) {
        action(window);
        ModalDriver::Click(window, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
}

// Every cell of a list, row by row.
Rows ListRows(HWND dialog, int listId, int columns);

} // namespace reports_test
