#pragma once
#include <vector>
#include "database/Schema.h"
#include "database/StockRule.h"
#include "framework/utils/QString.h"

// A general stock movement: a general entry (kind 0) brings goods into stock,
// a general exit (kind 1) takes them out. What differs between the kinds.
struct StockMoveKind {
    const wchar_t* headerTable;
    const wchar_t* itemTable;
    const wchar_t* counterColumn; // of iduri
    int counterKey;               // GetLastDocumentId key of the counter
    const wchar_t* editorTitle;
    const wchar_t* listTitle;
    const wchar_t* printTitle;
    const wchar_t* ledgerText;    // Stocuri.IDClient
    long long ledgerType;         // Stocuri.tip
    int sign;                     // +1 entry, -1 exit
};
// Kind 0 is an entry; any other kind an exit.
const StockMoveKind& StockMoveKindOf(int kind);

enum StockMovementStatus : unsigned long long {
    StockMoveNew = 0,
    StockMoveTemporary = 1,
    StockMoveValidated = 2,
    StockMoveCancelled = 3,
};
// The list's word for a stored status ("" for an unknown one).
const wchar_t* StockMoveStatusText(unsigned long long status);

// The header stores the day two hours earlier than the editor holds it; the
// ledger rows keep the editor's date, and the stock rule counts it.
const long long kStoredDateShift = kMovementDateShift;

struct StockMoveRow {
    unsigned long long productId;
    double quantity;
    double price; // unit price without VAT
    double ft, tva, tti;
};

struct StockMoveHeader {
    unsigned long long id = 0;     // 0: never stored
    long long date = 0;            // as the editor holds it (Unix seconds)
    unsigned long long status = StockMoveNew;
    unsigned long long user = 0;
};

// The number a new movement will get: one more than both the counter and the
// largest stored id, so header id, number and the items' IDIntrare agree.
unsigned long long NextStockMoveNumber(int kind);

// Reads a stored movement's header (false: no such row); the date comes back
// as the editor holds it.
bool LoadStockMoveHeader(int kind, unsigned long long id, StockMoveHeader& header, double totals[3]);

// Why a save or a validation of a movement wrote nothing: the first line, in
// list order, whose quantity is not above 0 (counted in thousandths, as
// quantities are typed), or at a validation the first line the stock does not
// cover.
struct StockMoveRefusal {
    enum Reason { None, ZeroQuantity, NegativeQuantity, StockShort };
    Reason reason = None;
    int line = -1;
    unsigned long long product = 0;
    bool Refused() const { return reason != None; }
};
// "La linia N, <produs>" and what is wrong with the line.
micro::utils::QString StockMoveRefusalText(const StockMoveRefusal& refusal);

// Writes items, header and (for a new movement) the counter as one
// transaction; a new movement takes its number inside it and its header is
// inserted with that id, which header.id then holds. A movement with a line
// not above 0 is refused with nothing written. A database failure throws
// micro::qsql::QSqlError with nothing written.
StockMoveRefusal SaveStockMove(int kind, StockMoveHeader& header, const std::vector<StockMoveRow>& rows);

// Stores the cancellation (status 3): a stored movement keeps its items; a
// movement never stored is stored without items, so its number is used up.
// A validated movement whose lines some later stock needs is refused with
// nothing written: the refusal names its first such stored line.
StockRefusal CancelStockMove(int kind, StockMoveHeader& header);

// Applies the rows to the products' stock in list order, writes a Stocuri row
// for each, and saves the movement as validated, all in one transaction.
// Refused, with nothing at all written, when a line is not above 0 (a
// movement stored so by an older program too) or when a row would take its
// product's stock (as the stock rule counts it at the movement's day) below
// 0. A database failure throws with nothing written.
StockMoveRefusal ValidateStockMove(int kind, StockMoveHeader& header, const std::vector<StockMoveRow>& rows);
