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
    std::wstring Columns(const wchar_t* table)
    {
        std::wstring columns;
        QsqlQuery q = db().ExecQuery(SqlFormat(L"PRAGMA table_info(%s)", table).c_str());
        for (; !q.Eof(); q.NextRow())
            columns += std::wstring(q.GetStringField(1).c_str()) + L" " + q.GetStringField(2).c_str() + L",";
        return columns;
    }
    std::wstring Plan(const wchar_t* sql)
    {
        std::wstring plan;
        QsqlQuery q = db().ExecQuery((std::wstring(L"EXPLAIN QUERY PLAN ") + sql).c_str());
        for (; !q.Eof(); q.NextRow())
            plan += std::wstring(q.GetStringField(3).c_str()) + L"; ";
        return plan;
    }
};

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = towlower(c);
    return text;
}

const wchar_t* const kHeader =
    L"id INTEGER,status int,numar int,client int,dataCreare int,dataScadenta int,agent int,delegat int,"
    L"valoareFT double,valoareTVA double,valoareTTI double,sold double,serie varchar,";
const wchar_t* const kLines = L"id INTEGER,produsID int,cantitate double,valoareFT double,IDFactura int,";
const wchar_t* const kReceipts = L"id INTEGER,serie varchar,numar int,IDClient int,facturi varchar,suma double,"
                                 L"sumaStr varchar,data int,status int,tip int,agent int,";
const wchar_t* const kMoves = L"id INTEGER,dataCreare int,status int,valoareFT double,valoareTVA double,"
                              L"valoareTTI double,utilizator int,";
const wchar_t* const kMoveLines = L"id INTEGER,produsID int,cantitate double,IDIntrare int,pret double,";
const wchar_t* const kPartners = L"id INTEGER,Nume varchar,Cod varchar,NrReg varchar,Adresa varchar,"
                                 L"AdresaLiv varchar,Oras varchar,Telefon varchar,Fax varchar,Banca varchar,"
                                 L"Cont varchar,ModPlata int,Delegat int,Scadenta int,";

} // namespace

TEST_F(CompanySchema, EveryTableHasItsColumnsInOrderWithTheirAffinity)
{
    const struct {
        const wchar_t* table;
        std::wstring columns;
    } expected[] = {
        {L"Facturi", kHeader},
        {L"Proforme", kHeader},
        {L"Avize", kHeader},
        {L"Niruri", L"id INTEGER,status int,numar int,client int,dataCreare int,dataScadenta int,agent int,"
                    L"delegat int,valoareFT float,valoareTVA float,valoareTTI float,sold float,serie varchar,"},
        {L"ArticoleFacturi", kLines},
        {L"ArticoleProforme", kLines},
        {L"ArticoleAvize", kLines},
        {L"ArticoleNiruri", kLines},
        {L"Incasari", kReceipts},
        {L"Plati", kReceipts},
        {L"IntrariGenerale", kMoves},
        {L"IesiriGenerale", kMoves},
        {L"ArticoleIntrariGenerale", kMoveLines},
        {L"ArticoleIesiriGenerale", kMoveLines},
        {L"Stocuri", L"id INTEGER,data int,tip int,NrDocument int,IDClient varchar,IDProdus int,stoc double,"
                     L"cantitate double,pret double,UM int,"},
        {L"Clienti", kPartners},
        {L"Furnizori", kPartners},
        {L"Produse", L"id INTEGER,denumire varchar,denumireExtinsa varchar,codExtern varchar,depozit varchar,"
                     L"furnizor varchar,UM varchar,categorie varchar,moneda int,TVA int,modificat int,optiuniTVA int,"
                     L"sablonTVA int,stocReal double,pretCumparare double,pretVanzare double,ultPretdeCump double,"
                     L"poza blob,"},
        {L"Agenti", L"id INTEGER,numeAgent varchar,CNP varchar,serie varchar,eliberat varchar,telefon varchar,"
                    L"fax varchar,email varchar,comision double,zona varchar,auto varchar,"},
        {L"Societate", L"id INTEGER,denumire varchar,nrreg varchar,cui varchar,tvaincasare int,banca varchar,"
                       L"cont varchar,adresa varchar,oras varchar,telefon varchar,fax varchar,logo blob,cotaTVA int,"
                       L"background blob,stampila blob,banca2 varchar,cont2 varchar,"},
        {L"Utilizator", L"id INTEGER,Nume varchar,CI varchar,CNP varchar,"},
        {L"ConfigFacturi", L"id INTEGER,serie_facturi varchar,serie_chit varchar,seriePlati varchar,"
                           L"numarFactura int,numarNir int,numarChit int,numarProforma int,numarPlati int,"
                           L"perioadaPreluare int,"},
        {L"iduri", L"id INTEGER,idFactura int,idProforma int,idAvize int,idNir int,idIntrari int,idIesiri int,"},
        {L"ConturiContabile", L"id INTEGER,descriere varchar,"},
    };
    ASSERT_EQ(kCompanyTableCount, static_cast<int>(sizeof(expected) / sizeof(expected[0])));
    for (const auto& e : expected) {
        // Types compare without regard to case: SQLite reports "int" as "INT".
        EXPECT_EQ(Lower(e.columns), Lower(Columns(e.table))) << testing_support::Narrow(e.table);
    }
    // A NULL id must land on MAX(id)+1, which AUTOINCREMENT would not promise.
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from sqlite_master where sql like '%AUTOINCREMENT%'"));
}

