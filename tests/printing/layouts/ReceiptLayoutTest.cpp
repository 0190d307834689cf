// Printing an invoice with its receipt: the receipt is made once, counter and
// row together, before anything is printed.
#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "printing/AmountToWords.h"
#include "printing/MyPrintDialog.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/pdf/PdfExports.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/preview/DrawFactura.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/support/ScreenText.h"

using namespace layout_tests;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const wchar_t kConfirmation[] = L"Confirmare date chitanta";

class ReceiptLayout : public DatabaseTest {
protected:
    void SetUp() override
    {
        SetCompany(tempDb);
        tempDb.Exec(L"update ConfigFacturi set numarChit = 41, serie_chit = 'SRT' where id = 1");
        invoice = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(2));
    }
    // The receipt rows, one a line.
    std::wstring Receipts()
    {
        return tempDb.Text(L"select coalesce(group_concat(serie || '|' || numar || '|' || IDClient || '|' || facturi || "
                           L"'|' || status || '|' || tip || '|' || agent || char(10), ''), '') from Incasari");
    }
    long long Counter() { return tempDb.Scalar(L"select numarChit from ConfigFacturi where id = 1"); }
    // Prints layout 2 answering the confirmation with `answer` (after typing
    // `number` and `series` when given).
    bool PrintAnswering(int answer, MetafileSink& sink, const wchar_t* number = nullptr, const wchar_t* series = nullptr)
    {
        ModalDriver driver;
        driver.When(kConfirmation, [=](HWND dialog) {
            EXPECT_EQ(L"42", ModalDriver::GetText(dialog, IDC_CREARE_CHITANTA_NUMAR));
            EXPECT_EQ(L"SRT", ModalDriver::GetText(dialog, IDC_CREARE_CHITANTA_SERIE));
            if (number)
                ModalDriver::SetText(dialog, IDC_CREARE_CHITANTA_NUMAR, number);
            if (series)
                ModalDriver::SetText(dialog, IDC_CREARE_CHITANTA_SERIE, series);
            ModalDriver::Click(dialog, answer);
        });
        FacturaPrintJob job(invoice.documentId, DocumentInvoice, 2, nullptr);
        bool printed = PrintFacturaChitantaLayout2(job);
        driver.Verify();
        return printed;
    }
    InvoiceFixture invoice;
};

} // namespace

TEST_F(ReceiptLayout, FirstPrintCreatesTheTypedReceiptLaterPrintsReuseItAndFourteenLinesFit)
{
    // The proposed 42 and "SRT" are shown; a typed number and a quoted series
    // become the counter and the receipt.
    MetafileSink sink(4960, 7016);
    EXPECT_TRUE(PrintAnswering(IDOK, sink, L"57", L"O'K"));
    EXPECT_EQ(L"O'K|57|1| 7|1|0|0\n57", Receipts() + std::to_wstring(Counter()));
    EXPECT_DOUBLE_EQ(57.04, tempDb.Number(L"select suma from Incasari"));
    ASSERT_EQ(1u, sink.printed.size());
    Scale s(4960, 7016);
    const EmfText* title = sink.printed[0].Find(L"Chitanta seria: O'K Nr.: 57");
    ASSERT_TRUE(title);
    // The title would run across the receipt's frame: it is set smaller to end inside it.
    EXPECT_EQ(std::vector<int>({s.X(245), s.Y(480), 700}), std::vector<int>({title->x, title->y, title->fontWeight}));
    EXPECT_LT(title->fontHeight, s.Y(14));
    EXPECT_LE(RightEdge(*title), static_cast<int>(s.W - s.sx * 10));
    EXPECT_EQ(1u, sink.printed[0].StartingWith(L"Suma de 57.04 (").size());
    // The invoice's footer sits 150 units higher than on the full page.
    EXPECT_EQ(s.Y(400), sink.printed[0].Find(L"Total de plata:")->y);

    // Printed again: the receipt is found, nothing is asked or written.
    FacturaPrintJob again(invoice.documentId, DocumentInvoice, 2, nullptr);
    EXPECT_NE(0u, again.chitantaId);
    EXPECT_TRUE(PrintFacturaChitantaLayout2(again));
    EXPECT_EQ(L"O'K|57|1| 7|1|0|0\n57", Receipts() + std::to_wstring(Counter()));
    ASSERT_EQ(2u, sink.printed.size());
    EXPECT_TRUE(sink.printed[1].Find(L"Chitanta seria: O'K Nr.: 57"));

    // Fourteen lines fit the printed table; the rest are left out after asking.
    tempDb.Exec(L"delete from ArticoleFacturi");
    for (int i = 1; i <= 15; ++i)
        printing_tests::AddLine(tempDb, L"ArticoleFacturi", invoice.documentId, invoice.products[0], 1, i);
    MessageBoxRecorder boxes;
    FacturaPrintJob longer(invoice.documentId, DocumentInvoice, 2, nullptr);
    EXPECT_TRUE(PrintFacturaChitantaLayout2(longer));
    EXPECT_EQ(1u, boxes.Count());
    ASSERT_EQ(3u, sink.printed.size());
    EXPECT_TRUE(sink.printed[2].Find(L"14.00") && !sink.printed[2].Find(L"15.00"));
}

