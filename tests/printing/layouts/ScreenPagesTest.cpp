// The document pages on screen, recorded call by call while they are drawn
// into a bitmap (saved to test-out/ for a person to look at).
#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "printing/layouts/ScreenLayouts.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/LayoutFixtures.h"
#include "tests/printing/support/RecordingTarget.h"

using namespace layout_tests;
using testing_support::DatabaseTest;

namespace {

typedef void (*PageFunction)(const ScreenPage&, const FacturaDate&);

class ScreenPages : public DatabaseTest {
protected:
    // Draws the document's page, keeps the calls and saves the picture.
    std::vector<DrawCall> Draw(PageFunction draw, const FacturaDate& doc, const std::wstring& png = L"")
    {
        EXPECT_TRUE(canvas.Ready());
        canvas.Begin();
        draw(canvas.Page(), doc);
        EXPECT_EQ(S_OK, canvas.End());
        if (!png.empty()) {
            EXPECT_TRUE(canvas.Save(png));
        }
        return canvas.Recorder().calls;
    }
    void WithImages()
    {
        canvas.logo = canvas.MakeBitmap(printing_tests::SolidPng(40, 20, 30, 60, 200));
        canvas.stamp = canvas.MakeBitmap(printing_tests::SolidPng(20, 20, 200, 30, 30));
        canvas.background = canvas.MakeBitmap(printing_tests::SolidPng(30, 30, 235, 235, 200));
    }
    PageCanvas canvas;
};

float TopOf(const std::vector<DrawCall>& calls, const std::wstring& text)
{
    const DrawCall* c = FindText(calls, text);
    return c ? c->rect.top : -1;
}

} // namespace

TEST_F(ScreenPages, Layout1InvoiceHasItsFramesTitleBlocksAndRows)
{
    SetCompany(tempDb);
    std::vector<std::wstring> names = ShortNames(3);
    names.insert(names.begin() + 1, NameOfLength(39, 2));
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, names);
    FacturaDate doc(f.documentId, DocumentInvoice);
    WithImages();
    std::vector<DrawCall> calls = Draw(DrawFacturaLayout1, doc, L"layout1_invoice");

    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(DrawCall::Fill, calls[0].kind);
    EXPECT_FLOAT_EQ(609, calls[0].rect.bottom);
    std::vector<DrawCall> bitmaps = CallsOf(calls, DrawCall::Bitmap);
    ASSERT_EQ(3u, bitmaps.size());
    EXPECT_FLOAT_EQ(170, bitmaps[0].rect.top);   // background first, under everything
    EXPECT_FLOAT_EQ(150, bitmaps[1].rect.left);  // logo
    EXPECT_FLOAT_EQ(530, bitmaps[2].rect.top);   // stamp

    EXPECT_TRUE(HasStroke(calls, DrawCall::Frame, 10, 10, 426, 599));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 360, 150, 360, 545));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 400, 150, 400, 500));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 320, 545, 426, 545));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Frame, 150, 95, 286, 145));
    for (const DrawCall& line : CallsOf(calls, DrawCall::Line))
        EXPECT_FLOAT_EQ(0.5f, line.stroke);

    const DrawCall* title = FindText(calls, L"FACTURA");
    ASSERT_TRUE(title);
    EXPECT_FLOAT_EQ(180, title->rect.left);
    EXPECT_FLOAT_EQ(16, title->fontSize);
    EXPECT_FLOAT_EQ(105, TopOf(calls, L"Serie: FCT Numar: 7"));
    EXPECT_FLOAT_EQ(7.7f, FindText(calls, L"Serie: FCT Numar: 7")->fontSize);
    EXPECT_FLOAT_EQ(15, TopOf(calls, L"VANZATOR: Firma Test SRL"));
    EXPECT_FLOAT_EQ(6, FindText(calls, L"VANZATOR: Firma Test SRL")->fontSize);
    EXPECT_FLOAT_EQ(75, TopOf(calls, L"Telefon: 0268 111"));
    EXPECT_FLOAT_EQ(15, TopOf(calls, L"CUMPARATOR: Client Unu SRL"));
    EXPECT_FLOAT_EQ(300, FindText(calls, L"CUMPARATOR: Client Unu SRL")->rect.left);

    // Rows from 187; the name over 38 characters takes the next band too.
    EXPECT_FLOAT_EQ(187, TopOf(calls, L"Produs 1"));
    EXPECT_FLOAT_EQ(197, TopOf(calls, names[1]));
    EXPECT_FLOAT_EQ(217, TopOf(calls, L"Produs 2"));
    EXPECT_FLOAT_EQ(227, TopOf(calls, L"Produs 3"));
    const DrawCall* tva = FindText(calls, L"24%");
    ASSERT_TRUE(tva);
    EXPECT_FLOAT_EQ(405, tva->rect.left);
    EXPECT_FLOAT_EQ(545, TopOf(calls, L"CNP: .............................. B.I./C.I.: ................."));
    EXPECT_FLOAT_EQ(505, TopOf(calls, L"Total FT:"));
    EXPECT_EQ(nullptr, FindText(calls, L"TVA la incasare"));
}

TEST_F(ScreenPages, Layout2ShowsFifteenLinesAndTheReceipt)
{
    SetCompany(tempDb);
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(16));
    tempDb.Exec(L"update ConfigFacturi set numarChit = 41, serie_chit = 'SRT' where id = 1");
    FacturaDate doc(f.documentId, DocumentInvoice);
    WithImages();
    std::vector<DrawCall> calls = Draw(DrawFacturaLayout2, doc, L"layout2_invoice");

    EXPECT_TRUE(FindText(calls, L"Produs 15"));
    EXPECT_EQ(nullptr, FindText(calls, L"Produs 16"));
    EXPECT_FLOAT_EQ(327, TopOf(calls, L"Produs 15"));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Frame, 10, 10, 426, 449));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Frame, 10, 459, 426, 599));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 360, 150, 360, 395));
    // The invoice's footer stands 150 higher than on the full page.
    EXPECT_FLOAT_EQ(355, TopOf(calls, L"Total FT:"));
    EXPECT_FLOAT_EQ(400, TopOf(calls, L"Total de plata"));
    EXPECT_FLOAT_EQ(395, TopOf(calls, L"CNP: ..............................  B.I/C.I: ................."));
    EXPECT_EQ(nullptr, FindText(calls, L"TVA la incasare"));

    const DrawCall* receipt = FindText(calls, L"Chitanta seria SRT Nr. 42");
    ASSERT_TRUE(receipt);
    EXPECT_FLOAT_EQ(14, receipt->fontSize);
    EXPECT_FLOAT_EQ(245, receipt->rect.left);
    EXPECT_FLOAT_EQ(520, TopOf(calls, L"Am incasat de la: Client Unu SRL"));
    EXPECT_FLOAT_EQ(585, TopOf(calls, L"Reprezentant contravaloare factura 7"));
    std::vector<DrawCall> bitmaps = CallsOf(calls, DrawCall::Bitmap);
    ASSERT_EQ(4u, bitmaps.size());  // background, logo, stamp twice
    EXPECT_FLOAT_EQ(71.5f, bitmaps[0].rect.left);
    EXPECT_FLOAT_EQ(380, bitmaps[2].rect.top);
    EXPECT_FLOAT_EQ(310, bitmaps[3].rect.left);
}
