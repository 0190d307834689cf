#pragma once
#include <cstddef>
#include <vector>
#include "cash/Settlement.h"
#include "framework/gui/QListCtrl.h"
#include "framework/utils/QArray.h"

namespace micro {
namespace qsql {
class QsqlQuery;
}
} // namespace micro

// The report lists of the receipt and payment windows.

struct ListColumn {
    const wchar_t* title;
    int width;
    int format;
};

// Full-row selection, tips, double buffering and the explorer look, then the columns.
void SetupList(micro::gui::QListCtrl& list, const ListColumn* columns, size_t count);
template <size_t N>
void SetupList(micro::gui::QListCtrl& list, const ListColumn (&columns)[N])
{
    SetupList(list, columns, N);
}

// An editor's row for a document it settles, at index: number, the date in
// the format given (none without one), net, VAT, total, status word and
// balance, the id as item data, in blue.
void InsertDocumentRow(micro::gui::QListCtrl& list, int index, const settlement::DocumentRow& row,
                       const wchar_t* dateFormat);
// The rows' item data: the ids of the documents listed, in list order.
std::vector<unsigned long long> RowIds(const micro::gui::QListCtrl& list);
// The ids as a save keeps them in the documente column: "12,13".
micro::utils::QString DocumentIdsText(const std::vector<unsigned long long>& ids);

// A stored receipt or payment as far as its documents go.
struct StoredDocuments {
    unsigned long long ownerId = 0;
    long long status = 0;
    unsigned long long partner = 0;
    bool idsKept = false;            // documente was written (not NULL)
    micro::utils::QString documente; // "12,13"
    micro::utils::QString facturi;   // the numbers text
};
// The documents it was made over, in the order listed: a validated one's
// from its allocation records, otherwise from the ids its save kept; a row
// saved before the ids were kept, by the numbers of its text.
std::vector<settlement::DocumentRow> StoredDocumentRows(const settlement::DocumentTable& table,
                                                        settlement::Source source, const StoredDocuments& stored);
// The columns of those rows the editors read back.
const int kDocumentNumberColumn = 0;
const int kDocumentBalanceColumn = 6;
// The listed documents' balances together, in whole bani.
long long ListedBalancesBani(const micro::gui::QListCtrl& list);

// One receipt or payment as its list shows it: the id and the ready-made
// texts of its row, so the search reads the words the row shows.
struct CashRecord {
    unsigned long long id = 0;
    micro::utils::QString idText, serie, numar, facturi, client;
    double suma = 0; // kept in full: 1 234 567.89 shows and is found as such
    micro::utils::QString sumaStr, data, status, tip, agent;
    unsigned long long rezervat = 0;
};

// The fields a search looks at, the first one selected.
void FillSearchFields(micro::gui::QCombo& combo);
// A record from a row of "select id, serie, numar, IDClient, facturi, suma,
// sumaStr, data, status, ..." (the type's text is the caller's).
CashRecord* ReadCashRecord(const micro::qsql::QsqlQuery& q);
// The records whose field (0 client, 1 number, 2 status, 3 amount) holds the
// search text, any case, as rows of columns: date, status, number, client,
// numbers, amount, words, agent, type. An empty text shows every record.
void ShowCashRecords(micro::gui::QListCtrl& list, const micro::utils::QObArray<CashRecord>& records,
                     const micro::utils::QString& text, int field);
