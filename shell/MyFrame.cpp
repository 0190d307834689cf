#include "shell/MyFrame.h"
#include "resources/resource.h"

MyFrame::MyFrame() {}

const wchar_t* MyFrame::GetClassName() { return L"clsw"; }

void MyFrame::PreRegisterClass(WNDCLASSEXW& wc)
{
    QMainFrame::PreRegisterClass(wc);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(IDI_BRIVANE));
    wc.hIconSm = wc.hIcon;
}

bool MyFrame::CreateMain()
{
    if (!Create(nullptr, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN))
        return false;
    SetText(L"Brivane Vudivozov Beta 1.4 ");
    return true;
}

bool MyFrame::OnCreate(CREATESTRUCTW*, LRESULT&)
{
    tabs.Create(this, 100, 0);
    return false;
}

bool MyFrame::OnSize(UINT, int cx, int cy, LRESULT&)
{
    if (tabs.GetHandle())
        tabs.MoveWindow(0, 0, cx, cy);
    return false;
}
