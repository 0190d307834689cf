#include "cash/Settlement.h"
#include "tests/documents/support/EditorFixture.h"
#include "database/DocumentTables.h"
#include "printing/FacturaDate.h"
#include "printing/layouts/PrintedItems.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

// A stored invoice of client "Client SRL" with two lines: 2 x 100 and 1 x 50 (24 %).
class EditorLifecycle : public EditorTest {
protected:
    unsigned long long clientId = 0, cement = 0, sand = 0, invoice = 0;

    void SetUp() override
    {
        EditorTest::SetUp();
        clientId = tempDb.AddClient(L"Client SRL");
        cement = tempDb.AddProduct(L"Ciment", 100.0, 0);
        sand = tempDb.AddProduct(L"Nisip", 50.0, 0);
        invoice = StoreInvoice(clientId, 1, 250, 60, 310, 310);
        tempDb.Exec(L"update Facturi set dataCreare = 1772668800");
        StoreLine(L"ArticoleFacturi", invoice, cement, 2, 100);
        StoreLine(L"ArticoleFacturi", invoice, sand, 1, 50);
        tempDb.Exec(L"update ConfigFacturi set numarFactura = 1 where id = 1");
        tempDb.Exec(L"update iduri set idFactura = 1 where id = 1");
    }
    void Receive(unsigned long long product, double quantity)
    {
        tempDb.Exec(L"insert into Niruri (status, numar, client, dataCreare) values (1, 1, 0, 1700000000)");
        StoreLine(L"ArticoleNiruri", static_cast<unsigned long long>(tempDb.Db().LastInsertRowId()), product, quantity,
                  1);
    }
};

// An injected failure of the reversing lines, or a reversed document that
// cannot be saved, writes nothing and spends no number; then the storno
// closes the invoice, issued at 24 % with 10 % off though the catalogue says
// 5 % since, and writes its exact negation, the discount reading 10 % on
// screen and paper.
TEST_F(EditorLifecycle, StornoWritesTheReversingInvoiceOnlyWhenBothDocumentsCanBeWritten)
{
    StoreLine(L"ArticoleFacturi", invoice, 0, -1, 25);
    tempDb.Exec(L"update ArticoleFacturi set TVA = 0");
    tempDb.Exec(L"update Produse set TVA = 2");
    tempDb.Exec(L"update Facturi set status = 2, valoareFT = 225, valoareTVA = 54, valoareTTI = 279, sold = 279");
    tempDb.Exec(L"create trigger no_negative before insert on ArticoleFacturi when new.cantitate < -1 "
                L"begin select raise(abort, 'injected'); end");
    const wchar_t* clients[] = {L"Client SRL", L"", L"Client SRL"};
    for (int pass = 0; pass < 3; ++pass) {
        boxes.Clear();
        boxes.Answer(IDOK);
        MyFacturiDialog editor(nullptr);
        editor.id = invoice;
        EXPECT_EQ(pass == 2 ? 1 : 2, Run(editor, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, clients[pass]);
            ModalDriver::Click(w, IDC_FE_STORNO);
        }));
        EXPECT_EQ(pass == 2, editor.stornat);
        tempDb.Exec(L"drop trigger if exists no_negative");
        if (pass == 2)
            break;
        ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
        EXPECT_EQ(pass ? L"Nu ati introdus clientul !" : L"Message", pass ? boxes.Last().text : boxes.Last().caption);
        EXPECT_EQ(L"1 2 27900 3 1 1", Stored(L"select count(*) || ' ' || status || ' ' || round(sold * 100) || ' ' || "
                                             L"(select count(*) from ArticoleFacturi) || ' ' || (select numarFactura "
                                             L"from ConfigFacturi) || ' ' || (select idFactura from iduri) from Facturi"));
    }
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Stornare", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Se va crea factura storno cu numarul 2"));
    // id status number net VAT total balance, lines: the reversed one closed at 0.
    EXPECT_EQ(L"1 4 1 22500 5400 27900 0 2x0 1x0 -1x0|2 4 2 -22500 -5400 -27900 0 -2x0 -1x0 1x0",
              Stored(L"select group_concat(id || ' ' || status || ' ' || numar || ' ' || round(valoareFT * 100) || ' ' || "
                     L"round(valoareTVA * 100) || ' ' || round(valoareTTI * 100) || ' ' || round(sold * 100) || ' ' || "
                     L"(select group_concat(cantitate || 'x' || TVA, ' ') from ArticoleFacturi where IDFactura = f.id), "
                     L"'|') from Facturi f"));
    EXPECT_EQ(L"2 2", Stored(L"select numarFactura || ' ' || (select idFactura from iduri) from ConfigFacturi"));
    FacturaDate screen(2, DocumentInvoice);
    std::vector<PrintedItem> paper = ReadPrintedItems(2, DocumentInvoice, NetValueFrom::OwnHeader);
    EXPECT_EQ(L"24%|Discount 10%|Discount 10%", std::wstring(screen.items.GetAt(0)->cotaTVA.c_str()) + L"|" +
                                                     screen.items.GetAt(2)->denumire.c_str() + L"|" +
                                                     paper[2].texts.denumire.c_str());
}

