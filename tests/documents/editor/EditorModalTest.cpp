#include "tests/documents/support/EditorFixture.h"
#include "framework/gui/QMainFrame.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"

using namespace editor_tests;
using testing_support::ModalDriver;

namespace {

const int kFileNameEdit = 1152;

// The program's main window as far as the editor and its dialogs can tell.
class MainWindowApp : public micro::qapp::QApplication {
public:
    micro::gui::QMainFrame frame;
    bool InitInstance() override { return true; }
    micro::gui::QMainFrame* GetMainFrame() override { return &frame; }
};

class EditorModal : public EditorTest {
protected:
    MainWindowApp app;
    HWND main = nullptr;

    void SetUp() override
    {
        EditorTest::SetUp();
        ASSERT_TRUE(app.frame.Create(nullptr, 0, WS_OVERLAPPEDWINDOW));
        main = app.frame.GetHandle();
        ShowWindow(main, SW_SHOW);
        ModalDriver::Pump();
    }
    void TearDown() override
    {
        app.frame.Destroy();
        MSG quit;
        ModalDriver::Pump();
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
};

} // namespace

// Editor -> print dialog -> Save PDF: the file dialog and every box closes back
// onto the dialog beneath it, never onto the main window.
TEST_F(EditorModal, SavePdfFromThePrintDialogKeepsTheMainWindowDisabled)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"brivane-modal-owner.pdf";
    DeleteFileW(path.c_str());

    MyFacturiDialog editor(main);
    HWND editorWindow = nullptr;
    bool mainEnabled = true, editorEnabled = true, mainSurvivedClose = false, mainEnabledLater = true;
    HWND boxOwner = nullptr, nullOwnerBox = main;
    ModalDriver driver;
    driver.When(EditorTitle(0), [&](HWND w) {
        editorWindow = w;
        ModalDriver::SetText(w, IDC_FE_CLIENT_NAME, L"D'Artagnan Import-Export SRL");
        AddLine(w, L"Ciment", L"10", L"2", 0, false);
        PostMessageW(w, WM_COMMAND, IDC_FE_PRINT, 0);
    });
    driver.When(L"Tiparire", [](HWND print) { PostMessageW(print, WM_COMMAND, IDC_TIPARIRE_SAVE_PDF, 0); });
    driver.When(L"Save as", [&](HWND save) {
        ModalDriver::SetText(save, kFileNameEdit, path);
        ModalDriver::Click(save, IDOK);
    });
    driver.When(L"Tiparire", [&](HWND print) {
        mainEnabled = IsWindowEnabled(main) != FALSE;
        editorEnabled = IsWindowEnabled(editorWindow) != FALSE;
        micro::qdialog::ShowMessageBox(main, L"over the main window", L"Message", MB_OK);
        boxOwner = boxes.Last().owner;
        micro::qdialog::ShowMessageBox(nullptr, L"over nothing", L"Message", MB_OK);
        nullOwnerBox = boxes.Last().owner;
        // Fisier -> Exit while the dialogs are up.
        SendMessageW(main, WM_CLOSE, 0, 0);
        mainSurvivedClose = IsWindow(main) != FALSE;
        ModalDriver::Click(print, IDCANCEL);
    });
    driver.When(EditorTitle(0), [&](HWND w) {
        mainEnabledLater = IsWindowEnabled(main) != FALSE;
        ModalDriver::Click(w, IDCANCEL);
    });
    editor.DoModal();
    driver.Verify();
    EXPECT_FALSE(mainEnabled) << "the file dialog re-enabled the main window";
    EXPECT_FALSE(editorEnabled) << "the editor is usable beneath the print dialog";
    EXPECT_FALSE(mainEnabledLater);
    EXPECT_NE(main, boxOwner);
    EXPECT_NE(nullptr, boxOwner);
    EXPECT_EQ(boxOwner, nullOwnerBox);
    EXPECT_TRUE(mainSurvivedClose);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES == GetFileAttributesW(path.c_str()), false) << "no PDF written";
    EXPECT_TRUE(IsWindowEnabled(main));
}
