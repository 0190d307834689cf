// The widest figures a user can store, in the PDFs: the written file read
// back, every figure shows whole and no word reaches a rule or a frame's
// side drawn across its line, so each figure stays between its column's
// rules and each receipt line inside its frame.
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include "masterdata/NumberText.h"
#include "printing/pdf/PdfExports.h"
#include "printing/receipts/ChitantaPdf.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/figures/LargestFigures.h"
#include "tests/printing/support/HostTools.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/support/PrintedSheet.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace figures_tests;
using namespace pdftest;

namespace {

typedef bool (*PdfWriter)(const FacturaPrintJob&, const wchar_t*);

// Every word that reaches a vertical line or a rectangle's side drawn across
// its line (strokes a point wide), or passes the page, described; empty when
// none does.
std::string WordsAcrossRules(const PdfPage& page)
{
    struct Rule {
        double x, low, high;
    };
    std::vector<Rule> rules;
    for (const PdfStroke& l : page.lines)
        if (std::fabs(l.a - l.c) < 0.01)
            rules.push_back(Rule{l.a, std::min(l.b, l.d), std::max(l.b, l.d)});
    for (const PdfStroke& r : page.rects)
        for (double x : {r.a, r.a + r.c})
            rules.push_back(Rule{x, std::min(r.b, r.b + r.d), std::max(r.b, r.b + r.d)});
    std::string found;
    for (const PdfText& t : page.texts) {
        if (t.text.find(L' ') != std::wstring::npos)
            continue;
        double low = t.y - 0.207 * t.size, high = t.y + 0.718 * t.size;
        bool across = t.x < 0 || t.right > page.mediaWidth;
        for (const Rule& r : rules)
            across = across || (low < r.high && high > r.low && t.x <= r.x + 0.5 && t.right >= r.x - 0.5);
        if (across)
            found += "\"" + Utf8(t.text) + "\" " + std::to_string(t.x) + ".." + std::to_string(t.right) + " at " +
                     std::to_string(t.y) + "\n";
    }
    return found;
}

// The note's last line of text stands over the frame's bottom side: there
// every word keeps clear of the horizontal lines too, its descenders
// included.
void ExpectWordsClearOfLines(const std::wstring& path)
{
    printing_tests::PrintedSheet sheet;
    std::string error;
    ASSERT_TRUE(printing_tests::ReadSheet(HostPath(path), sheet, error)) << error;
    EXPECT_EQ("", sheet.WordsOnLines());
}

class FiguresInPdf : public testing_support::DatabaseTest {
protected:
    // The writer's page of each document (the note, or both invoices with
    // VAT and without), its figures whole in each copy and clear of every rule.
    void Check(PdfWriter writer, const std::wstring& name, size_t copies, bool note = false)
    {
        for (int vatCode : {0, 3}) {
            for (const LargestDocument& doc : AddLargestDocuments(tempDb, vatCode, note)) {
                SCOPED_TRACE("VAT code " + std::to_string(vatCode) + ", type " + std::to_string(doc.type));
                FacturaPrintJob job(doc.id, doc.type, 1, nullptr);
                std::wstring path = OutputPath(L"largest-" + name + L"-" + std::to_wstring(vatCode) + L"-" +
                                               std::to_wstring(doc.type) + L".pdf");
                ASSERT_TRUE(writer(job, path.c_str()));
                PdfPage page;
                LoadChecked(path, page);
                for (const std::wstring& figure : doc.figures)
                    EXPECT_LE(copies, page.FindAll(figure).size()) << Utf8(figure) << "\n" << page.Describe();
                for (const std::wstring& figure : doc.vatFigures)
                    EXPECT_EQ(vatCode == 0, page.FindAll(figure).size() >= copies) << Utf8(figure);
                EXPECT_EQ("", WordsAcrossRules(page));
                if (note)
                    ExpectWordsClearOfLines(path);
            }
        }
    }
};

} // namespace

TEST_F(FiguresInPdf, Layout1WithAndWithoutVat) { Check(WriteFacturaPdfLayout1, L"layout1", 1); }

TEST_F(FiguresInPdf, Layout2WithItsReceipt) { Check(WriteFacturaChitantaPdfLayout2, L"layout2", 1); }

TEST_F(FiguresInPdf, Layout3InBothCopies) { Check(WriteFacturaPdfLayout3, L"layout3", 2); }

TEST_F(FiguresInPdf, GoodsReceivedNote) { Check(WriteNirPdf, L"note", 1, true); }

TEST_F(FiguresInPdf, ReceiptsOfEveryModel)
{
    for (double sum : kReceiptSums) {
        for (int model : {1, 2, 3}) {
            SCOPED_TRACE(std::to_string(sum) + ", model " + std::to_string(model));
            std::wstring path = OutputPath(L"largest-receipt-" + std::to_wstring(model) + L".pdf");
            ASSERT_TRUE(SaveChitantaPdf(path.c_str(), model, ReceiptOf(sum)));
            PdfPage page;
            LoadChecked(path, page);
            size_t copies = model == 2 ? 3 : model == 1 ? 2 : 1;
            EXPECT_EQ(copies, page.FindAll(MoneyText(sum).c_str()).size()) << page.Describe();
            EXPECT_EQ(2 * copies, page.FindAll(L"2147483647").size()) << page.Describe();
            EXPECT_EQ("", WordsAcrossRules(page));
        }
    }
}
