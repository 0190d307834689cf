#pragma once
#include <functional>
#include <string>
#include "documents/MyCautareFacturiDialog.h"
#include "resources/resource.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/harness/ModalDriver.h"

namespace lists_test {

// Runs the picker of the type modally: `body` acts on its window, `then` adds
// the steps of the windows the body opens; the picker is closed afterwards.
inline INT_PTR RunPicker(MyCautareFacturiDialog& picker, const std::wstring& caption,
                         std::function<void(HWND)> body, std::function<void(testing_support::ModalDriver&)> then = {})
{
    testing_support::ModalDriver driver;
    driver.When(caption, [&](HWND window) {
        body(window);
        if (IsWindow(window))
            testing_support::ModalDriver::Click(window, IDCANCEL);
    });
    if (then)
        then(driver);
    INT_PTR result = picker.DoModal();
    driver.Verify();
    return result;
}

inline std::wstring Cell(HWND picker, int row, int column)
{
    return testing_support::ModalDriver::ListCell(picker, IDC_CAUTFACT_DOCUMENTE, row, column);
}

inline int Rows(HWND picker) { return testing_support::ModalDriver::ListRowCount(picker, IDC_CAUTFACT_DOCUMENTE); }

// "rows selected-row its-id" of the documents list.
inline std::wstring State(MyCautareFacturiDialog& picker, HWND h)
{
    int row = testing_support::ModalDriver::ListSelectedRow(h, IDC_CAUTFACT_DOCUMENTE);
    return std::to_wstring(Rows(h)) + L" " + std::to_wstring(row) + L" " +
           std::to_wstring(row < 0 ? 0 : picker.listaDocumente.RowId(row));
}

// Sets the search text (the edit reports the change itself).
inline void Search(HWND picker, const wchar_t* text)
{
    testing_support::ModalDriver::SetText(picker, IDC_CAUTFACT_TEXT, text);
}

} // namespace lists_test
