#include <gtest/gtest.h>
#include "database/Schema.h"
#include "database/StockRule.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;

namespace {

class CompanySchema : public DatabaseTest {
protected:
    std::wstring Plan(const wchar_t* sql)
    {
        std::wstring plan;
        QsqlQuery q = db().ExecQuery((std::wstring(L"EXPLAIN QUERY PLAN ") + sql).c_str());
        // A select of sums over subqueries reads its one constant row: no table scan.
        for (; !q.Eof(); q.NextRow())
            if (std::wstring(q.GetStringField(3).c_str()) != L"SCAN CONSTANT ROW")
                plan += std::wstring(q.GetStringField(3).c_str()) + L"; ";
        return plan;
    }
};

} // namespace

// The indexes checked on a file that lost two of them: the queries read through
// those brought back and those it kept alike.
TEST_F(CompanySchema, OpeningAnOlderFileAddsTheMissingIndexesTheQueriesUseAndTheMissingColumns)
{
    std::wstring path = tempDb.Path();
    tempDb.Exec(L"drop index ArticoleFacturi_prod");
    tempDb.Exec(L"drop index Clienti_nume");
    tempDb.Exec(L"drop table Alocari");
    tempDb.Exec(L"alter table ArticoleNiruri drop column TVA");
    tempDb.Exec(L"update Societate set denumire = 'Firma'");
    tempDb.Exec(L"create table Veche as select id, denumire, logo, cotaTVA from Societate");
    tempDb.Exec(L"drop table Societate");
    tempDb.Exec(L"alter table Veche rename to Societate");
    // Facturi without a middle and a last column, one invoice in it.
    tempDb.Exec(L"insert into Facturi values (4, 1, 9, 2, 100, 200, 0, 0, 10.0, 1.9, 11.9, 11.9, 'A')");
    tempDb.Exec(L"create table Veche as select id, status, numar, client, dataCreare, dataScadenta, delegat, valoareFT, "
              L"valoareTVA, valoareTTI, sold from Facturi");
    tempDb.Exec(L"drop table Facturi");
    tempDb.Exec(L"alter table Veche rename to Facturi");
    tempDb.Exec(L"PRAGMA user_version = 0"); // as a file written before indexes were recorded
    // stocReal as older versions left it: moved only by general movements.
    tempDb.AddProduct(L"Cuie", 1.0);
    tempDb.Exec(L"insert into Niruri (id, status, dataCreare) values (1, 2, 86400)");
    tempDb.Exec(L"insert into ArticoleNiruri (produsID, cantitate, IDFactura) values (1, 7.5, 1)");
    tempDb.Db().Close();
    EXPECT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(L"7.5", tempDb.Text(L"select stocReal from Produse where id = 1"));
    tempDb.Exec(L"update Produse set stocReal = 1 where id = 1");
    tempDb.Db().Close();
    EXPECT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(L"1.0", tempDb.Text(L"select stocReal from Produse where id = 1")) << "recomputed once only";
    // The stock sums read each line table's product index alone.
    std::wstring sums = Plan(StockSumsSql());
    int covering = 0;
    for (size_t at = sums.find(L"COVERING INDEX"); at != std::wstring::npos; at = sums.find(L"COVERING INDEX", at + 1))
        ++covering;
    EXPECT_EQ(4, covering) << testing_support::Narrow(sums);
    const wchar_t* queries[] = {
        StockSumsSql(),
        L"Select produsID,cantitate from ArticoleFacturi where IDFactura = 7",
        L"select sum(suma) from Incasari where IDClient = 2 and status = 2",
        L"select id from Clienti where Nume = 'Alfa'",
        AllStocksSql(),  // the lines after a day: the recent headers by date
    };
    for (const wchar_t* sql : queries) {
        std::wstring plan = Plan(sql);
        EXPECT_EQ(std::wstring::npos, plan.find(L"SCAN")) << testing_support::Narrow(sql) << "\n"
                                                          << testing_support::Narrow(plan);
    }
    // Printing reads the pictures without the company dialog ever opening;
    // the columns come back in the program's order with a new file's values.
    EXPECT_EQ(0, tempDb.Scalar(L"select count(background) + count(stampila) from Societate"));
    EXPECT_EQ(L"id,denumire,nrreg,cui|Firma,,", tempDb.Text(L"select (select group_concat(name) from (select name from "
                                                         L"pragma_table_info('Societate') limit 4)) || '|' || denumire "
                                                         L"|| ',' || cui || ',' || cont2 from Societate"));
    EXPECT_EQ(17, tempDb.Scalar(L"select count(*) from pragma_table_info('Societate')"));
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from pragma_table_info('ArticoleNiruri') where name = 'TVA'"));
    tempDb.Exec(L"insert into Facturi values (5, 1, 10, 2, 100, 200, 3, 0, 1.0, 0.19, 1.19, 1.19, 'B')");
    EXPECT_EQ(L"9 - 11.9 -|10 3 1.19 B", tempDb.Text(L"select group_concat(numar || ' ' || ifnull(agent, '-') || ' ' || "
                                                   L"sold || ' ' || ifnull(serie, '-'), '|') from Facturi"));
    EXPECT_EQ(3, tempDb.Scalar(L"select count(*) from sqlite_master where name like 'Facturi_%'"));
    // A column the program does not know: nothing changes, the file opens read-only.
    tempDb.Exec(L"alter table Plati add column straina int");
    tempDb.Exec(L"create table Veche as select id, numar from Incasari");
    tempDb.Exec(L"drop table Incasari");
    tempDb.Exec(L"alter table Veche rename to Incasari");
    tempDb.Db().Close();
    EXPECT_FALSE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(2, tempDb.Scalar(L"select count(*) from pragma_table_info('Incasari')"));
    tempDb.Db().Close();
    tempDb.Db().Open(path.c_str());
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));
    // Pages are read through a mapping of the file (2 GB, not clamped lower by the build).
    EXPECT_EQ(2147418112, tempDb.Scalar(L"PRAGMA mmap_size"));
    // An existing file is opened, never made anew; a missing one is not made by opening (a failed creation: StartupTest).
    MyRepository again;
    EXPECT_THROW(CreateCompanyDatabase(again, path.c_str()), QSqlError);
    EXPECT_EQ(L"Discount", tempDb.Text(L"select denumire from Produse where id = 0"));
    MyRepository other;
    std::wstring missing = tempDb.Folder() + L"\\Lipsa";
    EXPECT_THROW(OpenCompanyDatabase(other, missing.c_str()), QSqlError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
    EXPECT_FALSE(other.IsOpen());
}

