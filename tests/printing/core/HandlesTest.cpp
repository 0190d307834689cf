// Opening and closing the print dialogs many times must not use up the
// process's GDI objects. GetGuiResources answers 0 under Wine, so what is
// measured is how many more objects the process can still create.
#include <gtest/gtest.h>
#include <vector>
#include "printing/MyPrintDialog.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include "tests/printing/support/PrintFixtures.h"

using testing_support::ModalDriver;

namespace {

// Each opening costs about a second under Wine (the preview's first paints
// through Mesa); a leak of one object per opening already shows above the
// slack allowed below.
const int kOpenings = 25;

long CreatableGdiObjects()
{
    std::vector<HRGN> made;
    made.reserve(70000);
    while (made.size() < 70000) {
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        if (!region)
            break;
        made.push_back(region);
    }
    for (HRGN region : made)
        DeleteObject(region);
    return static_cast<long>(made.size());
}

// What a bare picture button loses under Wine for one picture given and taken
// back (the program deletes its own bitmap): the platform's share.
long WineLossPerPicture()
{
    const int pictures = 50;
    long before = CreatableGdiObjects();
    for (int i = 0; i < pictures; ++i) {
        HWND button = CreateWindowW(L"BUTTON", L"", WS_POPUP | BS_BITMAP, 0, 0, 40, 40, nullptr, nullptr, nullptr,
                                    nullptr);
        BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 8, 8, 1, 32, BI_RGB}};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
        SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, 0);
        DeleteObject(bitmap);
        DestroyWindow(button);
    }
    return (before - CreatableGdiObjects() + pictures / 2) / pictures;
}

template <typename Dialog>
void OpenAndClose(Dialog& dialog)
{
    ModalDriver driver;
    driver.When(L"Tiparire", [](HWND window) { ModalDriver::Click(window, IDCANCEL); });
    dialog.DoModal();
    driver.Verify();
}

class DialogHandles : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        invoice = printing_tests::AddHeader(tempDb, L"Facturi", 21, 0, 100, 24, 124);
        std::string background = printing_tests::SolidPng(40, 60, 200, 220, 240);
        micro::qsql::QsqlStatement store =
            db().CompileStatement(L"update Societate set background = ? where id = 1");
        store.Bind(1, background.data(), static_cast<int>(background.size()));
        store.ExecDML();
    }
    void OpenPrintDialog()
    {
        MyPrintDialog dialog(nullptr);
        dialog.SetDocument(invoice, 0);
        OpenAndClose(dialog);
    }
    void OpenReceiptDialog()
    {
        MyPrintChitanteDialog dialog(nullptr);
        dialog.SetAmount(124.0);
        OpenAndClose(dialog);
    }
    unsigned long long invoice = 0;
};

} // namespace

// Wine's own button keeps objects for every picture it was given (six on the
// print dialog with a company background, three on the receipt dialog);
// nothing else may be lost.
TEST_F(DialogHandles, PrintDialogsOpenedAgainAndAgainLoseOnlyWinesShare)
{
    OpenPrintDialog(); // first-use caches: fonts, the icon, the rendering factories
    OpenReceiptDialog();
    long winePerPicture = WineLossPerPicture();
    long before = CreatableGdiObjects();
    for (int i = 0; i < kOpenings; ++i)
        OpenPrintDialog();
    long afterPrint = CreatableGdiObjects();
    for (int i = 0; i < kOpenings; ++i)
        OpenReceiptDialog();
    long afterReceipt = CreatableGdiObjects();
    long printLoss = before - afterPrint, receiptLoss = afterPrint - afterReceipt;
    std::printf("GDI objects lost over %d openings: print dialog %ld, receipt dialog %ld; Wine's share %ld a "
                "picture\n",
                kOpenings, printLoss, receiptLoss, winePerPicture);
    const long slack = 10;
    EXPECT_LE(printLoss, 6 * winePerPicture * kOpenings + slack);
    EXPECT_LE(receiptLoss, 3 * winePerPicture * kOpenings + slack);
}
