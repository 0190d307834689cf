#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include "framework/qdialog/QMessageBox.h"

// Boxes raised by code under test never block: unless a test records them
// itself, they are answered OK and reported.
static int UnexpectedBox(HWND, const wchar_t* text, const wchar_t* caption, UINT)
{
    char narrow[1024];
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
    char title[256];
    WideCharToMultiByte(CP_UTF8, 0, caption, -1, title, sizeof(title), nullptr, nullptr);
    ADD_FAILURE() << "unexpected message box [" << title << "] " << narrow;
    return IDOK;
}

class BoxGuard : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { micro::qdialog::SetMessageBoxHandler(&UnexpectedBox); }
};

int wmain(int argc, wchar_t** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                  ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new BoxGuard);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
