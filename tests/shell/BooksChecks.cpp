#include "tests/shell/BooksChecks.h"
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include "cash/Settlement.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include "tests/cash/support/CashFixtures.h"

using micro::qsql::SqlFormat;
using testing_support::Narrow;
using testing_support::TempDatabase;

namespace books {

const wchar_t* const kConfigCounters[] = {L"numarFactura", L"numarNir", L"numarChit", L"numarProforma", L"numarPlati"};
const wchar_t* const kIdCounters[] = {L"idFactura", L"idProforma", L"idAvize", L"idNir", L"idIntrari", L"idIesiri"};

// Each table's documents and what identifies a number within it (a NIR's
// series column holds its supplier's invoice number).
const wchar_t* const kNumbered[][2] = {{L"Facturi", L"serie, numar"}, {L"Proforme", L"serie, numar"}, {L"Avize",
    L"serie, numar"}, {L"Niruri", L"numar"}, {L"Incasari", L"serie, numar"}, {L"Plati", L"serie, numar"}};


long long Bani(double amount) { return std::llround(amount * 100.0); }
long long Bani(const std::wstring& cell) { return Bani(_wtof(cell.c_str())); }

// The header and the lines as stored, as one text.
std::wstring Snapshot(TempDatabase& db, const Doc& doc)
{
    return db.Text(SqlFormat(L"select status || ' ' || numar || ' ' || client || ' ' || dataCreare || ' ' || "
                             L"round(valoareFT * 100) || ' ' || round(valoareTVA * 100) || ' ' || round(valoareTTI * "
                             L"100) || ' ' || round(sold * 100) || ' ' || serie || ' |' || (select group_concat(produsID "
                             L"|| 'x' || cantitate || '@' || valoareFT, ' ') from %s where IDFactura = %llu) from %s "
                             L"where id = %llu",
                             DocumentLineTable(doc.tip), doc.id, DocumentHeaderTable(doc.tip), doc.id).c_str());
}

// A document's lines (product, quantity, unit price, VAT code) and totals in hundredths.
std::wstring Figures(TempDatabase& db, const Doc& doc)
{
    return db.Text(SqlFormat(L"select (select group_concat(produsID || 'x' || cantitate || '@' || valoareFT || 'v' || "
                             L"coalesce(TVA, -1), ' ') from %s where IDFactura = %llu) || ' | ' || round(valoareFT * "
                             L"100) || ' ' || round(valoareTVA * 100) || ' ' || round(valoareTTI * 100) from %s where "
                             L"id = %llu",
                             DocumentLineTable(doc.tip), doc.id, DocumentHeaderTable(doc.tip), doc.id).c_str());
}

long long Status(TempDatabase& db, const Doc& doc)
{
    return db.Scalar(SqlFormat(L"select status from %s where id = %llu", DocumentHeaderTable(doc.tip), doc.id).c_str());
}


// A reversing invoice, below 0 by design, counts with the return invoices:
// a storno or a cancel leaves every total as it was, so no step changes a
// stored document's kind.
int KindOf(int tip, bool belowZero)
{
    if (tip != DocumentInvoice && tip != DocumentReturnInvoice)
        return tip;
    return belowZero ? DocumentReturnInvoice : DocumentInvoice;
}

int StoredKind(TempDatabase& db, const Doc& doc)
{
    return KindOf(doc.tip, db.Scalar(SqlFormat(L"select valoareTTI < 0 from %s where id = %llu",
                                               DocumentHeaderTable(doc.tip), doc.id).c_str()) != 0);
}

// No stored document is read back as another kind than it was first, nor goes missing.
void CheckKinds(TempDatabase& db, std::map<std::pair<int, unsigned long long>, int>& kinds, std::ostream& out)
{
    std::set<std::pair<int, unsigned long long>> stored;
    for (int tip = 0; tip < 4; ++tip) {
        for (auto q = db.Db().ExecQuery(SqlFormat(L"select id, valoareTTI < 0 from %s order by id",
                                                  DocumentHeaderTable(tip)).c_str());
             !q.Eof(); q.NextRow()) {
            std::pair<int, unsigned long long> key(tip, q.GetIdField(0));
            int kind = KindOf(tip, q.GetIntField(1) != 0);
            stored.insert(key);
            auto known = kinds.emplace(key, kind).first;
            if (known->second != kind)
                out << "kind: " << Narrow(DocumentHeaderTable(tip)) << " id " << key.second << " was of type "
                    << known->second << ", now " << kind << "\n";
        }
    }
    for (auto& known : kinds)
        if (!stored.count(known.first))
            out << "kind: " << Narrow(DocumentHeaderTable(known.first.first)) << " id " << known.first.second
                << " of type " << known.second << " is gone\n";
}

std::wstring MovementBooks(TempDatabase& db)
{
    std::wstring books = db.Text(L"select group_concat(id || '=' || stocReal, ' ') || ' | ' || (select count(*) || "
                                 L"' ' || total(stoc) from Stocuri) || ' | ' || (select idIntrari || ' ' || idIesiri "
                                 L"from iduri) from Produse");
    for (const wchar_t* table : {L"IntrariGenerale", L"IesiriGenerale"})
        books += L" | " + db.Text(SqlFormat(L"select coalesce((select group_concat(id || '/' || status || '/' || "
                                            L"dataCreare || '/' || valoareTTI, ' ') from %s), '') || ' : ' || "
                                            L"coalesce((select group_concat(IDIntrare || 'x' || produsID || 'x' || "
                                            L"cantitate, ' ') from Articole%s), '')", table, table).c_str());
    return books;
}

// Id, number and balance in hundredths of the table's documents still owing.
std::vector<Open> OpenDocuments(TempDatabase& db, const wchar_t* table)
{
    std::vector<Open> open;
    for (auto q = db.Db().ExecQuery(SqlFormat(L"select id, numar, round(sold * 100) from %s where round(sold * "
                                                   L"100) > 0 and status < 3 order by id", table).c_str());
         !q.Eof(); q.NextRow())
        open.push_back({q.GetIdField(0), q.GetIntField(1), q.GetIntField(2)});
    return open;
}

// A balance is the total less the validated receipts' or payments' allocations,
// within [0, total]; a cancelled or reversed document owes 0, a live negative
// total (a return invoice, goods sent back) is its partner's credit, and none
// of these keeps a live allocation.
void CheckBalances(TempDatabase& db, std::ostream& out)
{
    const wchar_t* const sides[][3] = {{L"Facturi", L"Incasari", L"0"}, {L"Niruri", L"Plati", L"1"}};
    for (auto& side : sides) {
        // sursa 0 receipts over invoices (tipDocument 0), 1 payments over NIRs (3).
        auto q = db.Db().ExecQuery(SqlFormat(L"select id, status, round(valoareTTI * 100), round(sold * 100), (select "
                                          L"round(total(a.suma) * 100) from Alocari a join %s s on s.id = a.idSursa "
                                          L"where a.sursa = %s and a.tipDocument = %d and a.idDocument = d.id and "
                                          L"s.status = 2) from %s d order by id",
                                          side[1], side[2], side[2][0] == L'0' ? 0 : 3, side[0]).c_str());
        for (; !q.Eof(); q.NextRow()) {
            long long status = q.GetIntField(1), total = q.GetIntField(2), sold = q.GetIntField(3), settled = q.GetIntField(4);
            bool closed = status >= 3, credit = !closed && total < 0;
            long long expected = closed ? 0 : !credit ? total - settled : total;
            if (sold != expected || ((closed || credit) && settled != 0) ||
                (!credit && (expected < 0 || expected > std::max(total, 0LL))))
                out << "balance: " << Narrow(side[0]) << " id " << q.GetIntField(0) << " status " << status
                    << " total " << total << " settled " << settled << " holds " << sold << "\n";
        }
    }
}

// One balance per partner on every screen, to the ban: its ledger over all
// dates (documents less validated receipts or payments), the sum of its
// documents' balances and the cash editor's figures (what it owes, and what
// was invoiced less what was received) agree.
void CheckPartnerBalances(TempDatabase& db, std::ostream& out)
{
    const struct { PartnerKind kind; const settlement::DocumentTable& table; } sides[] = {
        {PartnerClient, settlement::kInvoices}, {PartnerSupplier, settlement::kGoodsReceived}};
    for (auto q = db.Db().ExecQuery(L"select id from Clienti order by id"); !q.Eof(); q.NextRow()) {
        for (auto& side : sides) {
            unsigned long long partner = q.GetIdField(0);
            PartnerSums sums = SumPartnerLedger(side.kind, partner, 0, kFarFuture);
            long long ledger = Bani(sums.debit) - Bani(sums.credit);
            long long balances = db.Scalar(SqlFormat(L"select round(total(sold) * 100) from %s where client = %llu and "
                                                     L"status < 3", side.table.name, partner).c_str());
            settlement::PartnerTotals shown = settlement::ReadPartnerTotals(side.table, partner);
            long long owed = Bani(shown.owed), received = Bani(shown.invoiced) - Bani(shown.settled);
            if (ledger != balances || balances != owed || owed != received)
                out << "partner balance: " << Narrow(side.table.name) << " partner " << partner << " ledger " << ledger
                    << " documents " << balances << " editor owed " << owed << " invoiced less received " << received
                    << "\n";
        }
    }
}

// No counter moves back; no number repeats within type and series among documents not cancelled.
void CheckNumbers(TempDatabase& db, std::map<std::wstring, long long>& counters, std::ostream& out)
{
    std::map<std::wstring, long long> now;
    for (const wchar_t* column : kConfigCounters)
        now[column] = db.Scalar(SqlFormat(L"select %s from ConfigFacturi where id = 1", column).c_str());
    for (const wchar_t* column : kIdCounters)
        now[column] = db.Scalar(SqlFormat(L"select %s from iduri where id = 1", column).c_str());
    for (auto& counter : now)
        if (counter.second < counters[counter.first])
            out << "counter " << Narrow(counter.first) << " went back from " << counters[counter.first] << " to "
                << counter.second << "\n";
    counters = now;
    for (auto& numbered : kNumbered) {
        std::wstring repeated = db.Text(SqlFormat(L"select group_concat(numar) from (select numar from %s where status "
                                                  L"<> 3 group by %s having count(*) > 1)",
                                                  numbered[0], numbered[1]).c_str());
        if (!repeated.empty())
            out << "numbers: " << Narrow(numbered[0]) << " repeats " << Narrow(repeated) << "\n";
    }
}

// The product's stock by the rule at the end of each day with lines.
std::map<long long, double> StockByDay(unsigned long long product)
{
    std::map<long long, double> byDay;
    ReadStockMovements(product, 0, kFarFuture, [&](const StockMovementRow& row) {
        byDay[StartOfDay(row.date)] += IsStockEntry(row.source) ? row.quantity : -row.quantity;
    });
    double running = 0.0;
    for (auto& day : byDay)
        day.second = running += day.second;
    return byDay;
}

// The least the product's stock holds at the end of day or of a later day, in hundredths.
long long LowestStockFrom(unsigned long long product, long long day)
{
    long long lowest = Bani(SumStockMovements(product, 0, EndOfDay(day)).Stock());
    for (auto& later : StockByDay(product))
        lowest = later.first >= day ? std::min(lowest, Bani(later.second)) : lowest;
    return lowest;
}

// The rule and stocReal agree; never below 0 at the end of any day.
void CheckStock(const Ledger& ledger, TempDatabase& db, std::ostream& out)
{
    for (unsigned long long product : ledger.products) {
        long long rule = Bani(SumStockMovements(product, 0, kFarFuture).Stock());
        long long stocReal = Bani(db.Number(SqlFormat(L"select stocReal from Produse where id = %llu", product).c_str()));
        if (rule != stocReal)
            out << "stock: product " << product << " rule " << rule << " stocReal " << stocReal << "\n";
        for (auto& day : StockByDay(product))
            if (Bani(day.second) < 0) {
                out << "stock: product " << product << " falls to " << Bani(day.second) << " on day " << day.first << "\n";
                break;
            }
    }
}

// The stock at the end of `day`: the last running figure of a day not after it.
double StockAt(const std::map<long long, double>& byDay, long long day)
{
    auto after = byDay.upper_bound(day);
    return after == byDay.begin() ? 0.0 : std::prev(after)->second;
}

// No write but a temporary invoice's save lowers any day-end stock below 0:
// against the stock by day after the previous step, a day now below 0 and
// lower is a fault unless a temporary invoice's line was written meanwhile.
void CheckNothingLowersBelowZero(Ledger& ledger, TempDatabase& db, std::ostream& out)
{
    std::set<std::wstring> invoiceLines;
    for (auto q = db.Db().ExecQuery(L"select h.id || ' ' || h.dataCreare || ' ' || a.id || ' ' || a.produsID || 'x' || "
                                    L"a.cantitate from Facturi h join ArticoleFacturi a on a.IDFactura = h.id where "
                                    L"h.status = 1 and a.cantitate > 0");
         !q.Eof(); q.NextRow())
        invoiceLines.insert(q.GetStringField(0).c_str());
    bool invoiceSaved = false;
    for (const std::wstring& line : invoiceLines)
        invoiceSaved = invoiceSaved || !ledger.temporaryInvoiceLines.count(line);
    ledger.temporaryInvoiceLines = invoiceLines;
    for (unsigned long long product : ledger.products) {
        std::map<long long, double> now = StockByDay(product), &before = ledger.dayStocks[product];
        std::set<long long> days;
        for (auto* byDay : {&now, &before})
            for (auto& day : *byDay)
                days.insert(day.first);
        for (long long day : days) {
            long long was = Bani(StockAt(before, day)), is = Bani(StockAt(now, day));
            if (is < 0 && is < was && !invoiceSaved) {
                out << "stock: product " << product << " lowered from " << was << " to " << is << " on day " << day
                    << "\n";
                break;
            }
        }
        before = now;
    }
}

// Every document not cancelled keeps at least one line.
void CheckLines(TempDatabase& db, std::ostream& out)
{
    for (int tip = 0; tip < 4; ++tip) {
        std::wstring empty = db.Text(SqlFormat(L"select group_concat(id) from %s h where status <> 3 and not exists "
                                               L"(select 1 from %s where IDFactura = h.id)",
                                               DocumentHeaderTable(tip), DocumentLineTable(tip)).c_str());
        if (!empty.empty())
            out << "lines: " << Narrow(DocumentHeaderTable(tip)) << " without lines: " << Narrow(empty) << "\n";
    }
}

// A reversal negates its document's lines and totals and both owe nothing.
void CheckReversals(const Ledger& ledger, TempDatabase& db, std::ostream& out)
{
    for (const Reversal& r : ledger.reversals) {
        // No reversal found (0): the sums are the original's alone.
        micro::utils::QString pair = SqlFormat(L"(%llu, %llu)", r.original.id, r.reversal);
        std::wstring sums = db.Text(SqlFormat(L"select cast(round(total(valoareFT) * 100) as int) || ' ' || "
                                              L"cast(round(total(valoareTTI) * 100) as int) || ' ' || "
                                              L"cast(round(total(abs(sold)) * 100) as int) || ' ' || min(status) "
                                              L"from %s where id in %s", DocumentHeaderTable(r.original.tip),
                                              pair.c_str()).c_str());
        std::wstring lines = db.Text(SqlFormat(L"select group_concat(produsID) from (select produsID from %s where "
                                               L"IDFactura in %s group by produsID having round(total(cantitate) * "
                                               L"100) <> 0)", DocumentLineTable(r.original.tip), pair.c_str()).c_str());
        if (sums != L"0 0 0 4" || !lines.empty())
            out << "reversal: type " << r.original.tip << " id " << r.original.id << " and " << r.reversal
                << " net/total/balance/status " << Narrow(sums) << ", products not netted '" << Narrow(lines) << "'\n";
    }
}

std::string CheckAll(TempDatabase& db, Ledger& ledger)
{
    std::ostringstream out;
    CheckBalances(db, out), CheckNumbers(db, ledger.counters, out), CheckStock(ledger, db, out);
    CheckLines(db, out), CheckReversals(ledger, db, out), CheckKinds(db, ledger.kinds, out);
    CheckPartnerBalances(db, out);
    CheckNothingLowersBelowZero(ledger, db, out);
    return out.str();
}

} // namespace books
