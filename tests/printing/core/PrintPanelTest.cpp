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

TEST(PrintTab, CommandOpensATabTitledAfterTheDocument)
{
    micro::qapp::QCommandTable commands;
    RegisterPrintingCommands(commands);
    micro::gui::QTabContainer tabs;
    ASSERT_TRUE(tabs.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
    SetWindowPos(tabs, nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    ASSERT_TRUE(commands.Execute(ID_CMD_TIPARIRE_FACTURI, Context(&tabs, 17)));
    ASSERT_TRUE(commands.Execute(ID_CMD_TIPARIRE_FACTURI, Context(&tabs, 0)));
    ASSERT_EQ(2, tabs.GetPageCount());
    EXPECT_EQ(L"Factura 17", std::wstring(tabs.GetPageTitle(0).c_str()));
    EXPECT_EQ(L"Factura 0", std::wstring(tabs.GetPageTitle(1).c_str()));
}

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

TEST(PrintTab, PaintsAWhiteSheetInsideABlackBorder)
{
    MyPrintPanel panel(17);
    ASSERT_TRUE(panel.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
    SetWindowPos(panel, HWND_TOP, 0, 0, 300, 200, 0);
    InvalidateRect(panel, nullptr, TRUE);
    UpdateWindow(panel);
    testing_support::ModalDriver::Pump(100);
    ASSERT_NE(nullptr, panel.GetRenderTarget());
    testing_support::SaveWindowPng(panel, L"print_tab");
    HDC dc = GetDC(panel);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 150, 150));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 290, 190));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 295, 195));
    ReleaseDC(panel, dc);

    // A zero size leaves the target as it was.
    LRESULT result = 0;
    D2D1_SIZE_U before = panel.GetRenderTarget()->GetPixelSize();
    panel.OnSize(SIZE_RESTORED, 0, 100, result);
    EXPECT_EQ(before.width, panel.GetRenderTarget()->GetPixelSize().width);
}
