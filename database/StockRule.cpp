#include "database/StockRule.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "sqlite3.h"
#include <cmath>
#include <string>
#include <utility>

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;

namespace {

// The rule of which headers count, by source.
const wchar_t kDocumentCounts[] = L"h.status IS NOT 3";
const wchar_t kMovementCounts[] = L"h.status = 2";

struct Source {
    int source;
    const wchar_t* header;
    const wchar_t* lines;
    const wchar_t* link;
    const wchar_t* number;
    const wchar_t* partner;
    const wchar_t* price;
    const wchar_t* counts;
    long long shift;  // what the stored date lacks of the day shown
};

const Source kSources[] = {
    {StockSourceInvoice, L"Facturi", L"ArticoleFacturi", L"IDFactura", L"h.numar", L"h.client", L"a.valoareFT",
     kDocumentCounts, 0},
    {StockSourceReceived, L"Niruri", L"ArticoleNiruri", L"IDFactura", L"h.numar", L"h.client", L"a.valoareFT",
     kDocumentCounts, 0},
    {StockSourceEntry, L"IntrariGenerale", L"ArticoleIntrariGenerale", L"IDIntrare", L"h.id", L"0", L"a.pret",
     kMovementCounts, kMovementDateShift},
    {StockSourceExit, L"IesiriGenerale", L"ArticoleIesiriGenerale", L"IDIntrare", L"h.id", L"0", L"a.pret",
     kMovementCounts, kMovementDateShift},
};

// A source's stored date as the day it counts on, and a bound of that day
// as the stored column compares to it (so the column's index still serves).
std::wstring CountedDate(const Source& s)
{
    return s.shift ? L"h.dataCreare + " + std::to_wstring(s.shift) : std::wstring(L"h.dataCreare");
}
std::wstring StoredBound(const Source& s, const wchar_t* bound)
{
    return s.shift ? L"(" + std::wstring(bound) + L" - " + std::to_wstring(s.shift) + L")" : std::wstring(bound);
}

// The one movement query: ?1 product (when oneProduct), ?2 and ?3 the dates.
// The join order is fixed: one product's lines are found by product, then
// their headers; all products' stock walks the headers, then their lines.
// Columns: 0 date, 1 source, 2 number, 3 document id, 4 line id, 5 status,
// 6 partner, 7 quantity, 8 price, 9 product, 10 the first second of the
// date's UTC day, 11 whether the line takes stock out (1) or not (0): an
// invoice's or exit's line above 0, a goods-received or entry line below 0.
std::wstring MovementBranches(bool oneProduct)
{
    std::wstring sql;
    for (const Source& s : kSources) {
        if (!sql.empty())
            sql += L" UNION ALL ";
        const std::wstring date = L"(" + CountedDate(s) + L")";
        sql += L"SELECT " + CountedDate(s) + L" AS data, " + std::to_wstring(s.source) + L" AS sursa, " + s.number +
               L" AS numar, h.id AS document, a.id AS linie, h.status AS status, " + s.partner +
               L" AS partener, a.cantitate AS cantitate, " + s.price + L" AS pret, a.produsID AS produs, " + date +
               L" - (" + date + L" % 86400 + 86400) % 86400 AS zi, a.cantitate " +
               (IsStockEntry(s.source) ? L"<" : L">") + L" 0 AS iese FROM " +
               (oneProduct ? std::wstring(s.lines) + L" a CROSS JOIN " + s.header + L" h"
                           : std::wstring(s.header) + L" h CROSS JOIN " + s.lines + L" a") +
               L" WHERE a." + s.link + L" = h.id AND " +
               (oneProduct ? L"a.produsID = ?1 AND " : L"") + L"h.dataCreare BETWEEN " + StoredBound(s, L"?2") +
               L" AND " + StoredBound(s, L"?3") + L" AND " + s.counts;
    }
    return sql;
}

// The stock check counts day-ends: within a day what comes in is listed
// before what goes out, so a running stock shows no dip the day never had;
// otherwise by date, source, number and line.
const std::wstring& RowsSql()
{
    static const std::wstring sql = MovementBranches(true) + L" ORDER BY 11, 12, 1, 2, 3, 5";
    return sql;
}

// One product's entries and exits: the same branches as the movement query,
// each summed on its own (a sum over the union would first copy every row).
std::wstring BranchSums(bool entries, const wchar_t* product = L"?1", const wchar_t* from = L"?2",
                        const wchar_t* to = L"?3")
{
    std::wstring sql;
    for (const Source& s : kSources) {
        if (IsStockEntry(s.source) != entries)
            continue;
        sql += sql.empty() ? L"(" : L" + ";
        sql += std::wstring(L"(SELECT TOTAL(a.cantitate) FROM ") + s.lines + L" a CROSS JOIN " + s.header +
               L" h WHERE a." + s.link + L" = h.id AND a.produsID = " + product + L" AND h.dataCreare BETWEEN " +
               StoredBound(s, from) + L" AND " + StoredBound(s, to) + L" AND " + s.counts + L")";
    }
    return sql + L")";
}

const std::wstring& SumsSql()
{
    static const std::wstring sql = L"SELECT " + BranchSums(true) + L", " + BranchSums(false);
    return sql;
}

// Every date a stock figure counts, from the first second of 1970 on.
const wchar_t kFirstDate[] = L"0";
const wchar_t kLastDateText[] = L"9223372036854775807";
const long long kLastDate = 9223372036854775807LL;

// Every source's counted lines dated after ?1, one row a line: the product
// and its quantity signed as it moves the stock (an exit negative).
// Each branch walks the headers of the period by date, then their lines.
// Summed here, not grouped in SQL: grouping sorts every line of the period.
const std::wstring& AllSql()
{
    static const std::wstring sql = [] {
        std::wstring text;
        for (const Source& s : kSources) {
            if (!text.empty())
                text += L" UNION ALL ";
            text += std::wstring(L"SELECT a.produsID, ") + (IsStockEntry(s.source) ? L"" : L"-") +
                    L"a.cantitate FROM " + s.header + L" h CROSS JOIN " + s.lines + L" a WHERE a." + s.link +
                    L" = h.id AND h.dataCreare > " + StoredBound(s, L"?1") + L" AND " + s.counts;
        }
        return text;
    }();
    return sql;
}

std::wstring PartnerBranches(PartnerKind kind)
{
    const wchar_t* documents = kind == PartnerSupplier ? L"Niruri" : L"Facturi";
    const wchar_t* cash = kind == PartnerSupplier ? L"Plati" : L"Incasari";
    // A payment's day is the one its editor shows.
    const std::wstring shift = std::to_wstring(kind == PartnerSupplier ? kPaymentDateShift : 0);
    return std::wstring(L"SELECT h.dataCreare AS data, 0 AS sursa, h.numar AS numar, h.id AS id, "
                        L"h.valoareTTI AS suma FROM ") +
           documents + L" h WHERE h.client = ?1 AND h.dataCreare BETWEEN ?2 AND ?3 AND " + kDocumentCounts +
           L" UNION ALL SELECT h.data + " + shift + L", 1, h.numar, h.id, h.suma FROM " + cash +
           L" h WHERE h.IDClient = ?1 AND h.data BETWEEN ?2 - " + shift + L" AND ?3 - " + shift +
           L" AND h.status = 2";
}

const std::wstring& PartnerRowsSql(PartnerKind kind)
{
    static const std::wstring sql[2] = {PartnerBranches(PartnerClient) + L" ORDER BY 1, 2, 3, 4",
                                        PartnerBranches(PartnerSupplier) + L" ORDER BY 1, 2, 3, 4"};
    return sql[kind == PartnerSupplier ? 1 : 0];
}

std::wstring PartnerSumsSql(PartnerKind kind)
{
    return L"SELECT TOTAL(CASE WHEN sursa = 0 THEN suma END), TOTAL(CASE WHEN sursa = 1 THEN suma END), COUNT(*) FROM (" +
           PartnerBranches(kind) + L")";
}

// The connection's last error, as the wrapper reports its own.
[[noreturn]] void ThrowLastError(sqlite3* handle, int rc)
{
    throw QSqlError::FromConnection(handle, rc);
}

// A cached statement's read ended with `rc`: reset at once (a statement left
// stepping would hold its read open), raising what failed.
void EndCachedRead(sqlite3* handle, sqlite3_stmt* stmt, int rc)
{
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        try {
            ThrowLastError(handle, rc);
        } catch (...) {
            sqlite3_reset(stmt);
            throw;
        }
    }
    sqlite3_reset(stmt);
}

