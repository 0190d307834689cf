#include <cmath>
#include "tests/documents/support/EditorFixture.h"
#include "database/DocumentTables.h"
#include "database/StockRule.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

struct Typed {
    const wchar_t* product;
    const wchar_t* quantity;
};

// Documents typed, reopened and changed in the editor over Ciment, Nisip and Var.
class EditorStockChecks : public EditorTest {
protected:
    unsigned long long cement = 0;

    void SetUp() override
    {
        EditorTest::SetUp();
        tempDb.AddClient(L"Client SRL");
        cement = tempDb.AddProduct(L"Ciment", 100.0);
        tempDb.AddProduct(L"Nisip", 50.0);
        tempDb.AddProduct(L"Var", 20.0);
    }

    static SYSTEMTIME March(WORD day) { return SYSTEMTIME{2026, 3, 0, day, 12, 0, 0, 0}; }

    // A new document of the type on the day, its lines typed, then the command clicked.
    void NewDocument(int tip, WORD day, std::initializer_list<Typed> lines, int command)
    {
        RunDocument(tip, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F1");
            ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(day));
            for (const Typed& line : lines)
                AddLine(w, line.product, L"10", line.quantity, 0, false);
            ModalDriver::Click(w, command);
        });
    }

    static void DeleteLine(HWND w, int row)
    {
        ModalDriver::SelectListRow(w, IDC_FE_LINES, row);
        ModalDriver::Click(w, IDC_FE_DELETE_LINE);
    }

    // "Modifica" on the row, the product and quantity typed over it.
    static void ModifyLine(HWND w, int row, const wchar_t* product, const wchar_t* quantity)
    {
        ModalDriver::SelectListRow(w, IDC_FE_LINES, row);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        AddLine(w, product, L"10", quantity, 0, false);
    }

    // The document's status and lines as stored, and Ciment's stocReal and stock by the rule.
    std::wstring Stored(int tip, unsigned long long id)
    {
        std::wstring document = EditorTest::Stored(
            micro::qsql::SqlFormat(L"select status || ' ' || dataCreare || ' |' || (select group_concat(produsID || 'x' "
                                   L"|| cantitate, ' ') from %s where IDFactura = h.id) from %s h where id = %llu",
                                   DocumentLineTable(tip), DocumentHeaderTable(tip), id).c_str());
        return document + L" | " + EditorTest::Stored(L"select stocReal from Produse where denumire = 'Ciment'") +
               L" " + std::to_wstring(std::llround(SumStockMovements(cement, 0, 4102444800).Stock()));
    }

    // Each change of the stored document clicked through its command is
    // refused naming the line, and leaves the document and the stock as they were.
    using Changes = std::vector<std::pair<const char*, std::function<void(HWND)>>>;
    void ExpectRefused(int tip, unsigned long long id, const Changes& changes, int command, const wchar_t* refusal)
    {
        std::wstring before = Stored(tip, id);
        for (const auto& change : changes) {
            boxes.Clear();
            EXPECT_EQ(2, RunDocument(tip, id, [&](HWND w) {
                change.second(w);
                ModalDriver::Click(w, command);
            })) << change.first;
            EXPECT_TRUE(boxes.Count() > 0 && boxes.Last().text == refusal) << change.first << ": " << boxes.Describe();
            EXPECT_EQ(before, Stored(tip, id)) << change.first;
        }
    }
};

