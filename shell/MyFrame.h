#pragma once
#include "framework/gui/QMainFrame.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qapp/QCommandTable.h"
#include "shell/MyToolbar.h"

// The main window: menu and accelerators 109, the toolbar and the tab
// workspace below it. Every command, from the menu, an accelerator, the
// toolbar or another window, goes through the command table, which each part
// of the program fills with its own handlers.
class MyFrame : public micro::gui::QMainFrame {
public:
    MyFrame();
    ~MyFrame() override;

    const wchar_t* GetClassName() override;
    void PreRegisterClass(WNDCLASSEXW& wc) override;
    // Registers the commands of every part, creates the top-level window with
    // its title, toolbar and workspace and loads the accelerators.
    bool CreateMain();
    // Centres the window on the work area of its monitor.
    void CenterOnScreen();
    // Runs a command as the window does for WM_COMMAND; false when no part
    // handles it.
    bool ExecuteCommand(UINT id, UINT code, LPARAM lParam);

    bool OnCreate(CREATESTRUCTW* cs, LRESULT& result) override;
    bool OnDestroy(LRESULT& result) override;
    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    micro::qapp::QCommandTable commands;
    micro::gui::QTabContainer tabs;
    MyToolbar toolbar;

private:
    void RegisterCommands();
    // Greys the items of a menu whose command has no handler.
    void EnableMenuItems(HMENU menu) const;
};
