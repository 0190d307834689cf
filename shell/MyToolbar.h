#pragma once
#include "framework/gui/QControl.h"
#include "framework/qapp/QCommandTable.h"
#include <commctrl.h>

// The main window's toolbar: a row of text buttons, each sending its command
// id to the main window like a menu item.
class MyToolbar : public micro::gui::QSystemControl {
public:
    struct Button {
        UINT command;
        const wchar_t* text;
    };
    static const Button kButtons[];
    static const int kButtonCount;

    MyToolbar();
    ~MyToolbar() override;

    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    // Greys the buttons whose command has no handler.
    void EnableFor(const micro::qapp::QCommandTable& commands);
    // Lets the control fit its parent's width; answers its height.
    int Layout();
    // The button's rectangle in the toolbar's client coordinates.
    RECT ButtonRect(UINT command) const;
    // Paints the background in the theme's colour (NM_CUSTOMDRAW from the control).
    LRESULT CustomDraw(NMCUSTOMDRAW* draw) const;
    // The control's window is destroyed with its parent: forget it.
    void Detach();

private:
    // The buttons' pictures; the control does not own its image list.
    HIMAGELIST m_images;
};
