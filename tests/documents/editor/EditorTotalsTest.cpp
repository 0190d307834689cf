// Totals through the editor's own buttons: the discount line kept by a
// conversion, rounded as every line, its percentage kept once stored; what
// the screen shows is what the file, the screen page, the printed page and
// the PDF say, money always with two decimals.
#include <array>
#include "tests/documents/support/EditorFixture.h"
#include "database/DocumentTables.h"
#include "documents/MyFacturiInternal.h"
#include "printing/layouts/PrinterLayouts.h"
#include "printing/pdf/PdfExports.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/support/PrintFixtures.h"
#include "tests/harness/Screenshot.h"

using namespace editor_tests;
using namespace facturi_editor;
using testing_support::ModalDriver;

namespace {

class EditorTotals : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FV' where id = 1");
    }

    // A new document of the type typed line by line ({name, price, quantity},
    // 24 % without VAT), the percentage typed and applied, then saved.
    unsigned long long TypeDocument(int tip, std::initializer_list<std::array<const wchar_t*, 3>> lines,
                                    const wchar_t* percent, const wchar_t* totals)
    {
        EXPECT_EQ(1, RunDocument(tip, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            for (const auto& line : lines)
                AddLine(w, line[0], line[1], line[2], 0, false);
            ModalDriver::SetText(w, IDC_FE_DISCOUNT, percent);
            ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
            EXPECT_EQ(totals, Totals(w));
            ModalDriver::Click(w, IDC_FE_SAVE);
        }));
        return static_cast<unsigned long long>(
            tempDb.Scalar((std::wstring(L"select max(id) from ") + DocumentHeaderTable(tip)).c_str()));
    }

    // A stored document's lines (product, quantity, price in bani) and totals in bani.
    std::wstring Figures(int tip, unsigned long long id)
    {
        return Stored(micro::utils::QString::Formatted(
                          L"select (select group_concat(produsID || ' ' || cantitate || ' ' || round(valoareFT * 100), "
                          L"'|') from %s where IDFactura = %llu) || ' / ' || round(valoareFT * 100) || ' ' || "
                          L"round(valoareTVA * 100) || ' ' || round(valoareTTI * 100) from %s where id = %llu",
                          DocumentLineTable(tip), id, DocumentHeaderTable(tip), id)
                          .c_str());
    }

    // The texts missing from the printed page (layout 1, or the NIR's) and
    // from its PDF.
    static std::vector<std::wstring> PagedTexts(unsigned long long id, int tip, const std::vector<std::wstring>& wanted,
                                                const wchar_t* pdfName)
    {
        std::vector<std::wstring> missing;
        layout_tests::MetafileSink sink(2479, 3508);
        FacturaPrintJob job(id, tip, 1, nullptr);
        bool nir = tip == DocumentGoodsReceived;
        EXPECT_TRUE(nir ? PrintNir(job) : PrintFacturaLayout1(job));
        pdftest::PdfPage pdf;
        std::wstring path = pdftest::OutputPath(pdfName);
        EXPECT_TRUE(nir ? WriteNirPdf(job, path.c_str()) : WriteFacturaPdfLayout1(job, path.c_str()));
        pdftest::LoadChecked(path, pdf);
        for (const std::wstring& text : wanted) {
            if (sink.printed.empty() || !sink.printed[0].Find(text))
                missing.push_back(L"paper: " + text);
            if (!pdf.Find(text))
                missing.push_back(L"pdf: " + text);
        }
        return missing;
    }
};

// 4 x 39.90 + 2 x 199.99 at 24 % with 10 % off is 503.62 / 120.87 / 624.49,
// and so is the invoice made of it, discount line included; a conversion
// with an empty discount field, like the button itself, adds nothing and
// says nothing.
TEST_F(EditorTotals, ConvertedProformasAndDeliveryNotesKeepTheirDiscountLineAndTotals)
{
    unsigned long long proforma = TypeDocument(DocumentProforma, {{L"Pix", L"39.90", L"4"}, {L"Caiet", L"199.99", L"2"}},
                                               L"10", L"503.62|120.87|624.49");
    unsigned long long note = TypeDocument(DocumentDeliveryNote, {{L"Pix", L"39.90", L"1"}}, L"7,5", L"36.91|8.86|45.77");
    std::wstring pix = std::to_wstring(tempDb.Scalar(L"select id from Produse where denumire = 'Pix'"));
    std::wstring caiet = std::to_wstring(tempDb.Scalar(L"select id from Produse where denumire = 'Caiet'"));
    EXPECT_EQ(pix + L" 4 3990|" + caiet + L" 2 19999|0 -1 5596 / 50362 12087 62449", Figures(DocumentProforma, proforma));
    for (auto source : {std::make_pair(DocumentProforma, proforma), std::make_pair(DocumentDeliveryNote, note)}) {
        boxes.Answer(IDOK);
        EXPECT_EQ(1, RunDocument(source.first, source.second, [&](HWND w) {
            std::wstring shown = Totals(w);
            ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"");
            ModalDriver::Click(w, IDC_FE_TO_INVOICE);
            EXPECT_EQ(shown, Totals(w));
            ModalDriver::Click(w, IDC_FE_SAVE);
        }));
        unsigned long long invoice = static_cast<unsigned long long>(tempDb.Scalar(L"select max(id) from Facturi"));
        EXPECT_EQ(Figures(source.first, source.second), Figures(DocumentInvoice, invoice));
    }
    EXPECT_EQ("[Factura ] Transformati in factura ?\n[Factura ] Transformati in factura ?\n", boxes.Describe());

    // An empty field applies nothing on the button either.
    RunDocument(DocumentInvoice, 0, [&](HWND w) {
        AddLine(w, L"Pix", L"39.90", L"1", 0, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"  ");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(1, Rows(w));
    });
    EXPECT_EQ(2u, boxes.Count()) << boxes.Describe();
}

