#include <gtest/gtest.h>
#include "cash/Settlement.h"
#include "database/qsql/SqlText.h"
#include "tests/cash/support/CashFixtures.h"

using namespace settlement;
using cash_tests::AddCashRow;
using cash_tests::AddDocument;
using cash_tests::Balance;

namespace {

// A receipt row and its counter, as an editor's own save writes them.
unsigned long long SaveReceipt(testing_support::TempDatabase& db)
{
    db.Exec(L"update ConfigFacturi set numarChit = 7 where id = 1");
    db.Exec(L"insert into Incasari (serie, numar, IDClient, suma, status) values ('CNT', 7, 1, 40, 2)");
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

class Settlement : public testing_support::DatabaseTest {
protected:
    unsigned long long client = tempDb.AddClient(L"D'Artagnan SRL");
};

} // namespace

// What the pickers cannot offer is refused all the same.
TEST_F(Settlement, RefusesBeforeWritingAnything)
{
    unsigned long long a = AddDocument(tempDb, {client, 12, 100, 100});
    unsigned long long b = AddDocument(tempDb, {client, 13, 80, 80});
    unsigned long long other = AddDocument(tempDb, {tempDb.AddClient(L"Beta"), 14, 50, 50});
    unsigned long long cancelled = AddDocument(tempDb, {client, 15, 50, 50, 3});
    unsigned long long paid = AddDocument(tempDb, {client, 17, 50, 0.004});
    struct Case {
        std::vector<unsigned long long> ids;
        double amount;
        Refusal refusal;
        size_t row;
    } cases[] = {
        {{a, b}, 200, Refusal::AboveBalances, 1},
        {{a, b}, 180.001, Refusal::None, 0}, // whole bani: exactly the balances
        {{a, b}, 180.01, Refusal::AboveBalances, 1}, // one ban more
        {{}, 10, Refusal::NoDocuments, 0},
        {{a, other}, 150, Refusal::ForeignDocument, 1},
        {{a, cancelled}, 150, Refusal::ClosedDocument, 1},
        {{paid}, 10, Refusal::NothingOwed, 0},
        {{a, a}, 150, Refusal::NothingOwed, 1},
    };
    for (const Case& c : cases) {
        SettlementPlan plan = PlanValidation(kInvoices, client, c.ids, c.amount);
        EXPECT_EQ(c.refusal, plan.refusal) << c.amount;
        if (c.refusal != Refusal::None) {
            EXPECT_EQ(c.row, plan.refusedRow) << c.amount;
            EXPECT_TRUE(plan.writes.empty());
        }
    }
}

TEST_F(Settlement, WithoutAllocationsEachDocumentGetsAtMostWhatItLacks)
{
    // Validated before allocations were kept: 150 over totals 100 and 200,
    // balances 0 and 30 afterwards. Then the second was paid down by 20 more.
    unsigned long long a = AddDocument(tempDb, {client, 12, 100, 0});
    unsigned long long b = AddDocument(tempDb, {client, 13, 200, 10});
    unsigned long long receipt = SaveReceipt(tempDb);
    SettlementPlan plan = PlanGiveBack(kInvoices, Source::Receipt, receipt, client, {a, b}, 150);
    ApplySettlement(kInvoices, Source::Receipt, plan, [&] { return receipt; });
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, a));
    EXPECT_DOUBLE_EQ(60, Balance(tempDb, b));
}

// Amounts become whole bani by rounding, so an amount a double cannot hold
// exactly settles its balance in full.
TEST_F(Settlement, AmountsSettleInWholeBaniByRounding)
{
    for (double amount : {19.99, 0.29, 4.35}) {
        unsigned long long d = AddDocument(tempDb, {client, 20, amount, amount});
        SettlementPlan plan = PlanValidation(kInvoices, client, {d}, amount);
        EXPECT_NO_THROW(ApplySettlement(kInvoices, Source::Receipt, plan, [&] { return SaveReceipt(tempDb); }));
        EXPECT_DOUBLE_EQ(0, Balance(tempDb, d)) << amount;
    }
}

TEST_F(Settlement, ABalanceChangedAfterThePlanWasMadeIsNotOverwritten)
{
    unsigned long long a = AddDocument(tempDb, {client, 12, 100, 100});
    SettlementPlan plan = PlanValidation(kInvoices, client, {a}, 40);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Facturi set sold = 90 where id = %llu", a).c_str());
    EXPECT_THROW(ApplySettlement(kInvoices, Source::Receipt, plan, [&] { return SaveReceipt(tempDb); }),
                 micro::qsql::QSqlError);
    EXPECT_DOUBLE_EQ(90, Balance(tempDb, a));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Incasari"));
    EXPECT_EQ(0, tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));
}

// Recorded receipts and older payments that list the number settle a document;
// a give-back leaves a closed one at 0. (That the total cannot fall below what a
// receipt took, and a higher one owes the rest, the invoice editor's test shows.)
TEST_F(Settlement, OldPaymentsAndPaidUpBalancesSettleAndAGiveBackNeverRefillsAClosedDocument)
{
    unsigned long long a = AddDocument(tempDb, {client, 12, 124, 124});
    unsigned long long receipt = SaveReceipt(tempDb);
    ApplySettlement(kInvoices, Source::Receipt, PlanValidation(kInvoices, client, {a}, 100), [&] { return receipt; });
    // Paid before receipts were kept at all: what the balance shows paid stays paid.
    EXPECT_EQ(14800, BalanceForTotal(kInvoices, AddDocument(tempDb, {client, 3, 124, 24}), 248).balance);
    unsigned long long nir = AddDocument(tempDb, {client, 5, 80, 30, 2, L"Niruri"});
    AddCashRow(tempDb, L"Plati", {client, 3, L" 5", 50, 2, 0});
    std::vector<LiveAllocation> paid = LiveAllocations(kGoodsReceived, nir);
    ASSERT_EQ(1u, paid.size());
    EXPECT_EQ(5000, paid[0].bani);
    tempDb.Exec(L"update Facturi set status = 3, sold = 0");
    ApplySettlement(kInvoices, Source::Receipt, PlanGiveBack(kInvoices, Source::Receipt, receipt, client, {a}, 100),
                    [&] { return receipt; });
    EXPECT_DOUBLE_EQ(0, Balance(tempDb, a));
}

// A return invoice's balance is its total, however it was stored (an earlier
// version kept 0) and whatever its new total; an invoice a receipt took from
// cannot become a credit.
TEST_F(Settlement, ANegativeInvoiceTotalIsACreditNothingIsTakenFrom)
{
    for (double stored : {-49.48, 0.0})
        EXPECT_EQ(-7422, BalanceForTotal(kInvoices, AddDocument(tempDb, {client, 4, -49.48, stored}), -74.22).balance);
    unsigned long long paid = AddDocument(tempDb, {client, 12, 124, 124});
    unsigned long long receipt = SaveReceipt(tempDb);
    ApplySettlement(kInvoices, Source::Receipt, PlanValidation(kInvoices, client, {paid}, 40), [&] { return receipt; });
    TotalChange change = BalanceForTotal(kInvoices, paid, -10);
    EXPECT_TRUE(change.refused);
    EXPECT_EQ(4000, change.taken);
}
