#pragma once
#include <windows.h>
#include "database/qsql/SqlText.h"
#include "documents/MyFacturiDialog.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include "tests/printing/support/PrintFixtures.h"
#include <string>

namespace lists_test {

// 14-11-2023 22:13:20 UTC.
const long long kDay = 1700000000;

struct Header {
    int status = 1;
    int numar = 1;
    unsigned long long client = 0;
    long long date = kDay;
    double ft = 100.0;
    double tva = 24.0;
    double tti = 124.0;
    double sold = 124.0;
};

inline unsigned long long AddHeader(testing_support::TempDatabase& db, const wchar_t* table, const Header& h)
{
    db.Exec(micro::qsql::SqlFormat(L"insert into '%s' (status, numar, client, dataCreare, dataScadenta, agent, "
                                   L"delegat, valoareFT, valoareTVA, valoareTTI, sold, serie) values (%d, %d, %llu, "
                                   L"%lld, %lld, 0, 0, %f, %f, %f, %f, 'FCT')",
                                   table, h.status, h.numar, h.client, h.date, h.date, h.ft, h.tva, h.tti, h.sold)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

// Cells 0 .. columns-1 of a list row, each followed by "|".
inline std::wstring RowText(HWND parent, int listId, int row, int columns)
{
    std::wstring text;
    for (int column = 0; column < columns; ++column)
        text += testing_support::ModalDriver::ListCell(parent, listId, row, column) + L"|";
    return text;
}

// The editor object behind its window, as the driver finds it.
inline MyFacturiDialog* EditorOf(HWND window)
{
    return dynamic_cast<MyFacturiDialog*>(micro::gui::QWindow::FromHandle(window));
}

// Stands in for the editor's own save: the header the editor would store
// under its reserved id, marked as saved, then the end of its run with 1.
inline void SaveLike(testing_support::TempDatabase& db, HWND window, const wchar_t* table, const Header& h)
{
    MyFacturiDialog* editor = EditorOf(window);
    db.Exec(micro::qsql::SqlFormat(L"insert or replace into '%s' (id, status, numar, client, dataCreare, "
                                   L"valoareFT, valoareTVA, valoareTTI, sold) values (%llu, %d, %d, %llu, %lld, %f, "
                                   L"%f, %f, %f)",
                                   table, editor->idRezervat, h.status, h.numar, h.client, h.date, h.ft, h.tva,
                                   h.tti, h.sold)
                .c_str());
    editor->status = h.status;
    editor->numar = h.numar;
    editor->client = h.client;
    editor->dataCreare = h.date;
    editor->valoareFT = h.ft;
    editor->valoareTVA = h.tva;
    editor->valoareTTI = h.tti;
    editor->sold = h.sold;
    editor->salvat = true;
    editor->EndDialog(1);
}

} // namespace lists_test
