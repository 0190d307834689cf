// The "Actiuni" button of the document editor: the lifecycle commands
// (validate, cancel, storno, turn into an invoice) as a menu beside "Salvare".
#include "documents/MyFacturiDialog.h"
#include "database/DocumentTables.h"
#include "resources/resource.h"

namespace {

struct ActionItem {
    const wchar_t* text;
    int command;
};

const ActionItem kActions[] = {
    {L"Validare", IDC_FE_VALIDATE},
    {L"Anulare", IDC_FE_CANCEL_DOCUMENT},
    {L"Stornare", IDC_FE_STORNO},
    {L"Transformare in factura", IDC_FE_TO_INVOICE},
};

} // namespace

void MyFacturiDialog::CreateActionsButton()
{
    HWND button = CreateWindowExW(0, L"Button", L"Actiuni", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 720,
                                  560, 120, 42, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FE_ACTIONS)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (button)
        ::SendMessageW(button, WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
}

// The rules by status and type that also guard the commands themselves.
bool MyFacturiDialog::ActionAllowed(int command) const
{
    bool closed = status >= StatusValidated && status <= StatusReversed;
    bool convertible = tip == DocumentProforma || tip == DocumentDeliveryNote;
    switch (command) {
    case IDC_FE_VALIDATE: return !convertible && !closed;
    case IDC_FE_CANCEL_DOCUMENT: return !closed;
    case IDC_FE_STORNO: return status != StatusTemporary && status != StatusCancelled && status != StatusReversed;
    case IDC_FE_TO_INVOICE: return convertible;
    default: return false;
    }
}

void MyFacturiDialog::ShowActionsMenu()
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (const ActionItem& item : kActions)
        AppendMenuW(menu, MF_STRING | (ActionAllowed(item.command) ? MF_ENABLED : MF_GRAYED), item.command, item.text);
    RECT r = {};
    GetWindowRect(GetItem(IDC_FE_ACTIONS), &r);
    int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                 r.left, r.bottom, 0, m_hwnd, nullptr));
    DestroyMenu(menu);
    if (chosen != 0 && ActionAllowed(chosen))
        OnButton(static_cast<UINT>(chosen));
}
