#include "tests/printing/support/Spooler.h"
#include <windows.h>
#include <cstdlib>
#include "tests/printing/support/HostTools.h"

namespace printing_tests {

using pdftest::RunOnHost;

bool SpoolerRunning()
{
    std::string output;
    return RunOnHost("lpstat -r && lpstat -d", output, 30000) == 0 && output.find("is running") != std::string::npos &&
           output.find("no system default") == std::string::npos;
}

long long HostNow()
{
    std::string output;
    RunOnHost("date +%s", output, 30000);
    return atoll(output.c_str());
}

std::string WaitForPrintedPdf(const std::string& jobPrefix, const std::string& marker, long long since,
                              unsigned timeoutMs)
{
    // Other programs may print to the same queue meanwhile: only the file
    // holding the marker counts.
    std::string command = "for f in $(find \"$HOME/PDF\" -maxdepth 1 -name '" + jobPrefix + "*.pdf' -newermt @" +
                          std::to_string(since - 1) + " 2>/dev/null); do echo @@FILE; pdftotext -bbox \"$f\" -; done";
    // The deadline counts the host commands' own time too: one that never
    // answers must not multiply the wait.
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        std::string output;
        RunOnHost(command, output, timeoutMs);
        for (size_t at = output.find("@@FILE"); at != std::string::npos;) {
            size_t next = output.find("@@FILE", at + 6);
            std::string file = output.substr(at + 6, next == std::string::npos ? next : next - at - 6);
            if (file.find(marker) != std::string::npos)
                return file;
            at = next;
        }
        Sleep(500);
    }
    return std::string();
}

} // namespace printing_tests
