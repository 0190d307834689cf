#include "tests/printing/support/HostTools.h"
#include <windows.h>
#include "framework/files/QFiles.h"

namespace pdftest {

namespace {

typedef char*(CDECL* UnixFileName)(const wchar_t*);

std::wstring TempFile(const wchar_t* suffix)
{
    static int counter = 0;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t name[MAX_PATH + 64];
    swprintf(name, MAX_PATH + 64, L"%lshost-%lu-%d%ls", folder, GetCurrentProcessId(), ++counter, suffix);
    return name;
}

std::string ReadAll(const std::wstring& path)
{
    micro::utils::QBuffer bytes;
    if (!micro::files::ReadWholeFile(path.c_str(), bytes) || bytes.IsEmpty())
        return std::string();
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.GetCount());
}

std::wstring Wide(const std::string& text)
{
    std::wstring out(text.size() + 1, L'\0');
    out.resize(MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], static_cast<int>(out.size())) - 1);
    return out;
}

} // namespace

std::string ShellQuoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string HostPath(const std::wstring& windowsPath)
{
    static UnixFileName convert =
        reinterpret_cast<UnixFileName>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name"));
    if (!convert)
        return std::string();
    wchar_t full[MAX_PATH * 2];
    GetFullPathNameW(windowsPath.c_str(), MAX_PATH * 2, full, nullptr);
    char* unixName = convert(full);
    if (!unixName)
        return std::string();
    std::string result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

int RunOnHost(const std::string& command, std::string& output, unsigned timeoutMs)
{
    std::wstring script = TempFile(L".sh"), out = TempFile(L".out"), status = TempFile(L".status");
    std::string statusPath = HostPath(status);
    std::string text = "(" + command + ") > " + ShellQuoted(HostPath(out)) + " 2>&1\n" + "echo $? > " +
                       ShellQuoted(statusPath + ".tmp") + "\n" + "mv " + ShellQuoted(statusPath + ".tmp") + " " +
                       ShellQuoted(statusPath) + "\n";
    // Started through start.exe: a host program is forked from the process
    // that starts it and inherits its open files; the test's database must
    // not be among them (its locks then fail in later tests).
    std::wstring line = L"start.exe /unix /bin/sh \"" + Wide(HostPath(script)) + L"\"";
    // A start refused on a loaded machine (a test beside two full runs of
    // the tests once got -1 at once) is tried again; what failed is the
    // output, for the test's message.
    std::string failure;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (attempt > 1)
            Sleep(500 * attempt);
        if (!micro::files::WriteWholeFile(script.c_str(), text.data(), text.size())) {
            failure = "could not write the script (error " + std::to_string(GetLastError()) + ")";
            continue;
        }
        STARTUPINFOW startup = {sizeof(startup)};
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            failure = "could not start the host's shell (error " + std::to_string(GetLastError()) + ")";
            continue;
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        failure.clear();
        break;
    }
    if (!failure.empty()) {
        output = failure + ", 3 times";
        DeleteFileW(script.c_str());
        return -1;
    }
    int result = -1;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
        if (GetFileAttributesW(status.c_str()) != INVALID_FILE_ATTRIBUTES) {
            result = atoi(ReadAll(status).c_str());
            break;
        }
    }
    output = ReadAll(out);
    if (result == -1)
        output = "no answer within " + std::to_string(timeoutMs / 1000) + " s; its output so far: " + output;
    DeleteFileW(script.c_str());
    DeleteFileW(out.c_str());
    DeleteFileW(status.c_str());
    return result;
}

} // namespace pdftest

namespace printing_tests {

using pdftest::RunOnHost;

bool SpoolerRunning()
{
    std::string output;
    return RunOnHost("lpstat -r && lpstat -d", output, 30000) == 0 && output.find("is running") != std::string::npos &&
           output.find("no system default") == std::string::npos;
}

std::string WaitForPrintedPdf(const std::string& jobPrefix, const std::string& marker, long long since,
                              unsigned timeoutMs)
{
    // Other programs may print to the same queue meanwhile: only the file
    // holding the marker counts, once the queue has written it whole (its
    // end mark there). A file still being written once answered with the
    // reader's complaint about it in place of its name.
    std::string command = "for f in $(find \"$HOME/PDF\" -maxdepth 1 -name '" + jobPrefix + "*.pdf' -newermt @" +
                          std::to_string(since - 1) + " 2>/dev/null); do tail -c 64 \"$f\" | grep -q '%%EOF' && " +
                          "pdftotext \"$f\" - 2>/dev/null | grep -qF " + pdftest::ShellQuoted(marker) +
                          " && echo \"$f\" && exit 0; done; exit 1";
    // The deadline counts the host commands' own time too: one that never
    // answers must not multiply the wait.
    std::string output;
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(500))
        if (RunOnHost(command, output, timeoutMs) == 0)
            return output.substr(0, output.find_last_not_of("\r\n") + 1);
    return std::string();
}

} // namespace printing_tests
