#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "database/CompanyFile.h"
#include "database/Schema.h"
#include "framework/files/QFiles.h"
#include "resources/resource.h"
#include "shell/MyApp.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"
#include <shellapi.h>

using testing_support::MessageBoxRecorder;
using testing_support::ModalDriver;

namespace {

const wchar_t kMainTitle[] = L"Brivane Vudivozov Beta 1.4 ";
const wchar_t kWelcome[] = L"Bun venit";

void DeleteTree(const std::wstring& path)
{
    std::wstring from = path + L'\0';
    SHFILEOPSTRUCTW op = {nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    SHFileOperationW(&op);
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

std::string FileBytes(const std::wstring& path)
{
    micro::utils::QBuffer data;
    micro::files::ReadWholeFile(path.c_str(), data);
    return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetCount());
}

// A start on the company file as `bytes` ("=": as it is; "": zero bytes; the
// welcome dialog, shown for no file or an empty one, is continued), answering
// its one box with `answer`: that box's text, and in `state` whether the main
// window had the database open ('o'), writable too ('w') or neither ('-').
std::wstring StartOn(const TempRoot& root, const std::string& bytes, int answer, char& state,
                     DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    if (bytes != "=")
        micro::files::WriteWholeFile(root.Database().c_str(), bytes.data(), bytes.size());
    SetFileAttributesW(root.Database().c_str(), attributes);
    MyApp app;
    app.SetDataFolder(root.DataFolder().c_str());
    MessageBoxRecorder boxes;
    boxes.Answer(answer);
    ModalDriver driver;
    if (bytes.empty() || GetFileAttributesW(root.Database().c_str()) == INVALID_FILE_ATTRIBUTES)
        driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDOK); });
    driver.When(kMainTitle, [&](HWND window) {
        bool open = app.databaseOpen || app.repository.IsOpen();
        state = !open ? '-' : app.repository.IsReadOnly() ? 'o' : 'w';
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    RunProgram(app, driver);
    SetFileAttributesW(root.Database().c_str(), FILE_ATTRIBUTE_NORMAL);
    return boxes.Count() ? boxes.Last().text : L"";
}

// A company file with enough clients that its middle pages hold rows.
std::string ValidFile(const TempRoot& root)
{
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    MyRepository db;
    CreateCompanyDatabase(db, root.Database().c_str());
    for (int i = 0; i < 300; ++i)
        db.ExecDML(L"insert into Clienti (Nume, Adresa) values ('Client', 'O adresa destul de lunga')");
    db.Close();
    return FileBytes(root.Database());
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// The names in a folder, "." and ".." left out.
std::vector<std::wstring> FolderContents(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0)
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The boxes each command raised, "caption|text" a line.
std::vector<std::wstring> BoxesOfCommands(HWND window, MessageBoxRecorder& boxes, std::initializer_list<UINT> commands)
{
    std::vector<std::wstring> said;
    for (UINT command : commands) {
        boxes.Clear();
        SendMessageW(window, WM_COMMAND, command, 0);
        ModalDriver::Pump(50);
        std::wstring text;
        for (const auto& box : boxes.Boxes())
            text += box.caption + L"|" + box.text + L"\n";
        said.push_back(text);
    }
    return said;
}

} // namespace

TEST(Startup, FirstRunAsksThenCreatesTheDatabaseAndLaterRunsGoStraightToTheWindow)
{
    TempRoot root;
    {
        // Exit on the welcome dialog creates nothing.
        MyApp app;
        app.SetDataFolder(root.DataFolder().c_str());
        ModalDriver driver;
        driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDCANCEL); });
        EXPECT_EQ(-1, RunProgram(app, driver));
        EXPECT_FALSE(micro::files::FolderExists(root.DataFolder().c_str()));
        EXPECT_EQ(nullptr, app.frame.GetHandle());
    }
    {
        // A file where the folder should be is reported.
        micro::files::WriteWholeFile(root.Path(L"blocked").c_str(), "x", 1);
        MyApp app;
        app.SetDataFolder(root.Path(L"blocked\\Brivane\\").c_str());
        MessageBoxRecorder boxes;
        ModalDriver driver;
        driver.When(kWelcome, [](HWND dialog) { ModalDriver::Click(dialog, IDOK); });
        EXPECT_EQ(-1, RunProgram(app, driver));
        EXPECT_EQ("[Error] Eroare la crearea fisierului !\n", boxes.Describe());
        EXPECT_FALSE(app.databaseOpen);
        EXPECT_EQ(nullptr, app.frame.GetHandle());
    }
    // A creation that fails after the file exists (a folder where the rollback
    // journal must go) leaves no file: the next start asks again.
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    std::wstring journal = root.Database() + L"-journal";
    CreateDirectoryW(journal.c_str(), nullptr);
    char state = 0;
    EXPECT_NE(L"", StartOn(root, "=", IDOK, state));
    EXPECT_EQ('-', state);
    EXPECT_FALSE(micro::files::FileExists(root.Database().c_str()));
    RemoveDirectoryW(journal.c_str());
    {
        MyApp app;
        app.SetDataFolder(root.DataFolder().c_str());
        ModalDriver driver;
        bool openDuringRun = false;
        driver.When(kWelcome, [](HWND dialog) {
                  // "Continue >>" is the default button: Enter takes it.
                  PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
              })
            .When(kMainTitle, [&](HWND window) {
                EXPECT_TRUE(IsZoomed(window));
                openDuringRun = app.databaseOpen && app.repository.IsOpen();
                ModalDriver::Pump(200);
                PostMessageW(window, WM_COMMAND, ID_APP_EXIT, 0);
            });
        EXPECT_EQ(0, RunProgram(app, driver));
        EXPECT_TRUE(openDuringRun);
        EXPECT_FALSE(app.repository.IsOpen());
    }
    // Its tables are those of the layout every open compares with (SchemaTest).
    EXPECT_TRUE(micro::files::FileExists(root.Database().c_str()));

    // The second start finds the file: no welcome, straight to the main window.
    EXPECT_EQ(L"", StartOn(root, "=", IDOK, state));
    EXPECT_EQ('w', state);
}

