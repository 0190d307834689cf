#include <gtest/gtest.h>
#include "printing/pdf/PdfExports.h"
#include "tests/printing/pdf/PdfFixtures.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace pdftest;
using testing_support::MessageBoxRecorder;
using testing_support::Narrow;

class PdfLayout1 : public PdfExportTest {};

TEST_F(PdfLayout1, InvoicePagePlacesFrameTitlePartnersAndRowsAndWithoutVatLeavesOutTheVatColumns)
{
    unsigned long long id = AddDocument(0, 7, {{L"Surub M8", 3, 10}});
    PdfPage page;
    ASSERT_TRUE(WriteLayout(1, id, 0, L"layout1-invoice.pdf", page));

    EXPECT_FALSE(page.compressed);
    EXPECT_TRUE(page.HasRect(13.8, 828, 567.4, -814.4));
    EXPECT_TRUE(page.HasRect(207, 709, 181, -70));
    // Grid: the table's top rule, the VAT columns and the totals rule.
    EXPECT_TRUE(page.HasLine(13.8, Up(210), 581.2, Up(210)));
    EXPECT_TRUE(page.HasLine(494.04, Up(210), 494.04, Up(749)));
    EXPECT_TRUE(page.HasLine(546.48, Up(210), 546.48, Up(686)));
    EXPECT_TRUE(page.HasLine(441.6, Up(749), 581.2, Up(749)));
    EXPECT_EQ(1, page.lines.front().width);

    struct Text {
        const wchar_t* text;
        double x, y;
        double size;
    } texts[] = {
        {L"FACTURA", 249.2, 723, 21},
        {L"Seria : FCT Numar: 7", 220.8, Up(161), 11.2},
        {L"Data :   14-11-2023", 220.8, Up(175)},
        {L"VANZATOR: Firma Test SRL", 27.6, Up(28), 9.1},
        {L"CUMPARATOR :Client Unu SRL", 401.8, Up(28)},
        {L"Numele agentului: Ion Pop B.I./C.I.: BV 123", 103.5, Up(719.6)},
        {L"Total de plata:", 447.12, Up(765.8)},
        // The first row: baseline 273, numbers right-aligned one unit per character.
        {L"Surub M8", 55.2, Up(273), 9.8},
        {L"1", 26.22, Up(273)},
        {L"10.00", (295 - 5) * 1.38, Up(273)},
        {L"3.00", (245 - 4) * 1.38, Up(273)},
        {L"30.00", (335 - 5) * 1.38, Up(273)},
        {L"7.20", (373 - 4) * 1.38, Up(273)},
        {L"24%", (407 - 3) * 1.38, Up(273)},
    };
    for (const Text& t : texts)
        ExpectTextAt(page, t.text, t.x, t.y, "Helvetica", t.size);
    EXPECT_FALSE(page.Find(L"TVA la incasare"));

    // The same document of a company without VAT has no VAT columns.
    layout_tests::SetCompany(tempDb, 3, 1);
    PdfPage noVat;
    ASSERT_TRUE(WriteLayout(1, id, 0, L"layout1-novat.pdf", noVat));
    EXPECT_FALSE(noVat.HasLine(494.04, Up(210), 494.04, Up(749)));
    EXPECT_FALSE(noVat.HasLine(546.48, Up(210), 546.48, Up(686)));
    EXPECT_TRUE(noVat.HasLine(441.6, Up(210), 441.6, Up(828.2)));
    ExpectTextAt(noVat, L" -  lei  -", 393.3, Up(238));
    ExpectTextAt(noVat, L"Total :", 448.5, Up(705.6));
    ExpectTextAt(noVat, L"30.00", 469.2, Up(733.6));
    ExpectTextAt(noVat, L"30.00", 489.9, Up(807.8));
    // The row's value alone, at anchor 368.
    ExpectTextAt(noVat, L"30.00", (368 - 5) * 1.38, Up(273));
    ExpectTextAt(noVat, L"TVA la incasare", 55.2, Up(679));
    for (const wchar_t* absent : {L"Total FT:", L"Total TVA:", L"(col.5+col.6)", L"7.20", L"24%"})
        EXPECT_FALSE(noVat.Find(absent)) << Utf8(absent);
}

TEST_F(PdfLayout1, LinesThatDoNotFitAreAnnouncedFirst)
{
    unsigned long long id = AddDocument(0, 7, ShortLines(30));
    std::wstring path = OutputPath(L"layout1-30-lines.pdf");
    DeleteFileW(path.c_str());
    FacturaPrintJob job(id, 0, 1, nullptr);
    for (int answer : {IDCANCEL, IDOK}) {
        MessageBoxRecorder boxes;
        boxes.Answer(answer);
        EXPECT_EQ(answer == IDOK, WriteFacturaPdfLayout1(job, path.c_str()));
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"7 linii")) << Narrow(boxes.Last().text);
        EXPECT_EQ(answer == IDOK, Exists(path));
    }
    PdfPage page;
    LoadChecked(path, page);
    ExpectTextAt(page, L"Produs 23", 55.2, Up(273 + 22 * 14));
    EXPECT_FALSE(page.Find(L"Produs 24"));
}