TEST_F(ReceiptLayout, CancelOrARefusedRowWritesAndPrintsNothing)
{
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    EXPECT_FALSE(PrintAnswering(IDCANCEL, sink));
    EXPECT_EQ(0u, boxes.Count());
    tempDb.Exec(L"create trigger refuse before insert on Incasari begin select raise(abort, 'disk full'); end");
    EXPECT_FALSE(PrintAnswering(IDOK, sink, L"57"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"disk full"));
    EXPECT_EQ(L"41 0", std::to_wstring(Counter()) + Receipts() + L" " + std::to_wstring(sink.opened));
}

// Layout 2 makes no receipt for a deleted document; the goods-received note
// names its discount from its own header, not from an invoice sharing its id.
TEST_F(ReceiptLayout, ReceiptsOnlyForStoredDocumentsAndDiscountsFromTheirOwnHeader)
{
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    FacturaPrintJob deleted(invoice.documentId, DocumentInvoice, 2, nullptr);
    tempDb.Exec(L"delete from Facturi");
    EXPECT_TRUE(PrintFacturaChitantaLayout2(deleted));
    EXPECT_EQ(L"", Receipts());
    InvoiceFixture note = AddDocument(tempDb, DocumentGoodsReceived, 3, ShortNames(1));
    tempDb.Exec(L"insert into ArticoleNiruri select NULL, 0, -1, sum(cantitate * valoareFT) / 10, 1, NULL from ArticoleNiruri");
    tempDb.Exec(L"update Niruri set valoareFT = (select 9 * valoareFT from ArticoleNiruri where produsID = 0)");
    tempDb.Exec(L"insert into Facturi (id, valoareFT) values (1, 1)");
    FacturaPrintJob job(note.documentId, DocumentGoodsReceived, 1, nullptr);
    EXPECT_TRUE(PrintNir(job));
    EXPECT_EQ(1, sink.printed.back().Count(L"Discount 10%"));
}

// The receipt shown with the invoice is always one stored for it: a fully paid
// invoice (settled by a receipt over two invoices, while a receipt " 7" of the
// client was made for another invoice 7) shows none, and "Print" and "Save
// PDF" of layout 2 refuse it in the words of the editor's "  Chitanta",
// making no receipt. An invoice still owed shows no number until "Print" made
// its receipt, and prints the number stored.
TEST_F(ReceiptLayout, PreviewAndPrintShowOnlyAStoredReceiptOfTheInvoice)
{
    tempDb.Exec(L"update Facturi set sold = 0");
    for (const wchar_t* kept : {L"' 7, 8', ''", L"' 7', '999'"})
        tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, "
                                                     L"documente, suma, status, tip) values ('SRT', 40, %llu, %s, "
                                                     L"10, 2, 0)",
                                                     invoice.clientId, kept)
                        .c_str());
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    MyPrintDialog dialog(nullptr);
    dialog.SetDocument(invoice.documentId, DocumentInvoice);
    auto Shown = [&dialog]() {
        const FacturaDate& shown = static_cast<DrawFactura*>(dialog.GetPreview().GetDocument())->Record();
        return std::to_wstring(shown.chitantaId) + L"|" + shown.chitantaSerie.c_str() + L"|" +
               shown.chitantaNumar.c_str();
    };
    ModalDriver driver;
    driver.When(L"Tiparire", [&](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_LAYOUT2);
        EXPECT_EQ(L"0||", Shown());
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_PRINT);
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_SAVE_PDF);
        EXPECT_EQ(L"2 41 0", std::to_wstring(tempDb.Scalar(L"select count(*) from Incasari")) + L" " +
                                 std::to_wstring(Counter()) + L" " + std::to_wstring(sink.opened));
        // Owed again, less one leu collected: the receipt is made when
        // printed, for what is left, and printed as stored.
        tempDb.Exec(L"update Facturi set sold = valoareTTI - 1");
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_LAYOUT1);
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_LAYOUT2);
        EXPECT_EQ(L"0||", Shown());
        ModalDriver confirm;
        confirm.When(kConfirmation, [](HWND c) {
            EXPECT_EQ(L"42", ModalDriver::GetText(c, IDC_CREARE_CHITANTA_NUMAR));
            ModalDriver::Click(c, IDOK);
        });
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_PRINT);
        confirm.Verify();
        ModalDriver::Click(w, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
    EXPECT_EQ("[Atentie] Factura 7 nu mai are sold de incasat !\n"
              "[Atentie] Factura 7 nu mai are sold de incasat !\n",
              boxes.Describe());
    ASSERT_EQ(1u, sink.printed.size());
    EXPECT_TRUE(sink.printed[0].Find(L"Chitanta seria: SRT Nr.: 42"));
    std::wstring owed = tempDb.Text(L"select printf('%.2f', sold) from Facturi");
    EXPECT_EQ(1u, sink.printed[0].StartingWith(L"Suma de " + owed + L" (").size()) << owed;
    EXPECT_EQ(owed, tempDb.Text(L"select printf('%.2f', suma) from Incasari where numar = 42"));
    EXPECT_EQ(std::to_wstring(invoice.documentId), tempDb.Text(L"select documente from Incasari where numar = 42"));
}

