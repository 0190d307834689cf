#include <gtest/gtest.h>
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

class Repository : public DatabaseTest {
protected:
    std::wstring Text(const std::wstring& sql) { return tempDb.Text(sql.c_str()); }

    // A new invoice-like header of the type, as the document editor saves it.
    bool SaveNew(int type, long long number, unsigned long long* stored = nullptr, unsigned long long id = 0,
                 bool duplicate = false)
    {
        return db().SaveDocumentHeader(type, id, duplicate, StatusTemporary, number, 1, 1700000000, 1702592000, 0, 0,
                                       100.0, 24.0, 124.0, 124.0, L"BRV", stored);
    }
};

} // namespace

TEST_F(Repository, CompanyUserAndProductKeepTheirTextNumbersAndPicture)
{
    std::wstring longName(5000, L'ș');
    longName[10] = L'\'';
    longName[20] = L'%';
    ASSERT_TRUE(db().UpdateCompanyFromDocument(longName.c_str(), L"RO'123", L"J40/1", L"Str. O'Neil 2", L"Brașov",
                                               L"0722000111", L"100% Bank", L"RO49AAAA", 1, 2));
    EXPECT_EQ(longName, Text(L"select denumire from Societate where id = 1"));
    EXPECT_EQ(L"RO'123|J40/1|Str. O'Neil 2|Brașov|0722000111|100% Bank|RO49AAAA",
              Text(L"select cui||'|'||nrreg||'|'||adresa||'|'||oras||'|'||telefon||'|'||banca||'|'||cont from Societate"));

    ASSERT_TRUE(db().UpdateUserIdentity(L"Ștefan Țăran", L"RX 'x'", L"1800101"));
    micro::utils::QString name, card, code;
    ASSERT_TRUE(GetUserIdentity(name, card, code));
    EXPECT_EQ(L"Ștefan Țăran|RX 'x'", std::wstring(name.c_str()) + L"|" + card.c_str());

    unsigned char picture[2048];
    for (int i = 0; i < 2048; ++i)
        picture[i] = static_cast<unsigned char>(i * 13);
    ProductRecord p;
    p.denumire = L"Ulei 100% d'măsline";
    p.pretVanzare = 30.123456789;
    p.ultPretdeCump = 19.5;
    p.picture = picture;
    p.pictureSize = sizeof(picture);
    unsigned long long id = 0;
    ASSERT_TRUE(db().InsertProduct(p, &id));
    QsqlQuery q = db().ExecQuery(SqlFormat(L"select poza, denumire, pretVanzare, ultPretdeCump from Produse where id = "
                                           L"%llu", id).c_str());
    EXPECT_EQ(L"Ulei 100% d'măsline 30.123456789 19.5", std::wstring(q.GetStringField(1).c_str()) + L" " +
                                                            q.GetStringField(2).c_str() + L" " + q.GetStringField(3).c_str());
    int size = 0;
    const unsigned char* blob = q.GetBlobField(0, size);
    ASSERT_EQ(2048, size);
    EXPECT_EQ(0, memcmp(picture, blob, size));
}

TEST_F(Repository, SaveClientFindsExactlyThatNameOrInsertsIt)
{
    unsigned long long first = db().SaveClient(0, L"Alfa SRL", L"RO1", L"J1", L"Str. 1", L"Cluj", L"0264", L"BT", L"RO1X");
    ASSERT_NE(0u, first);
    EXPECT_EQ(first, db().SaveClient(0, L"Alfa SRL", L"RO2", L"J2", L"Str. 2", L"Iasi", L"0232", L"BRD", L"RO2X"));
    EXPECT_EQ(L"RO2|J2|Str. 2|Iasi|0232|BRD|RO2X|1", Text(L"select Cod||'|'||NrReg||'|'||Adresa||'|'||Oras||'|'||"
                                                          L"Telefon||'|'||Banca||'|'||Cont||'|'||count(*) from Clienti"));
    // Another case is another partner; a supplier goes to its own table.
    EXPECT_NE(first, db().SaveClient(0, L"ALFA SRL", L"", L"", L"", L"", L"", L"", L""));
    unsigned long long supplier = db().SaveClient(1, L"Alfa SRL", L"RO9", L"", L"", L"", L"", L"", L"");
    EXPECT_EQ(L"Alfa SRL 2", std::wstring(GetSupplierName(supplier).c_str()) + L" " + Text(L"select count(*) from Clienti"));
    // Names with quotes, percents and lone surrogates: SafeWritesTest.
}

