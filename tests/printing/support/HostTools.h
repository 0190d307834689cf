#pragma once
#include <string>

namespace pdftest {

// The tests run under Wine; these reach programs of the Linux host that check
// the written files (qpdf, pdftotext). A host program started from Wine gets
// no process handle and no pipes, so the command runs from a small shell
// script that leaves its output and exit status in files, which are polled.

// True when the host program exists (e.g. "/usr/bin/qpdf").
bool HostHasProgram(const char* unixPath);
// The host's path of a Windows path; empty outside Wine.
std::string HostPath(const std::wstring& windowsPath);
// Runs the shell command on the host; answers its exit status, -1 when it did
// not finish in time or could not start. Output: stdout and stderr together.
int RunOnHost(const std::string& command, std::string& output, unsigned timeoutMs = 60000);

// "qpdf --check" of the file: empty when it passes, else the reason.
std::string QpdfCheck(const std::wstring& pdfPath);

} // namespace pdftest