// Temporary NIR of 5 Ciment and 1 Nisip, an invoice selling the 5 Ciment:
// dropping the Ciment line, replacing it by 5 Var or (through "Modifica") by
// 5 Nisip, typing it again for less, or moving the note after the sale would
// leave the sale short, so each is refused; dropping the unsold Nisip is not.
// A refusal over a line taken off names its product and says so, without a
// line number; one over a line still listed names that line.
TEST_F(EditorStockChecks, ANoteIsNotEditedOrReDatedBelowWhatWasSoldSinceItsDay)
{
    NewDocument(DocumentGoodsReceived, 2, {{L"Ciment", L"5"}, {L"Nisip", L"1"}}, IDC_FE_SAVE);
    NewDocument(DocumentInvoice, 5, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    ASSERT_EQ(L"1 1772409600 |1x5 2x1 | 0 0", Stored(DocumentGoodsReceived, 1));
    ExpectRefused(DocumentGoodsReceived, 1,
                  {{"Ciment deleted", [](HWND w) { DeleteLine(w, 0); }},
                   {"Ciment replaced by Var", [](HWND w) {
                        DeleteLine(w, 0);
                        AddLine(w, L"Var", L"10", L"5", 0, false);
                    }},
                   {"Ciment modified into Nisip", [](HWND w) { ModifyLine(w, 0, L"Nisip", L"5"); }},
                   {"moved after the sale with Ciment deleted", [](HWND w) {
                        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(6));
                        DeleteLine(w, 0);
                    }}},
                  IDC_FE_SAVE, L"Linia cu Ciment a fost scoasa din document\nCantitate Insufucienta in stoc !");
    ExpectRefused(DocumentGoodsReceived, 1,
                  {{"moved after the sale", [](HWND w) { ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(6)); }},
                   {"Nisip modified into 4 Ciment", [](HWND w) {
                        DeleteLine(w, 0);
                        ModifyLine(w, 0, L"Ciment", L"4");
                        AddLine(w, L"Nisip", L"10", L"1", 0, false);
                    }}},
                  IDC_FE_SAVE, L"La linia 1, Ciment\nCantitate Insufucienta in stoc !");
    ExpectRefused(DocumentGoodsReceived, 1,
                  {{"Ciment typed again below Nisip, less of it", [](HWND w) {
                        DeleteLine(w, 0);
                        AddLine(w, L"Ciment", L"10", L"4", 0, false);
                    }}},
                  IDC_FE_SAVE, L"La linia 2, Ciment\nCantitate Insufucienta in stoc !");
    ExpectRefused(DocumentGoodsReceived, 1, {{"cancelled", [](HWND) {}}}, IDC_FE_CANCEL_DOCUMENT,
                  L"La linia 1, Ciment\nCantitate Insufucienta in stoc !");
    EXPECT_EQ(1, RunDocument(DocumentGoodsReceived, 1, [](HWND w) {
        DeleteLine(w, 1);
        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(4));
        ModalDriver::Click(w, IDC_FE_SAVE);
    })) << boxes.Describe();
    EXPECT_EQ(L"1 1772582400 |1x5 | 0 0", Stored(DocumentGoodsReceived, 1));
}

// NIR of 5 Ciment validated, a temporary return of 2 Ciment and 1 Nisip, an
// invoice selling all 7 Ciment: the return may not lose its Ciment line,
// saved or validated, nor move after the sale, nor be cancelled; unchanged,
// it is validated, and then not reversed.
TEST_F(EditorStockChecks, AReturnInvoiceIsCheckedWhenSavedOrValidatedAsTheRuleCountsItAtOnce)
{
    NewDocument(DocumentGoodsReceived, 2, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    NewDocument(DocumentReturnInvoice, 3, {{L"Ciment", L"2"}, {L"Nisip", L"1"}}, IDC_FE_SAVE);
    NewDocument(DocumentInvoice, 5, {{L"Ciment", L"7"}}, IDC_FE_VALIDATE);
    ASSERT_EQ(L"1 1772496000 |1x-2 2x-1 | 0 0", Stored(DocumentReturnInvoice, 1));
    auto dropCement = [](HWND w) { DeleteLine(w, 0); };
    const wchar_t* refusal = L"La linia 1, Ciment\nCantitate Insufucienta in stoc !";
    const wchar_t* removed = L"Linia cu Ciment a fost scoasa din document\nCantitate Insufucienta in stoc !";
    ExpectRefused(DocumentReturnInvoice, 1, {{"Ciment deleted", dropCement}}, IDC_FE_SAVE, removed);
    ExpectRefused(DocumentReturnInvoice, 1,
                  {{"moved after the sale", [](HWND w) { ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(6)); }}},
                  IDC_FE_SAVE, refusal);
    ExpectRefused(DocumentReturnInvoice, 1, {{"Ciment deleted and validated", dropCement}}, IDC_FE_VALIDATE, removed);
    ExpectRefused(DocumentReturnInvoice, 1, {{"cancelled", [](HWND) {}}}, IDC_FE_CANCEL_DOCUMENT, refusal);
    EXPECT_EQ(1, RunDocument(DocumentReturnInvoice, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_VALIDATE); }));
    EXPECT_EQ(L"2 1772496000 |1x-2 2x-1 | 0 0", Stored(DocumentReturnInvoice, 1));
    ExpectRefused(DocumentReturnInvoice, 1, {{"validated, then reversed", [](HWND) {}}}, IDC_FE_STORNO, refusal);
}

