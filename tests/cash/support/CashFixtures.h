#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

namespace cash_tests {

struct Document {
    unsigned long long client;
    unsigned long long number;
    double total;
    double balance;
    int status = 2;
    const wchar_t* table = L"Facturi";
};

// A document header with its amounts (net and VAT split 100:19 of the total);
// answers its id.
unsigned long long AddDocument(testing_support::TempDatabase& db, const Document& document);
double Balance(testing_support::TempDatabase& db, unsigned long long id, const wchar_t* table = L"Facturi");

// A receipt (Incasari) or payment (Plati) row as stored; AddCashRow answers its id.
struct CashRow {
    unsigned long long partner;
    unsigned long long number;
    const wchar_t* facturi;
    double amount;
    int status;
    long long storedDate;
    int type = 0;
    const wchar_t* series = L"PLT";
    const wchar_t* words = L"";
};
unsigned long long AddCashRow(testing_support::TempDatabase& db, const wchar_t* table, const CashRow& row);

// The windows an editor opens, in order, each with what the user does in it.
using NestedSteps = std::vector<std::pair<std::wstring, std::function<void(HWND)>>>;

// The picker titled title, when it opens, double-clicks the row of list whose
// first cell is text.
inline void ChooseInPicker(NestedSteps& nested, const wchar_t* title, int list, const std::wstring& text)
{
    using testing_support::ModalDriver;
    nested.push_back({title, [list, text](HWND w) {
                          for (int row = 0; row < ModalDriver::ListRowCount(w, list); ++row)
                              if (ModalDriver::ListCell(w, list, row, 0) == text)
                                  ModalDriver::DoubleClickListRow(w, list, row);
                      }});
}

// Runs a receipt or payment editor on the stored id (0: a new one): steps act
// on the window titled title, which is closed with Cancel unless a step
// ended it; the nested windows are driven and then forgotten. Answers the
// editor's result.
template <class Editor>
INT_PTR RunEditor(unsigned long long id, const std::wstring& title, NestedSteps& nested,
                  const std::function<void(HWND)>& steps)
{
    using testing_support::ModalDriver;
    Editor editor(nullptr);
    editor.id = id;
    ModalDriver driver;
    driver.When(title, [&](HWND hwnd) {
        steps(hwnd);
        if (IsWindow(hwnd) && IsWindowVisible(hwnd))
            ModalDriver::Click(hwnd, IDCANCEL);
    });
    for (auto& step : nested)
        driver.When(step.first, step.second);
    nested.clear();
    INT_PTR result = editor.DoModal();
    driver.Verify();
    return result;
}

} // namespace cash_tests