TEST(Startup, ZeroByteDamagedWriteProtectedAndBusyFilesAreToldApartAndKept)
{
    TempRoot root;
    std::string valid = ValidFile(root), noisy = valid;
    for (size_t i = 0; i < 8192; ++i)
        noisy[valid.size() - 8192 + i] = static_cast<char>(i * 7919 + 13);
    char state = 0;
    // The noise falls on the clients added last, which no start reads.
    // Zero bytes: the welcome path (the data folder already there is fine); the old file is kept beside the new one.
    EXPECT_EQ(L"", StartOn(root, "", IDOK, state));
    EXPECT_EQ('w', state);
    EXPECT_EQ("", FileBytes(root.Database() + L".vechi"));
    // After a clean end the start reads no more than it needs: the damage goes unseen.
    EXPECT_EQ(L"", StartOn(root, noisy, IDOK, state));
    EXPECT_EQ('w', state);
    // After an unclean end, damaged: reported, left as it is, opened read-only only when asked, and checked again next time.
    MarkSessionOpen(root.Database().c_str());
    for (int answer : {IDNO, IDYES}) {
        EXPECT_EQ(0u, StartOn(root, noisy, answer, state).find(L"Fisierul societatii este deteriorat"));
        EXPECT_EQ(answer == IDYES ? 'o' : '-', state);
        EXPECT_TRUE(FileBytes(root.Database()) == noisy);
    }
    MarkSessionClosed(root.Database().c_str());
    EXPECT_EQ(0u, StartOn(root, valid, IDOK, state, FILE_ATTRIBUTE_READONLY).find(L"Fisierul societatii este protejat"));
    EXPECT_EQ('o', state);
    // Held by another program: said within seconds, opened not at all.
    micro::qsql::QsqlDatabase other;
    other.Open(root.Database().c_str());
    other.ExecDML(L"BEGIN EXCLUSIVE");
    DWORD started = GetTickCount();
    EXPECT_EQ(0u, StartOn(root, "=", IDOK, state).find(L"Fisierul societatii este folosit de alt program"));
    EXPECT_LT(GetTickCount() - started, 8000u);
    EXPECT_EQ('-', state);
    other.Close();
    // A layout the program cannot bring up to date: said, and opened read-only.
    {
        MyRepository db;
        db.Open(root.Database().c_str());
        db.ExecDML(L"alter table Plati add column straina int");
    }
    EXPECT_EQ(0u, StartOn(root, "=", IDOK, state).find(L"Fisierul societatii are o structura")) << state;
    EXPECT_EQ('o', state);
    // Not a database at all: said in Romanian, and the file as it was.
    EXPECT_EQ(0u, StartOn(root, std::string(4096, 'j'), IDOK, state).find(L"Fisierul societatii nu este o baza de date"));
    EXPECT_EQ('-', state);
    EXPECT_EQ(std::string(4096, 'j'), FileBytes(root.Database()));
}

