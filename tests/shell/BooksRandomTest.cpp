// A seeded random walk over the books: documents of every type saved, edited,
// validated, cancelled and reversed in their editor, receipts and payments in
// theirs, general movements through the movement store, VAT codes changed in
// the catalogue, return invoices and invoices typed with quantities and
// prices that would make them the other kind; most receipts and payments go
// through the settlement engine alone, which the editors call. After every
// step, refused or not, the books must add up; the stock list and the
// warehouse card are read every few steps.
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include "cash/CashText.h"
#include "cash/Settlement.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "stock/StockMoveStore.h"
#include "stock/StockRowValues.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/documents/support/EditorFixture.h"
#include "tests/shell/BooksChecks.h"

using micro::qsql::SqlFormat;
using testing_support::ModalDriver;
using testing_support::Narrow;
using testing_support::TempDatabase;



namespace {

const wchar_t* const kProducts[] = {L"Ciment", L"Nisip", L"Var"};
const int kReopenCommands[] = {IDC_FE_SAVE, IDC_FE_SAVE, IDC_FE_VALIDATE, IDC_FE_CANCEL_DOCUMENT, IDC_FE_STORNO};
const int kNewCommands[] = {IDC_FE_SAVE, IDC_FE_VALIDATE, IDC_FE_CANCEL_DOCUMENT};
const char* const kNewNames[] = {" saved", " validated", " cancelled"};
const char* const kReopenNames[] = {"resave", "edit", "validate", "cancel", "storno"};

class Books : public editor_tests::EditorTest, public ::testing::WithParamInterface<unsigned> {
protected:
    std::mt19937 random;
    long long today = 0;
    std::vector<std::string> log;  // what each step did
    std::vector<books::Doc> docs;
    books::Ledger ledger;
    std::string opProblem;  // what an operation itself found wrong
    int typed = 0;          // quantities typed into the editor's lines
    unsigned long long partner = 0;
    HWND stockList = nullptr, card = nullptr;
    MyFisaDeMagazieDialog* cardDialog = nullptr;

    int Pick(size_t n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random); }
    void Note(std::string text) { log.push_back(std::move(text)); }
    unsigned long long Product(int index) { return ledger.products[index]; }
    SYSTEMTIME RandomDay() { return micro::gui::UnixToSystemTime(today - Pick(8) * 86400LL + 43200); }

