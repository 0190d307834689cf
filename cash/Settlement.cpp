#include "cash/Settlement.h"
#include "cash/CashText.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

using micro::qsql::QsqlQuery;
using micro::qsql::QsqlStatement;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;

namespace settlement {

const DocumentTable kInvoices = {L"Facturi", 0};
const DocumentTable kGoodsReceived = {L"Niruri", 3};

namespace {

const wchar_t kDocumentColumns[] =
    L"select id, status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold from %s ";

DocumentRow ReadRow(const QsqlQuery& q)
{
    DocumentRow row;
    row.id = q.GetIdField(0);
    row.status = q.GetIntField(1);
    row.number = q.GetIdField(2);
    row.partner = q.GetIdField(3);
    row.created = q.FieldIsNull(4) ? -1 : q.GetIntField(4);
    row.net = q.GetFloatField(5);
    row.vat = q.GetFloatField(6);
    row.total = q.GetFloatField(7);
    row.balance = q.GetFloatField(8);
    return row;
}

// A balance stays between 0 and the document's total, whichever its sign.
long long Clamp(long long balance, long long total)
{
    return std::min(std::max(balance, std::min(0LL, total)), std::max(0LL, total));
}

SettlementPlan Refuse(SettlementPlan plan, Refusal refusal, size_t row, unsigned long long number)
{
    plan.refusal = refusal;
    plan.refusedRow = row;
    plan.refusedNumber = number;
    plan.writes.clear();
    return plan;
}

struct Allocation {
    unsigned long long documentId;
    long long bani;
};

std::vector<Allocation> ReadAllocations(const DocumentTable& table, Source source, unsigned long long ownerId)
{
    std::vector<Allocation> allocations;
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select idDocument, suma from Alocari where sursa = %d and idSursa = %llu and tipDocument = %d "
                  L"order by id",
                  static_cast<int>(source), ownerId, table.documentType)
            .c_str());
    for (; !q.Eof(); q.NextRow())
        allocations.push_back({q.GetIdField(0), ToBani(q.GetFloatField(1))});
    return allocations;
}

// Adds bani to a document's balance as planned so far (a document may come
// twice), capped to its total.
class GiveBackPlanner {
public:
    GiveBackPlanner(const DocumentTable& table, unsigned long long partnerId) : m_table(table), m_partner(partnerId) {}

    // Answers what was actually added; a document gone or not the partner's gets nothing.
    long long Add(unsigned long long documentId, long long bani, SettlementPlan& plan)
    {
        auto found = m_index.find(documentId);
        if (found == m_index.end()) {
            // A cancelled or reversed document owes nothing: it gets nothing back.
            DocumentRow row;
            if (!ReadDocument(m_table, m_partner, documentId, row) || row.status >= 3)
                return 0;
            BalanceWrite write;
            write.documentId = documentId;
            write.number = row.number;
            write.oldBalance = write.newBalance = ToBani(row.balance);
            m_totals[documentId] = ToBani(row.total);
            plan.writes.push_back(write);
            found = m_index.emplace(documentId, plan.writes.size() - 1).first;
        }
        BalanceWrite& write = plan.writes[found->second];
        long long before = write.newBalance;
        write.newBalance = Clamp(before + bani, m_totals[documentId]);
        write.moved = write.oldBalance - write.newBalance;
        return write.newBalance - before;
    }

    long long Lacking(unsigned long long documentId)
    {
        DocumentRow row;
        auto found = m_index.find(documentId);
        if (found != m_index.end())
            return 0; // a repeated row was filled the first time
        if (!ReadDocument(m_table, m_partner, documentId, row) || row.status >= 3)
            return 0;
        return std::max(0LL, ToBani(row.total) - ToBani(row.balance));
    }

private:
    const DocumentTable& m_table;
    unsigned long long m_partner;
    std::map<unsigned long long, size_t> m_index;
    std::map<unsigned long long, long long> m_totals;
};

Source SourceOf(const DocumentTable& table)
{
    return table.documentType == kGoodsReceived.documentType ? Source::Payment : Source::Receipt;
}

const wchar_t* OwnerTable(Source source)
{
    return source == Source::Payment ? L"Plati" : L"Incasari";
}

LiveAllocation ReadOwner(const QsqlQuery& q, Source source, long long bani)
{
    LiveAllocation owner;
    owner.source = source;
    owner.ownerId = q.GetIdField(0);
    owner.series = q.GetStringField(1);
    owner.number = q.GetIdField(2);
    owner.bani = bani;
    return owner;
}

