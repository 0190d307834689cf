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
