#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <string>
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

// Tells the watchdog of tools/wine-test which test runs (the file's content and
// time of change), prints every skipped test with its reason and ends with one
// summary line that ./test adds up.
class Progress : public ::testing::EmptyTestEventListener {
public:
    Progress()
    {
        char path[MAX_PATH * 2];
        DWORD n = GetEnvironmentVariableA("BRIVANE_TEST_STATE", path, sizeof(path));
        if (n > 0 && n < sizeof(path))
            m_state = path;
    }

private:
    void Mark(const std::string& text)
    {
        if (m_state.empty())
            return;
        if (FILE* f = fopen(m_state.c_str(), "wb")) {
            fputs(text.c_str(), f);
            fclose(f);
        }
    }
    static std::string Name(const ::testing::TestInfo& info)
    {
        return std::string(info.test_suite_name()) + "." + info.name();
    }
    void OnTestStart(const ::testing::TestInfo& info) override { Mark("running " + Name(info)); }
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        Mark("after " + Name(info));
        const ::testing::TestResult* result = info.result();
        if (!result->Skipped())
            return;
        std::string reason;
        for (int i = 0; i < result->total_part_count(); ++i)
            if (result->GetTestPartResult(i).skipped())
                reason = result->GetTestPartResult(i).message();
        printf("[  SKIPPED ] %s: %s\n", Name(info).c_str(), reason.empty() ? "(no reason given)" : reason.c_str());
        fflush(stdout);
    }
    void OnTestProgramEnd(const ::testing::UnitTest& unit) override
    {
        Mark("exiting after the last test");
        printf("[ SUMMARY  ] %d tests: %d passed, %d failed, %d skipped\n", unit.test_to_run_count(),
               unit.successful_test_count(), unit.failed_test_count(), unit.skipped_test_count());
        fflush(stdout);
    }
    std::string m_state;
};

int wmain(int argc, wchar_t** argv)
{
    // Whatever was printed must survive a program that dies half-way.
    setvbuf(stdout, nullptr, _IONBF, 0);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES |
                                                  ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new BoxGuard);
    ::testing::UnitTest::GetInstance()->listeners().Append(new Progress);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
