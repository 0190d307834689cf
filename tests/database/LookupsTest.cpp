#include <gtest/gtest.h>
#include "database/Lookups.h"
#include "database/qsql/SqlText.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/TempDatabase.h"

using namespace micro::qsql;
using micro::utils::QString;
using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;

namespace {

std::wstring W(const QString& text)
{
    return text.c_str();
}

class Lookups : public DatabaseTest {
protected:
    void Exec(const wchar_t* sql) { db().ExecDML(sql); }
};

} // namespace

TEST_F(Lookups, ClientKeysNameTheirColumnsAndAbsentRowsReadEmpty)
{
    Exec(L"insert into Clienti (id, Nume, Cod, NrReg, Adresa, Oras, Telefon, Banca, Cont, ModPlata, Delegat, Scadenta) "
         L"values (4, 'Alfa SRL', 'RO123', 'J40/1', 'Str. A', 'Cluj', '0722000111', 'BRD', 'RO49X', 2, 9, 30)");
    EXPECT_EQ(L"Alfa SRL", W(GetClientField(4, 1)));
    EXPECT_EQ(L"RO123", W(GetClientField(4, 3)));
    EXPECT_EQ(L"BRD", W(GetClientField(4, 25)));
    for (int k : {0, 2, 4, 99, -1})
        EXPECT_EQ(L"", W(GetClientField(4, k))) << k;
    EXPECT_EQ(L"", W(GetClientField(5, 1)));
    QString out(L"old");
    GetClientField(out, 5, 1);
    EXPECT_EQ(L"", W(out));
    GetClientField(out, 4, 1);
    EXPECT_EQ(L"Alfa SRL", W(out));

    EXPECT_EQ(2, GetClientIntField(4, 2));
    EXPECT_EQ(9, GetClientIntField(4, 7));
    EXPECT_EQ(30, GetClientIntField(4, 8));
    EXPECT_EQ(0, GetClientIntField(4, 1));
    EXPECT_EQ(0, GetClientIntField(5, 8));
    Exec(L"insert into Clienti (id, Nume) values (6, 'Fara termen')");
    EXPECT_EQ(0, GetClientIntField(6, 8));
}

TEST_F(Lookups, SupplierAccountAndAgentLookups)
{
    unsigned long long supplier = tempDb.AddSupplier(L"D'Artagnan SRL");
    EXPECT_EQ(L"D'Artagnan SRL", W(GetSupplierName(supplier)));
    EXPECT_EQ(L"", W(GetSupplierName(supplier + 1)));
    QString name;
    GetSupplierName(name, supplier);
    EXPECT_EQ(L"D'Artagnan SRL", W(name));

    // Callers map a combo index i to id i + 1: the payment types are contiguous from 1.
    EXPECT_EQ(L"Numerar", W(GetAccountDescription(1)));
    QString account;
    GetAccountDescription(account, 2);
    EXPECT_EQ(L"Ordin de plata", W(account));
    EXPECT_EQ(L"", W(GetAccountDescription(0)));
    EXPECT_EQ(L"", W(GetAccountDescription(999)));

    Exec(L"insert into Agenti (id, numeAgent, CNP, serie, eliberat, telefon, fax, email, comision, zona, auto) values "
         L"(3, 'Ion Pop', '1800101400001', 'RX 123456', 'SPCLEP', '0744', '021', 'ion@x.ro', 5.5, 'Nord', 'B 01 ABC')");
    const wchar_t* expected[] = {L"Ion Pop", L"1800101400001", L"RX 123456", L"SPCLEP",  L"0744",
                                 L"021",     L"ion@x.ro",      L"5.5",       L"Nord",    L"B 01 ABC"};
    for (int k = 1; k <= 10; ++k) {
        QString text;
        GetAgentField(3, k, text);
        EXPECT_EQ(expected[k - 1], W(text)) << k;
    }
    QString text(L"x");
    GetAgentField(3, 11, text);
    EXPECT_EQ(L"", W(text));
    text = L"x";
    GetAgentField(4, 1, text);
    EXPECT_EQ(L"", W(text));
}

