#pragma once
#include "framework/qapp/QApplication.h"
#include "shell/MyFrame.h"
#include "shell/MyTheme.h"

// The one application object.
class MyApp : public micro::qapp::QApplication {
public:
    MyApp();
    ~MyApp() override;

    bool InitInstance() override;
    int ExitInstance() override;
    micro::gui::QMainFrame* GetMainFrame() override { return &frame; }

    MyFrame frame;
    MyTheme theme;
};

MyApp& GetApp();
