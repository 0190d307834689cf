#include <ctime>
#include "stock/MyIntrariGeneraleDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "stock/StockMoveStore.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

namespace {

class Validation : public StockTest {
protected:
    void SetUp() override
    {
        Product(L"Cui 50mm", L"kg", 2.5, 10, 0, 3.75);
        surub = Product(L"Surub D'Artagnan", L"b'c", 1.25, 4, 1, 2.0);
    }
    // Everything a validation may touch.
    std::wstring Snapshot()
    {
        return tempDb.Text(L"select group_concat(s, ';') from (select id || '=' || stocReal as s from Produse "
                           L"union all select count(*) from Stocuri union all select id || '/' || status from "
                           L"IesiriGenerale union all select total(cantitate) from ArticoleIesiriGenerale "
                           L"union all select idIesiri from iduri)");
    }
    unsigned long long surub = 0;
};

} // namespace

// A validation moves stock and writes one ledger row per line, in list
// order, or, refused or failed, changes nothing and can run again.
TEST_F(Validation, MovesStockOnceInOrderOrChangesNothing)
{
    const wchar_t* exitRows = L"4|1|IESIRE GENERALA|1|6.0|4.0|3.75|kg;4|1|IESIRE GENERALA|2|3.0|1.0|2.0|b'c;"
                              L"4|1|IESIRE GENERALA|1|0.0|6.0|3.75|kg";
    struct Case {
        const char* name;
        int kind;
        const wchar_t* lastQuantity;
        const wchar_t* setUp;
        const wchar_t* undo;
        const wchar_t* message;  // of the refusal, which a third quantity of 6 mends
        const wchar_t* ledger;   // its running stock is stocReal after, as the random walk checks
    } cases[] = {
        {"an exit of exactly the stock", 1, L"6", nullptr, nullptr, nullptr, exitRows},
        {"an entry", 0, L"6", nullptr, nullptr, nullptr,
         L"3|1|INTRARE GENERALA|1|14.0|4.0|3.75|kg;3|1|INTRARE GENERALA|2|5.0|1.0|2.0|b'c;"
         L"3|1|INTRARE GENERALA|1|20.0|6.0|3.75|kg"},
        {"stock below zero on the third row", 1, L"7", nullptr, nullptr, L"Cantitate Insufucienta in stoc !", exitRows},
        {"a ledger row refused", 1, L"1",
         L"create trigger refuse before insert on Stocuri begin select raise(abort, 'refuzat'); end",
         L"drop trigger refuse", L"refuzat", exitRows},
        {"the header refused", 1, L"1",
         L"create trigger refuse before insert on IesiriGenerale begin select raise(abort, 'plin'); end",
         L"drop trigger refuse", L"plin", exitRows},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.setUp)
            tempDb.Exec(c.setUp);
        std::wstring before = Snapshot();
        boxes.Clear();
        EXPECT_EQ(1, RunEditor(c.kind, 0, [&](HWND w) {
            ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2026, 4, 1, 9, 15));
            AddRow(w, L"Cui", L"4");
            AddRow(w, L"Surub", L"1");
            AddRow(w, L"Cui", c.lastQuantity);
            ModalDriver::ClickOnScreen(w, IDC_IGE_VALIDEAZA);
            if (!c.message)
                return;
            EXPECT_TRUE(IsWindowVisible(w)) << "the editor stays open";
            EXPECT_EQ(before, Snapshot());
            ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
            EXPECT_NE(std::wstring::npos, boxes.Last().text.find(c.message));
            if (c.undo)
                tempDb.Exec(c.undo);
            ClickCell(w, 2, 4);
            ModalDriver::SetText(w, IDC_IGE_CELULA, L"6");
            ModalDriver::ClickOnScreen(w, IDC_IGE_VALIDEAZA);
        }));
        EXPECT_EQ(L"Validare document ?", boxes.Boxes().at(0).text);
        // 01-04-2026 09:15 in the ledger, two hours earlier in the header.
        EXPECT_EQ(L"2|1775027700", tempDb.Text(micro::qsql::SqlFormat(L"select status || '|' || dataCreare from %s",
                                                                      StockMoveKindOf(c.kind).headerTable)
                                                   .c_str()));
        EXPECT_EQ(c.ledger, tempDb.Text(L"select group_concat(r, ';') from (select tip || '|' || NrDocument || '|' || "
                                        L"IDClient || '|' || IDProdus || '|' || stoc || '|' || cantitate || '|' || "
                                        L"pret || '|' || UM as r from Stocuri where data = 1775034900 order by id)"));
        Exec({L"delete from Stocuri", L"delete from IesiriGenerale", L"delete from IntrariGenerale",
              L"delete from ArticoleIesiriGenerale", L"delete from ArticoleIntrariGenerale",
              L"update iduri set idIesiri = 0, idIntrari = 0", L"update Produse set stocReal = 10 - 6 * (id - 1)"});
    }
}

