#include "shell/MyToolbar.h"
#include "framework/gui/QTheme.h"
#include "resources/resource.h"

const MyToolbar::Button MyToolbar::kButtons[] = {
    {ID_CMD_FACTURA_NOUA, L"Factura noua"},
    {ID_CMD_CAUTARE_FACTURI, L"Facturi"},
    {ID_CMD_LISTARE_FACTURI, L"Lista facturi"},
    {ID_CMD_CHITANTE, L"Incasari"},
    {ID_CMD_PLATI, L"Plati"},
    {ID_CMD_STOC_ARTICOLE, L"Stoc articole"},
    {ID_CMD_CALCULATOR, L"Calculator"},
};
const int MyToolbar::kButtonCount = sizeof(kButtons) / sizeof(kButtons[0]);

namespace {
const int kImageSize = 24;
const COLORREF kKeyColour = RGB(255, 0, 255);
}

MyToolbar::MyToolbar() : m_images(nullptr) {}

MyToolbar::~MyToolbar()
{
    Destroy();
    if (m_images)
        ImageList_Destroy(m_images);
}

bool MyToolbar::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    DWORD styles = style | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP;
    if (!CreateSystem(TOOLBARCLASSNAMEW, parent, id, styles))
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (!m_images) {
        m_images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, kButtonCount, 0);
        HBITMAP strip = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SHELL_TOOLBAR),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (m_images && strip)
            ImageList_AddMasked(m_images, strip, kKeyColour);
        if (strip)
            DeleteObject(strip);
    }
    // Without its pictures the toolbar still works, with text only.
    bool pictures = m_images && ImageList_GetImageCount(m_images) == kButtonCount;
    if (pictures)
        SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    else
        SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessage(TB_SETPADDING, 0, MAKELPARAM(12, 8));
    TBBUTTON buttons[sizeof(kButtons) / sizeof(kButtons[0])] = {};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons[i].iBitmap = pictures ? i : I_IMAGENONE;
        buttons[i].idCommand = static_cast<int>(kButtons[i].command);
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        buttons[i].iString = reinterpret_cast<INT_PTR>(kButtons[i].text);
    }
    SendMessage(TB_ADDBUTTONSW, kButtonCount, reinterpret_cast<LPARAM>(buttons));
    SendMessage(TB_AUTOSIZE);
    return true;
}

void MyToolbar::EnableFor(const micro::qapp::QCommandTable& commands)
{
    for (int i = 0; i < kButtonCount; ++i)
        SendMessage(TB_ENABLEBUTTON, kButtons[i].command, MAKELPARAM(commands.Has(kButtons[i].command) ? TRUE : FALSE, 0));
}

int MyToolbar::Layout()
{
    if (!m_hwnd)
        return 0;
    SendMessage(TB_AUTOSIZE);
    RECT rc;
    GetWindowRect(m_hwnd, &rc);
    return rc.bottom - rc.top;
}

RECT MyToolbar::ButtonRect(UINT command) const
{
    RECT rc = {};
    SendMessage(TB_GETRECT, command, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

LRESULT MyToolbar::CustomDraw(NMCUSTOMDRAW* draw) const
{
    if (draw->dwDrawStage == CDDS_PREERASE || draw->dwDrawStage == CDDS_PREPAINT) {
        RECT rc;
        GetClientRect(m_hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(micro::gui::QTheme::GetCurrent()->toolbar);
        FillRect(draw->hdc, &rc, brush);
        DeleteObject(brush);
        return draw->dwDrawStage == CDDS_PREERASE ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

void MyToolbar::Detach()
{
    m_hwnd = nullptr;
    m_ownsHandle = false;
}
