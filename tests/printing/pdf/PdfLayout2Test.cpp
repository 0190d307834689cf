#include <gtest/gtest.h>
#include "printing/pdf/PdfExports.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/pdf/PdfFixtures.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace pdftest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

class PdfLayout2 : public PdfExportTest {
protected:
    void SetUp() override
    {
        PdfExportTest::SetUp();
        tempDb.Exec(L"update ConfigFacturi set numarChit = 41 where id = 1");
        invoiceId = AddDocument(0, 7, {{L"Surub M8", 3, 10}});
    }
    // The receipt counter and how many receipts exist.
    std::wstring Books()
    {
        return tempDb.Text(L"select numarChit || ' ' || (select count(*) from Incasari) from ConfigFacturi");
    }
    // Exports with the question answered `answer` and the save dialog given
    // `file` (cancelled when empty).
    bool Export(int answer, const std::wstring& file = L"")
    {
        FacturaPrintJob job(invoiceId, 0, 2, nullptr);
        boxes.Answer(answer);
        ModalDriver driver;
        driver.When(L"Save as", [file](HWND dialog) {
            if (!file.empty())
                ModalDriver::SetText(dialog, 1152, file);
            ModalDriver::Click(dialog, file.empty() ? IDCANCEL : IDOK);
        });
        bool exported = ExportFacturaChitantaPdfLayout2(job);
        if (exported)
            driver.Verify();
        chitantaId = job.chitantaId;
        return exported;
    }
    MessageBoxRecorder boxes;
    unsigned long long invoiceId = 0, chitantaId = 0;
};

TEST_F(PdfLayout2, PagePlacesInvoiceAboveItsReceipt)
{
    layout_tests::SetCompany(tempDb, 0, 1);
    PdfPage page;
    ASSERT_TRUE(WriteLayout(2, invoiceId, 0, L"layout2-invoice.pdf", page));

    EXPECT_TRUE(page.HasRect(13.8, 828, 567.4, -604.2));
    EXPECT_TRUE(page.HasRect(13.8, 210, 567.4, -196.4));
    EXPECT_TRUE(page.HasLine(13.8, Up(483), 581.2, Up(483)));
    EXPECT_TRUE(page.HasLine(441.6, Up(210), 441.6, Up(618)));
    EXPECT_TRUE(page.HasLine(494.04, Up(210), 494.04, Up(546)));
    EXPECT_TRUE(page.HasLine(441.6, Up(546), 581.2, Up(546)));

    struct Text {
        const wchar_t* text;
        double x, y;
        const char* font;
        double size;
    } texts[] = {
        // The title block is layout 1's; the footer stands 150 layout units higher than on the full page.
        {L"Total de plata:", 447.12, Up(555.8)},
        {L"TVA la incasare", 55.2, Up(469)},
        {L"Surub M8", 55.2, Up(273), "Helvetica", 9.8},
        // The receipt: no number, since the invoice has none yet (the next
        // one is only proposed when the receipt is made).
        {L"Chitanta seria:  Nr.: ", 338.1, Up(672), "Helvetica-Bold", 14},
        {L"data  14-11-2023", 379.5, Up(693), "Helvetica-Bold", 14},
        {L"Unitatea Firma Test SRL", 20.7, Up(649.6), "Helvetica-Bold", 9},
        {L"Am incasat de la Client Unu SRL", 20.7, Up(728), "Helvetica-Bold", 9},
        {L"Reprezentand contravaloare factura FCT 7", 20.7, Up(819), "Helvetica", 9},
    };
    for (const Text& t : texts)
        ExpectTextAt(page, t.text, t.x, t.y, t.font, t.size);
    const PdfText* amount = page.FindPrefix(L"Suma de 37.20 (");
    ASSERT_TRUE(amount) << page.Describe();
    EXPECT_EQ("Helvetica-Bold", amount->font);
    EXPECT_NEAR(Up(800.8), amount->y, 0.01);
    // Writing the page creates nothing.
    EXPECT_EQ(L"41 0", Books());
}

