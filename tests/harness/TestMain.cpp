#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <string>
#include <gtest/gtest.h>
#include "framework/qdialog/QMessageBox.h"
#include "tests/harness/RunState.h"

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

// Tells the watchdog of tools/wine-test which test runs and how many have
// passed, failed and been skipped so far (the file's first and second lines,
// and its time of change), prints every skipped test with its reason and ends
// with one summary line, printed and left in the file with the skipped tests,
// that ./test adds up; last, the status the program ends with.
class Progress : public ::testing::EmptyTestEventListener {
public:
    // The program's own end, after its summary (a hang or crash after the
    // summary is still the program's).
    void End(int status) { Mark(testing_support::EndedWith(status)); }

private:
    void Mark(const std::string& text)
    {
        char counts[64];
        snprintf(counts, sizeof(counts), "\ncounts %d %d %d %d\n", m_toRun, m_passed, m_failed, m_skipped);
        testing_support::MarkRunState(text + counts + m_skippedNotes);
    }
    static std::string Name(const ::testing::TestInfo& info)
    {
        return std::string(info.test_suite_name()) + "." + info.name();
    }
    void OnTestProgramStart(const ::testing::UnitTest& unit) override { m_toRun = unit.test_to_run_count(); }
    void OnTestStart(const ::testing::TestInfo& info) override { Mark("running " + Name(info)); }
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        const ::testing::TestResult* result = info.result();
        if (result->Skipped())
            NoteSkipped(info);
        else if (result->Failed())
            ++m_failed;
        else
            ++m_passed;
        Mark("after " + Name(info));
    }
    void NoteSkipped(const ::testing::TestInfo& info)
    {
        ++m_skipped;
        std::string reason;
        for (int i = 0; i < info.result()->total_part_count(); ++i)
            if (info.result()->GetTestPartResult(i).skipped())
                reason = info.result()->GetTestPartResult(i).message();
        std::string note = "[  SKIPPED ] " + Name(info) + ": " + (reason.empty() ? "(no reason given)" : reason);
        // A line a test: the run's summary lists them so.
        for (char& c : note)
            if (c == '\n' || c == '\r')
                c = ' ';
        printf("%s\n", note.c_str());
        fflush(stdout);
        m_skippedNotes += note + "\n";
    }
    void OnTestProgramEnd(const ::testing::UnitTest&) override
    {
        char summary[128];
        snprintf(summary, sizeof(summary), "[ SUMMARY  ] %d tests: %d passed, %d failed, %d skipped", m_toRun,
                 m_passed, m_failed, m_skipped);
        Mark(summary);
        printf("%s\n", summary);
        fflush(stdout);
    }
    std::string m_skippedNotes;
    int m_toRun = 0;
    int m_passed = 0;
    int m_failed = 0;
    int m_skipped = 0;
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
    Progress* progress = new Progress;
    ::testing::UnitTest::GetInstance()->listeners().Append(progress);
    int result = RUN_ALL_TESTS();
    CoUninitialize();
    progress->End(result);
    return result;
}
