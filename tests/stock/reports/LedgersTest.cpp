#include <map>
#include "database/Schema.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;
using cash_tests::AddCashRow;

namespace {

// A list's rows as its sheet prints them: the cells of `columns` that are not
// empty, joined by '|'.
std::vector<std::wstring> ListedRows(HWND dialog, int list, std::initializer_list<int> columns)
{
    std::vector<std::wstring> rows;
    for (const std::vector<std::wstring>& cells : ListRows(dialog, list, 8)) {
        std::wstring row;
        for (int c : columns)
            if (!cells[c].empty())
                row += (row.empty() ? L"" : L"|") + cells[c];
        if (!row.empty())
            rows.push_back(row);
    }
    return rows;
}

// The rows printed from `top` pixels down, each its texts left to right joined by '|'.
std::vector<std::wstring> PrintedRows(const layout_tests::EmfPage& page, int top)
{
    std::map<int, std::map<int, std::wstring>> byLine;
    for (const layout_tests::EmfText& t : page.texts)
        if (t.y >= top && !t.text.empty())
            byLine[t.y][t.x] = t.text;
    std::vector<std::wstring> rows;
    for (const auto& line : byLine) {
        std::wstring row;
        for (const auto& text : line.second)
            row += (row.empty() ? L"" : L"|") + text.second;
        rows.push_back(row);
    }
    return rows;
}

} // namespace

class Ledgers : public StockTest {
protected:
    // A ledger of the mode over the days of first and last, collected by its button.
    void Collect(HWND w, long long first, long long last)
    {
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(first, 18));
        ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(last, 3));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
    }
};

