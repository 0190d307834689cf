#include <gtest/gtest.h>
#include <algorithm>
#include "cash/MyPlataDialog.h"
#include "masterdata/EditorEntries.h"
#include "resources/resource.h"
#include "tests/cash/support/CashFixtures.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"

using cash_tests::AddDocument;
using cash_tests::Balance;
using cash_tests::AddCashRow;
using testing_support::ModalDriver;

namespace {

const long long kStoredDate = 1780000000;

class PaymentEditor : public testing_support::DatabaseTest {
protected:
    testing_support::MessageBoxRecorder boxes;
    unsigned long long other = 0, supplier = 0, nir1 = 0, nir2 = 0;

    void SetUp() override
    {
        other = tempDb.AddClient(L"Alt Client");
        supplier = tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO123");
        nir1 = AddDocument(tempDb, {supplier, 1, 100, 100, 2, L"Niruri"});
        nir2 = AddDocument(tempDb, {supplier, 2, 100, 100, 2, L"Niruri"});
    }
    INT_PTR Run(unsigned long long id, const std::wstring& title, std::function<void(HWND)> steps)
    {
        return cash_tests::RunEditor<MyPlataDialog>(id, title, nested, steps);
    }
    long long Count(const wchar_t* sql) { return tempDb.Scalar(sql); }
    cash_tests::NestedSteps nested; // scripted before the run
    // The unpaid-note picker chooses the note numbered number.
    void PickNote(int number)
    {
        cash_tests::ChooseInPicker(nested, L"Facturi Nestinse", IDC_FACTURI_SCADENTE_LIST, std::to_wstring(number));
    }
    // ADD's two pickers: the supplier, then a note.
    void ChooseSupplierAndNote(int number)
    {
        cash_tests::ChooseInPicker(nested, L"Cautare Furnizori", IDC_CAUTARE_CLIENTI_LIST, L"D'Artagnan SRL");
        PickNote(number);
    }
};

} // namespace

TEST_F(PaymentEditor, ValidationSpreadsTheAmountAndStornareGivesEveryNoteBackExactly)
{
    ChooseSupplierAndNote(1);
    PickNote(2);
    EXPECT_EQ(1, Run(0, L"Plata", [&](HWND hwnd) {
                  ModalDriver::Click(hwnd, IDC_PLATA_FURNIZOR);
                  ModalDriver::Click(hwnd, IDC_PLATA_ADAUGA_NIR);
                  EXPECT_EQ(L"D'Artagnan SRL", ModalDriver::GetText(hwnd, IDC_PLATA_NUME));
                  EXPECT_EQ(L"200.00", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA));
                  EXPECT_EQ(L"   2,   1", ModalDriver::GetText(hwnd, IDC_PLATA_FACTURI));
                  ModalDriver::SetText(hwnd, IDC_PLATA_SUMA, L"0");
                  EXPECT_EQ(L"", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA_LITERE));
                  ModalDriver::SetText(hwnd, IDC_PLATA_SUMA, L"180");
                  EXPECT_EQ(L" UNA SUTA OPTZECI   LEI", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA_LITERE));
                  testing_support::SaveWindowPng(hwnd, L"payment_editor");
                  ModalDriver::Click(hwnd, IDC_PLATA_VALIDEAZA);
              }));
    EXPECT_TRUE(boxes.Saw(L"Restul de 80.00 va fi retras din factura   2\n Continuati ? ")) << boxes.Describe();
    EXPECT_DOUBLE_EQ(0, Balance(tempDb, nir1, L"Niruri"));
    EXPECT_DOUBLE_EQ(20, Balance(tempDb, nir2, L"Niruri"));
    EXPECT_EQ(1, Count(L"select count(*) from Plati where status = 2 and serie = 'PLT' and numar = 1 and "
                       L"facturi = '   2,   1' and suma = 180"));
    EXPECT_EQ(2, Count(L"select count(*) from Alocari where sursa = 1"));
    EXPECT_EQ(1, Count(L"select numarPlati from ConfigFacturi"));

    unsigned long long id = static_cast<unsigned long long>(Count(L"select id from Plati"));
    boxes.Clear();
    EXPECT_EQ(1, Run(id, L"Plata - document validat", [&](HWND hwnd) {
                  EXPECT_EQ(2, ModalDriver::ListRowCount(hwnd, IDC_PLATA_NIRURI));
                  // Validated once, it takes nothing again, and Enter does not store it as temporary.
                  for (int button : {IDC_PLATA_VALIDEAZA, IDOK, IDC_PLATA_ADAUGA_NIR, IDC_PLATA_ANULEAZA}) {
                      EXPECT_FALSE(ModalDriver::IsEnabled(hwnd, button)) << button;
                      ModalDriver::Click(hwnd, button);
                  }
                  EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
                  EXPECT_DOUBLE_EQ(20, Balance(tempDb, nir2, L"Niruri"));
                  ModalDriver::Click(hwnd, IDC_PLATA_STORNARE);
              }));
    EXPECT_TRUE(boxes.Saw(L"Stornare document ?"));
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, nir1, L"Niruri"));
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, nir2, L"Niruri"));
    EXPECT_EQ(3, Count(L"select status from Plati"));
    EXPECT_EQ(0, Count(L"select count(*) from Alocari"));
}

