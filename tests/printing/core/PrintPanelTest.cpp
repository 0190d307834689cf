#include <gtest/gtest.h>
#include "framework/gui/QTabContainer.h"
#include "framework/qapp/QCommandTable.h"
#include "printing/MyPrintPanel.h"
#include "printing/PrintingCommands.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"

namespace {

micro::qapp::QCommandContext Context(micro::gui::QTabContainer* tabs, LPARAM id)
{
    micro::qapp::QCommandContext context = {nullptr, tabs, 0, id};
    return context;
}

} // namespace

TEST(PrintTab, ATabThatCannotBeMadeIsReported)
{
    micro::qapp::QCommandTable commands;
    RegisterPrintingCommands(commands);
    micro::gui::QTabContainer tabs;   // no window: no page can be added
    testing_support::MessageBoxRecorder boxes;
    commands.Execute(ID_CMD_TIPARIRE_FACTURI, Context(&tabs, 5));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Eroare tiparire factura!", boxes.Last().text);
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_EQ(0, tabs.GetPageCount());
}

TEST(PrintTab, ShowsAWhiteSheetInsideABlackBorder)
{
    micro::qapp::QCommandTable commands;
    RegisterPrintingCommands(commands);
    micro::gui::QTabContainer tabs;
    ASSERT_TRUE(tabs.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
    SetWindowPos(tabs, HWND_TOP, 0, 0, 300, 200 + micro::gui::QTabContainer::kStripHeight, 0);
    ASSERT_TRUE(commands.Execute(ID_CMD_TIPARIRE_FACTURI, Context(&tabs, 17)));
    ASSERT_EQ(1, tabs.GetPageCount());
    EXPECT_EQ(L"Factura 17", std::wstring(tabs.GetPageTitle(0).c_str()));
    HWND page = tabs.GetPage(0)->GetHandle();
    UpdateWindow(tabs);
    testing_support::ModalDriver::Pump(200);
    testing_support::SaveWindowPng(tabs, L"print_tab");
    RECT rc;
    GetClientRect(page, &rc);
    POINT origin = {0, 0};
    ClientToScreen(page, &origin);
    // What the screen shows: black, the sheet from (11, 11) to (w - 9, h - 9).
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(screen, origin.x + 5, origin.y + 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, origin.x + 100, origin.y + rc.bottom / 2));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, origin.x + rc.right - 10, origin.y + rc.bottom - 10));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(screen, origin.x + rc.right - 5, origin.y + rc.bottom - 5));
    ReleaseDC(nullptr, screen);
}
