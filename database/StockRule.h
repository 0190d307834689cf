#pragma once
#include <functional>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>
#include "framework/utils/QString.h"

// Which records move stock and money, said once for every report and for the
// stock check of every validation:
// - invoice and goods-received lines count unless their document is
//   cancelled (status 3): a storno and the invoice it reverses net to zero;
// - general entries and exits count only once validated (status 2), the same
//   event that changes Produse.stocReal, on the day their editor shows
//   (kMovementDateShift after the stored dataCreare);
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

// The product's counted lines dated in [from, to] by day; within a day those
// bringing stock in before those taking it out, so a running stock within a
// day never falls below the lower of the day's opening and close (the stock
// check counts day-ends); each group by date, then source, number and line
// id, so two identical lines of one document are both there.
void ReadStockMovements(unsigned long long productId, long long from, long long to,
                        const std::function<void(const StockMovementRow&)>& onRow);

// Quantities in and out of the product's counted lines dated in [from, to].
struct StockSums {
    double in = 0.0;
    double out = 0.0;
    double Stock() const { return in - out; }
};
StockSums SumStockMovements(unsigned long long productId, long long from, long long to);

// The stock of every catalogue product at the end of `end` (inclusive), by
// product id, as ReadProductStocks gives it.
std::unordered_map<unsigned long long, double> ReadAllStocks(long long end);

// A catalogue row as the stock list shows it, with its stock at a day. The
// texts are the file's own, valid during the call that hands the row over.
struct ProductStockRow {
    unsigned long long id = 0;
    const wchar_t* name = L"";
    const wchar_t* unit = L"";
    const wchar_t* category = L"";
    double price = 0.0; // pretCumparare
    double stock = 0.0;
};
// Every product in id order with its stock at the end of `end`: the stored
// stock (which the rule keeps) less the counted lines dated after, the
// catalogue read once for both.
void ReadProductStocks(long long end, const std::function<void(const ProductStockRow&)>& onRow);

// Whether a stock covers a need, compared in thousandths, the finest a
// quantity is typed in (0.3 less 0.1 less 0.2 is no shortage, 1.5 less 1.504
// is); exactly the need passes.
bool StockCovers(double stock, double need);

// The stock check of every validation and every write that takes stock out
// (saves go through CheckStockWrite below, which hands it the whole write):
// a document's or movement's lines, in order, add up per product and
// count at the end of `date`'s day; the product's stock by the rule must then
// stay at 0 or above on that day and on every later day. The lines the rule
// already counts of the document itself (ownSource, ownId) are left out, as
// the write replaces them. A change that only brings stock in is never refused.
class StockTally {
public:
    // With `coverLines` false only the days the write lowers against what is
    // stored are checked: a save that changes nothing is never refused.
    StockTally(long long date, int ownSource = -1, unsigned long long ownId = 0, bool coverLines = true);

    // Adds the line (a negative quantity gives stock back; 0 checks what
    // leaving out the document's own lines does); false when the stock would
    // fall below 0 on some day.
    bool Take(unsigned long long product, double quantity);

private:
    // The product's stock at the end of each day with lines, from the first
    // day the check looks at, without the own lines, and what they counted.
    struct DayStock {
        long long start;
        double stock;
        double own;
    };
    const std::vector<DayStock>& Days(unsigned long long product);

    long long m_date;
    bool m_coverLines;
    int m_ownSource;
    unsigned long long m_ownId;
    long long m_firstDay;
    std::map<unsigned long long, std::vector<DayStock>> m_days;
    std::map<unsigned long long, double> m_needed;
};

// One line of a document or general movement as its table stores it: an
// invoice's or exit's quantity goes out, a goods-received or entry's comes in.
struct StockLine {
    unsigned long long product = 0;
    double quantity = 0.0;
};

// Where a write is refused: the index of its first line, in order, of a
// product whose stock it leaves below 0 on a day it lowers, or else of the
// first stored line of such a product the write removes; -1 when none is.
// `lineRemoved`: the product is on none of the write's lines, its line was
// taken off (`line` then counts the stored lines, which the user no longer sees).
struct StockRefusal {
    int line = -1;
    unsigned long long product = 0;
    bool lineRemoved = false;
    bool Refused() const { return line >= 0; }
};

// The stock check of every write that replaces what a document or movement
// of `source` stored (`ownId` 0: a new one) with `lines` on `date`: the lines
// the rule will count after the write (none for a cancel or a reversal). It
// looks at the products of the lines, and of the stored lines the write
// removes, from the earlier of the stored and the new day on; a product's
// lines add up, so only the write as a whole is judged.
StockRefusal CheckStockWrite(int source, unsigned long long ownId, long long date, const std::vector<StockLine>& lines);
// The same check for a cancel or a reversal: none of the stored lines count
// after it, yet they all stay on the document, so a refusal names the line
// that holds the product.
StockRefusal CheckStockWithdrawal(int source, unsigned long long ownId, long long date);
// The stock check of a document's validation, in the editor or from its
// list: the lines, in order, go out at the end of `date`'s day, replacing the
// stored lines of the invoice `ownInvoiceId` (0: none counted yet). Answers
// the index of the first line the stock does not cover, -1 when all are;
// products that hold no stock are not looked at.
int FirstUncoveredLine(long long date, unsigned long long ownInvoiceId, const std::vector<StockLine>& lines);
// "La linia N, <produs>\nCantitate Insufucienta in stoc !" for a refusal; for
// a product whose line was taken off, the product and that, without a line
// number it no longer holds.
micro::utils::QString StockRefusalText(const StockRefusal& refusal);
// "La linia N, <produs>\n<reason>": how a refusal names the line (index `line`) it stopped at.
micro::utils::QString LineRefusalText(int line, unsigned long long product, const wchar_t* reason);

// Whether the stock check looks at a product: not the discount line's
// product 0, nor a service (category "2").
bool ProductHoldsStock(unsigned long long product);

// Writes Produse.stocReal of each product as the rule's stock of all its
// counted lines, whatever their date; run inside the caller's transaction by
// every write that changes what the rule counts.
void RefreshStoredStock(const std::set<unsigned long long>& productIds);
// The products with lines on the document or movement of the source.
std::set<unsigned long long> StockProductsOf(int source, unsigned long long headerId);
// The statement that writes every product's stocReal from its lines at once
// (for files made before stocReal was kept).
const wchar_t* RecomputeAllStoredStockSql();

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
