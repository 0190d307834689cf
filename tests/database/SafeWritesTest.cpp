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

// A lone surrogate before a quote must stay inside its string, whether the text
// is quoted or bound; so must the usual troublemakers.
TEST_F(SafeWrites, HostileTextIsStoredAsTextAndTouchesNoOtherRow)
{
    MessageBoxRecorder boxes;
    unsigned long long other = SaveClient(L"Alt Client SRL", L"RO999", L"RO49AAAA");
    const std::wstring hostile[] = {
        std::wstring(L"Nou SRL") + wchar_t(0xD800) + L"' or 1=1 --",
        std::wstring(L"X") + wchar_t(0xDBFF) + L"' where 1=1 --",
        std::wstring(L"Y") + wchar_t(0xDC00) + L"'",
        std::wstring(L"Z") + wchar_t(0xD800),
        L"D'Artagnan SRL", L"100% _real_ \\ SRL", std::wstring(5000, L'q') + L"'",
    };
    for (const std::wstring& name : hostile) {
        unsigned long long id = SaveClient(name, L"777", L"HACK");
        ASSERT_NE(0u, id) << boxes.Describe();
        std::wstring stored = tempDb.Text(SqlFormat(L"select Nume from Clienti where id = %llu", id).c_str());
        std::wstring expected = name;
        for (wchar_t& c : expected)
            if (c >= 0xD800 && c <= 0xDFFF)
                c = 0xFFFD;
        EXPECT_EQ(expected, stored);
        // Found again by the same name: updated, not duplicated.
        EXPECT_EQ(id, SaveClient(name, L"778", L"HACK"));
    }
    EXPECT_EQ(L"RO999", tempDb.Text(SqlFormat(L"select Cod from Clienti where id = %llu", other).c_str()));
    EXPECT_EQ(L"RO49AAAA", tempDb.Text(SqlFormat(L"select Cont from Clienti where id = %llu", other).c_str()));
    EXPECT_EQ(8, tempDb.Scalar(L"select count(*) from Clienti"));

    // The same through a bound parameter; a NUL ends bound text.
    QsqlStatement st = db().CompileStatement(L"insert into Clienti (Nume) values (?)");
    st.Bind(1, hostile[0].c_str());
    st.ExecDML();
    EXPECT_EQ(2, tempDb.Scalar(L"select count(*) from Clienti where Nume = 'Nou SRL' || char(65533) || "
                               L"''' or 1=1 --'"));
    std::wstring withNul = std::wstring(L"Cu") + L'\0' + L"Nul";
    SaveClient(withNul);
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Clienti where Nume = 'Cu'"));

    // A document series takes the same road.
    std::wstring series = hostile[1];
    ASSERT_TRUE(db().SaveDocumentHeader(0, 0, true, 1, 1, other, 0, 0, 0, 0, 1, 1, 1, 1, series.c_str()));
    ASSERT_TRUE(db().SaveDocumentHeader(0, 0, true, 1, 2, other, 0, 0, 0, 0, 2, 2, 2, 2, L"FCT"));
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Facturi where serie = 'FCT'"));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

TEST_F(SafeWrites, DoublesKeepEveryDigitAndNonFiniteValuesWriteNothing)
{
    const double values[] = {0.1234567891, 1.0 / 3.0, 123456789.123456789, -0.000001234, 1e-300, 100.0};
    for (double value : values) {
        ASSERT_TRUE(db().InsertDocumentItem(0, 1, value, value, 7));
        EXPECT_EQ(value, tempDb.Number(L"select cantitate from ArticoleFacturi order by id desc limit 1"));
        EXPECT_EQ(value, tempDb.Number(L"select valoareFT from ArticoleFacturi order by id desc limit 1"));
    }
    MessageBoxRecorder boxes;
    const double bad[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                          std::nan("")};
    for (double value : bad) {
        EXPECT_FALSE(db().InsertDocumentItem(0, 1, 1.0, value, 7));
        EXPECT_THROW(SqlFormat(L"update Facturi set sold = %f", value), QSqlError);
        QsqlStatement st = db().CompileStatement(L"insert into Facturi (sold) values (?)");
        EXPECT_THROW(st.Bind(1, value), QSqlError);
    }
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"infinit sau NaN")) << boxes.Describe();
    EXPECT_EQ(6, tempDb.Scalar(L"select count(*) from ArticoleFacturi"));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Facturi"));
}

} // namespace
