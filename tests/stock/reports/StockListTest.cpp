#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

class StockList : public StockTest {};

TEST_F(StockList, ValuesEachProductEndsWithTheTotalRefillsOnADateChangeAndStopsAtAnError)
{
    long long nails = Product(L"D'Artagnan cuie", L"kg", 2.5);
    long long service = Product(L"Transport", L"km", 4.0);
    long long short_ = Product(L"Ciment", L"sac", 3.0);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set categorie = '2' where id = %lld", service).c_str());
    Line(L"Niruri", kDay, 2, 0, 1, nails, 1234567.89 / 2.5, 10);  // worth 1 234 567.89
    Line(L"Niruri", kDay, 1, 0, 2, service, 7, 10);
    Line(L"Facturi", kDay, 2, 0, 1, short_, 5, 10);
    Line(L"Niruri", kDay + 2 * 86400, 2, 0, 3, nails, 10, 10);  // two days later

    MyStocArticoleDialog dialog(nullptr);
    RunDialog(dialog, L"Stoc articole", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        EXPECT_EQ((Rows{{L"1", L"D'Artagnan cuie", L"493827.156", L"kg", L"2.50", L"1234567.89"},
                        {L"2", L"Transport", L"0.00", L"km", L"4.00", L"0.00"},
                        {L"3", L"Ciment", L"-5.00", L"sac", L"3.00", L"0.00"},
                        {L"", L"", L"", L"", L"", L""},
                        {L"TOTAL", L"VALOARE STOCURI", L"", L"", L"", L"1234567.89"}}),
                  ListRows(w, IDC_STOC_LISTA, 6));
        // The picker's new day refills at once.
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay + 2 * 86400));
        EXPECT_EQ(L"493837.156", ModalDriver::ListCell(w, IDC_STOC_LISTA, 0, 2));
        EXPECT_EQ(L"1234592.89", ModalDriver::ListCell(w, IDC_STOC_LISTA, 4, 5));

        // A database error: one box over the dialog, no partial list, no TOTAL.
        tempDb.Exec(L"drop table ArticoleIesiriGenerale");
        boxes.Clear();
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: ArticoleIesiriGenerale", boxes.Last().text);
        EXPECT_EQ(w, boxes.Last().owner);
        EXPECT_EQ(0, ModalDriver::ListRowCount(w, IDC_STOC_LISTA));
        EXPECT_EQ(0, dialog.rowCount);
    });
}

// Stocks of three decimals are valued to the ban on each row, and the total
// is the sum of the rows as listed and printed; a stock taken to 0 reads 0.
TEST_F(StockList, TheTotalIsTheSumOfTheRowsValuedToTheBan)
{
    for (const wchar_t* name : {L"Vopsea alba", L"Vopsea rosie", L"Vopsea verde"})
        Line(L"Niruri", kDay, 2, 0, 1, Product(name, L"l", 1.0), 0.333, 1.0);
    // Taken out to the last drop: no stock, not a stock a shade below it.
    long long diluant = Product(L"Diluant", L"l", 1.0);
    Line(L"Niruri", kDay, 2, 0, 2, diluant, 0.3, 1.0);
    Line(L"IesiriGenerale", kDay, 2, 0, 0, diluant, 0.2, 1.0);
    Line(L"IesiriGenerale", kDay, 2, 0, 0, diluant, 0.1, 1.0);

    MyStocArticoleDialog dialog(nullptr);
    RunDialog(dialog, L"Stoc articole", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        EXPECT_EQ((Rows{{L"1", L"Vopsea alba", L"0.333", L"l", L"1.00", L"0.33"},
                        {L"2", L"Vopsea rosie", L"0.333", L"l", L"1.00", L"0.33"},
                        {L"3", L"Vopsea verde", L"0.333", L"l", L"1.00", L"0.33"},
                        {L"4", L"Diluant", L"0.00", L"l", L"1.00", L"0.00"},
                        {L"", L"", L"", L"", L"", L""},
                        {L"TOTAL", L"VALOARE STOCURI", L"", L"", L"", L"0.99"}}),
                  ListRows(w, IDC_STOC_LISTA, 6));
    });
}
