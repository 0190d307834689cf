// The receipt print dialog driven from inside its modal loop: what it reads,
// what it hands to its preview, the model buttons, printing and saving.
#include <gtest/gtest.h>
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/receipts/ReceiptFixtures.h"

using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;
using namespace receipt_tests;

namespace {

const wchar_t kCaption[] = L"Tiparire";

class ReceiptDialog : public testing_support::DatabaseTest {
protected:
    void SetUp() override
    {
        tempDb.Exec(L"update ConfigFacturi set serie_facturi = 'FCT', serie_chit = 'AB' where id = 1");
    }
    // A dialog as the invoice editor fills it.
    void Fill(MyPrintChitanteDialog& dialog, unsigned long long clientId)
    {
        dialog.clientId = clientId;
        dialog.SetAmount(1456.78);
        dialog.SetFacturiText(L"12", L"FB");
        dialog.SetReceiptNumberText(L"7");
        dialog.SetDateText(L"06-12-2026");
    }
};

} // namespace

// The preview shows its page on screen; printing uses the model last chosen
// with what was read; a cancelled save dialog writes nothing and says nothing.
TEST_F(ReceiptDialog, ThePreviewShowsItsPagePrintUsesTheModelLastChosenAndACancelledSaveSaysNothing)
{
    layout_tests::SetCompany(tempDb);
    layout_tests::SetCompanyImages(tempDb);
    layout_tests::MetafileSink sink(2479, 3508);
    MessageBoxRecorder boxes;
    MyPrintChitanteDialog dialog(nullptr);
    Fill(dialog, tempDb.AddClient(L"Client Test SRL"));
    ModalDriver driver;
    driver.When(kCaption, [&](HWND window) {
        RECT area, shown;
        GetWindowRect(GetDlgItem(window, IDC_TIPARIRE_ZONA_PREVIZUALIZARE), &area);
        GetWindowRect(*dialog.GetPreview(), &shown);
        EXPECT_TRUE(EqualRect(&area, &shown));
        EXPECT_EQ(L"FB", std::wstring(dialog.GetPreview()->serieFacturi.c_str())) << "the invoice's, not FCT";
        for (int id : {IDC_TIPARIRE_LAYOUT1, IDC_TIPARIRE_LAYOUT2, IDC_TIPARIRE_LAYOUT3})
            EXPECT_NE(0, SendDlgItemMessageW(window, id, BM_GETIMAGE, IMAGE_BITMAP, 0)) << id;
        ModalDriver::Pump(300);
        // What the screen shows: black around the page, the page white.
        HDC screen = GetDC(nullptr);
        int white = 0;
        for (int y = shown.top + 150; y < shown.top + 250; y += 10)
            for (int x = shown.left + 150; x < shown.left + 350; x += 10)
                white += GetPixel(screen, x, y) == RGB(255, 255, 255);
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(screen, shown.left + 5, shown.top + 5));
        ReleaseDC(nullptr, screen);
        EXPECT_GT(white, 100);

        for (int id : {IDC_TIPARIRE_PRINT, IDC_TIPARIRE_LAYOUT3, IDC_TIPARIRE_PRINT, IDC_TIPARIRE_LAYOUT2,
                       // Buttons without a use here change nothing.
                       IDC_TIPARIRE_SCHIMBARE_LOGO, IDC_TIPARIRE_FUNDAL1, IDC_TIPARIRE_GOL, IDC_TIPARIRE_ADAUGA_FUNDAL,
                       IDC_TIPARIRE_PRINT})
            ModalDriver::Click(window, id);
        UpdateWindow(*dialog.GetPreview());
        sink.cancel = true;
        ModalDriver::Click(window, IDC_TIPARIRE_PRINT);
        ModalDriver::Click(window, IDC_TIPARIRE_SAVE_PDF);
    })
        .When(L"Save as", [](HWND window) { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); })
        .When(kCaption, [](HWND window) { ModalDriver::Click(window, IDCANCEL); });
    dialog.DoModal();
    driver.Verify();
    EXPECT_EQ(0u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(4, sink.opened);
    ASSERT_EQ(3u, sink.printed.size());
    EXPECT_TRUE(sink.abandoned.empty());
    EXPECT_EQ(30u, sink.printed[0].texts.size());
    EXPECT_EQ(15u, sink.printed[1].texts.size());
    EXPECT_EQ(45u, sink.printed[2].texts.size());
    // Company, client, series, amount and its words as read and filled in.
    for (const wchar_t* text : {L"Am incasat de la Client Test SRL", L"Unitatea Firma Test SRL",
                                L"Chitanta seria: AB Nr.: 7",
                                L"Suma de 1456.78 ( una mie patru sute cincizeci si sase   lei si  saptezeci si opt  bani )"})
        EXPECT_EQ(2u, sink.printed[0].StartingWith(text).size()) << testing_support::Narrow(text);
    EXPECT_EQ(4u, sink.printed[0].pictures.size());
}

TEST_F(ReceiptDialog, ADatabaseErrorIsShownAndTheOtherDataStillArrive)
{
    layout_tests::SetCompany(tempDb);
    tempDb.Exec(L"drop table Clienti");
    MessageBoxRecorder boxes;
    MyPrintChitanteDialog dialog(nullptr);
    Fill(dialog, 5);
    ModalDriver driver;
    driver.When(kCaption, [&](HWND window) {
        EXPECT_EQ(L"AB", std::wstring(dialog.GetPreview()->serieChit));
        EXPECT_EQ(L"Firma Test SRL", std::wstring(dialog.GetPreview()->firmaDenumire));
        ModalDriver::Click(window, IDCANCEL);
    });
    dialog.DoModal();
    driver.Verify();
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"Clienti"));
}
