#include "shell/MyWelcomeDialog.h"
#include "resources/resource.h"

MyWelcomeDialog::MyWelcomeDialog(HWND parent) : QDialog(IDD_WELCOME, parent) {}

bool MyWelcomeDialog::OnInitDialog()
{
    // No main window exists yet: put the program's icon on the title bar and
    // bring the dialog to the front so it is not lost behind other programs.
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BRIVANE));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetForegroundWindow(m_hwnd);
    return QDialog::OnInitDialog();
}
