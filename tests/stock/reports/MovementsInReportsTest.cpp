#include <algorithm>
#include "database/StockRule.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/moves/MovesFixture.h"
#include "tests/stock/reports/ReportsFixture.h"

using namespace reports_test;
using moves_test::AddRow;

namespace {

class MovementsInReports : public ReportsTest {
protected:
    // A movement of kind with one row, validated (or only saved) through the
    // editor on 15-03-2024 at noon; answers the editor's result.
    INT_PTR Move(int kind, const wchar_t* product, const wchar_t* quantity, bool validate)
    {
        MyIntrariGeneraleDialogEdit editor(nullptr);
        editor.kind = kind;
        ModalDriver driver;
        driver.When(StockMoveKindOf(kind).editorTitle, [&](HWND w) {
            ModalDriver::SetDate(w, IDC_IGE_DATA, moves_test::Day(2024, 3, 15, 12));
            AddRow(w, product, quantity);
            ModalDriver::Click(w, validate ? IDC_IGE_VALIDEAZA : IDOK);
            if (IsWindowVisible(w))
                ModalDriver::Click(w, IDCANCEL);
        });
        INT_PTR result = editor.DoModal();
        driver.Verify();
        return result;
    }
    testing_support::MessageBoxRecorder boxes;
};

} // namespace

// The movement editor's stock test, the documents' stock check and every
// report count one stock: the rule's, whatever Produse.stocReal says.
TEST_F(MovementsInReports, ValidatedExitCountsCancelledEntryDoesNotAndEveryCheckAgrees)
{
    long long bio = tempDb.AddProduct(L"100% Bio_x\\", 1.0, 0, L"D'Artagnan", 2.5);
    long long kept = tempDb.AddProduct(L"Stoc vechi", 1.0, 0, L"buc", 1.0);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set stocReal = 5 where id = %lld", kept).c_str());
    Line(L"Niruri", kDay, 2, 0, 1, bio, 1e15, 1);  // received, not in stocReal

    EXPECT_EQ(1, Move(1, L"100% Bio", L"4", true)) << boxes.Describe();
    EXPECT_EQ(L"4.0|100% Bio_x\\|D'Artagnan", tempDb.Text(L"select cantitate || '|' || p.denumire || '|' || s.UM from "
                                                        L"Stocuri s, Produse p where p.id = s.IDProdus"));
    EXPECT_EQ(1, Move(0, L"100% Bio", L"100", false));
    boxes.Clear();
    MyIntrariGeneraleDialogEdit entry(nullptr);
    entry.id = 1;
    ModalDriver cancel;
    cancel.When(L"Intrare   ", [](HWND w) { ModalDriver::Click(w, IDC_IGE_ANULEAZA); });
    EXPECT_EQ(1, entry.DoModal());
    cancel.Verify();
    // More than the rule's stock is refused, however much stocReal holds.
    boxes.Clear();
    EXPECT_EQ(IDCANCEL, Move(1, L"100% Bio", L"999999999999996.25", true));
    EXPECT_EQ(IDCANCEL, Move(1, L"Stoc vechi", L"1", true));
    EXPECT_EQ(2, std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(), [](const auto& box) {
                  return box.text == L"Cantitate Insufucienta in stoc !";
              })) << boxes.Describe();

    const wchar_t* left = L"999999999999996.00";
    MyStocArticoleDialog list(nullptr);
    RunDialog(list, L"Stoc articole", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_STOC_DATA, PickerDay(kDay));
        EXPECT_EQ(left, ModalDriver::ListCell(w, IDC_STOC_LISTA, 0, 2));
        EXPECT_EQ(L"0.00", ModalDriver::ListCell(w, IDC_STOC_LISTA, 1, 2));
    });
    MyFisaDeArticolDialog article(nullptr);
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        ModalDriver picker;
        picker.When(L"Cautare Produse", [](HWND p) {
            ModalDriver::SetText(p, IDC_CAUTARE_PRODUSE_FILTER, L"Bio_x\\");
            ModalDriver::DoubleClickListRow(p, IDC_CAUTARE_PRODUSE_LIST, 0);
        });
        ModalDriver::Click(w, IDC_FISA_SELECTEAZA);
        picker.Verify();
        EXPECT_EQ(L"100% Bio_x\\", ModalDriver::GetText(w, IDC_FISA_NUME));
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(kDay));
        ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(kDay));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
        Rows rows = ListRows(w, IDC_FISA_LISTA, 6);
        ASSERT_EQ(4u, rows.size());
        EXPECT_EQ(L"NIR", rows[0][1]);
        EXPECT_EQ((std::vector<std::wstring>{L"15-03-2024 ", L"EG", L"1", L"IESIRE GENERALA", L"0", L"4.00"}), rows[1]);
    });
    MyFisaDeMagazieDialog warehouse(nullptr);
    warehouse.productId = bio;
    RunDialog(warehouse, L"Fisa de magazie", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_MAGAZIE_DE_LA, PickerDay(kDay - 86400));
        ModalDriver::SetDate(w, IDC_MAGAZIE_LA, PickerDay(kDay + 86400));
        ModalDriver::Click(w, IDC_MAGAZIE_COLECTEAZA);
        Rows rows = ListRows(w, IDC_MAGAZIE_LISTA, 6);
        ASSERT_EQ(3u, rows.size()) << "opening, the goods received, the exit";
        EXPECT_EQ(left, rows.back()[5]);
    });

    // The documents' check: what is left passes, a hundredth more does not.
    StockTally tally(kDay, [](unsigned long long) { return 0.0; });
    EXPECT_TRUE(tally.Take(bio, 999999999999995.75));
    EXPECT_FALSE(tally.Take(bio, 0.5));
    EXPECT_FALSE(StockTally(kDay, [](unsigned long long) { return 0.0; }).Take(kept, 1));
}