namespace {

// A document header of an older file: id, status, partner 7, total, and a
// balance where the file has the column.
void AddHeader(testing_support::TempDatabase& db, const wchar_t* table, int id, int status, double total,
               const wchar_t* balance = nullptr)
{
    db.Exec(SqlFormat(L"insert into %s (id, status, numar, client, valoareTTI%s) values (%d, %d, %d, 7, %.17g%s%s)",
                      table, balance ? L", sold" : L"", id, status, id, total, balance ? L", " : L"",
                      balance ? balance : L"")
                .c_str());
}

// A receipt (0) or payment (1) of the status that took suma from a document.
void AddAllocation(testing_support::TempDatabase& db, int source, int ownerStatus, int documentId, double suma)
{
    const wchar_t* owners = source ? L"Plati" : L"Incasari";
    db.Exec(SqlFormat(L"insert into %s (IDClient, suma, status) values (7, %.17g, %d)", owners, suma, ownerStatus).c_str());
    db.Exec(SqlFormat(L"insert into Alocari (sursa, idSursa, tipDocument, idDocument, suma) values (%d, %lld, %d, %d, "
                      L"%.17g)", source, db.Db().LastInsertRowId(), source ? 3 : 0, documentId, suma).c_str());
}

} // namespace

// Balances added to a file that had none are each document's total less what
// live receipts or payments took: a return invoice holds its credit, a closed
// document or a negative NIR owes nothing; stocReal holds the stock rule's
// figure. The file is marked as up to date: no later step of the open fills them.
TEST_F(CompanySchema, BalancesAddedAtOpenAreTheTotalsLessWhatLiveReceiptsTook)
{
    std::wstring path = tempDb.Path();
    AddHeader(tempDb, L"Facturi", 1, 2, 100);    // 30 taken by a validated receipt, 20 by a cancelled one
    AddHeader(tempDb, L"Facturi", 2, 1, 50.5);
    AddHeader(tempDb, L"Facturi", 3, 3, 20);     // cancelled
    AddHeader(tempDb, L"Facturi", 4, 2, -49.48); // a return invoice
    AddHeader(tempDb, L"Facturi", 5, 4, 10);     // a reversed invoice and its reversal
    AddHeader(tempDb, L"Facturi", 6, 4, -10);
    AddHeader(tempDb, L"Niruri", 1, 2, 80);      // paid in full
    AddHeader(tempDb, L"Niruri", 2, 2, -5);
    AddAllocation(tempDb, 0, 2, 1, 30);
    AddAllocation(tempDb, 0, 3, 1, 20);
    AddAllocation(tempDb, 1, 2, 1, 80);
    // stocReal goes with the columns after it.
    unsigned long long product = tempDb.AddProduct(L"Cuie", 1.0);
    tempDb.Exec(L"update Niruri set dataCreare = 86400");
    tempDb.Exec(SqlFormat(L"insert into ArticoleNiruri (produsID, cantitate, IDFactura) values (%llu, 7.5, 1)", product)
                    .c_str());
    for (const wchar_t* column : {L"Facturi drop column serie", L"Facturi drop column sold", L"Niruri drop column serie", L"Niruri drop column sold",
                                  L"Produse drop column poza", L"Produse drop column ultPretdeCump",
                                  L"Produse drop column pretVanzare", L"Produse drop column pretCumparare",
                                  L"Produse drop column stocReal"})
        tempDb.Exec((std::wstring(L"alter table ") + column).c_str());
    tempDb.Db().Close();
    ASSERT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(L"7000 5050 0 -4948 0 0|0 0|7.5",
              tempDb.Text(SqlFormat(L"select (select group_concat(cast(round(sold * 100) as int), ' ') from Facturi) || "
                                    L"'|' || (select group_concat(cast(round(sold * 100) as int), ' ') from Niruri) || "
                                    L"'|' || (select stocReal from Produse where id = %llu)", product).c_str()));
}

