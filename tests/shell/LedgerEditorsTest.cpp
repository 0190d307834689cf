#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "shell/MyFrame.h"
#include "stock/MyFisaDeArticolDialog.h"
#include "tests/stock/support/StockFixture.h"

using testing_support::ModalDriver;

namespace {

const long long kDay = 1710460800;  // 15-03-2024

// The ledgers' rows come from documents and cash rows stored as the stock tests store them.
class LedgerEditors : public stock_test::StockTest {
protected:
    void SetUp() override { ASSERT_TRUE(frame.CreateMain()); }
    void TearDown() override
    {
        frame.Destroy();
        ModalDriver::Pump();
    }
    MyFrame frame;
};

} // namespace

// The shell's own registrations: a double-click on each kind of ledger row
// runs that kind's real editor on the row's own record (by id: an invoice of
// another day has the same number); the rows without one open nothing.
TEST_F(LedgerEditors, DoubleClickOpensTheRealEditorOfEveryRowKindOnItsRecord)
{
    long long product = tempDb.AddProduct(L"Cuie", 1.0);
    long long client = tempDb.AddClient(L"Beta SRL");
    Line(L"Facturi", kDay - 86400, 2, client, 41, product, 1, 10);
    Line(L"Facturi", kDay, 2, client, 41, product, 1, 10);
    Line(L"Niruri", kDay + 1, 2, client, 42, product, 1, 10);
    long long entry = Line(L"IntrariGenerale", kDay + 2, 2, 0, 0, product, 1, 10);
    long long exit = Line(L"IesiriGenerale", kDay + 3, 2, 0, 0, product, 1, 10);
    cash_tests::AddCashRow(tempDb, L"Incasari", {client, 43, L"", 5, 2, kDay + 4, 1});
    cash_tests::AddCashRow(tempDb, L"Plati", {client, 44, L"", 5, 2, kDay + 5, 1});

    struct Opened {
        const wchar_t* caption;  // null: the row opens nothing
        int numberControl;
        std::wstring number;
    };
    const Opened none = {nullptr, 0, L""};
    const Opened invoice = {L"Factura  ", IDC_FE_NUMBER, L"-0000041-"};
    const Opened nir = {L"Nota Intrare Receptie", IDC_FE_NUMBER, L"-0000042-"};
    struct Case {
        unsigned long long mode;
        const wchar_t* ledger;
        std::vector<Opened> rows;  // what each row opens, in row order
    } cases[] = {
        // Within the day what comes in is listed first.
        {0, L"Fisa de articol",
         {nir, {L"Intrare   ", IDC_IGE_NUMAR, std::to_wstring(entry)}, invoice,
          {L"Iesire  ", IDC_IGE_NUMAR, std::to_wstring(exit)}, none, none}},
        {1, L"Fisa de Client", {none, invoice, {L"Dialog", IDC_INCASARE_NUMAR, L"-0000043-"}, none, none}},
        {2, L"Fisa de Furnizor", {none, nir, {L"Plata - document validat", IDC_PLATA_NUMAR, L"-0000044-"}, none, none}},
    };
    for (const Case& c : cases) {
        MyFisaDeArticolDialog ledger(frame);
        ledger.mode = c.mode;
        ledger.productId = product;
        ledger.partnerId = client;
        ModalDriver driver;
        driver.When(c.ledger, [&](HWND w) {
            ModalDriver::SetDate(w, IDC_FISA_DE_LA, micro::gui::UnixToSystemTime(kDay));
            ModalDriver::SetDate(w, IDC_FISA_LA, micro::gui::UnixToSystemTime(kDay));
            ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
            ASSERT_EQ(static_cast<int>(c.rows.size()), ModalDriver::ListRowCount(w, IDC_FISA_LISTA));
            for (size_t r = 0; r < c.rows.size(); ++r) {
                const Opened& expected = c.rows[r];
                std::wstring shown;
                SYSTEMTIME day = {};
                ModalDriver editor;
                if (expected.caption)
                    editor.When(expected.caption, [&](HWND e) {
                        shown = ModalDriver::GetText(e, expected.numberControl);
                        DateTime_GetSystemtime(GetDlgItem(e, IDC_FE_ISSUE_DATE), &day);
                        ModalDriver::Click(e, IDCANCEL);
                    });
                ModalDriver::DoubleClickListRow(w, IDC_FISA_LISTA, static_cast<int>(r));
                editor.Verify();
                EXPECT_EQ(expected.number, shown) << testing_support::Narrow(c.ledger) << " row " << r;
                if (expected.numberControl == IDC_FE_NUMBER)
                    EXPECT_EQ(15, day.wDay) << "the row's own document, not the one of the day before";
            }
            ModalDriver::Click(w, IDCANCEL);
        });
        ledger.DoModal();
        driver.Verify();
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// A client's temporary invoice, cancelled from its ledger row: the ledger,
// and so what it prints, no longer counts it; a row opened and closed
// without a change leaves the ledger as it was.
TEST_F(LedgerEditors, ALedgerShowsWhatTheEditorOpenedFromItsRowStored)
{
    tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL' where id = 1");
    long long client = tempDb.AddClient(L"Beta SRL");
    Line(L"Facturi", kDay, 1, client, 41, tempDb.AddProduct(L"Cuie", 1.0), 1, 10);
    MyFisaDeArticolDialog ledger(frame);
    ledger.mode = 1;
    ledger.partnerId = client;
    std::vector<std::wstring> totals;
    ModalDriver driver;
    driver.When(L"Fisa de Client", [&](HWND w) {
        ModalDriver::SetDate(w, IDC_FISA_DE_LA, micro::gui::UnixToSystemTime(kDay));
        ModalDriver::SetDate(w, IDC_FISA_LA, micro::gui::UnixToSystemTime(kDay));
        ModalDriver::Click(w, IDC_FISA_COLECTEAZA);
        auto total = [&] {
            int last = ModalDriver::ListRowCount(w, IDC_FISA_LISTA) - 1;
            totals.push_back(ModalDriver::ListCell(w, IDC_FISA_LISTA, last, 3));
        };
        total();
        for (int button : {IDCANCEL, IDC_FE_CANCEL_DOCUMENT}) {
            ModalDriver editor;
            editor.When(L"Factura  ", [button](HWND e) { ModalDriver::Click(e, button); });
            ModalDriver::DoubleClickListRow(w, IDC_FISA_LISTA, 1);
            editor.Verify();
            total();
        }
        ModalDriver::Click(w, IDCANCEL);
    });
    ledger.DoModal();
    driver.Verify();
    EXPECT_EQ((std::vector<std::wstring>{L"10.00", L"10.00", L"0.00"}), totals);
    EXPECT_EQ(3, tempDb.Scalar(L"select status from Facturi")) << boxes.Describe();
}
