// The widest figures a user can store, on the printed pages: drawn into an
// enhanced metafile, every figure shows whole and no text record's bounds
// reach a rule or a frame's side drawn across its line, so each figure stays
// between its column's rules and each receipt line inside its frame.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include "database/DocumentTables.h"
#include "database/qsql/SqlText.h"
#include "printing/layouts/PrintedItems.h"
#include "printing/layouts/PrintedPages.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/receipts/PrintChitanta.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/figures/LargestFigures.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/printing/support/PrintedSheet.h"

using namespace figures_tests;
using namespace layout_tests;
using micro::utils::QBuffer;

namespace {

const int kWidth = 2479, kHeight = 3508;

EmfPage Metafile(const std::function<void(HDC)>& draw)
{
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    draw(dc);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    EmfPage page = ReadMetafile(metafile);
    DeleteEnhMetaFile(metafile);
    return page;
}

typedef void (*PrintedLayout)(HDC, int, int, const FacturaPrintJob&, const std::vector<PrintedItem>&, const QBuffer&);

void PrintNote(HDC dc, int width, int height, const FacturaPrintJob& job, const std::vector<PrintedItem>& rows,
               const QBuffer&)
{
    DrawPrintedNirSheet(dc, width, height, job, rows, 0, 1);
}

// Every text whose bounds reach the stroke of a vertical rule or a frame's
// side beside it, or pass the sheet, described; empty when none does.
std::string TextsAcrossRules(const EmfPage& page)
{
    struct Rule {
        int x, top, bottom;
    };
    std::vector<Rule> rules;
    for (const EmfStroke& s : page.strokes) {
        if (s.frame) {
            rules.push_back(Rule{s.x1, s.y1, s.y2});
            rules.push_back(Rule{s.x2 + 1, s.y1, s.y2});
        } else if (s.x1 == s.x2) {
            rules.push_back(Rule{s.x1, std::min(s.y1, s.y2), std::max(s.y1, s.y2)});
        }
    }
    int pen = page.penWidths.empty() ? 1 : (page.penWidths[0] + 1) / 2;
    std::string found;
    for (const EmfText& t : page.texts) {
        const RECT& b = t.bounds;
        bool across = b.left < 0 || b.right > kWidth;
        for (const Rule& r : rules)
            across = across || (b.top < r.bottom && b.bottom > r.top && b.left <= r.x + pen && b.right >= r.x - pen);
        if (across)
            found += "\"" + testing_support::Narrow(t.text) + "\" " + std::to_string(b.left) + ".." +
                     std::to_string(b.right) + " at " + std::to_string(b.top) + "\n";
    }
    return found;
}

class FiguresOnPaper : public testing_support::DatabaseTest {
protected:
    // The page of each document (the note, or both invoices with VAT and
    // without), its figures whole in each copy and clear of every rule.
    void Check(PrintedLayout layout, int copies, bool note = false)
    {
        for (int vatCode : {0, 3}) {
            for (const LargestDocument& doc : AddLargestDocuments(tempDb, vatCode, note)) {
                SCOPED_TRACE("VAT code " + std::to_string(vatCode) + ", type " + std::to_string(doc.type));
                FacturaPrintJob job(doc.id, doc.type, 1, nullptr);
                std::vector<PrintedItem> items = ReadPrintedItems(doc.id, doc.type, NetValueFrom::OwnHeader);
                EmfPage page = Metafile([&](HDC dc) { layout(dc, kWidth, kHeight, job, items, QBuffer()); });
                for (const std::wstring& figure : doc.figures)
                    EXPECT_LE(copies, page.Count(figure)) << testing_support::Narrow(figure);
                for (const std::wstring& figure : doc.vatFigures)
                    EXPECT_EQ(vatCode == 0, page.Count(figure) >= copies) << testing_support::Narrow(figure);
                EXPECT_EQ("", TextsAcrossRules(page));
            }
        }
    }
};

} // namespace

TEST_F(FiguresOnPaper, Layout1WithAndWithoutVat) { Check(DrawPrintedLayout1, 1); }

TEST_F(FiguresOnPaper, Layout2WithItsReceipt) { Check(DrawPrintedLayout2, 1); }

TEST_F(FiguresOnPaper, Layout3InBothCopies) { Check(DrawPrintedLayout3, 2); }

TEST_F(FiguresOnPaper, GoodsReceivedNote) { Check(PrintNote, 1, true); }

