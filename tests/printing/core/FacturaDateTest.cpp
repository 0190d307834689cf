#include <gtest/gtest.h>
#include <string>
#include "printing/FacturaDate.h"
#include "printing/layouts/PrintedItems.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/printing/support/PrintFixtures.h"

using namespace printing_tests;

namespace {

std::wstring S(const micro::utils::QString& text)
{
    return std::wstring(text.c_str());
}

class FacturaDateTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL', cui = 'RO123', tvaincasare = 1, "
                    L"banca2 = 'ING', cont2 = 'RO02', logo = x'89504E47' where id = 1");
        tempDb.Exec(L"update Utilizator set Nume = 'Ion Pop', CI = 'RX 1', CNP = '1800101' where id = 1");
        tempDb.Exec(L"update ConfigFacturi set numarChit = 41, serie_chit = 'CNT' where id = 1");
    }
    const wchar_t* Item(const FacturaDate& doc, int row, int column)
    {
        const ItemFactura* item = doc.items.GetAt(row);
        if (!item)
            return L"<no row>";
        const micro::utils::QString* fields[] = {&item->nrCrt, &item->denumire, &item->um, &item->cantitate,
                                                 &item->pretUnitar, &item->valoare, &item->valoareTVA,
                                                 &item->cotaTVA};
        return fields[column]->c_str();
    }
};

} // namespace

TEST_F(FacturaDateTest, InvoiceReadsHeaderPartnerCompanyDelegateAndLines)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL", 0, L"RO777");
    unsigned long long agent = tempDb.AddAgent(L"Vasile Delegat");
    unsigned long long bread = tempDb.AddProduct(L"Paine", 5, 1, L"Buc");
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 7, client, 45, 4.05, 49.05, L"FCT", agent);
    AddLine(tempDb, L"ArticoleFacturi", invoice, bread, 10, 5);
    AddLine(tempDb, L"ArticoleFacturi", invoice, 0, 1, -5);

    FacturaDate doc(invoice, 0);
    EXPECT_EQ(L"7", S(doc.numar));
    EXPECT_EQ(L"14-11-2023", S(doc.dataCreare));
    EXPECT_EQ(L"14-12-2023", S(doc.dataScadenta));
    EXPECT_EQ(L"Client Unu SRL", S(doc.clientNume));
    EXPECT_EQ(L"Firma Mea SRL", S(doc.societateDenumire));
    EXPECT_EQ(4, doc.logo.GetCount());
    EXPECT_EQ(L"Ion Pop", S(doc.emitentNume));
    EXPECT_EQ(L"Vasile Delegat", S(doc.delegatNume));
    EXPECT_EQ(L"49.05", S(doc.valoareTTI));
    EXPECT_EQ(L"45.0", S(doc.valoareFT));
    EXPECT_EQ(L" patruzeci si noua   lei si  cinci  bani ", S(doc.totalInLitere));
    EXPECT_EQ(1, doc.tvaLaIncasare);

    ASSERT_EQ(2, doc.items.GetCount());
    const wchar_t* first[] = {L"1", L"Paine", L"Buc", L"10.00", L"5.00", L"50.00", L"4.50", L"9%"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(std::wstring(first[c]), Item(doc, 0, c)) << "column " << c;
    // The discount line takes the 9 % of the line above it; -5 of a net 45 after the discount is -12.5 %.
    const wchar_t* discount[] = {L"2", L"Discount -12%", L"", L"1.00", L"-5.00", L"-5.00", L"-0.45", L"9%"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(std::wstring(discount[c]), Item(doc, 1, c)) << "column " << c;
    EXPECT_EQ(1, doc.ultimaCotaTVA);
}

TEST_F(FacturaDateTest, DiscountPercentageUsesTheDocumentsOwnNetValue)
{
    // An invoice with the same id but a much larger net value must not count.
    unsigned long long proforma = AddHeader(tempDb, L"Proforme", 3, 0, 90, 0, 90, L"PRF");
    tempDb.Exec(micro::qsql::SqlFormat(L"insert into Facturi (id, numar, valoareFT) values (%llu, 99, 10000)",
                                       proforma)
                    .c_str());
    AddLine(tempDb, L"ArticoleProforme", proforma, 0, 1, 10);
    unsigned long long empty = AddHeader(tempDb, L"Proforme", 4, 0, 0, 0, 0, L"PRF");
    AddLine(tempDb, L"ArticoleProforme", empty, 0, 1, 0);

    FacturaDate doc(proforma, 1);
    EXPECT_EQ(L"Discount 10%", std::wstring(Item(doc, 0, 1)));
    EXPECT_EQ(L"24%", std::wstring(Item(doc, 0, 7)));   // no product line above: code 0
    FacturaDate zero(empty, 1);
    EXPECT_EQ(L"Discount 0%", std::wstring(Item(zero, 0, 1)));
}

TEST_F(FacturaDateTest, ReturnInvoiceReadsTheInvoiceTables)
{
    unsigned long long product = tempDb.AddProduct(L"Cui", 2, 2, L"Kg");
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 8, 0, -6, -0.3, -6.3, L"STO");
    AddLine(tempDb, L"ArticoleFacturi", invoice, product, -3, 2);
    FacturaDate doc(invoice, 4);
    ASSERT_EQ(1, doc.items.GetCount());
    EXPECT_EQ(L"-0.30", std::wstring(Item(doc, 0, 6)));
    EXPECT_EQ(L"5%", std::wstring(Item(doc, 0, 7)));
    EXPECT_EQ(L"", S(doc.totalInLitere));   // a negative total has no words
}

