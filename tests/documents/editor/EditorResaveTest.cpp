#include "tests/documents/support/EditorFixture.h"
#include "documents/MyFacturiInternal.h"

using namespace editor_tests;
using namespace facturi_editor;


// Reopened and saved twice without a change: exact quantities, a discount over
// 9 % lines and a return invoice, whose balance is its credit, stay as stored.
TEST_F(EditorTest, SavingWithoutAChangeWritesWhatWasStored)
{
    tempDb.AddClient(L"Client SRL");
    const wchar_t* stored = L"select (select group_concat(round(valoareFT * 100) || '/' || round(valoareTVA * 100) || "
                            L"'/' || round(valoareTTI * 100) || '/' || round(sold * 100)) from Facturi) || (select "
                            L"group_concat(produsID || ':' || cantitate || 'x' || valoareFT) from ArticoleFacturi)";
    struct Case { int vatCode; double quantity, price, discount, net, vat, total, balance; };
    for (const Case& c : {Case{0, 3.333, 10, 0, 33.33, 8, 41.33, 41.33}, Case{1, 1, 100, 10, 90, 8.1, 98.1, 98.1},
                          Case{0, -2, 50, 0, -100, -24, -124, -124}}) {
        unsigned long long invoice = StoreInvoice(1, 7, c.net, c.vat, c.total, c.balance);
        StoreLine(L"ArticoleFacturi", invoice, tempDb.AddProduct(L"P", c.price, c.vatCode), c.quantity, c.price);
        if (c.discount != 0)
            StoreLine(L"ArticoleFacturi", invoice, 0, -1, c.discount);
        std::wstring before = tempDb.Text(stored);
        for (int save = 0; save < 2; ++save) {
            RunDocument(c.total < 0 ? 4 : 0, invoice, [](HWND w) { ModalDriver::Click(w, IDC_FE_SAVE); });
        }
        EXPECT_EQ(before, tempDb.Text(stored)) << "balance " << c.balance;
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// An earlier version summed unrounded lines: 5 x 12.50 + 20 x 3.50 at 24 %
// with 5 % off was stored as 125.87 / 30.21 / 156.09 and paid in full. Its
// totals stand while its lines are as stored, so a re-save is not refused as
// falling below what was collected; a changed line makes them the sums again.
TEST_F(EditorTest, AnEarlierVersionsTotalsStandUntilItsLinesChange)
{
    unsigned long long clientId = tempDb.AddClient(L"Client SRL");
    unsigned long long ciment = tempDb.AddProduct(L"Ciment", 12.5), nisip = tempDb.AddProduct(L"Nisip", 3.5);
    const wchar_t* stored = L"select round(valoareFT * 100) || '/' || round(valoareTVA * 100) || '/' || "
                            L"round(valoareTTI * 100) || '/' || round(sold * 100) from Facturi where numar = %d";
    for (int number : {7, 8}) {
        unsigned long long invoice = StoreInvoice(clientId, number, 125.87, 30.21, 156.09, number == 7 ? 0 : 156.09,
                                                  number == 7 ? 2 : 1);
        StoreLine(L"ArticoleFacturi", invoice, ciment, 5, 12.5, L"0");
        StoreLine(L"ArticoleFacturi", invoice, nisip, 20, 3.5, L"0");
        StoreLine(L"ArticoleFacturi", invoice, 0, -1, 6.625, L"0");
    }
    std::wstring paid = tempDb.Text(micro::utils::QString::Formatted(stored, 7).c_str());
    RunDocument(0, 1, [](HWND w) {
        EXPECT_EQ(L"156.09", Text(w, IDC_FE_TOTAL));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(paid, tempDb.Text(micro::utils::QString::Formatted(stored, 7).c_str()));
    RunDocument(0, 2, [](HWND w) {
        AddLine(w, L"Nisip", L"3.50", L"2", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"13252.0/3181.0/16433.0/16433.0", tempDb.Text(micro::utils::QString::Formatted(stored, 8).c_str()));
}

// A stored invoice opens with its partner, delegate and due date, its lines
// at the product's rate (changed to 9 % since) and its discount: 23.331 off
// 233.31 reopens as 10 %, and a line added then is discounted at 10 %; a
// discount on a zero total reads 0 %.
TEST_F(EditorTest, StoredInvoiceOpensWithPartnerDelegateRecomputedLinesAndDiscount)
{
    unsigned long long clientId = tempDb.AddClient(L"Beta SRL", 0, L"555");
    unsigned long long delegateId = tempDb.AddAgent(L"Vasile Delegat");
    unsigned long long product = tempDb.AddProduct(L"Ciment", 33.33, 1, L"sac");
    tempDb.Exec(micro::utils::QString::Formatted(
                    L"insert into Facturi values (5, 1, 12, %llu, 1700000000, 1702592000, 0, %llu, 209.98, 18.9, "
                    L"228.88, 228.88, 'AB')",
                    clientId, delegateId)
                    .c_str());
    StoreLine(L"ArticoleFacturi", 5, product, 7, 33.33);
    StoreLine(L"ArticoleFacturi", 5, 0, -1, 23.331);
    RunDocument(0, 5, [&](HWND w) {
        EXPECT_EQ(L"-0000012-|AB|Beta SRL|555|Vasile Delegat|B 01 ABC|14-12-2023",
                  Fields(w, {IDC_FE_NUMBER, IDC_FE_SERIES, IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_CIF, IDC_FE_DELEGATE_NAME,
                             IDC_FE_DELEGATE_CAR, IDC_FE_DUE_DATE}));
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"Ciment|233.31|21.00|9%", Cells(w, 0, {ColName, ColNet, ColVat, ColVatText}));
        EXPECT_EQ(L"Discount 10%|-23.33|209.98", Cells(w, 1, {ColName, ColNet}) + L"|" + Text(w, IDC_FE_TOTAL_NET));
        AddLine(w, L"Nisip", L"100", L"1", 1, false);
        EXPECT_EQ(L"Discount 10%|-33.33", Cells(w, 2, {ColName, ColNet}));
    });
    unsigned long long zero = StoreInvoice(1, 7, 0, 0, 0, 0); // a discount of nothing reads 0 %
    StoreLine(L"ArticoleFacturi", zero, 0, -1, 0);
    RunDocument(0, zero, [&](HWND w) { EXPECT_EQ(L"Discount 0%", Cell(w, 0, ColName)); });
}

const wchar_t kProduct[] = L"\u0218tefan's \"Bio\" 100%";

// A new invoice as a user types it: decimal commas, a refused word, a stored
// partner's and delegate's name typed exactly, a company row the editor could
// not read and another dialog wrote meanwhile, a typed series. Nothing the
// user did not change is overwritten; product 0 is never offered; quotes and
// diacritics come back intact.
TEST_F(EditorTest, NewInvoiceTypedByHandKeepsEveryStoredField)
{
    tempDb.AddClient(L"D'Artagnan Import-Export SRL", 0, L"RO123");
    tempDb.Exec(L"update Clienti set Adresa = 'Str. Lunga 1', Banca = 'BRD'");
    tempDb.Exec(L"insert into Agenti (numeAgent, serie, eliberat) values ('Ion', 'AB 1', 'SPCLEP')");
    tempDb.Exec(L"create table Kept as select * from Societate");
    tempDb.Exec(L"delete from Societate");
    MyFacturiDialog::comboSelectionGuard = true; // as the previous editor's save leaves it
    RunDocument(0, 0, [&](HWND w) {
        EXPECT_EQ(CB_ERR, SendDlgItemMessageW(w, IDC_FE_PRODUCT, CB_FINDSTRINGEXACT, -1, LPARAM(L"Discount")));
        ModalDriver::SetText(w, IDC_FE_CLIENT_ADDRESS, L"Str. Noua 2");
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"D'Artagnan Import-Export SRL");
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(IDC_FE_CLIENT_NAME, CBN_SELENDCANCEL), 0);
        EXPECT_EQ(L"RO123", Text(w, IDC_FE_CLIENT_CIF));
        ModalDriver::SetText(w, IDC_FE_DELEGATE_NAME, L"Ion");
        ModalDriver::SetText(w, IDC_FE_COMPANY_NAME, L"Firma Mea SRL");
        ModalDriver::SetText(w, IDC_FE_COMPANY_BANK, L"BT");
        tempDb.Exec(L"insert into Societate select * from Kept"); // "Informatii Societate" saves
        tempDb.Exec(L"update Societate set telefon = '0722', cotaTVA = 2");
        ModalDriver::SetText(w, IDC_FE_SERIES, L"XY");
        AddLine(w, kProduct, L"10", L"abc", 0, false);
        AddLine(w, kProduct, L"10,50", L"2,5", 0, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Atentie", boxes.Last().caption);
    EXPECT_EQ(L"RO123|Str. Noua 2|BRD", tempDb.Text(L"select Cod || '|' || Adresa || '|' || Banca from Clienti"));
    EXPECT_EQ(L"AB 1|SPCLEP|1234|0722|BT|2", tempDb.Text(L"select a.serie || '|' || a.eliberat || '|' || s.cui || '|' "
                                                         L"|| s.telefon || '|' || s.banca || '|' || s.cotaTVA from "
                                                         L"Agenti a, Societate s"));
    EXPECT_EQ(L"2625.0/XY|2.5x10.5", tempDb.Text(L"select round(f.valoareFT * 100) || '/' || serie || '|' || cantitate "
                                                 L"|| 'x' || a.valoareFT from Facturi f, ArticoleFacturi a"));
    RunDocument(0, 1, [](HWND w) {
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(w, IDC_FE_SERIES), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ(L"D'Artagnan Import-Export SRL", Text(w, IDC_FE_CLIENT_NAME));
        EXPECT_EQ(kProduct, Cell(w, 0, 2));
    });
}

// Two partners and two delegates may share a name. A stored invoice of the
// second ones reopens with their data, is saved again still theirs with every
// row as it was, and a field changed on it goes to their row alone.
TEST_F(EditorTest, ResavedDocumentKeepsItsPartnerAndDelegateBesideNamesakes)
{
    tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO1");
    unsigned long long second = tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO2");
    tempDb.AddAgent(L"Ion \u0218erban");
    unsigned long long delegate = tempDb.AddAgent(L"Ion \u0218erban");
    tempDb.Exec(L"update Agenti set serie = 'RX ' || id");
    unsigned long long invoice = StoreInvoice(second, 7, 10, 2.4, 12.4, 12.4);
    tempDb.Exec(micro::utils::QString::Formatted(L"update Facturi set delegat = %llu", delegate).c_str());
    StoreLine(L"ArticoleFacturi", invoice, tempDb.AddProduct(L"P", 10), 1, 10, L"0");
    const wchar_t* rows = L"select (select group_concat(id || ':' || Cod || ':' || Adresa, ',') from Clienti) || '|' || "
                          L"(select group_concat(id || ':' || serie, ',') from Agenti) || '|' || "
                          L"(select client || ':' || delegat from Facturi)";
    std::wstring before = tempDb.Text(rows);
    EXPECT_EQ(L"1:RO1:Str. Lunga 1,2:RO2:Str. Lunga 1|1:RX 1,2:RX 2|2:2", before);
    RunDocument(0, invoice, [](HWND w) {
        EXPECT_EQ(L"RO2|RX 2", Fields(w, {IDC_FE_CLIENT_CIF, IDC_FE_DELEGATE_ID}));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(before, tempDb.Text(rows));
    RunDocument(0, invoice, [](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_ADDRESS, L"Str. Noua 2");
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"1:RO1:Str. Lunga 1,2:RO2:Str. Noua 2|1:RX 1,2:RX 2|2:2", tempDb.Text(rows));
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// VAT at collection ticked in the editor and saved by "Tiparire", then turned
// off in the company data opened from the print dialog: saving the invoice
// again, with nothing changed in the editor since, keeps the company's choice.
TEST_F(EditorTest, CompanyDataChangedFromThePrintDialogSurvivesTheNextSave)
{
    tempDb.AddClient(L"Client SRL");
    EXPECT_EQ(1, RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        ModalDriver::ClickOnScreen(w, IDC_FE_VAT_ON_RECEIPT);
        ModalDriver::Pump(200);
        ModalDriver print;
        print.When(L"Tiparire", [](HWND p) { PostMessageW(p, WM_COMMAND, IDC_TIPARIRE_SCHIMBARE_LOGO, 0); });
        print.When(L"Informatii Societate", [](HWND c) {
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(c, IDC_SOCIETATE_TVAINCASARE));
            ModalDriver::ClickOnScreen(c, IDC_SOCIETATE_TVAINCASARE);
            ModalDriver::Pump(200);
            ModalDriver::Click(c, IDOK);
        });
        print.When(L"Tiparire", [](HWND p) { ModalDriver::Click(p, IDCANCEL); });
        ModalDriver::Click(w, IDC_FE_PRINT);
        print.Verify();
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(L"0", tempDb.Text(L"select tvaincasare from Societate where id = 1"));
}

// A receipt the file refuses takes back the save it came with: the ticked
// box is still the user's change, written by the next save.
TEST_F(EditorTest, VatAtCollectionTickedBeforeARefusedReceiptIsSavedNext)
{
    tempDb.AddClient(L"Client SRL");
    tempDb.Exec(L"create trigger no_receipt before insert on Incasari begin select raise(abort, 'injected'); end");
    EXPECT_EQ(1, RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"10", L"1", 0, false);
        ModalDriver::ClickOnScreen(w, IDC_FE_VAT_ON_RECEIPT);
        ModalDriver::Pump(200);
        ModalDriver confirm;
        confirm.When(L"Confirmare date chitanta", [](HWND c) { ModalDriver::Click(c, IDOK); });
        ModalDriver::Click(w, IDC_FE_RECEIPT);
        confirm.Verify();
        EXPECT_EQ(L"0|0", Stored(L"select (select count(*) from Facturi) || '|' || tvaincasare from Societate"));
        tempDb.Exec(L"drop trigger no_receipt");
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(L"1", tempDb.Text(L"select tvaincasare from Societate where id = 1"));
}

// Lines of an earlier version carry no VAT code and read their product's. A
// save that gives the product another code (a line typed at 9 %) leaves them
// as they were issued: in the document saved and in every other one.
TEST_F(EditorTest, AProductsNewVatCodeLeavesLinesIssuedBeforeItAsTheyWere)
{
    tempDb.AddClient(L"Client SRL");
    unsigned long long ciment = tempDb.AddProduct(L"Ciment", 100.0, 0);
    for (int number : {1, 2})
        StoreLine(L"ArticoleFacturi", StoreInvoice(1, number, 100, 24, 124, 124), ciment, 1, 100);
    StoreLine(L"ArticoleProforme", 1, ciment, 1, 100);
    RunDocument(0, 1, [](HWND w) {
        AddLine(w, L"Ciment", L"100", L"1", 1, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"1|1:0,1:1,2:0|P:0",
              Stored(L"select (select TVA from Produse where id = 1) || '|' || (select group_concat(line) from (select "
                     L"IDFactura || ':' || coalesce(TVA, '-') as line from ArticoleFacturi order by 1)) || '|P:' || "
                     L"(select coalesce(TVA, '-') from ArticoleProforme)"));
    EXPECT_EQ(L"100|24|124", Stored(L"select valoareFT || '|' || valoareTVA || '|' || valoareTTI from Facturi "
                                    L"where id = 2"));
}
