#include <gtest/gtest.h>
#include <string>
#include "printing/FacturaDate.h"
#include "printing/layouts/PrintedItems.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace printing_tests;

namespace {

std::wstring S(const micro::utils::QString& text) { return std::wstring(text.c_str()); }

// The row's eight printed columns joined by '|'.
std::wstring Row(const FacturaDate& doc, int row)
{
    const ItemFactura* item = doc.items.GetAt(row);
    if (!item)
        return L"<no row>";
    return S(item->nrCrt) + L"|" + S(item->denumire) + L"|" + S(item->um) + L"|" + S(item->cantitate) + L"|" +
           S(item->pretUnitar) + L"|" + S(item->valoare) + L"|" + S(item->valoareTVA) + L"|" + S(item->cotaTVA);
}

class FacturaDateTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL', tvaincasare = 1 where id = 1");
        tempDb.Exec(L"update ConfigFacturi set numarChit = 41, serie_chit = 'CNT' where id = 1");
    }
};

} // namespace

TEST_F(FacturaDateTest, InvoiceAndReturnInvoiceReadHeaderPartnerDelegateAndLines)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL", 0, L"RO777");
    unsigned long long agent = tempDb.AddAgent(L"Vasile Delegat");
    unsigned long long bread = tempDb.AddProduct(L"Paine", 5, 1, L"Buc");
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 7, client, 45, 4.05, 49.05, L"FCT", agent);
    AddLine(tempDb, L"ArticoleFacturi", invoice, bread, 10, 5);
    AddLine(tempDb, L"ArticoleFacturi", invoice, 0, 1, -5);

    FacturaDate doc(invoice, 0);
    EXPECT_EQ(L"7|14-11-2023|14-12-2023|Client Unu SRL|Vasile Delegat|49.05|45.00",
              S(doc.numar) + L"|" + S(doc.dataCreare) + L"|" + S(doc.dataScadenta) + L"|" + S(doc.clientNume) + L"|" +
                  S(doc.delegatNume) + L"|" + S(doc.valoareTTI) + L"|" + S(doc.valoareFT));
    EXPECT_EQ(L" patruzeci si noua   lei si  cinci  bani ", S(doc.totalInLitere));
    ASSERT_EQ(2, doc.items.GetCount());
    EXPECT_EQ(L"1|Paine|Buc|10.00|5.00|50.00|4.50|9%", Row(doc, 0));
    // The discount line takes the 9 % of the line above it; 5 off, leaving a net of 45, is 10 %.
    EXPECT_EQ(L"2|Discount 10%||1.00|-5.00|-5.00|-0.45|9%", Row(doc, 1));

    // A return invoice reads the invoice tables; a negative total has no words.
    unsigned long long product = tempDb.AddProduct(L"Cui", 2, 2, L"Kg");
    unsigned long long returned = AddHeader(tempDb, L"Facturi", 8, 0, -6, -0.3, -6.3, L"STO");
    AddLine(tempDb, L"ArticoleFacturi", returned, product, -3, 2);
    FacturaDate returnDoc(returned, 4);
    EXPECT_EQ(L"1|Cui|Kg|-3.00|2.00|-6.00|-0.30|5%|", Row(returnDoc, 0) + L"|" + S(returnDoc.totalInLitere));
}

TEST_F(FacturaDateTest, DiscountPercentageUsesTheDocumentsOwnNetValue)
{
    // An invoice with the same id but a much larger net value must not count.
    unsigned long long proforma = AddHeader(tempDb, L"Proforme", 3, 0, 90, 0, 90, L"PRF");
    tempDb.Exec(micro::qsql::SqlFormat(L"insert into Facturi (id, numar, valoareFT) values (%llu, 99, 10000)",
                                       proforma).c_str());
    AddLine(tempDb, L"ArticoleProforme", proforma, 0, -1, 10);
    unsigned long long empty = AddHeader(tempDb, L"Proforme", 4, 0, 0, 0, 0, L"PRF");
    AddLine(tempDb, L"ArticoleProforme", empty, 0, 1, 0);

    // No product line above: VAT code 0.
    EXPECT_EQ(L"1|Discount 10%||-1.00|10.00|-10.00|-2.40|24%", Row(FacturaDate(proforma, 1), 0));
    EXPECT_EQ(L"1|Discount 0%||1.00|0.00|0.00|0.00|24%", Row(FacturaDate(empty, 1), 0));
}