// Binds the three integer parameters every stock query takes.
void BindThree(sqlite3_stmt* stmt, long long p1, long long p2, long long p3)
{
    sqlite3_bind_int64(stmt, 1, p1);
    sqlite3_bind_int64(stmt, 2, p2);
    sqlite3_bind_int64(stmt, 3, p3);
}

// A query compiled once per call with its three integer parameters bound.
QsqlQuery RunBound(const std::wstring& sql, long long p1, long long p2, long long p3)
{
    MyRepository& db = GetRepository();
    sqlite3* handle = db.GetHandle();
    if (!handle)
        throw QSqlError::NotOpen();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare16_v2(handle, sql.c_str(), -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        BindThree(stmt, p1, p2, p3);
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW || rc == SQLITE_DONE)
            return QsqlQuery(handle, stmt, rc == SQLITE_DONE);
    }
    // The message is read before the statement goes: finalizing may reset it.
    try {
        ThrowLastError(handle, rc);
    } catch (...) {
        sqlite3_finalize(stmt);
        throw;
    }
}

} // namespace

bool IsStockEntry(int source)
{
    return source == StockSourceReceived || source == StockSourceEntry;
}

bool StockCovers(double stock, double need)
{
    double left = stock - need;
    // Beyond what thousandths can count in 64 bits, the figures compare as they are.
    if (!(std::fabs(left) < 1e15))
        return left >= 0;
    return std::llround(left * 1000) >= 0;
}

