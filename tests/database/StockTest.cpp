#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "database/Lookups.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

const long long kDay = 1710460800;  // 15-03-2024 00:00:00 UTC
const long long kLastSecond = kDay + 86399;

class Stock : public DatabaseTest {
protected:
    // A document header of the table with one line of the product.
    void Move(const wchar_t* header, const wchar_t* lines, const wchar_t* docColumn, long long date, int status,
              double quantity, unsigned long long product = 1)
    {
        db().ExecDML(SqlFormat(L"insert into %s (id, dataCreare, status) values (NULL, %lld, %d)", header, date,
                               status)
                         .c_str());
        long long id = db().LastInsertRowId();
        db().ExecDML(SqlFormat(L"insert into %s (produsID, cantitate, %s) values (%llu, %f, %lld)", lines, docColumn,
                               product, quantity, id)
                         .c_str());
    }
    void Received(long long date, double q, int status = 2) { Move(L"Niruri", L"ArticoleNiruri", L"IDFactura", date, status, q); }
    void Invoiced(long long date, double q, int status = 2) { Move(L"Facturi", L"ArticoleFacturi", L"IDFactura", date, status, q); }
    void Entered(long long date, double q, int status = 2)
    {
        Move(L"IntrariGenerale", L"ArticoleIntrariGenerale", L"IDIntrare", date, status, q);
    }
    void Issued(long long date, double q, int status = 2)
    {
        Move(L"IesiriGenerale", L"ArticoleIesiriGenerale", L"IDIntrare", date, status, q);
    }
};

} // namespace

TEST_F(Stock, CountsEveryDocumentDatedUpToTheEndOfTheDay)
{
    Received(kDay + 36000, 10);
    Entered(kDay + 1, 5);
    Received(kDay + 2, 7, 1);      // a temporary document counts too
    Entered(kDay + 3, 20, 1);      // a general entry counts once validated
    Issued(kDay + 4, 30, 1);
    Invoiced(kLastSecond, 3);      // the very last second belongs to the day
    Issued(kDay + 80000, 1);
    Invoiced(kLastSecond + 1, 2);  // the next day's first second does not
    Received(kDay - 86400, 0.5);
    Move(L"Facturi", L"ArticoleFacturi", L"IDFactura", kDay, 2, 40, 2);  // another product

    EXPECT_FLOAT_EQ(0.5f, GetProductStockAtDate(kDay - 1, 1));
    EXPECT_FLOAT_EQ(18.5f, GetProductStockAtDate(kDay, 1));
    EXPECT_FLOAT_EQ(18.5f, GetProductStockAtDate(kDay + 45296, 1));  // the time of day does not matter
    EXPECT_FLOAT_EQ(18.5f, GetProductStockAtDate(kLastSecond, 1));
    EXPECT_FLOAT_EQ(16.5f, GetProductStockAtDate(kLastSecond + 1, 1));
    EXPECT_FLOAT_EQ(-40.0f, GetProductStockAtDate(kDay, 2));
    EXPECT_FLOAT_EQ(0.0f, GetProductStockAtDate(kDay, 3));
    EXPECT_EQ(kLastSecond, EndOfDay(kDay + 45296));
}

TEST_F(Stock, CanBeReadRowByRowWhileAListQueryIsOpen)
{
    Received(kDay, 10);
    tempDb.AddProduct(L"Cuie", 1.0);
    tempDb.AddProduct(L"Suruburi", 1.0);
    std::vector<float> stocks;
    for (QsqlQuery q = db().ExecQuery(L"select id from Produse order by id"); !q.Eof(); q.NextRow())
        stocks.push_back(GetProductStockAtDate(kDay, q.GetIdField(0)));
    EXPECT_EQ((std::vector<float>{0.0f, 10.0f, 0.0f}), stocks);
    EXPECT_FALSE(db().InTransaction());
}

TEST_F(Stock, CancelledDocumentsMoveNoStock)
{
    Received(kDay, 10);
    Received(kDay, 100, 3);
    Entered(kDay, 50, 3);
    Invoiced(kDay, 4, 3);
    Issued(kDay, 1, 3);
    Invoiced(kDay, 2, 4);  // a reversed invoice still counts; its reversal carries the negated lines
    EXPECT_FLOAT_EQ(8.0f, GetProductStockAtDate(kDay, 1));
}

TEST_F(Stock, AnErrorReachesTheCallerWithoutABox)
{
    Received(kDay, 10);
    db().ExecDML(L"drop table ArticoleFacturi");
    MessageBoxRecorder boxes;
    try {
        GetProductStockAtDate(kDay, 1);
        ADD_FAILURE() << "no error raised";
    } catch (const QSqlError& error) {
        EXPECT_EQ(std::wstring(L"SQLITE_ERROR[1]: no such table: ArticoleFacturi"), error.GetText().c_str());
    }
    EXPECT_EQ(0u, boxes.Count());
}
