#include "tests/documents/support/EditorFixture.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

class EditorSetup : public EditorTest {};

// A new line starts at the company's VAT code; an editor that cannot read
// the company (an older company table without most columns) says why and does
// not open with the company's boxes empty.
TEST_F(EditorSetup, NewLinesStartAtTheCompanyVatAndACompanyReadFailureKeepsTheEditorClosed)
{
    tempDb.Exec(L"update Societate set cotaTVA = 1 where id = 1");
    RunDocument(0, 0, [&](HWND w) { EXPECT_EQ(1, SendDlgItemMessageW(w, IDC_FE_VAT, CB_GETCURSEL, 0, 0)); });
    tempDb.Exec(L"drop table Societate");
    tempDb.Exec(L"create table Societate (id INTEGER PRIMARY KEY, denumire varchar, cui varchar, tvaincasare int, "
                L"banca varchar, cont varchar, adresa varchar, oras varchar, telefon varchar, fax varchar, "
                L"logo blob, cotaTVA int, background blob, stampila blob, banca2 varchar, cont2 varchar)");
    tempDb.Exec(L"insert into Societate (id, denumire, cotaTVA) values (1, 'Veche', 2)");
    MyFacturiDialog editor(nullptr);
    testing_support::ShownWindows shown;
    ModalDriver driver(2000); // ends (and reports) an editor left open
    EXPECT_EQ(IDCANCEL, editor.DoModal());
    driver.Verify();
    EXPECT_EQ(std::vector<std::wstring>(), shown.Titles());
    EXPECT_EQ("[Error] SQLITE_ERROR[1]: no such column: nrreg\n", boxes.Describe());
}

} // namespace
