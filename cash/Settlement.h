#pragma once
#include <functional>
#include <vector>
#include "framework/utils/QString.h"

// Settling document balances (sold) with receipts and payments, without any
// window: a plan is made first from the stored documents, the caller asks its
// questions over it, then the plan is applied in one transaction together
// with the caller's own save. Amounts are compared and written in whole bani.
// Every document is addressed by its id and must belong to the partner.
namespace settlement {

// What settles: the owner of the allocation records.
enum class Source { Receipt = 0, Payment = 1 };

// The documents a settlement moves: their table and the type stored with the
// allocations (0 Facturi, 3 Niruri). A live document's negative total (a
// return invoice, goods sent back to a supplier) is a credit its partner
// holds: its balance is its total, so every sum of balances nets it.
struct DocumentTable {
    const wchar_t* name;
    int documentType;
};
extern const DocumentTable kInvoices;
extern const DocumentTable kGoodsReceived;

long long ToBani(double amount);
double FromBani(long long bani);

// One document's balance before and after, and what moved from (validation,
// > 0) or back to (give-back, < 0) it.
struct BalanceWrite {
    unsigned long long documentId = 0;
    unsigned long long number = 0;
    long long oldBalance = 0;
    long long newBalance = 0;
    long long moved = 0;
};

enum class Refusal {
    None,
    AmountNotPositive,   // nothing to spread
    NoDocuments,         // an empty list
    ForeignDocument,     // missing, or another partner's
    ClosedDocument,      // cancelled or reversed (status 3 or more)
    NothingOwed,         // a balance of 0 or less
    NotCovered,          // a row before the last cannot be paid in full
    AboveBalances,       // more money than all the balances together
};

struct SettlementPlan {
    enum Kind { Validation, GiveBack } kind = Validation;
    Refusal refusal = Refusal::None;
    // The list row (from 0) and number of the document a refusal names.
    size_t refusedRow = 0;
    unsigned long long refusedNumber = 0;
    // A validation that pays its last row in part, when that row is not the
    // first, asks before it goes on: what is left for it and its number.
    bool asksPartial = false;
    long long partialRest = 0;
    unsigned long long partialNumber = 0;
    std::vector<BalanceWrite> writes;

    bool Ready() const { return refusal == Refusal::None; }
};

// Spreads amount over the documents in list order: each is paid in full but
// the last, which may be paid in part. The balances are read from the table.
SettlementPlan PlanValidation(const DocumentTable& table, unsigned long long partnerId,
                              const std::vector<unsigned long long>& documentIds, double amount);

// Gives back what the validated receipt or payment ownerId took, from its
// allocation records. Without records (settled before they were kept) the
// stored amount goes back over the listed documents in order, each getting
// no more than it lacks of its total.
SettlementPlan PlanGiveBack(const DocumentTable& table, Source source, unsigned long long ownerId,
                            unsigned long long partnerId, const std::vector<unsigned long long>& listedIds,
                            double storedAmount);

// One transaction: saveOwner (the caller's own rows and counter; answers the
// owner's id, new or not), then the balances, then the allocation records
// (validation writes them, a give-back deletes ownerId's). A balance changed
// since the plan was made, or any database error, rolls everything back and
// throws micro::qsql::QSqlError. Answers the owner's id.
unsigned long long ApplySettlement(const DocumentTable& table, Source source, const SettlementPlan& plan,
                                   const std::function<unsigned long long()>& saveOwner);

// A stored document for a list row, looked up by id within the partner's.
struct DocumentRow {
    unsigned long long id = 0;
    long long status = 0;
    unsigned long long number = 0;
    unsigned long long partner = 0;
    long long created = 0;
    double net = 0, vat = 0, total = 0, balance = 0;
};
bool ReadDocument(const DocumentTable& table, unsigned long long partnerId, unsigned long long documentId,
                  DocumentRow& row);
// The partner's documents with that number, in the table's order.
std::vector<DocumentRow> FindDocumentsByNumber(const DocumentTable& table, unsigned long long partnerId,
                                               unsigned long long number);

// What the partner's documents that are not cancelled or reversed total, what
// of it was settled and what is still owed, added up in whole bani.
struct PartnerTotals {
    double invoiced = 0;
    double settled = 0;
    double owed = 0;
};
PartnerTotals ReadPartnerTotals(const DocumentTable& table, unsigned long long partnerId);

// A validated receipt (for invoices) or payment (for NIRs) that settles a
// document, and what it took from it in whole bani.
struct LiveAllocation {
    Source source = Source::Receipt;
    unsigned long long ownerId = 0;
    micro::utils::QString series;
    unsigned long long number = 0;
    long long bani = 0;
};
// The live receipts or payments of a document: those with allocation records
// first, then validated ones of the partner kept before records existed whose
// documents text lists its number (what the stored balance shows taken beyond
// the records goes to the first of them).
std::vector<LiveAllocation> LiveAllocations(const DocumentTable& table, unsigned long long documentId);

// A document's balance were its total to become newTotal: the total less what
// live receipts or payments took (the records, or what the stored balance shows
// taken when more), kept between 0 and the total. Refused when the total would
// fall below what was taken. A negative total is the balance: nothing is
// ever taken from a credit.
struct TotalChange {
    bool refused = false;
    // The document would go to another partner while live receipts or
    // payments settle it: their money stays with the partner who paid it.
    bool partnerRefused = false;
    long long balance = 0;
    long long taken = 0;
    std::vector<LiveAllocation> owners;
};
// `newPartner`: the partner the document is to belong to; 0, the one it has.
TotalChange BalanceForTotal(const DocumentTable& table, unsigned long long documentId, double newTotal,
                            unsigned long long newPartner = 0);

} // namespace settlement
