#include "shell/MyFrame.h"
#include "cash/CashCommands.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include "documents/DocumentCommands.h"
#include "documents/MyFacturiPanel.h"
#include "framework/gui/QTheme.h"
#include "masterdata/MasterDataCommands.h"
#include "printing/PrintingCommands.h"
#include "resources/resource.h"
#include "shell/ShellCommands.h"
#include "stock/StockCommands.h"
#include <algorithm>

namespace {
const wchar_t kTitle[] = L"Brivane Vudivozov Beta 1.4 ";
// The size the window comes back to from maximised.
const int kRestoredWidth = 1100;
const int kRestoredHeight = 720;
}

MyFrame::MyFrame() {}

MyFrame::~MyFrame()
{
    // Destroy the window while the handlers of this class still run, so the
    // toolbar is forgotten and the pages go before the members.
    Destroy();
}

const wchar_t* MyFrame::GetClassName() { return L"clsw"; }

void MyFrame::PreRegisterClass(WNDCLASSEXW& wc)
{
    QMainFrame::PreRegisterClass(wc);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_BRIVANE));
    wc.hIconSm = wc.hIcon;
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINFRAME);
    wc.hbrBackground = nullptr;
}

void MyFrame::RegisterCommands()
{
    // One call per part: each knows its own dialogs and tabs.
    RegisterMasterDataCommands(commands);
    RegisterCashCommands(commands);
    RegisterPrintingCommands(commands);
    RegisterDocumentCommands(commands);
    RegisterStockCommands(commands);
    RegisterShellCommands(commands);
}

bool MyFrame::CreateMain()
{
    RegisterCommands();
    if (!Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        return false;
    SetText(kTitle);
    LoadAcceleratorTable(IDR_MAINFRAME);
    return true;
}

void MyFrame::CenterOnScreen()
{
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    int width = std::min<int>(kRestoredWidth, work.right - work.left);
    int height = std::min<int>(kRestoredHeight, work.bottom - work.top);
    MoveWindow(work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2, width,
               height);
}

bool MyFrame::OnCreate(CREATESTRUCTW*, LRESULT& result)
{
    if (!toolbar.Create(this, IDC_MAINFRAME_TOOLBAR, 0) || !tabs.Create(this, IDC_MAINFRAME_TABS, 0)) {
        result = -1;
        return true;
    }
    toolbar.EnableFor(commands);
    return false;
}

bool MyFrame::OnDestroy(LRESULT& result)
{
    // The system destroys the toolbar with this window.
    toolbar.Detach();
    return QMainFrame::OnDestroy(result);
}

bool MyFrame::ExecuteCommand(UINT id, UINT code, LPARAM lParam)
{
    // lParam belongs to the sender: a control's handle from a control, a
    // document id from a document list. Our own toolbar stands for the menu.
    if (toolbar.GetHandle() && reinterpret_cast<HWND>(lParam) == toolbar.GetHandle())
        lParam = 0;
    micro::qapp::QCommandContext context = {m_hwnd, &tabs, MAKEWPARAM(id, code), lParam};
    // What a command's windows wrote shows in the open document tabs: a
    // receipt or payment settles documents, a ledger row opens an editor.
    MyRepository& db = GetRepository();
    sqlite3* connection = db.GetHandle();
    long long written = db.TotalChanges();
    bool handled = commands.Execute(id, context);
    if (handled && connection && &GetRepository() == &db && db.GetHandle() == connection &&
        db.TotalChanges() != written)
        for (int type : {DocumentInvoice, DocumentProforma, DocumentDeliveryNote, DocumentGoodsReceived})
            ReloadDocumentTabs(&tabs, type);
    return handled;
}

bool MyFrame::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    result = 0;
    return ExecuteCommand(id, code, reinterpret_cast<LPARAM>(control));
}

bool MyFrame::OnNotify(UINT, NMHDR* header, LRESULT& result)
{
    if (header && header->hwndFrom == toolbar.GetHandle() && header->code == NM_CUSTOMDRAW) {
        result = toolbar.CustomDraw(reinterpret_cast<NMCUSTOMDRAW*>(header));
        return true;
    }
    return false;
}

bool MyFrame::OnSize(UINT, int cx, int cy, LRESULT&)
{
    int top = toolbar.Layout();
    if (tabs.GetHandle())
        tabs.MoveWindow(0, top, cx, cy > top ? cy - top : 0);
    return false;
}

bool MyFrame::OnEraseBackground(HDC, LRESULT& result)
{
    // The toolbar and the workspace cover the whole client area.
    result = 1;
    return true;
}

void MyFrame::EnableMenuItems(HMENU menu) const
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {sizeof(info)};
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info) || info.hSubMenu || (info.fType & MFT_SEPARATOR))
            continue;
        EnableMenuItem(menu, i, MF_BYPOSITION | (commands.Has(info.wID) ? MF_ENABLED : MF_GRAYED));
    }
}

bool MyFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The window menu (HIWORD set) keeps the system's own states.
    if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
        EnableMenuItems(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    }
    return false;
}
