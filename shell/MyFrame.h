#pragma once
#include "framework/gui/QMainFrame.h"
#include "framework/gui/QTabContainer.h"

// The main window: menu, accelerators, toolbar and the tab workspace.
class MyFrame : public micro::gui::QMainFrame {
public:
    MyFrame();
    const wchar_t* GetClassName() override;
    void PreRegisterClass(WNDCLASSEXW& wc) override;
    bool CreateMain();
    bool OnCreate(CREATESTRUCTW* cs, LRESULT& result) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;

    micro::gui::QTabContainer tabs;
};
