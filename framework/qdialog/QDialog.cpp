#include "framework/qdialog/QDialog.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "framework/qdialog/ShownState.h"

namespace micro {
namespace qdialog {

IDialog::IDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent), m_ending(false)
{
    m_ownsHandle = false; // EndDialog destroys the window
}

IDialog::~IDialog()
{
    if (m_hwnd) {
        Forget(m_hwnd, this);
        m_hwnd = nullptr;
    }
}

INT_PTR IDialog::DoModal()
{
    m_ending = false;
    // Owned by the active window when the caller named none or the main
    // window while another modal dialog is up (see ModalOwner).
    HWND owner = m_parent;
    if (!owner || owner == qapp::GetMainWindow())
        owner = ModalOwner();
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner,
                                     &IDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
    return result;
}

bool IDialog::OnInitDialog()
{
    CenterWindow();
    UpdateData(true);
    return true;
}

bool IDialog::UpdateData(bool) { return true; }

bool IDialog::OnButton(UINT id)
{
    switch (id) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    case 9: return OnHelp();
    default: return false;
    }
}

bool IDialog::OnHelp() { return false; }

void IDialog::OnOK()
{
    if (OnClose() && UpdateData(false))
        EndDialog(IDOK);
}

void IDialog::OnCancel()
{
    if (!OnClose())
        return;
    // Only a "Yes" throws the changes away: Esc on the box, or a box that
    // could not be shown, keeps the dialog open with what was typed.
    if (m_askBeforeDiscarding && HasUnsavedChanges() &&
        MessageBox(L"Modificarile nu au fost salvate. Renuntati la ele ?", L"Atentie",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    EndDialog(IDCANCEL);
}

void IDialog::MarkSaved()
{
    if (m_hwnd)
        m_savedState = ShownState(m_hwnd);
}

bool IDialog::HasUnsavedChanges() const
{
    return m_hwnd && ShownState(m_hwnd) != m_savedState;
}

bool IDialog::OnCommand(UINT id, UINT code, HWND, LRESULT&)
{
    if (code == 0)
        return OnButton(id);
    return false;
}

void IDialog::CenterWindow()
{
    RECT dialog, desktop;
    GetWindowRect(m_hwnd, &dialog);
    GetWindowRect(GetDesktopWindow(), &desktop);
    int cx = dialog.right - dialog.left, cy = dialog.bottom - dialog.top;
    int x = desktop.left + ((desktop.right - desktop.left) - cx) / 2;
    int y = desktop.top + ((desktop.bottom - desktop.top) - cy) / 2;
    SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void IDialog::EndDialog(INT_PTR result)
{
    m_ending = true;
    ::EndDialog(m_hwnd, result);
}

utils::QString IDialog::GetItemText(int id) const
{
    utils::QString text;
    HWND item = GetItem(id);
    int length = item ? GetWindowTextLengthW(item) : 0;
    if (length > 0) {
        int n = GetWindowTextW(item, text.GetBuffer(length + 1), length + 2);
        text.ReleaseBuffer(n);
    }
    return text;
}

LRESULT IDialog::DefaultProc(UINT, WPARAM, LPARAM)
{
    return 0;
}

INT_PTR CALLBACK IDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    IDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<IDialog*>(lParam);
        if (!self)
            return FALSE;
        self->m_hwnd = hwnd;
        Remember(hwnd, self);
    } else {
        self = static_cast<IDialog*>(gui::QWindow::FromHandle(hwnd));
    }
    if (!self)
        return FALSE;

    INT_PTR answer = FALSE;
    try {
        if (message == WM_INITDIALOG) {
            answer = self->OnInitDialog() ? TRUE : FALSE;
            if (self->m_askBeforeDiscarding)
                self->MarkSaved();
        } else {
            bool handled = false;
            LRESULT result = self->Dispatch(message, wParam, lParam, handled);
            if (handled) {
                switch (message) {
                case WM_CTLCOLORSTATIC:
                case WM_CTLCOLOREDIT:
                case WM_CTLCOLORBTN:
                case WM_CTLCOLORLISTBOX:
                case WM_CTLCOLORDLG:
                    answer = static_cast<INT_PTR>(result);
                    break;
                default:
                    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
                    answer = TRUE;
                }
            }
        }
    } catch (...) {
        gui::ReportCaughtException();
        answer = (message == WM_INITDIALOG) ? TRUE : FALSE;
        // A dialog whose set-up failed would open half-filled, and what it
        // saved could overwrite good data with its empty fields: it does
        // not open.
        if (message == WM_INITDIALOG)
            self->EndDialog(IDCANCEL);
    }
    if (message == WM_NCDESTROY) {
        Forget(hwnd, self);
        self->m_hwnd = nullptr;
    }
    return answer;
}

} // namespace qdialog
} // namespace micro