TEST_F(FacturaDateTest, SampleDocumentForIdZeroAndForAMissingHeader)
{
    FacturaDate sample(0, 0);
    EXPECT_EQ(L"1001", S(sample.numar));
    EXPECT_EQ(std::wstring(33, L'.'), S(sample.delegatNume));
    EXPECT_EQ(0, sample.items.GetCount());
    EXPECT_EQ(L"", S(sample.valoareTTI));
    EXPECT_EQ(L" ", S(sample.totalInLitere));
    EXPECT_EQ(L"Firma Mea SRL", S(sample.societateDenumire));
    EXPECT_EQ(L"42", S(sample.chitantaNumar));
    EXPECT_EQ(L"CNT", S(sample.chitantaSerie));

    unsigned long long product = tempDb.AddProduct(L"Sare", 1, 0, L"Kg");
    AddLine(tempDb, L"ArticoleFacturi", 555, product, 3, 10);
    FacturaDate missing(555, 0);
    EXPECT_EQ(L"1001", S(missing.numar));
    EXPECT_EQ(0ULL, missing.clientId);
    ASSERT_EQ(1, missing.items.GetCount());
    EXPECT_EQ(L"30.00", std::wstring(Item(missing, 0, 5)));
    EXPECT_EQ(L"7.20", std::wstring(Item(missing, 0, 6)));
}

TEST_F(FacturaDateTest, ExistingReceiptIsTheLastLiveOneOfThisClientAndNumber)
{
    unsigned long long client = tempDb.AddClient(L"Client Unu SRL");
    unsigned long long other = tempDb.AddClient(L"Client Doi SRL");
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 7, client, 10, 2.4, 12.4);
    AddHeader(tempDb, L"Facturi", 7, other, 10, 2.4, 12.4);
    AddReceipt(tempDb, L" 7", L"AAA", 3, client, 2);
    AddReceipt(tempDb, L" 7", L"BBB", 4, client, 1);
    AddReceipt(tempDb, L" 7", L"CCC", 5, client, 3);     // cancelled
    AddReceipt(tempDb, L" 7", L"DDD", 6, other, 2);      // the other client's invoice 7
    AddReceipt(tempDb, L" 7, 8", L"EEE", 7, client, 2);  // several documents: none of them

    FacturaDate doc(invoice, 0);
    EXPECT_EQ(2ULL, doc.chitantaId);
    EXPECT_EQ(L"BBB", S(doc.chitantaSerie));
    EXPECT_EQ(L"4", S(doc.chitantaNumar));
}

TEST_F(FacturaDateTest, BrokenTablesAreReportedAndTheRestIsStillRead)
{
    unsigned long long invoice = AddHeader(tempDb, L"Facturi", 9, 0, 10, 2.4, 12.4, L"FCT", 0, -1, 1700000000);
    tempDb.Exec(L"drop table ArticoleFacturi");
    tempDb.Exec(L"drop table Incasari");
    testing_support::MessageBoxRecorder boxes;
    FacturaDate doc(invoice, 0);
    EXPECT_EQ(L"9", S(doc.numar));
    EXPECT_EQ(0, doc.items.GetCount());
    ASSERT_EQ(2u, boxes.Count()) << boxes.Describe();
    int lines = 0, receipts = 0;
    for (const auto& box : boxes.Boxes()) {
        EXPECT_EQ(L"Message", box.caption);
        lines += box.text.find(L"ArticoleFacturi") != std::wstring::npos;
        receipts += box.text.find(L"Eroare la Incasari: ") == 0;
    }
    EXPECT_EQ(1, lines) << boxes.Describe();
    EXPECT_EQ(1, receipts) << boxes.Describe();
    EXPECT_EQ(L"42", S(doc.chitantaNumar));
    EXPECT_EQ(L"01-01-2020", S(doc.dataCreare));   // a date the clock rejects keeps the sample
    EXPECT_EQ(L"14-11-2023", S(doc.dataScadenta));
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
            EXPECT_EQ(S(printed[row].texts.valoareTVA), Item(screen, static_cast<int>(row), 6)) << "row " << row;
    }
}
