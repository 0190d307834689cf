#pragma once
#include "framework/gui/QControl.h"

namespace micro {
namespace gui {

// A page of the tab workspace, made on the heap and owned by its tab.
class QPanel : public QControl {
public:
    const wchar_t* GetClassName() override;
    void PreRegisterClass(WNDCLASSEXW& wc) override;
    // Destroys the panel window when the close handler allows it.
    virtual bool Close();                                     // slot 104
    // The tab's title.
    virtual utils::QString GetTitle();                        // slot 105
};

// A panel with the workspace's background colour.
class QXPanel : public QPanel {
public:
    const wchar_t* GetClassName() override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
};

} // namespace gui
} // namespace micro