TEST_F(PdfLayout2, ReceiptIsAskedForCreatedOnceThenTheFileIsChosen)
{
    // A document not stored (or deleted) gets no receipt and no question.
    FacturaPrintJob unsaved(0, 0, 2, nullptr);
    EXPECT_TRUE(CreatePdfInvoiceReceipt(unsaved));
    FacturaPrintJob missing(invoiceId + 100, 0, 2, nullptr);
    EXPECT_TRUE(CreatePdfInvoiceReceipt(missing));
    // Cancel at the question: nothing written.
    EXPECT_FALSE(Export(IDCANCEL));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("[Atentie] Se va crea Chitanta cu numarul 42 continuati ?\n", boxes.Describe());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), boxes.Last().flags);
    EXPECT_EQ(L"41 0", Books());

    // OK at the question, Cancel in the save dialog: the receipt stays.
    EXPECT_TRUE(Export(IDOK));
    EXPECT_EQ(2u, boxes.Count());
    // The counter moved to the receipt's number.
    EXPECT_EQ(L"CNT|42| 7|37.2|1700000000|1|0|0|42|" + std::to_wstring(clientId),
              tempDb.Text(L"select serie || '|' || numar || '|' || facturi || '|' || suma || '|' || data || '|' || "
                          L"status || '|' || tip || '|' || agent || '|' || numarChit || '|' || IDClient from Incasari, "
                          L"ConfigFacturi"));
    EXPECT_EQ(L" treizeci si sapte   lei si  douazeci bani ", tempDb.Text(L"select sumaStr from Incasari"));
    EXPECT_EQ(static_cast<unsigned long long>(tempDb.Scalar(L"select id from Incasari")), chitantaId);

    // The next export finds the receipt, asks nothing and saves where the
    // user types (".pdf" added).
    wchar_t base[MAX_PATH];
    GetFullPathNameW(OutputPath(L"layout2-chosen").c_str(), MAX_PATH, base, nullptr);
    DeleteFileW((std::wstring(base) + L".pdf").c_str());
    EXPECT_TRUE(Export(IDOK, base));
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_EQ(L"42 1", Books());
    PdfPage page;
    LoadChecked(std::wstring(base) + L".pdf", page);
    ExpectTextAt(page, L"Chitanta seria: CNT Nr.: 42", 338.1, Up(672), "Helvetica-Bold", 14);
}

// The receipt row and its counter are one write: either refused, neither stays.
TEST_F(PdfLayout2, ReceiptWritesAreAllOrNothing)
{
    for (const wchar_t* refused : {L"insert on Incasari", L"update on ConfigFacturi"}) {
        boxes.Clear();
        tempDb.Exec((std::wstring(L"create trigger refuse before ") + refused +
                     L" begin select raise(abort, 'refuzat'); end").c_str());
        EXPECT_FALSE(Export(IDOK));
        ASSERT_EQ(2u, boxes.Count());
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"refuzat"));
        EXPECT_EQ(L"41 0", Books());
        tempDb.Exec(L"drop trigger refuse");
    }

    // A series with a quote is stored as typed.
    tempDb.Exec(L"update ConfigFacturi set serie_chit = 'C''NT' where id = 1");
    EXPECT_TRUE(Export(IDOK));
    EXPECT_EQ(L"C'NT", tempDb.Text(L"select serie from Incasari"));
}

// The table holds fourteen lines. Lines that do not fit are asked about before
// the receipt is made: declining leaves none. A save goes to a file beside the
// target, which is replaced only by a whole file: when that file cannot be
// written the earlier one stays.
TEST_F(PdfLayout2, FourteenLinesFitAndNothingIsWrittenBeforeTheRestAreLeftOutOrWhenTheFileFails)
{
    unsigned long long id = AddDocument(0, 8, ShortLines(16));
    FacturaPrintJob job(id, 0, 2, nullptr);
    boxes.Answer(IDCANCEL);
    EXPECT_FALSE(ExportFacturaChitantaPdfLayout2(job));
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"2 linii ale documentului nu incap in pagina")) << boxes.Describe();
    EXPECT_EQ(L"41 0", Books());
    boxes.Answer(IDOK);
    PdfPage page;
    ASSERT_TRUE(WriteLayout(2, id, 0, L"layout2-16-lines.pdf", page));
    ExpectTextAt(page, L"Produs 14", 55.2, Up(273 + 13 * 14));
    EXPECT_FALSE(page.Find(L"Produs 15"));
    wchar_t full[MAX_PATH];
    GetFullPathNameW(OutputPath(L"layout2-kept.pdf").c_str(), MAX_PATH, full, nullptr);
    std::wstring path = full;
    DeleteFileW(path.c_str());
    CreateDirectoryW((path + L".partial").c_str(), nullptr);
    EXPECT_FALSE(WriteFacturaChitantaPdfLayout2(job, path.c_str()));
    RemoveDirectoryW((path + L".partial").c_str());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}
