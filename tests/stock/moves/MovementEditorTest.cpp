#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

namespace {

class MovementEditor : public StockTest {
protected:
    void SetUp() override
    {
        Product(L"Cui 50mm", L"Buc", 2.5, 100);
        Product(L"Vopsea D'Artagnan", L"kg", 40, 10, 1, 55);
        Product(L"Surub", L"Buc", 1.25, 0, 3);
    }
};

} // namespace

TEST_F(MovementEditor, NewEntryTakesTypedQuantitiesIsStoredUnderOneNumberAndReopensUnchanged)
{
    // Rows of an abandoned movement under the number the new one will take.
    tempDb.Exec(L"insert into ArticoleIntrariGenerale values (NULL, 1, 9, 1, 9)");
    struct Typed {
        const wchar_t* typed;
        const wchar_t* shown;  // quantity and value without VAT after the edit
        bool refused;
    } quantities[] = {
        {L"1,5", L"1.50|3.75", false},    {L" 2.25 ", L"2.25|5.63", false}, {L"-3", L"-3.00|-7.50", false},
        {L"12abc", L"-3.00|-7.50", true}, {L"1.5,2", L"-3.00|-7.50", true}, {L"1e400", L"-3.00|-7.50", true},
        {L"1.000", L"-3.00|-7.50", true}, // 1 or 1000
        {L"1,236", L"1.236|3.09", false}, {L"1.236", L"1.236|3.09", false}, // the cell's own text, left as it was
    };
    EXPECT_EQ(1, RunEditor(0, 0, [&](HWND w) {
        EXPECT_EQ(L"1", ModalDriver::GetText(w, IDC_IGE_NUMAR));
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, IDC_IGE_LISTA)) << "a new movement starts empty";
        ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2026, 3, 5, 1, 30));
        AddRow(w, L"Cui", L"4");
        AddRow(w, L"Vopsea", L"2.5");
        AddRow(w, L"Surub", L"10");
        AddRow(w, L"Cui", L"1");
        // VAT code 1 adds 9 %, code 3 nothing.
        EXPECT_EQ(L"40.00|2.50|kg|RON|100.00|9.00|109.00", RowText(w, IDC_IGE_LISTA, 1, {3, 4, 5, 6, 7, 8, 9}));
        ModalDriver::SelectListRow(w, IDC_IGE_LISTA, 3);
        ModalDriver::ClickOnScreen(w, IDC_IGE_STERGE);
        EXPECT_EQ(3, ModalDriver::ListRowCount(w, IDC_IGE_LISTA));
        EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from ArticoleIntrariGenerale")) << "deleting changes the list only";
        EXPECT_EQ(L"122.50|133.90", ModalDriver::GetText(w, IDC_IGE_TOTAL_FT) + L"|" +
                                        ModalDriver::GetText(w, IDC_IGE_TOTAL_TTI));
        for (const Typed& q : quantities) {
            boxes.Clear();
            ClickCell(w, 0, 4);
            ModalDriver::SetText(w, IDC_IGE_CELULA, q.typed);
            SetFocus(GetDlgItem(w, IDC_IGE_TOTAL_FT));
            EXPECT_EQ(q.shown, RowText(w, IDC_IGE_LISTA, 0, {4, 7})) << testing_support::Narrow(q.typed);
            EXPECT_EQ(q.refused ? L"Atentie" : L"", boxes.Count() ? boxes.Last().caption : L"") << boxes.Describe();
        }
        // A refused quantity stops the validation that committed it, sent as a
        // command or clicked (the click commits the cell as it takes the focus).
        for (bool click : {false, true}) {
            boxes.Clear();
            ClickCell(w, 0, 4);
            ModalDriver::SetText(w, IDC_IGE_CELULA, L"x");
            click ? ModalDriver::ClickOnScreen(w, IDC_IGE_VALIDEAZA) : ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
            EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
            EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from IntrariGenerale where status = 2"));
        }
        // A clicked quantity opens the cell editor; the first "Temporar" only ends the edit.
        ClickCell(w, 0, 4);
        EXPECT_TRUE(ModalDriver::IsVisible(w, IDC_IGE_CELULA));
        ModalDriver::SetText(w, IDC_IGE_CELULA, L"0,124");
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(L"0.124|0.31", RowText(w, IDC_IGE_LISTA, 0, {4, 7}));
        ModalDriver::Click(w, IDOK);
    }));
    long long stored = 1772674200 - 7200;  // 05-03-2026 01:30, two hours earlier
    // id = number = IDIntrare = counter; the abandoned row is gone; status 1.
    // The quantity is stored as typed, its value as computed from it.
    EXPECT_EQ(L"1|1|1|3|1|0.124,2.5,10.0|112.81",
              tempDb.Text(L"select id || '|' || (select idIntrari from iduri) || '|' || (select group_concat(distinct "
                          L"IDIntrare) || '|' || count(*) || '|' || status || '|' || group_concat(cantitate) from "
                          L"ArticoleIntrariGenerale) || '|' || valoareFT from IntrariGenerale"));

    // Re-saved unchanged three times, then re-dated before a quantity is typed: the date holds.
    for (int save = 0; save < 4; ++save) {
        EXPECT_EQ(1, RunEditor(0, 1, [&](HWND w) {
            ASSERT_EQ(3, ModalDriver::ListRowCount(w, IDC_IGE_LISTA));
            EXPECT_EQ(L"2|Vopsea D'Artagnan|40.00|2.50", RowText(w, IDC_IGE_LISTA, 1, {0, 2, 3, 4}));
            SYSTEMTIME shown = {};
            DateTime_GetSystemtime(GetDlgItem(w, IDC_IGE_DATA), &shown);
            EXPECT_EQ(L"5 1", std::to_wstring(shown.wDay) + L" " + std::to_wstring(shown.wHour));
            if (save == 3) {
                ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2026, 3, 6, 1, 30));
                ClickCell(w, 0, 4);
                ModalDriver::SetText(w, IDC_IGE_CELULA, L"5");
                ModalDriver::Click(w, IDOK);
            }
            ModalDriver::Click(w, IDOK);
        }));
        EXPECT_EQ(stored + (save == 3 ? 86400 : 0), tempDb.Scalar(L"select dataCreare from IntrariGenerale")) << save;
    }
}

