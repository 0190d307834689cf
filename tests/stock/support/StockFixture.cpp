#include "tests/stock/support/StockFixture.h"
#include "database/StockRule.h"
#include "stock/StockMoveStore.h"

using micro::qsql::SqlFormat;

namespace stock_test {

Rows ListRows(HWND dialog, int listId, int columns)
{
    Rows rows(ModalDriver::ListRowCount(dialog, listId));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            rows[r].push_back(ModalDriver::ListCell(dialog, listId, static_cast<int>(r), c));
    return rows;
}

std::wstring RowText(HWND dialog, int listId, int row, std::initializer_list<int> columns)
{
    std::wstring text;
    for (int c : columns)
        text += (text.empty() ? L"" : L"|") + ModalDriver::ListCell(dialog, listId, row, c);
    return text;
}

void AddRow(HWND editor, const wchar_t* productName, const wchar_t* quantity)
{
    ModalDriver picker;
    picker.When(L"Cautare Produse", [&](HWND p) {
        ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_FILTER, productName);
        ModalDriver::DoubleClickListRow(p, IDC_CAUTARE_PRODUSE_LIST, 0);
    });
    ModalDriver::ClickOnScreen(editor, IDC_IGE_ADAUGA);
    picker.Verify();
    ModalDriver::SetText(editor, IDC_IGE_CELULA, quantity);
    SetFocus(GetDlgItem(editor, IDC_IGE_TOTAL_FT));
}

void ClickCell(HWND editor, int row, int column)
{
    NMITEMACTIVATE click = {};
    click.hdr = {GetDlgItem(editor, IDC_IGE_LISTA), IDC_IGE_LISTA, static_cast<UINT>(NM_CLICK)};
    click.iItem = row;
    click.iSubItem = column;
    SendMessageW(editor, WM_NOTIFY, IDC_IGE_LISTA, reinterpret_cast<LPARAM>(&click));
}

long long StockTest::Product(const wchar_t* name, const wchar_t* unit, double purchase, double stock, int vat,
                             double sale)
{
    long long id = tempDb.AddProduct(name, sale, vat, unit, purchase);
    if (stock != 0) {
        db().ExecDML(SqlFormat(L"update Produse set stocReal = %.17g where id = %lld", stock, id));
        Line(L"Niruri", 0, 2, 0, 0, id, stock, 0);
    }
    return id;
}

long long StockTest::Document(const wchar_t* header, long long date, int status, long long partner, long long number,
                              const std::vector<std::vector<double>>& lines)
{
    bool movement = header[0] == L'I';
    double total = 0.0;
    for (const auto& line : lines)
        total += line[1] * line[2];
    db().ExecDML(movement ? SqlFormat(L"insert into %s (dataCreare, status, valoareFT, valoareTTI) values (%lld, %d, "
                                      L"%.17g, %.17g)",
                                      header, date, status, total, total)
                          : SqlFormat(L"insert into %s (status, numar, client, dataCreare, valoareTTI, sold) values "
                                      L"(%d, %lld, %lld, %lld, %.17g, %.17g)",
                                      header, status, number, partner, date, total, total));
    long long id = db().LastInsertRowId();
    for (const auto& line : lines)
        db().ExecDML(SqlFormat(L"insert into Articole%s (produsID, cantitate, %s, %s) values (%lld, %.17g, %.17g, %lld)",
                               header, movement ? L"pret" : L"valoareFT", movement ? L"IDIntrare" : L"IDFactura",
                               static_cast<long long>(line[0]), line[1], line[2], id));
    // stocReal kept as every write of the program keeps it.
    db().ExecDML(RecomputeAllStoredStockSql());
    return id;
}

INT_PTR StockTest::RunEditor(int kind, unsigned long long id, std::function<void(HWND)> body)
{
    MyIntrariGeneraleDialogEdit editor(nullptr);
    editor.kind = kind;
    editor.id = id;
    return RunDialog(editor, StockMoveKindOf(kind).editorTitle, body);
}

bool At(const layout_tests::EmfPage& page, const std::wstring& text, int x, int y)
{
    for (const layout_tests::EmfText& t : page.texts)
        if (t.text == text && t.x == x && t.y == y)
            return true;
    return false;
}

} // namespace stock_test
