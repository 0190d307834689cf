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
