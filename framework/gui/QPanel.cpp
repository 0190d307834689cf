#include "framework/gui/QPanel.h"
#include "framework/gui/QTheme.h"

namespace micro {
namespace gui {

const wchar_t* QPanel::GetClassName() { return L"QPANEL"; }

void QPanel::PreRegisterClass(WNDCLASSEXW& wc)
{
    QControl::PreRegisterClass(wc);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

bool QPanel::Close()
{
    if (!OnClose())
        return false;
    Destroy();
    return true;
}

utils::QString QPanel::GetTitle() { return utils::QString(); }

const wchar_t* QXPanel::GetClassName() { return L"QXPANEL"; }

bool QXPanel::OnEraseBackground(HDC dc, LRESULT& result)
{
    RECT rc;
    GetClientRect(m_hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(QTheme::GetCurrent()->background);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    result = 1;
    return true;
}

} // namespace gui
} // namespace micro
