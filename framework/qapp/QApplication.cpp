#include "framework/qapp/QApplication.h"
#include "framework/gui/QMainFrame.h"
#include "framework/qdialog/QMessageBox.h"

namespace micro {
namespace qapp {

QApplication* QApplication::s_current = nullptr;

QApplication::QApplication()
{
    s_current = this;
}

QApplication::~QApplication()
{
    if (s_current == this)
        s_current = nullptr;
}

int QApplication::ExitInstance() { return 0; }

int QApplication::MessageLoop()
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return -1;
        gui::QMainFrame* frame = GetMainFrame();
        if (frame && frame->PreTranslateMessage(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int QApplication::Run()
{
    try {
        if (!InitInstance()) {
            PostQuitMessage(-1);
            return -1;
        }
        MessageLoop();
        return ExitInstance();
    } catch (...) {
        utils::QString text = qdialog::CurrentExceptionText();
        qdialog::ShowMessageBox(GetActiveWindow(), text.c_str(), L"Error", MB_OK | MB_ICONERROR);
        return -1;
    }
}

HWND GetMainWindow()
{
    QApplication* app = QApplication::GetCurrent();
    gui::QMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    return frame ? frame->GetHandle() : nullptr;
}

} // namespace qapp
} // namespace micro
