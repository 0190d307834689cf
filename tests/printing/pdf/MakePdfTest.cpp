#include <gtest/gtest.h>
#include "framework/files/QFiles.h"
#include "printing/pdf/MakePDF.h"
#include "printing/pdf/PdfFile.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PdfPage.h"

using namespace pdftest;

TEST(MakePdf, DrawsInTopLeftPointsOnAnA4PageAndRomanianLettersInCodePage1250UnderAPathWithDiacritics)
{
    micropdf::MakePDF pdf;
    pdf.AddPage();
    pdf.SetLineWidth(1);
    pdf.SetFont("Helvetica");
    pdf.TextOut(L"Sus", 40, 100);
    pdf.Rectangle(10, 20, 110, 70);
    pdf.Rectangle(10, 20.6f, 110, 70);
    pdf.MoveTo(0, 0);
    pdf.LineTo(595, 0);
    pdf.SetFontSize(14);
    pdf.TextOut(L"\x0218tefan \x021A\x0103ran SRL, Ia\x0219i", 40, 130);
    pdf.TextOut(L"\x00EEn c\x00E2mp, \x0163" L"ar\x0103 \x015Fi \x0162" L"ARA", 40, 160);
    pdf.TextOut(L"ASCII (1) \\ 100%", 40, 190);
    std::wstring path = OutputPath(L"Factur\x0103 \x0218tefan.pdf");
    DeleteFileW(path.c_str());
    ASSERT_EQ(0u, pdf.SaveToFile(Utf8(path).c_str()));
    PdfPage page;
    LoadChecked(path, page);

    EXPECT_EQ(1, page.pageCount);
    EXPECT_EQ(595, page.mediaWidth);
    EXPECT_EQ(842, page.mediaHeight);
    EXPECT_FALSE(page.compressed);
    ExpectTextAt(page, L"Sus", 40, 742, "Helvetica");
    // The flipped top edge is cut to a whole point; the height keeps its fraction.
    EXPECT_TRUE(page.HasRect(10, 822, 100, -50));
    EXPECT_TRUE(page.HasRect(10, 821, 100, -49.4));
    EXPECT_TRUE(page.HasLine(0, 842, 595, 842));
    ASSERT_EQ(1u, page.lines.size());
    EXPECT_EQ(1, page.lines[0].width);
    // The comma-below letters come back as their cedilla forms.
    EXPECT_TRUE(page.Find(L"\x015Etefan \x0162\x0103ran SRL, Ia\x015Fi")) << page.Describe();
    EXPECT_TRUE(page.Find(L"\x00EEn c\x00E2mp, \x0163" L"ar\x0103 \x015Fi \x0162" L"ARA"));
    EXPECT_TRUE(page.Find(L"ASCII (1) \\ 100%"));
}

TEST(MakePdf, RefusesToWriteWhatCannotBeWritten)
{
    // A library error (a line with no path started) spoils the document: no
    // file, and an existing one is left as it was.
    std::wstring spoiled = OutputPath(L"writer-spoiled.pdf");
    ASSERT_TRUE(micro::files::WriteWholeFile(spoiled.c_str(), "old", 3));
    micropdf::MakePDF pdf;
    pdf.AddPage();
    pdf.MoveTo(0, 0);
    pdf.LineTo(595, 0);
    pdf.LineTo(595, 842);
    EXPECT_NE(0u, pdf.SaveToFile(Utf8(spoiled).c_str()));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(spoiled.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(3u, data.nFileSizeLow);

    micropdf::MakePDF fine;
    fine.AddPage();
    EXPECT_NE(0u, fine.SaveToFile("Z:\\no\\such\\folder\\a.pdf"));
    EXPECT_NE(0u, fine.SaveToFile(""));

    // An export over an earlier, longer one replaces it whole.
    testing_support::MessageBoxRecorder boxes;
    for (int pages : {3, 1}) {
        micropdf::MakePDF again;
        for (int n = 0; n < pages; ++n) {
            again.AddPage();
            again.SetFont("Helvetica");
            again.TextOut(pages == 3 ? L"Prima exportare" : L"A doua", 40, 100);
        }
        EXPECT_TRUE(SavePdfFile(again, spoiled.c_str()));
    }
    EXPECT_EQ(0u, boxes.Count());
    PdfPage page;
    LoadChecked(spoiled, page);
    EXPECT_EQ(1, page.pageCount);
    EXPECT_TRUE(page.Find(L"A doua"));
    EXPECT_FALSE(page.Find(L"Prima exportare"));
}

TEST(PdfFile, ExtensionRuleIgnoresCaseAndFolderDots)
{
    const wchar_t* cases[][2] = {{L"C:\\f\\factura", L"C:\\f\\factura.pdf"},
                                 {L"C:\\f\\factura.pdf", L"C:\\f\\factura.pdf"},
                                 {L"C:\\f\\factura.PDF", L"C:\\f\\factura.PDF"},
                                 {L"C:\\f\\factura.txt", L"C:\\f\\factura.txt.pdf"},
                                 {L"C:\\a.b\\factura", L"C:\\a.b\\factura.pdf"},
                                 {L"C:\\f\\factura.pdfx", L"C:\\f\\factura.pdfx.pdf"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c[1]), std::wstring(AppendPdfExtension(c[0])));
}
