#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorSetup : public EditorTest {};

TEST_F(EditorSetup, NewDocumentOfEachTypeShowsTitleNumberCompanyAndVatList)
{
    tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FV' where id = 1");
    tempDb.Exec(L"update Societate set cotaTVA = 1 where id = 1");
    tempDb.Exec(L"update Utilizator set Nume = 'Ion Pop', CI = 'RX 1', CNP = '1800101' where id = 1");
    for (int tip = 0; tip <= 4; ++tip) {
        MyFacturiDialog editor(nullptr);
        editor.tip = tip;
        bool nir = tip == 3;
        Run(editor, [&](HWND w) {
            EXPECT_EQ(std::wstring(L"-0000001-|") + (tip == 0 ? L"FV" : L"") + L"|Firma Mea SRL|Ion Pop|MAGAZIE CENTRALA",
                      Fields(w, {IDC_FE_NUMBER, IDC_FE_SERIES, IDC_FE_COMPANY_NAME, IDC_FE_USER_NAME, IDC_FE_WAREHOUSE}));
            EXPECT_EQ(nir ? L"Nr.Factura:|Nr.NIR:" : L"Serie:|Nr.Document:", Fields(w, {IDC_FE_SERIES_LABEL, IDC_FE_NUMBER_LABEL}));
            EXPECT_EQ(nir, ModalDriver::IsVisible(w, IDC_FE_SUPPLIER_INVOICE));
            EXPECT_EQ(!nir, ModalDriver::IsVisible(w, IDC_FE_SERIES));
            EXPECT_EQ(1, SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0));
        });
        EXPECT_EQ(1u, editor.idRezervat);
    }
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
}

TEST_F(EditorSetup, StoredInvoiceOpensWithPartnerDelegateRecomputedLinesAndDiscount)
{
    unsigned long long clientId = tempDb.AddClient(L"Beta SRL", 0, L"555");
    unsigned long long delegateId = tempDb.AddAgent(L"Vasile Delegat");
    // The product's VAT code changed to 9 % since the invoice was written.
    unsigned long long product = tempDb.AddProduct(L"Ciment", 50.0, 1, L"sac");
    tempDb.Exec(micro::utils::QString::Formatted(
                    L"insert into Facturi values (5, 1, 12, %llu, 1700000000, 1702592000, 0, %llu, 90, 8.1, 98.1, "
                    L"98.1, 'AB')",
                    clientId, delegateId)
                    .c_str());
    StoreLine(L"ArticoleFacturi", 5, product, 2, 50);
    StoreLine(L"ArticoleFacturi", 5, 0, -1, 10);
    RunDocument(0, 5, [&](HWND w) {
        EXPECT_EQ(L"-0000012-|AB|Beta SRL|555|Vasile Delegat|B 01 ABC|14-12-2023",
                  Fields(w, {IDC_FE_NUMBER, IDC_FE_SERIES, IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_CIF, IDC_FE_DELEGATE_NAME,
                             IDC_FE_DELEGATE_CAR, IDC_FE_DUE_DATE}));
        ASSERT_EQ(2, Rows(w));
        EXPECT_EQ(L"Ciment|100.00|9.00|9%", Cells(w, 0, {2, 7, 8, 10}));
        EXPECT_EQ(L"Discount 10%|-10.00", Cells(w, 1, {2, 7}));
        EXPECT_EQ(L"90.00", Text(w, IDC_FE_TOTAL_NET));
    });
}

TEST_F(EditorSetup, ClosedStatusesDisableLineCommandsAndDiscountAndNoStoredNumberChanges)
{
    unsigned long long clientId = tempDb.AddClient(L"Gamma SRL");
    for (int status = 1; status <= 4; ++status) {
        unsigned long long invoice = StoreInvoice(clientId, status, 10, 0, 10, 10, status);
        RunDocument(0, invoice, [&](HWND w) {
            for (int id : {IDOK, IDC_FE_DELETE_LINE, IDC_FE_APPLY_DISCOUNT})
                EXPECT_EQ(status == 1, ModalDriver::IsEnabled(w, id)) << status;
            EXPECT_TRUE(ModalDriver::IsEnabled(w, IDC_FE_SAVE) && ModalDriver::IsEnabled(w, IDC_FE_PRINT));
            SetFocus(GetDlgItem(w, IDC_FE_NUMBER)); // a stored document keeps its number
        });
    }
    EXPECT_EQ(4u, boxes.Count());
    EXPECT_TRUE(boxes.Saw(L"Documentul este deja inregistrat in baza de date\nnumarul si seria nu mai pot fi modificate !"));
}

TEST_F(EditorSetup, CompanyReadFailureStillFillsTheVatList)
{
    // An older company table without most columns: the read fails, the VAT list stays usable.
    tempDb.Exec(L"drop table Societate");
    tempDb.Exec(L"create table Societate (id INTEGER PRIMARY KEY, denumire varchar, cui varchar, tvaincasare int, "
                L"banca varchar, cont varchar, adresa varchar, oras varchar, telefon varchar, fax varchar, "
                L"logo blob, cotaTVA int, background blob, stampila blob, banca2 varchar, cont2 varchar)");
    tempDb.Exec(L"insert into Societate (id, denumire, cotaTVA) values (1, 'Veche', 2)");
    RunDocument(0, 0, [&](HWND w) {
        EXPECT_EQ(4, SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCOUNT, 0, 0));
        EXPECT_GE(SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0), 0);
    });
    EXPECT_EQ("[Message]", boxes.Describe().substr(0, 9));
    EXPECT_EQ(1u, boxes.Count());
}

} // namespace