// A proforma of an earlier version, its line kept without a VAT code (2 x
// 10.00 at the product's 24 %), turned into an invoice: the invoice is issued
// with the code, so a later change of the product's rate to 9 % leaves its
// line's VAT 4.80 on paper and in the PDF, as its totals.
TEST_F(EditorTotals, AnInvoiceMadeOfAnEarlierProformaKeepsTheVatItWasIssuedWith)
{
    layout_tests::SetCompany(tempDb);
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    unsigned long long product = tempDb.AddProduct(L"Pix", 10.0, 0);
    tempDb.Exec(micro::utils::QString::Formatted(L"insert into Proforme values (1, 1, 1, %llu, 86400, 86400, 0, 0, 20, "
                                                 L"4.8, 24.8, 24.8, 'PF')", client).c_str());
    StoreLine(L"ArticoleProforme", 1, product, 2, 10);
    boxes.Answer(IDOK);
    RunDocument(DocumentProforma, 1, [](HWND w) {
        ModalDriver::Click(w, IDC_FE_TO_INVOICE);
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    EXPECT_EQ(L"0|null", Stored(L"select (select group_concat(TVA) from ArticoleFacturi) || '|' || (select "
                                L"coalesce(group_concat(TVA), 'null') from ArticoleProforme)"));
    tempDb.Exec(L"update Produse set TVA = 1");
    std::vector<std::wstring> missing = PagedTexts(1, DocumentInvoice, {L"4.80", L"24.80", L"24%"}, L"converted-vat.pdf");
    EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
}

// 5 x 12.50 + 20 x 3.50 at 24 % with 5 % off: the discount line is -6.63 net
// and -1.59 VAT, and 125.87 + 30.21 = 156.08 on screen, in the file, on paper
// and in the PDF.
TEST_F(EditorTotals, TotalsAreTheSumsOfTheRoundedLinesOnScreenInTheFileOnPaperAndInThePdf)
{
    layout_tests::SetCompany(tempDb);
    unsigned long long invoice = 0;
    RunDocument(DocumentInvoice, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Caiet", L"12.50", L"5", 0, false);
        AddLine(w, L"Pix", L"3.50", L"20", 0, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"5");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(L"Discount 5%|-6.63|-1.59|-8.22", Cells(w, 2, {ColName, ColNet, ColVat, ColGross}));
        EXPECT_EQ(L"125.87|30.21|156.08", Totals(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
        invoice = static_cast<unsigned long long>(tempDb.Scalar(L"select max(id) from Facturi"));
    });
    EXPECT_EQ(L"12587 3021 15608 15608", Stored(L"select round(valoareFT * 100) || ' ' || round(valoareTVA * 100) || ' ' "
                                                L"|| round(valoareTTI * 100) || ' ' || round(sold * 100) from Facturi"));
    // Opened again it shows the same.
    RunDocument(DocumentInvoice, invoice, [&](HWND w) {
        EXPECT_EQ(L"Discount 5%|-6.63|-1.59|-8.22", Cells(w, 2, {ColName, ColNet, ColVat, ColGross}));
        EXPECT_EQ(L"125.87|30.21|156.08", Totals(w));
    });
    FacturaDate screen(invoice, DocumentInvoice);
    EXPECT_EQ(L"125.87 30.21 156.08", std::wstring(screen.valoareFT.c_str()) + L" " + screen.valoareTVA.c_str() + L" " +
                                          screen.valoareTTI.c_str());
    std::vector<std::wstring> missing =
        PagedTexts(invoice, DocumentInvoice, {L"125.87", L"30.21", L"156.08", L"-6.63", L"-1.59", L"Discount 5%"},
                   L"editor-rounded-totals.pdf");
    EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
}

// 0.5 x 2.01 at 24 %: 1.005 net is 1.00, 0.2412 VAT is 0.24, and the line's
// total is their sum 1.24 (not 1.2462 rounded to 1.25): on the line, in the
// totals, in the file, on paper and in the PDF.
TEST_F(EditorTotals, ALinesTotalIsItsRoundedNetPlusItsRoundedVat)
{
    layout_tests::SetCompany(tempDb);
    RunDocument(DocumentInvoice, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Sare", L"2.01", L"0.5", 0, false);
        EXPECT_EQ(L"1.00|0.24|1.24", Cells(w, 0, {ColNet, ColVat, ColGross}));
        EXPECT_EQ(L"1.00|0.24|1.24", Totals(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
    });
    std::wstring product = std::to_wstring(tempDb.Scalar(L"select id from Produse where denumire = 'Sare'"));
    EXPECT_EQ(product + L" 0.5 201 / 100 24 124", Figures(DocumentInvoice, 1));
    std::vector<std::wstring> missing = PagedTexts(1, DocumentInvoice, {L"1.24"}, L"editor-line-rounding.pdf");
    EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
}

// Typed "7,5", the discount reads "Discount 7,5%" before and after it is
// stored: in the editor, on the screen page, on paper and in the PDF.
TEST_F(EditorTotals, StoredDiscountShowsThePercentageItsAmountsWereMadeWith)
{
    layout_tests::SetCompany(tempDb);
    unsigned long long invoice = TypeDocument(DocumentInvoice, {{L"Paine", L"9.99", L"10"}}, L"7,5", L"92.41|22.18|114.59");
    RunDocument(DocumentInvoice, invoice, [&](HWND w) {
        EXPECT_EQ(L"Discount 7,5%|-7.49", Cells(w, 1, {ColName, ColNet}));
        // Taken away and given again by the button, still the same.
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"7.50");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(L"Discount 7,5%|-7.49", Cells(w, 1, {ColName, ColNet}));
    });
    FacturaDate screen(invoice, DocumentInvoice);
    ASSERT_EQ(2, screen.items.GetCount());
    EXPECT_EQ(L"Discount 7,5%", std::wstring(screen.items.GetAt(1)->denumire.c_str()));
    std::vector<std::wstring> missing =
        PagedTexts(invoice, DocumentInvoice, {L"Discount 7,5%", L"92.41"}, L"editor-discount-label.pdf");
    EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
}

// Lines at 9 %: 5 x 12.00 + 20 x 4.00 with 10 % off. The discount's VAT is
// at the lines' 9 % (-1.26), not the 24 % code's (-3.36): in the editor, in
// the file, opened again, on paper and in the PDF.
TEST_F(EditorTotals, ADiscountLinesVatIsAtItsLinesRate)
{
    layout_tests::SetCompany(tempDb);
    unsigned long long invoice = 0;
    RunDocument(DocumentInvoice, 0, [&](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
        AddLine(w, L"Caiet", L"12.00", L"5", 1, false);
        AddLine(w, L"Pix", L"4.00", L"20", 1, false);
        ModalDriver::SetText(w, IDC_FE_DISCOUNT, L"10");
        ModalDriver::Click(w, IDC_FE_APPLY_DISCOUNT);
        EXPECT_EQ(L"Discount 10%|-14.00|-1.26|-15.26|9%", Cells(w, 2, {ColName, ColNet, ColVat, ColGross, ColVatText}));
        EXPECT_EQ(L"126.00|11.34|137.34", Totals(w));
        ModalDriver::Click(w, IDC_FE_SAVE);
        invoice = static_cast<unsigned long long>(tempDb.Scalar(L"select max(id) from Facturi"));
    });
    EXPECT_EQ(L"12600 1134 13734", Stored(L"select round(valoareFT * 100) || ' ' || round(valoareTVA * 100) || ' ' || "
                                          L"round(valoareTTI * 100) from Facturi"));
    RunDocument(DocumentInvoice, invoice, [&](HWND w) {
        EXPECT_EQ(L"Discount 10%|-14.00|-1.26|-15.26", Cells(w, 2, {ColName, ColNet, ColVat, ColGross}));
        EXPECT_EQ(L"126.00|11.34|137.34", Totals(w));
    });
    std::vector<std::wstring> missing =
        PagedTexts(invoice, DocumentInvoice, {L"-1.26", L"11.34", L"137.34"}, L"editor-discount-vat.pdf");
    EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// Totals stored as 2042.5, 189.7 and -39.9 (a NIR, a delivery note and a
// return invoice typed and saved) read 2042.50, 189.70 and -39.90 on the
// screen page, on paper and in the PDF.
TEST_F(EditorTotals, StoredMoneyShowsTwoDecimalsOnEveryPage)
{
    layout_tests::SetCompany(tempDb);
    // Two lines each, so that only the totals show the sums.
    struct Case {
        int tip;
        const wchar_t *first, *second, *shown;
    } cases[] = {{DocumentGoodsReceived, L"2000", L"42.50", L"2042.50"},
                 {DocumentDeliveryNote, L"100", L"89.70", L"189.70"},
                 {DocumentReturnInvoice, L"20", L"19.90", L"-39.90"}};
    for (const Case& c : cases) {
        RunDocument(c.tip, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F 100");
            AddLine(w, L"Sare", c.first, L"1", 3, false);
            AddLine(w, L"Piper", c.second, L"1", 3, false);
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        int table = c.tip == DocumentReturnInvoice ? DocumentInvoice : c.tip;
        unsigned long long id = static_cast<unsigned long long>(
            tempDb.Scalar((std::wstring(L"select max(id) from ") + DocumentHeaderTable(table)).c_str()));
        FacturaDate screen(id, c.tip);
        EXPECT_EQ(c.shown, std::wstring(screen.valoareFT.c_str()));
        std::vector<std::wstring> missing =
            PagedTexts(id, c.tip, {c.shown}, (std::wstring(L"money-") + std::to_wstring(c.tip) + L".pdf").c_str());
        EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

// 1.234 x 10.13 and 2 x 5 typed, on an invoice and on a goods-received note:
// the line reads 1.234 and 12.50 in the editor when reopened, on the screen
// page, on paper and in the PDF, the whole quantity 2.00. Taken into the
// fields and put back at another price, the line keeps its 1.234.
TEST_F(EditorTotals, AQuantityOfThreeDecimalsShowsThemOnEveryPage)
{
    layout_tests::SetCompany(tempDb);
    for (int tip : {DocumentInvoice, DocumentGoodsReceived}) {
        SCOPED_TRACE(tip);
        RunDocument(tip, 0, [&](HWND w) {
            ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"Client SRL");
            ModalDriver::SetText(w, IDC_FE_SUPPLIER_INVOICE, L"F 100");
            AddLine(w, L"Vopsea", L"10.13", L"1,234", 0, false);
            AddLine(w, L"Pensula", L"5", L"2", 0, false);
            EXPECT_EQ(L"22.50|5.40|27.90", Totals(w));
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        unsigned long long id = static_cast<unsigned long long>(
            tempDb.Scalar((std::wstring(L"select max(id) from ") + DocumentHeaderTable(tip)).c_str()));
        RunDocument(tip, id, [&](HWND w) {
            EXPECT_EQ(L"1.234|10.13|12.50", Cells(w, 0, {ColQuantity, ColUnitPrice, ColNet}));
            EXPECT_EQ(L"2.00|5.00|10.00", Cells(w, 1, {ColQuantity, ColUnitPrice, ColNet}));
            testing_support::SaveWindowPng(w, L"editor-quantity-" + std::to_wstring(tip));
        });
        FacturaDate screen(id, tip);
        ASSERT_EQ(2, screen.items.GetCount());
        EXPECT_EQ(L"1.234 12.50 2.00", std::wstring(screen.items.GetAt(0)->cantitate.c_str()) + L" " +
                                           screen.items.GetAt(0)->valoare.c_str() + L" " +
                                           screen.items.GetAt(1)->cantitate.c_str());
        std::vector<std::wstring> missing = PagedTexts(id, tip, {L"1.234", L"12.50", L"2.00"},
                                                       (L"quantity-" + std::to_wstring(tip) + L".pdf").c_str());
        EXPECT_TRUE(missing.empty()) << testing_support::Narrow(missing.empty() ? L"" : missing[0]);

        RunDocument(tip, id, [&](HWND w) {
            ModalDriver::SelectListRow(w, IDC_FE_LINES, 0);
            ModalDriver::Click(w, IDC_FE_MODIFY_LINE);
            EXPECT_EQ(L"1.234", Text(w, IDC_FE_QUANTITY));
            ModalDriver::SetText(w, IDC_FE_PRICE, L"10.14");
            ModalDriver::Click(w, IDOK);
            EXPECT_EQ(L"1.234|12.51", Cells(w, 0, {ColQuantity, ColNet}));
            ModalDriver::Click(w, IDC_FE_SAVE);
        });
        EXPECT_EQ(L"1.234 10.14|2 5", Stored(micro::utils::QString::Formatted(
                                                 L"select group_concat(cantitate || ' ' || valoareFT, '|') from %s "
                                                 L"where IDFactura = %llu",
                                                 DocumentLineTable(tip), id)
                                                 .c_str()));
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

} // namespace
