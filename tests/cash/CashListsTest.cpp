#include <gtest/gtest.h>
#include <ctime>
#include "cash/MyIncasariDialog.h"
#include "cash/MyPlatiDialog.h"
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/Screenshot.h"

using cash_tests::AddCashRow;
using testing_support::ModalDriver;

namespace {

struct ListSide {
    const char* name;
    const wchar_t* table;
    EditorKind editor;
    int list, field, text, add;
    INT_PTR (*run)();
};
template <class List>
INT_PTR RunList()
{
    return List(nullptr).DoModal();
}
const ListSide kReceiptsList = {"receipts", L"Incasari", EditorKind::Receipt, IDC_INCASARI_LISTA, IDC_INCASARI_CAMP,
                                IDC_INCASARI_CAUTARE, IDC_INCASARI_NOUA, &RunList<MyIncasariDialog>};
const ListSide kPaymentsList = {"payments", L"Plati", EditorKind::Payment, IDC_PLATI_LISTA, IDC_PLATI_CAMP,
                                IDC_PLATI_TEXT, IDC_PLATI_NOUA, &RunList<MyPlatiDialog>};

const long long kToday = static_cast<long long>(time(nullptr)) - 7200;
const ListSide* g_side = nullptr;
unsigned long long g_opened = 0;
INT_PTR g_answer = 0;
// The editor stores a row of today and answers as told.
INT_PTR FakeEditor(HWND, int, uint64_t id)
{
    g_opened = id;
    GetRepository().ExecDML(micro::qsql::SqlFormat(L"insert into %s (numar, IDClient, suma, data, status, tip) values "
                                                   L"(20, 0, 5, %lld, 1, 0)",
                                                   g_side->table, kToday)
                                .c_str());
    return g_answer;
}

class CashLists : public testing_support::DatabaseTest, public testing::WithParamInterface<const ListSide*> {
protected:
    const ListSide& side = *GetParam();
    std::wstring Column(HWND hwnd, int column)
    {
        std::wstring cells;
        for (int row = 0; row < ModalDriver::ListRowCount(hwnd, side.list); ++row)
            cells += (row ? L"|" : L"") + ModalDriver::ListCell(hwnd, side.list, row, column);
        return cells;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(BothSides, CashLists, testing::Values(&kReceiptsList, &kPaymentsList),
                         [](const auto& info) { return std::string(info.param->name); });

TEST_P(CashLists, ShowTheRowsFilterTheChosenFieldAsTypedAndReloadOnlyAfterTheEditorSaved)
{
    g_side = &side;
    g_opened = 99;
    g_answer = 0;
    RegisterEditor(side.editor, &FakeEditor);
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    unsigned long long dart = tempDb.AddClient(L"D'Artagnan SRL");
    unsigned long long beta = tempDb.AddClient(L"Beta SA");
    unsigned long long first = AddCashRow(tempDb, side.table, {dart, 7, L" 3", 1234567.89, 2, kToday - 86400, 3});
    AddCashRow(tempDb, side.table, {beta, 8, L" 4", 112.5, 3, kToday, 0});
    ModalDriver driver;
    driver.When(side.table, [&](HWND w) {
        testing_support::SaveWindowPng(w, side.editor == EditorKind::Receipt ? L"receipts_list" : L"payments_list");
        EXPECT_EQ(L"7|8", Column(w, 2));
        EXPECT_EQ(L"Validat|Anulat", Column(w, 1));
        EXPECT_EQ(L"1234567.89|112.50", Column(w, 5));
        EXPECT_EQ(L"Cec|Numerar", Column(w, 8)); // the combo's lines, whatever the ids
        const struct {
            int field;
            const wchar_t* text;
            const wchar_t* numbers;
        } cases[] = {{0, L"d'art", L"7"}, {0, L"BETA", L"8"}, {1, L"8", L"8"},
                     {2, L"VALID", L"7"}, {3, L"12.5", L"8"}, {3, L"4567.8", L"7"}};
        for (const auto& c : cases) {
            ModalDriver::SelectCombo(w, side.field, c.field);
            ModalDriver::SetText(w, side.text, c.text);
            EXPECT_EQ(c.numbers, Column(w, 2)) << testing_support::Narrow(c.text);
        }
        // The editor answered 0: the search stays, nothing is read again.
        ModalDriver::DoubleClickListRow(w, side.list, 0);
        EXPECT_EQ(first, g_opened);
        EXPECT_EQ(L"7", Column(w, 2));
        ModalDriver::SetText(w, side.text, L"");
        g_answer = IDOK;
        ModalDriver::Click(w, side.add);
        EXPECT_EQ(0u, g_opened);
        EXPECT_EQ(L"7|8|20|20", Column(w, 2));
        // Enter keeps the list open.
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::Click(w, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, side.run());
    driver.Verify();
    RegisterEditor(side.editor, nullptr);
}
