// The editor's receipt command end to end: confirmation, save, the receipt
// print dialog, then the receipt row and the receipt counter.
#include "database/DocumentTables.h"
#include "printing/AmountToWords.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "tests/documents/support/EditorFixture.h"
#include "tests/printing/support/MetafilePage.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

const wchar_t kConfirmation[] = L"Confirmare date chitanta";

using ReceiptCommand = EditorTest;

// "  Chitanta" on the open editor: the series, number and sum its print dialog shows.
std::wstring MakeReceipt(HWND editor)
{
    std::wstring shown;
    ModalDriver driver;
    driver.When(L"Tiparire", [&](HWND print) {
        auto* dialog = dynamic_cast<MyPrintChitanteDialog*>(micro::gui::QWindow::FromHandle(print));
        if (dialog)
            shown = std::wstring(dialog->serieChit) + L" " + dialog->numar.c_str() + L" " + dialog->suma.c_str();
        ModalDriver::Click(print, IDCANCEL);
    });
    ModalDriver::Click(editor, IDC_FE_RECEIPT);
    driver.Verify();
    return shown;
}

} // namespace

// A new invoice for a typed client with two lines (248.00 in all), issued on
// 5 March 2026; then "  Chitanta" with the number and series confirmed as typed.
TEST_F(ReceiptCommand, ClosedReceiptDialogStillStoresTheReceiptAndItsCounter)
{
    RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
        ModalDriver::SetText(w, IDC_FE_CLIENT_CIF, L"777");
        ModalDriver::SetDate(w, IDC_FE_ISSUE_DATE, SYSTEMTIME{2026, 3, 0, 5, 0, 0, 0, 0});
        AddLine(w, L"Faina", L"10", L"3", 0, true);
        AddLine(w, L"Orez", L"100", L"2", 1, false);
        ModalDriver driver;
        driver.When(kConfirmation, [&](HWND confirm) {
            ModalDriver::SetText(confirm, IDC_CREARE_CHITANTA_NUMAR, L"7");
            ModalDriver::SetText(confirm, IDC_CREARE_CHITANTA_SERIE, L"O'K");
            ModalDriver::Click(confirm, IDOK);
        });
        driver.When(L"Tiparire", [&](HWND print) {
            auto* dialog = dynamic_cast<MyPrintChitanteDialog*>(micro::gui::QWindow::FromHandle(print));
            ASSERT_TRUE(dialog);
            EXPECT_EQ(L"7|1|05-03-2026|248.00|Client Nou SRL|O'K",
                      std::wstring(dialog->numar) + L"|" + dialog->facturi.c_str() + L"|" + dialog->data.c_str() +
                          L"|" + dialog->suma.c_str() + L"|" + dialog->clientNume.c_str() + L"|" +
                          dialog->serieChit.c_str());
            ModalDriver::Click(print, IDCANCEL);
        });
        ModalDriver::Click(w, IDC_FE_RECEIPT);
        driver.Verify();
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    // One receipt: series, number, the invoice's client, its invoices, sum and
    // words, status, type, agent; the counter and series moved to it.
    EXPECT_EQ(L"1|O'K|7|1| 1|24800|" + std::wstring(AmountToWords(248.0)) + L"|1|0|0|7|O'K",
              Stored(L"select count(*) || '|' || serie || '|' || numar || '|' || (IDClient = (select client from Facturi "
                     L"where id = 1) and IDClient <> 0) || '|' || facturi || '|' || round(suma * 100) || '|' || sumaStr "
                     L"|| '|' || status || '|' || tip || '|' || agent || '|' || (select numarChit || '|' || serie_chit "
                     L"from ConfigFacturi) from Incasari"));
    EXPECT_EQ(1, tempDb.Scalar(L"select data >= 1772668800 and data < 1772668800 + 86400 from Incasari")); // 5 March
    // Partly paid by that receipt, validated: the next receipt is for what is
    // left, in figures and words.
    tempDb.Exec(L"update Facturi set sold = 100.5");
    tempDb.Exec(L"update Incasari set status = 2");
    RunDocument(0, 1, [&](HWND w) {
        ModalDriver driver;
        driver.When(kConfirmation, [&](HWND confirm) { ModalDriver::Click(confirm, IDOK); });
        driver.When(L"Tiparire", [&](HWND print) {
            auto* dialog = dynamic_cast<MyPrintChitanteDialog*>(micro::gui::QWindow::FromHandle(print));
            ASSERT_TRUE(dialog);
            EXPECT_EQ(L"100.50", std::wstring(dialog->suma.c_str()));
            ModalDriver::Click(print, IDCANCEL);
        });
        ModalDriver::Click(w, IDC_FE_RECEIPT);
        driver.Verify();
    });
    EXPECT_EQ(L"10050|" + std::wstring(AmountToWords(100.5)),
              Stored(L"select round(suma * 100) || '|' || sumaStr from Incasari where numar = 8"));
    tempDb.Exec(L"delete from Incasari where numar = 8");
    // Nothing left to collect: said before anything is asked, made or printed.
    tempDb.Exec(L"update Facturi set sold = 0");
    RunDocument(0, 1, [](HWND w) { ModalDriver::Click(w, IDC_FE_RECEIPT); });
    EXPECT_EQ(L"Factura 1 nu mai are sold de incasat !", boxes.Last().text);
    EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from Incasari"));
}