// The client corrected on the validated invoice before its storno: the
// reversing invoice and the reversed one both go to the client stored, so no
// client keeps half of the pair.
TEST_F(EditorLifecycle, StornoReversesTheInvoiceForTheClientItIsSavedWith)
{
    tempDb.AddClient(L"Alt Client SRL");
    tempDb.Exec(L"update Facturi set status = 2");
    boxes.Answer(IDOK);
    EXPECT_EQ(1, RunDocument(0, invoice, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Alt Client SRL");
        ModalDriver::Click(w, IDC_FE_STORNO);
    })) << boxes.Describe();
    EXPECT_EQ(L"1 4 Alt Client SRL 31000|2 4 Alt Client SRL -31000",
              Stored(L"select group_concat(f.id || ' ' || status || ' ' || c.Nume || ' ' || round(valoareTTI * 100), "
                     L"'|') from Facturi f join Clienti c on c.id = f.client"));
}

// The stored invoice's lines kept no VAT code (written before lines kept
// one). Its copy is issued now, at the rate it shows: the catalogue's later
// change moves neither the copy nor the source.
TEST_F(EditorLifecycle, ACopyIsIssuedAtTheVatItShowsAndTheSourceStaysAsStored)
{
    tempDb.Exec(L"update Facturi set dataScadenta = dataCreare");
    MyFacturiDialog editor(nullptr);
    editor.id = invoice;
    editor.documentNou = 1;
    EXPECT_EQ(1, Run(editor, [](HWND w) { ModalDriver::Click(w, IDC_FE_SAVE); })) << boxes.Describe();
    tempDb.Exec(L"update Produse set TVA = 2");
    EXPECT_EQ(L"1 1 n|1 n|2 2 0|2 0",
              Stored(L"select group_concat(f.id || ' ' || numar || ' ' || (select group_concat(coalesce(TVA, 'n'), '|' "
                     L"|| f.id || ' ') from ArticoleFacturi where IDFactura = f.id), '|') from Facturi f"));
    FacturaDate copy(2, DocumentInvoice);
    ASSERT_EQ(2, copy.items.GetCount());
    EXPECT_EQ(L"24%", std::wstring(copy.items.GetAt(1)->cotaTVA.c_str()));
}

// A NIR is reversed by a negated NIR from the NIR counter: stock nets to zero, no invoice number is spent.
TEST_F(EditorLifecycle, StornoOfAGoodsReceivedNoteIsANegatedNote)
{
    tempDb.Exec(L"delete from ArticoleFacturi"); // nothing of the note is sold: its reversal may take it all back
    tempDb.Exec(L"insert into Niruri values (1, 2, 4, 1, 1772668800, 1772668800, 0, 0, 500, 120, 620, 620, 'F1')");
    StoreLine(L"ArticoleNiruri", 1, cement, 5, 100);
    // A counter lowered to hand out the note's own number: refused before anything is asked or written.
    tempDb.Exec(L"update ConfigFacturi set numarNir = 3");
    EXPECT_EQ(2, RunDocument(3, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    EXPECT_TRUE(boxes.Saw(L"NIR-ul 4 exista deja: alegeti alt numar din Configurare Facturi !")) << boxes.Describe();
    tempDb.Exec(L"update ConfigFacturi set numarNir = 4");
    boxes.Clear();
    boxes.Answer(IDOK);
    EXPECT_EQ(1, RunDocument(3, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); })) << boxes.Describe();
    EXPECT_EQ(L"1 4 4 62000 0|2 4 5 -62000 0|0 5 1 1",
              Stored(L"select group_concat(n.id || ' ' || status || ' ' || numar || ' ' || round(valoareTTI * 100) || ' ' "
                     L"|| round(sold * 100), '|') || '|' || (select sum(cantitate) from ArticoleNiruri) || ' ' || "
                     L"numarNir || ' ' || numarFactura || ' ' || (select count(*) from Facturi) from Niruri n, ConfigFacturi"));
    EXPECT_NE(std::string::npos, boxes.Describe().find("numarul 5")) << boxes.Describe();
}