// Entry 20 on 01-12, invoice 4 on 02-12, exit 3 on 04-12, NIR 6 on 05-12: an
// exit dated 01-12 may take 13, not 18 (the stock would read -5 on 04-12).
// Once a temporary invoice has taken the stock below 0, an entry still passes;
// an entry never takes out: a line below 0 is refused whatever the stock.
TEST_F(Validation, AnExitMustLeaveStockOnEveryLaterDayAndAnEntryPassesUnlessItTakesOutMoreThanTheStock)
{
    long long ciment = Product(L"Ciment", L"sac", 3.0);
    const long long d1 = 1764547200;  // 01-12-2025
    Line(L"IntrariGenerale", d1, 2, 0, 0, ciment, 20, 1);
    Line(L"Facturi", d1 + 86400, 2, 0, 1, ciment, 4, 1);
    Line(L"IesiriGenerale", d1 + 3 * 86400, 2, 0, 0, ciment, 3, 1);
    Line(L"Niruri", d1 + 4 * 86400, 2, 0, 1, ciment, 6, 1);
    EXPECT_EQ(1, RunEditor(1, 0, [&](HWND w) {
        ModalDriver::SetDate(w, IDC_IGE_DATA, PickerDay(d1, 9));
        AddRow(w, L"Ciment", L"18");
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
        EXPECT_EQ(L"La linia 1, Ciment\nCantitate Insufucienta in stoc !", boxes.Last().text);
        ClickCell(w, 0, 4);
        ModalDriver::SetText(w, IDC_IGE_CELULA, L"13");
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
    }));
    EXPECT_EQ(6, StocReal(ciment)) << "stocReal is the rule's stock of every line";
    // Nor is the validated entry of 20 cancelled under what was taken since.
    StockMoveHeader first{1, d1 + 7200, StockMoveValidated};
    StockRefusal refused = CancelStockMove(0, first);
    EXPECT_EQ(L"La linia 1, Ciment\nCantitate Insufucienta in stoc !|2|6.0",
              std::wstring(StockRefusalText(refused).c_str()) + L"|" +
                  tempDb.Text(L"select status || '|' || (select stocReal from Produse where id = 3) from "
                              L"IntrariGenerale where id = 1"));
    Line(L"Facturi", d1 + 5 * 86400, 1, 0, 2, ciment, 10, 1);
    StockMoveHeader entry;
    entry.date = d1 + 5 * 86400 + 7200;
    EXPECT_FALSE(
        ValidateStockMove(0, entry, {StockMoveRow{static_cast<unsigned long long>(ciment), 1, 1, 0, 0, 0}}).Refused());
    EXPECT_EQ(L"-3.0", tempDb.Text(L"select stoc from Stocuri order by id desc limit 1"));
    Exec({L"update Produse set stocReal = 0.3 where id = 2",
          L"update ArticoleNiruri set cantitate = 0.3 where produsID = 2"});
    StockMoveHeader more{0, entry.date};
    EXPECT_EQ(StockMoveRefusal::NegativeQuantity,
              ValidateStockMove(0, more, {StockMoveRow{surub, -0.1, 1, 0, 0, 0}}).reason);
    EXPECT_EQ(0.3, StocReal(surub));
}

// Quantities are typed with three decimals, so a thousandth counts: 1.5 in
// stock covers an exit of 1.496, not of 1.501, and what is left, 0.004, is a
// quantity an exit may take.
TEST_F(Validation, AThousandthIsAQuantityAndAShortageOfOneIsRefused)
{
    long long vopsea = Product(L"Vopsea", L"l", 20.0);
    Line(L"Niruri", kDay, 2, 0, 1, vopsea, 1.5, 20.0);
    auto exit = [&](const wchar_t* quantity, const wchar_t* mended) {
        return RunEditor(1, 0, [&](HWND w) {
            ModalDriver::SetDate(w, IDC_IGE_DATA, PickerDay(kDay + 86400, 9));
            AddRow(w, L"Vopsea", quantity);
            boxes.Clear();
            ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
            if (!mended)
                return;
            EXPECT_EQ(L"La linia 1, Vopsea\nCantitate Insufucienta in stoc !", boxes.Last().text);
            EXPECT_EQ(1.5, StocReal(vopsea));
            ClickCell(w, 0, 4);
            ModalDriver::SetText(w, IDC_IGE_CELULA, mended);
            ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
        });
    };
    EXPECT_EQ(1, exit(L"1,501", L"1,496"));
    EXPECT_NEAR(0.004, StocReal(vopsea), 1e-9);
    EXPECT_EQ(1, exit(L"0.004", nullptr)) << (boxes.Count() ? boxes.Last().text : L"");
    EXPECT_NEAR(0.0, StocReal(vopsea), 1e-9);
}