TEST_F(PdfLayout1, LongNamesAndBuyerLinesWrapAtTheirLimits)
{
    // "CUMPARATOR :" + name is 40 characters: split at the last space within 33;
    // "Sediul: " + address is 57: split at the last space within 42.
    tempDb.Exec(L"update Clienti set Nume = 'Alfa Beta Gama Delta Epsilon', Adresa = 'Strada Lunga a Negustorilor "
                L"nr 12 bloc A4 scara 2', AdresaLiv = 'Depozit 3'");
    std::wstring forty = layout_tests::NameOfLength(40, 1), fifty = layout_tests::NameOfLength(50, 2);
    std::wstring unbroken(50, L'W');
    unsigned long long id =
        AddDocument(0, 7, {{forty}, {fifty}, {L"", 1, -10, true}, {unbroken}, {L"Dupa"}}, 100);
    PdfPage page;
    ASSERT_TRUE(WriteLayout(1, id, 0, L"layout1-long-names.pdf", page));

    ExpectTextAt(page, L"CUMPARATOR :Alfa Beta Gama Delta", 401.8, Up(28));
    ExpectTextAt(page, L" Epsilon", 401.8, Up(42));
    ExpectTextAt(page, L"Sediul: Strada Lunga a Negustorilor nr 12", 401.8, Up(84));
    ExpectTextAt(page, L" bloc A4 scara 2", 401.8, Up(98));
    // 40 characters: one drawn line, the room of two.
    ExpectTextAt(page, forty, 55.2, Up(273));
    // 50 characters: broken at the last space within 45, the rest a line lower.
    size_t split = fifty.rfind(L' ', 45);
    ExpectTextAt(page, fifty.substr(0, split), 55.2, Up(301));
    ExpectTextAt(page, fifty.substr(split), 55.2, Up(315));
    // A discount line after a long name moves on by one row only; its percentage
    // comes from the document's own net value: 10 off, leaving 100, is 10 * 100 / 110 = 9.09.
    ExpectTextAt(page, L"Discount 9,09%", 55.2, Up(329));
    // No space to break at: cut at 45 characters.
    ExpectTextAt(page, unbroken.substr(0, 45), 55.2, Up(343));
    ExpectTextAt(page, unbroken.substr(45), 55.2, Up(357));
    ExpectTextAt(page, L"Dupa", 55.2, Up(371));
}

// A buyer's name too long even for its two lines would run off the page: it
// shows whole, set smaller, inside the frame; a short one keeps its size.
TEST_F(PdfLayout1, ABuyerNameTooLongForTwoLinesShowsWholeInsideTheFrame)
{
    const std::wstring rest = L"Constructii Instalatii Transporturi si Servicii Transilvania Nord SRL";
    tempDb.Exec((L"update Clienti set Nume = 'Societatea Comerciala " + rest + L"'").c_str());
    unsigned long long id = AddDocument(0, 7, {{L"Surub"}});
    PdfPage page;
    ASSERT_TRUE(WriteLayout(1, id, 0, L"layout1-very-long-buyer.pdf", page));
    ExpectTextAt(page, L"CUMPARATOR :Societatea Comerciala", 401.8, Up(28), nullptr, 9.1);
    const PdfText* second = page.Find(L" " + rest);
    ASSERT_TRUE(second) << page.Describe();
    EXPECT_LT(second->size, 9.1);
    EXPECT_LT(second->right, 595 - 27.6 + 0.5);
}

TEST_F(PdfLayout1, FailuresWriteNoFileAndSaySo)
{
    unsigned long long id = AddDocument(0, 7, {{L"Surub"}});
    FacturaPrintJob job(id, 0, 1, nullptr);
    FacturaPrintJob unknownType(id, 7, 1, nullptr);
    {
        MessageBoxRecorder boxes;
        EXPECT_FALSE(WriteFacturaPdfLayout1(job, L"Z:\\no\\such\\folder\\f.pdf"));
        // A type the pages do not know is refused.
        EXPECT_FALSE(ExportFacturaPdfLayout1(unknownType));
        EXPECT_FALSE(WriteFacturaPdfLayout1(unknownType, OutputPath(L"layout1-type7.pdf").c_str()));
        ASSERT_EQ(3u, boxes.Count());
        for (const auto& box : boxes.Boxes())
            EXPECT_EQ(L"Error saving pdf file!|Message", box.text + L"|" + box.caption);
        EXPECT_FALSE(Exists(OutputPath(L"layout1-type7.pdf")));
    }
    // The rows cannot be read: the error is shown and nothing is written.
    tempDb.Exec(L"alter table ArticoleFacturi rename to ArticoleVechi");
    std::wstring path = OutputPath(L"layout1-broken-rows.pdf");
    DeleteFileW(path.c_str());
    MessageBoxRecorder boxes;
    EXPECT_FALSE(WriteFacturaPdfLayout1(job, path.c_str()));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"ArticoleFacturi")) << Narrow(boxes.Last().text);
    EXPECT_FALSE(Exists(path));
}
