#include "tests/documents/support/EditorFixture.h"
#include "tests/harness/Screenshot.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorLines : public EditorTest {};

TEST_F(EditorLines, PriceWithAndWithoutVatGiveUnitNetVatAndGross)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"Faina", L"124", L"2", 0, true);
        AddLine(w, L"Zahar", L"100", L"2", 1, false);
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"100.00", Cell(w, 0, 3));
        EXPECT_EQ(L"200.00", Cell(w, 0, 7));
        EXPECT_EQ(L"48.00", Cell(w, 0, 8));
        EXPECT_EQ(L"248.00", Cell(w, 0, 9));
        EXPECT_EQ(L"24%", Cell(w, 0, 10));
        EXPECT_EQ(L"100.00", Cell(w, 1, 3));
        EXPECT_EQ(L"200.00", Cell(w, 1, 7));
        EXPECT_EQ(L"18.00", Cell(w, 1, 8));
        EXPECT_EQ(L"218.00", Cell(w, 1, 9));
        EXPECT_EQ(L"2", Cell(w, 1, 0));
        EXPECT_EQ(L"400.00", Text(w, IDC_FE_TOTAL_NET));
        EXPECT_EQ(L"66.00", Text(w, IDC_FE_TOTAL_VAT));
        EXPECT_EQ(L"466.00", Text(w, IDC_FE_TOTAL));
        // The entry fields are emptied after an accepted line.
        EXPECT_EQ(L"", Text(w, IDC_FE_PRICE));
        testing_support::SaveWindowPng(w, L"editor_lines");
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

TEST_F(EditorLines, NewProductNameIsInsertedWithTheDocumentWithItsLastLinesValues)
{
    tempDb.Exec(L"insert into Produse (id, denumire, UM, TVA, pretVanzare) values (7, 'Faina', 'kg', 0, 3)");
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Var pastos", L"124", L"1", 0, true, L"kg");
        AddLine(w, L"Faina", L"5", L"1", 1, false, L"sac");
        AddLine(w, L"Var pastos", L"80", L"1", 1, false, L"sac");
        // Nothing is written before the document is.
        EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Produse where denumire = 'Var pastos'"));
        EXPECT_DOUBLE_EQ(3.0, tempDb.Number(L"select pretVanzare from Produse where id = 7"));
        EXPECT_EQ(L"8", Cell(w, 0, 1));
        EXPECT_EQ(L"7", Cell(w, 1, 1));
        // Its first row opened for a change shows what its last line gave it.
        LVITEMW select = {};
        select.stateMask = select.state = LVIS_SELECTED;
        SendDlgItemMessageW(w, IDC_FE_LINES, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        EXPECT_EQ(L"80.00", Text(w, IDC_FE_PRICE));
        EXPECT_EQ(L"sac", Text(w, IDC_FE_UNIT));
        // An id taken meanwhile moves the new product's id; the rows follow.
        tempDb.Exec(L"insert into Produse (id, denumire) values (8, 'Altul')");
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Produse where denumire = 'Var pastos'"));
    EXPECT_DOUBLE_EQ(80.0, tempDb.Number(L"select pretVanzare from Produse where denumire = 'Var pastos'"));
    EXPECT_EQ(1, tempDb.Scalar(L"select TVA from Produse where denumire = 'Var pastos'"));
    EXPECT_EQ(L"sac", tempDb.Text(L"select UM from Produse where denumire = 'Var pastos'"));
    EXPECT_DOUBLE_EQ(5.0, tempDb.Number(L"select pretVanzare from Produse where id = 7"));
    EXPECT_EQ(L"sac", tempDb.Text(L"select UM from Produse where id = 7"));
    long long id = tempDb.Scalar(L"select id from Produse where denumire = 'Var pastos'");
    EXPECT_EQ(9, id);
    EXPECT_EQ(2, tempDb.Scalar(L"select count(*) from ArticoleFacturi where produsID = 9"));
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from ArticoleFacturi where produsID = 7"));
}

TEST_F(EditorLines, DiscountAddsANegativeRowAndASecondPressRestores)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"Faina", L"100", L"1", 0, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"0", Cell(w, 1, 1));
        EXPECT_EQ(L"Discount 10%", Cell(w, 1, 2));
        EXPECT_EQ(L"-1", Cell(w, 1, 4));
        EXPECT_EQ(L"BUC", Cell(w, 1, 5));
        EXPECT_EQ(L"-10.00", Cell(w, 1, 7));
        EXPECT_EQ(L"-2.40", Cell(w, 1, 8));
        EXPECT_EQ(L"-12.40", Cell(w, 1, 9));
        EXPECT_EQ(L"90.00", Text(w, IDC_FE_TOTAL_NET));
        EXPECT_EQ(L"21.60", Text(w, IDC_FE_TOTAL_VAT));
        EXPECT_EQ(L"111.60", Text(w, IDC_FE_TOTAL));
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w));
        EXPECT_EQ(L"124.00", Text(w, IDC_FE_TOTAL));
        // An empty percentage adds nothing.
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

