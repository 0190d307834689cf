#include <gtest/gtest.h>
#include "database/Schema.h"
#include "database/qsql/SqlText.h"
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
        for (; !q.Eof(); q.NextRow())
            plan += std::wstring(q.GetStringField(3).c_str()) + L"; ";
        return plan;
    }
};

} // namespace

TEST_F(CompanySchema, StockAndReportQueriesUseAnIndex)
{
    const wchar_t* queries[] = {
        L"SELECT SUM(cantitate) FROM ArticoleNiruri JOIN Niruri ON ArticoleNiruri.IDFactura = Niruri.id WHERE "
        L"ArticoleNiruri.produsID = 3 AND dataCreare BETWEEN 0 AND 1700000000 AND status IS NOT 3",
        L"SELECT SUM(cantitate) FROM ArticoleIntrariGenerale JOIN IntrariGenerale ON ArticoleIntrariGenerale.IDIntrare "
        L"= IntrariGenerale.id WHERE ArticoleIntrariGenerale.produsID = 3 AND dataCreare BETWEEN 0 AND 1700000000",
        L"SELECT SUM(cantitate) FROM ArticoleFacturi JOIN Facturi ON ArticoleFacturi.IDFactura = Facturi.id WHERE "
        L"ArticoleFacturi.produsID = 3 AND dataCreare BETWEEN 0 AND 1700000000 AND status IS NOT 3",
        L"SELECT SUM(cantitate) FROM ArticoleIesiriGenerale JOIN IesiriGenerale ON ArticoleIesiriGenerale.IDIntrare = "
        L"IesiriGenerale.id WHERE ArticoleIesiriGenerale.produsID = 3 AND dataCreare BETWEEN 0 AND 1700000000",
        L"Select produsID,cantitate from ArticoleFacturi where IDFactura = 7",
        L"select sum(suma) from Incasari where IDClient = 2 and status = 2",
        L"select id from Clienti where Nume = 'Alfa'",
    };
    // The stock sums read the product index alone.
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(std::wstring::npos, Plan(queries[i]).find(L"COVERING INDEX")) << i;
    for (const wchar_t* sql : queries) {
        std::wstring plan = Plan(sql);
        EXPECT_EQ(std::wstring::npos, plan.find(L"SCAN")) << testing_support::Narrow(sql) << "\n"
                                                          << testing_support::Narrow(plan);
    }
}

TEST(CompanyFile, OpeningAnOlderFileAddsTheMissingIndexesAndColumns)
{
    testing_support::TempDatabase temp;
    std::wstring path = temp.Path();
    temp.Exec(L"drop index ArticoleFacturi_prod");
    temp.Exec(L"drop index Clienti_nume");
    temp.Exec(L"drop table Alocari");
    temp.Exec(L"create table Veche as select id, denumire, logo, cotaTVA from Societate");
    temp.Exec(L"drop table Societate");
    temp.Exec(L"alter table Veche rename to Societate");
    temp.Exec(L"PRAGMA user_version = 0"); // as a file written before indexes were recorded
    temp.Db().Close();
    OpenCompanyDatabase(temp.Db(), path.c_str());
    // Printing reads the pictures without the company dialog ever opening.
    EXPECT_EQ(0, temp.Scalar(L"select count(background) + count(stampila) + count(cont2) from Societate"));
    EXPECT_EQ(17, temp.Scalar(L"select count(*) from pragma_table_info('Societate')"));
    EXPECT_EQ(2, temp.Scalar(L"select count(*) from sqlite_master where type = 'index' and name in "
                             L"('ArticoleFacturi_prod', 'Clienti_nume')"));
    EXPECT_EQ(0, temp.Scalar(L"select count(*) from Alocari"));
    // Pages are read through a mapping of the file (2 GB, not clamped lower by the build).
    EXPECT_EQ(2147418112, temp.Scalar(L"PRAGMA mmap_size"));
    // An existing file is opened, never made anew; a missing one is not made by opening; a failed creation leaves no file.
    MyRepository again;
    EXPECT_THROW(CreateCompanyDatabase(again, path.c_str()), QSqlError);
    EXPECT_EQ(L"Discount", temp.Text(L"select denumire from Produse where id = 0"));
    MyRepository other;
    std::wstring missing = temp.Folder() + L"\\Lipsa";
    EXPECT_THROW(OpenCompanyDatabase(other, missing.c_str()), QSqlError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
    std::wstring unreachable = temp.Folder() + L"\\no-such-folder\\Societate";
    EXPECT_THROW(CreateCompanyDatabase(other, unreachable.c_str()), QSqlError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(unreachable.c_str()));
    EXPECT_FALSE(other.IsOpen());
}
