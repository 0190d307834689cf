#include <gtest/gtest.h>
#include "tests/printing/pdf/PdfFixtures.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace pdftest;
using testing_support::MessageBoxRecorder;

namespace {

// The lower copy stands 414 points below the upper one.
const double kCopy = 414;

} // namespace

class PdfLayout3 : public PdfExportTest {};

TEST_F(PdfLayout3, BothCopiesShareTheSheetAndFiveLinesFitEachCopy)
{
    unsigned long long id = AddDocument(0, 7, {{L"Surub M8", 3, 10}});
    PdfPage page;
    ASSERT_TRUE(WriteLayout(3, id, 0, L"layout3-invoice.pdf", page));

    EXPECT_TRUE(page.HasRect(14, 828, 567, -400));
    EXPECT_TRUE(page.HasRect(14, 414, 567, -400));
    EXPECT_TRUE(page.HasRect(207, 317, 181, -51.8));
    // Upper grid, then the lower one with its own heights.
    EXPECT_TRUE(page.HasLine(14, Up(287), 581, Up(287)));
    EXPECT_TRUE(page.HasLine(494.04, Up(168), 494.04, Up(343)));
    EXPECT_TRUE(page.HasLine(14, Up(702), 581, Up(702)));
    EXPECT_TRUE(page.HasLine(494.04, Up(582), 494.04, Up(764)));

    for (double offset : {0.0, kCopy}) {
        ExpectTextAt(page, L"FACTURA", 249.2, Up(109.2 + offset), "Helvetica", 21);
        ExpectTextAt(page, L"Seria : FCT Numar: 7", 220.8, Up(128.8 + offset), "Helvetica", 11.2);
        ExpectTextAt(page, L"Total de plata:", 447.12, Up(358.4 + offset));
        ExpectTextAt(page, L"Surub M8", 55.2, Up(218 + offset), "Helvetica", 9.1);
        ExpectTextAt(page, L"24%", (407 - 3) * 1.38, Up(218 + offset));
    }

    // Five lines fit each copy.
    MessageBoxRecorder boxes;
    boxes.Answer(IDOK);
    std::vector<LineSpec> withLongName = ShortLines(4);
    withLongName.push_back({layout_tests::NameOfLength(50, 5)});
    struct Case {
        std::vector<LineSpec> lines;
        const wchar_t* announced;
        const wchar_t* file;
    } cases[] = {{ShortLines(8), L"3 linii", L"layout3-8-lines.pdf"},
                 // A long name that would be the sixth and seventh line is left out whole.
                 {withLongName, L"1 linii", L"layout3-long-name.pdf"}};
    for (const Case& c : cases) {
        boxes.Clear();
        PdfPage fitted;
        ASSERT_TRUE(WriteLayout(3, AddDocument(0, 8, c.lines), 0, c.file, fitted));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(c.announced));
        for (double offset : {0.0, kCopy}) {
            ExpectTextAt(fitted, L"Produs 1", 55.2, Up(218 + offset));
            ExpectTextAt(fitted, L"Produs 4", 55.2, Up(218 + 3 * 14 + offset));
        }
        EXPECT_EQ(c.lines.size() == 8 ? 2u : 0u, fitted.FindAll(L"Produs 5").size());
        EXPECT_FALSE(fitted.Find(L"Produs 6"));
        EXPECT_FALSE(fitted.FindPrefix(L"Produs cu"));
    }
}
