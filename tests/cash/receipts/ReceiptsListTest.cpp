#include <gtest/gtest.h>
#include "cash/MyIncasariDialog.h"
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"
#include "tests/cash/support/CashFixtures.h"

using micro::qsql::SqlFormat;
using cash_tests::AddCashRow;
using cash_tests::CashRow;
using testing_support::ModalDriver;

namespace {

const wchar_t kList[] = L"Incasari";
const int kRows = IDC_INCASARI_LISTA;

std::vector<std::wstring> Numbers(HWND w)
{
    std::vector<std::wstring> numbers;
    for (int row = 0; row < ModalDriver::ListRowCount(w, kRows); ++row)
        numbers.push_back(ModalDriver::ListCell(w, kRows, row, 2));
    return numbers;
}

unsigned long long g_opened = ~0ULL;
INT_PTR FakeReceiptEditor(HWND, int, uint64_t id)
{
    g_opened = id;
    GetRepository().ExecDML(L"insert into Incasari values (NULL, 'CNT', 9, 0, ' 1', 5, '', 0, 1, 0, 0)");
    return IDOK;
}

class ReceiptsList : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        unsigned long long alfa = tempDb.AddClient(L"D'Artagnan SRL");
        unsigned long long beta = tempDb.AddClient(L"Beta Trade");
        const CashRow rows[] = {{alfa, 1, L" 12", 1234567.89, 2, 1700000000, 0, L"CNT", L"SUMA"},
                                {beta, 2, L" 12", 112.5, 1, 1700000000, 1, L"CNT", L"SUMA"},
                                {beta, 3, L" 12", 40, 3, 1700000000, 2, L"CNT", L"SUMA"},
                                {alfa, 4, L" 12", 7, 0, 1700000000, 0, L"CNT", L"SUMA"}};
        for (const CashRow& row : rows)
            AddCashRow(tempDb, L"Incasari", row);
    }
};

} // namespace

TEST_F(ReceiptsList, FiltersTheChosenFieldAsTypedAndReadsAgainAfterTheEditorStoredSomething)
{
    RegisterEditor(EditorKind::Receipt, &FakeReceiptEditor);
    MyIncasariDialog dialog(nullptr);
    ModalDriver driver;
    driver.When(kList, [](HWND w) {
        EXPECT_EQ(L" ? ", ModalDriver::ListCell(w, kRows, 3, 1));
        EXPECT_EQ(L"Ordin de plata", ModalDriver::ListCell(w, kRows, 1, 8));
        testing_support::SaveWindowPng(w, L"receipts_list");
        const struct {
            int field;
            const wchar_t* text;
            std::vector<std::wstring> numbers;
        } cases[] = {
            {0, L"ARTAG", {L"1", L"4"}}, {0, L"d'art", {L"1", L"4"}},     {1, L"3", {L"3"}},
            {2, L"VALID", {L"1"}},       {3, L"12.5", {L"2"}},            {3, L"1234567.89", {L"1"}},
            {0, L"beta", {L"2", L"3"}},
        };
        for (const auto& c : cases) {
            ModalDriver::SelectCombo(w, IDC_INCASARI_CAMP, c.field);
            ModalDriver::SetText(w, IDC_INCASARI_CAUTARE, c.text);
            EXPECT_EQ(c.numbers, Numbers(w)) << testing_support::Narrow(c.text);
        }
        // The editor stores a receipt of no client: the search stays, the list is read again.
        ModalDriver::DoubleClickListRow(w, kRows, 1);
        EXPECT_EQ(3u, g_opened);
        EXPECT_EQ((std::vector<std::wstring>{L"2", L"3"}), Numbers(w));
        ModalDriver::SetText(w, IDC_INCASARI_CAUTARE, L"");
        ModalDriver::Click(w, IDC_INCASARI_NOUA);
        EXPECT_EQ(0u, g_opened);
        EXPECT_EQ(6, ModalDriver::ListRowCount(w, kRows));
        // Enter keeps the list open.
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
        ModalDriver::Click(w, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    driver.Verify();
    RegisterEditor(EditorKind::Receipt, nullptr);
}
