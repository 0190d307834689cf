#include <gtest/gtest.h>
#include <cmath>
#include <set>
#include <string>
#include <vector>
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;

namespace {

const long long kDay = 1710460800;  // 15-03-2024 00:00:00 UTC
const long long kLastSecond = kDay + 86399;

class Stock : public testing_support::DatabaseTest {
protected:
    // A document header of the table with one line of the product.
    void Move(const wchar_t* header, long long date, int status, double quantity, unsigned long long product = 1)
    {
        bool general = header[0] == L'I';
        db().ExecDML(SqlFormat(L"insert into %s (id, dataCreare, status) values (NULL, %lld, %d)", header, date,
                               status).c_str());
        long long id = db().LastInsertRowId();
        db().ExecDML(SqlFormat(L"insert into Articole%s (produsID, cantitate, %s) values (%llu, %.17g, %lld)", header,
                               general ? L"IDIntrare" : L"IDFactura", product, quantity, id).c_str());
    }
};

} // namespace

TEST_F(Stock, CountsEveryLiveDocumentDatedUpToTheEndOfTheDayAndLeavesErrorsToTheCaller)
{
    Move(L"Niruri", kDay + 36000, 2, 10);
    Move(L"IntrariGenerale", kDay + 1, 2, 5);
    Move(L"Niruri", kDay + 2, 1, 7);            // a temporary document counts too
    Move(L"IntrariGenerale", kDay + 3, 1, 20);
    Move(L"IesiriGenerale", kDay + 4, 1, 30);
    Move(L"Facturi", kLastSecond, 2, 3);        // the very last second belongs to the day
    Move(L"IesiriGenerale", kDay + 70000, 2, 1);     // stored two hours before the day it shows
    Move(L"Facturi", kLastSecond + 1, 2, 2);    // the next day's first second does not
    Move(L"Niruri", kDay - 86400, 2, 0.5);
    Move(L"Facturi", kDay, 2, 40, 2);           // another product
    // Cancelled documents move nothing; a reversed invoice still counts (its reversal carries the negated lines).
    Move(L"Niruri", kDay, 3, 100);
    Move(L"IntrariGenerale", kDay, 3, 50);
    Move(L"Facturi", kDay, 3, 4);
    Move(L"IesiriGenerale", kDay, 3, 1);
    Move(L"Facturi", kDay, 4, 2);

    EXPECT_FLOAT_EQ(0.5f, GetProductStockAtDate(kDay - 1, 1));
    EXPECT_FLOAT_EQ(16.5f, GetProductStockAtDate(kDay + 45296, 1));  // the time of day does not matter
    EXPECT_FLOAT_EQ(16.5f, GetProductStockAtDate(kLastSecond, 1));
    EXPECT_FLOAT_EQ(14.5f, GetProductStockAtDate(kLastSecond + 1, 1));
    // Read row by row while a list query is open.
    tempDb.AddProduct(L"Cuie", 1.0);
    tempDb.AddProduct(L"Suruburi", 1.0);
    std::vector<float> stocks;
    for (QsqlQuery q = db().ExecQuery(L"select id from Produse order by id"); !q.Eof(); q.NextRow())
        stocks.push_back(GetProductStockAtDate(kDay, q.GetIdField(0)));
    EXPECT_EQ((std::vector<float>{0.0f, 16.5f, -40.0f}), stocks);
    EXPECT_FALSE(db().InTransaction());
    // An error reaches the caller without a box.
    db().ExecDML(L"drop table ArticoleFacturi");
    testing_support::MessageBoxRecorder boxes;
    EXPECT_THROW(GetProductStockAtDate(kDay, 1), QSqlError);
    EXPECT_EQ(0u, boxes.Count());
}

// Goods received 10 (note 1), a return of 4 (invoice 1, a negative line) the
// next day, an invoice of 12 two days later: the stock reads 10, 14, 2; the
// note's save may bring 8 at least.
TEST_F(Stock, ATallyRefusesWhatLeavesAnyLaterDayBelowZeroWithoutTheDocumentsOwnLines)
{
    Move(L"Niruri", kDay, 2, 10);
    Move(L"Facturi", kDay + 86400, 2, -4);
    Move(L"Facturi", kDay + 2 * 86400, 2, 12);
    StockTally resaved(kDay, StockSourceReceived, 1);  // the note stored again with 5, then 5 + 3
    EXPECT_FALSE(resaved.Take(1, -5));
    EXPECT_TRUE(resaved.Take(1, -3));
    // A write is judged whole: the note's product split over two lines, or
    // taken off it (line 1 stored), as its save hands it over.
    EXPECT_EQ(-1, CheckStockWrite(StockSourceReceived, 1, kDay, {{1, 5}, {1, 3}}).line);
    EXPECT_EQ(0, CheckStockWrite(StockSourceReceived, 1, kDay, {{1, 5}, {1, 2}}).line);
    StockRefusal replaced = CheckStockWrite(StockSourceReceived, 1, kDay, {{2, 10}});
    EXPECT_EQ(L"0 1", std::to_wstring(replaced.line) + L" " + std::to_wstring(replaced.product));
    EXPECT_EQ(0, CheckStockWrite(StockSourceInvoice, 1, kDay, {}).line) << "the return reversed";
    EXPECT_EQ(-1, CheckStockWrite(StockSourceInvoice, 2, kDay, {}).line) << "the invoice reversed";
    EXPECT_FALSE(StockTally(kDay + 86400).Take(1, 3)) << "a negative goods-received line on the return's day";
    EXPECT_TRUE(StockTally(kDay + 86400).Take(1, 2));
}