TEST_F(Lookups, PartnerNamesShowTheirOwnErrorAndLeaveTheText)
{
    Exec(L"drop table Clienti");
    Exec(L"drop table Furnizori");
    MessageBoxRecorder boxes;
    QString text(L"kept");
    GetClientField(text, 1, 1);
    EXPECT_EQ(L"kept", W(text));
    EXPECT_EQ(L"", W(GetClientField(1, 1)));
    GetSupplierName(text, 1);
    EXPECT_EQ(L"kept", W(text));
    ASSERT_EQ(3u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"ERROR", boxes.Last().caption);
    EXPECT_EQ(nullptr, boxes.Last().owner);
    EXPECT_EQ(L"SQLITE_ERROR[1]: no such table: Furnizori", boxes.Last().text);
    // The integer look-up leaves the error to its caller.
    EXPECT_THROW(GetClientIntField(1, 2), QSqlError);
}

TEST_F(Lookups, ProductKeysNameTheirColumns)
{
    Exec(L"insert into Produse (id, denumire, denumireExtinsa, codExtern, depozit, furnizor, UM, categorie, moneda, TVA, "
         L"modificat, optiuniTVA, sablonTVA, stocReal, pretCumparare, pretVanzare, ultPretdeCump) values "
         L"(12, 'Surub M6', 'Surub M6 zincat', 'EXT-6', 'MAGAZIE', 'Metal SA', 'Buc', '2', 2, 1, 4, 5, 6, 17.5, 0.25, "
         L"0.4, 0.3)");
    const wchar_t* texts[] = {L"Surub M6", L"Surub M6 zincat", L"EXT-6", L"MAGAZIE", L"Metal SA", L"Buc", L"2"};
    for (int k = 1; k <= 7; ++k) {
        QString text;
        GetProductTextField(text, 12, k);
        EXPECT_EQ(texts[k - 1], W(text)) << k;
    }
    const long long ints[] = {2, 0 /* UM holds text */, 1, 4, 5, 6};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(ints[k - 1], GetProductIntField(12, k)) << k;
    EXPECT_DOUBLE_EQ(17.5, GetProductNumField(12, 3));
    EXPECT_DOUBLE_EQ(0.25, GetProductNumField(12, 4));
    EXPECT_DOUBLE_EQ(0.4, GetProductNumField(12, 5));
    EXPECT_DOUBLE_EQ(0.3, GetProductNumField(12, 8));

    // Unknown keys, a missing product and NULL columns give the empty answers.
    QString text(L"x");
    GetProductTextField(text, 12, 0);
    EXPECT_EQ(L"", W(text));
    text = L"x";
    GetProductTextField(text, 13, 1);
    EXPECT_EQ(L"", W(text));
    EXPECT_EQ(0, GetProductIntField(12, 7));
    EXPECT_EQ(0, GetProductIntField(13, 1));
    for (int k : {1, 2, 6, 7})
        EXPECT_EQ(0.0, GetProductNumField(12, k)) << k;
    EXPECT_EQ(0.0, GetProductNumField(13, 5));
    Exec(L"insert into Produse (id, denumire) values (14, 'Gol')");
    text = L"x";
    GetProductTextField(text, 14, 6);
    EXPECT_EQ(L"", W(text));
    EXPECT_EQ(0, GetProductIntField(14, 3));
    EXPECT_EQ(0.0, GetProductNumField(14, 5));
    // The discount line's product is row 0.
    GetProductTextField(text, 0, 1);
    EXPECT_EQ(L"Discount", W(text));
    // The product look-ups leave a database error to their caller.
    Exec(L"drop table Produse");
    EXPECT_THROW(GetProductTextField(text, 12, 1), QSqlError);
    EXPECT_THROW(GetProductNumField(12, 5), QSqlError);
}