TEST_F(Repository, NewHeaderRecordsItsStoredIdAndRaisesOnlyItsOwnTypesCounterAndADuplicateKeepsItsReservedId)
{
    db().ExecDML(L"insert into Facturi (id, numar) values (6, 1)");
    unsigned long long stored = 0;
    ASSERT_TRUE(SaveNew(DocumentInvoice, 12, &stored));
    EXPECT_EQ(7u, stored);
    EXPECT_EQ(L"7 12 BRV 124.0 1702592000", Text(L"select idFactura || ' ' || numarFactura || ' ' || serie || ' ' || "
                                                 L"valoareTTI || ' ' || dataScadenta from iduri, ConfigFacturi, Facturi f "
                                                 L"where f.id = 7"));

    // Saving it again updates the same row; its number no longer drives the counter.
    ASSERT_TRUE(db().SaveDocumentHeader(DocumentInvoice, 7, false, StatusValidated, 40, 1, 1700000000, 1700000000, 0,
                                        0, 1.0, 0.0, 1.0, 0.0, L"D'A", &stored));
    EXPECT_EQ(7u, stored);
    EXPECT_EQ(L"2 40 D'A 12", Text(L"select (select count(*) from Facturi) || ' ' || numar || ' ' || serie || ' ' || "
                                   L"numarFactura from Facturi, ConfigFacturi where Facturi.id = 7"));

    // A new document with a lower number leaves the counter and the last id where they are.
    ASSERT_TRUE(db().SaveDocumentHeader(DocumentInvoice, 6, false, StatusValidated, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, L""));
    EXPECT_EQ(7, tempDb.Scalar(L"select idFactura from iduri"));
    ASSERT_TRUE(SaveNew(DocumentReturnInvoice, 5, &stored));
    EXPECT_EQ(8u, stored);
    EXPECT_EQ(L"12 8", Text(L"select numarFactura || ' ' || idFactura from ConfigFacturi, iduri"));

    // Each type keeps its own counter; delivery notes have none.
    ASSERT_TRUE(SaveNew(DocumentProforma, 3));
    ASSERT_TRUE(SaveNew(DocumentGoodsReceived, 4));
    ASSERT_TRUE(SaveNew(DocumentDeliveryNote, 9));
    EXPECT_EQ(L"3 4 12 1 1 1 1 124.0", Text(L"select numarProforma || ' ' || numarNir || ' ' || numarFactura || ' ' || "
                                            L"idProforma || ' ' || idNir || ' ' || idAvize || ' ' || (select count(*) "
                                            L"from Avize) || ' ' || (select valoareTTI from Niruri) from ConfigFacturi, "
                                            L"iduri"));

    // A duplicate is stored under the id reserved for it; that id taken meanwhile is refused, not stored elsewhere.
    ASSERT_TRUE(SaveNew(DocumentInvoice, 13, &stored, 9, true));
    EXPECT_EQ(9u, stored);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(SaveNew(DocumentInvoice, 14, &stored, 9, true));
    EXPECT_EQ(9u, stored);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Error", boxes.Last().caption);
    // Updating a row that is not there is a failure too.
    EXPECT_FALSE(db().SaveDocumentHeader(DocumentInvoice, 50, false, StatusTemporary, 8, 1, 0, 0, 0, 0, 1, 0, 1, 1,
                                         L"", &stored));
    EXPECT_EQ(9u, stored);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(L"SQLITE_NOTFOUND[12]: no such row: Facturi.id = 50", boxes.Last().text);
    EXPECT_EQ(L"4 13 9", Text(L"select (select count(*) from Facturi) || ' ' || numarFactura || ' ' || idFactura from "
                              L"ConfigFacturi, iduri"));
}

TEST_F(Repository, ASaveRunAsOneUnitRollsBackOnTheFirstFailureAndAloneEachFailureIsShown)
{
    db().ExecDML(L"drop table Agenti");
    MessageBoxRecorder boxes;
    try {
        QsqlTransaction transaction(db());
        MyRepository::ThrowErrors raise(db());
        db().UpdateUserIdentity(L"Ana", L"", L"");
        db().SaveClient(0, L"Beta", L"", L"", L"", L"", L"", L"", L"");
        db().SaveAgent(L"Delegat", L"", L"", L"");
        db().InsertDocumentItem(DocumentInvoice, 1, 1, 1, 1, 0);
        transaction.Commit();
        FAIL() << "no error";
    } catch (const QSqlError& error) {
        EXPECT_STREQ(L"SQLITE_ERROR[1]: no such table: Agenti", error.GetText().c_str());
    }
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(L" 0 0", Text(L"select coalesce(Nume, '') || ' ' || (select count(*) from Clienti) || ' ' || (select "
                            L"count(*) from ArticoleFacturi) from Utilizator"));
    EXPECT_FALSE(db().InTransaction());
    // Outside the guard each failure is shown and answered as such.
    for (const wchar_t* table : {L"Clienti", L"ArticoleFacturi", L"Utilizator"})
        db().ExecDML(SqlFormat(L"drop table %s", table).c_str());
    EXPECT_TRUE(db().SaveAgent(L"Delegat", L"", L"", L"") == 0 && db().SaveClient(0, L"x", L"", L"", L"", L"", L"", L"", L"") == 0);
    EXPECT_FALSE(db().InsertDocumentItem(DocumentInvoice, 1, 1, 1, 1, 0) || db().DeleteDocumentItems(DocumentInvoice, 1) ||
                 db().UpdateUserIdentity(L"a", L"b", L"c"));
    ASSERT_EQ(5u, boxes.Count());
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: Agenti", boxes.Boxes()[0].text);
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: Utilizator", boxes.Last().text);
    EXPECT_FALSE(db().InTransaction());
}

TEST_F(Repository, ProductPricingWritesOnlyThePriceMeant)
{
    unsigned long long id = tempDb.AddProduct(L"Cuie", 5.0, 0, L"Buc", 3.0);
    // A goods-received line priced 0 keeps the sale price.
    auto prices = [&] {
        return Text(L"select pretCumparare || ' ' || pretVanzare || ' ' || TVA from Produse where id > 0");
    };
    ASSERT_TRUE(db().UpdateProductPricing(L"Kg", 1, 0.0, 0.0, 1, id));
    EXPECT_EQ(L"3.0 5.0 1", prices());
    ASSERT_TRUE(db().UpdateProductPricing(L"Kg", 1, 0.0, 6.25, 1, id));
    EXPECT_EQ(L"3.0 6.25 1", prices());
    // The explicit form can set a price to 0 on purpose.
    ASSERT_TRUE(db().UpdateProductPricing(L"Kg", 1, MyRepository::PurchasePrice, 0.0, 1, id));
    EXPECT_EQ(L"0.0 6.25 1", prices());
    ASSERT_TRUE(db().UpdateProductPricing(L"Kg", 2, MyRepository::SalePrice, 7.5, 0, id));
    EXPECT_EQ(L"0.0 7.5 2", prices());
}
