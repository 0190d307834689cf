#include "tests/documents/support/EditorFixture.h"
#include "tests/harness/Screenshot.h"
#include "masterdata/NumberText.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "sqlite3.h"
#include <commctrl.h>
#include <cmath>
#include <cwchar>

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorLines : public EditorTest {};

// Counts the check messages a button receives while it is watched.
LRESULT CALLBACK CountChecks(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR counter)
{
    if (message == BM_SETCHECK)
        ++*reinterpret_cast<int*>(counter);
    return DefSubclassProc(button, message, wParam, lParam);
}

// Counts the messages of one kind a control receives while it is watched.
struct Watched {
    UINT message;
    int count;
};
LRESULT CALLBACK CountMessages(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR watched)
{
    Watched* w = reinterpret_cast<Watched*>(watched);
    if (message == w->message)
        ++w->count;
    return DefSubclassProc(control, message, wParam, lParam);
}

// One new invoice typed line by line: a refused line keeps its fields, prices
// with and without VAT, the discount refused over mixed rates, then applied,
// kept last and recomputed, removed by a click or a second press; a row
// changed in place.
TEST_F(EditorLines, TypedLinesGiveTheirFiguresAndTheDiscountFollowsThem)
{
    RunDocument(0, 0, [&](HWND w) {
        AddLine(w, L"Faina", L"124", L"2", 0, true, L"");
        EXPECT_EQ(L"Faina|124|2", Fields(w, {IDC_FE_PRODUCT, IDC_FE_PRICE, IDC_FE_QUANTITY}));
        AddLine(w, L"Faina", L"124", L"2", 0, true);
        AddLine(w, L"Zahar", L"100", L"2", 1, false);
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"1|100.00|200.00|48.00|248.00|24%", Cells(w, 0, {0, 3, 7, 8, 9, 10}));
        EXPECT_EQ(L"2|100.00|200.00|18.00|218.00|9%", Cells(w, 1, {0, 3, 7, 8, 9, 10}));
        EXPECT_EQ(L"400.00|66.00|466.00", Totals(w));
        EXPECT_EQ(L"", Text(w, IDC_FE_PRICE)); // emptied after an accepted line

        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT); // refused: mixed rates
        EXPECT_EQ(2, Rows(w));
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 1);
        ModalDriver::Click(w, IDC_FE_DELETE_LINE);
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"0|Discount 10%|-1|BUC|-20.00|-4.80|-24.80", Cells(w, 1, {1, 2, 4, 5, 7, 8, 9}));
        EXPECT_EQ(L"180.00|43.20|223.20", Totals(w));

        AddLine(w, L"B", L"100", L"1", 0, false);
        ASSERT_EQ(3, Rows(w));
        EXPECT_EQ(L"B", Cell(w, 1, 2));
        EXPECT_EQ(L"3|0|-30.00", Cells(w, 2, {0, 1, 7}));
        EXPECT_EQ(L"270.00", Text(w, IDC_FE_TOTAL_NET));
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0); // a click removes the discount row
        EXPECT_EQ(2, Rows(w));
        EXPECT_EQ(L"300.00", Text(w, IDC_FE_TOTAL_NET));
        ModalDriver::Click(w, IDC_FE_DELETE_LINE);
        EXPECT_EQ(L"1|B", Cells(w, 0, {0, 2}));
        EXPECT_EQ(L"100.00", Text(w, IDC_FE_TOTAL_NET));

        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT); // the second press restores
        EXPECT_EQ(L"100.00|24.00|124.00", Totals(w));
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT); // an empty field is no discount, and no box
        EXPECT_EQ(1, Rows(w));
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"150");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w));
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"");
        // Typed key by key, the decimal comma reaches the field.
        for (wchar_t c : std::wstring(L"7,5"))
            SendDlgItemMessageW(w, IDC_FE_DISCOUNT, WM_CHAR, c, 0);
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(L"Discount 7,5%|-7.50", Cells(w, 1, {2, 7}));
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        // A price or quantity beyond any amount is refused before anything is kept.
        AddLine(w, L"Mare", L"1e308", L"1", 0, false);
        AddLine(w, L"Mare", L"1", L"1e308", 0, false);
        AddLine(w, L"Mare", L"999999900", L"1", 0, true); // with the 124.00 already there
        EXPECT_EQ(L"1|100.00", std::to_wstring(Rows(w)) + L"|" + Text(w, IDC_FE_TOTAL_NET));

        // "Modifica" replaces the selected row; with no row selected it adds one.
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        EXPECT_EQ(L"Modifica|B|100.00", Text(w, IDOK) + L"|" + Text(w, IDC_FE_PRODUCT) + L"|" + Text(w, IDC_FE_PRICE));
        AddLine(w, L"B", L"20", L"2", 0, false);
        EXPECT_EQ(L"Adauga|1|40.00", Text(w, IDOK) + L"|" + std::to_wstring(Rows(w)) + L"|" + Cell(w, 0, 7));
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        LVITEMW clear = {};
        clear.stateMask = LVIS_SELECTED;
        SendDlgItemMessageW(w, IDC_FE_LINES, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        AddLine(w, L"C", L"5", L"1", 0, false);
        EXPECT_EQ(L"B|C", Cell(w, 0, 2) + L"|" + Cell(w, 1, 2));
    });
    EXPECT_EQ("[Atentie!] Nu ati introdus Unitatea de masura !\n"
              "[Atentie] Acest document contine produse ce au cote diferite de TVA, nu se poate aplica Discount !\n"
              "[Atentie] " + testing_support::Narrow(kPercentRefused) + "\n[Atentie] " +
                  testing_support::Narrow(kPriceRefused) + "\n[Atentie] " + testing_support::Narrow(kQuantityRefused) +
                  "\n[Atentie] " + testing_support::Narrow(kValueTooLarge) + "\n",
              boxes.Describe());
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Produse where denumire in ('Faina', 'Mare')"));
}