// The live allocations, what the stored balance shows taken (0 for a
// document gone) and the document's partner.
std::vector<LiveAllocation> ReadLiveAllocations(const DocumentTable& table, unsigned long long documentId,
                                                long long& storedTaken, unsigned long long& partner)
{
    MyRepository& db = GetRepository();
    const Source source = SourceOf(table);
    std::vector<LiveAllocation> live;
    long long recorded = 0;
    QsqlQuery q = db.ExecQuery(
        SqlFormat(L"select o.id, o.serie, o.numar, sum(a.suma) from Alocari a join %s o on o.id = a.idSursa "
                  L"where a.sursa = %d and a.tipDocument = %d and a.idDocument = %llu and o.status = 2 "
                  L"group by o.id order by min(a.id)",
                  OwnerTable(source), static_cast<int>(source), table.documentType, documentId)
            .c_str());
    for (; !q.Eof(); q.NextRow()) {
        live.push_back(ReadOwner(q, source, ToBani(q.GetFloatField(3))));
        recorded += live.back().bani;
    }
    q.Finalize();

    QsqlQuery doc = db.ExecQuery(
        SqlFormat(L"select numar, client, valoareTTI, sold from %s where id = %llu", table.name, documentId).c_str());
    if (doc.Eof()) {
        storedTaken = 0;
        return live;
    }
    unsigned long long number = doc.GetIdField(0);
    partner = doc.GetIdField(1);
    storedTaken = ToBani(doc.GetFloatField(2)) - ToBani(doc.GetFloatField(3));
    doc.Finalize();
    // Validated before records were kept: known only by the numbers they list.
    long long unrecorded = std::max(0LL, storedTaken - recorded);
    QsqlQuery old = db.ExecQuery(
        SqlFormat(L"select id, serie, numar, facturi from %s o where IDClient = %llu and status = 2 and not exists "
                  L"(select 1 from Alocari a where a.sursa = %d and a.idSursa = o.id) order by id",
                  OwnerTable(source), partner, static_cast<int>(source))
            .c_str());
    for (; !old.Eof(); old.NextRow()) {
        std::vector<unsigned long long> numbers = ListedNumbers(old.GetStringField(3).c_str());
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
            continue;
        live.push_back(ReadOwner(old, source, unrecorded));
        unrecorded = 0;
    }
    return live;
}

} // namespace

long long ToBani(double amount)
{
    return std::llround(amount * 100.0);
}

double FromBani(long long bani)
{
    return static_cast<double>(bani) / 100.0;
}

bool ReadDocument(const DocumentTable& table, unsigned long long partnerId, unsigned long long documentId,
                  DocumentRow& row)
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat((std::wstring(kDocumentColumns) + L"where id = %llu and client = %llu").c_str(), table.name,
                  documentId, partnerId)
            .c_str());
    if (q.Eof())
        return false;
    row = ReadRow(q);
    return true;
}

std::vector<DocumentRow> FindDocumentsByNumber(const DocumentTable& table, unsigned long long partnerId,
                                               unsigned long long number)
{
    std::vector<DocumentRow> rows;
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat((std::wstring(kDocumentColumns) + L"where numar = %llu and client = %llu").c_str(), table.name,
                  number, partnerId)
            .c_str());
    for (; !q.Eof(); q.NextRow())
        rows.push_back(ReadRow(q));
    return rows;
}

PartnerTotals ReadPartnerTotals(const DocumentTable& table, unsigned long long partnerId)
{
    long long total = 0, balance = 0;
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select valoareTTI , sold from %s where client = %llu and status < 3", table.name, partnerId)
            .c_str());
    for (; !q.Eof(); q.NextRow()) {
        total += ToBani(q.GetFloatField(0));
        balance += ToBani(q.GetFloatField(1));
    }
    PartnerTotals totals;
    totals.invoiced = FromBani(total);
    totals.settled = FromBani(total - balance);
    totals.owed = FromBani(balance);
    return totals;
}

SettlementPlan PlanValidation(const DocumentTable& table, unsigned long long partnerId,
                              const std::vector<unsigned long long>& documentIds, double amount)
{
    SettlementPlan plan;
    plan.kind = SettlementPlan::Validation;
    // An empty list is named before the amount: there is nothing to pay yet.
    if (documentIds.empty())
        return Refuse(plan, Refusal::NoDocuments, 0, 0);
    long long rest = ToBani(amount);
    if (!(amount > 0) || rest <= 0)
        return Refuse(plan, Refusal::AmountNotPositive, 0, 0);

    // Checks first, from what is stored now.
    std::vector<DocumentRow> rows(documentIds.size());
    for (size_t i = 0; i < documentIds.size(); ++i) {
        if (!ReadDocument(table, partnerId, documentIds[i], rows[i]))
            return Refuse(plan, Refusal::ForeignDocument, i, 0);
        if (std::find(documentIds.begin(), documentIds.begin() + i, documentIds[i]) != documentIds.begin() + i)
            return Refuse(plan, Refusal::NothingOwed, i, rows[i].number); // listed twice: owed once
        if (rows[i].status >= 3)
            return Refuse(plan, Refusal::ClosedDocument, i, rows[i].number);
        if (ToBani(rows[i].balance) <= 0)
            return Refuse(plan, Refusal::NothingOwed, i, rows[i].number);
    }

    // Every row but the last is paid in full; the last may keep a remainder.
    const size_t n = rows.size();
    long long remainder = 0;
    for (size_t i = 0; i < n; ++i) {
        long long balance = ToBani(rows[i].balance);
        if (balance > rest && n - i > 1)
            return Refuse(plan, Refusal::NotCovered, i, rows[i].number);
        if (balance > rest) {
            remainder = balance - rest;
            if (i > 0) {
                plan.asksPartial = true;
                plan.partialRest = rest;
                plan.partialNumber = rows[i].number;
            }
        }
        rest -= balance;
    }
    if (rest > 0)
        return Refuse(plan, Refusal::AboveBalances, n - 1, rows[n - 1].number);

    for (size_t i = 0; i < n; ++i) {
        BalanceWrite write;
        write.documentId = rows[i].id;
        write.number = rows[i].number;
        write.oldBalance = ToBani(rows[i].balance);
        write.newBalance = i + 1 == n ? remainder : 0;
        write.moved = write.oldBalance - write.newBalance;
        plan.writes.push_back(write);
    }
    return plan;
}

