#include <windows.h>
#include <winspool.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>
#include "printing/PrintHelpers.h"
#include "tests/harness/ModalDriver.h"
#include "tests/printing/support/MetafilePage.h"
#include "tests/printing/support/HostTools.h"

using testing_support::ModalDriver;
using namespace printing_tests;
using layout_tests::MetafileSink;

namespace {

// A top-level window that notes the device-mode broadcast.
std::wstring s_devModeNotice;
LRESULT CALLBACK NoticeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVMODECHANGE)
        s_devModeNotice = reinterpret_cast<const wchar_t*>(lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateNoticeWindow()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &NoticeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PrintTestNotice";
    RegisterClassW(&wc);
    return CreateWindowW(L"PrintTestNotice", L"notice", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t printer[256];
        DWORD length = 256;
        if (!SpoolerRunning() || !GetDefaultPrinterW(printer, &length))
            GTEST_SKIP() << "no print spooler with a default queue is running (start it with tools/spooler.sh)";
        name = printer;
    }
    std::wstring name;
};

} // namespace

TEST(PrintJob, FinishedJobHandsItsPageToTheSinkAndAnAbandonedOneIsAborted)
{
    MetafileSink sink(2479, 3508);
    {
        PrintJob job(nullptr);
        ASSERT_TRUE(job.IsOpen());
        EXPECT_EQ(2479, job.GetWidth());
        TextOutW(job.GetDC(), 10, 10, L"Pagina", 6);
        EXPECT_TRUE(job.Finish());
        EXPECT_FALSE(job.Finish());   // a job ends once
    }
    ASSERT_EQ(1u, sink.printed.size());
    EXPECT_TRUE(sink.printed[0].Find(L"Pagina"));
    try {
        PrintJob job(nullptr);
        TextOutW(job.GetDC(), 10, 10, L"Jumatate", 8);
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(1u, sink.printed.size());
    EXPECT_EQ(1u, sink.abandoned.size());
}

// A page is started once: not over the one-page job's own page nor over one
// not ended; a job of pages starts each of its pages.
TEST(PrintJob, APageIsNeverStartedOverAnOpenOne)
{
    MetafileSink sink(2479, 3508);
    {
        PrintJob job(nullptr);
        ASSERT_TRUE(job.IsOpen());
        EXPECT_FALSE(job.StartPage(1));
        EXPECT_TRUE(job.Finish());
    }
    PrintPageRange pages = {2, 0, 0};
    PrintJob job(nullptr, pages);
    ASSERT_TRUE(job.IsOpen());
    EXPECT_TRUE(job.StartPage(1));
    EXPECT_FALSE(job.StartPage(2));
    EXPECT_TRUE(job.EndPage());
    EXPECT_TRUE(job.StartPage(2));
    EXPECT_TRUE(job.Finish());
}

// The print dialog, owned by the caller, answers the printer's DC and the
// chosen range.
TEST_F(PrinterTest, ConfigureDefaultPrinterWritesA4AndThreeCopiesTellsTheWindowsAndThePrintDialogAnswers)
{
    HWND owner = CreateNoticeWindow();
    s_devModeNotice.clear();
    EXPECT_EQ(1, ConfigureDefaultPrinter());
    EXPECT_EQ(name, s_devModeNotice);

    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(&name[0], &printer, nullptr));
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> block(needed);
    ASSERT_TRUE(GetPrinterW(printer, 2, block.data(), needed, &needed));
    ClosePrinter(printer);
    const PRINTER_INFO_2W* info = reinterpret_cast<const PRINTER_INFO_2W*>(block.data());
    ASSERT_NE(nullptr, info->pDevMode);
    EXPECT_EQ(DMPAPER_A4, info->pDevMode->dmPaperSize);
    EXPECT_EQ(3, info->pDevMode->dmCopies);

    const struct {
        unsigned pages;
        const wchar_t *from, *to;
        unsigned chosenFrom, chosenTo;
    } cases[] = {{1, nullptr, nullptr, 1, 1}, {3, L"2", L"3", 2, 3}};
    for (const auto& c : cases) {
        PrintPageRange range = {c.pages, 0, 0};
        HWND seenOwner = nullptr;
        ModalDriver driver;
        driver.When(L"Print", [&](HWND dialog) {
            seenOwner = GetWindow(dialog, GW_OWNER);
            if (c.from) {
                SendDlgItemMessageW(dialog, 1058, BM_CLICK, 0, 0);   // "Pages"
                ModalDriver::SetText(dialog, 1152, c.from);
                ModalDriver::SetText(dialog, 1153, c.to);
            }
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        HDC dc = ShowPrintDialog(&range, owner);
        driver.Verify();
        ASSERT_NE(nullptr, dc);
        EXPECT_EQ(owner, seenOwner);
        EXPECT_EQ(c.chosenFrom, range.fromPage);
        EXPECT_EQ(c.chosenTo, range.toPage);
        EXPECT_GT(GetDeviceCaps(dc, HORZRES), 2000);   // A4 at the queue's resolution, not the screen
        DeleteDC(dc);
    }
    DestroyWindow(owner);
}