TEST_F(FacturaDateTest, ExistingReceiptIsTheLastLiveOneOfThisClientAndNumber)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL");
    unsigned long long other = tempDb.AddClient(L"Client Doi SRL");
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 7, client, 10, 2.4, 12.4);
    AddHeader(tempDb, L"Facturi", 7, other, 10, 2.4, 12.4);
    auto AddReceipt = [this](const wchar_t* facturi, const wchar_t* series, int number, unsigned long long to, int status) {
        tempDb.Exec(micro::qsql::SqlFormat(L"insert into Incasari (serie, numar, IDClient, facturi, suma, sumaStr, data, "
                                           L"status, tip, agent) values ('%s', %d, %llu, '%s', 0, '', 0, %d, 0, 0)",
                                           series, number, to, facturi, status).c_str());
    };
    AddReceipt(L" 7", L"AAA", 3, client, 2);
    AddReceipt(L" 7", L"BBB", 4, client, 1);
    AddReceipt(L" 7", L"CCC", 5, client, 3);     // cancelled
    AddReceipt(L" 7", L"DDD", 6, other, 2);      // the other client's invoice 7
    AddReceipt(L" 7, 8", L"EEE", 7, client, 2);  // several documents: none of them

    FacturaDate doc(invoice, 0);
    EXPECT_EQ(L"2 BBB 4", std::to_wstring(doc.chitantaId) + L" " + S(doc.chitantaSerie) + L" " + S(doc.chitantaNumar));
}

TEST_F(FacturaDateTest, BrokenTablesAreReportedAndTheRestIsStillRead)
{
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 9, 0, 10, 2.4, 12.4, L"FCT", 0, -1, 1700000000);
    tempDb.Exec(L"drop table ArticoleFacturi");
    tempDb.Exec(L"drop table Incasari");
    testing_support::MessageBoxRecorder boxes;
    FacturaDate doc(invoice, 0);
    // The issue date the clock rejects keeps the sample's; no receipt number
    // is shown when none could be read.
    EXPECT_EQ(L"9|0||01-01-2020|14-11-2023", S(doc.numar) + L"|" + std::to_wstring(doc.items.GetCount()) + L"|" +
                                                   S(doc.chitantaNumar) + L"|" + S(doc.dataCreare) + L"|" +
                                                   S(doc.dataScadenta));
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(0u, boxes.Boxes()[0].text.find(L"Eroare la Incasari: ")) << boxes.Describe();
    EXPECT_NE(std::wstring::npos, boxes.Boxes()[1].text.find(L"ArticoleFacturi")) << boxes.Describe();
}

// The screen's lines (read here) and the printer's and PDF's (read for print)
// show the same VAT for every line, the discount row included.
TEST_F(FacturaDateTest, ScreenLinesShowTheVatThePrintedLinesShow)
{
    unsigned long long client = tempDb.AddClient(L"Client SRL");
    unsigned long long standard = tempDb.AddProduct(L"Ciment", 1, 0);
    unsigned long long reduced = tempDb.AddProduct(L"Paine", 1, 1);
    for (unsigned long long product : {standard, reduced}) {
        unsigned long long invoice = AddHeader(tempDb, L"Facturi", 1, client, 1, 1, 1);
        for (int cents = 1; cents <= 60; ++cents)
            AddLine(tempDb, L"ArticoleFacturi", invoice, product, 1.5, 195.0 + cents / 100.0);
        AddLine(tempDb, L"ArticoleFacturi", invoice, 0, -1, 1234.567);
        FacturaDate screen(invoice, 0);
        std::vector<PrintedItem> printed = ReadPrintedItems(invoice, 0, NetValueFrom::OwnHeader);
        ASSERT_EQ(printed.size(), static_cast<size_t>(screen.items.GetCount()));
        for (size_t row = 0; row < printed.size(); ++row)
            EXPECT_EQ(S(printed[row].texts.valoareTVA), S(screen.items.GetAt(static_cast<int>(row))->valoareTVA)) << "row " << row;
    }
}