    // The editor checks an invoice's stock when it validates it, not when it
    // saves it: a line takes at most half of what stays of the product from
    // the editor's issue day on, in whole units.
    long long HalfOfStockLeft(HWND w, int p)
    {
        SYSTEMTIME day = {};
        SendDlgItemMessageW(w, IDC_FE_ISSUE_DATE, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day));
        return books::LowestStockFrom(Product(p), StartOfDay(micro::gui::SystemTimeToUnix(day))) / 200;
    }

    void TypeLine(HWND w, std::ostringstream& what, int tip)
    {
        int p = Pick(3);
        int vat = static_cast<int>(tempDb.Scalar(SqlFormat(L"select TVA from Produse where id = %llu", Product(p)).c_str()));
        long long quantity = 1 + Pick(6), price = 100 + Pick(5000);
        if (tip == 0 && (quantity = std::min(quantity, HalfOfStockLeft(w, p))) <= 0)
            return;
        AddLine(w, kProducts[p], std::to_wstring(price / 100.0).c_str(), std::to_wstring(quantity).c_str(), vat, false);
        what << " p" << p << "x" << quantity;
        typed += quantity;
    }

    // The stock of every product together, in hundredths (stocReal: the checks hold it to the rule).
    long long TotalStock() { return books::Bani(tempDb.Number(L"select total(stocReal) from Produse")); }

    // A new document of a random type, saved, validated or cancelled at once.
    void NewDocument()
    {
        const int types[] = {0, 0, 1, 2, 3, 3, 4};  // more of what receipts and payments settle
        int tip = types[Pick(7)], command = Pick(3);
        if ((tip == 1 || tip == 2) && command == 1)
            command = 0;  // a proforma or delivery note is not validated
        std::ostringstream what("new type " + std::to_string(tip), std::ios::ate);
        MyFacturiDialog editor(nullptr);
        editor.tip = tip;
        typed = 0;
        long long stockBefore = TotalStock();
        Run(editor, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F1");
            ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, RandomDay());
            for (int n = 1 + Pick(2); n > 0; --n)
                TypeLine(w, what, tip);
            ModalDriver::Click(w, kNewCommands[command]);
        });
        what << kNewNames[command];
        if (editor.salvat)
            docs.push_back({tip, editor.idRezervat});
        if (editor.salvat && books::Status(tempDb, docs.back()) != command + 1)
            opProblem = "status: a new document " + std::string(kNewNames[command]) + " is stored with status " +
                        std::to_string(books::Status(tempDb, docs.back())) + "\n";
        // An invoice takes its lines out of stock, a NIR or a return invoice brings them in.
        long long moved = TotalStock() - stockBefore;
        long long expected = editor.salvat && command != 2 ? ((tip >= 3) - (tip == 0)) * typed * 100 : 0;
        if (moved != expected)
            opProblem += "stock: a new document of type " + std::to_string(tip) + " moved " + std::to_string(moved) +
                        " instead of " + std::to_string(expected) + "\n";
        Note(what.str() + (editor.salvat ? " -> id " + std::to_string(editor.idRezervat) : " refused"));
    }

    // A stored document re-saved as it is, edited, validated, cancelled or reversed.
    void Reopen()
    {
        if (docs.empty())
            return NewDocument();
        books::Doc doc = docs[Pick(docs.size())];
        if (books::Status(tempDb, doc) >= 3 && Pick(2))
            doc = docs[Pick(docs.size())];  // closed documents only re-save: fewer of them
        // What the editor offers at the document's status: a temporary one
        // is edited, validated or cancelled, a validated one reversed.
        long long status = books::Status(tempDb, doc);
        const int byStatus[][4] = {{0, 1, 2, 3}, {0, 1, 4, 4}, {0, 0, 0, 0}};
        int action = byStatus[status == 1 ? 0 : status == 2 ? 1 : 2][Pick(4)];
        if (action == 2 && (doc.tip == 1 || doc.tip == 2))
            action = 1;  // a proforma or delivery note is not validated
        std::ostringstream what;
        what << kReopenNames[action] << " type " << doc.tip << " id " << doc.id;
        std::wstring before = books::Snapshot(tempDb, doc);
        // Half the time what settles it is given back first, as a user does before reversing.
        if (action == 4 && (doc.tip == 0 || doc.tip == 3) && Pick(2))
            for (const settlement::LiveAllocation& owner : settlement::LiveAllocations(Table(Side(doc.tip)), doc.id))
                what << " gave back " << owner.ownerId << (GiveBack(Side(doc.tip), owner.ownerId, false) ? "" : " refused");
        const wchar_t* header = DocumentHeaderTable(doc.tip);
        long long lastId = tempDb.Scalar(SqlFormat(L"select max(id) from %s", header).c_str());
        RunDocument(doc.tip, doc.id, [&](HWND w) {
            if (action == 1 && Pick(2)) {
                TypeLine(w, what, doc.tip);
            } else if (action == 1) {
                ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
                ModalDriver::Click(w, IDC_FE_DELETE_LINE);
                what << " less line 1";
            }
            ModalDriver::Click(w, kReopenCommands[action]);
        });
        std::wstring after = books::Snapshot(tempDb, doc);
        if (action == 0 && after != before)
            opProblem = "a re-save without changes changed it:\n  " + Narrow(before) + "\n  " + Narrow(after) + "\n";
        if (action == 4 && after != before)
            ledger.reversals.push_back({doc, static_cast<unsigned long long>(tempDb.Scalar(  // the newest reversed header, 0: none
                SqlFormat(L"select coalesce(max(id), 0) from %s where id > %lld and status = 4", header, lastId).c_str()))});
        Note(what.str() + (after == before ? " (nothing written)" : ""));
    }

    // Whether the stock from the document's day on holds its lines' quantities
    // (the invoice made of it takes them, temporary as it is).
    bool StockHolds(const books::Doc& doc)
    {
        long long day = StartOfDay(tempDb.Scalar(
            SqlFormat(L"select dataCreare from %s where id = %llu", DocumentHeaderTable(doc.tip), doc.id).c_str()));
        for (unsigned long long product : ledger.products)
            if (books::Bani(tempDb.Number(SqlFormat(L"select total(cantitate) from %s where IDFactura = %llu and "
                                                    L"produsID = %llu", DocumentLineTable(doc.tip), doc.id, product)
                                              .c_str())) > books::LowestStockFrom(product, day))
                return false;
        return true;
    }

    // A proforma or delivery note of the type to turn into an invoice: one of
    // the walk's, half the time given (or relieved of) a discount, or a new
    // one typed with a discount half the time. Id 0: none was stored.
    books::Doc ConversionSource(int tip, std::ostringstream& what)
    {
        std::vector<books::Doc> stored;
        for (const books::Doc& doc : docs)
            if (doc.tip == tip && books::Status(tempDb, doc) < 3)
                stored.push_back(doc);
        books::Doc source{tip, stored.empty() ? 0 : stored[Pick(stored.size())].id};
        const wchar_t* const percents[] = {L"5", L"7,5", L"10", L"12,25"};
        const wchar_t* percent = Pick(2) ? percents[Pick(4)] : nullptr;
        if (source.id != 0 && !percent)
            return source;
        what << (source.id ? "" : " new");
        MyFacturiDialog editor(nullptr);
        editor.tip = tip;
        editor.id = source.id;
        Run(editor, [&](HWND w) {
            if (source.id == 0) {
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
                ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, RandomDay());
                for (int n = 1 + Pick(2); n > 0; --n)
                    TypeLine(w, what, tip);
            }
            ModalDriver::SetText(w, IDC_FE_DISCOUNT, percent ? percent : L"");
            ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        what << (percent ? " discount " + Narrow(percent) : std::string());
        if (source.id == 0 && editor.salvat)
            docs.push_back(source = {tip, editor.idRezervat});
        return source;
    }

    // A proforma or delivery note turned into an invoice: the invoice carries
    // the source's lines, discount included, and its totals.
    void Convert()
    {
        std::ostringstream what("convert type ", std::ios::ate);
        int tip = 1 + Pick(2);
        what << tip;
        books::Doc source = ConversionSource(tip, what);
        if (source.id == 0 || !StockHolds(source))
            return Note(what.str() + (source.id ? " (not converted: too little stock)" : " refused"));
        what << " id " << source.id;
        long long last = tempDb.Scalar(L"select coalesce(max(id), 0) from Facturi");
        RunDocument(source.tip, source.id, [&](HWND w) {
            ModalDriver::Click(w, IDC_FE_TO_INVOICE);
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        books::Doc invoice{0, static_cast<unsigned long long>(tempDb.Scalar(L"select coalesce(max(id), 0) from Facturi"))};
        if (invoice.id == static_cast<unsigned long long>(last))
            return Note(what.str() + " refused");
        docs.push_back(invoice);
        std::wstring from = books::Figures(tempDb, source), made = books::Figures(tempDb, invoice);
        if (from != made)
            opProblem = "conversion: the invoice differs from its source:\n  " + Narrow(from) + "\n  " + Narrow(made) + "\n";
        Note(what.str() + " -> invoice " + std::to_string(invoice.id));
    }

    // The client and one of its documents chosen in the pickers; a picker
    // without that document is left with Cancel.
    static void Choose(cash_tests::NestedSteps& nested, const wchar_t* title, int list, const std::wstring& text)
    {
        nested.push_back({title, [list, text](HWND w) {
                              for (int row = 0; row < ModalDriver::ListRowCount(w, list); ++row)
                                  if (ModalDriver::ListCell(w, list, row, 0) == text)
                                      return ModalDriver::DoubleClickListRow(w, list, row);
                              ModalDriver::Click(w, IDCANCEL);
                          }});
    }

    static const settlement::DocumentTable& Table(const cash_tests::Side& side)
    { return side.documentType == 0 ? settlement::kInvoices : settlement::kGoodsReceived; }
    static settlement::Source Source(const cash_tests::Side& side) { return settlement::Source(side.documentType != 0); }
    static const cash_tests::Side& Side(int tip) { return tip == 3 ? cash_tests::kPayments : cash_tests::kReceipts; }
    // The plan applied with the caller's own write of its row, as the editors
    // apply theirs; false when refused.
    bool Settle(const cash_tests::Side& side, const settlement::SettlementPlan& plan,
                const std::function<unsigned long long()>& owner)
    { return plan.Ready() && settlement::ApplySettlement(Table(side), Source(side), plan, owner) != 0; }

    // A new receipt or payment over one or two open documents, validated or
    // kept in its editor, or validated by the settlement engine alone (its
    // row, in series T, written by the engine's caller).
    void NewCash(bool editor)
    {
        const cash_tests::Side& side = Pick(2) ? cash_tests::kReceipts : cash_tests::kPayments;
        auto open = books::OpenDocuments(tempDb, side.documents);
        if (open.empty())
            return editor ? NewDocument() : Movement();
        std::vector<books::Open> chosen = {open[Pick(open.size())], open[Pick(open.size())]};
        if (chosen[0].id == chosen[1].id || Pick(2))
            chosen.pop_back();
        bool validate = !editor || Pick(4) != 0;
        long long owed = chosen[0].balance + (chosen.size() > 1 ? chosen[1].balance : 0);
        long long amount = 1 + Pick(static_cast<size_t>(owed + owed / 5));
        std::wstring text = std::to_wstring(amount / 100) + (amount % 100 < 10 ? L".0" : L".") + std::to_wstring(amount % 100);
        cash_tests::NestedSteps nested;
        Choose(nested, side.partnerPicker, IDC_CAUTARE_CLIENTI_LIST, L"Client SRL");
        std::wstring numbers;  // as the editor writes them, the last listed first
        std::vector<unsigned long long> ids;
        for (auto& document : chosen) {
            Choose(nested, L"Facturi Nestinse", IDC_FACTURI_SCADENTE_LIST, std::to_wstring(document.number));
            numbers = L" " + std::to_wstring(document.number) + (numbers.empty() ? L"" : L",") + numbers;
            ids.push_back(document.id);
        }
        bool done = editor ? side.run(0, side.newTitle, nested, [&](HWND w) {
            ModalDriver::Click(w, side.pickPartner);
            if (chosen.size() > 1)
                ModalDriver::Click(w, side.add);
            ModalDriver::SetText(w, side.amount, text);
            ModalDriver::Click(w, validate ? side.validate : IDOK);
        }) == 1 : Settle(side, settlement::PlanValidation(Table(side), partner, ids, amount / 100.0), [&] {
            return cash_tests::AddCashRow(tempDb, side.table, {partner, FirstFreeNumber(side.table, L"T", 1),
                                                               numbers.c_str(), amount / 100.0, 2, today, 0, L"T"});
        });
        Note(std::string(side.name) + (validate ? " validated " : " kept ") + Narrow(text) +
             " over" + Narrow(numbers) + (editor ? "" : " by the engine") + (done ? "" : " refused"));
    }

    // A validated receipt or payment given back (cancelled) or reverted to
    // temporary by the settlement engine alone.
    bool GiveBack(const cash_tests::Side& side, long long id, bool revert)
    {
        double stored = tempDb.Number(SqlFormat(L"select suma from %s where id = %lld", side.table, id).c_str());
        return Settle(side, settlement::PlanGiveBack(Table(side), Source(side), id, partner, {}, stored), [&] {
            tempDb.Exec(SqlFormat(L"update %s set status = %d where id = %lld", side.table, revert ? 1 : 3, id).c_str());
            return static_cast<unsigned long long>(id);
        });
    }

    // A stored receipt or payment given back (cancel of a validated one) or
    // reverted to temporary, in its editor or by the settlement engine alone.
    void CloseCash(bool editor)
    {
        const cash_tests::Side& side = Pick(2) ? cash_tests::kReceipts : cash_tests::kPayments;
        long long id = tempDb.Scalar(SqlFormat(L"select id from %s where status in (%s) order by id limit 1 offset %d",
                                               side.table, editor ? L"1, 2" : L"2", Pick(3)).c_str());
        if (id == 0)
            return NewCash(editor);
        long long status = tempDb.Scalar(SqlFormat(L"select status from %s where id = %lld", side.table, id).c_str());
        bool revert = Pick(2) != 0;
        int command = !revert ? side.giveBack : side.table[0] == L'I' ? IDC_INCASARE_REVERT : IDC_PLATA_ANULEAZA;
        cash_tests::NestedSteps nested;
        bool done = !editor ? GiveBack(side, id, revert)
                            : side.run(static_cast<unsigned long long>(id), status == 2 ? side.validatedTitle
                                                                                      : side.temporaryTitle,
                                       nested, [&](HWND w) { ModalDriver::Click(w, command); }) == 1;
        Note(std::string(side.name) + (revert ? " reverted/cancelled id " : " given back id ") + std::to_string(id) +
             (editor ? "" : " by the engine") + (done ? "" : " refused"));
    }

    // A general movement of one product at 2.50, validated or kept: -1, or the row refused.
    static int Move(int kind, unsigned long long product, int quantity, long long date, bool keep)
    {
        StockMoveHeader header{0, date, keep ? StockMoveTemporary : StockMoveNew};
        StockRowValues values = ComputeStockRow(2.5, quantity, 0);
        std::vector<StockMoveRow> rows = {{product, double(quantity), 2.5, values.ft, values.tva, values.tti}};
        StockMoveRefusal refusal = keep ? SaveStockMove(kind, header, rows) : ValidateStockMove(kind, header, rows);
        return refusal.line;
    }

    // A general entry or exit of one product, validated, possibly back-dated.
    void Movement()
    {
        int kind = Pick(3) / 2, p = Pick(3), quantity = 1 + Pick(kind ? 14 : 8);  // entries twice as often, exits larger
        bool keep = Pick(4) == 0;  // one in four only kept temporary, which moves no stock
        int refused = Move(kind, Product(p), quantity, micro::gui::SystemTimeToUnix(RandomDay()), keep);
        Note((kind ? "exit p" : "entry p") + std::to_string(p) + "x" + std::to_string(quantity) +
             (keep ? " kept" : refused >= 0 ? " refused" : ""));
    }

    // A general entry or exit with a line of 0 or below 0 (after a good line
    // half the time), new or in place of a stored temporary one's lines, kept
    // or validated through the movement store: refused at that line, with
    // nothing written and no stock moved.
    void RefusedMovement()
    {
        const double quantities[] = {0, 0.0004, -0.0004, -0.001, -0.25, -1, -5, -40};
        int kind = Pick(2);
        double quantity = quantities[Pick(8)];
        bool keep = Pick(2) == 0;
        std::vector<StockMoveRow> rows;
        auto add = [&](double q) {
            StockRowValues values = ComputeStockRow(2.5, q, 0);
            rows.push_back({Product(Pick(3)), q, 2.5, values.ft, values.tva, values.tti});
        };
        if (Pick(2))
            add(1 + Pick(3));
        add(quantity);
        StockMoveHeader header{0, micro::gui::SystemTimeToUnix(RandomDay())};
        double totals[3];
        const wchar_t* table = StockMoveKindOf(kind).headerTable;
        if (Pick(2))
            LoadStockMoveHeader(kind, static_cast<unsigned long long>(tempDb.Scalar(
                                    SqlFormat(L"select coalesce(max(id), 0) from %s where status = 1", table).c_str())),
                                header, totals);
        std::wstring before = books::MovementBooks(tempDb);
        StockMoveRefusal refusal = keep ? SaveStockMove(kind, header, rows) : ValidateStockMove(kind, header, rows);
        auto reason = quantity <= -0.0005 ? StockMoveRefusal::NegativeQuantity : StockMoveRefusal::ZeroQuantity;
        std::wstring after = books::MovementBooks(tempDb);
        if (refusal.reason != reason || refusal.line != static_cast<int>(rows.size()) - 1 || after != before)
            opProblem = "movement: a line of " + std::to_string(quantity) + " gave refusal " +
                        std::to_string(refusal.reason) + " at line " + std::to_string(refusal.line) + "; books\n  " +
                        Narrow(before) + "\n  " + Narrow(after) + "\n";
        Note((kind ? "exit" : "entry") + std::string(header.id ? " id " + std::to_string(header.id) : " new") +
             " with a line of " + std::to_string(quantity) + (keep ? " kept" : " validated") + " refused");
    }

    // A line of the product typed into a document that brings stock in.
    void TypeStocked(HWND w, std::ostringstream& what, int p)
    {
        int vat = static_cast<int>(tempDb.Scalar(SqlFormat(L"select TVA from Produse where id = %llu", Product(p)).c_str()));
        int quantity = 1 + Pick(6);
        AddLine(w, kProducts[p], L"10", std::to_wstring(quantity).c_str(), vat, false);
        what << " p" << p << "x" << quantity;
    }

    // A NIR or return invoice after a later exit took all that stays of its
    // first line's product from that day on: a temporary one has that line
    // deleted or replaced by another product, or is moved after the exit (a
    // validated one too), then is saved or validated; the stock check must
    // refuse what leaves the exit short. Without a temporary one, one is
    // saved with two products first.
    void EditStocked()
    {
        std::vector<books::Doc> stocked[2];  // validated, temporary
        for (const books::Doc& doc : docs)
            if ((doc.tip == 3 || doc.tip == 4) && books::Status(tempDb, doc) <= 2)
                stocked[books::Status(tempDb, doc) == 1].push_back(doc);
        std::ostringstream what;
        if (stocked[1].empty() && (stocked[0].empty() || Pick(2))) {
            int tip = 3 + Pick(2), p = Pick(3);
            what << "new stocked type " << tip;
            MyFacturiDialog editor(nullptr);
            editor.tip = tip;
            Run(editor, [&](HWND w) {
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
                ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F1");
                ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, RandomDay());
                TypeStocked(w, what, p);
                TypeStocked(w, what, (p + 1 + Pick(2)) % 3);
                ModalDriver::Click(w, IDC_FE_SAVE);
            });
            if (editor.salvat)
                docs.push_back({tip, editor.idRezervat});
            return Note(what.str() + (editor.salvat ? " saved -> id " + std::to_string(editor.idRezervat) : " refused"));
        }
        bool temporary = !stocked[1].empty();
        books::Doc doc = stocked[temporary][Pick(stocked[temporary].size())];
        const wchar_t* lines = DocumentLineTable(doc.tip);
        long long day = StartOfDay(tempDb.Scalar(
            SqlFormat(L"select dataCreare from %s where id = %llu", DocumentHeaderTable(doc.tip), doc.id).c_str()));
        unsigned long long product = static_cast<unsigned long long>(tempDb.Scalar(
            SqlFormat(L"select produsID from %s where IDFactura = %llu order by id limit 1", lines, doc.id).c_str()));
        long long sold = std::min(day + (1 + Pick(3)) * 86400LL, today), moved = std::min(sold + Pick(2) * 86400LL, today);
        what << "stocked type " << doc.tip << " id " << doc.id;
        long long all = books::LowestStockFrom(product, sold) / 100;
        if (all > 0 && Move(1, product, static_cast<int>(all), sold + 43200, false) < 0)
            what << " after an exit of " << all << " of product " << product;
        // A lone line is replaced, not deleted.
        long long count = tempDb.Scalar(SqlFormat(L"select count(*) from %s where IDFactura = %llu", lines, doc.id).c_str());
        int change = !temporary ? 2 : count > 1 ? Pick(3) : 1 + Pick(2);
        RunDocument(doc.tip, doc.id, [&](HWND w) {
            if (change < 2) {
                ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
                ModalDriver::Click(w, IDC_FE_DELETE_LINE);
                what << " less line 1";
            }
            int p = static_cast<int>(std::find(ledger.products.begin(), ledger.products.end(), product) -
                                     ledger.products.begin());
            if (change == 1)
                TypeStocked(w, what, (p + 1 + Pick(2)) % 3);
            if (change == 2) {
                ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, micro::gui::UnixToSystemTime(moved + 43200));
                what << " moved " << (moved - day) / 86400 << " days later";
            }
            bool validate = temporary && Pick(2);
            ModalDriver::Click(w, validate ? IDC_FE_VALIDATE : IDC_FE_SAVE);
            what << (validate ? " validated" : " saved");
        });
        Note(what.str());
    }

    // A stored general movement cancelled in the store, a validated one too
    // (checked as any write taking stock back).
    void CancelMovement()
    {
        int kind = Pick(2);
        const wchar_t* table = StockMoveKindOf(kind).headerTable;
        long long count = tempDb.Scalar(SqlFormat(L"select count(*) from %s where status in (1, 2)", table).c_str());
        if (count == 0)
            return Movement();
        StockMoveHeader header;
        double totals[3];
        LoadStockMoveHeader(kind, static_cast<unsigned long long>(tempDb.Scalar(SqlFormat(
            L"select id from %s where status in (1, 2) order by id limit 1 offset %d", table, Pick(count)).c_str())),
                            header, totals);
        unsigned long long status = header.status;
        bool refused = CancelStockMove(kind, header).Refused();
        Note(std::string(kind ? "exit" : "entry") + " id " + std::to_string(header.id) + " of status " +
             std::to_string(status) + (refused ? " cancel refused" : " cancelled"));
    }

    // A line of a return invoice typed with -3 to 3, of an invoice with 0 to
    // 3 within the stock left, at a price below 0 one time in four. Answers
    // whether the editor must take it: never a quantity of 0, nor one below 0
    // on a return invoice (what comes back).
    bool TypeSignedLine(HWND w, std::ostringstream& what, int tip)
    {
        int p = Pick(3);
        int vat = static_cast<int>(tempDb.Scalar(SqlFormat(L"select TVA from Produse where id = %llu", Product(p)).c_str()));
        long long quantity = tip == 4 ? Pick(7) - 3 : std::max(0LL, std::min<long long>(Pick(4), HalfOfStockLeft(w, p)));
        long long price = (100 + Pick(5000)) * (Pick(4) ? 1 : -1);
        AddLine(w, kProducts[p], std::to_wstring(price / 100.0).c_str(), std::to_wstring(quantity).c_str(), vat, false);
        what << " p" << p << "x" << quantity << "@" << price;
        return quantity > 0;
    }

    // Return invoices typed with quantities of 0 and below, invoices whose
    // lines add up below 0: new, or a temporary one of the walk's (without a
    // discount) typed further, then saved or validated. The editor refuses a
    // line of 0, or of a return below 0, as typed; saves neither a return
    // that takes nothing back nor an invoice below 0; and what it saves reads
    // back as the kind it was saved as.
    void SignedDocument()
    {
        std::vector<books::Doc> open;
        for (const books::Doc& doc : docs)
            if ((doc.tip == 0 || doc.tip == 4) && books::Status(tempDb, doc) == 1 &&
                tempDb.Scalar(SqlFormat(L"select count(*) from ArticoleFacturi where IDFactura = %llu and produsID = 0",
                                        doc.id).c_str()) == 0)
                open.push_back(doc);
        books::Doc doc{Pick(2) ? 4 : 0, 0};
        if (!open.empty() && Pick(2))
            doc = open[Pick(open.size())];
        int command = Pick(3) ? IDC_FE_SAVE : IDC_FE_VALIDATE;
        std::ostringstream what("signed type " + std::to_string(doc.tip) + " id " + std::to_string(doc.id), std::ios::ate);
        long long shown = 0;
        MyFacturiDialog editor(nullptr);
        editor.tip = doc.tip;
        editor.id = doc.id;
        Run(editor, [&](HWND w) {
            if (doc.id == 0) {
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
                ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, RandomDay());
            }
            for (int n = 1 + Pick(2); n > 0; --n) {
                int rows = Rows(w);
                bool taken = TypeSignedLine(w, what, doc.tip);
                if (Rows(w) != rows + (taken ? 1 : 0))
                    opProblem += std::string("line: a line of type ") + std::to_string(doc.tip) +
                                 (taken ? " was refused\n" : " was taken\n");
            }
            shown = books::Bani(Text(w, IDC_FE_TOTAL));
            ModalDriver::Click(w, command);
        });
        what << (command == IDC_FE_SAVE ? " saved" : " validated") << " at " << shown;
        // A return invoice is shown with what comes back above 0.
        if (editor.salvat && (doc.tip == 4 ? shown <= 0 : shown < 0))
            opProblem += "kind: a document of type " + std::to_string(doc.tip) + " showing " + std::to_string(shown) +
                         " was saved\n";
        books::Doc stored{doc.tip, editor.idRezervat};
        if (editor.salvat && books::StoredKind(tempDb, stored) != doc.tip)
            opProblem += "kind: a document of type " + std::to_string(doc.tip) + " was stored as type " +
                         std::to_string(books::StoredKind(tempDb, stored)) + "\n";
        if (editor.salvat && doc.id == 0)
            docs.push_back(stored);
        Note(what.str() + (editor.salvat ? " -> id " + std::to_string(editor.idRezervat) : " refused"));
    }

    void ChangeVat()
    {
        int p = Pick(3), vat = Pick(4);
        db().UpdateProductPricing(L"Buc", vat, 0.0, 0.0, 0, Product(p));
        Note("VAT of p" + std::to_string(p) + " now code " + std::to_string(vat));
    }

    // Under Wine an editor takes 0.2-0.3 s to open, the rest of a step a few
    // milliseconds: about one step in ten opens an editor, the rest run below the dialogs.
    void Step()
    {
        int pick = Pick(100);
        if (pick < 4)
            NewDocument();
        else if (pick < 7)
            Reopen();
        else if (pick < 50)
            pick % 4 == 0 ? CloseCash(pick < 9) : NewCash(pick < 9);
        else if (pick < 82)
            pick < 79 ? Movement() : RefusedMovement();
        else if (pick < 84)
            CancelMovement();
        else if (pick < 87)
            EditStocked();
        else if (pick < 88)
            Convert();
        else if (pick < 92)
            SignedDocument();
        else
            ChangeVat();
    }

    // The open stock list at a random day and the warehouse card from a
    // random day on show what the rule counts.
    std::string Reports()
    {
        std::ostringstream out;
        long long day = today - Pick(40) * 86400LL, from = today - Pick(40) * 86400LL;
        ModalDriver::SetDate(stockList, IDC_STOC_DATA, micro::gui::UnixToSystemTime(day + 43200));
        ModalDriver::SetDate(card, IDC_MAGAZIE_DE_LA, micro::gui::UnixToSystemTime(from + 43200));
        ModalDriver::SetDate(card, IDC_MAGAZIE_LA, SYSTEMTIME{2099, 12, 0, 31, 0, 0, 0, 0});
        for (unsigned long long product : ledger.products) {
            auto rule = [product](long long end) { return books::Bani(SumStockMovements(product, 0, end).Stock()); };
            long long listed = -1, atDay = rule(EndOfDay(day)), before = rule(from - 1), now = rule(books::kFarFuture);
            for (int row = 0; row < ModalDriver::ListRowCount(stockList, IDC_STOC_LISTA); ++row)
                if (ModalDriver::ListCell(stockList, IDC_STOC_LISTA, row, 0) == std::to_wstring(product))
                    listed = books::Bani(ModalDriver::ListCell(stockList, IDC_STOC_LISTA, row, 2));
            cardDialog->productId = product;
            ModalDriver::Click(card, IDC_MAGAZIE_COLECTEAZA);
            int rows = ModalDriver::ListRowCount(card, IDC_MAGAZIE_LISTA);
            long long opening = books::Bani(ModalDriver::ListCell(card, IDC_MAGAZIE_LISTA, 0, 5));
            long long last = books::Bani(ModalDriver::ListCell(card, IDC_MAGAZIE_LISTA, rows - 1, 5));
            if (listed != atDay || opening != before || last != now)
                out << "stock: product " << product << " stock list " << listed << " rule " << atDay << " on day "
                    << day << "; warehouse card from day " << from << " opens " << opening << " rule " << before
                    << ", ends " << last << " rule " << now << "\n";
        }
        return out.str();
    }

    // The walk, with the stock list and the warehouse card open beneath it.
    void Walk(int steps)
    {
        for (int step = 1; step <= steps; ++step) {
            opProblem.clear();
            try {
                Step();
            } catch (const micro::qsql::QSqlError& error) {  // nothing the walk does may fail in the database
                opProblem = "database: " + Narrow(error.GetText().c_str()) + "\n";
            }
            std::string problems = opProblem + books::CheckAll(tempDb, ledger) +
                                   (step % 10 == 0 || step == steps ? Reports() : std::string());
            if (!problems.empty()) {
                std::string trail;
                for (size_t at = log.size() > 8 ? log.size() - 8 : 0; at < log.size(); ++at)
                    trail += "\n  " + log[at];
                FAIL() << "seed " << GetParam() << ", step " << step << ":\n" << problems << "last operations:" << trail;
            }
        }
    }
};