TEST_F(EditorLines, MixedVatRatesRefuseTheDiscountOncePerDifferingRow)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"A", L"10", L"1", 0, false);
        AddLine(w, L"B", L"10", L"1", 1, false);
        AddLine(w, L"C", L"10", L"1", 1, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(3, Rows(w));
    });
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(L"Atentie", boxes.Last().caption);
    EXPECT_TRUE(boxes.Saw(L"Acest document contine produse ce au cote diferite de TVA, nu se poate aplica Discount !"));
}

TEST_F(EditorLines, LineAddedAfterADiscountKeepsTheDiscountLastAndRecomputed)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"A", L"100", L"1", 0, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        AddLine(w, L"B", L"100", L"1", 0, false);
        ASSERT_EQ(3, Rows(w));
        EXPECT_EQ(L"B", Cell(w, 1, 2));
        EXPECT_EQ(L"0", Cell(w, 2, 1));
        EXPECT_EQ(L"-20.00", Cell(w, 2, 7));
        EXPECT_EQ(L"3", Cell(w, 2, 0));
        EXPECT_EQ(L"180.00", Text(w, IDC_FE_TOTAL_NET));
        // Deleting a line takes the discount away too, and the totals follow.
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        EXPECT_EQ(2, Rows(w)); // a click removes the discount row
        EXPECT_EQ(L"200.00", Text(w, IDC_FE_TOTAL_NET));
        ModalDriver::Click(w, IDC_FE_DELETE_LINE);
        EXPECT_EQ(1, Rows(w));
        EXPECT_EQ(L"1", Cell(w, 0, 0));
        EXPECT_EQ(L"100.00", Text(w, IDC_FE_TOTAL_NET));
    });
    EXPECT_EQ(1, editor.nrLinii);
}

TEST_F(EditorLines, RefusedLineKeepsWhatWasTyped)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"Faina", L"10", L"3", 0, false, L"");
        EXPECT_EQ(0, Rows(w));
        EXPECT_EQ(L"Faina", Text(w, IDC_FE_PRODUCT));
        EXPECT_EQ(L"10", Text(w, IDC_FE_PRICE));
        EXPECT_EQ(L"3", Text(w, IDC_FE_QUANTITY));
    });
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Nu ati introdus Unitatea de masura !", boxes.Last().text);
    EXPECT_EQ(L"Atentie!", boxes.Last().caption);
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Produse where denumire = 'Faina'"));
}

TEST_F(EditorLines, ModifyReplacesTheSelectedRowAndWithoutSelectionAddsOne)
{
    MyFacturiDialog editor(nullptr);
    Run(editor, [&](HWND w) {
        AddLine(w, L"A", L"10", L"1", 0, false);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        EXPECT_EQ(L"Modifica", Text(w, IDOK));
        EXPECT_EQ(L"A", Text(w, IDC_FE_PRODUCT));
        EXPECT_EQ(L"10.00", Text(w, IDC_FE_PRICE));
        AddLine(w, L"A", L"20", L"2", 0, false);
        ASSERT_EQ(1, Rows(w));
        EXPECT_EQ(L"40.00", Cell(w, 0, 7));
        EXPECT_EQ(L"Adauga", Text(w, IDOK));

        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        LVITEMW clear = {};
        clear.stateMask = LVIS_SELECTED;
        SendDlgItemMessageW(w, IDC_FE_LINES, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        AddLine(w, L"B", L"5", L"1", 0, false);
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"A", Cell(w, 0, 2));
        EXPECT_EQ(L"B", Cell(w, 1, 2));
    });
}

TEST_F(EditorLines, UnstorableProductFailsTheSaveAndWritesNothing)
{
    tempDb.Exec(L"create trigger no_products before insert on Produse begin select raise(abort, 'blocked'); end");
    MyFacturiDialog editor(nullptr);
    INT_PTR result = Run(editor, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Nou", L"10", L"1", 0, false);
        EXPECT_EQ(1, Rows(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::Click(w, IDCANCEL);
    });
    EXPECT_NE(1, result);
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Facturi") + tempDb.Scalar(L"select count(*) from ArticoleFacturi") +
                     tempDb.Scalar(L"select count(*) from Clienti"));
}

} // namespace
