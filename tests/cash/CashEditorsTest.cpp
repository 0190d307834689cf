#include <gtest/gtest.h>
#include <algorithm>
#include "database/qsql/SqlText.h"
#include "masterdata/EditorEntries.h"
#include "tests/cash/support/CashFixtures.h"

using cash_tests::AddCashRow;
using cash_tests::Side;
using micro::qsql::SqlFormat;
using testing_support::ModalDriver;

namespace {

const long long kStoredDate = 1780000000;

// Receipts over invoices and payments over goods-received notes keep money
// by the same rules; each test runs once per side.
class CashEditors : public cash_tests::CashEditorTest, public testing::WithParamInterface<const Side*> {
protected:
    CashEditors() : CashEditorTest(*GetParam()) {}
    long long Count(const wchar_t* where = L"1")
    {
        return tempDb.Scalar((std::wstring(L"select count(*) from ") + side.table + L" where " + where).c_str());
    }
};

const Side* g_side = nullptr;
unsigned long long g_opened = 0;
INT_PTR FakeDocumentEditor(HWND, int type, uint64_t id)
{
    g_opened = type == g_side->documentType ? id : 0;
    GetRepository().ExecDML(SqlFormat(L"update %s set sold = 55.5 where id = %llu", g_side->documents, id).c_str());
    return IDOK;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(BothSides, CashEditors, testing::Values(&cash_tests::kReceipts, &cash_tests::kPayments),
                         [](const auto& info) { return std::string(info.param->name); });

TEST_P(CashEditors, AnAmountThatIsNotPositiveOrDoesNotCoverTheDocumentsIsRefusedBeforeAnyWrite)
{
    // 0.004 is no bani at all; text reads as nothing.
    for (const wchar_t* amount : {L"0", L"0.004", L"abc"}) {
        boxes.Clear();
        ValidateNew(amount);
        EXPECT_TRUE(boxes.SawCaption(L"Atentie")) << boxes.Describe();
    }
    boxes.Clear();
    ValidateNew(L"90");
    EXPECT_TRUE(boxes.Saw(L"Suma introdusa nu poate sa acopere toate facturile introduse !"));
    EXPECT_EQ(0, Count(L"status = 2"));
    EXPECT_DOUBLE_EQ(100, Balance(doc12));
    EXPECT_DOUBLE_EQ(80, Balance(doc13));
}

TEST_P(CashEditors, AFailedSaveWritesNothingAndKeepsTheEditorOpen)
{
    // The counter is written last: the row and the balances before it go back too.
    tempDb.Exec(L"create trigger refuse before update on ConfigFacturi begin select raise(abort, 'refused'); end");
    EXPECT_EQ(IDCANCEL, ValidateNew(L"150", {12, 13}, [](HWND) {}));
    PickPartnerAndDocument(12);
    Run(0, side.newTitle, [&](HWND w) {
        ModalDriver::Click(w, side.pickPartner);
        ModalDriver::Click(w, side.validate);
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
    });
    EXPECT_EQ(3, std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(), [](const auto& box) {
                  return box.caption == L"Message" && box.text == L"SQLITE_CONSTRAINT[1811]: refused";
              })) << boxes.Describe();
    EXPECT_EQ(0, Count());
    EXPECT_EQ(0, Counter());
    EXPECT_DOUBLE_EQ(100, Balance(doc12));
    EXPECT_DOUBLE_EQ(80, Balance(doc13));
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Alocari"));
    tempDb.Exec(L"drop trigger refuse");

    // Without a partner nothing is saved.
    boxes.Clear();
    Run(0, side.newTitle, [](HWND w) {
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
    });
    EXPECT_TRUE(boxes.Saw(L"Introduceti clientul !")) << boxes.Describe();
    EXPECT_EQ(0, Count());

    // A row deleted while its editor was open is not saved as a success.
    unsigned long long gone = AddCashRow(tempDb, side.table, {partner, 5, L" 12", 40, 1, kStoredDate});
    boxes.Clear();
    Run(gone, side.temporaryTitle, [&](HWND w) {
        tempDb.Exec(SqlFormat(L"delete from %s", side.table).c_str());
        ModalDriver::Click(w, IDOK);
        EXPECT_TRUE(IsWindowVisible(w));
    });
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(side.gone));
    EXPECT_EQ(0, Count());
}

TEST_P(CashEditors, ANewRowTakesItsSeriesAndTheNextFreeNumberIfItsOwnWasTakenMeanwhile)
{
    tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 41, %s = '%s'", side.counter, side.series, L"XYZ").c_str());
    PickPartnerAndDocument(12);
    EXPECT_EQ(IDOK, Run(0, side.newTitle, [&](HWND w) {
                  EXPECT_EQ(L"-0000042-", ModalDriver::GetText(w, side.number));
                  ModalDriver::Click(w, side.pickPartner);
                  AddCashRow(tempDb, side.table, {partner, 42, L"", 1, 1, kStoredDate});
                  tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 42", side.counter).c_str());
                  ModalDriver::Click(w, IDOK);
              }));
    EXPECT_TRUE(boxes.Saw(std::wstring(L"Numarul 42 a fost luat intre timp: ") + side.document +
                          L" a fost salvata cu numarul 43 !"))
        << boxes.Describe();
    EXPECT_EQ(1, Count(L"numar = 43 and serie = 'XYZ' and status = 1"));
    EXPECT_EQ(43, Counter());
}

TEST_P(CashEditors, AStoredTemporaryRowResavedWritesExactlyWhatWasStored)
{
    // Account ids need not follow the combo's lines.
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    tempDb.Exec(SqlFormat(L"update ConfigFacturi set %s = 6", side.counter).c_str());
    unsigned long long id =
        AddCashRow(tempDb, side.table, {partner, 5, L" 12", 100.004, 1, kStoredDate, 0, L"OLD", L"O SUTA"});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(IDOK, Run(id, side.temporaryTitle, [&](HWND w) {
                      EXPECT_EQ(L"-0000005-", ModalDriver::GetText(w, side.number));
                      EXPECT_EQ(0, SendDlgItemMessageW(w, side.type, CB_GETCURSEL, 0, 0));
                      // No line chosen is not a type: the stored one stays.
                      SendDlgItemMessageW(w, side.type, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                      ModalDriver::Click(w, IDOK);
                  }));
    EXPECT_EQ(L"100.004|O SUTA|1780000000|0|OLD", Stored(L"suma || '|' || sumaStr || '|' || data || '|' || tip || "
                                                         L"'|' || serie"));
    EXPECT_EQ(6, Counter());
}

TEST_P(CashEditors, OnlyThePartnersDocumentsAreListedAndOneOpensByIdShowingItsNewBalance)
{
    unsigned long long id = AddCashRow(tempDb, side.table, {partner, 3, L" 13, 12", 80, 1, kStoredDate});
    g_side = &side;
    RegisterEditor(EditorKind::Document, &FakeDocumentEditor);
    Run(id, side.temporaryTitle, [&](HWND w) {
        ASSERT_EQ(2, ModalDriver::ListRowCount(w, side.list));
        ModalDriver::DoubleClickListRow(w, side.list, 1);
        EXPECT_EQ(L"  55.50", ModalDriver::ListCell(w, side.list, 1, 6));
        EXPECT_EQ(L"155.50", ModalDriver::GetText(w, side.amount));
    });
    RegisterEditor(EditorKind::Document, nullptr);
    EXPECT_EQ(doc13, g_opened);
}
