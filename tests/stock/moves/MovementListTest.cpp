#include <ctime>
#include "database/Lookups.h"
#include "framework/qapp/QCommandTable.h"
#include "stock/MyIntrariGeneraleDialog.h"
#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "stock/StockMoveStore.h"
#include "stock/StockCommands.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

class MovementList : public StockTest {};

TEST_F(MovementList, ShowsTheRecentPeriodFiltersAsTheUserTypesAndOpensTheEditorThatCancels)
{
    long long product = Product(L"Cui", L"kg", 2.5, 100, 1);
    // Stored entries of one row of quantity 2, dated so many days before now.
    const int days[] = {1, 29, 2, 3, 4, 31};  // the last one before the period
    const int statuses[] = {1, 2, 3, 4, 7, 1};
    for (int i = 0; i < 6; ++i)
        Line(L"IntrariGenerale", time(nullptr) - days[i] * 86400LL, statuses[i], 0, 0, product, 2, 5.0 * (i + 1) + 0.25);
    MyIntrariGeneraleDialog list(nullptr);
    RunDialog(list, L"Intari generale  ", [&](HWND w) {
        // Oldest first; 3 is cancelled, 4 reversed, 7 unknown.
        EXPECT_EQ(L"2,5,4,3,1", ColumnText(w, IDC_IG_LISTA, 0));
        EXPECT_EQ(L"Validat,,Stornat,Anulat,Temporar", ColumnText(w, IDC_IG_LISTA, 2));

        wchar_t shown[16];
        time_t day = time(nullptr) - 86400 + 7200;  // the day the editor shows
        wcsftime(shown, 16, L"%d-%m-%Y", localtime(&day));
        struct Search {
            int field;
            std::wstring text, ids;
        } searches[] = {{0, L"TEMP", L"1"}, {1, L"20.5", L"2"}, {2, shown, L"1"}};
        for (const Search& s : searches) {
            ModalDriver::SelectCombo(w, IDC_IG_CAMP, s.field);
            ModalDriver::SetText(w, IDC_IG_TEXT, s.text);
            EXPECT_EQ(s.ids, ColumnText(w, IDC_IG_LISTA, 0)) << testing_support::Narrow(s.text);
        }

        // The details pane follows the selection.
        ModalDriver::SetText(w, IDC_IG_TEXT, L"");
        ModalDriver::SelectListRow(w, IDC_IG_LISTA, 4);
        EXPECT_EQ(L"1|1|Cui|5.25|2.00|kg|RON|10.50|0.95|11.45",
                  RowText(w, IDC_IG_DETALII_LISTA, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
        // "Modificare" opens the selected movement like a double-click: "Anuleaza" stores the cancellation
        // (not when the question is cancelled) and the movement opens read-only, never to be validated.
        ModalDriver editors;
        editors.When(L"Intrare   ", [&](HWND e) {
            boxes.Answer(IDCANCEL);
            ModalDriver::ClickOnScreen(e, IDC_IGE_ANULEAZA);
            EXPECT_TRUE(IsWindowVisible(e)) << "Cancel in the question changes nothing";
            ModalDriver::ClickOnScreen(e, IDC_IGE_ANULEAZA);
        });
        // Esc on a movement where nothing was typed asks nothing.
        editors.When(L"Intrare   ", [&](HWND e) {
            for (int id : {IDC_IGE_ADAUGA, IDC_IGE_STERGE, IDC_IGE_MODIFICA, IDOK, IDC_IGE_VALIDEAZA, IDC_IGE_ANULEAZA})
                EXPECT_FALSE(ModalDriver::IsEnabled(e, id)) << id;
            EXPECT_TRUE(ModalDriver::IsEnabled(e, IDC_IGE_TIPARIRE));
            ModalDriver::Click(e, IDC_IGE_VALIDEAZA);  // even sent directly
            boxes.Clear();
            ModalDriver::Click(e, IDCANCEL);
            EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
        });
        // "Creare" opens a new one: cancelled unsaved, it is stored and uses up its number.
        editors.When(L"Intrare   ", [](HWND e) { ModalDriver::ClickOnScreen(e, IDC_IGE_ANULEAZA); });
        editors.When(L"Intrare   ", [](HWND e) {
            AddRow(e, L"Cui", L"4");
            ModalDriver::Click(e, IDOK);
        });
        ModalDriver::ClickOnScreen(w, IDC_IG_MODIFICARE);
        ModalDriver::DoubleClickListRow(w, IDC_IG_LISTA, 4);
        ModalDriver::ClickOnScreen(w, IDC_IG_CREARE);
        ModalDriver::ClickOnScreen(w, IDC_IG_CREARE);
        editors.Verify();
        EXPECT_EQ(L"Validat,,Stornat,Anulat,Anulat,Anulat,Temporar", ColumnText(w, IDC_IG_LISTA, 2)) << "it reloads";
    });
    // The cancelled movement keeps its row; the new ones take numbers above the largest stored id.
    EXPECT_EQ(L"1/3/1;7/3/0;8/1/1|8", tempDb.Text(L"select group_concat(id || '/' || status || '/' || (select count(*) "
                                                  L"from ArticoleIntrariGenerale a where a.IDIntrare = h.id), ';') || "
                                                  L"'|' || (select idIntrari from iduri) from IntrariGenerale h where "
                                                  L"id = 1 or id > 6"));
    EXPECT_EQ(102, StocReal(product)) << "stocReal is kept as the rule counts";
    EXPECT_EQ(102, GetProductStockAtDate(4102444800LL, product)) << "of the entries only the validated one counts";
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Stocuri"));
}

// The period starts so many days back and has no end: a movement dated after
// today is listed and opens in its editor from its row, entries and exits
// alike; one shown at 00:30 of the period's first day is in it too.
TEST_F(MovementList, MovementsDatedAfterTodayAreListedAndOpen)
{
    long long product = Product(L"Cui", L"kg", 2.5, 100, 1);
    long long now = time(nullptr), firstDay = now - now % 86400 - (GetInvoiceConfigValue(15) - 1) * 86400;
    for (int kind : {0, 1}) {
        const wchar_t* table = kind == 0 ? L"IntrariGenerale" : L"IesiriGenerale";
        long long later = Line(table, now + 3 * 86400LL, 1, 0, 0, product, 2, 5.0);
        Line(table, now - 86400LL, 1, 0, 0, product, 1, 5.0);
        Line(table, firstDay + 1800 - kStoredDateShift, 1, 0, 0, product, 1, 5.0);
        MyIntrariGeneraleDialog list(nullptr);
        list.kind = kind;
        RunDialog(list, StockMoveKindOf(kind).listTitle, [&](HWND w) {
            ASSERT_EQ(L"3,2," + std::to_wstring(later), ColumnText(w, IDC_IG_LISTA, 0)) << kind;
            unsigned long long opened = 0;
            ModalDriver editor;
            editor.When(StockMoveKindOf(kind).editorTitle, [&](HWND e) {
                auto* move = dynamic_cast<MyIntrariGeneraleDialogEdit*>(micro::gui::QWindow::FromHandle(e));
                opened = move ? move->id : 0;
                ModalDriver::Click(e, IDCANCEL);
            });
            ModalDriver::DoubleClickListRow(w, IDC_IG_LISTA, 2);
            editor.Verify();
            EXPECT_EQ(static_cast<unsigned long long>(later), opened) << kind;
        });
    }
}

// A quantity typed with three decimals shows them in the editor, on the
// printed movement and in the list's details pane; a whole one shows two
// decimals, and a small one typed in the cell is a quantity, valued and
// stored, not a 0.
TEST_F(MovementList, TypedQuantitiesShowAsTypedInTheEditorOnPaperAndInTheList)
{
    Product(L"Vopsea", L"l", 10.13);
    Product(L"Cui", L"kg", 2.5);
    layout_tests::MetafileSink sink(kPageW, kPageH);
    EXPECT_EQ(1, RunEditor(0, 0, [&](HWND w) {
        AddRow(w, L"Vopsea", L"1,234");
        AddRow(w, L"Cui", L"2");
        AddRow(w, L"Vopsea", L"0,05");
        EXPECT_EQ(L"1.234|12.50;2.00|5.00;0.05|0.51", RowText(w, IDC_IGE_LISTA, 0, {4, 7}) + L";" +
                                                         RowText(w, IDC_IGE_LISTA, 1, {4, 7}) + L";" +
                                                         RowText(w, IDC_IGE_LISTA, 2, {4, 7}));
        ModalDriver::Click(w, IDC_IGE_TIPARIRE);
        ModalDriver::ClickOnScreen(w, IDOK);
    })) << boxes.Describe();
    // Printed as listed: each quantity ends one unit a character before 245.
    const layout_tests::EmfPage& page = sink.printedPages.at(0).at(0);
    EXPECT_TRUE(At(page, L"1.234", X(245 - 5), Y(109)));
    EXPECT_TRUE(At(page, L"2.00", X(245 - 4), static_cast<int>(Y(109) + kSy * 10)));
    EXPECT_EQ(L"1.234,2.0,0.05|18.01",
              tempDb.Text(L"select (select group_concat(cantitate) from (select cantitate from "
                          L"ArticoleIntrariGenerale order by id)) || '|' || valoareFT from IntrariGenerale"));
    MyIntrariGeneraleDialog list(nullptr);
    RunDialog(list, L"Intari generale  ", [&](HWND w) {
        ModalDriver::SelectListRow(w, IDC_IG_LISTA, 0);
        EXPECT_EQ(L"1.234,2.00,0.05", ColumnText(w, IDC_IG_DETALII_LISTA, 4));
    });
}

TEST(StockCommands, EveryOneRefusesWithoutADatabaseAndTheListsOpenByKindWithOne)
{
    micro::qapp::QCommandTable commands;
    RegisterStockCommands(commands);
    micro::qapp::QCommandContext context = {nullptr, nullptr, 0, 0};
    for (UINT id : {32810, 32811, 32826, 32862, 32814, 32863, 32822, 32837, 32864, 32823}) {
        testing_support::MessageBoxRecorder boxes;
        EXPECT_TRUE(commands.Execute(id, context)) << id;
        EXPECT_EQ(L"Message", boxes.Count() == 1 ? boxes.Last().caption : L"") << id;
    }
    testing_support::TempDatabase db;
    ModalDriver driver;
    driver.When(L"Iesiri generale ", [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    commands.Execute(32811, context);
    driver.Verify();
}