SettlementPlan PlanGiveBack(const DocumentTable& table, Source source, unsigned long long ownerId,
                            unsigned long long partnerId, const std::vector<unsigned long long>& listedIds,
                            double storedAmount)
{
    SettlementPlan plan;
    plan.kind = SettlementPlan::GiveBack;
    GiveBackPlanner planner(table, partnerId);
    std::vector<Allocation> allocations = ReadAllocations(table, source, ownerId);
    if (!allocations.empty()) {
        for (const Allocation& allocation : allocations)
            planner.Add(allocation.documentId, allocation.bani, plan);
        return plan;
    }
    // Settled before allocations were kept: each document gets back at most
    // what it lacks of its total, in list order, until the amount is spent.
    long long rest = std::max(0LL, ToBani(storedAmount));
    for (unsigned long long id : listedIds) {
        long long added = std::min(planner.Lacking(id), rest);
        if (added > 0)
            rest -= planner.Add(id, added, plan);
    }
    return plan;
}

unsigned long long ApplySettlement(const DocumentTable& table, Source source, const SettlementPlan& plan,
                                   const std::function<unsigned long long()>& saveOwner)
{
    MyRepository& db = GetRepository();
    micro::qsql::QsqlTransaction transaction(db);
    MyRepository::ThrowErrors throwErrors(db);
    unsigned long long ownerId = saveOwner();

    QsqlStatement update = db.CompileStatement(
        SqlFormat(L"update %s set sold = ? where id = ? and round(coalesce(sold, 0) * 100) = ?", table.name).c_str());
    for (const BalanceWrite& write : plan.writes) {
        update.Bind(1, FromBani(write.newBalance));
        update.Bind(2, static_cast<long long>(write.documentId));
        update.Bind(3, write.oldBalance);
        if (update.ExecDML() != 1)
            throw QSqlError(4 /* SQLITE_ABORT */,
                            SqlFormat(L"Soldul documentului %llu s-a modificat intre timp.", write.number));
        update.Reset();
    }

    if (plan.kind == SettlementPlan::Validation) {
        QsqlStatement insert = db.CompileStatement(L"insert into Alocari (sursa, idSursa, tipDocument, idDocument, "
                                                   L"suma) values (?, ?, ?, ?, ?)");
        for (const BalanceWrite& write : plan.writes) {
            insert.Bind(1, static_cast<long long>(source));
            insert.Bind(2, static_cast<long long>(ownerId));
            insert.Bind(3, static_cast<long long>(table.documentType));
            insert.Bind(4, static_cast<long long>(write.documentId));
            insert.Bind(5, FromBani(write.moved));
            insert.ExecDML();
            insert.Reset();
        }
    } else {
        db.ExecDML(SqlFormat(L"delete from Alocari where sursa = %d and idSursa = %llu and tipDocument = %d",
                             static_cast<int>(source), ownerId, table.documentType)
                       .c_str());
    }
    transaction.Commit();
    return ownerId;
}

std::vector<LiveAllocation> LiveAllocations(const DocumentTable& table, unsigned long long documentId)
{
    long long storedTaken = 0;
    unsigned long long partner = 0;
    return ReadLiveAllocations(table, documentId, storedTaken, partner);
}

TotalChange BalanceForTotal(const DocumentTable& table, unsigned long long documentId, double newTotal,
                            unsigned long long newPartner)
{
    TotalChange change;
    long long storedTaken = 0;
    unsigned long long partner = 0;
    change.owners = ReadLiveAllocations(table, documentId, storedTaken, partner);
    // A give-back looks for the document among its owner's partner's.
    change.partnerRefused = !change.owners.empty() && newPartner != 0 && partner != newPartner;
    for (const LiveAllocation& owner : change.owners)
        change.taken += owner.bani;
    // Paid before any receipt was kept at all: the stored balance still holds it.
    if (change.taken == 0 || storedTaken > change.taken)
        change.taken = storedTaken;
    long long total = ToBani(newTotal);
    // A credit stored as earlier versions kept it (balance 0) shows nothing taken either.
    if (total < 0)
        change.taken = std::max(0LL, change.taken);
    change.refused = change.taken > 0 && total < change.taken;
    change.balance = Clamp(total - change.taken, total);
    return change;
}

} // namespace settlement
