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
    // A stored entry dated `daysAgo` days before now, with one row.
    unsigned long long AddEntry(int daysAgo, int status, double ft, const wchar_t* table = L"IntrariGenerale")
    {
        long long date = static_cast<long long>(time(nullptr)) - static_cast<long long>(daysAgo) * kDay;
        tempDb.Exec(SqlFormat(L"insert into %s values (NULL, %lld, %d, %.17g, %.17g, %.17g, 0)", table, date, status,
                              ft, ft * 0.24, ft * 1.24)
                        .c_str());
        unsigned long long id = static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
        tempDb.Exec(SqlFormat(L"insert into Articole%s values (NULL, %llu, 2, %llu, %.17g)", table, product, id,
                              ft / 2)
                        .c_str());
        return id;
    }
    INT_PTR RunList(int kind, std::function<void(HWND)> body)
    {
        MyIntrariGeneraleDialog list(nullptr);
        list.kind = kind;
        ModalDriver driver;
        driver.When(kind == 0 ? L"Intari generale  " : L"Iesiri generale ", [&](HWND w) {
            body(w);
            if (IsWindow(w))
                ModalDriver::Click(w, IDCANCEL);
        });
        INT_PTR result = list.DoModal();
        driver.Verify();
        return result;
    }
    static std::wstring Line(HWND w, int row)
    {
        std::wstring line;
        for (int c = 0; c < 7; ++c)
            line += (c ? L"|" : L"") + ModalDriver::ListCell(w, IDC_IG_LISTA, row, c);
        return line;
    }
    static int Lines(HWND w) { return ModalDriver::ListRowCount(w, IDC_IG_LISTA); }
    void SetUp() override { product = Product(L"Cui", 100, 2.5, 1, 0, L"kg"); }
    unsigned long long product = 0;
};

} // namespace

TEST_F(MovementList, ShowsTheRecentPeriodWithStatusWordsAndFiltersAsTheUserTypes)
{
    AddEntry(1, 1, 10);
    AddEntry(29, 2, 12.5);
    AddEntry(2, 3, 20);
    AddEntry(3, 4, 30);
    AddEntry(4, 7, 40);
    AddEntry(31, 1, 50);  // before the period
    RunList(0, [&](HWND w) {
        // Oldest first.
        ASSERT_EQ(5, Lines(w));
        EXPECT_EQ(L"1", ModalDriver::ListCell(w, IDC_IG_LISTA, 4, 0));
        EXPECT_EQ(L"Temporar|10.00|2.40|12.40|", Line(w, 4).substr(Line(w, 4).find(L"|", 2) + 1));
        const wchar_t* words[] = {L"Validat", L"", L"Stornat", L"Anulat", L"Temporar"};
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(words[row], ModalDriver::ListCell(w, IDC_IG_LISTA, row, 2)) << row;
        testing_support::SaveWindowPng(w, L"stock_moves_list");

        ModalDriver::SetText(w, IDC_IG_TEXT, L"TEMP");
        EXPECT_EQ(1, Lines(w));
        ModalDriver::SelectCombo(w, IDC_IG_CAMP, 1);
        ModalDriver::SetText(w, IDC_IG_TEXT, L"12.5");
        ASSERT_EQ(1, Lines(w));
        EXPECT_EQ(L"2", ModalDriver::ListCell(w, IDC_IG_LISTA, 0, 0));
        ModalDriver::SelectCombo(w, IDC_IG_CAMP, 2);
        wchar_t today[16];
        time_t now = time(nullptr) - kDay + 7200;  // the day the editor shows
        wcsftime(today, 16, L"%d-%m-%Y", localtime(&now));
        ModalDriver::SetText(w, IDC_IG_TEXT, today);
        ASSERT_EQ(1, Lines(w));
        EXPECT_EQ(L"1", ModalDriver::ListCell(w, IDC_IG_LISTA, 0, 0));
        ModalDriver::SetText(w, IDC_IG_TEXT, L"");
        EXPECT_EQ(5, Lines(w));
    });
}

TEST_F(MovementList, DetailsPaneFollowsTheSelectionAndHidesOnDetalii)
{
    AddEntry(1, 1, 10);
    AddEntry(2, 1, 30);
    RunList(0, [&](HWND w) {
        ModalDriver::SelectListRow(w, IDC_IG_LISTA, 0);
        ASSERT_EQ(1, ModalDriver::ListRowCount(w, IDC_IG_DETALII_LISTA));
        std::wstring row;
        for (int c = 0; c < 10; ++c)
            row += (c ? L"|" : L"") + ModalDriver::ListCell(w, IDC_IG_DETALII_LISTA, 0, c);
        EXPECT_EQ(L"1|1|Cui|15.00|2.00|kg|RON|30.00|2.70|32.70", row);

        RECT list;
        ModalDriver::Click(w, IDC_IG_DETALII);
        EXPECT_FALSE(ModalDriver::IsVisible(w, IDC_IG_DETALII_LISTA));
        GetWindowRect(GetDlgItem(w, IDC_IG_LISTA), &list);
        EXPECT_EQ(390, list.bottom - list.top);
        ModalDriver::Click(w, IDC_IG_DETALII);
        EXPECT_TRUE(ModalDriver::IsVisible(w, IDC_IG_DETALII_LISTA));
        GetWindowRect(GetDlgItem(w, IDC_IG_LISTA), &list);
        EXPECT_EQ(250, list.bottom - list.top);
    });
}

TEST_F(MovementList, ListReloadsAfterTheEditorSaves)
{
    AddEntry(1, 1, 10);
    RunList(1, [&](HWND w) {
        EXPECT_EQ(0, Lines(w)) << "exits only";
        ModalDriver nested;
        nested.When(L"Iesire  ", [](HWND e) {
            AddRow(e, L"Cui", L"4");
            ModalDriver::Click(e, IDOK);
        });
        ModalDriver::Click(w, IDC_IG_CREARE);
        nested.Verify();
        ASSERT_EQ(1, Lines(w));
        EXPECT_EQ(L"Temporar", ModalDriver::ListCell(w, IDC_IG_LISTA, 0, 2));

        // "Modificare" opens the selected movement like a double-click.
        ModalDriver::SelectListRow(w, IDC_IG_LISTA, 0);
        ModalDriver again;
        again.When(L"Iesire  ", [](HWND e) {
            EXPECT_EQ(1, Rows(e));
            ModalDriver::Click(e, IDC_IGE_ANULEAZA);
        });
        ModalDriver::Click(w, IDC_IG_MODIFICARE);
        again.Verify();
        EXPECT_EQ(L"Anulat", ModalDriver::ListCell(w, IDC_IG_LISTA, 0, 2));
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
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Database is not open"));
    }
    testing_support::TempDatabase db;
    ModalDriver driver;
    driver.When(L"Iesiri generale ", [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    commands.Execute(32811, context);
    driver.Verify();

    ModalDriver editor;
    editor.When(L"Intrare   ", [](HWND w) {
        EXPECT_EQ(L"1", ModalDriver::GetText(w, IDC_IGE_NUMAR));
        ModalDriver::Click(w, IDCANCEL);
    });
    EXPECT_EQ(2, OpenEditor(EditorKind::StockMovement, nullptr, 0, 1));
    editor.Verify();
}
