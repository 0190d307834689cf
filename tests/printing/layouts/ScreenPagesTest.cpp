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

TEST_F(ScreenPages, Layout3DrawsTwoCopiesOfFiveLines)
{
    SetCompany(tempDb, 0, 1);
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(6));
    FacturaDate doc(f.documentId, DocumentInvoice);
    WithImages();
    std::vector<DrawCall> calls = Draw(DrawFacturaLayout3, doc, L"layout3_invoice");

    EXPECT_EQ(2, CountText(calls, L"Produs 5"));
    EXPECT_EQ(0, CountText(calls, L"Produs 6"));
    std::vector<float> tops;
    for (const DrawCall& c : calls)
        if (c.kind == DrawCall::Text && c.text == L"Produs 5")
            tops.push_back(c.rect.top);
    ASSERT_EQ(2u, tops.size());
    EXPECT_FLOAT_EQ(192, tops[0]);
    EXPECT_FLOAT_EQ(491, tops[1]);
    EXPECT_EQ(2, CountText(calls, L"FACTURA"));
    EXPECT_EQ(2, CountText(calls, L"TVA la incasare"));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Frame, 10, 309.5f, 426, 599));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 10, 419.5f, 426, 419.5f));
    // The lower copy words a few labels its own way.
    EXPECT_FLOAT_EQ(22, TopOf(calls, L"Nr.ord.Reg.Com/an : J40/1/2020"));
    EXPECT_FLOAT_EQ(321.5f, TopOf(calls, L"Nr.ord.Reg.Com/an :J40/1/2020"));
    EXPECT_FLOAT_EQ(329.5f, TopOf(calls, std::wstring(L"NrOrd.Reg.Com :") + doc.clientNrReg.c_str()));
    EXPECT_EQ(6u, CallsOf(calls, DrawCall::Bitmap).size());  // backgrounds, logos, stamps
}

TEST_F(ScreenPages, GoodsReceivedNoteHasItsTableAndCommittee)
{
    SetCompany(tempDb, 3);
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 12, ShortNames(2));
    FacturaDate doc(f.documentId, DocumentGoodsReceived);
    std::vector<DrawCall> calls = Draw(DrawNirPage, doc, L"nir");

    const DrawCall* title = FindText(calls, L"NOTA DE RECEPTIE SI CONSTATARE DIFERENTE");
    ASSERT_TRUE(title);
    EXPECT_FLOAT_EQ(12, title->fontSize);
    EXPECT_FLOAT_EQ(82, TopOf(calls, L"Nr.Nir: 12"));
    EXPECT_FLOAT_EQ(102, TopOf(calls, L"Nr.Factura: FCT"));
    EXPECT_FLOAT_EQ(10, FindText(calls, L"COMISIA DE RECEPTIE: ")->fontSize);
    EXPECT_FLOAT_EQ(130, TopOf(calls, std::wstring(L"Client Unu SRL cu adresa in ") + doc.clientAdresa.c_str()));
    // Without VAT only the rule at 370 goes; the value column stays.
    EXPECT_FALSE(HasStroke(calls, DrawCall::Line, 370, 163, 370, 500));
    EXPECT_TRUE(HasStroke(calls, DrawCall::Line, 320, 163, 320, 500));
    EXPECT_FLOAT_EQ(385, FindText(calls, L"24.00")->rect.left);
    EXPECT_FLOAT_EQ(285, FindText(calls, L"2.00")->rect.left);
    EXPECT_FLOAT_EQ(197, TopOf(calls, L"Produs 2"));
}
