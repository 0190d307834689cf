#include "stock/StockMoveStore.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include <climits>
#include <cmath>
#include <map>
#include <set>

using micro::qsql::QsqlQuery;
using micro::qsql::QsqlStatement;
using micro::qsql::QsqlTransaction;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

const StockMoveKind kKinds[2] = {
    {L"IntrariGenerale", L"ArticoleIntrariGenerale", L"idIntrari", 6, L"Intrare   ", L"Intari generale  ",
     L"Intrare Generala", L"INTRARE GENERALA", 3, +1},
    {L"IesiriGenerale", L"ArticoleIesiriGenerale", L"idIesiri", 7, L"Iesire  ", L"Iesiri generale ",
     L"Iesire Generala", L"IESIRE GENERALA", 4, -1},
};

// Takes the number inside the caller's transaction, so no other writer can
// take it between the read and the insert.
unsigned long long TakeNumber(const StockMoveKind& k)
{
    MyRepository& db = GetRepository();
    long long counter = db.ExecScalar(SqlFormat(L"select %s from iduri where id = 1", k.counterColumn).c_str());
    long long largest = db.ExecScalar(SqlFormat(L"select max(id) from %s", k.headerTable).c_str());
    long long number = (counter > largest ? counter : largest) + 1;
    return static_cast<unsigned long long>(number);
}

void WriteItems(const StockMoveKind& k, unsigned long long number, const std::vector<StockMoveRow>& rows)
{
    MyRepository& db = GetRepository();
    db.ExecDML(SqlFormat(L"delete from %s where IDIntrare = %llu", k.itemTable, number).c_str());
    QsqlStatement insert = db.CompileStatement(
        SqlFormat(L"insert into %s (id, produsID, cantitate, IDIntrare, pret) values (NULL, ?, ?, ?, ?)", k.itemTable)
            .c_str());
    for (const StockMoveRow& row : rows) {
        insert.Bind(1, static_cast<long long>(row.productId));
        insert.Bind(2, row.quantity);
        insert.Bind(3, static_cast<long long>(number));
        insert.Bind(4, row.price);
        insert.ExecDML();
    }
}

int StockSourceOfKind(const StockMoveKind& k) { return k.sign > 0 ? StockSourceEntry : StockSourceExit; }

// A movement states its direction by its kind: a line below 0 would turn an
// exit into an entry (and the reverse) past the stock check, so no line may
// be 0 or less. Counted in thousandths, as quantities are typed: 0.004 is a
// quantity.
StockMoveRefusal FirstQuantityRefused(const std::vector<StockMoveRow>& rows)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        double thousandths = std::round(rows[i].quantity * 1000);
        if (!(thousandths > 0))
            return {thousandths < 0 ? StockMoveRefusal::NegativeQuantity : StockMoveRefusal::ZeroQuantity,
                    static_cast<int>(i), rows[i].productId};
    }
    return {};
}

// Items, header and counter, and the stored stock of every product the
// movement had or has; the caller holds the transaction.
unsigned long long WriteMovement(const StockMoveKind& k, StockMoveHeader& header, const std::vector<StockMoveRow>& rows)
{
    MyRepository& db = GetRepository();
    bool isNew = header.id == 0;
    unsigned long long number = isNew ? TakeNumber(k) : header.id;
    std::set<unsigned long long> products;
    if (!isNew)
        products = StockProductsOf(StockSourceOfKind(k), number);
    for (const StockMoveRow& row : rows)
        products.insert(row.productId);
    WriteItems(k, number, rows);
    double totals[3] = {0.0, 0.0, 0.0};
    for (const StockMoveRow& row : rows) {
        totals[0] += row.ft;
        totals[1] += row.tva;
        totals[2] += row.tti;
    }
    QsqlStatement write = db.CompileStatement(
        SqlFormat(isNew ? L"insert into %s (dataCreare, status, valoareFT, valoareTVA, valoareTTI, utilizator, id) "
                          L"values (?, ?, ?, ?, ?, ?, ?)"
                        : L"update %s set dataCreare = ?, status = ?, valoareFT = ?, valoareTVA = ?, "
                          L"valoareTTI = ?, utilizator = ? where id = ?",
                  k.headerTable)
            .c_str());
    write.Bind(1, header.date - kStoredDateShift);
    write.Bind(2, static_cast<long long>(header.status));
    write.Bind(3, totals[0]);
    write.Bind(4, totals[1]);
    write.Bind(5, totals[2]);
    write.Bind(6, static_cast<long long>(header.user));
    write.Bind(7, static_cast<long long>(number));
    if (write.ExecDML() != 1)
        throw micro::qsql::QSqlError(micro::qsql::QSqlError::kWrapperError, L"Movement not found");
    if (isNew)
        db.ExecDML(SqlFormat(L"update iduri set %s = %llu where id = 1", k.counterColumn, number).c_str());
    header.id = number;
    RefreshStoredStock(products);
    return number;
}

} // namespace

const StockMoveKind& StockMoveKindOf(int kind) { return kKinds[kind == 0 ? 0 : 1]; }

const wchar_t* StockMoveStatusText(unsigned long long status)
{
    static const wchar_t* const texts[] = {L"?", L"Temporar", L"Validat", L"Anulat", L"Stornat"};
    return status < 5 ? texts[status] : L"";
}

unsigned long long NextStockMoveNumber(int kind) { return TakeNumber(StockMoveKindOf(kind)); }

