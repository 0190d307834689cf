#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include "framework/gui/QImage.h"
#include "printing/MyPrintDialog.h"
#include "printing/PrintBackground.h"
#include "printing/PrintHelpers.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/PdfPage.h"
#include "tests/printing/support/PrintFixtures.h"

using testing_support::ModalDriver;
using namespace printing_tests;

namespace {

class PrintDialogTest : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        printBackgroundChoice = PrintBackgroundNone;
        invoice = AddHeader(tempDb, L"Facturi", 21, 0, 100, 24, 124);
    }
    void TearDown() override { printBackgroundChoice = PrintBackgroundNone; }

    // Runs the dialog for the document; `steps` act on it, then "Exit".
    INT_PTR Run(MyPrintDialog& dialog, std::function<void(HWND)> steps)
    {
        ModalDriver driver;
        driver.When(L"Tiparire", [&](HWND hwnd) {
            steps(hwnd);
            ModalDriver::Click(hwnd, IDCANCEL);
        });
        INT_PTR result = dialog.DoModal();
        driver.Verify();
        return result;
    }
    static bool HasPicture(HWND dialog, int id)
    {
        return SendDlgItemMessageW(dialog, id, BM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
    std::wstring WriteFile(const wchar_t* name, const std::string& bytes)
    {
        std::wstring path = tempDb.Folder() + L"\\" + name;
        std::ofstream(path.c_str(), std::ios::binary) << bytes;
        return path;
    }

    unsigned long long invoice = 0;
};

} // namespace

TEST_F(PrintDialogTest, InvoicePreviewBackgroundAndLayoutButtonsPrintAndTheOtherButtonsOpenTheirDialogs)
{
    layout_tests::MetafileSink sink(2479, 3508);
    MyPrintDialog dialog(nullptr);
    dialog.SetDocument(invoice, 0);
    ModalDriver driver;
    driver.When(L"Tiparire", [](HWND hwnd) { PostMessageW(hwnd, WM_COMMAND, IDC_TIPARIRE_SCHIMBARE_LOGO, 0); })
        .When(L"Informatii Societate", [](HWND company) { ModalDriver::Click(company, IDCANCEL); })
        .When(L"Tiparire", [](HWND hwnd) { PostMessageW(hwnd, WM_COMMAND, IDC_TIPARIRE_SAVE_PDF, 0); })
        .When(L"Save as", [](HWND save) { PostMessageW(save, WM_COMMAND, IDCANCEL, 0); })
        .When(L"Tiparire", [&](HWND hwnd) {
        HWND preview = GetDlgItem(hwnd, IDC_TIPARIRE_PREVIZUALIZARE);
        ASSERT_NE(nullptr, preview);
        RECT area, shown;
        GetWindowRect(GetDlgItem(hwnd, IDC_TIPARIRE_ZONA_PREVIZUALIZARE), &area);
        GetWindowRect(preview, &shown);
        EXPECT_TRUE(EqualRect(&area, &shown));
        for (int id : {IDC_TIPARIRE_LAYOUT1, IDC_TIPARIRE_LAYOUT2, IDC_TIPARIRE_LAYOUT3, IDC_TIPARIRE_FUNDAL1,
                       IDC_TIPARIRE_FUNDAL2})
            EXPECT_TRUE(ModalDriver::IsVisible(hwnd, id) && HasPicture(hwnd, id)) << id;
        EXPECT_FALSE(HasPicture(hwnd, IDC_TIPARIRE_FUNDAL_SOCIETATE));   // no company background stored
        ModalDriver::Pump(300);
        // What the screen shows: the page on black, right of the buttons.
        RECT wr;
        GetWindowRect(preview, &wr);
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(screen, wr.left + 5, wr.top + 5));
        EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, wr.left + 200, wr.top + 200));
        ReleaseDC(nullptr, screen);

        const struct {
            int button;
            PrintBackground choice;
        } clicks[] = {{IDC_TIPARIRE_FUNDAL2, PrintBackgroundSecond}, {IDC_TIPARIRE_GOL, PrintBackgroundNone},
                      {IDC_TIPARIRE_FUNDAL_SOCIETATE, PrintBackgroundNone} /* none stored */,
                      {IDC_TIPARIRE_FUNDAL1, PrintBackgroundFirst}};
        for (const auto& c : clicks) {
            ModalDriver::Click(hwnd, c.button);
            EXPECT_EQ(c.choice, printBackgroundChoice) << c.button;
            EXPECT_EQ(c.choice != PrintBackgroundNone, dialog.GetPreview().HasBackground()) << c.button;
        }
        ModalDriver::Click(hwnd, IDC_TIPARIRE_PRINT);
        ASSERT_EQ(1u, sink.printed.size());
        EXPECT_EQ(1, sink.printed[0].Count(L"FACTURA"));
        ModalDriver::Click(hwnd, IDC_TIPARIRE_LAYOUT3);
        EXPECT_EQ(3, dialog.GetPreview().GetDocument()->model);
        ModalDriver::Click(hwnd, IDC_TIPARIRE_PRINT);
        ASSERT_EQ(2u, sink.printed.size());
        EXPECT_EQ(2, sink.printed[1].Count(L"FACTURA"));   // the invoice twice on the page
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
    // Later print jobs of the run print on background 1.
    EXPECT_EQ(PrintBackgroundFirst, printBackgroundChoice);
    micro::utils::QBuffer picture;
    EXPECT_TRUE(LoadPrintBackground(picture));

    // A note of 33 rows: "Save PDF" writes its two sheets.
    std::wstring pdf = tempDb.Folder() + L"\\nir.pdf";
    MyPrintDialog nirDialog(nullptr);
    nirDialog.SetDocument(layout_tests::AddDocument(tempDb, 3, 4, layout_tests::ShortNames(33)).documentId, 3);
    ModalDriver nirDriver;
    nirDriver.When(L"Tiparire", [&](HWND hwnd) {
        // Only invoices offer the other layouts.
        EXPECT_TRUE(ModalDriver::IsVisible(hwnd, IDC_TIPARIRE_LAYOUT1));
        EXPECT_FALSE(ModalDriver::IsVisible(hwnd, IDC_TIPARIRE_LAYOUT2));
        EXPECT_FALSE(ModalDriver::IsVisible(hwnd, IDC_TIPARIRE_LAYOUT3));
        ModalDriver::Click(hwnd, IDC_TIPARIRE_PRINT);
        ASSERT_EQ(3u, sink.printed.size());
        EXPECT_EQ(0, sink.printed[2].Count(L"FACTURA"));
        EXPECT_TRUE(sink.printed[2].Find(L"NOTA DE RECEPTIE SI CONSTATARE DIFERENTE"));
        PostMessageW(hwnd, WM_COMMAND, IDC_TIPARIRE_SAVE_PDF, 0);
    });
    nirDriver.When(L"Save as", [&](HWND save) {
        ModalDriver::SetText(save, 1152, pdf);
        ModalDriver::Click(save, IDOK);
    });
    nirDriver.When(L"Tiparire", [](HWND hwnd) { ModalDriver::Click(hwnd, IDCANCEL); });
    nirDialog.DoModal();
    nirDriver.Verify();
    pdftest::PdfPage page;
    pdftest::LoadChecked(pdf, page);
    EXPECT_EQ(2, page.pageCount);
    EXPECT_TRUE(page.Find(L"NOTA DE RECEPTIE SI CONSTATARE DIFERENTE")) << page.Describe();
    EXPECT_TRUE(page.Find(L"Produs 31")) << page.Describe();
    EXPECT_FALSE(page.Find(L"Produs 32"));       // the next sheet's
    EXPECT_FALSE(page.FindPrefix(L"COMISIA"));   // the committee closes the last sheet
}

