// The document pages on paper, printed through the print-job seam into
// enhanced metafiles and read back record by record.
#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "printing/PrintBackground.h"
#include "printing/layouts/PrintedItems.h"
#include "printing/layouts/PrintedPage.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/MetafilePage.h"

using namespace layout_tests;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

class PrintedPages : public DatabaseTest {
protected:
    void SetUp() override { SetCompany(tempDb); }
    void TearDown() override { printBackgroundChoice = PrintBackgroundNone; }

    // Prints the document through `print` into a metafile of width x height.
    EmfPage Print(bool (*print)(FacturaPrintJob&), unsigned long long id, int type, int layout, int width, int height)
    {
        MetafileSink sink(width, height);
        FacturaPrintJob job(id, type, layout, nullptr);
        EXPECT_TRUE(print(job));
        EXPECT_EQ(1u, sink.printed.size());
        EXPECT_TRUE(sink.abandoned.empty());
        return sink.printed.empty() ? EmfPage() : sink.printed[0];
    }
};

void ExpectAt(const EmfPage& page, const std::wstring& text, int x, int y, int fontHeight)
{
    const EmfText* t = page.Find(text);
    ASSERT_TRUE(t) << "missing text: " << testing_support::Narrow(text);
    EXPECT_EQ(x, t->x) << testing_support::Narrow(text);
    EXPECT_EQ(y, t->y) << testing_support::Narrow(text);
    EXPECT_EQ(fontHeight, t->fontHeight) << testing_support::Narrow(text);
}

} // namespace

TEST_F(PrintedPages, Layout1AtBothResolutionsWithPicturesWithoutVatAndTitledByType)
{
    SetCompanyImages(tempDb);
    printBackgroundChoice = PrintBackgroundCompany;
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(3));
    for (const auto& size : {std::make_pair(4960, 7016), std::make_pair(2479, 3508)}) {
        Scale s(size.first, size.second);
        EmfPage page = Print(PrintFacturaLayout1, f.documentId, DocumentInvoice, 1, s.W, s.H);
        ASSERT_EQ(1u, page.penWidths.size());
        EXPECT_EQ(s.Y(0.5f), page.penWidths[0]);
        int inset = s.Y(10);
        EXPECT_TRUE(page.HasFrame(inset, inset, s.W - inset, s.H - inset));
        EXPECT_TRUE(page.HasLine(inset, s.Y(150), s.W - inset, s.Y(150)));
        EXPECT_TRUE(page.HasLine(s.X(358), s.Y(150), s.X(358), s.Y(545)));
        EXPECT_TRUE(page.HasFrame(s.X(150), s.Y(95), static_cast<int>(s.W - s.sx * 150), s.Y(145)));

        ExpectAt(page, L"FACTURA", static_cast<int>(s.W * 0.5f - s.sx * 35), s.Y(70), s.Y(17));
        EXPECT_EQ(L"Arial Rounded MT Bold", page.Find(L"FACTURA")->face);
        ExpectAt(page, L"Serie : FCT Numar : 7", s.X(160), s.Y(105), s.Y(9));
        ExpectAt(page, L"VANZATOR: Firma Test SRL", s.X(20), s.Y(15), s.Y(7));
        // Rows from 190, 10 units apart (each step truncated to whole pixels).
        ExpectAt(page, L"Produs 1", s.X(40), s.Y(190), s.Y(8));
        ExpectAt(page, L"Produs 2", s.X(40), static_cast<int>(s.Y(190) + 10 * s.sy), s.Y(8));
        const EmfText* rate = page.Find(L"24%");   // centred on its column
        ASSERT_TRUE(rate);
        EXPECT_TRUE(rate->centred && rate->x == s.X(407));
        // Fonts 17, 9, 7 and 8, one a little smaller for the issue date (and
        // at 300 dpi one for the due date), which printed would come too near
        // the title box's side, and the pen, each deleted with the page.
        EXPECT_EQ(s.W == 2479 ? 6 : 5, page.fontsCreated);
        EXPECT_EQ(page.objectsCreated, page.objectsDeleted);

        // Background twice (opaque, then keyed), logo, stamp keyed on its corner
        // pixel. The opaque copy asks for more than the picture holds; only the
        // picture is copied, or the rest of the table would print black.
        int w = static_cast<int>(s.W - s.sx * 20), h = static_cast<int>(s.H - s.sy * 255);
        const EmfPicture expected[] = {{false, s.Y(10), s.Y(150), w, h},
                                       {true, s.X(10), s.Y(150), w, h},
                                       {false, s.X(150), s.Y(11), static_cast<int>(s.W - s.sx * 150 - s.sx * 150), s.Y(50)},
                                       {true, s.X(11), s.Y(530), s.X(58), s.Y(58)}};
        ASSERT_EQ(4u, page.pictures.size());
        for (int i = 0; i < 4; ++i) {
            const EmfPicture &e = expected[i], &p = page.pictures[i];
            EXPECT_EQ(std::vector<int>({e.x, e.y, e.w, e.h}), std::vector<int>({p.x, p.y, p.w, p.h})) << i;
        }
    }

    // A company without VAT prints no VAT columns; a delivery note is titled AVIZ.
    SetCompany(tempDb, 3, 1);
    InvoiceFixture note = AddDocument(tempDb, DocumentDeliveryNote, 5, ShortNames(1));
    Scale s(2479, 3508);
    EmfPage page = Print(PrintFacturaLayout1, note.documentId, DocumentDeliveryNote, 1, s.W, s.H);
    ExpectAt(page, L"AVIZ", s.X(203), s.Y(75), s.Y(14));
    EXPECT_TRUE(page.HasFrame(s.X(150), s.Y(109), static_cast<int>(s.W - s.sx * 150), s.Y(145)));
    EXPECT_EQ(s.Y(112), page.Find(L"Serie : FCT Numar : 5")->y);
    EXPECT_FALSE(page.HasLine(s.X(358), s.Y(150), s.X(358), s.Y(545)));
    EXPECT_TRUE(page.Find(L" -  lei  -"));
    EXPECT_EQ(1, page.Count(L"Valoarea"));
    // The total and the line's value, both with two decimals.
    std::vector<EmfText> values = page.StartingWith(L"22.00");
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ(s.X(368), values[1].x);
    EXPECT_EQ(nullptr, page.Find(L"24%"));
    ExpectAt(page, L"TVA la incasare", s.X(40), s.Y(490), s.Y(7));
}

