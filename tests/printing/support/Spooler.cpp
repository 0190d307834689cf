#include "tests/printing/core/Spooler.h"
#include <windows.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace printing_tests {

namespace {

typedef char*(CDECL* UnixFileName)(const wchar_t*);

std::string UnixPath(const std::wstring& windowsPath)
{
    static UnixFileName convert =
        reinterpret_cast<UnixFileName>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    if (!convert)
        return std::string();
    char* name = convert(windowsPath.c_str());
    if (!name)
        return std::string();
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int RunOnHost(const std::string& command, std::string& output, unsigned timeoutMs)
{
    static int counter = 0;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring base = std::wstring(folder) + L"spool-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                        std::to_wstring(++counter);
    std::wstring script = base + L".sh", out = base + L".out", status = base + L".status";
    {
        std::ofstream(out.c_str()).close();
        std::ofstream s(script.c_str(), std::ios::binary);
        std::string statusPath = UnixPath(out) + ".status";
        s << "(" << command << ") > '" << UnixPath(out) << "' 2>&1\n"
          << "echo $? > '" << statusPath << ".tmp' && mv '" << statusPath << ".tmp' '" << statusPath << "'\n";
    }
    status = out + L".status";
    std::string unixScript = UnixPath(script);
    if (unixScript.empty())
        return -1;
    std::wstring line = L"/bin/sh \"" + std::wstring(unixScript.begin(), unixScript.end()) + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    int result = -1;
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        if (GetFileAttributesW(status.c_str()) != INVALID_FILE_ATTRIBUTES) {
            Sleep(20);
            result = atoi(ReadAll(status).c_str());
            break;
        }
        Sleep(50);
    }
    output = ReadAll(out);
    DeleteFileW(script.c_str());
    DeleteFileW(out.c_str());
    DeleteFileW(status.c_str());
    return result;
}

bool SpoolerRunning()
{
    std::string output;
    return RunOnHost("lpstat -r && lpstat -d", output) == 0 && output.find("is running") != std::string::npos &&
           output.find("no system default") == std::string::npos;
}

long long HostNow()
{
    std::string output;
    RunOnHost("date +%s", output);
    return atoll(output.c_str());
}

std::string WaitForPrintedPdf(const std::string& jobPrefix, const std::string& marker, long long since,
                              unsigned timeoutMs)
{
    std::string command = "for f in $(find \"$HOME/PDF\" -maxdepth 1 -name '" + jobPrefix + "*.pdf' -newermt @" +
                          std::to_string(since - 1) + " 2>/dev/null); do pdftotext -bbox \"$f\" -; done";
    for (DWORD waited = 0; waited < timeoutMs; waited += 500) {
        std::string output;
        RunOnHost(command, output);
        if (output.find(marker) != std::string::npos)
            return output;
        Sleep(500);
    }
    return std::string();
}

} // namespace printing_tests
