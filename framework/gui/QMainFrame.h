#pragma once
#include "framework/gui/QWindow.h"

namespace micro {
namespace gui {

// The program's main window: owns the accelerator table, offers keyboard
// messages to it before dispatch and ends the message loop when destroyed.
class QMainFrame : public QWindow {
public:
    QMainFrame() : m_accelerators(nullptr) {}
    void LoadAcceleratorTable(UINT id);
    // True when the message was taken by the accelerators.
    virtual bool PreTranslateMessage(MSG& msg);
    bool OnDestroy(LRESULT& result) override;
    // Refused while the window is disabled: a modal dialog is up, and its
    // owner (and the objects behind it) must outlive it.
    bool OnClose() override;
    HACCEL GetAccelerators() const { return m_accelerators; }

protected:
    HACCEL m_accelerators;
};

} // namespace gui
} // namespace micro