// The statements the documents, receipts and stock quote, as they run them.
TEST_F(CompanySchema, QuotedStatementsRunOnAFreshDatabase)
{
    const wchar_t* statements[] = {
        L"Update Societate set Denumire = '%s' ,cui = '%s' ,nrreg = '%s' ,Adresa = '%s' ,Oras = '%s' ,Telefon = '%s' "
        L",Banca = '%s' ,Cont = '%s' ,tvaincasare = %llu ,cotaTVA = %llu  where id = %llu ",
        L"Update Utilizator set Nume = '%s',CI = '%s',CNP = '%s' where id = %llu ",
        L"delete from '%s'  where IDFactura = %llu",
        L"insert into '%s' values ( NULL , %llu , %f , %f , %llu )",
        L"update iduri set '%s' = %llu where id = %llu ",
    };
    db().ExecDML(SqlFormat(statements[0], L"Firma", L"RO1", L"J1", L"A", L"O", L"T", L"B", L"C", 1ULL, 2ULL, 1ULL).c_str());
    db().ExecDML(SqlFormat(statements[1], L"N", L"CI", L"CNP", 1ULL).c_str());
    for (const wchar_t* lines : {L"ArticoleFacturi", L"ArticoleProforme", L"ArticoleAvize", L"ArticoleNiruri"}) {
        db().ExecDML(SqlFormat(statements[3], lines, 3ULL, 2.0, 9.5, 1ULL).c_str());
        EXPECT_EQ(1, db().ExecDML(SqlFormat(statements[2], lines, 1ULL).c_str()));
    }
    for (const wchar_t* column : {L"idFactura", L"idProforma", L"idAvize", L"idNir", L"idIntrari", L"idIesiri"})
        EXPECT_EQ(1, db().ExecDML(SqlFormat(statements[4], column, 5ULL, 1ULL).c_str()));
    EXPECT_EQ(L"Firma", tempDb.Text(L"select denumire from Societate"));
    EXPECT_EQ(2, tempDb.Scalar(L"select cotaTVA from Societate"));

    QsqlQuery series = db().ExecQuery(L"Select  serie_facturi,serie_chit ,seriePlati     from    ConfigFacturi");
    EXPECT_STREQ(L"PLT", series.GetStringField(2).c_str());
    const wchar_t* sums[] = {
        L"SELECT SUM(cantitate) FROM ArticoleNiruri JOIN Niruri ON ArticoleNiruri.IDFactura = Niruri.id WHERE  "
        L"ArticoleNiruri.produsID = %llu  AND dataCreare BETWEEN %llu  AND %llu ",
        L"SELECT SUM(cantitate) FROM ArticoleIntrariGenerale JOIN IntrariGenerale ON ArticoleIntrariGenerale.IDIntrare "
        L"= IntrariGenerale.id WHERE  ArticoleIntrariGenerale.produsID = %llu  AND dataCreare BETWEEN %llu  AND %llu ",
        L"SELECT SUM(cantitate) FROM ArticoleFacturi JOIN Facturi ON ArticoleFacturi.IDFactura = Facturi.id WHERE  "
        L"ArticoleFacturi.produsID = %llu  AND dataCreare BETWEEN %llu  AND %llu ",
        L"SELECT SUM(cantitate) FROM ArticoleIesiriGenerale JOIN IesiriGenerale ON ArticoleIesiriGenerale.IDIntrare = "
        L"IesiriGenerale.id WHERE ArticoleIesiriGenerale.produsID = %llu  AND dataCreare BETWEEN %llu  AND %llu ",
    };
    for (const wchar_t* sum : sums) {
        QsqlQuery q = db().ExecQuery(SqlFormat(sum, 3ULL, 0ULL, 1700000000ULL).c_str());
        ASSERT_FALSE(q.Eof());
        EXPECT_TRUE(q.FieldIsNull(0));
    }
    // The positional inserts of receipts, movements and the stock ledger.
    db().ExecDML(L"insert into Incasari values (NULL, 'CNT', 1, 2, '1,2', 10.5, 'zece', 1700000000, 1, 0, 0)");
    db().ExecDML(L"insert into Plati values (NULL, 'CNT', 1, 2, '1', 10.5, 'zece', 1700000000, 1, 0, 0)");
    db().ExecDML(L"insert into  'IntrariGenerale' values ( NULL  ,   1700000000 ,   1 ,   1.000000   ,   0.240000   ,"
                 L"   1.240000   ,   0 ) ");
    db().ExecDML(L"insert into ArticoleIesiriGenerale values (NULL, 3, 1.0, 1, 2.5)");
    db().ExecDML(L"insert into Stocuri values (NULL, 1700000000, 0, 1, 'INTRARE GENERALA', 3, 1.0, 1.0, 2.5, 'Buc')");
    EXPECT_EQ(L"Buc", tempDb.Text(L"select UM from Stocuri"));
    EXPECT_EQ(L"INTRARE GENERALA", tempDb.Text(L"select IDClient from Stocuri"));
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Plati where IDCLient = 2"));
}

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
        L"select produsID, cantitate, valoareFT from ArticoleNiruri where IDFactura = 7",
        L"select produsID, cantitate, pret from ArticoleIntrariGenerale where IDIntrare = 7",
        L"select id, sold from Facturi where client = 2 and status = 2",
        L"select id, sold from Niruri where client = 2 and status = 2",
        L"select id from Facturi where numar = 12",
        L"select sum(suma) from Incasari where IDClient = 2 and status = 2",
        L"select id from Plati where data between 0 and 1700000000",
        L"select id from IesiriGenerale where dataCreare between 0 and 1700000000",
        L"select id from Clienti where Nume = 'Alfa'",
        L"select id from Produse where denumire = 'Cuie'",
        L"select id from Agenti where numeAgent = 'Ion'",
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

TEST(CompanyFile, OpeningAnOlderFileAddsTheMissingIndexes)
{
    testing_support::TempDatabase temp;
    std::wstring path = temp.Path();
    temp.Exec(L"drop index ArticoleFacturi_prod");
    temp.Exec(L"drop index Clienti_nume");
    temp.Exec(L"PRAGMA user_version = 0"); // as a file written before indexes were recorded
    temp.Db().Close();
    OpenCompanyDatabase(temp.Db(), path.c_str());
    EXPECT_EQ(2, temp.Scalar(L"select count(*) from sqlite_master where type = 'index' and name in "
                             L"('ArticoleFacturi_prod', 'Clienti_nume')"));
    EXPECT_EQ(L"Discount", temp.Text(L"select denumire from Produse where id = 0"));
    // An existing file is opened, never made anew.
    MyRepository again;
    EXPECT_THROW(CreateCompanyDatabase(again, path.c_str()), QSqlError);
    EXPECT_EQ(L"Discount", temp.Text(L"select denumire from Produse where id = 0"));
    MyRepository other;
    std::wstring missing = temp.Folder() + L"\\Lipsa";
    EXPECT_THROW(OpenCompanyDatabase(other, missing.c_str()), QSqlError);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(missing.c_str()));
}
