// The receipt as a PDF file, written and read back object by object.
#include <gtest/gtest.h>
#include "printing/receipts/ChitantaPdf.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/HostTools.h"
#include "tests/printing/support/PdfReader.h"
#include "tests/printing/support/PdfExpect.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using namespace pdftest;
using namespace receipt_tests;

namespace {

const wchar_t kTitle[] = L"Chitanta seria: AB Nr.: 7";

void Write(int model, const std::wstring& name, PdfPage& page, const ChitantaTexts& texts = SampleTexts())
{
    std::wstring path = OutputPath(name);
    DeleteFileW(path.c_str());
    ASSERT_TRUE(SaveChitantaPdf(path.c_str(), model, texts));
    ASSERT_TRUE(page.Load(path)) << page.error();
    EXPECT_EQ(1, page.pageCount);
}

// y of a top-down position as the file stores it.
double FileY(double top) { return 842 - top; }

} // namespace

TEST(ReceiptPdf, ThreeCopiesStandInBandsAt10_286_562)
{
    PdfPage page;
    Write(2, L"receipt_model2.pdf", page);
    ASSERT_EQ(3u, page.rects.size());
    EXPECT_TRUE(page.HasRect(14, FileY(14), 567, -262));
    EXPECT_TRUE(page.HasRect(14, FileY(290), 567, -262));
    EXPECT_TRUE(page.HasRect(14, FileY(566), 567, -262));
    EXPECT_EQ(1, page.rects[0].width);

    std::vector<const PdfText*> titles = page.FindAll(kTitle);
    ASSERT_EQ(3u, titles.size()) << page.Describe();
    const double bands[] = {10, 286, 562};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(276, titles[i]->x, 0.01);
        EXPECT_NEAR(FileY(1.4 * 40 + bands[i]), titles[i]->y, 0.01);
        EXPECT_EQ(21, titles[i]->size);
        EXPECT_EQ("Helvetica", titles[i]->font);
    }
    // Bold rows at 14 points, the rest at 12, as the writer keeps whole sizes.
    const PdfText* company = page.Find(L"Unitatea Firma Test SRL");
    ASSERT_TRUE(company);
    EXPECT_EQ("Helvetica-Bold", company->font);
    EXPECT_EQ(14, company->size);
    const PdfText* payer = page.Find(L"Am incasat de la Client Test SRL");
    ASSERT_TRUE(payer);
    EXPECT_NEAR(FileY(1.4f * 118 + 10), payer->y, 0.01);
    EXPECT_EQ(14, payer->size);
    const PdfText* register_ = page.Find(L"Nr.ord.Reg.Com/an: J40/1/2000");
    ASSERT_TRUE(register_);
    EXPECT_EQ("Helvetica", register_->font);
    EXPECT_EQ(12, register_->size);
    const PdfText* amount = page.FindPrefix(L"Suma de 1456.78 (");
    ASSERT_TRUE(amount);
    EXPECT_NEAR(FileY(1.4f * 167 + 10), amount->y, 0.01);
    EXPECT_EQ(14, amount->size);
    EXPECT_EQ(12, page.Find(L"Stampila si semnatura")->size);
}

TEST(ReceiptPdf, TwoCopiesAndOneCopyInTheUpperHalf)
{
    PdfPage two;
    Write(1, L"receipt_model1.pdf", two);
    ASSERT_EQ(2u, two.rects.size());
    EXPECT_TRUE(two.HasRect(14, FileY(14), 567, -400));
    EXPECT_TRUE(two.HasRect(14, FileY(428), 567, -400));
    std::vector<const PdfText*> titles = two.FindAll(kTitle);
    ASSERT_EQ(2u, titles.size());
    EXPECT_NEAR(297.5 - 1.38f * 70, titles[0]->x, 0.01);
    EXPECT_NEAR(FileY(154), titles[0]->y, 0.01);
    EXPECT_NEAR(FileY(154 + 414), titles[1]->y, 0.01);
    const PdfText* company = two.Find(L"Unitatea Firma Test SRL");
    ASSERT_TRUE(company);
    EXPECT_NEAR(20.7, company->x, 0.01);
    EXPECT_NEAR(FileY(217), company->y, 0.01);
    EXPECT_EQ(12, company->size);
    EXPECT_EQ("Helvetica-Bold", company->font);
    EXPECT_NEAR(427.8, two.Find(L"Stampila si semnatura")->x, 0.01);
    EXPECT_NEAR(FileY(392), two.Find(L"Reprezentand contravaloare factura FCT 12")->y, 0.01);
    EXPECT_TRUE(two.Find(L"data  06-12-2026"));

    PdfPage one;
    Write(3, L"receipt_model3.pdf", one);
    ASSERT_EQ(1u, one.rects.size());
    EXPECT_TRUE(one.HasRect(14, FileY(14), 567, -400));
    for (const PdfText& t : one.texts)
        EXPECT_GT(t.y, FileY(414)) << Utf8(t.text);
}

TEST(ReceiptPdf, RomanianLettersReachTheFileAndAFailedWriteIsReported)
{
    ChitantaTexts texts = SampleTexts();
    texts.clientNume = L"\u0218tefan \u021A\u0103ran SRL";
    PdfPage page;
    Write(3, L"receipt_romanian.pdf", page, texts);
    EXPECT_TRUE(page.Find(L"Am incasat de la \u015Etefan \u0162\u0103ran SRL")) << page.Describe();

    testing_support::MessageBoxRecorder boxes;
    std::wstring missing = OutputPath(L"no-such-folder\\receipt.pdf");
    EXPECT_FALSE(SaveChitantaPdf(missing.c_str(), 1, SampleTexts()));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Error saving pdf file!", boxes.Last().text);
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_FALSE(Exists(missing));
}