StockTally::StockTally(long long date, int ownSource, unsigned long long ownId, bool coverLines)
    : m_date(date), m_coverLines(coverLines), m_ownSource(ownSource), m_ownId(ownId), m_firstDay(StartOfDay(date))
{
    // The check starts at the earlier of the two days: leaving out the own
    // lines changes the stock from their day on.
    if (ownId && ownSource >= 0 && ownSource < 4) {
        const Source& s = kSources[ownSource];
        QsqlQuery q = RunBound(L"SELECT " + CountedDate(s) + L" FROM " + s.header + L" h WHERE h.id = ?1 AND " +
                                   s.counts,
                               static_cast<long long>(ownId), 0, 0);
        if (!q.Eof() && !q.FieldIsNull(0) && StartOfDay(q.GetIntField(0)) < m_firstDay)
            m_firstDay = StartOfDay(q.GetIntField(0));
    }
}

const std::vector<StockTally::DayStock>& StockTally::Days(unsigned long long product)
{
    auto found = m_days.find(product);
    if (found != m_days.end())
        return found->second;
    std::vector<DayStock>& days = m_days[product];
    double stock = m_firstDay > 0 ? SumStockMovements(product, 0, m_firstDay - 1).Stock() : 0.0;
    double own = 0.0;
    days.push_back({m_firstDay, stock, own});
    ReadStockMovements(product, m_firstDay, kLastDate, [&](const StockMovementRow& row) {
        double change = IsStockEntry(row.source) ? row.quantity : -row.quantity;
        if (row.source == m_ownSource && static_cast<unsigned long long>(row.documentId) == m_ownId)
            own += change;
        else
            stock += change;
        long long day = StartOfDay(row.date);
        if (day != days.back().start)
            days.push_back({day, stock, own});
        days.back().stock = stock;
        days.back().own = own;
    });
    // The write's own day is always looked at, also when the check starts
    // earlier (its stored day) and no line falls on it: a document moved past
    // every later line still takes its lines on that day.
    long long day = StartOfDay(m_date);
    auto after = days.begin();
    while (after != days.end() && after->start < day)
        ++after;
    if (after == days.end() || after->start != day) {
        DayStock carried = *(after - 1);
        carried.start = day;
        days.insert(after, carried);
    }
    return days;
}

