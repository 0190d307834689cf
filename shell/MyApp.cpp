#include "shell/MyApp.h"
#include "resources/resource.h"

MyApp::MyApp() {}
MyApp::~MyApp() {}

bool MyApp::InitInstance()
{
    micro::gui::QTheme::SetCurrent(&theme);
    if (!frame.CreateMain())
        return false;
    ShowWindow(frame.GetHandle(), SW_SHOWMAXIMIZED);
    UpdateWindow(frame.GetHandle());
    return true;
}

int MyApp::ExitInstance()
{
    return 0;
}

MyApp& GetApp()
{
    static MyApp app;
    return app;
}