TEST_F(Ledgers, PartnerLedgerListsEveryCountedRecordOnceWithRunningBalance)
{
    unsigned long long client = tempDb.AddClient(L"Beta SRL");
    long long start = kDay + 86400;
    // Before: validated, debited into the opening.
    Line(L"Facturi", kDay + 100, 2, client, 1, 1, 10, 10);
    Line(L"Facturi", kDay + 200, 3, client, 2, 1, 10, 99);                  // cancelled: nowhere
    AddCashRow(tempDb, L"Incasari", {client, 1, L"", 30, 2, kDay + 300});   // before: credited into the opening
    // The period's first second: a row, not the opening.
    Line(L"Facturi", start, 2, client, 3, 1, 5, 10);
    AddCashRow(tempDb, L"Incasari", {client, 2, L"", 20, 2, start + 50});
    AddCashRow(tempDb, L"Incasari", {client, 3, L"", 20, 2, start + 50});   // the same second: both listed
    AddCashRow(tempDb, L"Incasari", {client, 4, L"", 500, 1, start + 60});  // temporary: no credit
    // A payment type above 10 is still a credit.
    AddCashRow(tempDb, L"Incasari", {client, 5, L"", 1, 2, start + 70, 12});
    Line(L"Facturi", start + 86399, 1, client, 4, 1, 2, 10);                // temporary invoice, last second of the day

    MyFisaDeArticolDialog dialog(nullptr);
    dialog.mode = 1;
    dialog.partnerId = client;
    RunDialog(dialog, L"Fisa de Client", [&](HWND w) {
        Collect(w, start, start);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-16", L" - ", L"100.00", L"30.00", L"70.00"},
                        {L"FV", L"2024-03-16", L"3", L"50.00", L" 0 ", L"120.00"},
                        {L"CHIT", L"2024-03-16", L"2", L" 0 ", L"20.00", L"100.00"},
                        {L"CHIT", L"2024-03-16", L"3", L" 0 ", L"20.00", L"80.00"},
                        {L"CHIT", L"2024-03-16", L"5", L" 0 ", L"1.00", L"79.00"},
                        {L"FV", L"2024-03-16", L"4", L"20.00", L" 0 ", L"99.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"170.00", L"71.00", L"99.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
        // The closing balance is the next day's opening.
        Collect(w, start + 86400, start + 86400);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-17", L" - ", L"170.00", L"71.00", L"99.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"170.00", L"71.00", L"99.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
    });
}

// A payment made at 00:30 is stored 7 200 s earlier, on the day before: the
// supplier's ledger lists it on the day it was made, and only then.
TEST_F(Ledgers, SupplierLedgerListsAPaymentMadeAtHalfPastMidnightOnItsOwnDay)
{
    unsigned long long supplier = tempDb.AddClient(L"Furnizor SRL");
    long long day = kDay + 86400;
    AddCashRow(tempDb, L"Plati", {supplier, 7, L"", 25, 2, day + 1800 - kPaymentDateShift});
    MyFisaDeArticolDialog dialog(nullptr);
    dialog.mode = MyFisaDeArticolDialog::ModeSupplier;
    dialog.partnerId = supplier;
    RunDialog(dialog, L"Fisa de Furnizor", [&](HWND w) {
        Collect(w, day, day);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-16", L" - ", L"0.00", L"0.00", L"0.00"},
                        {L"CHIT", L"2024-03-16", L"7", L" 0 ", L"25.00", L"-25.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"0.00", L"25.00", L"-25.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
        Collect(w, day - 86400, day - 86400);
        EXPECT_EQ((Rows{{L"Cumuli", L"2024-03-15", L" - ", L"0.00", L"0.00", L"0.00"},
                        {L" ", L"", L"", L"", L"", L""},
                        {L"Total ", L"", L"", L"0.00", L"0.00", L"0.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 6));
    });
}

TEST_F(Ledgers, ArticleLedgerListsIdenticalLinesTwiceInOrderWithSignedValues)
{
    long long product = tempDb.AddProduct(L"Cuie", 1.0);
    long long client = tempDb.AddClient(L"Beta SRL");
    Document(L"Facturi", kDay + 10, 2, client, 9, {{double(product), 3, 5}, {double(product), 3, 5}});
    Line(L"Niruri", kDay + 10, 2, client, 4, product, 10, 2);
    Line(L"IntrariGenerale", kDay + 20, 1, 0, 0, product, 1000, 10);  // temporary: not a movement yet
    Line(L"IesiriGenerale", kDay + 30, 2, 0, 0, product, 1.5, 4);
    Line(L"IntrariGenerale", kDay + 40, 2, 0, 0, product, 0.25, 8);

    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        Collect(w, kDay, kDay);
        // What comes in first, then what goes out.
        EXPECT_EQ((Rows{{L"15-03-2024 ", L"NIR", L"4", L"Beta SRL", L"10.00", L"0", L"2.00", L"20.00"},
                        {L"15-03-2024 ", L"IG", L"2", L"INTRARE GENERALA", L"0.25", L"0", L"8.00", L"2.00"},
                        {L"15-03-2024 ", L"FV", L"9", L"Beta SRL", L"0", L"3.00", L"5.00", L"-15.00"},
                        {L"15-03-2024 ", L"FV", L"9", L"Beta SRL", L"0", L"3.00", L"5.00", L"-15.00"},
                        {L"15-03-2024 ", L"EG", L"1", L"IESIRE GENERALA", L"0", L"1.50", L"4.00", L"-6.00"},
                        {L"", L"", L"", L"", L"", L"", L"", L""},
                        {L"TOTAL", L"", L"", L"", L"10.25", L"7.50", L"", L"-14.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 8));
    });
}

// Values of three-decimal quantities are listed to the ban, and the total
// value is the sum of the values as listed and printed.
TEST_F(Ledgers, ArticleLedgerTotalValueIsTheSumOfTheRowsToTheBan)
{
    long long product = tempDb.AddProduct(L"Vopsea", 1.0);
    for (int i = 0; i < 3; ++i)
        Line(L"IntrariGenerale", kDay + 10 * i, 2, 0, 0, product, 0.333, 1);

    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        Collect(w, kDay, kDay);
        EXPECT_EQ(L"0.33,0.33,0.33,,0.99", ColumnText(w, IDC_FISA_LISTA, 7));
    });
}

// Entries of 1.234 and 2 and an exit of 0.5: the article and warehouse
// ledgers show each quantity, the totals and the running stock with their
// third decimal where they have one, on screen and on paper.
TEST_F(Ledgers, QuantitiesShowTheirThirdDecimalWhereTheyHaveOneOnScreenAndOnPaper)
{
    long long product = Product(L"Vopsea", L"l", 10.13);
    Line(L"IntrariGenerale", kDay + 10, 2, 0, 0, product, 1.234, 10.13);
    Line(L"IntrariGenerale", kDay + 20, 2, 0, 0, product, 2, 5);
    Line(L"IesiriGenerale", kDay + 30, 2, 0, 0, product, 0.5, 10);
    layout_tests::MetafileSink sink(kPageW, kPageH);
    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        Collect(w, kDay, kDay);
        EXPECT_EQ(L"1.234,2.00,0,,3.234|0,0,0.50,,0.50|12.50,10.00,-5.00,,17.50",
                  ColumnText(w, IDC_FISA_LISTA, 4) + L"|" + ColumnText(w, IDC_FISA_LISTA, 5) + L"|" +
                      ColumnText(w, IDC_FISA_LISTA, 7));
        ModalDriver::Click(w, IDC_FISA_TIPARIRE);
    });
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = product;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay));
        ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay));
        ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
        EXPECT_EQ(L"0.00,1.234,2.00,0|0.00,1.234,3.234,2.734", ColumnText(w, IDC_MAGAZIE_LISTA, 3) + L"|" +
                                                                    ColumnText(w, IDC_MAGAZIE_LISTA, 5));
        ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
    });
    ASSERT_EQ(2u, sink.printed.size());
    for (const wchar_t* text : {L"1.234", L"3.234"})
        EXPECT_TRUE(sink.printed[0].Find(text)) << testing_support::Narrow(text);
    for (const wchar_t* text : {L"1.234", L"3.234", L"2.734"})
        EXPECT_TRUE(sink.printed[1].Find(text)) << testing_support::Narrow(text);
}

