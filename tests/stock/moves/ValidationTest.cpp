#include <gtest/gtest.h>
#include <cmath>
#include "stock/StockMoveStore.h"
#include "tests/stock/moves/MovesFixture.h"

using namespace moves_test;

namespace {

class Validation : public MovesTest {
protected:
    void SetUp() override
    {
        cui = Product(L"Cui 50mm", 10, 2.5, 0, 3.75, L"kg");
        surub = Product(L"Surub D'Artagnan", 4, 1.25, 1, 2.0, L"buc");
    }
    StockMoveRow Row(unsigned long long product, double quantity, double price = 1.0)
    {
        return StockMoveRow{product, quantity, price, quantity * price, 0, quantity * price};
    }
    // Everything validation may touch, to compare before and after.
    std::wstring Snapshot()
    {
        return tempDb.Text(L"select group_concat(s, ';') from ("
                           L"select 'p' || id || '=' || stocReal as s from Produse union all "
                           L"select 'l' || count(*) from Stocuri union all "
                           L"select 'h' || id || '/' || status from IesiriGenerale union all "
                           L"select 'i' || count(*) || '/' || total(cantitate) from ArticoleIesiriGenerale union all "
                           L"select 'c' || idIesiri from iduri)");
    }
    unsigned long long cui = 0, surub = 0;
};

} // namespace

TEST_F(Validation, ExitChangesStockAndWritesOneLedgerRowPerLineInOrder)
{
    MyIntrariGeneraleDialogEdit editor(nullptr);
    EXPECT_EQ(1, RunEditor(editor, 1, 0, [&](HWND w) {
        ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2026, 4, 1, 9, 15));
        AddRow(w, L"Cui", L"3");
        AddRow(w, L"Surub", L"4");
        AddRow(w, L"Cui", L"7");
        ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
    }));
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Validare document ?", boxes.Last().text);
    EXPECT_EQ(0.0, Stock(cui)) << "an exit of exactly the stock passes";
    EXPECT_EQ(0.0, Stock(surub));
    EXPECT_EQ(2, Count(L"select status from IesiriGenerale where id = 1"));
    long long date = 1775034900;  // 01-04-2026 09:15
    EXPECT_EQ(date - 7200, Count(L"select dataCreare from IesiriGenerale where id = 1"));
    EXPECT_EQ(L"1|4|1|IESIRE GENERALA|1|7.0|3.0|3.75|kg;"
              L"1|4|1|IESIRE GENERALA|2|0.0|4.0|2.0|buc;"
              L"1|4|1|IESIRE GENERALA|1|0.0|7.0|3.75|kg",
              tempDb.Text(L"select group_concat(r, ';') from (select (data = 1775034900) || '|' || tip || '|' || "
                          L"NrDocument || '|' || IDClient || '|' || (IDProdus - (select min(id) from Produse where "
                          L"id > 0) + 1) || '|' || stoc || '|' || cantitate || '|' || pret || '|' || UM as r "
                          L"from Stocuri order by id)"));
}

TEST_F(Validation, RefusedOrFailedValidationChangesNothingAndCanRunAgain)
{
    struct Case {
        const char* name;
        bool failingLedger;
        const wchar_t* message;
    } cases[] = {
        {"stock below zero on the third row", false, L"Cantitate Insufucienta in stoc !"},
        {"a ledger row refused", true, L"refuzat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tempDb.Exec(L"delete from IesiriGenerale; delete from ArticoleIesiriGenerale; update iduri set idIesiri = 0");
        tempDb.Exec(L"update Produse set stocReal = 10 where denumire like 'Cui%'");
        if (c.failingLedger)
            tempDb.Exec(L"create trigger refuse before insert on Stocuri when new.NrDocument > 0 "
                        L"begin select raise(abort, 'refuzat'); end");
        std::wstring before = Snapshot();
        boxes.Clear();
        MyIntrariGeneraleDialogEdit editor(nullptr);
        EXPECT_EQ(2, RunEditor(editor, 1, 0, [&](HWND w) {
            AddRow(w, L"Cui", L"4");
            AddRow(w, L"Surub", L"1");
            AddRow(w, L"Cui", c.failingLedger ? L"1" : L"7");
            ModalDriver::Click(w, IDC_IGE_VALIDEAZA);
            EXPECT_TRUE(IsWindowVisible(w)) << "the editor stays open";
            EXPECT_EQ(before, Snapshot());
            ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
            EXPECT_NE(std::wstring::npos, boxes.Last().text.find(c.message));
            EXPECT_EQ(L"Message", boxes.Last().caption);
            EXPECT_EQ(0u, editor.status);
        }));
        if (c.failingLedger)
            tempDb.Exec(L"drop trigger refuse");
    }
    // Once mended, a validation applies every row exactly once.
    StockMoveHeader header;
    std::vector<StockMoveRow> rows = {Row(cui, 4), Row(surub, 1), Row(cui, 6)};
    EXPECT_EQ(-1, ValidateStockMove(1, header, rows));
    EXPECT_EQ(0.0, Stock(cui));
    EXPECT_EQ(3.0, Stock(surub));
    EXPECT_EQ(3, Count(L"select count(*) from Stocuri"));
    EXPECT_EQ(L"6.0;0.0", tempDb.Text(L"select group_concat(stoc, ';') from Stocuri where IDProdus = (select id from "
                                  L"Produse where denumire like 'Cui%')"));
}

TEST_F(Validation, EntryRefusesANegativeQuantityLargerThanTheStock)
{
    struct Case {
        double quantity;
        int refusedRow;
        double stockAfter;
    } cases[] = {{-11, 0, 10}, {-10, -1, 0}, {2.5, -1, 12.5}};
    for (const Case& c : cases) {
        tempDb.Exec(L"update Produse set stocReal = 10 where denumire like 'Cui%'");
        StockMoveHeader header;
        EXPECT_EQ(c.refusedRow, ValidateStockMove(0, header, {Row(cui, c.quantity)})) << c.quantity;
        EXPECT_EQ(c.stockAfter, Stock(cui)) << c.quantity;
    }
    EXPECT_EQ(2, Count(L"select count(*) from Stocuri where tip = 3 and IDClient = 'INTRARE GENERALA'"));
}
