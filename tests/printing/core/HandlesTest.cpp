// Opening and closing the print dialogs again and again must not use up the
// process's GDI objects. GetGuiResources answers 0 under Wine, so what is
// counted is how many more objects the process can still create.
#include <gtest/gtest.h>
#include <vector>
#include "printing/MyPrintDialog.h"
#include "printing/receipts/MyPrintChitanteDialog.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include "tests/printing/support/PrintFixtures.h"

using testing_support::ModalDriver;

namespace {

long CreatableGdiObjects()
{
    std::vector<HRGN> made;
    for (HRGN region; made.size() < 70000 && (region = CreateRectRgn(0, 0, 1, 1));)
        made.push_back(region);
    for (HRGN region : made)
        DeleteObject(region);
    return static_cast<long>(made.size());
}

template <typename Dialog>
void OpenAndClose(Dialog& dialog)
{
    ModalDriver driver;
    driver.When(L"Tiparire", [](HWND window) { ModalDriver::Click(window, IDCANCEL); });
    dialog.DoModal();
}

} // namespace

// Under Wine a bare picture button keeps one object per picture it was given
// even after the program deleted the bitmap: six a time on the print dialog
// with a company background, three on the receipt dialog. Only that share may
// go. Each opening costs about a second (the preview's first paints).
// One opening a second: each dialog is a test of its own, within the watchdog.
class DialogHandles : public testing::TestWithParam<bool> {};

TEST_P(DialogHandles, PrintDialogsOpenedAgainAndAgainLoseOnlyWinesShare)
{
    const bool receipt = GetParam();
    testing_support::TempDatabase temp;
    unsigned long long invoice = printing_tests::AddHeader(temp, L"Facturi", 21, 0, 100, 24, 124);
    std::string background = printing_tests::SolidPng(40, 60, 200, 220, 240);
    micro::qsql::QsqlStatement store = temp.Db().CompileStatement(L"update Societate set background = ?");
    store.Bind(1, background.data(), static_cast<int>(background.size()));
    store.ExecDML();
    auto lossOver = [&](int times) {
        long before = CreatableGdiObjects();
        for (int i = 0; i < times; ++i) {
            MyPrintDialog print(nullptr);
            print.SetDocument(invoice, 0);
            MyPrintChitanteDialog chitanta(nullptr);
            receipt ? OpenAndClose(chitanta) : OpenAndClose(print);
        }
        return before - CreatableGdiObjects();
    };
    lossOver(1); // first-use caches: fonts, rendering factories, the shared icon
    const int times = 4; // one more object lost an opening still breaks the bound
    EXPECT_LE(lossOver(times), (receipt ? 3 : 6) * times + 3);
}

INSTANTIATE_TEST_SUITE_P(PrintAndReceipt, DialogHandles, testing::Bool());
