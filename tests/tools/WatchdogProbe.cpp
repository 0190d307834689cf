// A test program for the check of the test runner under the real Wine
// (tests/tools/RealWineCheck.sh): tests that never end or that leave
// half-way, run only when asked for, and after them one that passes.
#include <windows.h>
#include <gtest/gtest.h>

// Waits in a real modal loop, as a test does whose dialog is never answered.
TEST(Probe, DISABLED_WaitsForAnAnswerThatNeverComes)
{
    MessageBoxW(nullptr, L"Nobody answers this box.", L"Probe", MB_OK);
}

TEST(Probe, DISABLED_SleepsForEver)
{
    Sleep(INFINITE);
}

// Leaves the program half-way with status 0, as a stray exit() would.
TEST(Probe, DISABLED_LeavesHalfWay)
{
    ExitProcess(0);
}

TEST(Probe, Passes)
{
    EXPECT_EQ(4, 2 + 2);
}