// NIR of 5 Ciment, a temporary invoice of 7 on the 5th (a temporary save is
// not checked): moved to the 6th, past every other line, its validation is
// refused as on its own day; with 2 more Ciment received on the 7th, moved
// to the 8th it is validated.
TEST_F(EditorStockChecks, AnInvoiceMovedLaterIsValidatedOnlyOnTheStockOfItsNewDay)
{
    NewDocument(DocumentGoodsReceived, 2, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    NewDocument(DocumentInvoice, 5, {{L"Ciment", L"7"}}, IDC_FE_SAVE);
    ASSERT_EQ(L"1 1772668800 |1x7 | -2 -2", Stored(DocumentInvoice, 1));
    ExpectRefused(DocumentInvoice, 1,
                  {{"moved after every line", [](HWND w) { ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(6)); }}},
                  IDC_FE_VALIDATE, L"La linia 1\nCantitate Insufucienta in stoc !");
    NewDocument(DocumentGoodsReceived, 7, {{L"Ciment", L"2"}}, IDC_FE_VALIDATE);
    EXPECT_EQ(1, RunDocument(DocumentInvoice, 1, [](HWND w) {
        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(8));
        ModalDriver::Click(w, IDC_FE_VALIDATE);
    })) << boxes.Describe();
    EXPECT_EQ(L"2 1772928000 |1x7 | 0 0", Stored(DocumentInvoice, 1));
}

// A reversed document's lines still count, against its reversal: NIR of 5
// Ciment on the 2nd, an invoice selling them on the 5th, reversed; moved
// before the note, it would sell what was not there, so the move is refused.
// A reversed NIR saved again unchanged, its Ciment sold since, is not.
TEST_F(EditorStockChecks, AReversedDocumentIsCheckedAsTheRuleStillCountsItsLines)
{
    NewDocument(DocumentGoodsReceived, 2, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    NewDocument(DocumentInvoice, 5, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    boxes.Answer(IDOK);
    ASSERT_EQ(1, RunDocument(DocumentInvoice, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    ASSERT_EQ(L"4 1772668800 |1x5 | 5 5", Stored(DocumentInvoice, 1));
    ExpectRefused(DocumentInvoice, 1,
                  {{"moved before the note", [](HWND w) { ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, March(1)); }}},
                  IDC_FE_SAVE, L"La linia 1, Ciment\nCantitate Insufucienta in stoc !");

    boxes.Clear();
    boxes.Answer(IDOK);
    ASSERT_EQ(1, RunDocument(DocumentGoodsReceived, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    NewDocument(DocumentGoodsReceived, 3, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    NewDocument(DocumentInvoice, 6, {{L"Ciment", L"5"}}, IDC_FE_VALIDATE);
    EXPECT_EQ(1, RunDocument(DocumentGoodsReceived, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_SAVE); }))
        << boxes.Describe();
    EXPECT_EQ(L"4 1772409600 |1x5 | 0 0", Stored(DocumentGoodsReceived, 1));
}

} // namespace