// A folder where the company file should be is no first run: no welcome,
// the path named in Romanian as for a file that cannot be opened, the window
// opens with no company, and nothing is made in the folder or beside it.
TEST(Startup, AFolderAtTheCompanyFilesPlaceIsNamedAndNothingIsMade)
{
    TempRoot root;
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    CreateDirectoryW(root.Database().c_str(), nullptr);
    char state = 0;
    EXPECT_EQ(L"Fisierul societatii nu poate fi deschis:\n" + root.Database() + L"\n\nFisierul nu a fost modificat.",
              StartOn(root, "=", IDOK, state));
    EXPECT_EQ('-', state);
    EXPECT_EQ(std::vector<std::wstring>{L"Societate"}, FolderContents(root.Path(L"Brivane")));
    EXPECT_EQ(std::vector<std::wstring>(), FolderContents(root.Database()));
}

// Damage no start-up check looks for (the last session ended cleanly: only
// the pages start-up needs are read) is met by the invoice list and by
// "Factura noua": each says in Romanian that the file is damaged, naming it,
// and no editor opens half-filled; the same in the file opened read-only
// after the damage warning. The file's bytes stay as they were.
TEST(Startup, DamageMetAfterStartIsNamedInRomanianAndNoEditorOpensHalfFilled)
{
    TempRoot root;
    for (const wchar_t* table : {L"Facturi", L"Clienti"}) {
        ValidFile(root);
        testing_support::DamageTable(root.Database(), table);
        const std::string damaged = FileBytes(root.Database());
        const std::wstring told = L"Fisierul societatii este deteriorat:\n" + FullPath(root.Database()) +
                                  L"\n\nFisierul nu a fost modificat.\n";
        for (bool readOnly : {false, true}) {
            if (readOnly)
                MarkSessionOpen(root.Database().c_str());
            MyApp app;
            app.SetDataFolder(root.DataFolder().c_str());
            MessageBoxRecorder boxes;
            boxes.Answer(IDYES);
            ModalDriver driver;
            std::vector<std::wstring> said;
            testing_support::ShownWindows shown;
            driver.When(kMainTitle, [&](HWND window) {
                EXPECT_EQ(readOnly, app.repository.IsReadOnly());
                said = BoxesOfCommands(window, boxes, {ID_CMD_LISTARE_FACTURI, ID_CMD_FACTURA_NOUA});
                PostMessageW(window, WM_CLOSE, 0, 0);
            });
            EXPECT_EQ(0, RunProgram(app, driver));
            // The list opens its tab and says why it is empty; the editor does not open.
            std::wstring list = std::wstring(table) == L"Facturi" ? L"Message|" + told : L"";
            EXPECT_EQ((std::vector<std::wstring>{list, L"Error|" + told}), said) << readOnly;
            EXPECT_EQ(std::vector<std::wstring>(), shown.Titles());
            EXPECT_TRUE(damaged == FileBytes(root.Database()));
        }
        MarkSessionClosed(root.Database().c_str());
        DeleteFileW(root.Database().c_str());
    }
}