// A movement counts on the day its editor shows, however early in the day:
// an exit at 00:20 takes from a NIR received at 00:10 that day, and the
// stock list finds it on that day, not the one before.
TEST_F(Validation, AnExitJustAfterMidnightCountsOnItsOwnDay)
{
    long long vopsea = Product(L"Vopsea", L"l", 2.0);
    Line(L"Niruri", kDay + 86400 + 600, 2, 0, 1, vopsea, 8, 2.0);
    EXPECT_EQ(1, RunEditor(1, 0, [&](HWND w) {
        ModalDriver::SetDate(w, IDC_IGE_DATA, PickerDay(kDay + 86400, 0));
        AddRow(w, L"Vopsea", L"5");
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
    })) << (boxes.Count() ? testing_support::Narrow(boxes.Last().text) : "");
    MyStocArticoleDialog list(nullptr);
    RunDialog(list, L"Stoc articole", [&](HWND w) {
        std::wstring stocks;
        for (long long day : {kDay, kDay + 86400}) {
            ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(day));
            stocks += ModalDriver::ListCell(w, IDC_STOC_LISTA, 2, 2) + L";";
        }
        EXPECT_EQ(L"0.00;3.00;", stocks);
    });
}

// A line below 0 would turn an exit into an entry (an exit of -5 raised the
// stock by 5) and an entry into an exit: it is refused as a line of 0 is, at
// "Temporar" and at "Valideaza", in a movement created from its list and in
// one an older program stored so, which still opens; nothing is written.
TEST_F(Validation, ALineBelowZeroIsRefusedAtEverySaveAndValidationAndNothingIsWritten)
{
    long long ciment = Product(L"Ciment", L"sac", 30.0, 2);
    for (int kind : {0, 1})
        Line(StockMoveKindOf(kind).headerTable, time(nullptr) - 86400, 1, 0, 0, ciment, -5, 30);
    auto books = [&] {
        return tempDb.Text(L"select group_concat(s, ';') from (select id || '=' || stocReal as s from Produse union "
                           L"all select count(*) from Stocuri union all select 'I' || id || '/' || status || '/' || "
                           L"dataCreare || '/' || valoareFT from IntrariGenerale union all select 'E' || id || '/' || "
                           L"status || '/' || dataCreare || '/' || valoareFT from IesiriGenerale union all select "
                           L"'I' || IDIntrare || 'x' || cantitate from ArticoleIntrariGenerale union all select 'E' "
                           L"|| IDIntrare || 'x' || cantitate from ArticoleIesiriGenerale union all select idIntrari "
                           L"|| '/' || idIesiri from iduri)");
    };
    const std::wstring before = books();
    auto refusedBoth = [&](HWND editor, const std::wstring& line) {
        for (int command : {IDOK, IDC_IGE_VALIDEAZA}) {
            boxes.Clear();
            ModalDriver::ClickOnScreen(editor, command);
            EXPECT_TRUE(IsWindowVisible(editor));
            EXPECT_EQ(line + L"\nCantitatea este negativa !", boxes.Count() ? boxes.Last().text : L"")
                << boxes.Describe();
            EXPECT_EQ(before, books());
        }
    };
    for (int kind : {0, 1}) {
        SCOPED_TRACE(kind ? "exit" : "entry");
        MyIntrariGeneraleDialog list(nullptr);
        list.kind = kind;
        RunDialog(list, StockMoveKindOf(kind).listTitle, [&](HWND w) {
            const wchar_t* title = StockMoveKindOf(kind).editorTitle;
            ModalDriver editors;
            editors.When(title, [&](HWND e) {
                EXPECT_EQ(L"Ciment|-5.00", RowText(e, IDC_IGE_LISTA, 0, {2, 4}));
                refusedBoth(e, L"La linia 1, Ciment");
                ModalDriver::Click(e, IDCANCEL);
            });
            editors.When(title, [&](HWND e) {
                AddRow(e, L"Cui", L"4");
                AddRow(e, L"Ciment", L"-5");
                refusedBoth(e, L"La linia 2, Ciment");
                EXPECT_EQ(1, ModalDriver::ListSelectedRow(e, IDC_IGE_LISTA)) << "the line refused is selected";
                boxes.Answer(IDYES); // the rows typed are thrown away
                ModalDriver::Click(e, IDCANCEL);
            });
            ModalDriver::DoubleClickListRow(w, IDC_IG_LISTA, 0);
            ModalDriver::ClickOnScreen(w, IDC_IG_CREARE);
            editors.Verify();
        });
    }
    EXPECT_EQ(2, StocReal(ciment));
}
