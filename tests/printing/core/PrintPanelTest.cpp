#include <gtest/gtest.h>
#include "framework/gui/QTabContainer.h"
#include "framework/qapp/QCommandTable.h"
#include "printing/MyPrintPanel.h"
#include "printing/PrintingCommands.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

TEST(PrintTab, OpensATabNamedForTheDocumentShowingItsPageOrReportsThatItCannot)
{
    testing_support::TempDatabase company; // without a company file open the command is refused
    micro::qapp::QCommandTable commands;
    RegisterPrintingCommands(commands);
    micro::gui::QTabContainer tabs;
    {
        testing_support::MessageBoxRecorder boxes;   // no window yet: no page can be added
        commands.Execute(ID_CMD_TIPARIRE_FACTURI, {nullptr, &tabs, 0, 5});
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"Eroare tiparire factura!|Message", boxes.Last().text + L"|" + boxes.Last().caption);
        EXPECT_EQ(0, tabs.GetPageCount());
    }
    ASSERT_TRUE(tabs.Create(nullptr, 0, WS_POPUP | WS_VISIBLE));
    SetWindowPos(tabs, HWND_TOP, 0, 0, 300, 200 + micro::gui::QTabContainer::kStripHeight, 0);
    ASSERT_TRUE(commands.Execute(ID_CMD_TIPARIRE_FACTURI, {nullptr, &tabs, 0, 17}));
    ASSERT_EQ(1, tabs.GetPageCount());
    EXPECT_EQ(L"Factura 17", std::wstring(tabs.GetPageTitle(0).c_str()));
    UpdateWindow(tabs);
    testing_support::ModalDriver::Pump(200);
    // What the screen shows: the white sheet inside a black border.
    POINT origin = {0, 0};
    ClientToScreen(tabs.GetPage(0)->GetHandle(), &origin);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(screen, origin.x + 5, origin.y + 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(screen, origin.x + 100, origin.y + 100));
    ReleaseDC(nullptr, screen);
}
