#include <gtest/gtest.h>
#include <string>
#include "database/Schema.h"
#include "framework/files/QFiles.h"
#include "resources/resource.h"
#include "shell/MyApp.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/Screenshot.h"

using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const wchar_t kMainTitle[] = L"Brivane Vudivozov Beta 1.4 ";
const wchar_t kWelcome[] = L"Bun venit";

void DeleteTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

// A temporary place standing for drive C:, so no test touches the real data folder.
class TempRoot {
public:
    TempRoot()
    {
        static int counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"brivane-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
        DeleteTree(m_root);
        CreateDirectoryW(m_root.c_str(), nullptr);
    }
    ~TempRoot() { DeleteTree(m_root); }
    std::wstring Path(const wchar_t* rest) const { return m_root + L"\\" + rest; }
    std::wstring DataFolder() const { return Path(L"Brivane\\"); }
    std::wstring Database() const { return Path(L"Brivane\\Societate"); }

private:
    std::wstring m_root;
};

// Ends a run that would otherwise wait for a window no step closes.
class RunWatchdog {
public:
    explicit RunWatchdog(MyApp& app) : m_timer(SetTimer(nullptr, 0, 60000, &Fire))
    {
        s_app = &app;
    }
    ~RunWatchdog()
    {
        KillTimer(nullptr, m_timer);
        s_app = nullptr;
    }

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        ADD_FAILURE() << "the run did not end";
        ModalDriver::EndAllModal();
        if (s_app && s_app->frame.GetHandle())
            PostMessageW(s_app->frame.GetHandle(), WM_CLOSE, 0, 0);
    }
    UINT_PTR m_timer;
    static MyApp* s_app;
};
MyApp* RunWatchdog::s_app = nullptr;

// One start of the program on the data folder: the whole Run, as the entry point does it.
int RunProgram(MyApp& app, ModalDriver& driver)
{
    RunWatchdog watchdog(app);
    int code = app.Run();
    driver.Verify();
    ModalDriver::Pump(); // a quit message left by a start that ended early
    return code;
}

long long TableCount(const std::wstring& path)
{
    MyRepository db;
    OpenCompanyDatabase(db, path.c_str());
    long long n = db.ExecScalar(L"select count(*) from sqlite_master where type = 'table'");
    db.Close();
    return n;
}

} // namespace

TEST(Startup, FirstRunAsksThenCreatesTheDatabaseAndLaterRunsGoStraightToTheWindow)
{
    TempRoot root;
    {
        MyApp app;
        app.SetDataFolder(root.DataFolder().c_str());
        ModalDriver driver;
        bool openDuringRun = false;
        driver.When(kWelcome, [](HWND dialog) {
                  // "Continue >>" is the default button: Enter takes it.
                  LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
                  EXPECT_EQ(DC_HASDEFID, HIWORD(def));
                  EXPECT_EQ(IDOK, LOWORD(def));
                  EXPECT_EQ(L"Continue >>", ModalDriver::GetText(dialog, IDOK));
                  EXPECT_EQ(L"Exit", ModalDriver::GetText(dialog, IDCANCEL));
                  testing_support::SaveWindowPng(dialog, L"shell-welcome");
                  PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
              })
            .When(kMainTitle, [&](HWND window) {
                EXPECT_TRUE(IsZoomed(window));
                openDuringRun = app.databaseOpen && app.repository.IsOpen();
                ModalDriver::Pump(200);
                testing_support::SaveWindowPng(window, L"shell-main-window");
                PostMessageW(window, WM_COMMAND, ID_APP_EXIT, 0);
            });
        EXPECT_EQ(0, RunProgram(app, driver));
        EXPECT_TRUE(openDuringRun);
        EXPECT_FALSE(app.repository.IsOpen());
    }
    ASSERT_TRUE(micro::files::FileExists(root.Database().c_str()));
    EXPECT_EQ(kCompanyTableCount, TableCount(root.Database()));

    // The second start finds the file: no welcome, straight to the main window.
    MyApp again;
    again.SetDataFolder(root.DataFolder().c_str());
    ModalDriver driver;
    driver.When(kMainTitle, [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_EQ(0, RunProgram(again, driver));
}

TEST(Startup, ExitOnTheWelcomeDialogCreatesNothing)
{
    TempRoot root;
    MyApp app;
    app.SetDataFolder(root.DataFolder().c_str());
    ModalDriver driver;
    driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDCANCEL); });
    EXPECT_EQ(-1, RunProgram(app, driver));
    EXPECT_FALSE(micro::files::FolderExists(root.DataFolder().c_str()));
    EXPECT_EQ(nullptr, app.frame.GetHandle());
    EXPECT_FALSE(app.databaseOpen);
}