TEST_F(PrintedPages, LinesBeyondTheTableAreOnlyPrintedLeftOutAfterAsking)
{
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(24));
    for (int answer : {IDCANCEL, IDOK}) {
        MessageBoxRecorder boxes;
        boxes.Answer(answer);
        MetafileSink sink(2479, 3508);
        FacturaPrintJob job(f.documentId, DocumentInvoice, 1, nullptr);
        EXPECT_EQ(answer == IDOK, PrintFacturaLayout1(job));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(0u, boxes.Last().text.find(L"1 linii"));
        ASSERT_EQ(answer == IDOK ? 1u : 0u, sink.printed.size());   // Cancel: no print dialog, no job
        EXPECT_EQ(answer == IDOK ? 1 : 0, sink.opened);
        if (answer == IDOK)
            EXPECT_TRUE(sink.printed[0].Find(L"Produs 23") && !sink.printed[0].Find(L"Produs 24"));
    }
}

TEST_F(PrintedPages, DatabaseErrorWhileReadingRowsPrintsNothing)
{
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(2));
    FacturaPrintJob job(f.documentId, DocumentInvoice, 1, nullptr);
    tempDb.Exec(L"drop table ArticoleFacturi");
    tempDb.Exec(L"drop table ArticoleNiruri");
    MessageBoxRecorder boxes;
    MetafileSink sink(2479, 3508);
    EXPECT_FALSE(PrintFacturaLayout1(job));
    EXPECT_FALSE(PrintFacturaChitantaLayout2(job));
    EXPECT_FALSE(PrintFacturaLayout3(job));
    EXPECT_FALSE(PrintNir(job));
    ASSERT_EQ(4u, boxes.Count());
    for (const auto& box : boxes.Boxes())
        EXPECT_NE(std::wstring::npos, box.text.find(L"no such table")) << testing_support::Narrow(box.text);
    EXPECT_EQ(0, sink.opened);
}

TEST_F(PrintedPages, DiscountLinesShowTheirPercentageAndAnUnknownVatCodeAddsNoVat)
{
    // To two decimals of the net before the discount (the net after it plus
    // the discount rounded to bani), and 0 on a zero denominator.
    const struct {
        double price, net;
        const wchar_t* text;
    } cases[] = {{10, 90, L"10"},   {12.5, 87.5, L"12,5"}, {12.6, 87.4, L"12,6"}, {-10, 110, L"-10"},
                 {0, 0, L"0"},      {9.9375, 122.56, L"7,5"}, {44.439, 399.95, L"10"}, {0.0125, 0.24, L"5"},
                 {33.33, 299.97, L"10"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.text), PercentText(DiscountPercent(c.price, c.net)).c_str()) << c.price << " of " << c.net;

    // An unknown VAT code adds no VAT.
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(1));
    unsigned long long odd = tempDb.AddProduct(L"Cod necunoscut", 10.0, 7, L"Buc");
    printing_tests::AddLine(tempDb, L"ArticoleFacturi", f.documentId, odd, 2, 10);
    std::vector<PrintedItem> items = ReadPrintedItems(f.documentId, DocumentInvoice, NetValueFrom::InvoiceTable);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(std::wstring(L"0.00 0%"), std::wstring(items[1].texts.valoareTVA.c_str()) + L" " + items[1].texts.cotaTVA.c_str());
}

