#include "database/StockRule.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;

// Every report query finds its rows through an index: no line table is read
// from end to end.
TEST_F(ReportsTest, ReportQueriesReadNoLineTableWhole)
{
    const wchar_t* queries[] = {StockMovementsSql(), StockSumsSql(), AllStocksSql(), PartnerLedgerSql(PartnerClient),
                                PartnerLedgerSql(PartnerSupplier)};
    for (const wchar_t* sql : queries) {
        std::wstring plan;
        auto q = db().ExecQuery((std::wstring(L"EXPLAIN QUERY PLAN ") + sql).c_str());
        for (; !q.Eof(); q.NextRow())
            plan += std::wstring(q.GetStringField(3).c_str()) + L"\n";
        SCOPED_TRACE(testing_support::Narrow(plan));
        EXPECT_EQ(std::wstring::npos, plan.find(L"SCAN a"));
        EXPECT_EQ(std::wstring::npos, plan.find(L"SCAN Articole"));
        EXPECT_NE(std::wstring::npos, plan.find(L"INDEX"));
    }
}