// Only an invoice has receipts: a proforma, a delivery note and a return
// invoice (each sharing the invoice's number, client and id, while the
// invoice has its receipt " 7") show none in layout 2, and "Print" and "Save
// PDF" refuse them in the words of the editor's "  Chitanta", writing nothing.
TEST_F(ReceiptLayout, OtherDocumentsThanInvoicesShowAndMakeNoReceipt)
{
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, status, tip) values ('SRT', 40, %llu, ' 7', '%llu', 10, 1, 0)",
                                                 invoice.clientId, invoice.documentId)
                    .c_str());
    const std::wstring before = Receipts() + std::to_wstring(Counter());
    tempDb.Exec(L"update Facturi set valoareTTI = -valoareTTI, sold = -valoareTTI"); // the return invoice
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    for (int tip : {DocumentProforma, DocumentDeliveryNote, DocumentReturnInvoice}) {
        if (tip != DocumentReturnInvoice)
            tempDb.Exec(micro::utils::QString::Formatted(L"insert into %s select * from Facturi",
                                                         DocumentHeaderTable(tip)).c_str());
        FacturaDate shown(invoice.documentId, tip);
        EXPECT_EQ(L"0||", std::to_wstring(shown.chitantaId) + L"|" + shown.chitantaSerie.c_str() + L"|" +
                              shown.chitantaNumar.c_str()) << tip;
        FacturaPrintJob job(invoice.documentId, tip, 2, nullptr);
        EXPECT_FALSE(PrintFacturaChitantaLayout2(job)) << tip;
        FacturaPrintJob pdf(invoice.documentId, tip, 2, nullptr);
        EXPECT_FALSE(CreatePdfInvoiceReceipt(pdf)) << tip;
    }
    EXPECT_EQ(6u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Chitanta se emite numai pentru facturi !", boxes.Count() ? boxes.Last().text : L"");
    EXPECT_EQ(before, Receipts() + std::to_wstring(Counter()));
    EXPECT_EQ(0, sink.opened);
}

// A large sum's amount in words would run off the sheet: on paper and in the
// PDF all of it shows, set smaller, inside the receipt's frame.
TEST_F(ReceiptLayout, ALongAmountInWordsStaysInsideTheReceiptFrame)
{
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, status, tip) values ('SRT', 40, %llu, ' 7', '%llu', "
                                                 L"777777777.77, 2, 0)",
                                                 invoice.clientId, invoice.documentId)
                    .c_str());
    const std::wstring amount =
        L"Suma de 777777777.77 (" + std::wstring(AmountToWords(777777777.77).c_str()) + L")";
    MetafileSink sink(2479, 3508);
    FacturaPrintJob job(invoice.documentId, DocumentInvoice, 2, nullptr);
    ASSERT_TRUE(PrintFacturaChitantaLayout2(job));
    ASSERT_EQ(1u, sink.printed.size());
    const EmfText* printed = sink.printed[0].Find(amount);
    ASSERT_TRUE(printed);
    Scale s(2479, 3508);
    EXPECT_LT(printed->fontHeight, s.Y(11));
    EXPECT_LT(RightEdge(*printed), static_cast<int>(2479 - 10 * s.sy));

    std::wstring path = pdftest::OutputPath(L"layout2-long-amount.pdf");
    FacturaPrintJob pdfJob(invoice.documentId, DocumentInvoice, 2, nullptr);
    ASSERT_TRUE(WriteFacturaChitantaPdfLayout2(pdfJob, path.c_str()));
    pdftest::PdfPage page;
    pdftest::LoadChecked(path, page);
    const pdftest::PdfText* written = page.Find(amount);
    ASSERT_TRUE(written) << page.Describe();
    EXPECT_LT(written->size, 9);
    EXPECT_LT(written->right, 595 - 15 * 1.38 + 0.5);
}

