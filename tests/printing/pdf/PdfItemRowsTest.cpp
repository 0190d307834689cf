// The item rows of the three invoice layouts' PDFs: what a quantity and a
// long product name look like in each.
#include <gtest/gtest.h>
#include <cmath>
#include "tests/printing/pdf/PdfFixtures.h"

using namespace pdftest;

namespace {

class PdfItemRows : public PdfExportTest {};

// The name column runs from its rule at 41.4 to the unit column's at 262.2.
const double kNameLeft = 41.4, kNameRight = 262.2;
// Where the first row's baseline stands, and the row size, in each layout.
struct Layout {
    int number;
    double firstRow, size;
};
const Layout kLayouts[] = {{1, 273, 9.8}, {2, 273, 9.8}, {3, 218, 9.1}};

} // namespace

// 1.234 x 10.13 reads 1.234 and 12.50, 2 x 5 reads 2.00, in every layout;
// a quantity keeps its place and ends inside its column (303.6 - 372.6),
// one of six whole digits set smaller to do so.
TEST_F(PdfItemRows, AQuantityShowsItsThirdDecimalInEveryLayout)
{
    unsigned long long id =
        AddDocument(0, 7, {{L"Vopsea", 1.234, 10.13}, {L"Pensula", 2, 5}, {L"Nisip", 123456.789, 0.01}});
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.number);
        PdfPage page;
        std::wstring file = L"layout" + std::to_wstring(layout.number) + L"-quantity.pdf";
        ASSERT_TRUE(WriteLayout(layout.number, id, 0, file, page));
        ExpectTextAt(page, L"1.234", (245 - 5) * 1.38, Up(layout.firstRow), "Helvetica", layout.size);
        ExpectTextAt(page, L"12.50", (335 - 5) * 1.38, Up(layout.firstRow));
        ExpectTextAt(page, L"2.00", (245 - 4) * 1.38, Up(layout.firstRow + 14));
        for (const wchar_t* text : {L"1.234", L"123456.789"}) {
            const PdfText* quantity = page.Find(text);
            ASSERT_TRUE(quantity) << Utf8(text) << "\n" << page.Describe();
            EXPECT_LT(quantity->right, 372.6) << Utf8(text);
        }
        ExpectTextAt(page, L"123456.789", (245 - 10) * 1.38, Up(layout.firstRow + 28));
        EXPECT_LT(page.Find(L"123456.789")->size, layout.size);
        EXPECT_FALSE(page.Find(L"1.23")) << page.Describe();
    }
}

// A 300-character name (43 words) is broken near its middle: each of its two
// lines is set smaller to stay inside the name column, every word of it there
// and none off the page, in each copy of every layout; the row's other cells
// and the next row keep their places.
TEST_F(PdfItemRows, AProductNameTooLongForItsLinesStaysInsideItsColumnSetSmaller)
{
    std::wstring name;
    std::vector<std::wstring> words;
    for (int i = 1; i <= 43; ++i) {
        words.push_back(L"Lemn" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i));
        name += (name.empty() ? L"" : L" ") + words.back();
    }
    ASSERT_EQ(300u, name.size());
    unsigned long long id = AddDocument(0, 7, {{name, 1.234, 10.13}, {L"Dupa", 2, 5}});
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.number);
        PdfPage page;
        ASSERT_TRUE(WriteLayout(layout.number, id, 0, L"layout" + std::to_wstring(layout.number) + L"-long-name.pdf",
                                page));
        size_t copies = layout.number == 3 ? 2 : 1;
        for (const std::wstring& word : words) {
            std::vector<const PdfText*> found = page.FindAll(word);
            ASSERT_EQ(copies, found.size()) << Utf8(word) << "\n" << page.Describe();
            for (const PdfText* t : found) {
                EXPECT_GE(t->x, kNameLeft) << Utf8(word);
                EXPECT_LE(t->right, kNameRight) << Utf8(word);
                EXPECT_LT(t->size, layout.size) << Utf8(word);
                // On the name's two lines of the first row.
                double y = t->y > Up(400) ? t->y : t->y + 414;
                EXPECT_TRUE(std::fabs(y - Up(layout.firstRow)) < 0.05 || std::fabs(y - Up(layout.firstRow + 14)) < 0.05)
                    << Utf8(word) << " at " << t->y;
            }
        }
        ExpectTextAt(page, L"1.234", (245 - 5) * 1.38, Up(layout.firstRow), "Helvetica", layout.size);
        ExpectTextAt(page, L"Dupa", 55.2, Up(layout.firstRow + 28), "Helvetica", layout.size);
    }
}
