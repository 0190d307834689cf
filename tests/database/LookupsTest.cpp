#include <gtest/gtest.h>
#include "database/Lookups.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using micro::utils::QString;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

std::wstring W(const QString& text)
{
    return text.c_str();
}

class Lookups : public DatabaseTest {
protected:
    void Exec(const wchar_t* sql) { db().ExecDML(sql); }
};

} // namespace

TEST_F(Lookups, PartnerNamesShowTheirOwnErrorAndLeaveTheText)
{
    Exec(L"drop table Clienti");
    Exec(L"drop table Furnizori");
    MessageBoxRecorder boxes;
    QString text(L"kept");
    GetClientField(text, 1, 1);
    EXPECT_EQ(L"kept", W(text));
    EXPECT_EQ(L"", W(GetClientField(1, 1)));
    GetSupplierName(text, 1);
    EXPECT_EQ(L"kept", W(text));
    ASSERT_EQ(3u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"ERROR", boxes.Last().caption);
    EXPECT_EQ(nullptr, boxes.Last().owner);
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: Furnizori", boxes.Last().text);
    // The integer look-up leaves the error to its caller.
    EXPECT_THROW(GetClientIntField(1, 2), QSqlError);
}

TEST_F(Lookups, MissingUserAndCompanyVatFactors)
{
    QString name(L"x"), card, code;
    Exec(L"delete from Utilizator");
    EXPECT_FALSE(GetUserIdentity(name, card, code));
    EXPECT_EQ(L"", W(name));
    EXPECT_EQ(L"", W(card));
    EXPECT_EQ(L"", W(code));

    const double factors[] = {1.24, 1.09, 1.05, 1.0, 0.0};
    for (int code = 0; code <= 4; ++code) {
        Exec(SqlFormat(L"update Societate set cotaTVA = %d, tvaincasare = 1 where id = 1", code).c_str());
        EXPECT_DOUBLE_EQ(factors[code], GetCompanyVatSetting(2)) << code;
    }
    EXPECT_DOUBLE_EQ(1.0, GetCompanyVatSetting(1));
    EXPECT_DOUBLE_EQ(0.0, GetCompanyVatSetting(3));
}

TEST_F(Lookups, CompanyBackgroundArrivesWhole)
{
    micro::utils::QBuffer background;
    background.Append("old", 3);
    LoadCompanyBackground(background);
    EXPECT_TRUE(background.IsEmpty());
    unsigned char picture[1000];
    for (int i = 0; i < 1000; ++i)
        picture[i] = static_cast<unsigned char>(i * 7);
    QsqlStatement st = db().CompileStatement(L"update Societate set background = ? where id = 1");
    st.Bind(1, picture, sizeof(picture));
    st.ExecDML();
    LoadCompanyBackground(background);
    ASSERT_EQ(1000, background.GetCount());
    EXPECT_EQ(0, memcmp(picture, background.GetData(), sizeof(picture)));
    Exec(L"drop table Societate");
    EXPECT_THROW(LoadCompanyBackground(background), QSqlError);
}