// No line is validated, and a line of 0 neither validated nor kept; a quantity typed in the picker
// comes with the line; "Tiparire" prints the lines as the list shows them; Esc
// asks before discarding the lines.
TEST_F(MovementEditor, RefusesNoLinesAndZeroTakesThePickersQuantityPrintsAndAsksBeforeEscDiscards)
{
    layout_tests::MetafileSink sink(kPageW, kPageH);
    RunEditor(1, 0, [&](HWND w) {
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
        EXPECT_EQ(L"Nu ati introdus nici un produs !", boxes.Last().text);
        ModalDriver picker;
        picker.When(L"Cautare Produse", [](HWND p) {
            ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_FILTER, L"Surub");
            ModalDriver::SelectListRow(p, IDC_CAUTARE_PRODUSE_LIST, 0);
            ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_CANTITATE, L"3");
            ModalDriver::Click(p, IDOK);
        });
        ModalDriver::Click(w, IDC_IGE_ADAUGA);
        picker.Verify();
        EXPECT_EQ(L"Surub|3.00", RowText(w, IDC_IGE_LISTA, 0, {2, 4}));
        AddRow(w, L"Cui", L"0");
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
        EXPECT_EQ(L"La linia 2, Cui 50mm\nCantitatea este 0 !", boxes.Last().text);
        // Nor is it kept temporary.
        boxes.Clear();
        ModalDriver::ClickOnScreen(w, IDOK);
        EXPECT_EQ(L"La linia 2, Cui 50mm\nCantitatea este 0 !", boxes.Count() ? boxes.Last().text : L"");
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from IesiriGenerale"));
        ModalDriver::Click(w, IDC_IGE_TIPARIRE);
        const layout_tests::EmfPage& page = sink.printedPages.at(0).at(0);
        EXPECT_TRUE(page.Find(L"Iesire Generala") && page.Find(L"Surub") && page.Find(L"Cui 50mm"));
        EXPECT_TRUE(page.Find(ModalDriver::ListCell(w, IDC_IGE_LISTA, 0, 7)));
        boxes.Clear();
        ModalDriver::Click(w, IDCANCEL);
        EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
    });
}

