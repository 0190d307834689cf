#include <gtest/gtest.h>
#include <ctime>
#include "framework/qapp/QCommandTable.h"
#include "masterdata/EditorEntries.h"
#include "stock/MyIntrariGeneraleDialog.h"
#include "stock/StockCommands.h"
#include "tests/harness/Screenshot.h"
#include "tests/stock/moves/MovesFixture.h"

using namespace moves_test;
using micro::qsql::SqlFormat;

namespace {

const int kDay = 86400;

class MovementList : public MovesTest {
protected:
    void SetUp() override { product = Product(L"Cui", 100, 2.5, 1, 0, L"kg"); }
    // A stored entry dated `daysAgo` days before now, with one row of quantity 2.
    void AddEntry(int daysAgo, int status, double ft)
    {
        long long date = static_cast<long long>(time(nullptr)) - static_cast<long long>(daysAgo) * kDay;
        tempDb.Exec(SqlFormat(L"insert into IntrariGenerale values (NULL, %lld, %d, %.17g, %.17g, %.17g, 0)", date,
                              status, ft, ft * 0.24, ft * 1.24)
                        .c_str());
        tempDb.Exec(SqlFormat(L"insert into ArticoleIntrariGenerale values (NULL, %llu, 2, %lld, %.17g)", product,
                              tempDb.Db().LastInsertRowId(), ft / 2)
                        .c_str());
    }
    void RunList(int kind, std::function<void(HWND)> body)
    {
        MyIntrariGeneraleDialog list(nullptr);
        list.kind = kind;
        ModalDriver driver;
        driver.When(kind == 0 ? L"Intari generale  " : L"Iesiri generale ", [&](HWND w) {
            body(w);
            ModalDriver::Click(w, IDCANCEL);
        });
        list.DoModal();
        driver.Verify();
    }
    static std::wstring Column(HWND w, int id, int column)
    {
        std::wstring text;
        for (int row = 0; row < ModalDriver::ListRowCount(w, id); ++row)
            text += (row ? L"," : L"") + ModalDriver::ListCell(w, id, row, column);
        return text;
    }
    unsigned long long product = 0;
};

} // namespace

TEST_F(MovementList, ShowsTheRecentPeriodWithStatusWordsAndFiltersAsTheUserTypes)
{
    const int days[] = {1, 29, 2, 3, 4, 31};  // the last one before the period
    const int statuses[] = {1, 2, 3, 4, 7, 1};
    for (int i = 0; i < 6; ++i)
        AddEntry(days[i], statuses[i], 10.0 * (i + 1) + 0.5);
    RunList(0, [&](HWND w) {
        // Oldest first; 3 is cancelled, 4 reversed, 7 unknown.
        EXPECT_EQ(L"2,5,4,3,1", Column(w, IDC_IG_LISTA, 0));
        EXPECT_EQ(L"Validat,,Stornat,Anulat,Temporar", Column(w, IDC_IG_LISTA, 2));
        EXPECT_EQ(L"20.50,50.50,40.50,30.50,10.50", Column(w, IDC_IG_LISTA, 3));
        EXPECT_EQ(L",,,,", Column(w, IDC_IG_LISTA, 6)) << "\"Creat de \" stays empty";
        testing_support::SaveWindowPng(w, L"stock_moves_list");

        struct Search {
            int field;
            std::wstring text, ids;
        } searches[] = {{0, L"TEMP", L"1"}, {1, L"20.5", L"2"}, {2, L"", L"2,5,4,3,1"}};
        wchar_t shown[16];
        time_t day = time(nullptr) - kDay + 7200;  // the day the editor shows
        wcsftime(shown, 16, L"%d-%m-%Y", localtime(&day));
        searches[2].text = shown;
        searches[2].ids = L"1";
        for (const Search& s : searches) {
            ModalDriver::SelectCombo(w, IDC_IG_CAMP, s.field);
            ModalDriver::SetText(w, IDC_IG_TEXT, s.text);
            EXPECT_EQ(s.ids, Column(w, IDC_IG_LISTA, 0)) << testing_support::Narrow(s.text);
        }
    });
}

TEST_F(MovementList, DetailsPaneFollowsTheSelectionAndTheListReloadsAfterTheEditorSaves)
{
    AddEntry(2, 1, 30);
    RunList(0, [&](HWND w) {
        ModalDriver::SelectListRow(w, IDC_IG_LISTA, 0);
        std::wstring row;
        for (int c = 0; c < 10; ++c)
            row += (c ? L"|" : L"") + ModalDriver::ListCell(w, IDC_IG_DETALII_LISTA, 0, c);
        EXPECT_EQ(L"1|1|Cui|15.00|2.00|kg|RON|30.00|2.70|32.70", row);
        for (int height : {390, 250}) {
            ModalDriver::Click(w, IDC_IG_DETALII);
            EXPECT_EQ(height == 250, ModalDriver::IsVisible(w, IDC_IG_DETALII_LISTA));
            RECT list;
            GetWindowRect(GetDlgItem(w, IDC_IG_LISTA), &list);
            EXPECT_EQ(height, list.bottom - list.top);
        }
        // "Modificare" opens the selected movement like a double-click; "Creare" a new one.
        ModalDriver editors;
        editors.When(L"Intrare   ", [](HWND e) { ModalDriver::Click(e, IDC_IGE_ANULEAZA); });
        editors.When(L"Intrare   ", [](HWND e) {
            AddRow(e, L"Cui", L"4");
            ModalDriver::Click(e, IDOK);
        });
        ModalDriver::Click(w, IDC_IG_MODIFICARE);
        ModalDriver::Click(w, IDC_IG_CREARE);
        editors.Verify();
        EXPECT_EQ(L"Anulat,Temporar", Column(w, IDC_IG_LISTA, 2));
    });
}

TEST(StockCommands, ListsRefuseWithoutADatabaseAndOpenByKindWithOne)
{
    micro::qapp::QCommandTable commands;
    RegisterStockCommands(commands);
    micro::qapp::QCommandContext context = {nullptr, nullptr, 0, 0};
    {
        testing_support::MessageBoxRecorder boxes;
        EXPECT_TRUE(commands.Execute(32810, context));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"Message", boxes.Last().caption);
    }
    testing_support::TempDatabase db;
    ModalDriver driver;
    driver.When(L"Iesiri generale ", [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    driver.When(L"Intrare   ", [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    commands.Execute(32811, context);
    EXPECT_EQ(2, OpenEditor(EditorKind::StockMovement, nullptr, 0, 1));
    driver.Verify();
}