TEST_F(PaymentEditor, AFailedSaveLeavesBalancesCounterAndRowsAndTheEditorOpen)
{
    // The counter is written after the payment's row and the balances' plan.
    tempDb.Exec(L"create trigger refuz before update on ConfigFacturi begin select raise(abort, 'refuzat'); end");
    ChooseSupplierAndNote(1);
    Run(0, L"Plata", [&](HWND hwnd) {
        ModalDriver::Click(hwnd, IDC_PLATA_FURNIZOR);
        ModalDriver::Click(hwnd, IDC_PLATA_VALIDEAZA);
        ModalDriver::Click(hwnd, IDOK);
        EXPECT_TRUE(IsWindowVisible(hwnd));
    });
    EXPECT_EQ(2, std::count_if(boxes.Boxes().begin(), boxes.Boxes().end(), [](const auto& box) {
                  return box.caption == L"Message" && box.text == L"SQLITE_CONSTRAINT[1811]: refuzat";
              })) << boxes.Describe();
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, nir1, L"Niruri"));
    EXPECT_EQ(0, Count(L"select count(*) from Plati"));
    EXPECT_EQ(0, Count(L"select count(*) from Alocari"));
    EXPECT_EQ(0, Count(L"select numarPlati from ConfigFacturi"));
    tempDb.Exec(L"drop trigger refuz");

    // A new payment without a supplier is not saved and the editor stays open.
    boxes.Clear();
    Run(0, L"Plata", [](HWND hwnd) {
        ModalDriver::Click(hwnd, IDOK);
        EXPECT_TRUE(IsWindowVisible(hwnd));
    });
    EXPECT_TRUE(boxes.Saw(L"Introduceti clientul !"));
    EXPECT_EQ(0, Count(L"select count(*) from Plati"));

    // A stored payment deleted while its editor was open is not saved as a success.
    unsigned long long gone = AddCashRow(tempDb, L"Plati", {supplier, 5, L"   1", 40, 1, kStoredDate});
    boxes.Clear();
    Run(gone, L"Plata - document temporar", [&](HWND hwnd) {
        tempDb.Exec(L"delete from Plati");
        ModalDriver::Click(hwnd, IDOK);
        EXPECT_TRUE(IsWindowVisible(hwnd));
    });
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Plata nu mai exista in baza de date."));
    EXPECT_EQ(0, Count(L"select count(*) from Plati"));
}