// A copy filled with other bytes at the company's place is named with its
// path and left as it was; the main window opens all the same, and every
// command that needs the database says in one sentence that no company file
// is open, instead of SQLite's words.
TEST(Startup, AFileThatIsNoDatabaseIsNamedAndKeptAndEveryCommandThenSaysNoFileIsOpen)
{
    TempRoot root;
    CreateDirectoryW(root.DataFolder().c_str(), nullptr);
    const std::string other(4096, 'j');
    micro::files::WriteWholeFile(root.Database().c_str(), other.data(), other.size());
    MyApp app;
    app.SetDataFolder(root.DataFolder().c_str());
    MessageBoxRecorder boxes;
    ModalDriver driver;
    std::wstring atStart;
    std::vector<std::wstring> said;
    driver.When(kMainTitle, [&](HWND window) {
        const int pages = app.frame.tabs.GetPageCount();
        atStart = boxes.Count() == 1 ? boxes.Last().caption + L"|" + boxes.Last().text : L"boxes: " + std::to_wstring(boxes.Count());
        said = BoxesOfCommands(window, boxes,
                               {ID_CMD_FACTURA_NOUA, ID_CMD_NIR_NOU, ID_CMD_LISTARE_FACTURI, ID_CMD_CAUTARE_FACTURI,
                                ID_CMD_TIPARIRE_FACTURI, ID_CMD_CHITANTE, ID_CMD_INTRARE_GENERALA, ID_CMD_STOC_ARTICOLE});
        EXPECT_EQ(pages, app.frame.tabs.GetPageCount());
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, RunProgram(app, driver));
    EXPECT_EQ(L"Message|Fisierul societatii nu este o baza de date:\n" + FullPath(root.Database()) +
                  L"\n\nFisierul nu a fost modificat.",
              atStart);
    for (const std::wstring& text : said)
        EXPECT_EQ(L"Message|Nu este deschis niciun fisier al societatii !\n", text);
    EXPECT_TRUE(other == FileBytes(root.Database()));
}

// One instance holds the file: a second start leaves it alone, and the first
// instance's close is shown when it fails and removes the session mark when it does not.
TEST(Startup, ASecondInstanceLeavesTheFileAloneAndAFailedCloseAtExitIsShown)
{
    TempRoot root;
    ValidFile(root);
    MyApp first;
    first.SetDataFolder(root.DataFolder().c_str());
    ASSERT_TRUE(first.OpenCompanyData() && first.CreateMainWindow());
    ASSERT_TRUE(first.databaseOpen);
    ShowWindow(first.frame.GetHandle(), SW_MINIMIZE);
    // Open, the file is marked so: a session killed now leaves the mark behind; only a clean close removes it.
    EXPECT_TRUE(SessionMarkFound(root.Database().c_str()));
    {
        // A statement still alive keeps the connection busy.
        micro::qsql::QsqlQuery pending = first.repository.ExecQuery(L"select * from Clienti");
        MessageBoxRecorder boxes;
        EXPECT_EQ(-1, first.ExitInstance());
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(L"Message", boxes.Last().caption);
        EXPECT_NE(std::wstring::npos, boxes.Last().text.find(L"SQLITE_BUSY")) << boxes.Describe();
    }
    EXPECT_TRUE(SessionMarkFound(root.Database().c_str()));
    EXPECT_EQ(0, first.ExitInstance());
    EXPECT_FALSE(first.repository.IsOpen());
    EXPECT_FALSE(SessionMarkFound(root.Database().c_str()));
    // Held so that any opening of the file by the second instance would fail.
    HANDLE hold = CreateFileW(root.Database().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    {
        MyApp second;
        second.SetDataFolder(root.DataFolder().c_str());
        MessageBoxRecorder boxes;
        ModalDriver driver;
        EXPECT_EQ(-1, RunProgram(second, driver));
        EXPECT_EQ("[Atentie] Fisierul societatii este deja deschis in alta fereastra Brivane !\n", boxes.Describe());
    }
    CloseHandle(hold);
    EXPECT_EQ(first.frame.GetHandle(), GetForegroundWindow());
    EXPECT_FALSE(IsIconic(first.frame.GetHandle()));
    DestroyWindow(first.frame.GetHandle());
    // The main window's end posts the quit message; left in the queue it
    // would end the next test's first modal loop at once.
    ModalDriver::Pump();
}
