#include "tests/documents/support/EditorFixture.h"
#include <vector>
#include "framework/gui/QMainFrame.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"

using namespace editor_tests;

namespace {
struct MainWindowApp : micro::qapp::QApplication {
    micro::gui::QMainFrame frame;
    bool InitInstance() override { return true; }
    micro::gui::QMainFrame* GetMainFrame() override { return &frame; }
};
} // namespace

// Editor -> print dialog -> Save PDF: the file dialog and every box close back
// onto the dialog beneath them; the main window stays disabled and cannot close.
TEST_F(EditorTest, SavePdfFromThePrintDialogKeepsTheMainWindowDisabled)
{
    MainWindowApp app;
    ASSERT_TRUE(app.frame.Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    HWND main = app.frame.GetHandle();
    wchar_t path[MAX_PATH];
    wcscat(path + GetTempPathW(MAX_PATH, path), L"brivane-modal.pdf");
    std::vector<HWND> owners;
    bool mainEnabled = true;
    ModalDriver driver;
    driver.When(EditorTitle(0), [](HWND w) {
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"D'Artagnan Import-Export SRL");
        PostMessageW(w, WM_COMMAND, IDC_FE_PRINT, 0);
    });
    driver.When(L"Tiparire", [](HWND print) { PostMessageW(print, WM_COMMAND, IDC_TIPARIRE_SAVE_PDF, 0); });
    driver.When(L"Save as", [&](HWND save) {
        ModalDriver::SetText(save, 1152, path);
        ModalDriver::Click(save, IDOK);
    });
    driver.When(L"Tiparire", [&](HWND print) {
        mainEnabled = IsWindowEnabled(main);
        for (HWND owner : {main, HWND(nullptr), print}) {
            micro::qdialog::ShowMessageBox(owner, L"?", L"Message", MB_OK);
            owners.push_back(boxes.Last().owner);
        }
        SendMessageW(main, WM_CLOSE, 0, 0); // Fisier -> Exit
        ModalDriver::Click(print, IDCANCEL);
    });
    driver.When(EditorTitle(0), [](HWND w) { ModalDriver::Click(w, IDCANCEL); });
    MyFacturiDialog(main).DoModal();
    driver.Verify();
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(std::vector<HWND>(3, owners.back()), owners);
    EXPECT_TRUE(IsWindow(main));
    app.frame.Destroy();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