TEST_P(Books, StayTrueOverARandomWalk)
{
    random.seed(GetParam());
    today = static_cast<long long>(time(nullptr)) / 86400 * 86400;
    partner = tempDb.AddClient(L"Client SRL");
    for (int p = 0; p < 3; ++p)
        ledger.products.push_back(tempDb.AddProduct(kProducts[p], 10.0 + p, p));
    // Forty of each in stock a month ago, received as a user receives them.
    for (unsigned long long product : ledger.products)
        Move(0, product, 40, today - 30 * 86400LL, false);
    ASSERT_EQ(books::CheckAll(tempDb, ledger), "");  // the books before the walk, and their counters
    MyStocArticoleDialog list(nullptr);
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = ledger.products[0];
    cardDialog = &warehouse;
    ModalDriver driver(120000);
    driver.When(L"Stoc articole", [&](HWND st) {
        stockList = st;
        ModalDriver inner(120000);
        inner.When(L"Fisa de magazie", [&](HWND wh) {
            card = wh;
            Walk(200);
            ModalDriver::Click(wh, IDCANCEL);
        });
        warehouse.DoModal();
        inner.Verify();
        ModalDriver::Click(st, IDCANCEL);
    });
    list.DoModal();
    driver.Verify();
}

INSTANTIATE_TEST_SUITE_P(Seeds, Books, ::testing::Values(11u, 2024u, 90125u));

} // namespace
