#pragma once
#include <windows.h>

namespace micro {
namespace gui {
class QMainFrame;
}
namespace qapp {

// The application object: initialisation, the message loop and the exit step.
class QApplication {
public:
    QApplication();
    virtual ~QApplication();

    // Prepares the program and shows its main window; false ends it with -1.
    virtual bool InitInstance() = 0;
    // Runs after the loop ends; answers the exit code.
    virtual int ExitInstance();
    virtual gui::QMainFrame* GetMainFrame() = 0;

    // InitInstance, the loop, ExitInstance. An error that reaches the loop is
    // shown and ends the program.
    int Run();
    // GetMessageW, keyboard messages to the frame's accelerators, translate, dispatch.
    int MessageLoop();

    static QApplication* GetCurrent() { return s_current; }

private:
    static QApplication* s_current;
};

// The main window's handle, for boxes and dialogs owned by it (null before it exists).
HWND GetMainWindow();

} // namespace qapp
} // namespace micro
