// What the printed pages and their PDFs make of stored figures: a line's own
// VAT rate, and the sheets of a goods-received note.
#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/pdf/PdfExports.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/ScreenText.h"

using namespace layout_tests;

namespace {

class PagedFigures : public testing_support::DatabaseTest {
protected:
    void SetUp() override { SetCompany(tempDb); }

    // The document printed (the whole job, and its pages where the job
    // marks them), then its PDF's page count and first page.
    void PrintAndExport(unsigned long long id, int type, EmfPage& job, std::vector<EmfPage>& pages,
                        pdftest::PdfPage& pdf, const wchar_t* name)
    {
        MetafileSink sink(2479, 3508);
        FacturaPrintJob document(id, type, 1, nullptr);
        bool nir = type == DocumentGoodsReceived;
        EXPECT_TRUE(nir ? PrintNir(document) : PrintFacturaLayout1(document));
        ASSERT_EQ(1u, sink.printed.size());
        job = sink.printed[0];
        pages = sink.printedPages[0];
        std::wstring path = pdftest::OutputPath(name);
        EXPECT_TRUE(nir ? WriteNirPdf(document, path.c_str()) : WriteFacturaPdfLayout1(document, path.c_str()));
        pdftest::LoadChecked(path, pdf);
    }
};

// Issued at 9 %, a line of a product the catalogue has put at 24 % since
// prints 9 % and 1.98 of VAT on 22.00, on paper and in the PDF.
TEST_F(PagedFigures, LinesPrintTheRateTheyWereIssuedAtNotTheProductsCurrentOne)
{
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(1));
    tempDb.Exec(L"update ArticoleFacturi set TVA = 1");
    tempDb.Exec(L"update Facturi set valoareTVA = 1.98, valoareTTI = 23.98");
    pdftest::PdfPage pdf;
    EmfPage paper;
    std::vector<EmfPage> pages;
    PrintAndExport(f.documentId, DocumentInvoice, paper, pages, pdf, L"kept-rate.pdf");
    for (const wchar_t* text : {L"9%", L"1.98"}) {
        EXPECT_TRUE(paper.Find(text)) << testing_support::Narrow(text);
        EXPECT_TRUE(pdf.Find(text)) << testing_support::Narrow(text) << pdf.Describe();
    }
    for (const wchar_t* text : {L"24%", L"5.28"}) {
        EXPECT_FALSE(paper.Find(text)) << testing_support::Narrow(text);
        EXPECT_FALSE(pdf.Find(text)) << testing_support::Narrow(text) << pdf.Describe();
    }
}

// 31 rows fill one sheet exactly; the 32nd starts a second. No sheet or PDF
// page is left blank, and the totals close the last one.
TEST_F(PagedFigures, GoodsReceivedNoteOf31RowsIsOneSheetAnd32AreTwo)
{
    for (int rows : {31, 32}) {
        InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, rows, ShortNames(rows));
        pdftest::PdfPage pdf;
        EmfPage job;
        std::vector<EmfPage> sheets;
        PrintAndExport(f.documentId, DocumentGoodsReceived, job, sheets, pdf, rows == 31 ? L"nir-31.pdf" : L"nir-32.pdf");
        size_t expected = rows == 31 ? 1 : 2;
        ASSERT_EQ(expected, sheets.size()) << rows;
        EXPECT_EQ(static_cast<int>(expected), pdf.pageCount) << rows;
        for (size_t sheet = 0; sheet < sheets.size(); ++sheet) {
            EXPECT_EQ(1, sheets[sheet].Count(L"Receprionat")) << rows << " rows, sheet " << sheet;
            EXPECT_FALSE(sheets[sheet].StartingWith(L"Produs ").empty()) << rows << " rows, sheet " << sheet;
        }
        EXPECT_EQ(1, sheets.back().Count(L"COMISIA DE RECEPTIE:")) << rows;
        EXPECT_TRUE(sheets.back().Find(L"Produs " + std::to_wstring(rows))) << rows;
    }
}

// 1.234 and 2 read 1.234 and 2.00 in the quantity column of every screen
// page: the three invoice layouts (layout 3 in both copies) and the note's.
TEST_F(PagedFigures, ScreenPagesShowAQuantitysThirdDecimal)
{
    InvoiceFixture invoice = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(2));
    InvoiceFixture note = AddDocument(tempDb, DocumentGoodsReceived, 8, ShortNames(2));
    tempDb.Exec(L"update ArticoleFacturi set cantitate = 1.234 where id = 1");
    tempDb.Exec(L"update ArticoleNiruri set cantitate = 1.234 where id = 1");
    FacturaDate invoiceRecord(invoice.documentId, DocumentInvoice), noteRecord(note.documentId, DocumentGoodsReceived);
    const struct {
        void (*draw)(const ScreenPage&, const FacturaDate&);
        const FacturaDate& record;
        ScreenFont font;
        float left, right, top;
    } pages[] = {
        {DrawFacturaLayout1, invoiceRecord, ScreenFont::F7_7, 240, 270, 187},
        {DrawFacturaLayout2, invoiceRecord, ScreenFont::F7_7, 240, 270, 187},
        {DrawFacturaLayout3, invoiceRecord, ScreenFont::F6, 240, 270, 152},
        {DrawFacturaLayout3, invoiceRecord, ScreenFont::F6, 240, 270, 451},
        {DrawNirPage, noteRecord, ScreenFont::F7_7, 285, 320, 187},
    };
    for (const auto& p : pages) {
        for (int row = 0; row < 2; ++row) {
            float top = p.top + 10 * row;
            // Inside the column's rules, 50 units apart, the last at the box's right edge.
            ScreenBox box{p.left, top, p.right, top + 10}, area{p.right - 48, top, p.right - 2, top + 10};
            EXPECT_TRUE(ScreenShows([&](const ScreenPage& page) { p.draw(page, p.record); }, p.font,
                                    row ? L"2.00" : L"1.234", box, area))
                << "page at " << p.left << ", " << top;
        }
    }
}

// A goods-received note's row holds one line: a 300-character name is set
// smaller to stay inside its column (from 30 to 190 units), on paper and in
// the PDF, and the row's quantity keeps its place.
TEST_F(PagedFigures, AGoodsReceivedNotesLongProductNameStaysInsideItsColumn)
{
    std::wstring name = L"Lemn";
    while (name.size() < 300)
        name += L" Lemn";
    name.resize(300);
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 7, {name, L"Dupa"});
    pdftest::PdfPage pdf;
    EmfPage job;
    std::vector<EmfPage> sheets;
    PrintAndExport(f.documentId, DocumentGoodsReceived, job, sheets, pdf, L"nir-long-name.pdf");
    const EmfText* printed = job.Find(name);
    ASSERT_TRUE(printed);
    Scale s(2479, 3508);
    EXPECT_EQ(s.X(40), printed->x);
    EXPECT_LT(printed->fontHeight, job.Find(L"Dupa")->fontHeight);
    EXPECT_LE(RightEdge(*printed), s.X(190));
    const pdftest::PdfText* whole = pdf.Find(name);
    ASSERT_TRUE(whole) << pdf.Describe();
    EXPECT_NEAR(40 * 1.38, whole->x, 0.02);
    EXPECT_LE(whole->right, 190 * 1.38);
    EXPECT_LT(whole->size, pdf.Find(L"Dupa")->size);
    EXPECT_TRUE(pdf.Find(L"2.00")) << pdf.Describe();
}

} // namespace