bool StockTally::Take(unsigned long long product, double quantity)
{
    double& needed = m_needed[product];
    needed += quantity;
    bool takesOut = m_coverLines && !StockCovers(0.0, needed);
    long long day = StartOfDay(m_date);
    for (const DayStock& d : Days(product)) {
        double taken = d.start >= day ? needed : 0.0;
        // What the write changes on this day against what is stored: only a
        // day it lowers, or a day the lines take from, is checked.
        bool lowers = !StockCovers(-d.own, taken);
        if ((lowers || (takesOut && d.start >= day)) && !StockCovers(d.stock, taken))
            return false;
    }
    return true;
}

namespace {

// The products of a stored document's or movement's lines, in line order.
std::vector<unsigned long long> StoredLineProducts(int source, unsigned long long headerId)
{
    std::vector<unsigned long long> products;
    if (!headerId || source < 0 || source > 3)
        return products;
    const Source& s = kSources[source];
    for (QsqlQuery q = RunBound(std::wstring(L"SELECT produsID FROM ") + s.lines + L" WHERE " + s.link +
                                    L" = ?1 ORDER BY id",
                                static_cast<long long>(headerId), 0, 0);
         !q.Eof(); q.NextRow())
        products.push_back(q.GetIdField(0));
    return products;
}

} // namespace

StockRefusal CheckStockWrite(int source, unsigned long long ownId, long long date, const std::vector<StockLine>& lines)
{
    StockTally tally(date, source, ownId, false);
    double out = IsStockEntry(source) ? -1.0 : 1.0;
    // By product: the first line its running sum fell short at, and whether
    // the sum of all its lines still does (a later entry line may mend it).
    std::map<unsigned long long, int> firstShort;
    std::map<unsigned long long, bool> shortAtEnd;
    for (size_t i = 0; i < lines.size(); ++i) {
        unsigned long long product = lines[i].product;
        if (!shortAtEnd.count(product) && !ProductHoldsStock(product))
            continue;
        bool covered = tally.Take(product, out * lines[i].quantity);
        shortAtEnd[product] = !covered;
        if (!covered)
            firstShort.emplace(product, static_cast<int>(i));
    }
    StockRefusal refusal;
    for (const auto& product : shortAtEnd)
        if (product.second && (!refusal.Refused() || firstShort[product.first] < refusal.line))
            refusal = {firstShort[product.first], product.first};
    if (refusal.Refused())
        return refusal;
    // The products only the stored lines had: the write takes all of them back.
    std::vector<unsigned long long> stored = StoredLineProducts(source, ownId);
    for (size_t i = 0; i < stored.size(); ++i) {
        unsigned long long product = stored[i];
        if (shortAtEnd.count(product) || !ProductHoldsStock(product))
            continue;
        shortAtEnd[product] = false;
        if (!tally.Take(product, 0.0))
            return {static_cast<int>(i), product, true};
    }
    return refusal;
}

StockRefusal CheckStockWithdrawal(int source, unsigned long long ownId, long long date)
{
    StockRefusal refusal = CheckStockWrite(source, ownId, date, {});
    refusal.lineRemoved = false;
    return refusal;
}

int FirstUncoveredLine(long long date, unsigned long long ownInvoiceId, const std::vector<StockLine>& lines)
{
    StockTally tally(date, StockSourceInvoice, ownInvoiceId);
    for (size_t i = 0; i < lines.size(); ++i)
        if (ProductHoldsStock(lines[i].product) && !tally.Take(lines[i].product, lines[i].quantity))
            return static_cast<int>(i);
    return -1;
}

micro::utils::QString StockRefusalText(const StockRefusal& refusal)
{
    const wchar_t reason[] = L"Cantitate Insufucienta in stoc !";
    if (!refusal.lineRemoved)
        return LineRefusalText(refusal.line, refusal.product, reason);
    micro::utils::QString name;
    GetProductTextField(name, refusal.product, 1);
    return L"Linia cu " + name + L" a fost scoasa din document\n" + reason;
}

