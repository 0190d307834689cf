// Writes that must not be lost, and text and numbers that must not change a
// statement's shape or value.
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

class SafeWrites : public DatabaseTest {
protected:
    unsigned long long SaveClient(const std::wstring& name, const wchar_t* code = L"1", const wchar_t* account = L"A")
    {
        return db().SaveClient(0, name.c_str(), code, L"", L"", L"", L"", L"", account);
    }
};

TEST_F(SafeWrites, CommitRefusedByAReaderRollsBackReportsAndTheNextSaveLasts)
{
    db().SetBusyTimeout(200);
    QsqlDatabase reader;
    reader.Open(tempDb.Path().c_str());
    reader.ExecDML(L"BEGIN");
    EXPECT_EQ(0, reader.ExecScalar(L"select count(*) from Clienti")); // holds the file for reading
    bool firstReported = false;
    try {
        QsqlTransaction save(db());
        db().ExecDML(L"insert into Clienti (Nume) values ('Primul')");
        save.Commit();
    } catch (const QSqlError& e) {
        firstReported = true;
        EXPECT_EQ(5, e.GetCode() & 0xff) << testing_support::Narrow(e.GetText().c_str());
    }
    EXPECT_FALSE(db().InTransaction());
    reader.ExecDML(L"COMMIT");
    reader.Close();
    {
        QsqlTransaction save(db());
        db().ExecDML(L"insert into Clienti (Nume) values ('Al doilea')");
        save.Commit();
    }
    EXPECT_FALSE(db().InTransaction());
    db().Close();
    QsqlDatabase reopened;
    reopened.Open(tempDb.Path().c_str());
    EXPECT_EQ(1, reopened.ExecScalar(L"select count(*) from Clienti where Nume = 'Al doilea'"));
    EXPECT_EQ(firstReported ? 0 : 1, reopened.ExecScalar(L"select count(*) from Clienti where Nume = 'Primul'"));
}

} // namespace
