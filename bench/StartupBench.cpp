// Start-up cost: the time from starting the process to its main window
// painted (the program says so through a named event once its queue is
// empty after the first paint), for Brivane on an empty company file and on
// the generated big one, and for the bare window program (BareWindow.exe),
// all under the same Wine. Prints the medians, spreads and ratios; a start
// after an unclean end (the whole-file check) is timed for information.
//
//   StartupBench [folder] [--runs=N] [--years=N] [--regenerate]
// The program starts itself with --child-app FOLDER EVENT to run the
// application object on a data folder: a temporary one for the empty file,
// `folder` (bench-out) for the generated file, never the real data folder.
#include "bench/support/BenchSupport.h"
#include "database/CompanyFile.h"
#include "database/MyRepository.h"
#include "database/Schema.h"
#include "shell/MyApp.h"
#include <windows.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const wchar_t kMainClass[] = L"clsw";
const wchar_t kBareClass[] = L"BrivaneBareWindow";
const DWORD kWaitLimitMs = 120000;

using bench::Now;

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

struct FindData {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM lParam)
{
    FindData* data = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == data->processId && wcscmp(cls, data->className) == 0 && IsWindowVisible(hwnd)) {
        data->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring EventName()
{
    return L"Local\\BrivaneStartupPainted-" + std::to_wstring(GetCurrentProcessId());
}

// Starts the command line (given the event's name last) and answers the
// milliseconds until the process says its window is painted; then closes
// the window. -1 on failure.
double TimeToPainted(std::wstring commandLine, const wchar_t* className)
{
    HANDLE painted = CreateEventW(nullptr, FALSE, FALSE, EventName().c_str());
    commandLine += L" " + EventName();
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    double start = Now();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(painted);
        return -1;
    }
    HANDLE waits[2] = {painted, pi.hProcess};
    double elapsed = WaitForMultipleObjects(2, waits, FALSE, kWaitLimitMs) == WAIT_OBJECT_0 ? Now() - start : -1;
    FindData data = {pi.dwProcessId, className, nullptr};
    EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&data));
    if (data.found)
        PostMessageW(data.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(painted);
    return elapsed;
}

std::wstring MakeDataFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"brivane-startup-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    MyRepository db;
    CreateCompanyDatabase(db, (folder + L"Societate").c_str());
    db.Close();
    return folder;
}

void RemoveDataFolder(const std::wstring& folder)
{
    DeleteFileW((folder + L"Societate").c_str());
    DeleteFileW((folder + L"Societate.deschis").c_str());
    DeleteFileW((folder + L"Societate-journal").c_str());
    RemoveDirectoryW(folder.c_str());
}

// What QApplication::Run does, with word sent once the first paint is
// through: the main window painted and nothing left in the queue.
int RunApplication(const wchar_t* folder, const wchar_t* eventName)
{
    bench::Boxes();
    MyApp app;
    app.SetDataFolder((std::wstring(folder) + L"\\").c_str());
    if (!app.InitInstance())
        return -1;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    HANDLE painted = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    SetEvent(painted);
    CloseHandle(painted);
    app.MessageLoop();
    return app.ExitInstance();
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH];
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? full : path;
}

std::wstring AppCommand(const std::wstring& folder)
{
    // Without its last backslash, which would escape the closing quote.
    std::wstring trimmed = folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
    return L"\"" + ModuleFolder() + L"StartupBench.exe\" --child-app \"" + trimmed + L"\"";
}

// Alternates the bare window and Brivane on the data folder, so a slow
// moment of the machine weighs on both; an `unclean` start finds the mark of
// a session that did not end cleanly. False when a window did not appear.
bool Measure(int runs, const std::wstring& folder, bool unclean, std::vector<double>& app, std::vector<double>& bare)
{
    std::wstring bareCommand = L"\"" + ModuleFolder() + L"BareWindow.exe\" --show";
    std::wstring database = folder + L"\\Societate";
    for (int i = 0; i < runs; ++i) {
        if (unclean)
            MarkSessionOpen(database.c_str());
        double b = TimeToPainted(bareCommand, kBareClass);
        double a = TimeToPainted(AppCommand(folder), kMainClass);
        if (a < 0 || b < 0) {
            wprintf(L"run %d: a window did not appear (Brivane %.1f ms, bare %.1f ms)\n", i + 1, a, b);
            return false;
        }
        app.push_back(a);
        bare.push_back(b);
    }
    return true;
}

void Report(const wchar_t* title, const wchar_t* name, const std::vector<double>& app,
            const std::vector<double>& bare)
{
    bench::Timing a = bench::Summarize(app), b = bench::Summarize(bare);
    wprintf(L"start-up to main window painted, %ls, %d runs:\n", title, a.runs);
    bench::PrintTiming(L"Brivane", a);
    bench::PrintTiming(L"bare Win32 window", b);
    bench::PrintRatio(L"Brivane / bare window", a, b, L"<= 1.3 x");
    if (name)
        bench::PrintAimRatio(name, b.median > 0 ? a.median / b.median : 0, 1.3);
}

} // namespace

int BenchMain(int argc, wchar_t** argv)
{
    if (argc >= 4 && wcscmp(argv[1], L"--child-app") == 0)
        return RunApplication(argv[2], argv[3]);
    int runs = bench::RunsArgument(argc, argv, 7);
    bench::Boxes();
    bench::FolderArguments arguments = bench::ReadFolderArguments(argc, argv);
    std::wstring bigFolder = arguments.folder;
    bool regenerate = arguments.regenerate;
    if (GetFileAttributesW((ModuleFolder() + L"BareWindow.exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
        wprintf(L"BareWindow.exe is missing beside this program: run bench/run StartupBench BareWindow\n");
        return 1;
    }
    bigFolder = FullPath(bigFolder);
    CreateDirectoryW(bigFolder.c_str(), nullptr);
    bench::CompanySize size = bench::SizeFromCommandLine();
    {
        MyRepository db;
        bench::OpenBigCompany(db, bigFolder + L"\\Societate", regenerate, size);
        db.Close();
    }
    MarkSessionClosed((bigFolder + L"\\Societate").c_str());

    std::wstring folder = MakeDataFolder();
    std::vector<double> emptyApp, emptyBare, bigApp, bigBare, checkApp, checkBare;
    bool ok = Measure(runs, folder.substr(0, folder.size() - 1), false, emptyApp, emptyBare) &&
              Measure(runs, bigFolder, false, bigApp, bigBare) &&
              Measure(std::min(runs, 3), bigFolder, true, checkApp, checkBare);
    RemoveDataFolder(folder);
    if (!ok)
        return 1;
    std::wstring big = std::to_wstring(size.years) + L"-year file";
    Report(L"empty company file", L"startup-empty/bare", emptyApp, emptyBare);
    Report(big.c_str(), (L"startup-" + std::to_wstring(size.years) + L"y/bare").c_str(), bigApp, bigBare);
    Report((big + L" after an unclean end (whole-file check; information)").c_str(), nullptr, checkApp, checkBare);
    return 0;
}