// The rows are kept by the window and shown on demand: a refill that fails
// shows none of the previous fill, and a refill after it its own rows only.
TEST_F(Ledgers, ARefillAfterAFailedOneShowsOnlyItsOwnRowsAndTheBoxStandsOverTheLedger)
{
    long long product = tempDb.AddProduct(L"Cuie", 1.0);
    for (int i = 0; i < 40; ++i)
        Line(L"IesiriGenerale", kDay + i, 2, 0, 0, product, 1, 4);
    Line(L"IntrariGenerale", kDay + 86400, 2, 0, 0, product, 2, 8);

    MyFisaDeArticolDialog article(nullptr);
    article.productId = product;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        Collect(w, kDay, kDay);
        ASSERT_EQ(42, ModalDriver::ListRowCount(w, IDC_FISA_LISTA));
        EXPECT_EQ(L"40.00", ModalDriver::ListCell(w, IDC_FISA_LISTA, 41, 5));
        tempDb.Exec(L"alter table ArticoleIesiriGenerale rename to Ascuns");
        boxes.Clear();
        Collect(w, kDay, kDay);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(w, boxes.Last().owner);
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, IDC_FISA_LISTA));
        EXPECT_EQ(L"", ModalDriver::ListCell(w, IDC_FISA_LISTA, 0, 0));
        tempDb.Exec(L"alter table Ascuns rename to ArticoleIesiriGenerale");
        Collect(w, kDay + 86400, kDay + 86400);
        EXPECT_EQ((Rows{{L"16-03-2024 ", L"IG", L"1", L"INTRARE GENERALA", L"2.00", L"0", L"8.00", L"16.00"},
                        {L"", L"", L"", L"", L"", L"", L"", L""},
                        {L"TOTAL", L"", L"", L"", L"2.00", L"0.00", L"", L"16.00"}}),
                  ListRows(w, IDC_FISA_LISTA, 8));
        // A double-click on the row opens nothing when the row holds no record.
        ModalDriver::DoubleClickListRow(w, IDC_FISA_LISTA, 1);
    });
}

