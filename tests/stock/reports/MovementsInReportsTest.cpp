#include <algorithm>
#include "database/StockRule.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "stock/MyFisaDeMagazieDialog.h"
#include "stock/MyStocArticoleDialog.h"
#include "tests/stock/support/StockFixture.h"

using namespace stock_test;

namespace {

class MovementsInReports : public StockTest {
protected:
    // A movement of kind with one row, validated (or only saved) through the
    // editor on 15-03-2024 at noon; answers the editor's result.
    INT_PTR Move(int kind, const wchar_t* product, const wchar_t* quantity, bool validate)
    {
        return RunEditor(kind, 0, [&](HWND w) {
            ModalDriver::SetDate(w, IDC_IGE_DATA, Day(2024, 3, 15, 12));
            AddRow(w, product, quantity);
            ModalDriver::Click(w, validate ? IDC_IGE_VALIDEAZA : IDOK);
        });
    }
};

} // namespace

// The movement editor's stock test, the documents' stock check and every
// report count one stock: the rule's, whatever Produse.stocReal says.
TEST_F(MovementsInReports, ValidatedExitCountsCancelledEntryDoesNotAndEveryCheckAgrees)
{
    long long bio = Product(L"100% Bio_x\\", L"D'Artagnan", 2.5);
    long long kept = Product(L"Stoc vechi", L"buc", 1.0);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Produse set stocReal = 5 where id = %lld", kept).c_str());
    Line(L"Niruri", kDay, 2, 0, 1, bio, 1e15, 1);  // received, not in stocReal

    EXPECT_EQ(1, Move(1, L"100% Bio", L"4", true)) << boxes.Describe();
    EXPECT_EQ(L"4.0|100% Bio_x\\|D'Artagnan", tempDb.Text(L"select cantitate || '|' || p.denumire || '|' || s.UM from "
                                                        L"Stocuri s, Produse p where p.id = s.IDProdus"));
    EXPECT_EQ(1, Move(0, L"100% Bio", L"100", false));
    EXPECT_EQ(1, RunEditor(0, 1, [](HWND w) { ModalDriver::Click(w, IDC_IGE_ANULEAZA); }));
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
        EXPECT_EQ(L"0.00", ModalDriver::ListCell(w, IDC_STOC_LISTA, 1, 2)) << "stocReal is not the stock";
    });
    MyFisaDeArticolDialog article(nullptr);
    RunDialog(article, L"Fisa de articol", [&](HWND w) {
        PickProduct(L"Bio_x\\", [&] { ModalDriver::Click(w, IDC_FISA_SELECTEAZA); });
        EXPECT_EQ(L"100% Bio_x\\", ModalDriver::GetText(w, IDC_FISA_NUME));
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, PickerDay(kDay));
        ModalDriver::SetDate(w, IDC_FISA_LA, PickerDay(kDay));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
        EXPECT_EQ(L"NIR,EG,,", ColumnText(w, IDC_FISA_LISTA, 1));
        EXPECT_EQ(L"15-03-2024 |EG|1|IESIRE GENERALA|0|4.00", RowText(w, IDC_FISA_LISTA, 1, {0, 1, 2, 3, 4, 5}));
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