// A live return invoice that earlier versions kept at balance 0 gets its
// credit, once: the file is marked, and a later open leaves balances alone.
TEST_F(CompanySchema, AnEarlierFilesReturnInvoicesGetTheirCreditOnceAtOpen)
{
    std::wstring path = tempDb.Path();
    AddHeader(tempDb, L"Facturi", 1, 2, -49.48, L"0");
    AddHeader(tempDb, L"Facturi", 2, 1, -12, L"0");
    AddHeader(tempDb, L"Facturi", 3, 4, -10, L"0"); // a reversal keeps 0
    AddHeader(tempDb, L"Facturi", 4, 3, -7, L"0");  // so does a cancelled one
    AddHeader(tempDb, L"Facturi", 5, 2, 30, L"0");  // paid
    tempDb.Exec(L"PRAGMA user_version = 0");
    tempDb.Db().Close();
    ASSERT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    const wchar_t* balances = L"select group_concat(cast(round(sold * 100) as int), ' ') from Facturi";
    EXPECT_EQ(L"-4948 -1200 0 0 0", tempDb.Text(balances));
    tempDb.Exec(L"update Facturi set sold = 0 where id = 2");
    tempDb.Db().Close();
    ASSERT_TRUE(OpenCompanyDatabase(tempDb.Db(), path.c_str()));
    EXPECT_EQ(L"-4948 0 0 0 0", tempDb.Text(balances));
}