// On a goods-received note "1.000" bags of cement at "1.250" lei, less a
// discount of "12.500" percent, each read two ways: every field is refused at
// the line with both readings and keeps what was typed; with a decimal comma
// or a blank between thousands the line is taken.
TEST_F(EditorLines, APointBeforeThreeDigitsIsRefusedInTheQuantityPriceAndDiscountWithBothReadings)
{
    RunDocument(DocumentGoodsReceived, 0, [&](HWND w) {
        AddLine(w, L"Ciment", L"20", L"1.000", 0, false);
        AddLine(w, L"Ciment", L"1.250", L"1 000", 0, false);
        EXPECT_EQ(L"0|1.250|1 000", std::to_wstring(Rows(w)) + L"|" + Fields(w, {IDC_FE_PRICE, IDC_FE_QUANTITY}));
        AddLine(w, L"Ciment", L"1,25", L"1 000", 0, false);
        ASSERT_EQ(1, Rows(w));
        EXPECT_EQ(L"1.25|1 000|1250.00", Cells(w, 0, {3, 4, 7}));
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"12.500");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w));
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"12,5");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(L"Discount 12,5%|-156.25", Cells(w, 1, {2, 7}));
    });
    const std::string advice = " !\nScrieti zecimalele dupa virgula.\n";
    EXPECT_EQ("[Atentie] Cantitatea introdusa (1.000) se poate citi 1 sau 1000" + advice +
                  "[Atentie] Pretul introdus (1.250) se poate citi 1,25 sau 1250" + advice +
                  "[Atentie] Procentul introdus (12.500) se poate citi 12,5 sau 12500" + advice,
              boxes.Describe());
}