bool LoadStockMoveHeader(int kind, unsigned long long id, StockMoveHeader& header, double totals[3])
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id, dataCreare, status, valoareFT, valoareTVA, valoareTTI from %s where id = %llu",
                  StockMoveKindOf(kind).headerTable, id)
            .c_str());
    if (q.Eof())
        return false;
    header.id = id;
    header.date = q.FieldIsNull(1) ? 0 : q.GetIntField(1) + kStoredDateShift;
    header.status = static_cast<unsigned long long>(q.GetIntField(2));
    for (int i = 0; i < 3; ++i)
        totals[i] = q.GetFloatField(3 + i, 0.0);
    return true;
}

StockMoveRefusal SaveStockMove(int kind, StockMoveHeader& header, const std::vector<StockMoveRow>& rows)
{
    StockMoveRefusal refusal = FirstQuantityRefused(rows);
    if (refusal.Refused())
        return refusal;
    StockMoveHeader draft = header;
    QsqlTransaction transaction(GetRepository());
    WriteMovement(StockMoveKindOf(kind), draft, rows);
    transaction.Commit();
    header = draft;
    return refusal;
}

QString StockMoveRefusalText(const StockMoveRefusal& refusal)
{
    switch (refusal.reason) {
    case StockMoveRefusal::ZeroQuantity: return LineRefusalText(refusal.line, refusal.product, L"Cantitatea este 0 !");
    case StockMoveRefusal::NegativeQuantity:
        return LineRefusalText(refusal.line, refusal.product, L"Cantitatea este negativa !");
    case StockMoveRefusal::StockShort: return StockRefusalText({refusal.line, refusal.product});
    default: return QString();
    }
}

StockRefusal CancelStockMove(int kind, StockMoveHeader& header)
{
    const StockMoveKind& k = StockMoveKindOf(kind);
    StockMoveHeader draft = header;
    draft.status = StockMoveCancelled;
    QsqlTransaction transaction(GetRepository());
    // A validated movement's lines leave what the rule counts.
    StockRefusal refusal;
    if (draft.id != 0)
        refusal = CheckStockWithdrawal(StockSourceOfKind(k), draft.id, draft.date);
    if (refusal.Refused())
        return refusal;
    if (draft.id == 0) {
        WriteMovement(k, draft, std::vector<StockMoveRow>());
    } else if (GetRepository().ExecDML(
                   SqlFormat(L"update %s set status = %llu where id = %llu", k.headerTable, draft.status, draft.id)
                       .c_str()) != 1) {
        throw micro::qsql::QSqlError(micro::qsql::QSqlError::kWrapperError, L"Movement not found");
    } else {
        RefreshStoredStock(StockProductsOf(StockSourceOfKind(k), draft.id));
    }
    transaction.Commit();
    header = draft;
    return refusal;
}

StockMoveRefusal ValidateStockMove(int kind, StockMoveHeader& header, const std::vector<StockMoveRow>& rows)
{
    StockMoveRefusal refusal = FirstQuantityRefused(rows);
    if (refusal.Refused())
        return refusal;
    const StockMoveKind& k = StockMoveKindOf(kind);
    MyRepository& db = GetRepository();
    StockMoveHeader draft = header;
    QsqlTransaction transaction(db);
    // A new movement takes its number first: the ledger rows carry it.
    unsigned long long number = draft.id ? draft.id : TakeNumber(k);
    QsqlStatement ledger = db.CompileStatement(
        L"insert into Stocuri (id, data, tip, NrDocument, IDClient, IDProdus, stoc, cantitate, pret, UM) "
        L"values (NULL, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    // The stock every report and every document's validation count, at the
    // day the movement will count in (the day its editor shows) and every day after.
    StockTally tally(draft.date);
    // Each ledger row shows the product's stock by the rule (all dates) after
    // its row, which stocReal holds once the movement is written.
    std::map<unsigned long long, double> stocks;
    for (size_t i = 0; i < rows.size(); ++i) {
        const StockMoveRow& row = rows[i];
        if (!tally.Take(row.productId, -k.sign * row.quantity))
            return {StockMoveRefusal::StockShort, static_cast<int>(i), row.productId};
        auto found = stocks.find(row.productId);
        if (found == stocks.end())
            found = stocks.emplace(row.productId, SumStockMovements(row.productId, 0, LLONG_MAX).Stock()).first;
        found->second += k.sign * row.quantity;
        QsqlQuery product =
            db.ExecQuery(SqlFormat(L"select pretVanzare, UM from Produse where id = %llu", row.productId).c_str());
        QString unit = product.Eof() ? QString() : product.GetStringField(1);
        ledger.Bind(1, draft.date);
        ledger.Bind(2, k.ledgerType);
        ledger.Bind(3, static_cast<long long>(number));
        ledger.Bind(4, k.ledgerText);
        ledger.Bind(5, static_cast<long long>(row.productId));
        ledger.Bind(6, found->second);
        ledger.Bind(7, row.quantity);
        ledger.Bind(8, product.Eof() ? 0.0 : product.GetFloatField(0, 0.0));
        ledger.Bind(9, unit.c_str());
        ledger.ExecDML();
    }
    // A new header takes the same number again: nothing has taken one since.
    draft.status = StockMoveValidated;
    WriteMovement(k, draft, rows);
    transaction.Commit();
    header = draft;
    return refusal;
}
