#pragma once
#include <commctrl.h>
#include <functional>
#include <string>
#include "resources/resource.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

namespace moves_test {

using testing_support::ModalDriver;

class MovesTest : public testing_support::DatabaseTest {
protected:
    // A product with its stock, purchase price (brought into a new row) and
    // selling price.
    unsigned long long Product(const wchar_t* name, double stock, double purchase, int vat = 0, double sale = 0.0,
                               const wchar_t* unit = L"Buc")
    {
        unsigned long long id = tempDb.AddProduct(name, sale, vat, unit, purchase);
        tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set stocReal = %.17g where id = %llu", stock, id).c_str());
        return id;
    }
    double Stock(unsigned long long product)
    {
        return tempDb.Number(micro::qsql::SqlFormat(L"select stocReal from Produse where id = %llu", product).c_str());
    }
    long long Count(const wchar_t* sql) { return tempDb.Scalar(sql); }

    // Runs the editor on (kind, id); body acts on its window, which is then
    // closed with Cancel unless the body ended it.
    INT_PTR RunEditor(MyIntrariGeneraleDialogEdit& editor, int kind, unsigned long long id,
                      std::function<void(HWND)> body)
    {
        editor.kind = kind;
        editor.id = id;
        ModalDriver driver;
        driver.When(StockMoveKindOf(kind).editorTitle, [&](HWND w) {
            body(w);
            if (IsWindow(w) && IsWindowVisible(w))
                ModalDriver::Click(w, IDCANCEL);
        });
        INT_PTR result = editor.DoModal();
        driver.Verify();
        return result;
    }

    testing_support::MessageBoxRecorder boxes;
};

inline std::wstring Cell(HWND editor, int row, int column)
{
    return ModalDriver::ListCell(editor, IDC_IGE_LISTA, row, column);
}

inline int Rows(HWND editor) { return ModalDriver::ListRowCount(editor, IDC_IGE_LISTA); }

// A click on a cell of the item list, as the list reports it.
inline void ClickCell(HWND editor, int row, int column, UINT code = NM_CLICK)
{
    HWND list = GetDlgItem(editor, IDC_IGE_LISTA);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDC_IGE_LISTA;
    click.hdr.code = code;
    click.iItem = row;
    click.iSubItem = column;
    SendMessageW(editor, WM_NOTIFY, IDC_IGE_LISTA, reinterpret_cast<LPARAM>(&click));
}

// Types into the open cell editor and leaves it, which commits the text.
inline void TypeQuantity(HWND editor, const wchar_t* quantity)
{
    ModalDriver::SetText(editor, IDC_IGE_CELULA, quantity);
    SetFocus(GetDlgItem(editor, IDC_IGE_TOTAL_FT));
}

// "Adauga Pozitie", the product picked by name, the quantity typed in place.
inline void AddRow(HWND editor, const wchar_t* productName, const wchar_t* quantity)
{
    ModalDriver picker;
    picker.When(L"Cautare Produse", [&](HWND p) {
        ModalDriver::SetText(p, 1001, productName);
        ModalDriver::DoubleClickListRow(p, 1002, 0);
    });
    ModalDriver::Click(editor, IDC_IGE_ADAUGA);
    picker.Verify();
    TypeQuantity(editor, quantity);
}

inline SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0)
{
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    return t;
}

} // namespace moves_test