TEST_F(PaymentEditor, ATemporaryPaymentResavedKeepsEveryValueAndCancelledMovesNoBalance)
{
    tempDb.Exec(L"update ConturiContabile set id = id + 10 where id > 2");
    unsigned long long id = AddCashRow(tempDb, L"Plati", {supplier, 5, L"   1", 100.004, 1, kStoredDate, 0, L"OLD"});
    tempDb.Exec(L"update Plati set sumaStr = 'O SUTA'");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(1, Run(id, L"Plata - document temporar", [](HWND hwnd) {
                      EXPECT_EQ(0, SendDlgItemMessageW(hwnd, IDC_PLATA_TIP, CB_GETCURSEL, 0, 0));
                      ModalDriver::Click(hwnd, IDOK);
                  }));
    EXPECT_EQ(kStoredDate, Count(L"select data from Plati"));
    EXPECT_EQ(0, Count(L"select tip from Plati"));
    EXPECT_EQ(L"OLD", tempDb.Text(L"select serie from Plati"));
    EXPECT_EQ(L"O SUTA", tempDb.Text(L"select sumaStr from Plati"));
    EXPECT_DOUBLE_EQ(100.004, tempDb.Number(L"select suma from Plati"));

    EXPECT_EQ(1, Run(id, L"Plata - document temporar",
                     [](HWND hwnd) { ModalDriver::Click(hwnd, IDC_PLATA_ANULEAZA); }));
    EXPECT_TRUE(boxes.Saw(L"Anularea implica pierderea numarului de PLATA ! \n Anulati PLATAa ?"));
    EXPECT_DOUBLE_EQ(100, Balance(tempDb, nir1, L"Niruri"));
    EXPECT_EQ(3, Count(L"select status from Plati"));
}

TEST_F(PaymentEditor, ANewPaymentTakesThePaymentSeriesAndTheNextFreeNumber)
{
    tempDb.Exec(L"update ConfigFacturi set numarPlati = 41");
    ChooseSupplierAndNote(1);
    EXPECT_EQ(1, Run(0, L"Plata", [&](HWND hwnd) {
                  EXPECT_EQ(L"-0000042-", ModalDriver::GetText(hwnd, IDC_PLATA_NUMAR));
                  ModalDriver::Click(hwnd, IDC_PLATA_FURNIZOR);
                  // Another payment takes 42 meanwhile.
                  AddCashRow(tempDb, L"Plati", {supplier, 42, L"", 1, 1, kStoredDate});
                  tempDb.Exec(L"update ConfigFacturi set numarPlati = 42");
                  ModalDriver::Click(hwnd, IDOK);
              }));
    EXPECT_TRUE(boxes.Saw(L"Numarul 42 a fost luat intre timp: plata a fost salvata cu numarul 43 !"));
    EXPECT_EQ(1, Count(L"select count(*) from Plati where numar = 43 and serie = 'PLT' and status = 1"));
    EXPECT_EQ(43, Count(L"select numarPlati from ConfigFacturi"));
}

TEST_F(PaymentEditor, OnlyTheSuppliersNotesAreListedAndADoubleClickOpensOneByIdAndShowsItsNewBalance)
{
    static unsigned long long opened = 0;
    RegisterEditor(EditorKind::Document, [](HWND, int type, uint64_t documentId) -> INT_PTR {
        opened = type == 3 ? documentId : 0;
        GetRepository().ExecDML(L"update Niruri set sold = 55 where numar = 2");
        return 1;
    });
    AddDocument(tempDb, {other, 1, 100, 100, 2, L"Niruri"}); // a familiar number
    unsigned long long id = AddCashRow(tempDb, L"Plati", {supplier, 5, L"   2,   1", 200, 1, kStoredDate});
    Run(id, L"Plata - document temporar", [](HWND hwnd) {
        EXPECT_EQ(2, ModalDriver::ListRowCount(hwnd, IDC_PLATA_NIRURI));
        ModalDriver::DoubleClickListRow(hwnd, IDC_PLATA_NIRURI, 1);
        EXPECT_EQ(L"  55.00", ModalDriver::ListCell(hwnd, IDC_PLATA_NIRURI, 1, 6));
        EXPECT_EQ(L"155.00", ModalDriver::GetText(hwnd, IDC_PLATA_SUMA));
    });
    RegisterEditor(EditorKind::Document, nullptr);
    EXPECT_EQ(nir2, opened);
}