TEST_F(PrintDialogTest, AddBackgroundRefusesWhatIsNoPictureAndStoresAPictureByteForByte)
{
    std::wstring text = WriteFile(L"nota.txt", "nu este o imagine");
    std::string png = SolidPng(40, 30, 200, 30, 30);
    std::wstring path = WriteFile(L"fundal.png", png);
    testing_support::MessageBoxRecorder boxes;
    MyPrintDialog dialog(nullptr);
    dialog.SetDocument(invoice, 0);
    ModalDriver driver;
    for (const std::wstring& chosen : {text, path}) {
        driver.When(L"Tiparire", [](HWND hwnd) { PostMessageW(hwnd, WM_COMMAND, IDC_TIPARIRE_ADAUGA_FUNDAL, 0); });
        driver.When(L"Open", [chosen](HWND open) {   // the path typed in the file-name edit
            ModalDriver::SetText(open, 1152, chosen);
            ModalDriver::Click(open, IDOK);
        });
    }
    driver.When(L"Tiparire", [&](HWND hwnd) {
        EXPECT_TRUE(HasPicture(hwnd, IDC_TIPARIRE_FUNDAL_SOCIETATE));
        EXPECT_TRUE(dialog.GetPreview().HasBackground());
        ModalDriver::Click(hwnd, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Eroare incarcare logo!", boxes.Last().text);
    std::wstring hex;
    for (unsigned char c : png)
        hex += L"0123456789ABCDEF"[c >> 4], hex += L"0123456789ABCDEF"[c & 15];
    EXPECT_EQ(hex, tempDb.Text(L"select hex(background) from Societate where id = 1"));
    EXPECT_EQ(PrintBackgroundNone, printBackgroundChoice);

    // The next dialog shows it on the company button and can choose it.
    MyPrintDialog again(nullptr);
    again.SetDocument(invoice, 0);
    Run(again, [&](HWND hwnd) {
        EXPECT_TRUE(HasPicture(hwnd, IDC_TIPARIRE_FUNDAL_SOCIETATE));
        ModalDriver::Click(hwnd, IDC_TIPARIRE_FUNDAL_SOCIETATE);
        EXPECT_EQ(PrintBackgroundCompany, printBackgroundChoice);
    });
}
