// Writes that must not be lost, and text and numbers that must not change a
// statement's shape or value.
#include <gtest/gtest.h>
#include <cmath>
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using SafeWrites = testing_support::DatabaseTest;

// A save whose commit a reader blocks is reported; the save after it lasts.
TEST_F(SafeWrites, CommitRefusedByAReaderRollsBackReportsAndTheNextSaveLasts)
{
    db().SetBusyTimeout(200);
    // A reader that got in before the program's next access still blocks the commit.
    tempDb.LetOthersIn();
    QsqlDatabase reader;
    reader.Open(tempDb.Path().c_str());
    reader.ExecDML(L"BEGIN");
    reader.ExecScalar(L"select count(*) from Clienti");
    auto save = [&](const wchar_t* name) {
        QsqlTransaction transaction(db());
        db().SaveClient(0, name, L"", L"", L"", L"", L"", L"", L"");
        transaction.Commit();
    };
    EXPECT_THROW(save(L"Primul"), QSqlError);
    reader.ExecDML(L"COMMIT");
    save(L"Al doilea");
    db().Close();
    reader.Open(tempDb.Path().c_str());
    EXPECT_EQ(L"Al doilea", std::wstring(reader.ExecQuery(L"select group_concat(Nume) from Clienti").GetStringField(0)));
}

// A lone surrogate before a quote stays inside its string, quoted or bound.
TEST_F(SafeWrites, HostileTextStaysTextAndNumbersKeepEveryDigit)
{
    testing_support::MessageBoxRecorder boxes;
    unsigned long long other = tempDb.AddClient(L"Alt Client SRL", 0, L"RO999");
    for (std::wstring name : {std::wstring(L"Nou SRL\xD800' or 1=1 --"), std::wstring(L"Y\xDC00'"),
                              std::wstring(L"D'Art_agnan 100% \\ %s"), std::wstring(5000, L'\'')}) {
        unsigned long long id = db().SaveClient(0, name.c_str(), L"777", L"", L"", L"", L"", L"", L"");
        EXPECT_EQ(id, db().SaveClient(0, name.c_str(), L"777", L"", L"", L"", L"", L"", L"")) << "found again";
        for (wchar_t& c : name)
            c = c >= 0xD800 && c <= 0xDFFF ? wchar_t(0xFFFD) : c;
        EXPECT_EQ(name, tempDb.Text(SqlFormat(L"select Nume from Clienti where id = %llu", id).c_str()));
    }
    QsqlStatement bound = db().CompileStatement(L"update Clienti set Adresa = ? where id = 2");
    bound.Bind(1, L"Z\xDBFF'");
    bound.ExecDML();
    EXPECT_EQ(L"Z\xFFFD'", tempDb.Text(L"select Adresa from Clienti where id = 2"));
    ASSERT_TRUE(db().SaveDocumentHeader(0, 0, true, 1, 1, other, 0, 0, 0, 0, 1, 1, 1, 1, L"X\xDBFF' where 1=1 --"));
    EXPECT_EQ(L"RO999", tempDb.Text(L"select group_concat(Cod) from Clienti where Cod <> '777'"));

    for (double value : {0.1234567891, 1.0 / 3.0, 123456789.123456789, 1e-300}) {
        ASSERT_TRUE(db().InsertDocumentItem(0, 1, value, value, 7, 0));
        EXPECT_EQ(value, tempDb.Number(L"select valoareFT from ArticoleFacturi order by id desc limit 1"));
    }
    for (double value : {HUGE_VAL, std::nan("")}) {
        EXPECT_FALSE(db().InsertDocumentItem(0, 1, 1.0, value, 7, 0));
        EXPECT_THROW(db().CompileStatement(L"update Facturi set sold = ?").Bind(1, value), QSqlError);
    }
    EXPECT_EQ(4, tempDb.Scalar(L"select count(*) from ArticoleFacturi"));
    EXPECT_NE(std::string::npos, boxes.Describe().find("infinit sau NaN")) << boxes.Describe();
}