micro::utils::QString LineRefusalText(int line, unsigned long long product, const wchar_t* reason)
{
    micro::utils::QString name;
    GetProductTextField(name, product, 1);
    return micro::utils::QString::Formatted(L"La linia %d, ", line + 1) + name + L"\n" + reason;
}

bool ProductHoldsStock(unsigned long long product)
{
    micro::utils::QString category;
    GetProductTextField(category, product, 7);
    return product != 0 && !(category == L"2");
}

void RefreshStoredStock(const std::set<unsigned long long>& productIds)
{
    MyRepository& db = GetRepository();
    for (unsigned long long product : productIds) {
        double stock = SumStockMovements(product, 0, kLastDate).Stock();
        sqlite3_stmt* stmt = db.CachedStatement(L"UPDATE Produse SET stocReal = ?1 WHERE id = ?2");
        sqlite3_reset(stmt);
        sqlite3_bind_double(stmt, 1, stock);
        sqlite3_bind_int64(stmt, 2, static_cast<long long>(product));
        int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE)
            ThrowLastError(db.GetHandle(), rc);
    }
}

std::set<unsigned long long> StockProductsOf(int source, unsigned long long headerId)
{
    std::set<unsigned long long> products;
    const Source& s = kSources[source < 0 || source > 3 ? 0 : source];
    for (QsqlQuery q = RunBound(std::wstring(L"SELECT DISTINCT produsID FROM ") + s.lines + L" WHERE " + s.link +
                                    L" = ?1",
                                static_cast<long long>(headerId), 0, 0);
         !q.Eof(); q.NextRow())
        products.insert(q.GetIdField(0));
    return products;
}

const wchar_t* RecomputeAllStoredStockSql()
{
    static const std::wstring sql = L"UPDATE Produse SET stocReal = " +
                                    BranchSums(true, L"Produse.id", kFirstDate, kLastDateText) + L" - " +
                                    BranchSums(false, L"Produse.id", kFirstDate, kLastDateText);
    return sql.c_str();
}

long long StartOfDay(long long date)
{
    return EndOfDay(date) - 86399;
}

void ReadStockMovements(unsigned long long productId, long long from, long long to,
                        const std::function<void(const StockMovementRow&)>& onRow)
{
    for (QsqlQuery q = RunBound(RowsSql(), static_cast<long long>(productId), from, to); !q.Eof(); q.NextRow()) {
        StockMovementRow row;
        row.date = q.GetIntField(0);
        row.source = static_cast<int>(q.GetIntField(1));
        row.number = q.GetIntField(2);
        row.documentId = q.GetIntField(3);
        row.lineId = q.GetIntField(4);
        row.status = q.GetIntField(5);
        row.partner = q.GetIntField(6);
        row.quantity = q.GetFloatField(7, 0.0);
        row.price = q.GetFloatField(8, 0.0);
        onRow(row);
    }
}

// Asked once per product by every validation and look-up: the statement
// stays compiled on the connection (compiling the movement query costs more
// than running it).
StockSums SumStockMovements(unsigned long long productId, long long from, long long to)
{
    MyRepository& db = GetRepository();
    sqlite3_stmt* stmt = db.CachedStatement(SumsSql().c_str());
    sqlite3_reset(stmt);
    BindThree(stmt, static_cast<long long>(productId), from, to);
    int rc = sqlite3_step(stmt);
    StockSums sums;
    if (rc == SQLITE_ROW) {
        sums.in = sqlite3_column_double(stmt, 0);
        sums.out = sqlite3_column_double(stmt, 1);
    }
    EndCachedRead(db.GetHandle(), stmt, rc);
    return sums;
}