// A return invoice typed with positive quantities is stored negated with
// nothing to collect, reopens from the invoice list as one, and its storno
// sends the goods out again.
TEST_F(EditorLifecycle, ReturnInvoiceTakesGoodsBackAndItsStornoSendsThemOut)
{
    tempDb.Exec(L"delete from ArticoleFacturi");
    RunDocument(4, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"7.50", L"2", 1, false);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    tempDb.Exec(L"update Facturi set status = 2 where id = 2");
    MyFacturiDialog editor(nullptr);
    editor.id = 2;
    ModalDriver driver;
    driver.When(EditorTitle(DocumentReturnInvoice), [&](HWND w) {
        EXPECT_EQ(L"2.00|16.35|16.35", Cells(w, 0, {4, 9}) + L"|" + Text(w, IDC_FE_TOTAL));
        ModalDriver::Click(w, IDC_FE_STORNO);
    });
    boxes.Answer(IDOK);
    EXPECT_EQ(1, editor.DoModal());
    driver.Verify();
    EXPECT_EQ(L"2 4 -1635 0 -2|3 4 1635 0 2",
              Stored(L"select group_concat(id || ' ' || status || ' ' || round(valoareTTI * 100) || ' ' || round(sold * "
                     L"100) || ' ' || (select sum(cantitate) from ArticoleFacturi where IDFactura = f.id), '|') from "
                     L"Facturi f where id > 1"));
}

// A cancel the file refuses keeps the editor open; once it can save, status 3 and no balance.
TEST_F(EditorLifecycle, CancelStoresStatusThreeAndNoBalanceOrKeepsTheEditorOpen)
{
    tempDb.Exec(L"create trigger no_updates before update on Facturi begin select raise(abort, 'injected'); end");
    for (INT_PTR expected : {2, 1}) {
        boxes.Answer(IDOK);
        EXPECT_EQ(expected, RunDocument(0, invoice, [&](HWND w) { ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT); }));
        EXPECT_EQ(expected == 2 ? L"1 31000" : L"3 0", Stored(L"select status || ' ' || round(sold * 100) from Facturi"));
        tempDb.Exec(L"drop trigger if exists no_updates");
    }
    EXPECT_TRUE(boxes.SawCaption(L"Anulare"));
}

// Stock: 5 cement, no sand; the stored invoice's own lines take 2 cement and
// 1 sand, so 3 cement are left: a new invoice asking 2 + 2 is refused at its
// second line, the stored one for its sand until 1 sand is received.
TEST_F(EditorLifecycle, ValidationSumsEachProductAndAcceptsExactlyEnough)
{
    Receive(cement, 5);
    boxes.Answer(IDOK);
    EXPECT_EQ(2, RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        AddLine(w, L"Ciment", L"100", L"2", 0, false);
        ModalDriver::Click(w, IDC_FE_VALIDATE);
    }));
    EXPECT_EQ(L"La linia 2\nCantitate Insufucienta in stoc !", boxes.Last().text);
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Facturi"));
    for (INT_PTR expected : {2, 1}) {
        boxes.Clear();
        boxes.Answer(IDOK);
        EXPECT_EQ(expected, RunDocument(0, invoice, [&](HWND w) { ModalDriver::Click(w, IDC_FE_VALIDATE); }));
        EXPECT_EQ(expected == 2 ? L"La linia 2\nCantitate Insufucienta in stoc !" : L"", boxes.Count() == 2 ? boxes.Last().text : L"");
        EXPECT_EQ(expected == 2 ? 1 : 2, tempDb.Scalar(L"select status from Facturi where id = 1"));
        Receive(sand, 1);
    }
}

