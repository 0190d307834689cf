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
    // A product with its stock and purchase price (what a new row brings):
    // stocReal, and goods received long ago, so the stock rule counts it too.
    unsigned long long Product(const wchar_t* name, double stock, double purchase, int vat = 0, double sale = 0.0,
                               const wchar_t* unit = L"Buc")
    {
        unsigned long long id = tempDb.AddProduct(name, sale, vat, unit, purchase);
        tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set stocReal = %.17g where id = %llu", stock, id).c_str());
        tempDb.Exec(L"insert into Niruri (status, dataCreare) values (2, 0)");
        tempDb.Exec(micro::qsql::SqlFormat(L"insert into ArticoleNiruri (produsID, cantitate, IDFactura) values "
                                           L"(%llu, %.17g, last_insert_rowid())",
                                           id, stock)
                        .c_str());
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
inline void ClickCell(HWND editor, int row, int column)
{
    NMITEMACTIVATE click = {};
    click.hdr = {GetDlgItem(editor, IDC_IGE_LISTA), IDC_IGE_LISTA, static_cast<UINT>(NM_CLICK)};
    click.iItem = row;
    click.iSubItem = column;
    SendMessageW(editor, WM_NOTIFY, IDC_IGE_LISTA, reinterpret_cast<LPARAM>(&click));
}

// "Adauga Pozitie", the product picked by name, the quantity typed in place
// and the cell left (which commits it).
inline void AddRow(HWND editor, const wchar_t* productName, const wchar_t* quantity)
{
    ModalDriver picker;
    picker.When(L"Cautare Produse", [&](HWND p) {
        ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_FILTER, productName);
        ModalDriver::DoubleClickListRow(p, IDC_CAUTARE_PRODUSE_LIST, 0);
    });
    ModalDriver::Click(editor, IDC_IGE_ADAUGA);
    picker.Verify();
    ModalDriver::SetText(editor, IDC_IGE_CELULA, quantity);
    SetFocus(GetDlgItem(editor, IDC_IGE_TOTAL_FT));
}

inline SYSTEMTIME Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

} // namespace moves_test