TEST_F(EditorLines, NewProductNameIsInsertedWithTheDocumentWithItsLastLinesValues)
{
    tempDb.Exec(L"insert into Produse (id, denumire, UM, TVA, pretVanzare) values (7, 'Faina', 'kg', 0, 3)");
    RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Var pastos", L"124", L"1", 0, true, L"kg");
        AddLine(w, L"Faina", L"5", L"1", 1, false, L"sac");
        AddLine(w, L"Var pastos", L"80", L"1", 1, false, L"sac");
        // A line of a product typed before reads nothing, though the editor's
        // focus moves after it ask for the product again.
        int statements = 0;
        auto count = [](unsigned, void* n, void*, void*) { ++*static_cast<int*>(n); return 0; };
        sqlite3_trace_v2(GetRepository().GetHandle(), SQLITE_TRACE_STMT, count, &statements);
        SetFocus(GetDlgItem(w, IDC_FE_PRODUCT));
        AddLine(w, L"Faina", L"5", L"1", 1, false, L"sac");
        sqlite3_trace_v2(GetRepository().GetHandle(), 0, nullptr, nullptr);
        EXPECT_EQ(0, statements);
        // Nothing is written before the document is.
        EXPECT_EQ(L"1 3.0", tempDb.Text(L"select count(*) || ' ' || max(pretVanzare) from Produse where id > 0"));
        EXPECT_EQ(L"8|7", Cell(w, 0, 1) + L"|" + Cell(w, 1, 1));
        // Its first row opened for a change shows that row's own figures.
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        EXPECT_EQ(L"100.00 kg", Text(w, IDC_FE_PRICE) + L" " + Text(w, IDC_FE_UNIT));
        // An id taken meanwhile moves the new product's id; the rows follow.
        tempDb.Exec(L"insert into Produse (id, denumire) values (8, 'Altul')");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT); // two rows differ from the first: refused once
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
    // The new product took id 9 with its last line's price, VAT and unit.
    EXPECT_EQ(L"7 5.0 1 sac 2|9 80.0 1 sac 2|", tempDb.Text(L"select group_concat(p.id || ' ' || pretVanzare || ' ' || "
                                                          L"TVA || ' ' || UM || ' ' || (select count(*) from "
                                                          L"ArticoleFacturi where produsID = p.id) || '|', '') from "
                                                          L"Produse p where id in (7, 9)"));
}

