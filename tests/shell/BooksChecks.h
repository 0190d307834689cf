// What must hold of the books after every operation of the random walk,
// each said once in a small helper that answers what it found wrong, one line per fault.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>
#include "tests/harness/TempDatabase.h"

namespace books {

struct Doc { int tip; unsigned long long id; };
// A reversed document and the reversal found in its own tables (0: none there).
struct Reversal { Doc original; unsigned long long reversal; };
struct Ledger {
    std::vector<unsigned long long> products;
    std::map<std::wstring, long long> counters;  // last value seen, by column
    std::vector<Reversal> reversals;
    // The stock by day after the previous step, and the temporary invoices' lines then.
    std::map<unsigned long long, std::map<long long, double>> dayStocks;
    std::set<std::wstring> temporaryInvoiceLines;
    // The kind each stored document was first read back as, by (table's type, id).
    std::map<std::pair<int, unsigned long long>, int> kinds;
};
const long long kFarFuture = 4102444800;  // 01-01-2100

long long Bani(double amount);
long long Bani(const std::wstring& cell);
// The header and the lines as stored, as one text.
std::wstring Snapshot(testing_support::TempDatabase& db, const Doc& doc);
// A document's lines (product, quantity, unit price, VAT code) and totals in hundredths.
std::wstring Figures(testing_support::TempDatabase& db, const Doc& doc);
long long Status(testing_support::TempDatabase& db, const Doc& doc);
// The type the document is read back as: its table's, and in the invoice
// tables a return invoice (4) when its total is below 0.
int StoredKind(testing_support::TempDatabase& db, const Doc& doc);
// Id, number and balance in hundredths of the table's documents still owing.
struct Open { unsigned long long id; long long number, balance; };
std::vector<Open> OpenDocuments(testing_support::TempDatabase& db, const wchar_t* table);
// The least the product's stock holds at the end of day or of a later day, in hundredths.
long long LowestStockFrom(unsigned long long product, long long day);
// Everything a general movement's save or validation may write: the stored
// stock, the stock ledger, both movement tables with their lines, the counters.
std::wstring MovementBooks(testing_support::TempDatabase& db);
// Every check, after a step: what it found wrong, one line per fault.
std::string CheckAll(testing_support::TempDatabase& db, Ledger& ledger);

} // namespace books
