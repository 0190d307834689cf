#include <gtest/gtest.h>
#include <vector>
#include "documents/MyFacturiPanel.h"
#include "resources/resource.h"
#include "tests/documents/lists/ListsTestData.h"
#include "tests/harness/ModalDriver.h"

using namespace lists_test;
using testing_support::ModalDriver;

namespace {

// Stands in for the main window: a top-level window that records the commands
// it is sent (id and lParam).
class RecordingFrame : public micro::gui::QWindow {
public:
    const wchar_t* GetClassName() override { return L"BrivaneListsFrame"; }
    bool OnCommand(UINT id, UINT, HWND control, LRESULT&) override
    {
        commands.push_back({id, reinterpret_cast<LPARAM>(control)});
        return true;
    }
    std::vector<std::pair<UINT, LPARAM>> commands;
};

class MyFacturiPanelTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
    void Open(MyFacturiPanel& panel)
    {
        ASSERT_TRUE(panel.Create(&frame, 1, 0));
        panel.MoveWindow(0, 0, 900, 400);
    }
    std::wstring Net(MyFacturiPanel& panel, int row) { return ModalDriver::ListCell(panel, IDC_FACTURI_PANEL_LIST, row, 3); }
    std::wstring RowIds(MyFacturiPanel& panel)
    {
        std::wstring ids;
        for (int row = 0; row < panel.lista.GetItemCount(); ++row)
            ids += std::to_wstring(panel.lista.RowId(row)) + L",";
        return ids;
    }
    // Read through the columns the list reads, so the rows come as the table stores them.
    std::wstring StoredIds(const wchar_t* table)
    {
        std::wstring ids;
        micro::qsql::QsqlQuery q = db().ExecQuery(micro::qsql::SqlFormat(
            L"select id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold from '%s'", table));
        for (; !q.Eof(); q.NextRow())
            ids += std::to_wstring(q.GetIdField(0)) + L",";
        return ids;
    }
    RecordingFrame frame;
};

} // namespace

TEST_F(MyFacturiPanelTest, ShowsEveryHeaderInStorageOrderRightClickAsksForItsPrintTabDoubleClickEdits)
{
    unsigned long long alfa = tempDb.AddClient(L"Alfa SRL");
    Header h;
    h.client = alfa;
    h.numar = 12;
    AddHeader(tempDb, L"Facturi", h);
    h.status = 7;       // no word for it
    h.client = 999;     // partner gone
    h.numar = 13;
    h.date = -1;        // no date
    h.sold = -3.5;
    AddHeader(tempDb, L"Facturi", h);
    tempDb.Exec(L"insert into Facturi (id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, "
                L"sold) values (0, 2, 5, 0, 0, 1, 1, 1, 1)");
    AddHeader(tempDb, L"Proforme", Header());

    MyFacturiPanel panel(0);
    Open(panel);
    EXPECT_EQ(StoredIds(L"Facturi"), RowIds(panel));
    EXPECT_EQ(L"12|Alfa SRL|14-11-2023|100.00|24.00|124.00|Temporar|124.00|",
              RowText(panel, IDC_FACTURI_PANEL_LIST, panel.lista.FindRow(1), 8));
    EXPECT_EQ(L"13|||100.00|24.00|124.00|?|-3.50|", RowText(panel, IDC_FACTURI_PANEL_LIST, panel.lista.FindRow(2), 8));
    // A right click asks the main window for the document's print tab.
    ModalDriver::RightClickListRow(panel, IDC_FACTURI_PANEL_LIST, panel.lista.FindRow(2));
    ASSERT_EQ(1u, frame.commands.size());
    EXPECT_EQ(std::make_pair(32844u, LPARAM(2)), frame.commands[0]);

    // A double click edits; after a save the list is read again, with what others wrote meanwhile.
    ModalDriver saved;
    saved.When(L"Factura  ", [&](HWND editor) {
        EXPECT_EQ(1u, EditorOf(editor)->id);
        tempDb.Exec(L"update Facturi set valoareFT = 1 where id = 2");
        h = Header();
        h.ft = 555.0;
        SaveLike(tempDb, editor, L"Facturi", h);
        AddHeader(tempDb, L"Facturi", Header());
    });
    ModalDriver::DoubleClickListRow(panel, IDC_FACTURI_PANEL_LIST, panel.lista.FindRow(1));
    saved.Verify();
    EXPECT_EQ(StoredIds(L"Facturi"), RowIds(panel));
    EXPECT_EQ(L"555.00|1.00", Net(panel, panel.lista.FindRow(1)) + L"|" + Net(panel, panel.lista.FindRow(2)));

    MyFacturiPanel proforme(1);
    Open(proforme);
    EXPECT_EQ(StoredIds(L"Proforme"), RowIds(proforme));
}
