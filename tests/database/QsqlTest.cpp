#include <gtest/gtest.h>
#include "database/qsql/SqlText.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;

class Qsql : public DatabaseTest {};

// Names with quotes, percents and lone surrogates through SqlFormat are checked
// where the repository stores and finds them (SafeWritesTest), diacritics with
// the company and user texts (RepositoryTest).
TEST_F(Qsql, SqlFormatKeepsEveryDigitAndLikeFindsAPercentOnlyAsItself)
{
    EXPECT_STREQ(L"id = 18446744073709551615 x 1.5 -3",
                 SqlFormat(L"id = %llu x %f %d", 18446744073709551615ULL, 1.5, -3).c_str());
    db().ExecDML(L"insert into Clienti (Nume) values ('100 Bio'), ('100% Bio')");
    EXPECT_EQ(1, db().ExecScalar(SqlFormat(L"select count(*) from Clienti where Nume like '%s' escape '\\'",
                                           SqlLikeContains(L"0% B").c_str())
                                     .c_str()));
}

TEST_F(Qsql, AnInnerTransactionNotCommittedRollsBackAloneAndTheOuterCommits)
{
    {
        QsqlTransaction t(db());
        db().ExecDML(L"insert into Clienti (Nume) values ('a')");
        {
            QsqlTransaction inner(db());
            db().ExecDML(L"insert into Clienti (Nume) values ('b')");
        }
        EXPECT_EQ(1, db().ExecScalar(L"select count(*) from Clienti"));
        t.Commit();
    }
    EXPECT_EQ(1, db().ExecScalar(L"select count(*) from Clienti"));
    // A failed statement inside a guard: RepositoryTest's save run.
    EXPECT_FALSE(db().InTransaction());
}

TEST_F(Qsql, ANewDatabaseIsUtf16AndKeepsTelephonesAsText)
{
    EXPECT_EQ(L"UTF-16le", tempDb.Text(L"PRAGMA encoding"));
    EXPECT_EQ(L"delete", tempDb.Text(L"PRAGMA journal_mode"));
    // The tables, their rows and their column order are the layout older files are compared with (SchemaTest).
    tempDb.Exec(L"insert into Clienti (Telefon) values ('0722123456')");
    EXPECT_EQ(L"0722123456", tempDb.Text(L"select Telefon from Clienti"));
}

TEST_F(Qsql, WrapperAndStepFailuresCarryTheirTexts)
{
    auto textOf = [](auto&& action) -> std::wstring {
        try {
            action();
        } catch (const QSqlError& e) {
            return e.GetText().c_str();
        }
        return L"no error";
    };
    QsqlQuery none;
    QsqlDatabase closed;
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: NuExista", textOf([&] { db().ExecQuery(L"select * from NuExista"); }));
    EXPECT_EQ(L"CPPSQLITE_ERROR[1000]: Database is not open", textOf([&] { closed.ExecDML(L"select 1"); }));
    EXPECT_EQ(L"CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer", textOf([&] { none.NextRow(); }));
    EXPECT_EQ(L"CPPSQLITE_ERROR[1000]: Invalid field index",
              textOf([&] { db().ExecQuery(L"select 1").GetStringField(-1); }));

    // A failure on a later row ends the rows and reaches the reader.
    QsqlQuery rows = db().ExecQuery(L"select abs(x) from (select 1 as x union all select -9223372036854775807 - 1)");
    ASSERT_FALSE(rows.Eof());
    EXPECT_EQ(1, rows.GetIntField(0));
    EXPECT_EQ(L"SQLITE_ERROR[1]: integer overflow", textOf([&] { rows.NextRow(); }));
    EXPECT_TRUE(rows.Eof());

}
