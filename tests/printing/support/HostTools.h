#pragma once
#include <string>

namespace pdftest {

// The tests run under Wine; these reach programs of the Linux host that check
// the written files (qpdf, pdftotext). A host program started from Wine gets
// no process handle and no pipes, so the command runs from a small shell
// script that leaves its output and exit status in files, which are polled.

// The host's path of a Windows path; empty outside Wine.
std::string HostPath(const std::wstring& windowsPath);
// Runs the shell command on the host; answers its exit status, -1 when it did
// not finish in time or could not start (the output then says which).
// Output: stdout and stderr together.
int RunOnHost(const std::string& command, std::string& output, unsigned timeoutMs = 60000);
// The text as one word of a shell command.
std::string ShellQuoted(const std::string& text);

} // namespace pdftest

namespace printing_tests {

// The real print path: a CUPS queue whose jobs land as PDF files in the host
// user's $HOME/PDF.

// True when cupsd runs with a default queue that Wine can print to.
bool SpoolerRunning();
// Waits for a PDF "<job name>*.pdf" in $HOME/PDF written after `since` (host
// seconds) whose text holds `marker`; answers the host's path of that file,
// empty when none came.
std::string WaitForPrintedPdf(const std::string& jobPrefix, const std::string& marker, long long since,
                              unsigned timeoutMs = 30000);

} // namespace printing_tests
