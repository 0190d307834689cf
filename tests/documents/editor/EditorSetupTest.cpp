#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorSetup : public EditorTest {};

TEST_F(EditorSetup, CompanyReadFailureStillFillsTheVatList)
{
    // A new line starts at the company's VAT code.
    tempDb.Exec(L"update Societate set cotaTVA = 1 where id = 1");
    RunDocument(0, 0, [&](HWND w) { EXPECT_EQ(1, SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0)); });
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