// A validated NIR opens with its line commands disabled, and sent anyway they
// change nothing; its number and series stay.
TEST_F(EditorLifecycle, LineCommandsOfAValidatedDocumentChangeNothing)
{
    Receive(cement, 5);
    tempDb.Exec((L"update Niruri set status = 2, serie = 'F1', client = " + std::to_wstring(clientId)).c_str());
    EXPECT_EQ(1, RunDocument(3, 1, [&](HWND w) {
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        for (int command : {IDC_FE_DELETE_LINE, IDOK, IDC_FE_APPLY_DISCOUNT})
            EXPECT_FALSE(ModalDriver::IsEnabled(w, command));
        for (int command : {IDC_FE_DELETE_LINE, IDC_FE_MODIFY_LINE, IDOK})
            ModalDriver::Click(w, command);
        EXPECT_EQ(1, Rows(w));
        SetFocus(GetDlgItem(w, IDC_FE_NUMBER));
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    EXPECT_EQ(L"5", Stored(L"select total(cantitate) from ArticoleNiruri"));
    EXPECT_TRUE(boxes.Saw(L"Documentul este deja inregistrat in baza de date\nnumarul si seria nu mai pot fi modificate !"));
}

// Receipt CNT 7 took 100 of the invoice's 310: while it stands the invoice is
// neither moved to another client (whose ledger would show it paid by nobody,
// and the receipt's cancel would find nothing to give back), cancelled nor
// reversed, and its total does not fall below 100; a resave keeps the counter
// where it is.
TEST_F(EditorLifecycle, AReceiptKeepsItsInvoiceOpenWithItsClientAndItsTotalAboveWhatItTook)
{
    using namespace settlement;
    ApplySettlement(kInvoices, Source::Receipt, PlanValidation(kInvoices, clientId, {invoice}, 100), [&] {
        tempDb.Exec(L"insert into Incasari (serie, numar, IDClient, suma, status) values ('CNT', 7, 1, 100, 2)");
        return static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
    });
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 10");
    tempDb.AddClient(L"Alt Client SRL");
    EXPECT_EQ(1, RunDocument(0, invoice, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Alt Client SRL");
        ModalDriver::ClickOnScreen(w, IDC_FE_SAVE);
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT);
        ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
        ModalDriver::Click(w, IDC_FE_DELETE_LINE); // 62 left
        ModalDriver::Click(w, IDC_FE_SAVE);
        AddLine(w, L"Nisip", L"50", L"2", 0, false); // 186
        ModalDriver::Click(w, IDC_FE_SAVE);
    }));
    tempDb.Exec(L"update Facturi set status = 2");
    EXPECT_EQ(2, RunDocument(0, invoice, [&](HWND w) { ModalDriver::Click(w, IDC_FE_STORNO); }));
    std::wstring paid = L"Factura 1 este incasata cu 100.00 prin chitanta CNT 7";
    ASSERT_EQ(4u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(paid + L": clientul nu poate fi schimbat !", boxes.Boxes()[0].text);
    EXPECT_EQ(paid + L": anulati intai chitanta !", boxes.Boxes()[1].text);
    EXPECT_EQ(paid + L": totalul nu poate scadea sub 100.00 !", boxes.Boxes()[2].text);
    EXPECT_EQ(boxes.Boxes()[1].text, boxes.Last().text);
    EXPECT_EQ(L"1 18600 8600 10", Stored(L"select count(*) || ' ' || round(valoareTTI * 100) || ' ' || round(sold * "
                                         L"100) || ' ' || (select numarFactura from ConfigFacturi) from Facturi"));
}

} // namespace

// The stored invoice has sold 2 of the 5 cement received: cancelling the
// receipt would leave -2 on the invoice's day; with 3 more received it
// passes, and stocReal follows the cancel.
TEST_F(EditorLifecycle, CancellingAGoodsReceivedNoteIsRefusedWhenItsGoodsAreSold)
{
    Receive(cement, 5);
    tempDb.Exec(L"update Niruri set client = 1, serie = 'F1'");
    for (INT_PTR expected : {2, 1}) {
        boxes.Clear();
        boxes.Answer(IDOK);
        EXPECT_EQ(expected, RunDocument(3, 1, [&](HWND w) { ModalDriver::Click(w, IDC_FE_CANCEL_DOCUMENT); }));
        EXPECT_EQ(expected == 2 ? L"La linia 1, Ciment\nCantitate Insufucienta in stoc !" : L"Anulare",
                  expected == 2 ? boxes.Last().text : boxes.Last().caption);
        Receive(cement, 3);
    }
    EXPECT_EQ(L"3|1", Stored(L"select status || '|' || (select stocReal from Produse where id = 1) from Niruri "
                               L"where id = 1"));
}