namespace {

// What the lines after a day moved, by product, in a table indexed by id
// (ids are given in order, so the catalogue's are dense); an id beyond it
// goes to a map beside it.
class StockTable {
public:
    void Add(unsigned long long id, double moved)
    {
        if (id >= kDenseLimit) {
            m_others[id] += moved;
            return;
        }
        if (id >= m_moved.size())
            m_moved.resize(id + 1, 0.0);
        m_moved[id] += moved;
    }
    double Of(unsigned long long id) const
    {
        if (id < m_moved.size())
            return m_moved[id];
        auto found = m_others.find(id);
        return found == m_others.end() ? 0.0 : found->second;
    }

private:
    static const unsigned long long kDenseLimit = 1ULL << 24;
    std::vector<double> m_moved;
    std::unordered_map<unsigned long long, double> m_others;
};

// The counted lines dated after `end`, one call a line with its product and
// what it moved (signed as it moves the stock), unsorted: grouping them in
// SQL would sort them all.
void EachLineAfter(long long end, const std::function<void(unsigned long long, double)>& onLine)
{
    MyRepository& db = GetRepository();
    sqlite3_stmt* stmt = db.CachedStatement(AllSql().c_str());
    sqlite3_reset(stmt);
    sqlite3_bind_int64(stmt, 1, end);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        onLine(static_cast<unsigned long long>(sqlite3_column_int64(stmt, 0)), sqlite3_column_double(stmt, 1));
    EndCachedRead(db.GetHandle(), stmt, rc);
}

} // namespace

std::unordered_map<unsigned long long, double> ReadAllStocks(long long end)
{
    std::unordered_map<unsigned long long, double> stocks;
    ReadProductStocks(end, [&](const ProductStockRow& row) { stocks[row.id] = row.stock; });
    return stocks;
}

// The catalogue is read once, its stored stock beside the columns shown.
// Its query, opened first, holds the file's read lock while the lines after
// the day are summed: one lock for both reads (taking one costs some 0.4 ms
// under Wine) and one state of the file.
void ReadProductStocks(long long end, const std::function<void(const ProductStockRow&)>& onRow)
{
    QsqlQuery q =
        RunBound(L"SELECT id, denumire, UM, pretCumparare, categorie, stocReal FROM Produse ORDER BY id", 0, 0, 0);
    StockTable moved;
    EachLineAfter(end, [&](unsigned long long id, double quantity) { moved.Add(id, quantity); });
    ProductStockRow row;
    for (; !q.Eof(); q.NextRow()) {
        row.id = q.GetIdField(0);
        row.name = q.GetTextField(1);
        row.unit = q.GetTextField(2);
        row.price = q.GetFloatField(3, 0.0);
        row.category = q.GetTextField(4);
        row.stock = q.GetFloatField(5, 0.0) - moved.Of(row.id);
        onRow(row);
    }
}

const wchar_t* StockMovementsSql() { return RowsSql().c_str(); }
const wchar_t* StockSumsSql() { return SumsSql().c_str(); }
const wchar_t* AllStocksSql() { return AllSql().c_str(); }
const wchar_t* PartnerLedgerSql(PartnerKind kind) { return PartnerRowsSql(kind).c_str(); }

PartnerSums SumPartnerLedger(PartnerKind kind, unsigned long long partnerId, long long from, long long to)
{
    QsqlQuery q = RunBound(PartnerSumsSql(kind), static_cast<long long>(partnerId), from, to);
    PartnerSums sums;
    if (!q.Eof()) {
        sums.debit = q.GetFloatField(0, 0.0);
        sums.credit = q.GetFloatField(1, 0.0);
        sums.count = q.GetIntField(2);
    }
    return sums;
}

void ReadPartnerLedger(PartnerKind kind, unsigned long long partnerId, long long from, long long to,
                       const std::function<void(const PartnerLedgerRow&)>& onRow)
{
    for (QsqlQuery q = RunBound(PartnerRowsSql(kind), static_cast<long long>(partnerId), from, to); !q.Eof();
         q.NextRow()) {
        PartnerLedgerRow row;
        row.date = q.GetIntField(0);
        row.source = static_cast<int>(q.GetIntField(1));
        row.number = q.GetIntField(2);
        row.id = q.GetIntField(3);
        row.amount = q.GetFloatField(4, 0.0);
        onRow(row);
    }
}