// A temporary save the file refuses at the header (the stored movement's
// update, a new one's insert) leaves the stored lines and the counter as they
// were, and the editor open with what was typed.
TEST_F(MovementEditor, AFailedTemporarySaveLeavesLinesAndCounterAsTheyWere)
{
    EXPECT_EQ(1, RunEditor(0, 0, [](HWND w) {
        AddRow(w, L"Cui", L"4");
        ModalDriver::ClickOnScreen(w, IDOK);
    }));
    auto stored = [&] {
        return tempDb.Text(L"select (select group_concat(IDIntrare || 'x' || cantitate) from ArticoleIntrariGenerale) "
                           L"|| '|' || (select group_concat(id || '/' || status) from IntrariGenerale) || '|' || "
                           L"idIntrari from iduri");
    };
    ASSERT_EQ(L"1x4.0|1/1|1", stored());
    Exec({L"create trigger no_update before update on IntrariGenerale begin select raise(abort, 'injected'); end",
          L"create trigger no_insert before insert on IntrariGenerale begin select raise(abort, 'injected'); end"});
    for (unsigned long long id : {1, 0}) {
        boxes.Clear();
        EXPECT_EQ(2, RunEditor(0, id, [&](HWND w) {
            AddRow(w, L"Surub", L"2");
            ModalDriver::ClickOnScreen(w, IDOK);
            EXPECT_TRUE(IsWindowVisible(w));
            EXPECT_EQ(id ? 2 : 1, ModalDriver::ListRowCount(w, IDC_IGE_LISTA));
            EXPECT_EQ(L"1x4.0|1/1|1", stored()) << id;
            ModalDriver::Click(w, IDCANCEL);
        }));
        EXPECT_NE(std::string::npos, boxes.Describe().find("injected")) << boxes.Describe();
    }
}

// A quantity of three decimals typed in the product picker, adding a line or
// changing one, and a catalogue price of more than two decimals (a price
// entered with VAT): the line's value is the stored quantity times the stored
// price, as the line shows when reopened, on screen and in the header.
TEST_F(MovementEditor, APickedLineIsValuedAtTheQuantityAndPriceItStores)
{
    tempDb.Exec(L"update Produse set pretCumparare = 10 / 1.24 where denumire = 'Surub'");
    EXPECT_EQ(1, RunEditor(0, 0, [&](HWND w) {
        for (int button : {IDC_IGE_ADAUGA, IDC_IGE_MODIFICA, IDC_IGE_ADAUGA}) {
            ModalDriver picker;
            picker.When(L"Cautare Produse", [&](HWND p) {
                bool second = ModalDriver::ListRowCount(w, IDC_IGE_LISTA) == 1 && button == IDC_IGE_ADAUGA;
                ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_FILTER, second ? L"Surub" : L"Vopsea");
                ModalDriver::SelectListRow(p, IDC_CAUTARE_PRODUSE_LIST, 0);
                ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_CANTITATE, second ? L"100" : L"2,125");
                ModalDriver::Click(p, IDOK);
            });
            ModalDriver::Click(w, button); // the line added stays selected for "Modifica"
            picker.Verify();
        }
        EXPECT_EQ(L"85.00|7.65|92.65", RowText(w, IDC_IGE_LISTA, 0, {7, 8, 9}));
        EXPECT_EQ(L"8.06|100.00|806.45", RowText(w, IDC_IGE_LISTA, 1, {3, 4, 7}));
        ModalDriver::ClickOnScreen(w, IDOK);
    }));
    EXPECT_EQ(L"2.125|891.45", tempDb.Text(L"select (select cantitate from ArticoleIntrariGenerale order by id limit 1) "
                                           L"|| '|' || round(valoareFT, 2) from IntrariGenerale"));
}

// A line worth more than any amount typed (a large quantity at a large price)
// counts in the totals shown and stored, not as 0.
TEST_F(MovementEditor, ALineWorthBillionsCountsInTheTotalsShownAndStored)
{
    Product(L"Strung", L"Buc", 999999999.99);
    EXPECT_EQ(1, RunEditor(0, 0, [&](HWND w) {
        AddRow(w, L"Strung", L"2");
        AddRow(w, L"Cui", L"4");
        EXPECT_EQ(L"2000000009.98", ModalDriver::GetText(w, IDC_IGE_TOTAL_FT));
        ModalDriver::Click(w, IDOK);
    }));
    EXPECT_DOUBLE_EQ(2000000009.98, tempDb.Number(L"select valoareFT from IntrariGenerale"));
}