TEST(Startup, ExistingDataFolderIsUsedAndAFolderThatCannotBeMadeIsReported)
{
    TempRoot root;
    {
        // A folder left by an earlier attempt: not an error.
        CreateDirectoryW(root.DataFolder().c_str(), nullptr);
        MyApp app;
        app.SetDataFolder(root.DataFolder().c_str());
        ModalDriver driver;
        driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDOK); })
            .When(kMainTitle, [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); });
        EXPECT_EQ(0, RunProgram(app, driver));
        EXPECT_TRUE(micro::files::FileExists(root.Database().c_str()));
    }
    // A file where the folder should be.
    micro::files::WriteWholeFile(root.Path(L"blocked").c_str(), "x", 1);
    MyApp app;
    app.SetDataFolder(root.Path(L"blocked\\Brivane\\").c_str());
    MessageBoxRecorder boxes;
    ModalDriver driver;
    driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDOK); });
    EXPECT_EQ(-1, RunProgram(app, driver));
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Eroare la crearea fisierului !", boxes.Last().text);
    EXPECT_EQ(L"Error", boxes.Last().caption);
    EXPECT_FALSE(app.databaseOpen);
    EXPECT_EQ(nullptr, app.frame.GetHandle());
}

TEST(Startup, DatabaseThatFailsHalfWayIsNotTakenForValidOnTheNextStart)
{
    TempRoot root;
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    // A folder where the rollback journal must go makes the creation fail after the file exists.
    std::wstring journal = root.Database() + L"-journal";
    CreateDirectoryW(journal.c_str(), nullptr);
    {
        MyApp app;
        app.SetDataFolder(root.DataFolder().c_str());
        MessageBoxRecorder boxes;
        ModalDriver driver;
        bool openInWindow = true;
        driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDOK); })
            .When(kMainTitle, [&](HWND window) {
                openInWindow = app.databaseOpen || app.repository.IsOpen();
                PostMessageW(window, WM_CLOSE, 0, 0);
            });
        EXPECT_EQ(0, RunProgram(app, driver));
        EXPECT_FALSE(openInWindow);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"Message", boxes.Last().caption);
    }
    EXPECT_FALSE(micro::files::FileExists(root.Database().c_str()));
    RemoveDirectoryW(journal.c_str());

    // The next start asks again.
    MyApp again;
    again.SetDataFolder(root.DataFolder().c_str());
    ModalDriver driver;
    driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDCANCEL); });
    EXPECT_EQ(-1, RunProgram(again, driver));
}

TEST(Startup, FileThatIsNotADatabaseIsReportedAndLeavesTheDatabaseClosed)
{
    TempRoot root;
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    std::string junk(4096, 'j');
    micro::files::WriteWholeFile(root.Database().c_str(), junk.data(), junk.size());
    MyApp app;
    app.SetDataFolder(root.DataFolder().c_str());
    MessageBoxRecorder boxes;
    ModalDriver driver;
    bool openInWindow = true;
    driver.When(kMainTitle, [&](HWND window) {
        openInWindow = app.databaseOpen || app.repository.IsOpen();
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, RunProgram(app, driver));
    EXPECT_FALSE(openInWindow);
    ASSERT_EQ(1u, boxes.Count()) << boxes.Describe();
    EXPECT_EQ(L"Message", boxes.Last().caption);
    EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"SQLITE_NOTADB")) << boxes.Describe();
    // The user's file is left as it was.
    micro::utils::QBuffer kept;
    ASSERT_TRUE(micro::files::ReadWholeFile(root.Database().c_str(), kept));
    EXPECT_EQ(static_cast<int>(junk.size()), kept.GetCount());
}

TEST(Startup, FailureToCloseTheDatabaseAtExitIsShown)
{
    TempRoot root;
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    {
        MyRepository db;
        CreateCompanyDatabase(db, root.Database().c_str());
        db.Close();
    }
    MyApp app;
    app.SetDataFolder(root.DataFolder().c_str());
    ASSERT_TRUE(app.OpenCompanyData());
    ASSERT_TRUE(app.databaseOpen);
    {
        // A statement still alive keeps the connection busy.
        micro::qsql::QsqlQuery pending = app.repository.ExecQuery(L"select * from Clienti");
        MessageBoxRecorder boxes;
        EXPECT_EQ(-1, app.ExitInstance());
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"Message", boxes.Last().caption);
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"SQLITE_BUSY")) << boxes.Describe();
    }
    EXPECT_EQ(0, app.ExitInstance());
    EXPECT_FALSE(app.repository.IsOpen());
}