TEST_F(PrintedPages, Layout3PrintsFiveLinesInEachCopy)
{
    SetCompany(tempDb, 0, 1);
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, ShortNames(6));
    MessageBoxRecorder boxes;
    Scale s(4960, 7016, 602);
    EmfPage page = Print(PrintFacturaLayout3, f.documentId, DocumentInvoice, 3, s.W, s.H);
    EXPECT_EQ(1u, boxes.Count());
    int inset = s.Y(10), bottom = static_cast<int>(s.H / 2.0f - inset / 2);
    int shift = static_cast<int>(s.H / 2.0f) - inset;
    std::vector<EmfText> fifth = page.StartingWith(L"Produs 5");
    ASSERT_EQ(2u, fifth.size());
    int y = s.Y(152);
    for (int row = 1; row < 5; ++row)   // each step truncated to whole pixels
        y = static_cast<int>(y + 10 * s.sy);
    EXPECT_EQ(y, fifth[0].y);
    EXPECT_EQ(y + bottom, fifth[1].y);
    EXPECT_EQ(nullptr, page.Find(L"Produs 6"));
    EXPECT_EQ(s.Y(7), fifth[0].fontHeight);

    EXPECT_TRUE(page.HasFrame(inset, inset, s.W - inset, bottom));
    EXPECT_TRUE(page.HasFrame(inset, bottom + inset, s.W - inset, s.H - inset));
    EXPECT_TRUE(page.HasLine(inset, static_cast<int>(126 * s.sy + shift), s.W - inset, static_cast<int>(126 * s.sy + shift)));
    EXPECT_EQ(static_cast<int>(64 * s.sy + shift), page.StartingWith(L"FACTURA")[1].y);
    EXPECT_EQ(2, page.Count(L"TVA la incasare"));
    EXPECT_EQ(s.Y(408), page.StartingWith(L"TVA la incasare")[1].y);
}

TEST_F(PrintedPages, GoodsReceivedNoteGoesOnToFurtherSheets)
{
    InvoiceFixture f = AddDocument(tempDb, DocumentGoodsReceived, 12, ShortNames(40));
    Scale s(2479, 3508);
    EmfPage page = Print(PrintNir, f.documentId, DocumentGoodsReceived, 1, s.W, s.H);
    // The sheets in printing order: 31 rows on the first, the title once, the
    // table head on each, the committee and totals on the last.
    ExpectAt(page, L"NOTA DE RECEPTIE SI CONSTATARE DIFERENTE", s.X(100), s.Y(60), s.Y(12));
    EXPECT_EQ(2, page.Count(L"Receprionat"));
    EXPECT_EQ(1, page.Count(L"COMISIA DE RECEPTIE:"));
    EXPECT_LT(page.Find(L"Produs 31")->y, s.Y(500));
    ExpectAt(page, L"Produs 32", s.X(40), s.Y(190), s.Y(7));
    ExpectAt(page, L"COMISIA DE RECEPTIE:", s.X(15), s.Y(512), s.Y(10));
    // Amounts stand left of their column's x by one unit per character.
    std::wstring total = FacturaDate(f.documentId, DocumentGoodsReceived).valoareFT.c_str();
    ExpectAt(page, total, s.X(397.0f - total.size()), s.Y(501), s.Y(7));
    ExpectAt(page, L"84.00", s.X(397 - 5), s.Y(190), s.Y(7));
}

// An ampersand in a wrapped name is printed as itself, not taken as the mark
// of an underlined letter: the buyer on layout 1, the products on layout 3.
TEST_F(PrintedPages, AmpersandsInNamesArePrintedAsTyped)
{
    SetCompany(tempDb, 0, 1);
    InvoiceFixture f = AddDocument(tempDb, DocumentInvoice, 7, {L"Lac & Vopsea", L"Scule && Co"});
    tempDb.Exec(L"update Clienti set Nume = 'Popescu & Fiii SRL'");
    Scale s(2479, 3508);
    EmfPage one = Print(PrintFacturaLayout1, f.documentId, DocumentInvoice, 1, s.W, s.H);
    EXPECT_TRUE(one.Find(L"CUMPARATOR :Popescu & Fiii SRL"));
    MessageBoxRecorder boxes;
    EmfPage three = Print(PrintFacturaLayout3, f.documentId, DocumentInvoice, 3, s.W, s.H);
    EXPECT_EQ(2u, three.StartingWith(L"Lac & Vopsea").size());
    EXPECT_EQ(2u, three.StartingWith(L"Scule && Co").size());
}
