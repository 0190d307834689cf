#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/files/QFiles.h"
#include "masterdata/MyConfigFacturiDialog.h"
#include "masterdata/MySocietateDialog.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include "tests/masterdata/TestPictures.h"

using testing_support::DatabaseTest;
using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const wchar_t kCaption[] = L"Informatii Societate";
const int kFileNameEdit = 1152; // the system open dialog's "File name:" edit

class CompanyDialog : public DatabaseTest {
protected:
    std::wstring WriteFile(const wchar_t* name, const void* bytes, size_t count)
    {
        // The system's open dialog wants a full path.
        wchar_t full[MAX_PATH];
        GetFullPathNameW((tempDb.Folder() + L"\\" + name).c_str(), MAX_PATH, full, nullptr);
        std::wstring path = full;
        EXPECT_TRUE(micro::files::WriteWholeFile(path.c_str(), bytes, count));
        created.push_back(path);
        return path;
    }
    ~CompanyDialog() override
    {
        for (const std::wstring& path : created)
            DeleteFileW(path.c_str());
    }
    std::vector<unsigned char> Blob(const wchar_t* column)
    {
        micro::qsql::QsqlQuery row = db().ExecQuery((std::wstring(L"select ") + column + L" from Societate where id = 1").c_str());
        int size = 0;
        const unsigned char* bytes = row.Eof() ? nullptr : row.GetBlobField(0, size);
        return std::vector<unsigned char>(bytes, bytes + size);
    }
    // Presses a picture button, then answers the system's open dialog with the path.
    static void PickFile(ModalDriver& driver, int button, const std::wstring& path)
    {
        driver.When(kCaption, [button](HWND hwnd) {
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        driver.When(L"Open", [path](HWND hwnd) {
            ModalDriver::SetText(hwnd, kFileNameEdit, path);
            ModalDriver::Click(hwnd, IDOK);
        });
    }
    std::vector<std::wstring> created;
};

} // namespace

TEST_F(CompanyDialog, OldTableTakesTextAndLogoByteForByteAndATextOnlySaveKeepsThePicture)
{
    tempDb.Exec(L"drop table Societate");
    tempDb.Exec(L"create table Societate (id INTEGER PRIMARY KEY, denumire varchar, cui varchar, logo blob)");
    tempDb.Exec(L"insert into Societate (id, denumire, cui) values (1, 'Veche SRL', 'RO1')");
    std::wstring logo = WriteFile(L"logo.png", kLogoPng, sizeof(kLogoPng));
    MySocietateDialog dialog(nullptr);
    ModalDriver driver;
    driver.When(kCaption, [](HWND hwnd) {
        EXPECT_EQ(L"Veche SRL|RO1", ModalDriver::GetText(hwnd, IDC_SOCIETATE_DENUMIRE) + L"|" +
                                        ModalDriver::GetText(hwnd, IDC_SOCIETATE_CUI));
        ModalDriver::SetText(hwnd, IDC_SOCIETATE_DENUMIRE, L"D'Artagnan & Fiii SRL");
        ModalDriver::SetText(hwnd, IDC_SOCIETATE_ADRESA, L"Str. Ștefan cel Mare 5");
        ModalDriver::SetText(hwnd, IDC_SOCIETATE_CONT2, L"RO49 100%");
        SendDlgItemMessageW(hwnd, IDC_SOCIETATE_TVAINCASARE, BM_SETCHECK, BST_CHECKED, 0);
        ModalDriver::SelectCombo(hwnd, IDC_SOCIETATE_COTATVA, 1);
    });
    PickFile(driver, IDC_SOCIETATE_LOGO_BROWSE, logo);
    driver.When(kCaption, [](HWND hwnd) { ModalDriver::Click(hwnd, IDOK); });
    EXPECT_EQ(IDOK, dialog.DoModal());
    driver.Verify();

    EXPECT_TRUE(Blob(L"stampila").empty());

    // Saving again with only the text changed keeps the stored picture.
    MySocietateDialog again(nullptr);
    driver.When(kCaption, [](HWND hwnd) {
        ModalDriver::SetText(hwnd, IDC_SOCIETATE_ORAS, L"Cluj");
        ModalDriver::Click(hwnd, IDOK);
    });
    EXPECT_EQ(IDOK, again.DoModal());
    driver.Verify();
    EXPECT_EQ(L"D'Artagnan & Fiii SRL|Str. Ștefan cel Mare 5|RO49 100%|1|1|Cluj",
              tempDb.Text(L"select denumire || '|' || adresa || '|' || cont2 || '|' || tvaincasare || '|' || cotaTVA "
                          L"|| '|' || oras from Societate where id = 1"));
    EXPECT_EQ(std::vector<unsigned char>(kLogoPng, kLogoPng + sizeof(kLogoPng)), Blob(L"logo"));
}

TEST_F(CompanyDialog, FilesThatAreNotPicturesOrTooLargeAreRefusedAndCancelStoresNothing)
{
    const char text[] = "nu este o imagine";
    std::wstring notPicture = WriteFile(L"text.png", text, sizeof(text));
    std::vector<unsigned char> broken(kLogoPng, kLogoPng + 40); // right header, no picture data
    std::wstring truncated = WriteFile(L"broken.png", broken.data(), broken.size());
    std::vector<unsigned char> huge(kLogoPng, kLogoPng + sizeof(kLogoPng));
    for (int at : {16, 20}) // states 65536 x 65536 pixels in a few hundred bytes
        huge[at] = 0x00, huge[at + 1] = 0x01, huge[at + 2] = 0x00, huge[at + 3] = 0x00;
    std::wstring wide = WriteFile(L"wide.png", huge.data(), huge.size());
    std::vector<unsigned char> big(20 * 1024 * 1024, 0);
    std::copy(kStampJpeg, kStampJpeg + sizeof(kStampJpeg), big.begin());
    std::wstring twentyMb = WriteFile(L"big.jpg", big.data(), big.size());
    std::wstring stamp = WriteFile(L"stamp.jpg", kStampJpeg, sizeof(kStampJpeg));

    MessageBoxRecorder boxes;
    MySocietateDialog dialog(nullptr);
    ModalDriver driver;
    PickFile(driver, IDC_SOCIETATE_LOGO_BROWSE, notPicture);
    PickFile(driver, IDC_SOCIETATE_LOGO_BROWSE, truncated);
    PickFile(driver, IDC_SOCIETATE_BACKGROUND_BROWSE, wide);
    PickFile(driver, IDC_SOCIETATE_BACKGROUND_BROWSE, twentyMb);
    PickFile(driver, IDC_SOCIETATE_STAMPILA_BROWSE, stamp);
    driver.When(kCaption, [](HWND hwnd) { ModalDriver::Click(hwnd, IDCANCEL); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    driver.Verify();

    ASSERT_EQ(4u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Fisierul ales nu este o imagine PNG sau JPEG !", boxes.Boxes()[0].text);
    EXPECT_EQ(boxes.Boxes()[0].text, boxes.Boxes()[1].text);
    EXPECT_NE(boxes.Boxes()[0].text, boxes.Boxes()[2].text);
    EXPECT_EQ(boxes.Boxes()[2].text, boxes.Boxes()[3].text);
    EXPECT_EQ(0, tempDb.Scalar(L"select count(*) from Societate where length(logo) or length(background) or "
                               L"length(stampila)"));
}

// A settings dialog that cannot read what it edits says so in Romanian,
// naming the file, and does not open: its empty fields could not be saved
// over the company's data or its counters. The file stays as it was.
TEST_F(CompanyDialog, NeitherSettingsDialogOpensOnATableItCannotRead)
{
    tempDb.Damage(L"Societate");
    tempDb.Damage(L"ConfigFacturi");
    const std::string damaged = tempDb.FileBytes();
    wchar_t full[MAX_PATH];
    GetFullPathNameW(tempDb.Path().c_str(), MAX_PATH, full, nullptr);
    MessageBoxRecorder boxes;
    testing_support::ShownWindows shown;
    ModalDriver driver(2000); // ends (and reports) a dialog left open
    MySocietateDialog company(nullptr);
    EXPECT_EQ(IDCANCEL, company.DoModal());
    MyConfigFacturiDialog numbering;
    EXPECT_EQ(IDCANCEL, numbering.DoModal());
    driver.Verify();
    EXPECT_EQ(std::vector<std::wstring>(), shown.Titles());
    const std::string told = "[Error] Fisierul societatii este deteriorat:\n" + testing_support::Narrow(full) +
                             "\n\nFisierul nu a fost modificat.\n";
    EXPECT_EQ(told + told, boxes.Describe());
    db().Close();
    EXPECT_TRUE(damaged == tempDb.FileBytes());
}
