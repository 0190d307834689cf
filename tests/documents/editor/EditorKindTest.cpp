// A return invoice shares the invoice tables and is told from its total below
// 0 when read back: whatever path saves it, a document keeps its kind.
#include "tests/documents/support/EditorFixture.h"
#include "database/DocumentTables.h"
#include "tests/documents/lists/PickerTestSupport.h"
#include <vector>

using namespace editor_tests;
using testing_support::ModalDriver;
using testing_support::RecordedBox;

namespace {

const wchar_t kReturnLine[] =
    L"Pe factura retur cantitatea este marfa primita inapoi: introduceti o cantitate mai mare decat 0 !";
const wchar_t kReturnTotal[] =
    L"Factura retur nu are nimic de primit inapoi: totalul ei trebuie sa fie mai mare decat 0 !";
const wchar_t kInvoiceTotal[] =
    L"Totalul facturii nu poate fi sub 0: pentru marfa primita inapoi emiteti o factura retur !";

class DocumentKind : public EditorTest {
protected:
    // The invoice tables, the proformas, partners, catalogue, stock and counters, as one text.
    std::wstring Books()
    {
        return Stored(L"select coalesce((select group_concat(id || ' ' || status || ' ' || numar || ' ' || "
                      L"round(valoareTTI * 100) || ' ' || round(sold * 100), '|') from Facturi), '') || ' # ' || "
                      L"coalesce((select group_concat(IDFactura || ':' || produsID || 'x' || cantitate, '|') from "
                      L"ArticoleFacturi), '') || ' # ' || coalesce((select group_concat(id || ' ' || status, '|') "
                      L"from Proforme), '') || ' # ' || (select count(*) from Clienti) || ' ' || (select count(*) "
                      L"from Produse) || ' ' || (select total(stocReal) from Produse) || ' ' || (select numarFactura "
                      L"from ConfigFacturi) || ' ' || (select idFactura from iduri)");
    }
};

// The bookkeeper's line, 2 sacks at 18.90 back typed as -2, is refused as
// typed, and so is 0 and a row changed to -1: no row, no total moves. Typed
// as 2 it is stored as goods coming back (-2, -46.87 owed to the client, 2
// into stock) and reopens from the invoice list as a return invoice.
TEST_F(DocumentKind, AReturnLineOfZeroOrBelowIsRefusedAtTheLine)
{
    EXPECT_EQ(1, RunDocument(DocumentReturnInvoice, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        for (const wchar_t* quantity : {L"-2", L"0"}) {
            AddLine(w, L"Ciment", L"18.90", quantity, 0, false);
            EXPECT_EQ(std::wstring(L"0 rows|Ciment|18.90|") + quantity + L"|0.00|0.00|0.00",
                      std::to_wstring(Rows(w)) + L" rows|" + Fields(w, {IDC_FE_PRODUCT, IDC_FE_PRICE, IDC_FE_QUANTITY}) +
                          L"|" + Totals(w));
        }
        AddLine(w, L"Ciment", L"18.90", L"2", 0, false);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
        ModalDriver::SetText(w, IDC_FE_QUANTITY, L"-1");
        ModalDriver::Click(w, IDOK);
        EXPECT_EQ(L"1 rows|2|37.80|9.07|46.87", std::to_wstring(Rows(w)) + L" rows|" + Cell(w, 0, 4) + L"|" + Totals(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    ASSERT_EQ(3u, boxes.Count()) << boxes.Describe();
    for (const RecordedBox& box : boxes.Boxes())
        EXPECT_EQ(kReturnLine, box.text);
    EXPECT_EQ(L"1 -2 -4687 -4687 2",
              Stored(L"select f.id || ' ' || a.cantitate || ' ' || round(f.valoareTTI * 100) || ' ' || round(f.sold * "
                     L"100) || ' ' || p.stocReal from Facturi f join ArticoleFacturi a on a.IDFactura = f.id join "
                     L"Produse p on p.id = a.produsID"));
    MyFacturiDialog listed(nullptr); // as the invoice list opens it
    listed.id = 1;
    Run(listed, [](HWND w) { EXPECT_EQ(L"46.87", Text(w, IDC_FE_TOTAL)); }, DocumentReturnInvoice);
}

// A return invoice that takes nothing back (a line at a negative price,
// lines netting to 0, all of it off) is refused by every command that saves
// it, and nothing is written: no header, line, partner, product or number.
TEST_F(DocumentKind, AReturnThatTakesNothingBackIsRefusedAtSaveAndWritesNothing)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const wchar_t*, const wchar_t*>> lines; // price, quantity
        const wchar_t* discount;
    };
    const Case cases[] = {{"negative price", {{L"-10", L"2"}}, nullptr},
                          {"netting to 0", {{L"10", L"2"}, {L"-20", L"1"}}, nullptr},
                          {"all of it off", {{L"10", L"2"}}, L"100"}};
    const std::wstring before = Books();
    for (const Case& c : cases) {
        for (int command : {IDC_FE_SAVE, IDC_FE_PRINT, IDC_FE_VALIDATE, IDC_FE_CANCEL_DOCUMENT}) {
            boxes.Clear();
            EXPECT_EQ(2, RunDocument(DocumentReturnInvoice, 0, [&](HWND w) {
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
                for (size_t i = 0; i < c.lines.size(); ++i)
                    AddLine(w, i ? L"Nisip" : L"Ciment", c.lines[i].first, c.lines[i].second, 0, false);
                if (c.discount) {
                    ModalDriver::SetText(w, IDC_FE_DISCOUNT, c.discount);
                    ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
                }
                ModalDriver::Click(w, command);
                EXPECT_TRUE(IsWindowVisible(w));
            })) << c.name << " " << command;
            EXPECT_TRUE(boxes.Saw(kReturnTotal)) << c.name << " " << command << "\n" << boxes.Describe();
            EXPECT_EQ(before, Books()) << c.name << " " << command;
        }
    }
}

// An invoice whose total would fall below 0 is refused with the advice to
// issue a return invoice, whatever saves it: a new one by every command, a
// stored one changed, a copy of a reversing invoice, a proforma of -248
// turned into an invoice. Nothing stored changes.
TEST_F(DocumentKind, AnInvoiceBelowZeroIsRefusedAtSaveWithTheAdviceToIssueAReturn)
{
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    unsigned long long product = tempDb.AddProduct(L"Ciment", 100.0, 0);
    unsigned long long sale = StoreInvoice(client, 1, 100, 24, 124, 124);
    StoreLine(L"ArticoleFacturi", sale, product, 1, 100, L"0");
    unsigned long long reversing = StoreInvoice(client, 2, -100, -24, -124, 0, StatusReversed);
    StoreLine(L"ArticoleFacturi", reversing, product, -1, 100, L"0");
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Proforme values (1, 1, 1, %llu, 86400, 86400, 0, 0, "
                                                 L"-200, -48, -248, 0, 'PF')", client).c_str());
    StoreLine(L"ArticoleProforme", 1, product, -2, 100, L"0");
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 2");
    const std::wstring before = Books();

    struct Path {
        const char* name;
        int tip;
        unsigned long long id;
        bool copy;
        int command;
    };
    const Path paths[] = {{"new, saved", DocumentInvoice, 0, false, IDC_FE_SAVE},
                          {"new, printed", DocumentInvoice, 0, false, IDC_FE_PRINT},
                          {"new, validated", DocumentInvoice, 0, false, IDC_FE_VALIDATE},
                          {"new, cancelled", DocumentInvoice, 0, false, IDC_FE_CANCEL_DOCUMENT},
                          {"stored, changed", DocumentInvoice, sale, false, IDC_FE_SAVE},
                          {"copy of a reversing invoice", DocumentInvoice, reversing, true, IDC_FE_SAVE},
                          {"proforma turned into an invoice", DocumentProforma, 1, false, IDC_FE_SAVE}};
    for (const Path& path : paths) {
        boxes.Clear();
        MyFacturiDialog editor(nullptr);
        editor.tip = path.tip;
        editor.id = path.id;
        editor.documentNou = path.copy ? 1 : 0;
        EXPECT_EQ(2, Run(editor, [&](HWND w) {
            if (path.id == 0)
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            if (path.id == 0 || path.id == sale)
                AddLine(w, L"Nisip", L"100", L"-2", 0, false);
            if (path.tip == DocumentProforma)
                ModalDriver::Click(w, IDC_FE_TO_INVOICE);
            ModalDriver::Click(w, path.command);
            EXPECT_TRUE(IsWindowVisible(w));
        })) << path.name;
        EXPECT_TRUE(boxes.Saw(kInvoiceTotal)) << path.name << "\n" << boxes.Describe();
        EXPECT_EQ(before, Books()) << path.name;
    }
}

// A validated invoice reversed from the invoice list: the reversing invoice
// (-124.00, status 4) is listed, reopens from the list as an invoice showing
// its negative figures, and saved again writes what was stored and lists as
// it did, in the list it was added to and in one opened afresh.
TEST_F(DocumentKind, AStornosReversingInvoiceReopensResavesUnchangedAndListsAsBefore)
{
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    unsigned long long product = tempDb.AddProduct(L"Ciment", 100.0, 0);
    StoreLine(L"ArticoleFacturi", StoreInvoice(client, 1, 100, 24, 124, 124, StatusValidated), product, 1, 100, L"0");
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 1");
    const std::wstring reversing = L"select status || ' ' || numar || ' ' || round(valoareFT * 100) || ' ' || "
                                   L"round(valoareTVA * 100) || ' ' || round(valoareTTI * 100) || ' ' || round(sold * "
                                   L"100) || ' ' || dataCreare || ' ' || serie || ' ' || (select group_concat(produsID "
                                   L"|| 'x' || cantitate || '@' || valoareFT || 'v' || TVA) from ArticoleFacturi where "
                                   L"IDFactura = 2) from Facturi where id = 2";
    // The invoice list's row of the reversing invoice once `act` has run on the list.
    auto listed = [](std::function<void(HWND)> act) {
        std::wstring row = L"not listed";
        MyCautareFacturiDialog picker(nullptr);
        lists_test::RunPicker(picker, L"Facturi", [&](HWND h) {
            act(h);
            if (lists_test::Rows(h) == 2)
                row = lists_test::RowText(h, IDC_CAUTFACT_DOCUMENTE, 1, 9);
        });
        return row;
    };
    // The editor opened from the list's row, titled as an invoice.
    auto edit = [](HWND list, int row, std::function<void(HWND)> steps) {
        ModalDriver editor;
        editor.When(EditorTitle(DocumentInvoice), steps);
        ModalDriver::DoubleClickListRow(list, IDC_CAUTFACT_DOCUMENTE, row);
        editor.Verify();
    };
    boxes.Answer(IDOK);
    const std::wstring reversedThere =
        listed([&](HWND h) { edit(h, 0, [](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }); });
    EXPECT_EQ(L"2|Client SRL|02-01-1970|-100.00|-24.00|-124.00|Stornat|0.00||", reversedThere);
    const std::wstring stored = Stored(reversing);
    EXPECT_EQ(L"4 2 -10000 -2400 -12400 0 86400 AB 1x-1@100v0", stored);

    EXPECT_EQ(reversedThere, listed([&](HWND h) {
        EXPECT_EQ(reversedThere, lists_test::RowText(h, IDC_CAUTFACT_DOCUMENTE, 1, 9));
        edit(h, 1, [](HWND w) {
            EXPECT_EQ(L"-1.00|-100.00|-24.00|-124.00", Cell(w, 0, 4) + L"|" + Totals(w));
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
    }));
    EXPECT_EQ(stored, Stored(reversing));
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Stornare", boxes.Last().caption);
}

} // namespace