// Save, receipt row and counter stand or fall together: whether the user
// cancels the confirmation or a write is refused, no number is spent and
// nothing is stored.
TEST_F(ReceiptCommand, CancelledConfirmationRefusedSaveOrCounterSpendsNoReceiptNumber)
{
    for (const wchar_t* refused : {L"", L"insert on Facturi", L"update of numarChit on ConfigFacturi"}) {
        if (*refused) // else the user cancels the confirmation
            tempDb.Exec((std::wstring(L"create trigger refuz before ") + refused +
                         L" begin select raise(abort, 'refuz'); end").c_str());
        RunDocument(0, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
            AddLine(w, L"Faina", L"10", L"3", 0, false);
            ModalDriver driver;
            driver.When(kConfirmation, [&](HWND confirm) { ModalDriver::Click(confirm, *refused ? IDOK : IDCANCEL); });
            ModalDriver::Click(w, IDC_FE_RECEIPT);
            driver.Verify();
            EXPECT_EQ(0, tempDb.Scalar(L"select numarChit + (select count(*) from Incasari) + (select count(*) "
                                       L"from Facturi) + (select count(*) from Produse where id > 0) from ConfigFacturi"));
            // The refused command left the typed product pending: a plain
            // save afterwards stores it with the line that names it.
            tempDb.Exec(L"drop trigger if exists refuz");
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        EXPECT_EQ(1, tempDb.Scalar(L"select count(*) from ArticoleFacturi a join Produse p on p.id = a.produsID "
                                   L"where p.denumire = 'Faina'"));
        for (const wchar_t* clean : {L"delete from ArticoleFacturi", L"delete from Facturi",
                                     L"delete from Produse where id > 0", L"update iduri set idFactura = 0",
                                     L"update ConfigFacturi set numarFactura = 0"})
            tempDb.Exec(clean);
    }
    EXPECT_EQ(2u, boxes.Count()) << boxes.Describe();
}

// "  Chitanta" makes receipts for invoices only: on a delivery note that
// shares its number and client with an invoice still owed, stored or new, and
// on a return invoice, it says why and writes nothing (no receipt, counter or
// document).
TEST_F(ReceiptCommand, OtherDocumentsThanInvoicesGetNoReceipt)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL");
    StoreInvoice(client, 3, 100, 19, 119, 119);
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Avize values (NULL, 1, 3, %llu, 86400, 86400, 0, 0, "
                                                 L"100, 19, 119, 119, 'AV')", client).c_str());
    unsigned long long note = static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
    StoreLine(L"ArticoleAvize", note, tempDb.AddProduct(L"Orez", 100.0, 0), 1, 100);
    const std::wstring books = L"select (select count(*) from Incasari) || '|' || (select numarChit from ConfigFacturi) "
                               L"|| '|' || (select count(*) from Avize) || '|' || (select count(*) from Facturi)";
    std::wstring before = tempDb.Text(books.c_str());
    struct Case {
        int tip;
        unsigned long long id;
    } cases[] = {{DocumentDeliveryNote, note}, {DocumentDeliveryNote, 0}, {DocumentReturnInvoice, 0}};
    for (const Case& c : cases) {
        boxes.Clear();
        RunDocument(c.tip, c.id, [&](HWND w) {
            if (c.id == 0) {
                ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Unu SRL");
                AddLine(w, L"Faina", L"10", L"3", 0, false);
            }
            // Steps a receipt would need; none of them may be reached.
            ModalDriver driver;
            driver.When(kConfirmation, [](HWND confirm) { ModalDriver::Click(confirm, IDOK); });
            driver.When(L"Tiparire", [](HWND print) { ModalDriver::Click(print, IDCANCEL); });
            ModalDriver::ClickOnScreen(w, IDC_FE_RECEIPT);
        });
        EXPECT_EQ("[Atentie] Chitanta se emite numai pentru facturi !\n", boxes.Describe()) << c.tip << " " << c.id;
        EXPECT_EQ(before, tempDb.Text(books.c_str())) << c.tip << " " << c.id;
    }
}