// A receipt taken in the receipt editor days after the invoice is printed
// with the invoice under its own date; one made when printing takes the
// invoice's date.
TEST_F(ReceiptLayout, AStoredReceiptShowsItsOwnDateAndOneMadeWhenPrintingTheInvoices)
{
    const long long december1 = 1701388800;
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, data, status, tip) values ('SRT', 40, %llu, ' 7', '%llu', "
                                                 L"57.04, %lld, 2, 0)",
                                                 invoice.clientId, invoice.documentId, december1)
                    .c_str());
    MetafileSink sink(2479, 3508);
    FacturaPrintJob job(invoice.documentId, DocumentInvoice, 2, nullptr);
    ASSERT_TRUE(PrintFacturaChitantaLayout2(job));
    std::wstring path = pdftest::OutputPath(L"layout2-receipt-date.pdf");
    FacturaPrintJob pdfJob(invoice.documentId, DocumentInvoice, 2, nullptr);
    ASSERT_TRUE(WriteFacturaChitantaPdfLayout2(pdfJob, path.c_str()));
    pdftest::PdfPage page;
    pdftest::LoadChecked(path, page);
    ASSERT_EQ(1u, sink.printed.size());
    EXPECT_TRUE(sink.printed[0].Find(L"data  01-12-2023"));
    EXPECT_TRUE(page.Find(L"data 01-12-2023")) << page.Describe();
    EXPECT_TRUE(sink.printed[0].Find(L"Data de: 14-11-2023")); // the invoice keeps its own

    // Given back: the next print makes a receipt dated as the invoice.
    tempDb.Exec(L"update Incasari set status = 3");
    EXPECT_TRUE(PrintAnswering(IDOK, sink));
    ASSERT_EQ(2u, sink.printed.size());
    EXPECT_TRUE(sink.printed[1].Find(L"data  14-11-2023"));
    EXPECT_EQ(1700000000, tempDb.Scalar(L"select data from Incasari where numar = 42"));
}

// Layout 2 prints the invoice's temporary receipt for what is left to collect
// and stores that sum; a cancelled invoice is printed and exported with no
// receipt at all, its temporary one included: it collects nothing.
TEST_F(ReceiptLayout, ATemporaryReceiptIsBroughtToWhatIsLeftAndACancelledInvoiceGetsNone)
{
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, status, tip) values ('SRT', 40, %llu, ' 7', '%llu', 10, 1, 0)",
                                                 invoice.clientId, invoice.documentId)
                    .c_str());
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    FacturaPrintJob job(invoice.documentId, DocumentInvoice, 2, nullptr);
    ASSERT_TRUE(PrintFacturaChitantaLayout2(job));
    ASSERT_EQ(1u, sink.printed.size());
    EXPECT_TRUE(sink.printed[0].Find(L"Chitanta seria: SRT Nr.: 40"));
    EXPECT_EQ(1u, sink.printed[0].StartingWith(L"Suma de 57.04 (").size());
    EXPECT_EQ(L"1|57.04", tempDb.Text(L"select count(*) || '|' || printf('%.2f', suma) from Incasari"));

    tempDb.Exec(L"update Facturi set status = 3, sold = 0");
    FacturaPrintJob cancelled(invoice.documentId, DocumentInvoice, 2, nullptr);
    EXPECT_EQ(L"0|", std::to_wstring(cancelled.chitantaId) + L"|" + cancelled.chitantaNumar.c_str());
    EXPECT_FALSE(PrintFacturaChitantaLayout2(cancelled));
    EXPECT_FALSE(CreatePdfInvoiceReceipt(cancelled));
    EXPECT_EQ("[Atentie] Factura 7 este anulata sau stornata !\n[Atentie] Factura 7 este anulata sau stornata !\n",
              boxes.Describe());
    EXPECT_EQ(1, sink.opened);
}

