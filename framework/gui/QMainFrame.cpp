#include "framework/gui/QMainFrame.h"

namespace micro {
namespace gui {

void QMainFrame::LoadAcceleratorTable(UINT id)
{
    m_accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

bool QMainFrame::PreTranslateMessage(MSG& msg)
{
    if (!m_accelerators || !m_hwnd || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    return TranslateAcceleratorW(m_hwnd, m_accelerators, &msg) != 0;
}

bool QMainFrame::OnClose()
{
    return !m_hwnd || IsWindowEnabled(m_hwnd);
}

bool QMainFrame::OnDestroy(LRESULT&)
{
    PostQuitMessage(0);
    return false;
}

} // namespace gui
} // namespace micro
