#pragma once
#include <functional>
#include <map>
#include <unordered_map>

// Which records move stock and money, said once for every report and for the
// stock check of every validation:
// - invoice and goods-received lines count unless their document is
//   cancelled (status 3): a storno and the invoice it reverses net to zero;
// - general entries and exits count only once validated (status 2), the same
//   event that changes Produse.stocReal;
// - receipts and payments credit their partner only once validated (status 2).
// Every query here raises micro::qsql::QSqlError to its caller.

// The literal source column of the movement query, also its order within one
// second of one day.
enum StockSource {
    StockSourceInvoice = 0,  // Facturi / ArticoleFacturi, goes out
    StockSourceReceived = 1, // Niruri / ArticoleNiruri, comes in
    StockSourceEntry = 2,    // IntrariGenerale, comes in
    StockSourceExit = 3,     // IesiriGenerale, goes out
};

bool IsStockEntry(int source);

// One line of one product on a document or a general movement.
struct StockMovementRow {
    long long date = 0;
    int source = 0;
    long long number = 0;     // numar of a document, id of a general movement
    long long documentId = 0; // the header's id
    long long lineId = 0;
    long long status = 0;
    long long partner = 0;    // Clienti id of a document, 0 for a movement
    double quantity = 0.0;
    double price = 0.0;       // unit price without VAT
};

// The product's counted lines dated in [from, to], by date, then source,
// number and line id, so two identical lines of one document are both there.
void ReadStockMovements(unsigned long long productId, long long from, long long to,
                        const std::function<void(const StockMovementRow&)>& onRow);

// Quantities in and out of the product's counted lines dated in [from, to].
struct StockSums {
    double in = 0.0;
    double out = 0.0;
    double Stock() const { return in - out; }
};
StockSums SumStockMovements(unsigned long long productId, long long from, long long to);

// The stock of every product with a counted line dated up to `end` (inclusive),
// by product id, in one grouped query.
std::unordered_map<unsigned long long, double> ReadAllStocks(long long end);

// Whether a stock covers a need, compared in hundredths as quantities show
// (0.3 less 0.1 less 0.2 is no shortage); exactly the need passes.
bool StockCovers(double stock, double need);

// The stock check of every validation (invoices, goods received, general
// entries and exits): a document's or movement's lines, in order, add up per
// product against the product's stock by the rule at the end of `date`'s
// day. The lines of the document itself that the rule already counts are
// given back first through `own`, so they are not taken twice.
class StockTally {
public:
    using OwnQuantity = std::function<double(unsigned long long product)>;
    explicit StockTally(long long date, OwnQuantity own = OwnQuantity());

    // Adds the line (a negative quantity gives stock back); false when the
    // product's lines so far need more than there is.
    bool Take(unsigned long long product, double quantity);

private:
    long long m_date;
    OwnQuantity m_own;
    std::map<unsigned long long, double> m_available;
    std::map<unsigned long long, double> m_needed;
};

// First second of the UTC day holding date (EndOfDay gives the last).
long long StartOfDay(long long date);

// The SQL texts behind the functions above, for query-plan checks.
const wchar_t* StockMovementsSql();
const wchar_t* StockSumsSql();
const wchar_t* AllStocksSql();

// One partner's ledger: documents (invoices of a client, goods-received notes
// of a supplier, both Clienti ids) and validated receipts or payments.
enum PartnerKind { PartnerClient = 0, PartnerSupplier = 1 };
enum PartnerSource { PartnerSourceDocument = 0, PartnerSourceCash = 1 };
struct PartnerLedgerRow {
    long long date = 0;
    int source = 0;
    long long number = 0;
    long long id = 0;  // the document's or the receipt's/payment's id
    double amount = 0.0;
};
// Sums before the period: debit of the counted documents, credit of the
// validated receipts or payments dated in [from, to].
struct PartnerSums {
    double debit = 0.0;
    double credit = 0.0;
    long long count = 0;  // records summed
};
PartnerSums SumPartnerLedger(PartnerKind kind, unsigned long long partnerId, long long from, long long to);
// Every counted record dated in [from, to] by date, source, number and id.
void ReadPartnerLedger(PartnerKind kind, unsigned long long partnerId, long long from, long long to,
                       const std::function<void(const PartnerLedgerRow&)>& onRow);
const wchar_t* PartnerLedgerSql(PartnerKind kind);