// A reversed invoice (status 4, as "Stornare" leaves it) collects nothing, as
// a cancelled one: layout 2's screen page shows no receipt number, its
// temporary receipt included, which it showed while the invoice was owed.
TEST_F(ReceiptLayout, AReversedInvoiceShowsNoReceiptOnTheScreenPageOfLayout2)
{
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Incasari (serie, numar, IDClient, facturi, documente, "
                                                 L"suma, status, tip) values ('SRT', 40, %llu, ' 7', '%llu', 10, 1, 0)",
                                                 invoice.clientId, invoice.documentId)
                    .c_str());
    const ScreenBox title{245, 480, 440, 490}, titleArea{245, 480, 420, 494};
    auto Shows = [&](const wchar_t* text) {
        FacturaDate shown(invoice.documentId, DocumentInvoice);
        return ScreenShows([&](const ScreenPage& page) { DrawFacturaLayout2(page, shown); }, ScreenFont::F14, text,
                           title, titleArea);
    };
    EXPECT_TRUE(Shows(L"Chitanta seria SRT Nr. 40"));
    tempDb.Exec(L"update Facturi set status = 4, sold = 0");
    FacturaDate reversed(invoice.documentId, DocumentInvoice);
    EXPECT_EQ(L"0||", std::to_wstring(reversed.chitantaId) + L"|" + reversed.chitantaSerie.c_str() + L"|" +
                          reversed.chitantaNumar.c_str());
    EXPECT_TRUE(Shows(L"Chitanta seria  Nr. "));
}

// Layout 2 on screen names the receipt and the invoice as its PDF does: the
// invoice by series and number from the start; the receipt, which has no
// number until "Save PDF" stores BRVC 51, by that number once stored, in the
// dialog that stored it and in one opened afterwards.
TEST_F(ReceiptLayout, TheScreenPageOfLayout2NamesWhatItsPdfNames)
{
    tempDb.Exec(L"update Facturi set serie = 'BRV', numar = 102");
    tempDb.Exec(L"update ConfigFacturi set numarChit = 50, serie_chit = 'BRVC' where id = 1");
    wchar_t full[MAX_PATH];
    GetFullPathNameW(pdftest::OutputPath(L"layout2-screen.pdf").c_str(), MAX_PATH, full, nullptr);
    const std::wstring path = full;
    DeleteFileW(full);
    auto Shows = [](const FacturaDate& shown, ScreenFont font, const std::wstring& text, ScreenBox box,
                    ScreenBox area) {
        // A title that would run across the receipt's frame is set smaller to end inside it.
        const Edges frame{0, 426, 10, FromRight(10)};
        return ScreenShows([&](const ScreenPage& page) { DrawFacturaLayout2(page, shown); }, font, text, box, area,
                           frame);
    };
    const ScreenBox title{245, 480, 440, 490}, titleArea{245, 480, 420, 494}, invoiceLine{15, 585, 200, 595};
    MessageBoxRecorder boxes; // "Se va crea Chitanta cu numarul 51 continuati ?": OK
    MyPrintDialog dialog(nullptr);
    dialog.SetDocument(invoice.documentId, DocumentInvoice);
    auto Record = [&dialog]() -> const FacturaDate& {
        return static_cast<DrawFactura*>(dialog.GetPreview().GetDocument())->Record();
    };
    ModalDriver driver;
    driver.When(L"Tiparire", [&](HWND w) {
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_LAYOUT2);
        EXPECT_TRUE(Shows(Record(), ScreenFont::F14, L"Chitanta seria  Nr. ", title, titleArea));
        EXPECT_TRUE(Shows(Record(), ScreenFont::F6, L"Reprezentant contravaloare factura BRV 102", invoiceLine,
                          invoiceLine));
        ModalDriver save;
        save.When(L"Save as", [&](HWND s) {
            ModalDriver::SetText(s, 1152, path);
            ModalDriver::Click(s, IDOK);
        });
        ModalDriver::ClickOnScreen(w, IDC_TIPARIRE_SAVE_PDF);
        save.Verify();
        EXPECT_TRUE(Shows(Record(), ScreenFont::F14, L"Chitanta seria BRVC Nr. 51", title, titleArea));
        EXPECT_TRUE(Shows(Record(), ScreenFont::F6, L"Reprezentant contravaloare factura BRV 102", invoiceLine,
                          invoiceLine));
        ModalDriver::Click(w, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
    EXPECT_TRUE(Shows(FacturaDate(invoice.documentId, DocumentInvoice), ScreenFont::F14, L"Chitanta seria BRVC Nr. 51",
                      title, titleArea));
    pdftest::PdfPage page;
    pdftest::LoadChecked(path, page);
    EXPECT_TRUE(page.Find(L"Chitanta seria: BRVC Nr.: 51")) << page.Describe();
    EXPECT_TRUE(page.Find(L"Reprezentand contravaloare factura BRV 102")) << page.Describe();
    EXPECT_EQ(1u, boxes.Count()) << boxes.Describe();
}
