// An amount in words that would run off the sheet: all of it shows, set smaller,
// inside the receipt's frame on paper and in the PDF; a short one keeps the
// row's own size.
#include <gtest/gtest.h>
#include "printing/AmountToWords.h"
#include "printing/receipts/ChitantaPdf.h"
#include "printing/receipts/PrintChitanta.h"
#include "tests/printing/receipts/ReceiptFixtures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PdfPage.h"

using namespace layout_tests;

namespace {

ChitantaTexts ReceiptOf(double amount, const wchar_t* figure)
{
    ChitantaTexts texts = receipt_tests::SampleTexts();
    texts.suma = figure;
    texts.sumaInLitere = AmountToWords(amount);
    return texts;
}

EmfPage Printed(const ChitantaTexts& texts, int width, int height)
{
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawChitantaPage(dc, width, height, 3, texts, micro::utils::QBuffer(), micro::utils::QBuffer());
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    EmfPage page = ReadMetafile(metafile);
    DeleteEnhMetaFile(metafile);
    return page;
}

} // namespace

TEST(ReceiptLongAmount, WordsTooLongForTheLineAreSetSmallerInsideTheFrameOnPaperAndInThePdf)
{
    const std::wstring longWords = AmountToWords(777777.77).c_str();
    for (const SIZE& sheet : {SIZE{2479, 3508}, SIZE{4960, 7016}}) {
        Scale s(sheet.cx, sheet.cy);
        int frameRight = static_cast<int>(sheet.cx - 10 * s.sy);
        EmfPage page = Printed(ReceiptOf(777777.77, L"777777.77"), sheet.cx, sheet.cy);
        const EmfText* amount = page.Find(L"Suma de 777777.77 (" + longWords + L")");
        ASSERT_TRUE(amount) << sheet.cx;
        EXPECT_LT(amount->fontHeight, s.Y(11)) << sheet.cx;
        EXPECT_EQ(700, amount->fontWeight);
        EXPECT_LT(RightEdge(*amount), frameRight) << sheet.cx;
        // The rows after it are printed in their own sizes.
        EXPECT_EQ(s.Y(9), page.Find(L"Reprezentand contravaloare factura FCT 12")->fontHeight);
        EXPECT_EQ(s.Y(9), page.Find(L"Stampila si semnatura")->fontHeight);
        EXPECT_EQ(page.objectsCreated, page.objectsDeleted);

        EmfPage shortOne = Printed(ReceiptOf(12, L"12.00"), sheet.cx, sheet.cy);
        const std::wstring shortAmount = L"Suma de 12.00 (" + std::wstring(AmountToWords(12).c_str()) + L")";
        ASSERT_TRUE(shortOne.Find(shortAmount));
        EXPECT_EQ(s.Y(11), shortOne.Find(shortAmount)->fontHeight);
    }

    for (int model : {1, 2}) {
        std::wstring path = pdftest::OutputPath(L"receipt-long-amount-" + std::to_wstring(model) + L".pdf");
        ASSERT_TRUE(SaveChitantaPdf(path.c_str(), model, ReceiptOf(777777.77, L"777777.77")));
        pdftest::PdfPage page;
        pdftest::LoadChecked(path, page);
        std::vector<const pdftest::PdfText*> amounts = page.FindAll(L"Suma de 777777.77 (" + longWords + L")");
        ASSERT_EQ(model == 1 ? 2u : 3u, amounts.size()) << page.Describe();
        for (const pdftest::PdfText* amount : amounts) {
            EXPECT_LT(amount->size, 14) << model;
            EXPECT_LT(amount->right, 595 - 20.7 + 0.5) << model;
        }
    }
}