// "Modifica" takes the line itself into the fields: its quantity, price,
// unit and VAT code, not the catalogue's; put back unchanged, a stored line
// keeps its exact figures and the catalogue stays as it was.
TEST_F(EditorLines, ModifyLoadsTheLinesOwnFiguresAndPutsThemBackAsTheyWere)
{
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    unsigned long long ciment = tempDb.AddProduct(L"Ciment", 50.0, 1, L"sac");
    unsigned long long invoice = StoreInvoice(client, 3, 151.25, 32.36, 183.61, 183.61);
    StoreLine(L"ArticoleFacturi", invoice, ciment, 10, 12.5, L"0");
    StoreLine(L"ArticoleFacturi", invoice, ciment, 2.126, 12.3456);
    std::wstring before = tempDb.Text(L"select group_concat(cantitate || ' ' || valoareFT || ' ' || "
                                      L"coalesce(TVA, 'null'), '|') from ArticoleFacturi");
    RunDocument(0, invoice, [&](HWND w) {
        auto fields = [w] {
            return Fields(w, {IDOK, IDC_FE_PRODUCT, IDC_FE_QUANTITY, IDC_FE_PRICE, IDC_FE_UNIT}) + L"|" +
                   std::to_wstring(SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0));
        };
        for (int row : {0, 1}) {
            ModalDriver::SelectListRow(w, IDC_FE_LINES, row);
            ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
            EXPECT_EQ(row == 0 ? L"Modifica|Ciment|10.00|12.50|sac|0" : L"Modifica|Ciment|2.126|12.35|sac|1", fields());
            ModalDriver::Click(w, IDOK);
        }
        EXPECT_EQ(L"125.00|26.25", Cell(w, 0, 7) + L"|" + Cell(w, 1, 7));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(before, tempDb.Text(L"select group_concat(cantitate || ' ' || valoareFT || ' ' || "
                                  L"coalesce(TVA, 'null'), '|') from ArticoleFacturi"));
    EXPECT_EQ(L"50.0 1 sac", tempDb.Text(L"select pretVanzare || ' ' || TVA || ' ' || UM from Produse where "
                                        L"denumire = 'Ciment'"));
    // A changed quantity is the line's new quantity at the line's own price.
    RunDocument(0, invoice, [](HWND w) {
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        ModalDriver::SetText(w, IDC_FE_QUANTITY, L"12");
        ModalDriver::Click(w, IDOK);
        EXPECT_EQ(L"Adauga|12|12.50|150.00|24%", Text(w, IDOK) + L"|" + Cells(w, 0, {4, 3, 7, 10}));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// Two products may share a name. A line of the second one, its quantity
// changed through "Modifica", stays the second one's: the stock and the
// catalogue price that move are its own, never its namesake's.
TEST_F(EditorLines, ModifiedLineKeepsItsProductBesideANamesake)
{
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    tempDb.AddProduct(L"Ciment Holcim", 10.0);
    unsigned long long second = tempDb.AddProduct(L"Ciment Holcim", 20.0, 0, L"sac");
    unsigned long long invoice = StoreInvoice(client, 3, 20, 4.8, 24.8, 24.8);
    StoreLine(L"ArticoleFacturi", invoice, second, 1, 20, L"0");
    RunDocument(0, invoice, [](HWND w) {
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        ModalDriver::SetText(w, IDC_FE_QUANTITY, L"3");
        ModalDriver::SetText(w, IDC_FE_PRICE, L"25");
        ModalDriver::Click(w, IDOK);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"2:3.0x25.0", tempDb.Text(L"select produsID || ':' || cantitate || 'x' || valoareFT from ArticoleFacturi"));
    EXPECT_EQ(L"1:10.0,2:25.0", tempDb.Text(L"select group_concat(id || ':' || pretVanzare, ',') from Produse where id <> 0"));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

} // namespace

// A product chosen shows "Nu include T.V.A." (EditorFill); where the radios
// already stand so, typing lines sends them nothing. Checking an automatic radio button walks its
// whole group, which here runs on over the editor's controls (under Wine some
// 8 ms on every other line typed).
TEST_F(EditorLines, TypedLinesLeaveTheVatRadiosAloneWhereTheyAlreadyShowThePriceWithoutVat)
{
    RunDocument(0, 0, [&](HWND w) {
        CheckDlgButton(w, IDC_FE_EXCLUDES_VAT, BST_CHECKED);
        int checks = 0;
        for (int id : {IDC_FE_INCLUDES_VAT, IDC_FE_EXCLUDES_VAT})
            SetWindowSubclass(GetDlgItem(w, id), &CountChecks, 1, reinterpret_cast<DWORD_PTR>(&checks));
        for (const wchar_t* product : {L"Faina", L"Zahar", L"Faina", L"Ulei"}) {
            ModalDriver::SetText(w, IDC_FE_PRODUCT, product);
            ModalDriver::SetText(w, IDC_FE_PRICE, L"10");
            ModalDriver::SetText(w, IDC_FE_QUANTITY, L"2");
            ModalDriver::SetText(w, IDC_FE_UNIT, L"Buc");
            ModalDriver::Click(w, IDOK);
        }
        EXPECT_EQ(4, Rows(w));
        EXPECT_EQ(0, checks);
        EXPECT_TRUE(IsDlgButtonChecked(w, IDC_FE_EXCLUDES_VAT) && !IsDlgButtonChecked(w, IDC_FE_INCLUDES_VAT));
        for (int id : {IDC_FE_INCLUDES_VAT, IDC_FE_EXCLUDES_VAT})
            RemoveWindowSubclass(GetDlgItem(w, id), &CountChecks, 1);
    });
}

// A line reads each of its fields once, and once the list scrolls the row
// buttons already stand under the new last row: they are not moved again,
// and a click on one still lands on it.
TEST_F(EditorLines, TypedLinesReadTheirFieldsOnceAndLeaveTheRowButtonsWhereTheyStand)
{
    RunDocument(0, 0, [&](HWND w) {
        Watched reads = {WM_GETTEXT, 0}, moves = {WM_WINDOWPOSCHANGING, 0};
        const int lines = 20, watchedLines = 5;
        for (int i = 0; i < lines; ++i) {
            if (i == lines - watchedLines) {
                SetWindowSubclass(GetDlgItem(w, IDC_FE_PRICE), &CountMessages, 1, reinterpret_cast<DWORD_PTR>(&reads));
                for (int id : {IDC_FE_MODIFY_LINE, IDC_FE_DELETE_LINE})
                    SetWindowSubclass(GetDlgItem(w, id), &CountMessages, 2, reinterpret_cast<DWORD_PTR>(&moves));
            }
            ModalDriver::SetText(w, IDC_FE_PRODUCT, i % 2 ? L"Faina" : L"Zahar");
            ModalDriver::SetText(w, IDC_FE_PRICE, L"10");
            ModalDriver::SetText(w, IDC_FE_QUANTITY, L"2");
            ModalDriver::SetText(w, IDC_FE_UNIT, L"Buc");
            ModalDriver::Click(w, IDOK);
        }
        RemoveWindowSubclass(GetDlgItem(w, IDC_FE_PRICE), &CountMessages, 1);
        for (int id : {IDC_FE_MODIFY_LINE, IDC_FE_DELETE_LINE})
            RemoveWindowSubclass(GetDlgItem(w, id), &CountMessages, 2);
        EXPECT_EQ(lines, Rows(w));
        EXPECT_EQ(watchedLines, reads.count);
        EXPECT_EQ(0, moves.count);
        ModalDriver::ClickOnScreen(w, IDC_FE_DELETE_LINE);
        ModalDriver::Pump(200);
        EXPECT_EQ(lines - 1, Rows(w)) << "the click went to the list";
    });
}

// The line list draws each line once, as it is written, with its scroll bars
// redrawn only where they moved: after every line what it shows is what it
// draws repainted whole. Lines within the first page, the line that brings
// the scroll bar, lines that scroll, a row changed in place, and lines added
// after a discount row.
TEST_F(EditorLines, EachLineShowsWhatTheListDrawsRepaintedWhole)
{
    RunDocument(0, 0, [&](HWND w) {
        HWND list = GetDlgItem(w, IDC_FE_LINES);
        auto matchesWholeRepaint = [&](const std::wstring& after) {
            UpdateWindow(list); // what the list still owes the screen is drawn, as the message loop would
            std::vector<DWORD> shown = testing_support::WindowPixels(list);
            RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            std::vector<DWORD> whole = testing_support::WindowPixels(list);
            size_t differing = 0;
            for (size_t i = 0; i < shown.size() && i < whole.size(); ++i)
                differing += shown[i] != whole[i];
            EXPECT_TRUE(!shown.empty() && shown.size() == whole.size() && differing == 0)
                << differing << " pixels differ after " << testing::PrintToString(after);
        };
        int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        ASSERT_GT(perPage, 2);
        for (int i = 1; i <= perPage + 4; ++i) {
            AddLine(w, i % 2 ? L"Faina" : L"Zahar", L"10", std::to_wstring(i).c_str(), 0, false);
            matchesWholeRepaint(L"line " + std::to_wstring(i));
        }
        EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL);
        EXPECT_EQ(perPage + 3, ModalDriver::ListSelectedRow(w, IDC_FE_LINES));
        EXPECT_EQ(4, SendMessageW(list, LVM_GETTOPINDEX, 0, 0)) << "the new last row is scrolled into view";

        ModalDriver::SelectListRow(w, IDC_FE_LINES, perPage + 1);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        ModalDriver::SetText(w, IDC_FE_PRICE, L"12.5");
        ModalDriver::Click(w, IDOK);
        EXPECT_EQ(L"12.50", Cell(w, perPage + 1, 3));
        matchesWholeRepaint(L"a row changed in place");

        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        for (int i = 0; i < 2; ++i) {
            AddLine(w, L"Faina", L"10", L"1", 0, false);
            matchesWholeRepaint(L"a line after the discount row " + std::to_wstring(i + 1));
        }
        ASSERT_EQ(perPage + 7, Rows(w));
        EXPECT_EQ(L"0", Cell(w, perPage + 6, 1)) << "the discount row stays last";
        testing_support::SaveWindowPng(w, L"editor-lines-typed");

        // A line at another rate takes the discount away, said once it shows.
        AddLine(w, L"Zahar", L"10", L"1", 1, false);
        matchesWholeRepaint(L"a line at another rate");
        ASSERT_EQ(perPage + 7, Rows(w));
        EXPECT_EQ(L"Zahar|9%", Cells(w, perPage + 6, {2, 10}));
        long long net = 0, gross = 0; // bani
        for (int r = 0; r < Rows(w); ++r) {
            EXPECT_NE(L"0", Cell(w, r, 1)) << "no discount row is left";
            net += std::llround(std::wcstod(Cell(w, r, 7).c_str(), nullptr) * 100);
            gross += std::llround(std::wcstod(Cell(w, r, 9).c_str(), nullptr) * 100);
        }
        EXPECT_EQ(std::to_wstring(net) + L"|" + std::to_wstring(gross),
                  std::to_wstring(std::llround(std::wcstod(Text(w, IDC_FE_TOTAL_NET).c_str(), nullptr) * 100)) + L"|" +
                      std::to_wstring(std::llround(std::wcstod(Text(w, IDC_FE_TOTAL).c_str(), nullptr) * 100)));
    });
    EXPECT_EQ("[Atentie] Acest document contine produse ce au cote diferite de TVA, nu se poate aplica Discount !\n",
              boxes.Describe());
}
