#include <gtest/gtest.h>
#include "printing/pdf/MakePDF.h"
#include "printing/pdf/PdfFile.h"
#include "tests/printing/support/PdfExpect.h"

using namespace pdftest;

namespace {

void SaveAndRead(micropdf::MakePDF& pdf, const std::wstring& name, PdfPage& page)
{
    std::wstring path = OutputPath(name);
    ASSERT_EQ(0u, pdf.SaveToFile(Utf8(path).c_str()));
    LoadChecked(path, page);
}

} // namespace

TEST(MakePdf, DrawsInTopLeftPointsOnAnA4Page)
{
    micropdf::MakePDF pdf;
    pdf.AddPage();
    EXPECT_EQ(595, pdf.GetPageWidth());
    EXPECT_EQ(842, pdf.GetPageHeight());
    pdf.SetLineWidth(1);
    pdf.SetFont("Helvetica");
    pdf.TextOut(L"Sus", 40, 100);
    pdf.Rectangle(10, 20, 110, 70);
    pdf.Rectangle(10, 20.6f, 110, 70);
    pdf.MoveTo(0, 0);
    pdf.LineTo(595, 0);
    PdfPage page;
    SaveAndRead(pdf, L"writer-geometry.pdf", page);

    EXPECT_EQ(1, page.pageCount);
    EXPECT_EQ(595, page.mediaWidth);
    EXPECT_EQ(842, page.mediaHeight);
    EXPECT_FALSE(page.compressed);
    const PdfText* text = page.Find(L"Sus");
    ASSERT_TRUE(text) << page.Describe();
    EXPECT_NEAR(40, text->x, 0.01);
    EXPECT_NEAR(742, text->y, 0.01);
    // The flipped top edge is cut to a whole point; the height keeps its fraction.
    EXPECT_TRUE(page.HasRect(10, 822, 100, -50));
    EXPECT_TRUE(page.HasRect(10, 821, 100, -49.4));
    EXPECT_TRUE(page.HasLine(0, 842, 595, 842));
    ASSERT_EQ(1u, page.lines.size());
    EXPECT_EQ(1, page.lines[0].width);
}

TEST(MakePdf, RomanianLettersAreWrittenInCodePage1250)
{
    micropdf::MakePDF pdf;
    pdf.AddPage();
    pdf.SetFont("Helvetica");
    pdf.SetFontSize(14);
    pdf.TextOut(L"\x0218tefan \x021A\x0103ran SRL, Ia\x0219i", 40, 100);
    pdf.TextOut(L"\x00EEn c\x00E2mp, \x0163" L"ar\x0103 \x015Fi \x0162" L"ARA", 40, 130);
    pdf.TextOut(L"ASCII (1) \\ 100%", 40, 160);
    PdfPage page;
    SaveAndRead(pdf, L"writer-diacritics.pdf", page);

    // The comma-below letters come back as their cedilla forms.
    EXPECT_TRUE(page.Find(L"\x015Etefan \x0162\x0103ran SRL, Ia\x015Fi")) << page.Describe();
    EXPECT_TRUE(page.Find(L"\x00EEn c\x00E2mp, \x0163" L"ar\x0103 \x015Fi \x0162" L"ARA"));
    EXPECT_TRUE(page.Find(L"ASCII (1) \\ 100%"));
}

TEST(MakePdf, SavesUnderAPathWithDiacritics)
{
    micropdf::MakePDF pdf;
    pdf.AddPage();
    pdf.SetFont("Helvetica");
    pdf.TextOut(L"x", 10, 10);
    std::wstring path = OutputPath(L"Factur\x0103 \x0218tefan.pdf");
    DeleteFileW(path.c_str());
    EXPECT_EQ(0u, pdf.SaveToFile(Utf8(path).c_str()));
    PdfPage page;
    LoadChecked(path, page);
    EXPECT_TRUE(page.Find(L"x"));
}

TEST(MakePdf, RefusesToWriteWhatCannotBeWritten)
{
    // A library error (a line with no path started) spoils the document: no
    // file, and an existing one is left as it was.
    std::wstring spoiled = OutputPath(L"writer-spoiled.pdf");
    {
        HANDLE f = CreateFileW(spoiled.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(f, "old", 3, &written, nullptr);
        CloseHandle(f);
    }
    micropdf::MakePDF pdf;
    pdf.AddPage();
    pdf.MoveTo(0, 0);
    pdf.LineTo(595, 0);
    pdf.LineTo(595, 842);
    EXPECT_NE(0u, pdf.SaveToFile(Utf8(spoiled).c_str()));
    PdfPage page;
    EXPECT_FALSE(page.Load(spoiled));
    EXPECT_EQ(3u, [&] { WIN32_FILE_ATTRIBUTE_DATA d; GetFileAttributesExW(spoiled.c_str(), GetFileExInfoStandard, &d); return d.nFileSizeLow; }());

    // A folder that does not exist.
    micropdf::MakePDF fine;
    fine.AddPage();
    EXPECT_NE(0u, fine.SaveToFile("Z:\\no\\such\\folder\\a.pdf"));
    EXPECT_NE(0u, fine.SaveToFile(""));
}

TEST(PdfFile, ExtensionRuleIgnoresCaseAndFolderDots)
{
    EXPECT_EQ(L"C:\\f\\factura.pdf", std::wstring(AppendPdfExtension(L"C:\\f\\factura")));
    EXPECT_EQ(L"C:\\f\\factura.pdf", std::wstring(AppendPdfExtension(L"C:\\f\\factura.pdf")));
    EXPECT_EQ(L"C:\\f\\factura.PDF", std::wstring(AppendPdfExtension(L"C:\\f\\factura.PDF")));
    EXPECT_EQ(L"C:\\f\\factura.Pdf", std::wstring(AppendPdfExtension(L"C:\\f\\factura.Pdf")));
    EXPECT_EQ(L"C:\\f\\factura.txt.pdf", std::wstring(AppendPdfExtension(L"C:\\f\\factura.txt")));
    EXPECT_EQ(L"C:\\a.b\\factura.pdf", std::wstring(AppendPdfExtension(L"C:\\a.b\\factura")));
    EXPECT_EQ(L"C:\\f\\factura.pdfx.pdf", std::wstring(AppendPdfExtension(L"C:\\f\\factura.pdfx")));
}