TEST_F(FiguresOnPaper, ReceiptsOfEveryModel)
{
    for (double sum : kReceiptSums) {
        ChitantaTexts texts = ReceiptOf(sum);
        for (int model : {1, 2, 3}) {
            EmfPage page =
                Metafile([&](HDC dc) { DrawChitantaPage(dc, kWidth, kHeight, model, texts, QBuffer(), QBuffer()); });
            std::wstring line =
                L"Suma de " + std::wstring(texts.suma.c_str()) + L" (" + texts.sumaInLitere.c_str() + L")";
            EXPECT_EQ(model == 2 ? 3 : model == 1 ? 2 : 1, page.Count(line));
            EXPECT_EQ("", TextsAcrossRules(page)) << "model " << model;
        }
    }
}

class FiguresThroughSpooler : public printing_tests::SpoolerTest {};

// On paper the glyphs come out a little wider than the printer's device
// context measures them. Each job is read back from the queue's PDF: every
// word of layout 2 with its receipt and of the note keeps clear of every
// line, the largest figures among them, and the receipt's sum in words, set
// smaller to end at the receipt's frame (with 46000031.76 owed it once ended
// past the frame). One company file for both jobs (a fresh one opened after
// a print dialog ran fails its first lock).
TEST_F(FiguresThroughSpooler, Layout2WithItsReceiptAndTheNoteKeepEveryWordClearOfEveryLine)
{
    SetCompany(tempDb);
    LargestDocument invoice = AddLargestInvoice(tempDb), note = AddLargestNote(tempDb);
    tempDb.Exec(micro::qsql::SqlFormat(L"update Facturi set sold = 46000031.76 where id = %llu", invoice.id).c_str());
    printing_tests::PrintedSheet sheet;
    printing_tests::PrintThroughSpooler(
        [&] {
            FacturaPrintJob job(invoice.id, invoice.type, 2, owner);
            return PrintFacturaChitantaLayout2(job);
        },
        printing_tests::MarkCompanyName(tempDb), sheet, true);
    EXPECT_EQ("", sheet.WordsOnLines());
    for (const char* figure : {"806451612.89", "999999999.99", "-999999999.99", "46000031.76"})
        EXPECT_TRUE(sheet.HasWord(figure)) << figure;

    printing_tests::PrintThroughSpooler(
        [&] {
            FacturaPrintJob job(note.id, note.type, 1, owner);
            return PrintNir(job);
        },
        printing_tests::MarkCompanyName(tempDb), sheet);
    EXPECT_EQ("", sheet.WordsOnLines());
    for (const char* figure : {"-999999999.999", "999999999.99", "-999999999.99"})
        EXPECT_TRUE(sheet.HasWord(figure)) << figure;
}

// Product names are wrapped at words in their column, whose right side is a
// rule: printed, a name that fills its line (ordinary words, capitals, one
// long word, two lines) keeps clear of the rule as its figures do, and is
// printed whole.
TEST_F(FiguresThroughSpooler, ProductNamesThatFillTheirColumnKeepClearOfItsRule)
{
    SetCompany(tempDb);
    // The words after "masiv Masa" end the first line a little short of the
    // rule, each a little nearer, as DrawText measures them.
    std::vector<std::wstring> names = {L"MASA MARE DIN LEMN MASIV CU SERTARE", L"Masadebiroudinlemnmasivcusertarelungi"};
    for (const wchar_t* last : {L"Masa", L"Masab", L"Masabu", L"Masabur", L"Mobila", L"MASAB", L"Mmmmm", L"Wwwww"})
        names.push_back(std::wstring(L"Masa de birou din lemn masiv Masa ") + last + L" cu rotile");
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL");
    unsigned long long invoice = printing_tests::AddHeader(tempDb, L"Facturi", 7, client, 40, 0, 40);
    for (const std::wstring& name : names)
        printing_tests::AddLine(tempDb, L"ArticoleFacturi", invoice, tempDb.AddProduct(name.c_str(), 10), 1, 10);
    printing_tests::PrintedSheet sheet;
    printing_tests::PrintThroughSpooler(
        [&] {
            FacturaPrintJob job(invoice, DocumentInvoice, 1, owner);
            return PrintFacturaLayout1(job);
        },
        printing_tests::MarkCompanyName(tempDb), sheet);
    EXPECT_EQ("", sheet.WordsOnLines());
    for (const char* word : {"SERTARE", "Masadebiroudinlemnmasivcusertarelungi", "Masabur", "Wwwww", "rotile"})
        EXPECT_TRUE(sheet.HasWord(word)) << word;
}