// The stock list's figures at any day: each product's stored stock less its
// counted lines after the day, the same as the product's own sum up to it.
// Goods received, sales, a return (a negative line), a reversed invoice and
// its storno, a cancelled invoice, general movements validated or not, a
// product without lines and one whose id lies far beyond the others.
TEST_F(Stock, EveryProductsStockAtADayIsItsStoredStockLessTheLinesAfterIt)
{
    const unsigned long long distant = 5000000000ULL;
    tempDb.AddProduct(L"Cuie", 1.0);      // 1
    tempDb.AddProduct(L"Suruburi", 1.0);  // 2
    tempDb.AddProduct(L"Fara miscari", 1.0);
    tempDb.AddProduct(L"Doar iesiri", 1.0);
    db().ExecDML(SqlFormat(L"insert into Produse (id, denumire, stocReal) values (%llu, 'Departe', 0)", distant).c_str());
    const long long day = 86400;
    Move(L"Niruri", kDay, 2, 10);
    Move(L"Facturi", kDay + day, 2, 3);
    Move(L"Facturi", kDay + 2 * day, 2, -2);        // a return
    Move(L"IntrariGenerale", kDay + 3 * day, 2, 5);
    Move(L"IesiriGenerale", kDay + 3 * day, 2, 1);
    Move(L"IntrariGenerale", kDay + 3 * day, 1, 50); // not validated: moves nothing
    Move(L"Facturi", kDay + day, 3, 100);            // cancelled
    Move(L"Niruri", kDay, 2, 8.25, 2);
    Move(L"Facturi", kDay + day, 4, 4, 2);           // reversed ...
    Move(L"Facturi", kDay + 2 * day, 2, -4, 2);      // ... by its storno
    Move(L"Niruri", kDay + 2 * day, 1, 7, 2);        // a temporary note counts
    Move(L"IesiriGenerale", kDay + day, 2, 1.5, 4);
    Move(L"Niruri", kDay, 2, 3, distant);
    Move(L"Facturi", kDay + 3 * day, 2, 1, distant);
    std::set<unsigned long long> products = {1, 2, 3, 4, distant};
    RefreshStoredStock(products);

    for (long long d = -1; d <= 4; ++d) {
        long long end = kDay + d * day + 86399;
        std::unordered_map<unsigned long long, double> stocks = ReadAllStocks(end);
        for (unsigned long long product : products) {
            ASSERT_EQ(1u, stocks.count(product)) << product;
            EXPECT_NEAR(SumStockMovements(product, 0, end).Stock(), stocks[product], 0.001)
                << "product " << product << ", day " << d;
        }
        // The stock list's read, catalogue rows and stocks together, in id
        // order (product 0, the discount row's name, among them).
        std::vector<unsigned long long> listed;
        ReadProductStocks(end, [&](const ProductStockRow& row) {
            listed.push_back(row.id);
            EXPECT_DOUBLE_EQ(stocks[row.id], row.stock) << "product " << row.id << ", day " << d;
        });
        EXPECT_EQ(std::vector<unsigned long long>({0, 1, 2, 3, 4, distant}), listed);
    }
    auto middle = ReadAllStocks(kDay + day + 86399);
    EXPECT_DOUBLE_EQ(7.0, middle[1]);
    EXPECT_DOUBLE_EQ(4.25, middle[2]);
    EXPECT_DOUBLE_EQ(0.0, middle[3]);
    EXPECT_DOUBLE_EQ(-1.5, middle[4]);
    EXPECT_DOUBLE_EQ(3.0, middle[distant]);
    auto before = ReadAllStocks(kDay - 1);
    EXPECT_DOUBLE_EQ(0.0, before[1]);
    EXPECT_DOUBLE_EQ(0.0, before[distant]);
    EXPECT_DOUBLE_EQ(13.0, ReadAllStocks(kDay + 4 * day)[1]);
    // An error reaches the caller, and the next read still answers.
    db().ExecDML(L"alter table ArticoleNiruri rename to Ascuns");
    EXPECT_THROW(ReadAllStocks(kDay), QSqlError);
    db().ExecDML(L"alter table Ascuns rename to ArticoleNiruri");
    EXPECT_DOUBLE_EQ(7.0, ReadAllStocks(kDay + day + 86399)[1]);
    EXPECT_FALSE(db().InTransaction());
}
