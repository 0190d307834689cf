#include "tests/documents/support/EditorFixture.h"
#include "tests/harness/Screenshot.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorSave : public EditorTest {
protected:
    static void EnterPartner(HWND w, const wchar_t* name)
    {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, name);
        ModalDriver::SetText(w, IDC_FE_CLIENT_CIF, L"777");
    }
    long long Count(const wchar_t* table) { return tempDb.Scalar((std::wstring(L"select count(*) from ") + table).c_str()); }
};

TEST_F(EditorSave, SaveAndCloseWritesTheNewInvoiceItsLinesAndCounters)
{
    tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FV' where id = 1");
    INT_PTR result = RunDocument(0, 0, [&](HWND w) {
        EnterPartner(w, L"Client Nou SRL");
        ModalDriver::SetText(w, IDC_FE_USER_NAME, L"Ana");
        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, SYSTEMTIME{2026, 3, 0, 5, 21, 0, 0, 0});
        ModalDriver::SetDate(w, IDC_FE_DUE_DATE, SYSTEMTIME{2026, 4, 0, 4, 22, 0, 0, 0});
        AddLine(w, L"Faina", L"10", L"3", 0, true);  // 8.0645... without VAT
        AddLine(w, L"Orez", L"100", L"2", 1, false); // a line VAT choice, not the company's
        AddLine(w, L"Zahar", L"5", L"1", 0, false);
        // Printing saves; the later save updates that row and replaces its lines.
        ModalDriver driver;
        driver.When(L"Tiparire", [](HWND print) { ModalDriver::Click(print, IDCANCEL); });
        ModalDriver::Click(w, IDC_FE_PRINT);
        driver.Verify();
        EXPECT_EQ(L"3", Stored(L"select count(*) from ArticoleFacturi"));
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 2);
        ModalDriver::Click(w, IDC_FE_DELETE_LINE);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    // Dates are the chosen days, whatever the time of day; the balance is the total.
    EXPECT_EQ(L"1 1 1 FV 1772668800 1775260800 24800 24800", Stored(L"select group_concat(id || ' ' || status || ' ' "
                                                                      L"|| numar || ' ' || serie || ' ' || dataCreare || "
                                                                      L"' ' || dataScadenta || ' ' || round(valoareTTI * "
                                                                      L"100) || ' ' || round(sold * 100)) from Facturi"));
    // Each line keeps the price entered, so the stored lines add up to the stored net.
    EXPECT_NEAR(10.0 / 1.24, tempDb.Number(L"select valoareFT from ArticoleFacturi where cantitate = 3"), 1e-6);
    EXPECT_NEAR(tempDb.Number(L"select valoareFT from Facturi"),
                tempDb.Number(L"select sum(cantitate * valoareFT) from ArticoleFacturi"), 0.01);
    EXPECT_EQ(L"1 1 Ana 0 1 0", Stored(L"select numarFactura || ' ' || (select idFactura from iduri) || ' ' || (select "
                                           L"Nume from Utilizator where id = 1) || ' ' || (select cotaTVA from "
                                           L"Societate) || ' ' || (select count(*) from Clienti where Nume = 'Client "
                                           L"Nou SRL' and Cod = '777') || ' ' || (select count(*) from Agenti) from "
                                           L"ConfigFacturi"));
}