TEST_F(Lookups, NumberingSettingsOfANewAndAFilledDatabase)
{
    QString series(L"x");
    GetDocumentSeries(series, 1);
    EXPECT_EQ(L"", W(series));
    GetDocumentSeries(series, 2);
    EXPECT_EQ(L"CNT", W(series));
    // An empty database offers document number 1.
    for (int k : {8, 9, 10, 11, 13})
        EXPECT_EQ(0, GetInvoiceConfigValue(k)) << k;
    EXPECT_EQ(30, GetInvoiceConfigValue(15));

    Exec(L"update ConfigFacturi set serie_facturi = 'BRV', numarFactura = 81, numarNir = 82, numarChit = 83, "
         L"numarProforma = 84, numarPlati = 85, perioadaPreluare = 60 where id = 1");
    GetDocumentSeries(series, 1);
    EXPECT_EQ(L"BRV", W(series));
    GetDocumentSeries(series, 3);  // the payment series is selected, not answered
    EXPECT_EQ(L"", W(series));
    EXPECT_EQ(81, GetInvoiceConfigValue(8));
    EXPECT_EQ(82, GetInvoiceConfigValue(9));
    EXPECT_EQ(83, GetInvoiceConfigValue(10));
    EXPECT_EQ(84, GetInvoiceConfigValue(11));
    EXPECT_EQ(85, GetInvoiceConfigValue(13));
    EXPECT_EQ(60, GetInvoiceConfigValue(15));
    for (int k : {0, 1, 12, 14, 16})
        EXPECT_EQ(0, GetInvoiceConfigValue(k)) << k;
    Exec(L"update ConfigFacturi set numarChit = NULL");
    EXPECT_EQ(0, GetInvoiceConfigValue(10));

    Exec(L"update iduri set idIntrari = 7, idIesiri = 9, idFactura = 11 where id = 1");
    EXPECT_EQ(7, GetLastDocumentId(6));
    EXPECT_EQ(9, GetLastDocumentId(7));
    EXPECT_EQ(0, GetLastDocumentId(2));
}

TEST_F(Lookups, UserIdentityAndCompanyVat)
{
    Exec(L"update Utilizator set Nume = 'Ana Ionescu', CI = 'RX 1', CNP = '2900101' where id = 1");
    QString name, card, code;
    EXPECT_TRUE(GetUserIdentity(name, card, code));
    EXPECT_EQ(L"Ana Ionescu", W(name));
    EXPECT_EQ(L"RX 1", W(card));
    EXPECT_EQ(L"2900101", W(code));
    Exec(L"delete from Utilizator");
    EXPECT_FALSE(GetUserIdentity(name, card, code));
    EXPECT_EQ(L"", W(name));
    EXPECT_EQ(L"", W(card));
    EXPECT_EQ(L"", W(code));

    const double factors[] = {1.24, 1.09, 1.05, 1.0, 0.0};
    for (int code = 0; code <= 4; ++code) {
        Exec(SqlFormat(L"update Societate set cotaTVA = %d, tvaincasare = 1 where id = 1", code).c_str());
        EXPECT_DOUBLE_EQ(factors[code], GetCompanyVatSetting(2)) << code;
    }
    EXPECT_DOUBLE_EQ(1.0, GetCompanyVatSetting(1));
    EXPECT_DOUBLE_EQ(0.0, GetCompanyVatSetting(3));
}

TEST_F(Lookups, InvoiceValuesAndTheCompanyBackground)
{
    Exec(L"insert into Facturi (id, dataCreare, valoareFT) values (8, 1700000000, 1234.5)");
    Exec(L"insert into Facturi (id) values (9)");
    EXPECT_DOUBLE_EQ(1234.5, GetInvoiceNetValue(8));
    EXPECT_EQ(1700000000, GetInvoiceCreationDate(8));
    EXPECT_EQ(0.0, GetInvoiceNetValue(9));
    EXPECT_EQ(0, GetInvoiceCreationDate(9));
    EXPECT_EQ(0.0, GetInvoiceNetValue(10));
    EXPECT_EQ(0, GetInvoiceCreationDate(10));

    micro::utils::QBuffer background;
    background.Append("old", 3);
    LoadCompanyBackground(background);
    EXPECT_TRUE(background.IsEmpty());
    unsigned char picture[1000];
    for (int i = 0; i < 1000; ++i)
        picture[i] = static_cast<unsigned char>(i * 7);
    QsqlStatement st = db().CompileStatement(L"update Societate set background = ? where id = 1");
    st.Bind(1, picture, sizeof(picture));
    st.ExecDML();
    LoadCompanyBackground(background);
    ASSERT_EQ(1000, background.GetCount());
    EXPECT_EQ(0, memcmp(picture, background.GetData(), sizeof(picture)));
    Exec(L"drop table Societate");
    EXPECT_THROW(LoadCompanyBackground(background), QSqlError);
}
