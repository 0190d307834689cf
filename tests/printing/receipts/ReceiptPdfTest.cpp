// The receipt as a PDF file, written and read back.
#include <gtest/gtest.h>
#include "printing/receipts/ChitantaPdf.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using namespace pdftest;
using namespace receipt_tests;

// Romanian letters reach the file (the comma-below ones as their cedilla forms).
TEST(ReceiptPdf, ThreeCopiesStandInBandsAt10_286_562WithRomanianLettersAndAFailedWriteIsReported)
{
    ChitantaTexts texts = SampleTexts();
    texts.clientNume = L"\u0218tefan \u021A\u0103ran SRL";
    std::wstring path = OutputPath(L"receipt_model2.pdf");
    DeleteFileW(path.c_str());
    ASSERT_TRUE(SaveChitantaPdf(path.c_str(), 2, texts));
    PdfPage page;
    LoadChecked(path, page);
    EXPECT_EQ(1, page.pageCount);
    ASSERT_EQ(3u, page.rects.size());
    for (double top : {14, 290, 566})
        EXPECT_TRUE(page.HasRect(14, Up(top), 567, -262)) << top;
    EXPECT_EQ(1, page.rects[0].width);

    for (double band : {10, 286, 562}) {
        ExpectTextAt(page, L"Chitanta seria: AB Nr.: 7", 276, Up(1.4 * 40 + band), "Helvetica", 21);
        // Bold rows at 14 points, the rest at 12, as the writer keeps whole sizes.
        ExpectTextAt(page, L"Am incasat de la \u015Etefan \u0162\u0103ran SRL", 20.7, Up(1.4 * 118 + band),
                     "Helvetica-Bold", 14);
    }
    EXPECT_EQ("Helvetica-Bold", page.Find(L"Unitatea Firma Test SRL")->font);
    EXPECT_EQ(14, page.Find(L"Unitatea Firma Test SRL")->size);
    const PdfText* amount = page.FindPrefix(L"Suma de 1456.78 (");
    ASSERT_TRUE(amount) << page.Describe();
    EXPECT_NEAR(Up(1.4 * 167 + 10), amount->y, 0.01);
    // With its words it would run across the frame: set a little smaller to end inside it.
    EXPECT_GT(amount->size, 13);
    EXPECT_LE(amount->size, 14);
    EXPECT_LE(amount->right, 581);
    EXPECT_EQ(12, page.Find(L"Nr.ord.Reg.Com/an: J40/1/2000")->size);

    testing_support::MessageBoxRecorder boxes;
    std::wstring missing = OutputPath(L"no-such-folder\\receipt.pdf");
    EXPECT_FALSE(SaveChitantaPdf(missing.c_str(), 1, SampleTexts()));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Error saving pdf file!", boxes.Last().text);
    EXPECT_FALSE(Exists(missing));
}