// A delivery note's number is its reserved id; saving it moves no counter.
TEST_F(EditorSave, DeliveryNoteIsNumberedByItsIdAndLeavesTheNumberingUnchanged)
{
    tempDb.Exec(L"insert into Avize (id, numar) values (7, 7)");
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 5, numarNir = 6, numarProforma = 7 where id = 1");
    EXPECT_EQ(1, RunDocument(2, 0, [&](HWND w) {
        ModalDriver settings; // the number field of a new document opens the numbering
        settings.When(L"Configurare Facturi", [](HWND c) { ModalDriver::Click(c, IDCANCEL); });
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        settings.Verify();
        EXPECT_EQ(L"-0000008-", Text(w, IDC_FE_NUMBER));
        EnterPartner(w, L"Client SRL");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(L"8 8 1", Stored(L"select id || ' ' || numar || ' ' || (select count(*) from ArticoleAvize where "
                                    L"IDFactura = 8) from Avize where id = 8"));
    EXPECT_EQ(L"5 6 7", Stored(L"select numarFactura || ' ' || numarNir || ' ' || numarProforma from ConfigFacturi"));
}

// A refused save, or a header or new product the file refuses: no row, no partner,
// no delegate, no company change, no number spent; the editor stays open.
TEST_F(EditorSave, EachRefusalOrFailedWriteWritesNothing)
{
    struct Case {
        int tip;
        bool company;
        const wchar_t* partner;
        const wchar_t* message;
        const wchar_t* refusingTable; // a trigger refuses every row written there
        const wchar_t* companyName;   // typed over the company's name when `company` is false
    };
    const Case cases[] = {
        {0, false, L"Client SRL", L"Nu ati introdus furnizorul !"},
        {0, true, L"", L"Nu ati introdus clientul !"},
        {0, false, L"Client SRL", L"Nu ati introdus furnizorul !", nullptr, L"   "}, // blanks name no one
        {0, true, L"   ", L"Nu ati introdus clientul !"},
        {3, true, L"Furnizor SRL", L"Nu ati introdus numarul facturii"},
        {0, true, L"Client SRL", L"SQLITE_CONSTRAINT", L"Facturi"},
        {0, true, L"Client SRL", L"SQLITE_CONSTRAINT", L"Produse"},
    };
    for (const Case& c : cases) {
        boxes.Clear();
        tempDb.Exec(L"drop trigger if exists refuse");
        if (c.refusingTable)
            tempDb.Exec((L"create trigger refuse before insert on " + std::wstring(c.refusingTable) +
                         L" begin select raise(abort, 'x'); end").c_str());
        MyFacturiDialog editor(nullptr);
        editor.tip = c.tip;
        INT_PTR result = Run(editor, [&](HWND w) {
            if (!c.company)
                ModalDriver::SetText(w, IDC_FE_COMPANY_NAME, c.companyName ? c.companyName : L"");
            ModalDriver::SetText(w, IDC_FE_COMPANY_CIF, L"changed");
            ModalDriver::SetText(w, IDC_FE_DELEGATE_NAME, L"Delegat Nou");
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, c.partner);
            AddLine(w, L"Faina", L"10", L"1", 0, false);
            ModalDriver::Click(w, IDC_FE_SAVE);
            EXPECT_TRUE(IsWindowVisible(w));
            EXPECT_TRUE(c.tip != 3 || GetDlgItem(w, IDC_FE_SUPPLIER_INVOICE) == GetFocus());
        });
        EXPECT_EQ(2, result);
        ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
        EXPECT_EQ(0u, boxes.Last().text.find(c.message)) << boxes.Describe();
        EXPECT_EQ(0, Count(L"Facturi") + Count(L"Niruri") + Count(L"ArticoleFacturi") + Count(L"ArticoleNiruri") +
                         Count(L"Clienti") + Count(L"Agenti") + Count(L"Produse where id > 0"));
        EXPECT_EQ(L"1234 0", Stored(L"select cui || ' ' || (select numarFactura from ConfigFacturi) from Societate"));
        EXPECT_EQ(0u, editor.id);
    }
}

// On a goods-received note the partner's box reads "Furnizor" and the
// company's own "Unitatea"; every other document keeps "Client" and
// "Furnizor". A NIR without its supplier or without the company's name is
// refused naming the box to fill, and nothing is written: the company's row
// keeps its name. Typed where the boxes say, the supplier is the note's partner.
TEST_F(EditorSave, ANirTitlesItsBoxesFurnizorAndUnitateaAndItsRefusalsNameThem)
{
    for (int tip : {0, 1, 2, 3, 4})
        RunDocument(tip, 0, [&](HWND w) {
            EXPECT_EQ(tip == 3 ? L"Furnizor|Unitatea" : L"Client|Furnizor",
                      Fields(w, {IDC_FE_PARTNER_GROUP, IDC_FE_COMPANY_GROUP}))
                << tip;
            if (tip == 3)
                testing_support::SaveWindowPng(w, L"editor-nir-boxes");
        });
    auto TypeNir = [&](const wchar_t* partner, const wchar_t* company) {
        return RunDocument(3, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F123");
            ModalDriver::SetText(w, IDC_FE_COMPANY_NAME, company);
            ModalDriver::SetText(w, IDC_FE_COMPANY_CIF, company[0] ? L"1234" : L"changed");
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, partner);
            AddLine(w, L"Faina", L"10", L"1", 0, false);
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
    };
    const wchar_t* const nothingWritten = L"Firma Mea SRL 1234 0 0 0";
    const wchar_t* const written = L"select denumire || ' ' || cui || ' ' || (select count(*) from Niruri) || ' ' || "
                                   L"(select count(*) from Clienti) || ' ' || (select count(*) from Produse where id > "
                                   L"0) from Societate";
    EXPECT_EQ(2, TypeNir(L"", L"Firma Mea SRL"));
    EXPECT_EQ(L"Nu ati introdus furnizorul in caseta \"Furnizor\" !", boxes.Count() ? boxes.Last().text : L"");
    EXPECT_EQ(nothingWritten, Stored(written));
    EXPECT_EQ(2, TypeNir(L"Furnizor SRL", L""));
    EXPECT_EQ(L"Nu ati introdus datele unitatii in caseta \"Unitatea\" !", boxes.Count() ? boxes.Last().text : L"");
    EXPECT_EQ(nothingWritten, Stored(written));
    EXPECT_EQ(2u, boxes.Count()) << boxes.Describe();

    EXPECT_EQ(1, TypeNir(L"Furnizor SRL", L"Firma Mea SRL"));
    EXPECT_EQ(L"Firma Mea SRL|Furnizor SRL", Stored(L"select denumire || '|' || (select Nume from Clienti where id = "
                                                    L"(select client from Niruri)) from Societate"));
    EXPECT_EQ(2u, boxes.Count()) << boxes.Describe();
}

// A write-protected company file: the save says in Romanian that the document
// was not saved because of it, naming the file; the editor stays open with
// what was typed, and the file's bytes are those it had.
TEST_F(EditorSave, ASaveToAWriteProtectedFileSaysWhyAndChangesNothing)
{
    tempDb.AddClient(L"Client SRL");
    tempDb.SetWriteProtected(true);
    const std::string before = tempDb.FileBytes();
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    EXPECT_EQ(2, RunDocument(0, 0, [&](HWND w) {
                  EnterPartner(w, L"Client SRL");
                  AddLine(w, L"Faina", L"10", L"3", 0, false);
                  ModalDriver::Click(w, IDC_FE_SAVE);
                  EXPECT_TRUE(IsWindowVisible(w));
                  EXPECT_EQ(1, Rows(w));
              }));
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(L"Documentul nu a fost salvat deoarece fisierul societatii este protejat la scriere:\n" +
                  std::wstring(full) + L"\n\nFisierul nu a fost modificat.",
              boxes.Last().text);
    EXPECT_TRUE(before == tempDb.FileBytes());
    tempDb.SetWriteProtected(false);
    EXPECT_EQ(0, Count(L"Facturi") + Count(L"ArticoleFacturi") + Count(L"Produse where id > 0"));
}

// Another program holds the file's write lock: "Salvare" waits the few
// seconds a write waits, then says in Romanian that the file is used by
// another program, naming it, and to try again; the editor stays open with
// what was typed and nothing is stored. Pressed again once the lock is gone,
// it stores the invoice, its line, product and client once.
TEST_F(EditorSave, ASaveWhileAnotherProgramHoldsTheFileSaysToTryAgainAndTheNextStoresOnce)
{
    EXPECT_EQ(micro::qsql::QsqlDatabase::kWriteBusyTimeoutMs, db().GetWriteBusyTimeout());
    EXPECT_LE(db().GetWriteBusyTimeout(), 5000);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    tempDb.LetOthersIn();
    micro::qsql::QsqlDatabase other;
    other.Open(tempDb.Path().c_str());
    other.ExecDML(L"BEGIN IMMEDIATE");
    std::wstring afterRefusal;
    EXPECT_EQ(1, RunDocument(0, 0, [&](HWND w) {
                  EnterPartner(w, L"Client Nou SRL");
                  AddLine(w, L"Faina", L"10", L"3", 0, false);
                  ModalDriver::ClickOnScreen(w, IDC_FE_SAVE);
                  EXPECT_TRUE(IsWindowVisible(w));
                  afterRefusal = Fields(w, {IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_CIF, IDC_FE_NUMBER}) + L"|" +
                                 Cells(w, 0, {2, 4}) + L"|" + std::to_wstring(Rows(w));
                  other.ExecDML(L"ROLLBACK");
                  ModalDriver::ClickOnScreen(w, IDC_FE_SAVE);
              }));
    EXPECT_EQ(L"Client Nou SRL|777|-0000001-|Faina|3|1", afterRefusal);
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(L"Fisierul societatii este folosit de alt program:\n" + std::wstring(full) +
                  L"\n\nIncercati din nou dupa ce celalalt program termina.",
              boxes.Last().text);
    EXPECT_EQ(L"1 1 1 1 1", Stored(L"select (select count(*) from Facturi) || ' ' || (select count(*) from "
                                   L"ArticoleFacturi) || ' ' || (select count(*) from Produse where id > 0) || ' ' || "
                                   L"(select count(*) from Clienti) || ' ' || numarFactura from ConfigFacturi"));
}

// A number held already, no article, a line of no quantity: refused, nothing
// stored. A proforma turned into an invoice takes the invoices' series and number.
TEST_F(EditorSave, NumbersAreNotRepeatedAndEmptyLinesAreNotStored)
{
    tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'BRV', numarFactura = 1 where id = 1");
    StoreInvoice(tempDb.AddClient(L"Client SRL"), 2, 100, 24, 124, 124);
    tempDb.Exec(L"update Facturi set serie = 'BRV'");
    tempDb.Exec(L"insert into Proforme (id, status, numar, client, serie) values (1, 1, 1, 1, 'PF')");
    StoreLine(L"ArticoleProforme", 1, tempDb.AddProduct(L"Ciment", 100.0, 0), 1, 100);
    boxes.Answer(IDOK);
    EXPECT_EQ(1, RunDocument(1, 1, [&](HWND w) {
        ModalDriver::Click(w, IDC_FE_TO_INVOICE);
        ModalDriver::Click(w, IDC_FE_SAVE); // BRV 2 is taken
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 2");
        ModalDriver settings; // the number field takes the next number again
        settings.When(L"Configurare Facturi", [](HWND c) { ModalDriver::Click(c, IDCANCEL); });
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(2, RunDocument(0, 0, [&](HWND w) {
        EnterPartner(w, L"Client SRL");
        AddLine(w, L"Faina", L"10", L"0", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_TRUE(IsWindowVisible(w));
    }));
    for (const wchar_t* refusal : {L"Factura BRV 2 exista deja: alegeti alt numar din Configurare Facturi !",
                                   L"Cantitatea nu poate fi 0 !", L"Documentul nu are nici un articol !"})
        EXPECT_TRUE(boxes.Saw(refusal)) << boxes.Describe();
    EXPECT_EQ(L"BRV 2|BRV 3", Stored(L"select group_concat(serie || ' ' || numar, '|') from Facturi"));
}

// A number is held within its series: with BRV 2 stored, an invoice typed
// into series ABC takes number 2. A NIR's series is its supplier's invoice,
// so its number alone counts: NIR 5 stored under invoice F1, a NIR numbered 5
// under invoice F2 is refused and nothing is stored.
TEST_F(EditorSave, AnInvoiceNumberIsHeldWithinItsSeriesAndANirNumberWhateverItsInvoice)
{
    unsigned long long partner = tempDb.AddClient(L"Client SRL");
    tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'BRV', numarFactura = 1, numarNir = 4 where id = 1");
    StoreInvoice(partner, 2, 100, 24, 124, 124);
    tempDb.Exec(L"update Facturi set serie = 'BRV'");
    tempDb.Exec(L"insert into Niruri (id, status, numar, client, serie) values (1, 1, 5, 1, 'F1')");
    EXPECT_EQ(1, RunDocument(0, 0, [&](HWND w) {
        EnterPartner(w, L"Client SRL");
        ModalDriver::SetText(w, IDC_FE_SERIES, L"ABC");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"BRV 2|ABC 2", Stored(L"select group_concat(serie || ' ' || numar, '|') from Facturi"));

    EXPECT_EQ(2, RunDocument(3, 0, [&](HWND w) {
        EXPECT_EQ(L"-0000005-", Text(w, IDC_FE_NUMBER));
        EnterPartner(w, L"Client SRL");
        ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F2");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_TRUE(IsWindowVisible(w));
    }));
    EXPECT_EQ("[Atentie] NIR-ul 5 exista deja: alegeti alt numar din Configurare Facturi !\n", boxes.Describe());
    EXPECT_EQ(L"1 5 F1 0", Stored(L"select count(*) || ' ' || numar || ' ' || serie || ' ' || (select count(*) from "
                                  L"ArticoleNiruri) from Niruri"));
}

// A counter holds the last number given. Typed in the numbering settings
// from the number field, one whose next number would no longer print as a
// number is refused there and the dialog stays open; the largest one that
// still leaves a next number is taken, and the new invoice shows that number.
TEST_F(EditorSave, ACounterWithNoNextNumberLeftIsRefusedInTheNumbering)
{
    EXPECT_EQ(2, RunDocument(0, 0, [&](HWND w) {
        ModalDriver settings;
        settings.When(L"Configurare Facturi", [](HWND c) {
            for (int counter : {IDC_CONFIG_NUMAR_FACTURA, IDC_CONFIG_NUMAR_CHIT}) {
                ModalDriver::SetText(c, counter, L"2147483647");
                ModalDriver::Click(c, IDOK);
                EXPECT_TRUE(IsWindowVisible(c));
                ModalDriver::SetText(c, counter, L"2147483646");
            }
            ModalDriver::Click(c, IDOK);
        });
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        settings.Verify();
        EXPECT_EQ(L"-2147483647-", Text(w, IDC_FE_NUMBER));
    }));
    EXPECT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_TRUE(boxes.Saw(L"Numarul introdus nu este valid !\nIntroduceti un numar intreg intre 0 si 2 147 483 646 ."));
    EXPECT_EQ(L"2147483646 2147483646",
              Stored(L"select numarFactura || ' ' || numarChit from ConfigFacturi where id = 1"));
}

TEST_F(EditorSave, DuplicateIsStoredAsANewTemporaryDocument)
{
    unsigned long long clientId = tempDb.AddClient(L"Sursa SRL");
    unsigned long long product = tempDb.AddProduct(L"Ciment", 100.0, 0);
    unsigned long long source = StoreInvoice(clientId, 1, 100, 24, 124, 0, 2);
    StoreLine(L"ArticoleFacturi", source, product, 1, 100);
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 1 where id = 1");
    MyFacturiDialog editor(nullptr);
    editor.id = source;
    editor.documentNou = 1;
    EXPECT_EQ(1, Run(editor, [&](HWND w) {
        EXPECT_EQ(L"-0000002-", Text(w, IDC_FE_NUMBER));
        EXPECT_TRUE(ModalDriver::IsEnabled(w, IDOK));
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    // The copy: status 1, its own number, unpaid, its own line; the source untouched.
    EXPECT_EQ(L"1 2 1 12400|2 1 1 0|", Stored(L"select group_concat(status || ' ' || numar || ' ' || (select "
                                                    L"count(*) from ArticoleFacturi where IDFactura = f.id) || ' ' || "
                                                    L"round(sold * 100), '|') || '|' from (select * from Facturi order "
                                                    L"by id desc) f"));
}

// The due date follows the issue date, changed before or after the partner
// (its term after it, none without one); a due date typed before the issue
// date is refused with nothing written. A stored document keeps the pair it
// was stored with when saved again as it is.
TEST_F(EditorSave, TheDueDateNeverStandsBeforeTheIssueDate)
{
    const SYSTEMTIME day9 = {2026, 12, 0, 9, 9, 0, 0, 0}, day10 = {2026, 12, 0, 10, 9, 0, 0, 0};
    tempDb.AddClient(L"Fara Termen SRL");
    tempDb.AddClient(L"Termen SRL", 10);
    auto partnerIndex = [](HWND w, const wchar_t* name) {
        return static_cast<int>(SendDlgItemMessageW(w, IDC_FE_CLIENT_NAME, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(name)));
    };
    for (bool dateFirst : {true, false}) {
        for (const wchar_t* partner : {L"Fara Termen SRL", L"Termen SRL"}) {
            RunDocument(0, 0, [&](HWND w) {
                if (dateFirst)
                    ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, day10);
                ModalDriver::SelectCombo(w, IDC_FE_CLIENT_NAME, partnerIndex(w, partner));
                if (!dateFirst)
                    ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, day10);
                AddLine(w, L"Faina", L"10", L"1", 0, false);
                ModalDriver::Click(w, IDC_FE_SAVE);
            });
        }
    }
    EXPECT_EQ(L"10-10|10-20|10-10|10-20",
              Stored(L"select group_concat(strftime('%d', dataCreare, 'unixepoch') || '-' || strftime('%d', "
                     L"dataScadenta, 'unixepoch'), '|') from (select * from Facturi order by id)"));

    RunDocument(0, 0, [&](HWND w) {
        EnterPartner(w, L"Client SRL");
        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, day10);
        ModalDriver::SetDate(w, IDC_FE_DUE_DATE, day9);
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_TRUE(IsWindowVisible(w));
        EXPECT_EQ(GetDlgItem(w, IDC_FE_DUE_DATE), GetFocus());
    });
    EXPECT_EQ("[Atentie] Data scadenta nu poate fi inaintea datei documentului !\n", boxes.Describe());
    EXPECT_EQ(4, Count(L"Facturi"));

    // Stored before this rule: saved again as it is, it keeps its pair.
    tempDb.Exec(L"update Facturi set dataScadenta = dataCreare - 86400 where id = 1");
    std::wstring stored = Stored(L"select dataCreare || ' ' || dataScadenta from Facturi where id = 1");
    EXPECT_EQ(1, RunDocument(0, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_SAVE); }));
    EXPECT_EQ(stored, Stored(L"select dataCreare || ' ' || dataScadenta from Facturi where id = 1"));
    EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
}

// Blanks around a partner's name are part of it: stored, shown and found
// again as typed, so saving the document again adds no second partner.
TEST_F(EditorSave, PartnerNameWithSurroundingBlanksIsStoredAsTyped)
{
    const wchar_t name[] = L"  \u0218tefan's 50%_Grup  ";
    EXPECT_EQ(1, RunDocument(0, 0, [&](HWND w) {
        EnterPartner(w, name);
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(1, RunDocument(0, 1, [&](HWND w) {
        EXPECT_EQ(name, Text(w, IDC_FE_CLIENT_NAME));
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(std::wstring(L"1|") + name, tempDb.Text(L"select group_concat(id || '|' || Nume) from Clienti"));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

} // namespace

TEST_F(EditorSave, EscAsksBeforeDiscardingOnlyWhenSomethingWasTyped)
{
    for (const wchar_t* typed : {L"", L"Client Nou SRL"}) {
        boxes.Clear();
        RunDocument(0, 0, [&](HWND w) {
            if (*typed)
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, typed);
            ModalDriver::Click(w, IDCANCEL);
        });
        EXPECT_EQ(*typed ? 1u : 0u, boxes.Count()) << boxes.Describe();
    }
}

// Esc on the question (IDCANCEL) and "No" leave the editor open with its
// typed line and partner, nothing stored; "Yes" closes it.
TEST_F(EditorSave, TypedChangesAreThrownAwayOnlyOnYes)
{
    for (int answer : {IDCANCEL, IDNO, IDYES})
        boxes.Answer(answer);
    std::vector<std::wstring> after;
    RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
        AddLine(w, L"Faina", L"10", L"1", 0, false);
        for (int i = 0; i < 3; ++i) {
            ModalDriver::Click(w, IDCANCEL);
            after.push_back(IsWindowVisible(w) ? Text(w, IDC_FE_CLIENT_NAME) + L"|" + Cell(w, 0, 2) : L"closed");
        }
    });
    EXPECT_EQ((std::vector<std::wstring>{L"Client Nou SRL|Faina", L"Client Nou SRL|Faina", L"closed"}), after);
    EXPECT_EQ(3u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Facturi"));
}
