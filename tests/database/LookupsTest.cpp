#include <gtest/gtest.h>
#include "database/Lookups.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using micro::utils::QString;
using Lookups = testing_support::DatabaseTest;

TEST_F(Lookups, PartnerNamesShowTheirOwnErrorAndLeaveTheText)
{
    db().ExecDML(L"drop table Clienti");
    db().ExecDML(L"drop table Furnizori");
    testing_support::MessageBoxRecorder boxes;
    QString text(L"kept");
    GetClientField(text, 1, 1);
    EXPECT_STREQ(L"kept", text.c_str());
    EXPECT_STREQ(L"", GetClientField(1, 1).c_str());
    GetSupplierName(text, 1);
    EXPECT_STREQ(L"kept", text.c_str());
    ASSERT_EQ(3u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"ERROR", boxes.Last().caption);
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: Furnizori", boxes.Last().text);
    // The integer look-up leaves the error to its caller.
    EXPECT_THROW(GetClientIntField(1, 2), QSqlError);
}

TEST_F(Lookups, CompanyVatFactorsFollowTheRateAndTheCashVatSetting)
{
    const double factors[] = {1.24, 1.09, 1.05, 1.0, 0.0};
    for (int code = 0; code <= 4; ++code) {
        db().ExecDML(SqlFormat(L"update Societate set cotaTVA = %d, tvaincasare = 1 where id = 1", code).c_str());
        EXPECT_DOUBLE_EQ(factors[code], GetCompanyVatSetting(2)) << code;
    }
    EXPECT_DOUBLE_EQ(1.0, GetCompanyVatSetting(1));
    EXPECT_DOUBLE_EQ(0.0, GetCompanyVatSetting(3));
}