// "  Chitanta" makes no receipt where the invoice, as it would be saved, has
// nothing to collect: a new invoice of 0.00 or of a negative total, and a
// stored one of 24.80 that a validated receipt took 12.40 from, cut to 12.40.
// It says so (the stored one once its save shows what is left) and stores
// neither the invoice nor a receipt, nor spends a receipt number.
TEST_F(ReceiptCommand, AnInvoiceLeftWithNothingToCollectGetsNoReceiptAndIsNotSaved)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL");
    unsigned long long product = tempDb.AddProduct(L"Faina", 10.0, 0);
    unsigned long long stored = StoreInvoice(client, 1, 20, 4.8, 24.8, 12.4);
    StoreLine(L"ArticoleFacturi", stored, product, 2, 10, L"0");
    tempDb.Exec(L"update ConfigFacturi set numarFactura = 1");
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, status, tip) values ('CNT', 1, %llu, ' 1', '%llu', 12.4, 2, "
                                                 L"0)", client, stored).c_str());
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Alocari (sursa, idSursa, tipDocument, idDocument, suma) "
                                                 L"values (0, 1, 0, %llu, 12.4)", stored).c_str());
    const std::wstring books = L"select (select group_concat(numar || ' ' || round(valoareTTI * 100) || ' ' || "
                               L"round(sold * 100)) from Facturi) || '|' || (select count(*) from Incasari) || '|' "
                               L"|| (select count(*) from ArticoleFacturi) || '|' || (select numarChit from "
                               L"ConfigFacturi)";
    const std::wstring before = Stored(books);
    struct Case {
        unsigned long long id;
        const wchar_t *price, *quantity;
    } cases[] = {{0, L"0", L"1"}, {0, L"10", L"-2"}, {stored, L"10", L"-1"}};
    for (const Case& c : cases) {
        RunDocument(DocumentInvoice, c.id, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Unu SRL");
            AddLine(w, L"Faina", c.price, c.quantity, 0, false);
            ModalDriver driver;
            driver.When(kConfirmation, [](HWND confirm) {
                // The counter lags behind CNT 1: the next free number is proposed.
                EXPECT_EQ(L"2", ModalDriver::GetText(confirm, IDC_CREARE_CHITANTA_NUMAR));
                ModalDriver::Click(confirm, IDOK);
            });
            driver.When(L"Tiparire", [](HWND print) { ModalDriver::Click(print, IDCANCEL); });
            ModalDriver::ClickOnScreen(w, IDC_FE_RECEIPT);
            EXPECT_TRUE(IsWindowVisible(w)) << c.quantity;
        });
        EXPECT_EQ(before, Stored(books)) << c.quantity;
    }
    EXPECT_EQ("[Atentie] Factura 2 nu mai are sold de incasat !\n[Atentie] Factura 2 nu mai are sold de incasat !\n"
              "[Atentie] Factura 1 nu mai are sold de incasat !\n",
              boxes.Describe());
}

// An invoice keeps one temporary receipt: made by a print of layout 2 whose
// system print dialog was cancelled, it is the one "  Chitanta" gets, again
// and again, without a new number, its sum brought to what is left to collect.
TEST_F(ReceiptCommand, AnInvoiceKeepsOneTemporaryReceiptForWhatIsLeftToCollect)
{
    tempDb.Exec(L"update ConfigFacturi set numarChit = 50, serie_chit = 'BRVC' where id = 1");
    layout_tests::MetafileSink sink(2479, 3508);
    sink.cancel = true;
    RunDocument(0, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client Nou SRL");
        AddLine(w, L"Faina", L"300", L"1", 0, true);
        ModalDriver print;
        print.When(L"Tiparire", [](HWND p) {
            ModalDriver::ClickOnScreen(p, IDC_TIPARIRE_LAYOUT2);
            ModalDriver confirm;
            confirm.When(kConfirmation, [](HWND c) { ModalDriver::Click(c, IDOK); });
            ModalDriver::ClickOnScreen(p, IDC_TIPARIRE_PRINT);
            confirm.Verify();
            ModalDriver::Click(p, IDCANCEL);
        });
        ModalDriver::Click(w, IDC_FE_PRINT);
        print.Verify();
        EXPECT_EQ(L"BRVC 51 300.00", MakeReceipt(w));
        EXPECT_EQ(L"BRVC 51 300.00", MakeReceipt(w));
        AddLine(w, L"Orez", L"50", L"1", 0, true);
        EXPECT_EQ(L"BRVC 51 350.00", MakeReceipt(w));
        // Saved to another client, the invoice takes its receipt along.
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Alt Client SRL");
        ModalDriver::Click(w, IDC_FE_SAVE);
        EXPECT_EQ(L"BRVC 51 350.00", MakeReceipt(w));
    });
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(1, sink.opened);
    EXPECT_EQ(L"1|BRVC|51|1|35000|" + std::wstring(AmountToWords(350.0)) + L"|350|51|Alt Client SRL",
              Stored(L"select count(*) || '|' || serie || '|' || numar || '|' || status || '|' || round(suma * 100) || "
                     L"'|' || sumaStr || '|' || (select sold from Facturi) || '|' || (select numarChit from "
                     L"ConfigFacturi) || '|' || (select Nume from Clienti where id = IDClient) from Incasari"));
}
