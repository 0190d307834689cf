// Start-up cost: the time from starting the process to its main window being
// shown, for Brivane on an existing company database and for the bare window
// program (BareWindow.exe), both under the same Wine. Prints the medians and
// their ratio.
//
//   StartupBench [--runs=N]
// The program starts itself with --child-app FOLDER to run the application
// object on a temporary data folder, so no real data folder is touched.
#include "bench/support/BenchSupport.h"
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
const DWORD kWaitLimitMs = 60000;

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

// Starts the command line and answers the milliseconds until the process
// shows a visible top-level window of the class; then closes it. -1 on failure.
double TimeToWindow(std::wstring commandLine, const wchar_t* className)
{
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    double start = Now();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    FindData data = {pi.dwProcessId, className, nullptr};
    double elapsed = -1;
    while (Now() - start < kWaitLimitMs) {
        EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&data));
        if (data.found) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (data.found)
        PostMessageW(data.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
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
    DeleteFileW((folder + L"Societate-journal").c_str());
    RemoveDirectoryW(folder.c_str());
}

int RunApplication(const wchar_t* folder)
{
    MyApp app;
    app.SetDataFolder((std::wstring(folder) + L"\\").c_str());
    return app.Run();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && wcscmp(argv[1], L"--child-app") == 0)
        return RunApplication(argv[2]);
    int runs = bench::RunsArgument(argc, argv, 7);

    std::wstring bareProgram = ModuleFolder() + L"BareWindow.exe";
    if (GetFileAttributesW(bareProgram.c_str()) == INVALID_FILE_ATTRIBUTES) {
        wprintf(L"BareWindow.exe is missing beside this program: run bench/run StartupBench BareWindow\n");
        return 1;
    }
    std::wstring folder = MakeDataFolder();
    std::wstring self = ModuleFolder() + L"StartupBench.exe";
    // Without its last backslash, which would escape the closing quote.
    std::wstring appCommand = L"\"" + self + L"\" --child-app \"" + folder.substr(0, folder.size() - 1) + L"\"";
    std::wstring bareCommand = L"\"" + bareProgram + L"\" --show";

    std::vector<double> app, bare;
    for (int i = 0; i < runs; ++i) {
        // Alternate, so a slow moment of the machine weighs on both.
        double b = TimeToWindow(bareCommand, kBareClass);
        double a = TimeToWindow(appCommand, kMainClass);
        if (a < 0 || b < 0) {
            wprintf(L"run %d: a window did not appear (Brivane %.1f ms, bare %.1f ms)\n", i + 1, a, b);
            RemoveDataFolder(folder);
            return 1;
        }
        app.push_back(a);
        bare.push_back(b);
    }
    RemoveDataFolder(folder);
    bench::Timing a = bench::Summarize(app), b = bench::Summarize(bare);
    wprintf(L"start-up to main window shown, %d runs:\n", runs);
    bench::PrintTiming(L"Brivane (existing database)", a);
    bench::PrintTiming(L"bare Win32 window", b);
    bench::PrintRatio(L"Brivane / bare window", a, b, L"<= 1.3 x");
    return 0;
}