// A day that opens at 0, takes 15 in by a NIR, 2 by a general entry and 1
// back by a storno, sends 9 out and ends at 9: within the day what comes in is
// listed before what goes out, each part by the hour, so the warehouse card's
// running stock never reads below 0 (invoices listed first read -5); the
// article ledger lists the same order; the paper prints what the screen lists.
TEST_F(Ledgers, WithinADayWhatComesInIsListedBeforeWhatGoesOutOnScreenAndOnPaper)
{
    long long ciment = Product(L"Ciment", L"sac", 30.0), client = tempDb.AddClient(L"Beta SRL");
    const long long hour = 3600;
    Line(L"Facturi", kDay + 9 * hour, 2, client, 1, ciment, 5, 30);
    Line(L"IntrariGenerale", kDay + 10 * hour - kMovementDateShift, 2, 0, 0, ciment, 2, 30);
    Line(L"IesiriGenerale", kDay + 11 * hour - kMovementDateShift, 2, 0, 0, ciment, 2, 30);
    Line(L"Facturi", kDay + 12 * hour, 2, client, 2, ciment, 2, 30);
    Line(L"Facturi", kDay + 13 * hour, 2, client, 3, ciment, -1, 30);
    Line(L"Niruri", kDay + 14 * hour, 2, client, 5, ciment, 15, 30);
    Line(L"Facturi", kDay + 86400 + 8 * hour, 2, client, 4, ciment, 4, 30);  // the next day comes after

    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = ciment;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay, 18));
        ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay + 86400, 3));
        ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
        EXPECT_EQ(L",IG,FV,NIR,FV,EG,FV,FV", ColumnText(w, IDC_MAGAZIE_LISTA, 1));
        EXPECT_EQ(L",1,3,5,1,1,2,4", ColumnText(w, IDC_MAGAZIE_LISTA, 2));
        EXPECT_EQ(L"0.00,2.00,3.00,18.00,13.00,11.00,9.00,5.00", ColumnText(w, IDC_MAGAZIE_LISTA, 5));
        layout_tests::MetafileSink sink(kPageW, kPageH);
        ModalDriver::Click(w, IDC_MAGAZIE_TIPARIRE);
        ASSERT_EQ(1u, sink.printed.size());
        EXPECT_EQ(ListedRows(w, IDC_MAGAZIE_LISTA, {0, 2, 1, 3, 4, 5}), PrintedRows(sink.printed[0], Y(135)));
    });

    MyFisaDeArticolDialog article(nullptr);
    article.productId = ciment;
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        Collect(w, kDay, kDay + 86400);
        EXPECT_EQ((std::vector<std::wstring>{L"IG|1|2.00|0", L"FV|3|0|-1.00", L"NIR|5|15.00|0", L"FV|1|0|5.00",
                                             L"EG|1|0|2.00", L"FV|2|0|2.00", L"FV|4|0|4.00", L"17.00|12.00"}),
                  ListedRows(w, IDC_FISA_LISTA, {1, 2, 4, 5}));
        layout_tests::MetafileSink sink(kPageW, kPageH);
        ModalDriver::Click(w, IDC_FISA_TIPARIRE);
        ASSERT_EQ(1u, sink.printed.size());
        EXPECT_EQ(ListedRows(w, IDC_FISA_LISTA, {0, 1, 2, 3, 4, 5, 6, 7}), PrintedRows(sink.printed[0], Y(95)));
    });
}
