#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "database/qsql/SqlText.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;

class Qsql : public DatabaseTest {
protected:
    template <typename Action>
    static QSqlError ErrorOf(Action&& action)
    {
        try {
            action();
        } catch (const QSqlError& e) {
            return e;
        }
        return QSqlError(0, L"no error");
    }
};

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
    EXPECT_EQ(L"Nu este deschis niciun fisier al societatii !", textOf([&] { closed.ExecDML(L"select 1"); }));
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

// A file of other bytes and a write-protected file are said in Romanian, with
// the file and that it was left as it was; the codes stay SQLite's, and the
// file's bytes are those it had.
TEST_F(Qsql, AFileThatIsNoDatabaseOrWriteProtectedIsSaidInRomanianWithItsPath)
{
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    const std::wstring unchanged = std::wstring(L":\n") + full + L"\n\nFisierul nu a fost modificat.";

    tempDb.SetWriteProtected(true);
    const std::string before = tempDb.FileBytes();
    QSqlError refused = ErrorOf([&] { db().ExecDML(L"insert into Clienti (Nume) values ('Nou')"); });
    EXPECT_EQ(8, refused.GetCode() & 0xff);
    EXPECT_EQ(L"Documentul nu a fost salvat deoarece fisierul societatii este protejat la scriere" + unchanged,
              refused.GetText().c_str());
    EXPECT_TRUE(before == tempDb.FileBytes());
    tempDb.SetWriteProtected(false);

    db().Close();
    const std::string other(4096, 'j');
    HANDLE file = CreateFileW(full, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, other.data(), static_cast<DWORD>(other.size()), &written, nullptr);
    CloseHandle(file);
    db().Open(full);
    QSqlError notDatabase = ErrorOf([&] { db().ExecQuery(L"select count(*) from Clienti"); });
    EXPECT_EQ(26, notDatabase.GetCode());
    EXPECT_EQ(L"Fisierul societatii nu este o baza de date" + unchanged, notDatabase.GetText().c_str());
    db().Close();
    EXPECT_TRUE(other == tempDb.FileBytes());
}

// Another program holding the file's write lock: a write gives up after the
// few seconds a write waits (a read may wait a minute), under the wait
// cursor, and says in Romanian that the file is in use, naming it, and to try
// again. Reads go on; once the lock is gone the write goes through, once.
// (A connection that cannot close for a statement of its own still alive is
// no other program's doing and keeps SQLite's words: StartupTest.)
TEST_F(Qsql, AWriteOnAFileAnotherProgramHoldsWaitsSecondsAndSaysToTryAgain)
{
    EXPECT_EQ(60000, db().GetBusyTimeout());
    EXPECT_EQ(QsqlDatabase::kWriteBusyTimeoutMs, db().GetWriteBusyTimeout());
    EXPECT_LE(db().GetWriteBusyTimeout(), 5000);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    // A write that does not wait leaves the cursor alone.
    db().ExecDML(L"insert into Clienti (Nume) values ('Nou')");
    EXPECT_NE(wait, GetCursor());
    db().ExecDML(L"delete from Clienti");
    tempDb.LetOthersIn();
    QsqlDatabase other;
    other.Open(tempDb.Path().c_str());
    other.ExecDML(L"BEGIN IMMEDIATE");
    // The cursor is looked at while the write waits, from a thread sharing
    // this one's input.
    struct Look {
        DWORD thread;
        HCURSOR during;
        static DWORD WINAPI Run(void* state)
        {
            Look& look = *static_cast<Look*>(state);
            AttachThreadInput(GetCurrentThreadId(), look.thread, TRUE);
            Sleep(1000);
            look.during = GetCursor();
            AttachThreadInput(GetCurrentThreadId(), look.thread, FALSE);
            return 0;
        }
    } look{GetCurrentThreadId(), nullptr};
    DWORD started = GetTickCount();
    HANDLE looker = CreateThread(nullptr, 0, &Look::Run, &look, 0, nullptr);
    QSqlError busy = ErrorOf([&] {
        QsqlTransaction transaction(db());
        db().ExecDML(L"insert into Clienti (Nume) values ('Nou')");
        transaction.Commit();
    });
    WaitForSingleObject(looker, INFINITE);
    CloseHandle(looker);
    // Generous: only a write waiting the read's minute goes past it.
    EXPECT_LT(GetTickCount() - started, 30000u);
    EXPECT_EQ(wait, look.during);
    EXPECT_NE(wait, GetCursor());
    EXPECT_EQ(5, busy.GetCode() & 0xff);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    EXPECT_EQ(L"Fisierul societatii este folosit de alt program:\n" + std::wstring(full) +
                  L"\n\nIncercati din nou dupa ce celalalt program termina.",
              busy.GetText().c_str());
    EXPECT_FALSE(db().InTransaction());
    EXPECT_EQ(0, db().ExecScalar(L"select count(*) from Clienti"));
    other.ExecDML(L"ROLLBACK");
    db().ExecDML(L"insert into Clienti (Nume) values ('Nou')");
    EXPECT_EQ(1, db().ExecScalar(L"select count(*) from Clienti"));
}
